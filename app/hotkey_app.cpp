// Start-up: the single-instance check, the window class the driver looks for, the main form.
#include "app/hotkey_app.h"

#include <commctrl.h>

#include <memory>

#include "app/hotkey_form.h"

namespace {

constexpr const wchar_t* kMutexName = L"HotkeyForm";

} // namespace

CHotkeyApp theApp;

CHotkeyApp::CHotkeyApp() : CWinApp(nullptr) {}

BOOL CHotkeyApp::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    // Another instance owns the name.
    if (CKernelObject(::OpenMutexW(0, FALSE, kMutexName)))
        return FALSE;
    // Creating the name and learning that it already existed is one step, so of several
    // processes started at once only one continues. The application object keeps the handle:
    // the name must exist exactly as long as this instance.
    HANDLE hMutex = ::CreateMutexW(nullptr, TRUE, kMutexName);
    bool bAlreadyExists = ::GetLastError() == ERROR_ALREADY_EXISTS;
    m_instanceMutex.Attach(hMutex);
    if (bAlreadyExists)
        return FALSE;

    // The driver finds the form by this class: the system dialog class under another name.
    WNDCLASSW wc{};
    if (::GetClassInfoW(AfxGetInstanceHandle(), L"#32770", &wc)) {
        wc.lpszClassName = kFormClassName;
        AfxRegisterClass(&wc);
    }

    auto form = std::make_unique<CHotkeyFormDlg>();
    m_pMainWnd = form.get();
    form->DoModal();
    m_pMainWnd = nullptr;
    form.reset();
    return FALSE;
}
