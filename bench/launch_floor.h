// The launch floor program's window: its class and the message that starts its command line.
#pragma once

#include <windows.h>

namespace bench {

constexpr const wchar_t* kFloorClassName = L"HotkeyLaunchFloor";
constexpr UINT kStartMessage = WM_APP + 1;

} // namespace bench
