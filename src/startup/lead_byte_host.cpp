#include "startup/lead_byte.h"

// The host has no system ANSI code page: it behaves as a single-byte one until a test
// picks a double-byte code page.
static unsigned leadByteCodePage = 0;

bool isLeadByte(unsigned char byte) {
    switch (leadByteCodePage) {
        case 932:  // Japanese (Shift JIS)
            return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        case 936:  // Simplified Chinese (GBK)
        case 949:  // Korean
        case 950:  // Traditional Chinese (Big5)
            return byte >= 0x81 && byte <= 0xFE;
        default:
            return false;
    }
}

void setLeadByteCodePage(unsigned codePage) { leadByteCodePage = codePage; }
