// The common dialogs answered as a user would.
#include "skin_test_support.h"

#include <commdlg.h>
#include <dlgs.h>

#include <utility>

namespace skintest {

namespace {

CDialogAnswerer* g_pAnswerer = nullptr;

struct FindOwned {
    HWND hOwner;
    HWND hFound = nullptr;
};

BOOL CALLBACK FindOwnedDialog(HWND hWnd, LPARAM lParam) {
    auto* find = reinterpret_cast<FindOwned*>(lParam);
    wchar_t name[16] = {};
    ::GetClassNameW(hWnd, name, 16);
    if (::IsWindowVisible(hWnd) && wcscmp(name, L"#32770") == 0 &&
        ::GetWindow(hWnd, GW_OWNER) == find->hOwner) {
        find->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
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
    FindOwned find{m_hOwner};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&find));
    if (!find.hFound)
        return;
    // A message box over the dialog is answered first.
    FindOwned box{find.hFound};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&box));
    if (box.hFound) {
        ::PostMessageW(box.hFound, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (find.hFound != m_hDialog) {
        m_hDialog = find.hFound;
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
