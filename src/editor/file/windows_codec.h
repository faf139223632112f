// The platform's code pages for ANSI menu files: each line is read and written in the code
// page of the systems that read its section (section_code_page.h).
#pragma once

#include <memory>

#include "editor/document/ansi_codec.h"

// One codec for the whole program. decode takes any bytes (a byte that is no character of
// the code page comes out as the code page's stand-in, and the document keeps the byte);
// encode refuses a character the code page lacks rather than write a look-alike or "?".
std::shared_ptr<const AnsiCodec> windowsAnsiCodec();
