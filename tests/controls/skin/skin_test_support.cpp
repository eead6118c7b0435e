// The common dialogs answered as a user would.
#include "skin_test_support.h"

#include <commdlg.h>
#include <dlgs.h>

#include <utility>

#include "tests/support/window_finder.h"

namespace skintest {

namespace {

CDialogAnswerer* g_pAnswerer = nullptr;

// The visible dialog of this thread that hOwner owns, or null.
HWND FindOwnedDialog(HWND hOwner) {
    return FindFirstWindow({.processId = ::GetCurrentProcessId(),
                            .className = L"#32770",
                            .visibleOnly = true,
                            .accept = [hOwner](HWND hWnd) {
                                return ::GetWindow(hWnd, GW_OWNER) == hOwner &&
                                       ::GetWindowThreadProcessId(hWnd, nullptr) ==
                                           ::GetCurrentThreadId();
                            }});
}

} // namespace

CDialogAnswerer::CDialogAnswerer(HWND hOwner, std::vector<std::wstring> steps)
    : m_hOwner(hOwner), m_steps(std::move(steps)) {
    g_pAnswerer = this;
    m_nTimer = ::SetTimer(nullptr, 0, 100, &CDialogAnswerer::OnTick);
}

CDialogAnswerer::CDialogAnswerer(HWND hOwner, std::function<void(HWND hDialog)> answer)
    : CDialogAnswerer(hOwner, std::vector<std::wstring>()) {
    m_answer = std::move(answer);
}

CDialogAnswerer::~CDialogAnswerer() {
    ::KillTimer(nullptr, m_nTimer);
    g_pAnswerer = nullptr;
}

void CALLBACK CDialogAnswerer::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_pAnswerer)
        g_pAnswerer->Tick();
}

void CDialogAnswerer::Tick() {
    HWND hFound = FindOwnedDialog(m_hOwner);
    if (!hFound)
        return;
    // A message box over the dialog is answered first.
    if (HWND hBox = FindOwnedDialog(hFound)) {
        ::PostMessageW(hBox, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (hFound != m_hDialog) {
        m_hDialog = hFound;
        ++m_nSeen;
        m_nTicks = 0;
    }
    // Each step waits a few ticks, so the dialog has taken the previous one in.
    if (++m_nTicks % 5 != 0)
        return;
    if (m_answer) {
        std::exchange(m_answer, nullptr)(m_hDialog);
        return;
    }
    if (m_nStep >= m_steps.size()) {
        ::PostMessageW(m_hDialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND hName = ::GetDlgItem(m_hDialog, cmb13);
    if (!hName)
        hName = ::GetDlgItem(m_hDialog, edt1);
    if (hName)
        ::SetFocus(hName);
    ::SendMessageW(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    TypeText(m_steps[m_nStep++].c_str());
    PressKey(VK_RETURN);
}

} // namespace skintest
