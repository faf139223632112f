#include "editor/preview/menu_preview.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "brand/picture/menu_frame.h"
#include "checker/checking_code_page.h"
#include "checker/contrast.h"
#include "checker/menu_program.h"
#include "checker/menu_state.h"
#include "config/entry_line.h"
#include "config/language.h"
#include "config/menu_item.h"
#include "config/menu_items.h"
#include "config/view_settings.h"
#include "console/console_text.h"
#include "console/paths.h"
#include "window/layout.h"
#include "window/menu_dialog.h"
#include "window/menu_fonts.h"

namespace {

// The character set the menu's fonts get on systems of ANSI code page `codePage`: the
// menu's own, or for the default character set the one those systems' locale stands for.
std::uint8_t charsetOnSystemsOf(std::uint8_t charset, unsigned codePage) {
    if (charset != DEFAULT_CHARSET) return charset;
    CHARSETINFO info = {};
    // The code page goes in as the value itself, not as an address.
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(codePage)), &info,
                              TCI_SRCCODEPAGE))
        return charset;
    return static_cast<std::uint8_t>(info.ciCharset);
}

bool beyondAscii(const std::string& bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

Picture whitePicture() {
    Picture picture;
    picture.width = menuWidth;
    picture.height = menuHeight;
    picture.pixels.assign(static_cast<std::size_t>(menuWidth) * menuHeight, 0xFFFFFF);
    return picture;
}

}  // namespace

MenuPreview::MenuPreview() {
    if (!usePictureOfModule(GetModuleHandleW(nullptr))) usePicture(whitePicture());
}

MenuPreview::~MenuPreview() {
    releaseEntries();
    if (picture_ != nullptr) DeleteObject(picture_);
}

bool MenuPreview::usePictureOfProgram(const std::wstring& program) {
    const std::wstring full = fullPathOf(program);
    if (full.empty()) return false;
    // Its resources only, as a data file: nothing of it runs.
    HMODULE module = LoadLibraryExW(full.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return false;
    const bool used = usePictureOfModule(module);
    FreeLibrary(module);
    return used;
}

bool MenuPreview::usePictureOfModule(HINSTANCE module) {
    Picture picture;
    std::string reason;
    return readPictureResource(module, picture, reason) && usePicture(picture);
}

bool MenuPreview::usePicture(const Picture& picture) {
    HBITMAP bitmap = pictureBitmap(picture);
    if (bitmap == nullptr) return false;
    if (picture_ != nullptr) DeleteObject(picture_);
    picture_ = bitmap;
    if (language_ != -1) render(bytes_, language_);
    return true;
}

bool MenuPreview::show(const std::string& fileBytes, std::int32_t languageIndex) {
    if (previewLanguageName(languageIndex).empty()) return false;
    if (!render(fileBytes, languageIndex)) return false;
    bytes_ = fileBytes;
    language_ = languageIndex;
    return true;
}

bool MenuPreview::render(const std::string& fileBytes, std::int32_t languageIndex) {
    const unsigned codePage = codePageForLanguageIndex(languageIndex);
    const std::string bytes = bytesAsReadOn(fileBytes, codePage);
    if (!frames_.ready() || !file_.write(bytes)) return false;
    const std::string& path = file_.readerPath();
    releaseEntries();

    // The menu's state for this frame alone; the entries it loads are kept here afterwards.
    const MenuStateScope scope;
    MenuItem* before[kMenuItemSlots];
    std::copy(launcherState.menuItems, launcherState.menuItems + kMenuItemSlots, before);
    std::memcpy(launcherState.menuFilePath, path.c_str(), path.size() + 1);

    // What the menu reads at start-up, from its built-in look on.
    launcherState.view = ViewSettings{};
    readViewSettings();
    resetLanguageState();
    loadLanguageSectionFor(languageIndex);
    loadMenuItems();

    launcherState.textCharset = charsetOnSystemsOf(launcherState.textCharset, codePage);
    launcherState.itemFont = createItemFont();
    launcherState.commentFont = createCommentFont();
    launcherState.backgroundBitmap = picture_;
    launcherState.hoverIndex = -1;
    drawFrames();
    if (launcherState.itemFont != nullptr) DeleteObject(launcherState.itemFont);
    if (launcherState.commentFont != nullptr) DeleteObject(launcherState.commentFont);

    keepTexts(codePage);
    garbled_ =
        !sectionsGarbledOn(GetACP(), {{languageIndex, codePage, beyondAscii(bytes)}}).empty();
    for (int slot = 0; slot < kMenuItemSlots; ++slot) {
        entries_[slot] = launcherState.menuItems[slot];
        launcherState.menuItems[slot] = before[slot];
    }
    if (hover_ != -1 && (entries_[hover_] == nullptr || entries_[hover_]->empty)) hover_ = -1;
    return true;
}

void MenuPreview::drawFrames() {
    HDC dc = frames_.canvas(0);
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    paintMenu(frames_.window(), dc);
    // Each entry lit over the menu as it opens, as the pointer entering it draws it.
    for (int slot = 0; slot < kMenuItemSlots; ++slot) {
        const MenuItem* item = launcherState.menuItems[slot];
        if (item == nullptr || item->empty) continue;
        frames_.copy(0, 1 + slot);
        dc = frames_.canvas(1 + slot);
        drawMenuItem(dc, slot, 1);
        drawCommentBox(dc, slot);
    }
    // The menu's fonts leave the device before they go.
    SelectObject(dc, font);
}

void MenuPreview::keepTexts(unsigned codePage) {
    sectionInForce_ = launcherState.languageIndex;
    title_ = wideFromCodePage(launcherState.menuTitle, codePage);
    prompt_ = wideFromCodePage(launcherState.menuPrompt, codePage);
    for (int slot = 0; slot < kMenuItemSlots; ++slot) {
        const MenuItem* item = launcherState.menuItems[slot];
        captions_[slot] = item == nullptr || item->empty
                              ? std::wstring()
                              : wideFromCodePage(item->caption, codePage);
    }
}

void MenuPreview::releaseEntries() {
    for (MenuItem*& entry : entries_) {
        releaseMenuItem(entry);
        entry = nullptr;
    }
}

std::wstring MenuPreview::description() const {
    if (language_ == -1) return {};
    std::wstring text =
        previewLanguageName(language_) + L": section [" + std::to_wstring(language_) + L"]";
    if (sectionInForce_ != language_)
        text +=
            L" has no title, so the menu shows section [" + std::to_wstring(sectionInForce_) + L"]";
    text += title_.empty() ? L". No title." : L". Title: " + title_ + L".";
    std::wstring entries;
    for (int slot = 0; slot < kMenuItemSlots; ++slot) {
        if (captions_[slot].empty()) continue;
        entries += (entries.empty() ? L" Entries: " : L"; ") + std::to_wstring(slot + 1) + L". " +
                   captions_[slot];
    }
    text += entries.empty() ? L" No entries." : entries + L".";
    if (!prompt_.empty()) text += L" Prompt: " + prompt_;
    return text;
}

std::wstring MenuPreview::litText() const {
    if (hover_ < 0) return {};
    return L"Lit: " + std::to_wstring(hover_ + 1) + L". " + captions_[hover_] + L".";
}

int MenuPreview::entryAt(int x, int y) const {
    if (language_ == -1) return -1;
    // The menu's hit test reads the entries from its state: lent them for the call.
    const std::int32_t count = launcherState.itemCount;
    MenuItem* kept[kMenuItemSlots];
    std::copy(launcherState.menuItems, launcherState.menuItems + kMenuItemSlots, kept);
    launcherState.itemCount = kMenuItemSlots;
    std::copy(entries_, entries_ + kMenuItemSlots, launcherState.menuItems);
    const int slot = itemFromPoint(x, y);
    std::copy(kept, kept + kMenuItemSlots, launcherState.menuItems);
    launcherState.itemCount = count;
    return slot;
}

void MenuPreview::setHover(int slot) {
    const bool shown = language_ != -1 && slot >= 0 && slot < kMenuItemSlots &&
                       entries_[slot] != nullptr && !entries_[slot]->empty;
    hover_ = shown ? slot : -1;
}

void MenuPreview::paint(HDC dc, int x, int y) const {
    if (language_ == -1) return;
    frames_.paint(dc, x, y, hover_ + 1);
}
