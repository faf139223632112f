#include "real_input.h"

#include <vector>

#include "running_program.h"

bool movePointerTo(HWND window, int x, int y) {
    POINT target = {x, y};
    ClientToScreen(window, &target);
    if (!SetCursorPos(target.x, target.y)) return false;
    return waitUntil(
        [&] {
            POINT now;
            return GetCursorPos(&now) && now.x == target.x && now.y == target.y;
        },
        2000);
}

bool clickAt(HWND window, int x, int y) {
    if (!movePointerTo(window, x, y)) return false;
    INPUT clicks[2] = {};
    clicks[0].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].type = INPUT_MOUSE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, clicks, sizeof(INPUT)) == 2;
}

bool pressKey(WORD virtualKey, int downs) {
    INPUT key = {};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = virtualKey;
    key.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    std::vector<INPUT> keys(static_cast<std::size_t>(downs), key);
    key.ki.dwFlags = KEYEVENTF_KEYUP;
    keys.push_back(key);
    const UINT count = static_cast<UINT>(keys.size());
    return SendInput(count, keys.data(), sizeof(INPUT)) == count;
}
