#include "editor/editor_dpi.h"

namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using SystemParametersForDpiCall = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using AdjustForDpiCall = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using MetricsForDpiCall = int(WINAPI*)(int, UINT);

template <typename Call>
Call user32Call(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    // Through void*, the documented way to turn FARPROC into the call's own type.
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

int systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

UINT windowDpi(HWND window) {
    static const auto forWindow = user32Call<GetDpiForWindowCall>("GetDpiForWindow");
    if (forWindow != nullptr && window != nullptr) {
        const UINT dpi = forWindow(window);
        if (dpi != 0) return dpi;
    }
    return static_cast<UINT>(systemDpi());
}

int scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

HFONT createUiFont(UINT dpi) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    static const auto forDpi = user32Call<SystemParametersForDpiCall>("SystemParametersInfoForDpi");
    if (forDpi != nullptr &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi) != FALSE) {
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) == FALSE) {
        return nullptr;
    }
    // The metrics are for the system's DPI: scale them to the window's.
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), systemDpi());
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

SIZE frameSize(SIZE client, DWORD style, bool menu, DWORD extendedStyle, UINT dpi) {
    RECT frame = {0, 0, client.cx, client.cy};
    static const auto forDpi = user32Call<AdjustForDpiCall>("AdjustWindowRectExForDpi");
    if (forDpi == nullptr || !forDpi(&frame, style, menu ? TRUE : FALSE, extendedStyle, dpi)) {
        frame = {0, 0, client.cx, client.cy};
        AdjustWindowRectEx(&frame, style, menu ? TRUE : FALSE, extendedStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

int systemMetric(int index, UINT dpi) {
    static const auto forDpi = user32Call<MetricsForDpiCall>("GetSystemMetricsForDpi");
    if (forDpi != nullptr) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), systemDpi());
}
