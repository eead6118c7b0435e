// Shared by the skinned control tests: the support library's input and pumps, and the common
// file dialog answered as a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/winapp.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/pixels.h"

namespace skintest {

using input::MouseButton;
using input::MoveMouseTo;
using input::PressKey;
using input::TypeText;
using test::PumpUntil;

// While alive, answers each dialog owned by hOwner that opens on this thread. A file dialog
// gets each step typed into its file-name field and Enter pressed; any dialog gets answer
// called once; a dialog with nothing left to do is cancelled.
class CDialogAnswerer {
public:
    CDialogAnswerer(HWND hOwner, std::vector<std::wstring> steps);
    CDialogAnswerer(HWND hOwner, std::function<void(HWND hDialog)> answer);
    ~CDialogAnswerer();
    CDialogAnswerer(const CDialogAnswerer&) = delete;
    CDialogAnswerer& operator=(const CDialogAnswerer&) = delete;

    int DialogsSeen() const { return m_nSeen; }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    HWND m_hOwner;
    std::vector<std::wstring> m_steps;
    std::function<void(HWND)> m_answer;
    UINT_PTR m_nTimer;
    HWND m_hDialog = nullptr;
    int m_nSeen = 0;
    int m_nTicks = 0;
    size_t m_nStep = 0;
};

} // namespace skintest
