// The code-page conversion an ANSI profile file needs: each section's lines are written in
// the code page of the systems that read that section. Conversion needs the platform, so
// the Windows editor implements this; the host uses a stand-in (latin1_codec.h).
#pragma once

#include <string>

class AnsiCodec {
public:
    virtual ~AnsiCodec() = default;

    // The text of one line's bytes (no line break), read in the code page of `section`:
    // the name of the section the line lies in as its heading spells it, empty before the
    // first section. A heading is read in the code page of the section before it (the
    // menu's section names are ASCII, the same in every code page).
    virtual std::u16string decode(const std::string& bytes,
                                  const std::u16string& section) const = 0;

    // Puts the bytes of `text` in the code page of `section` into `bytes`. False, with
    // `bytes` unspecified, when the code page lacks a character of `text`: the document
    // never writes a stand-in such as "?".
    // Contract the document relies on: decoding the bytes gives `text` back; ASCII
    // characters encode to their own single bytes; and the bytes of '=', the blanks, CR
    // and LF never occur inside another character.
    virtual bool encode(const std::u16string& text, const std::u16string& section,
                        std::string& bytes) const = 0;
};
