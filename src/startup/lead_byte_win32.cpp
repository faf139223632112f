#include "startup/lead_byte.h"

#include <windows.h>

static unsigned leadByteCodePage = 0;

bool isLeadByte(unsigned char byte) {
    if (leadByteCodePage == 0) return IsDBCSLeadByte(byte) != FALSE;
    return IsDBCSLeadByteEx(leadByteCodePage, byte) != FALSE;
}

void setLeadByteCodePage(unsigned codePage) { leadByteCodePage = codePage; }
