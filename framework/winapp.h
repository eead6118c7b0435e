// CWinApp: the application object and the program entry; the library's global helpers.
#pragma once

#include "framework/module.h"
#include "framework/wnd.h"

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)

public:
    // lpszAppName null takes the name from the executable.
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Data members
    HINSTANCE m_hInstance = nullptr;
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWDEFAULT;
    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;
    CString m_strExeName;

    // Overridables. When InitInstance returns FALSE the process ends with no message loop.
    virtual BOOL InitApplication() { return TRUE; }
    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();
    virtual int ExitInstance() { return 0; }

    // Called by the entry point.
    int WinMain(HINSTANCE hInstance, LPWSTR lpCmdLine, int nCmdShow);

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// Registers a class; a class of that name already registered in the module counts as success.
BOOL AfxRegisterClass(WNDCLASSW* lpWndClass);
// Registers (once) and names a class with these attributes and the default window procedure;
// windows created through the library are bound to their object before their first message.
LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                            HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// The pre-translation every message loop of the library runs: message filters first, then
// the PreTranslateMessage chain from the target window up to hWndStop.
BOOL AfxPreTranslateMessage(MSG* pMsg, HWND hWndStop);
// Filters see every message before the PreTranslateMessage chain (tool tips use one).
using AfxMessageFilter = void (*)(MSG* pMsg);
void AfxAddMessageFilter(AfxMessageFilter filter);
