// The user's mouse and keyboard for the tests: real input through the system's input queue,
// so that it reaches windows of this process and of others alike.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace input {

// Moves the mouse to the screen point, to the exact pixel.
void MoveMouse(POINT screen);
void MouseButton(bool bDown, bool bRight = false);
void PressKey(WORD vk);
// Presses the keys in order and releases them in reverse, as a chord.
void PressKeys(std::initializer_list<WORD> vks);
// Types the text as characters, whatever the keyboard layout.
void TypeText(const wchar_t* text);

} // namespace input
