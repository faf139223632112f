#include "editor/preview/preview_frames.h"

#include <windows.h>

#include <cstring>

#include "brand/picture/menu_frame.h"
#include "checker/contrast.h"

namespace {

constexpr wchar_t kWindowClass[] = L"AutorunMenuPreviewFrame";
constexpr std::size_t kFrameBytes = static_cast<std::size_t>(menuWidth) * menuHeight * 4;

// A 600 x 397 DIB section of 32 bits a pixel, rows from the top; its pixels in `pixels`.
HBITMAP frameBitmap(void*& pixels) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = menuWidth;
    info.bmiHeader.biHeight = -menuHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr || pixels == nullptr) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

bool registerWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A popup without frame or caption: its client area is the whole window. Never shown.
HWND frameWindow() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerWindowClass(instance)) return nullptr;
    HWND window = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, menuWidth, menuHeight,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return nullptr;
    RECT client = {};
    if (!GetClientRect(window, &client) || client.right - client.left != menuWidth ||
        client.bottom - client.top != menuHeight) {
        DestroyWindow(window);
        return nullptr;
    }
    return window;
}

}  // namespace

PreviewFrames::~PreviewFrames() {
    if (canvas_ != nullptr) {
        if (canvasBitmap_ != nullptr) SelectObject(canvas_, canvasBitmap_);
        DeleteDC(canvas_);
    }
    for (HBITMAP frame : frames_) {
        if (frame != nullptr) DeleteObject(frame);
    }
    if (window_ != nullptr) DestroyWindow(window_);
}

bool PreviewFrames::ready() {
    if (window_ != nullptr) return true;
    if (canvas_ == nullptr) {
        canvas_ = CreateCompatibleDC(nullptr);
        if (canvas_ == nullptr) return false;
    }
    for (int frame = 0; frame < kCount; ++frame) {
        if (frames_[frame] == nullptr) frames_[frame] = frameBitmap(pixels_[frame]);
        if (frames_[frame] == nullptr) return false;
    }
    if (canvasBitmap_ == nullptr) {
        canvasBitmap_ = SelectObject(canvas_, frames_[0]);
        if (canvasBitmap_ == nullptr) return false;
    }
    window_ = frameWindow();
    return window_ != nullptr;
}

HDC PreviewFrames::canvas(int frame) {
    SelectObject(canvas_, frames_[frame]);
    return canvas_;
}

void PreviewFrames::copy(int from, int to) {
    // What GDI still has to draw lands in the pixels first.
    GdiFlush();
    std::memcpy(pixels_[to], pixels_[from], kFrameBytes);
}

void PreviewFrames::paint(HDC dc, int x, int y, int frame) const {
    if (window_ == nullptr) return;
    SelectObject(canvas_, frames_[frame]);
    BitBlt(dc, x, y, menuWidth, menuHeight, canvas_, 0, 0, SRCCOPY);
}

HBITMAP pictureBitmap(const Picture& picture) {
    if (picture.width != menuWidth || picture.height != menuHeight ||
        picture.pixels.size() != static_cast<std::size_t>(menuWidth) * menuHeight) {
        return nullptr;
    }
    void* pixels = nullptr;
    HBITMAP bitmap = frameBitmap(pixels);
    if (bitmap == nullptr) return nullptr;
    auto* quads = static_cast<std::uint32_t*>(pixels);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        // Red in the lowest byte to the DIB's blue, green, red in memory order.
        const std::uint32_t p = picture.pixels[i];
        quads[i] = (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF);
    }
    return bitmap;
}
