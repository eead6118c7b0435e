// Start-up: the single-instance check, the window class the driver looks for, the main form.
#include "app/session/hotkey_app.h"

#include <commctrl.h>

#include <memory>

#include "app/session/autostart.h"
#include "app/form/hotkey_form.h"
#include "app/session/single_instance.h"
#include "framework/resource_language.h"
#include "res/resource.h"

namespace {

// How long a second start waits for the form of an instance that is itself still starting.
constexpr DWORD kFindFormMs = 5000;

} // namespace

CHotkeyApp theApp;

CHotkeyApp::CHotkeyApp() : CWinApp(nullptr) {}

BOOL CHotkeyApp::InitInstance() {
    // Before the first text is loaded, on the one thread that shows texts: the block of the
    // user's display language, or the nearest one the program has.
    SetThreadResourceLanguage(FittingResourceLanguage(
        ::GetUserDefaultUILanguage(),
        ResourceLanguages(AfxGetResourceHandle(), RT_DIALOG, MAKEINTRESOURCEW(IDD_HOTKEYFORM))));

    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    // Creating the name and learning that it already existed is one step, so of several
    // processes started at once only one continues. The application object keeps the handle:
    // the name must exist exactly as long as this instance.
    HANDLE hMutex = ::CreateMutexW(nullptr, TRUE, kInstanceMutexName);
    DWORD dwError = ::GetLastError();
    m_instanceMutex.Attach(hMutex);
    if (AnotherInstanceHoldsName(hMutex, dwError)) {
        // The user who starts the program again is looking for it; the system at logon is not.
        if (!HasAutostartSwitch(m_lpCmdLine))
            ShowRunningInstance(kFindFormMs);
        return FALSE;
    }

    CHotkeyFormDlg::RegisterWindowClass();

    auto form = std::make_unique<CHotkeyFormDlg>();
    m_pMainWnd = form.get();
    form->DoModal();
    m_pMainWnd = nullptr;
    form.reset();
    return FALSE;
}
