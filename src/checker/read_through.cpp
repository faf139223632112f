#include "checker/read_through.h"

#include "config/mapped_menu_file.h"

ReadThrough readThrough(FileEncoding encoding, bool readerFoundSections, const std::string& bytes) {
    if (encoding == FileEncoding::Utf16BigEndian) return ReadThrough::CopyWithoutMark;
    if (encoding == FileEncoding::Utf16WithoutMark || readerFoundSections) {
        return ReadThrough::MenuFile;
    }
    return holdsSectionHeading(bytes.data(), bytes.size()) ? ReadThrough::Copy
                                                           : ReadThrough::MenuFile;
}
