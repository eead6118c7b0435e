// Real input through SendInput.
#include "tests/support/input.h"

#include <vector>

namespace input {

void MoveMouse(POINT screen) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Absolute positions are in 1/65536 of the primary screen.
    in.mi.dx = ::MulDiv(screen.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = ::MulDiv(screen.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
    ::SetCursorPos(screen.x, screen.y); // the scaled position may miss the exact pixel
}

void MouseButton(bool bDown, bool bRight) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = bRight ? (bDown ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                           : (bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    ::SendInput(1, &in, sizeof(in));
}

void MoveMouseTo(HWND hWnd, POINT client) {
    POINT pt = client;
    ::ClientToScreen(hWnd, &pt);
    MoveMouse(pt);
}

void ClickAt(HWND hWnd, POINT client) {
    MoveMouseTo(hWnd, client);
    MouseButton(true);
    MouseButton(false);
}

void MouseMove(POINT screen) {
    MoveMouse(screen);
    ::Sleep(30);
}

void Click(POINT screen, bool bRight, int nCount) {
    MouseMove(screen);
    for (int i = 0; i < nCount; ++i) {
        Press(bRight);
        Release(bRight);
    }
}

void Press(bool bRight) {
    MouseButton(true, bRight);
    ::Sleep(20);
}

void Release(bool bRight) {
    MouseButton(false, bRight);
    ::Sleep(40);
}

void Drag(POINT from, POINT to) {
    MouseMove(from);
    MouseButton(true);
    ::Sleep(100);
    for (int step = 1; step <= 8; ++step)
        MouseMove(POINT{from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8});
    MouseButton(false);
    ::Sleep(200);
}

void PressKey(WORD vk) { PressKeys({vk}); }

void PressKeys(std::initializer_list<WORD> vks) {
    std::vector<INPUT> in(vks.size() * 2);
    size_t down = 0, up = in.size();
    for (WORD vk : vks) {
        in[down].type = in[--up].type = INPUT_KEYBOARD;
        in[down++].ki.wVk = in[up].ki.wVk = vk;
        in[up].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void TypeText(const wchar_t* text) {
    std::vector<INPUT> in;
    for (const wchar_t* p = text; p && *p; ++p) {
        for (DWORD flags : {DWORD{KEYEVENTF_UNICODE}, DWORD{KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}}) {
            INPUT key{};
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = *p;
            key.ki.dwFlags = flags;
            in.push_back(key);
        }
    }
    ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

} // namespace input
