#include "editor/file/windows_codec.h"

#include <windows.h>

#include <string>

#include "console/console_text.h"
#include "editor/file/section_code_page.h"

namespace {

class WindowsAnsiCodec : public AnsiCodec {
public:
    std::u16string decode(const std::string& bytes, const std::u16string& section) const override {
        const std::wstring wide = wideFromCodePage(bytes, sectionCodePage(section));
        return {wide.begin(), wide.end()};
    }

    bool encode(const std::u16string& text, const std::u16string& section,
                std::string& bytes) const override {
        bytes.clear();
        if (text.empty()) return true;
        const unsigned codePage = sectionCodePage(section);
        const std::wstring wide(text.begin(), text.end());
        const int wideLength = static_cast<int>(wide.size());
        // No best fit: a character the code page lacks must not become a look-alike ("A" for
        // U+0100), and any default character used means such a character was there.
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                               wideLength, nullptr, 0, nullptr, &usedDefault);
        if (length <= 0 || usedDefault) return false;
        bytes.assign(static_cast<std::size_t>(length), '\0');
        if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, &bytes[0],
                                length, nullptr, &usedDefault) != length ||
            usedDefault) {
            return false;
        }
        // The bytes must read back as the text, whatever the platform's tables allow.
        const int backLength =
            MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
        if (backLength != wideLength) return false;
        std::wstring back(static_cast<std::size_t>(backLength), L'\0');
        return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, &back[0],
                                   backLength) == backLength &&
               back == wide;
    }
};

}  // namespace

std::shared_ptr<const AnsiCodec> windowsAnsiCodec() {
    static const std::shared_ptr<const AnsiCodec> codec = std::make_shared<WindowsAnsiCodec>();
    return codec;
}
