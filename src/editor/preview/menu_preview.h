// The editor's preview: the menu drawn exactly as the systems of one language show it, by
// the menu's own readers, fonts and painting, from the bytes of the menu file being edited.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/preview/preview_file.h"
#include "editor/preview/preview_frames.h"
#include "editor/preview/preview_languages.h"
#include "state/launcher_state.h"

struct Picture;

// Use it from one thread, the one that made it: it owns a hidden window.
class MenuPreview {
public:
    // Starts with the picture this program carries (IDB_BACKGROUND), or plain white when
    // it carries none. Nothing is shown until show().
    MenuPreview();
    ~MenuPreview();
    MenuPreview(const MenuPreview&) = delete;
    MenuPreview& operator=(const MenuPreview&) = delete;

    // The picture (IDB_BACKGROUND) of the menu program file `program`, or of `module`, or
    // `picture` itself (600 x 397), in place of the one in use; what is shown is drawn
    // again over it. False, with the picture unchanged, when there is none to be had.
    bool usePictureOfProgram(const std::wstring& program);
    bool usePictureOfModule(HINSTANCE module);
    bool usePicture(const Picture& picture);

    // Reads the menu file's bytes as the systems whose language leads to section
    // `languageIndex` read them, in their ANSI code page (a UTF-16 file converted, "?" for
    // the characters it lacks), with [0] in force when that section has no Title, and
    // draws the menu with the fonts made for its character set: the frame as it opens and
    // with each entry lit. False, with the previous frames kept, when no language leads to
    // `languageIndex` or the file cannot be written for the menu's readers.
    bool show(const std::string& fileBytes, std::int32_t languageIndex);

    // Of what show() drew last: the section in force, the window's title, and for screen
    // readers the language, section, title, entries and prompt in words.
    std::int32_t sectionInForce() const { return sectionInForce_; }
    const std::wstring& title() const { return title_; }
    std::wstring description() const;

    // True when this PC's ANSI code page, a multi-byte one, garbles the section's texts on
    // their way through the profile reader: the frame then differs from what the section's
    // systems show.
    bool garbledOnThisPc() const { return garbled_; }

    // The slot (0 to 4) of the shown entry under picture point (x, y), by the menu's own hit
    // test; -1 for none.
    int entryAt(int x, int y) const;

    // Lights entry `slot` and shows its comment, as the pointer over it does in the menu;
    // -1, or a slot without a shown entry, for none.
    void setHover(int slot);
    // The entry lit, -1 for none.
    int hover() const { return hover_; }
    // The lit entry in words, such as "Lit: 2. Browse this disc."; empty when none is lit.
    std::wstring litText() const;

    // Paints the frame (600 x 397, one pixel per picture pixel) at (x, y) of `dc`; nothing
    // before the first show().
    void paint(HDC dc, int x, int y) const;

private:
    bool render(const std::string& fileBytes, std::int32_t languageIndex);
    void drawFrames();
    void keepTexts(unsigned codePage);
    void releaseEntries();

    PreviewFile file_;
    PreviewFrames frames_;
    HBITMAP picture_ = nullptr;

    // What is shown: the file's bytes and the section asked for (-1 before the first show).
    std::string bytes_;
    std::int32_t language_ = -1;

    // The entries as the menu loaded them, kept for its hit test, and their captions.
    MenuItem* entries_[kMenuItemSlots] = {};
    std::wstring captions_[kMenuItemSlots];
    std::int32_t sectionInForce_ = 0;
    std::wstring title_;
    std::wstring prompt_;
    bool garbled_ = false;
    int hover_ = -1;
};
