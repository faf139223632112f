// The editor window's controls: which there are, where they stand at the window's DPI, and
// the fields that stand for values of the menu file.
#pragma once

#include <windows.h>

#include <string>

// Control identifiers. The fields' own identifiers say which value they edit.
enum ControlId : int {
    kLanguageLabel = 100,
    kLanguageBox,
    kAddLanguage,
    kRemoveLanguage,
    kPreviewTitle,
    kPreview,
    kScaleNote,
    kTabs,
    kFindingsLabel,
    kFindings,
    kApplyFix,
    kStatus,

    // The Texts page.
    kSectionNote = 200,
    kTitleLabel,
    kTitle,
    kPromptLabel,
    kPrompt,
    kEntryLabel,
    kEntryBox,
    kCaptionLabel,
    kCaption,
    kCommandLabel,
    kCommand,
    kBrowseCommand,
    kParametersLabel,
    kParameters,
    kCommentLabel,
    kComment,
    kErrorLabel,
    kErrorText,
    kCloses,

    // The Look page: [View].
    kNumbers = 300,
    kFontLabel,
    kFontName,
    kFontSizeLabel,
    kFontSize,
    kFontBold,
    kFontItalic,
    kFontUnderlined,
    kCommentFontLabel,
    kCommentFontName,
    kCommentFontSizeLabel,
    kCommentFontSize,
    kFontColorLabel,
    kFontColor,
    kFontActiveColorLabel,
    kFontActiveColor,
    kFontCommentColorLabel,
    kFontCommentColor,
    kBkCommentColorLabel,
    kBkCommentColor,

    // The Windows page: [autorun].
    kOpenLabel = 400,
    kOpen,
    kIconLabel,
    kIcon,
    kLabelLabel,
    kLabel,
    kOfferMenu,
    kAutorunNote,
};

// The three pages of the fields.
enum class Page { Texts, Look, Windows };

// The page a control belongs to; controls outside the pages give Texts and are never hidden
// (see onPage).
Page pageOf(int id);
bool onPage(int id);

// Makes every control as a child of `window`, with its label text and accessible name.
void createForm(HWND window, HINSTANCE instance);

// Places every control for `dpi` and gives it `font`; the preview keeps 600 x 397 pixels.
void layOutForm(HWND window, UINT dpi, HFONT font);

// Shows the controls of `page` and hides those of the others.
void showPage(HWND window, Page page);

// The system's UI font at `dpi`. The caller owns it.
HFONT createUiFont(UINT dpi);

// The DPI of the monitor `window` is on (the system's DPI where Windows cannot tell).
UINT windowDpi(HWND window);

// The window size the form wants at `dpi`.
SIZE formSize(UINT dpi);

// A control's text, and setting it without the change counting as the author's edit
// (the caller suppresses the notification).
std::wstring controlText(HWND window, int id);
void setControlText(HWND window, int id, const std::wstring& text);
