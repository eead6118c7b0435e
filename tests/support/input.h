// The user's mouse and keyboard for the tests: real input through the system's input queue,
// so that it reaches windows of this process and of others alike.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace input {

// Moves the mouse to the screen point, to the exact pixel.
void MoveMouse(POINT screen);
// Moves the mouse to a point of the window's client area.
void MoveMouseTo(HWND hWnd, POINT client);
void MouseButton(bool bDown, bool bRight = false);
// A left press and release at a point of the window's client area, queued at once: the
// caller's message loop takes them in.
void ClickAt(HWND hWnd, POINT client);

// The same as a hand on the mouse, paced so that another process takes in each step before
// the next.
void MouseMove(POINT screen);
void Click(POINT screen, bool bRight = false, int nCount = 1);
void Press(bool bRight);
void Release(bool bRight);
void Drag(POINT from, POINT to);

void PressKey(WORD vk);
// Presses the keys in order and releases them in reverse, as a chord.
void PressKeys(std::initializer_list<WORD> vks);
// Types the text as characters, whatever the keyboard layout.
void TypeText(const wchar_t* text);

} // namespace input
