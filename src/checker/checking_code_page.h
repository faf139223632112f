// The code page of the PC the checker runs on. The checker reads each language section
// through the ANSI profile reader, which hands every text through that PC's ANSI code page.
// A single-byte code page hands the bytes back as they are, whatever code page they were
// written in; a multi-byte one (Japanese, Chinese, Korean, or UTF-8) takes bytes of other
// code pages for characters of its own and garbles them.
#pragma once

#include <cstdint>
#include <vector>

// True for the ANSI code pages whose characters take more than one byte: 932, 936, 949,
// 950, 1361 and UTF-8 (65001).
bool isMultiByteCodePage(unsigned codePage);

struct SectionText {
    std::int32_t index;  // the section's number
    unsigned codePage;   // the code page of its systems, which its texts reach the menu in
    bool beyondAscii;    // whether its lines hold anything outside ASCII
};

// The numbers of the sections, in the order given, whose texts a PC of ANSI code page
// `checkingCodePage` garbles: on a multi-byte code page, those beyond ASCII in another one.
std::vector<std::int32_t> sectionsGarbledOn(unsigned checkingCodePage,
                                            const std::vector<SectionText>& sections);
