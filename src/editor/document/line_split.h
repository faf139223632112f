// A file's text cut into lines, each with the line break that ends it. CR LF, LF and CR
// alone each end a line (as Wine's profile reader takes them; Windows documents nothing
// here), so a file of mixed line breaks keeps every one of them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "editor/document/profile_line.h"

// One line of `Text`: where it starts in the whole text, its length without the line
// break, and the line break.
struct LinePiece {
    std::size_t start;
    std::size_t length;
    LineEnding ending;
};

// The lines of `text` (std::string or std::u16string) in order. Empty text has no lines;
// text that ends in a line break has no empty line after it; the pieces and their line
// breaks together cover every character of `text`.
template <typename Text>
std::vector<LinePiece> splitLines(const Text& text) {
    std::vector<LinePiece> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        LineEnding ending = LineEnding::None;
        std::size_t next = end;
        if (end < text.size() && text[end] == '\r') {
            const bool pair = end + 1 < text.size() && text[end + 1] == '\n';
            ending = pair ? LineEnding::CrLf : LineEnding::Cr;
            next = end + (pair ? 2 : 1);
        } else if (end < text.size()) {
            ending = LineEnding::Lf;
            next = end + 1;
        }
        pieces.push_back({start, end - start, ending});
        start = next;
    }
    return pieces;
}
