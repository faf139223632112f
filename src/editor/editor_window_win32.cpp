#include "editor/editor_window.h"

namespace {

constexpr wchar_t kClassName[] = L"AutorunMenuEditor";

LRESULT CALLBACK editorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

HWND openEditorWindow(HINSTANCE instance, const std::wstring& open, int show) {
    (void)open;
    WNDCLASSEXW type = {};
    type.cbSize = sizeof type;
    type.lpfnWndProc = editorProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kClassName;
    if (RegisterClassExW(&type) == 0) return nullptr;
    HWND window =
        CreateWindowExW(0, kClassName, L"autorun-menu-edit", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 1200, 800, nullptr, nullptr, instance, nullptr);
    if (window != nullptr) ShowWindow(window, show);
    return window;
}

bool editorTakesMessage(HWND window, MSG& message) {
    (void)window;
    (void)message;
    return false;
}
