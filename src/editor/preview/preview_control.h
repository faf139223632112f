// The preview as a control of the editor's window: the frames of a MenuPreview, 600 x 397,
// lit under the pointer and with the arrow keys, its window text describing what it shows
// (with the lit entry) for screen readers. A click on an entry, or Enter or Space on the
// lit one, sends WM_COMMAND (id, slot) to the parent: the author chose that entry's fields.
#pragma once

#include <windows.h>

class MenuPreview;

constexpr wchar_t kPreviewControlClass[] = L"AutorunMenuPreview";

// Registers the control's class for `instance`. False when Windows refuses.
bool registerPreviewControl(HINSTANCE instance);

// The preview the control shows; it must outlive the control or be replaced first.
void setPreviewOf(HWND control, MenuPreview* preview);

// After the preview showed something new: the text for screen readers, and a repaint.
void previewChanged(HWND control);

// Paints the control's content into `dc` at (0, 0), as WM_PAINT and WM_PRINTCLIENT do.
void paintPreviewContent(HWND control, HDC dc);
