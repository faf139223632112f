// The one process-wide state of the menu: filled by start-up and configuration before the
// window opens, read by the window afterwards. Zero at process start except the defaults
// written in the initialisers below.
#pragma once

#include <cstdint>

#include "config/view_settings.h"

// Handles are declared through the platform's own strict handle structs, so this header
// needs no <windows.h> and the platform-independent logic compiles on any host. In a
// Windows translation unit the fields have exactly the types HINSTANCE, HFONT and so on.
struct HINSTANCE__;
struct HFONT__;
struct HBITMAP__;
struct HICON__;

class MenuItem;

constexpr int kPathSize = 260;       // a path or the title, with its terminating NUL
constexpr int kTextLineSize = 1024;  // the prompt or one entry line, with its NUL
constexpr int kMenuItemSlots = 5;    // entry keys "1" to "5"

struct LauncherState {
    // Start-up and shutdown.
    HINSTANCE__* instanceHandle = nullptr;
    void* instanceMutex = nullptr;
    HFONT__* itemFont = nullptr;
    HFONT__* commentFont = nullptr;

    // Menu file and media root.
    char menuFilePath[kPathSize] = {};
    char mediaRoot[kPathSize] = {};

    // The section "View" over its built-in defaults.
    ViewSettings view;

    // Language section.
    std::int32_t languageIndex = 0;
    char sectionName[12] = {};  // the decimal text of any 32-bit number
    char menuTitle[kPathSize] = {};
    char menuPrompt[kTextLineSize] = {};
    std::uint8_t textCharset = 0;

    // Menu entries.
    MenuItem* menuItems[kMenuItemSlots] = {};
    std::int32_t itemCount = 0;

    // The menu window's own images.
    HBITMAP__* backgroundBitmap = nullptr;
    HICON__* bigIcon = nullptr;
    HICON__* smallIcon = nullptr;

    // The entry last seen under the pointer, -1 for none.
    std::int32_t hoverIndex = -1;
};

extern LauncherState launcherState;
