// The application object, its message loop, and the library's global helpers.
#include "framework/winapp.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "framework/module_path.h"

namespace {

CWinApp* g_pApp = nullptr;

std::vector<AfxMessageFilter>& Filters() {
    static std::vector<AfxMessageFilter> filters;
    return filters;
}

} // namespace

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCWSTR lpszAppName) {
    g_pApp = this;
    if (lpszAppName)
        m_strAppName = lpszAppName;
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

int CWinApp::WinMain(HINSTANCE hInstance, LPWSTR lpCmdLine, int nCmdShow) {
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;

    AfxSetInstanceHandle(hInstance);

    CString exe = AfxGetModulePath();
    exe = exe.Mid(exe.ReverseFind(L'\\') + 1);
    int dot = exe.ReverseFind(L'.');
    m_strExeName = dot >= 0 ? exe.Left(dot) : exe;
    if (m_strAppName.IsEmpty())
        m_strAppName = m_strExeName;

    if (!InitApplication() || !InitInstance()) {
        if (m_pMainWnd && m_pMainWnd->m_hWnd)
            m_pMainWnd->DestroyWindow();
        return ExitInstance();
    }
    return Run();
}

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0)) {
        if (!AfxPreTranslateMessage(&msg, m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        CWnd::DeleteTempMap();
    }
    ExitInstance();
    return static_cast<int>(msg.wParam);
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }

BOOL AfxRegisterClass(WNDCLASSW* lpWndClass) {
    WNDCLASSW existing{};
    if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassW(lpWndClass) != 0;
}

LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    // Names must outlive the registration, so they are kept for the life of the process.
    static std::set<std::wstring> names;
    wchar_t name[96];
    _snwprintf(name, 96, L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()),
               nClassStyle, static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
               static_cast<void*>(hIcon));
    name[95] = 0;
    const std::wstring& kept = *names.insert(name).first;

    WNDCLASSW wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = kept.c_str();
    return AfxRegisterClass(&wc) ? kept.c_str() : nullptr;
}

void AfxAddMessageFilter(AfxMessageFilter filter) {
    auto& filters = Filters();
    if (std::find(filters.begin(), filters.end(), filter) == filters.end())
        filters.push_back(filter);
}

BOOL AfxPreTranslateMessage(MSG* pMsg, HWND hWndStop) {
    for (AfxMessageFilter filter : Filters())
        filter(pMsg);
    return CWnd::WalkPreTranslateTree(hWndStop, pMsg);
}
