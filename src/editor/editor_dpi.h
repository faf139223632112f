// The editor's one place for DPI: the DPI of a window's monitor, pixels scaled to it, the
// UI font, frame sizes and system metrics at it. Windows 10's per-monitor calls are looked
// up once; Windows 7 and 8 lack them and get the system's DPI.
#pragma once

#include <windows.h>

// The DPI of the monitor `window` is on (the system's DPI where Windows cannot tell, or for
// a null window).
UINT windowDpi(HWND window);

// `pixels` at 96 DPI, at `dpi`.
int scaled(int pixels, UINT dpi);

// The system's UI font at `dpi`. The caller owns it.
HFONT createUiFont(UINT dpi);

// The window size whose client area is `client`, for a window of these styles at `dpi`.
SIZE frameSize(SIZE client, DWORD style, bool menu, DWORD extendedStyle, UINT dpi);

// GetSystemMetrics(`index`) at `dpi`.
int systemMetric(int index, UINT dpi);
