// Shared by the skinned control tests: real input, waiting inside any message loop, and the
// common file dialog answered as a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "../test_support.h"
#include "tests/real_input.h"

namespace skintest {

void MoveMouseTo(HWND hWnd, POINT client);
using input::MouseButton;
using input::PressKey;
using input::TypeText;

// Pumps messages, as the library's loops do, until done() holds or nMilliseconds passed.
bool PumpUntil(const std::function<bool()>& done, DWORD nMilliseconds = 5000);

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
