// Whether a byte opens a double-byte character in the ANSI code page that paths are
// written in. The Windows build asks the platform; the host build knows the common
// double-byte code pages itself, so the path logic can be tested anywhere.
#pragma once

// True when `byte` is the first byte of a two-byte character.
bool isLeadByte(unsigned char byte);

// Makes isLeadByte answer for `codePage` instead of the system's ANSI code page; 0 goes
// back to the system's. For tests, which cannot change the system's code page.
void setLeadByteCodePage(unsigned codePage);
