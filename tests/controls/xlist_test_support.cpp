// Helpers for the list control's tests.
#include "xlist_test_support.h"

#include <gtest/gtest.h>

#include <map>

#include "controls/list/registered_messages.h"
#include "framework/winapp.h"
#include "xlist_test_dialogs.h"

namespace xlisttest {

void AddColumns(CListCtrl& list, std::initializer_list<int> widths) {
    int i = 0;
    for (int cx : widths) {
        wchar_t name[8];
        swprintf(name, 8, L"C%d", i);
        list.InsertColumn(i++, name, LVCFMT_LEFT, cx);
    }
}

// --- Frame -----------------------------------------------------------------------------------

BOOL CListFrame::Create(int x, int y, int cx, int cy, DWORD dwListStyle) {
    if (!CreateEx(0, AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE)),
                  L"list frame", WS_POPUP | WS_BORDER, CRect(x, y, x + cx, y + cy), nullptr, 0))
        return FALSE;
    ShowWindow(SW_SHOWNOACTIVATE);
    CRect rc;
    GetClientRect(&rc);
    return m_list.CreateEx(0, WC_LISTVIEWW, L"",
                           WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | dwListStyle, rc, this,
                           IDC_XLIST);
}

// --- Pixels ----------------------------------------------------------------------------------

CClientPixels::CClientPixels(HWND hWnd) {
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    m_nWidth = rc.Width();
    m_nHeight = rc.Height();
    m_pixels.assign(static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight), 0);

    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_nWidth;
    bmi.bmiHeader.biHeight = -m_nHeight; // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;

    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CClientDC screen(pWnd);
    CDC memory;
    memory.CreateCompatibleDC(screen);
    void* pBits = nullptr;
    CBitmap bitmap;
    bitmap.Attach(::CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    if (!bitmap.GetSafeHandle() || !pBits)
        return;
    {
        CSelectObject select(memory, bitmap);
        memory.BitBlt(0, 0, m_nWidth, m_nHeight, screen, 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    const auto* p = static_cast<const DWORD*>(pBits);
    for (size_t i = 0; i < m_pixels.size(); ++i)
        m_pixels[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
}

COLORREF CClientPixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return CLR_INVALID;
    return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_nWidth) +
                    static_cast<size_t>(x)];
}

std::vector<POINT> CClientPixels::Find(const RECT& rc, COLORREF cr) const {
    std::vector<POINT> found;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (At(x, y) == cr)
                found.push_back({x, y});
    return found;
}

bool CClientPixels::AllOf(const RECT& rc, COLORREF cr) const {
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (At(x, y) != cr)
                return false;
    return true;
}

// --- Messages and input ----------------------------------------------------------------------

void PumpFor(int nMilliseconds) {
    DWORD dwEnd = ::GetTickCount() + static_cast<DWORD>(nMilliseconds);
    MSG msg;
    while (static_cast<int>(dwEnd - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg, nullptr)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    CWnd::DeleteTempMap();
}

void MoveMouseTo(HWND hWnd, POINT client) {
    POINT pt = client;
    ::ClientToScreen(hWnd, &pt);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = pt.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = pt.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
    // Absolute coordinates are scaled; land on the exact pixel.
    ::SetCursorPos(pt.x, pt.y);
}

void ClickAt(HWND hWnd, POINT client) {
    MoveMouseTo(hWnd, client);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
}

void PressKey(WORD vk) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
}

// --- System colours --------------------------------------------------------------------------

namespace {

using GetSysColorFn = DWORD(WINAPI*)(int);

std::map<int, COLORREF>& Overrides() {
    static std::map<int, COLORREF> overrides;
    return overrides;
}

GetSysColorFn RealGetSysColor() {
    static auto pfn = reinterpret_cast<GetSysColorFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetSysColor")));
    return pfn;
}

DWORD WINAPI OverriddenGetSysColor(int nIndex) {
    auto it = Overrides().find(nIndex);
    return it != Overrides().end() ? it->second : RealGetSysColor()(nIndex);
}

// Points this module's import of GetSysColor at pfn.
void PatchGetSysColorImport(GetSysColorFn pfnFrom, GetSysColorFn pfnTo) {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    for (; desc->Name; ++desc) {
        auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (; thunk->u1.Function; ++thunk) {
            if (thunk->u1.Function != reinterpret_cast<ULONG_PTR>(pfnFrom))
                continue;
            DWORD dwOld = 0;
            ::VirtualProtect(&thunk->u1.Function, sizeof(ULONG_PTR), PAGE_READWRITE, &dwOld);
            thunk->u1.Function = reinterpret_cast<ULONG_PTR>(pfnTo);
            ::VirtualProtect(&thunk->u1.Function, sizeof(ULONG_PTR), dwOld, &dwOld);
        }
    }
}

} // namespace

CSysColorOverride::CSysColorOverride(int nIndex, COLORREF cr) : m_nIndex(nIndex) {
    if (Overrides().empty())
        PatchGetSysColorImport(RealGetSysColor(), &OverriddenGetSysColor);
    Overrides()[nIndex] = cr;
}

CSysColorOverride::~CSysColorOverride() {
    Overrides().erase(m_nIndex);
    if (Overrides().empty())
        PatchGetSysColorImport(&OverriddenGetSysColor, RealGetSysColor());
}

// --- Script dialog ---------------------------------------------------------------------------

namespace {

constexpr UINT_PTR kScriptTimer = 9001;
constexpr UINT kScriptInterval = 20;

} // namespace

BEGIN_MESSAGE_MAP(CScriptDialog, CDialog)
ON_WM_TIMER()
ON_REGISTERED_MESSAGE(WM_XLISTCTRL_CHECKBOX_CLICKED, OnCheckboxClicked)
ON_REGISTERED_MESSAGE(WM_XLISTCTRL_COMBO_SELECTION, OnComboSelection)
ON_NOTIFY(LVN_COLUMNCLICK, IDC_XLIST, OnColumnClick)
END_MESSAGE_MAP()

CScriptDialog::CScriptDialog() : CDialog(IDD_XLIST_HOST) {}

void CScriptDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_XLIST, m_list);
}

BOOL CScriptDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // As the main form has it: a click anywhere in a row selects the row.
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    if (m_onInit)
        m_onInit(m_list);
    m_dwStepStart = ::GetTickCount();
    SetTimer(kScriptTimer, kScriptInterval);
    return TRUE;
}

void CScriptDialog::Then(std::function<void()> step) {
    m_steps.push_back({[step] {
                           step();
                           return true;
                       },
                       "step", 0});
}

void CScriptDialog::WaitUntil(std::function<bool()> pred, const char* what, int nTimeout) {
    m_steps.push_back({std::move(pred), what, nTimeout});
}

void CScriptDialog::Wait(int nMilliseconds) {
    auto* pStart = &m_dwStepStart;
    m_steps.push_back({[pStart, nMilliseconds] {
                           return static_cast<int>(::GetTickCount() - *pStart) >= nMilliseconds;
                       },
                       "pause", nMilliseconds + 5000});
}

void CScriptDialog::ClickCell(int nItem, int nSubItem, int dx) {
    Then([this, nItem, nSubItem, dx] {
        ClickAt(m_list.m_hWnd, CellPoint(m_list, nItem, nSubItem, dx));
    });
}

bool CScriptDialog::Run() {
    // The script starts once the dialog is on screen and in front.
    m_steps.insert(m_steps.begin(), {[this] { return IsWindowVisible() != FALSE; }, "shown", 5000});
    m_steps.insert(m_steps.begin() + 1, {[this] {
                                             SetForegroundWindow();
                                             m_list.SetFocus();
                                             return true;
                                         },
                                         "foreground", 0});
    DoModal();
    return !m_bTimedOut;
}

void CScriptDialog::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kScriptTimer)
        return;
    // A step may run a nested loop of its own; the timer must not start another step then.
    KillTimer(kScriptTimer);
    if (m_nStep < m_steps.size()) {
        Step& step = m_steps[m_nStep];
        if (step.run()) {
            // One step per tick, so that the input and timers of each step are handled first.
            ++m_nStep;
            m_dwStepStart = ::GetTickCount();
        } else if (static_cast<int>(::GetTickCount() - m_dwStepStart) > step.nTimeout) {
            ADD_FAILURE() << "timed out waiting for: " << step.what;
            m_bTimedOut = true;
            EndDialog(IDABORT);
            return;
        }
    }
    if (m_nStep >= m_steps.size()) {
        EndDialog(IDOK);
        return;
    }
    SetTimer(kScriptTimer, kScriptInterval);
}

LRESULT CScriptDialog::OnCheckboxClicked(WPARAM wParam, LPARAM lParam) {
    int nItem = static_cast<int>(wParam);
    int nSubItem = static_cast<int>(lParam);
    m_notices.push_back({WM_XLISTCTRL_CHECKBOX_CLICKED, nItem, nSubItem,
                         m_list.GetHeaderCheck(nSubItem), m_list.GetItemText(nItem, nSubItem)});
    return 0;
}

LRESULT CScriptDialog::OnComboSelection(WPARAM wParam, LPARAM lParam) {
    int nItem = static_cast<int>(wParam);
    int nSubItem = static_cast<int>(lParam);
    m_notices.push_back({WM_XLISTCTRL_COMBO_SELECTION, nItem, nSubItem,
                         m_list.GetHeaderCheck(nSubItem), m_list.GetItemText(nItem, nSubItem)});
    return 0;
}

void CScriptDialog::OnColumnClick(NMHDR* pNMHDR, LRESULT*) {
    int nSubItem = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    m_notices.push_back({WM_NOTIFY, -1, nSubItem, m_list.GetHeaderCheck(nSubItem), CString()});
}

// --- Geometry --------------------------------------------------------------------------------

CRect CellRect(CXListCtrl& list, int nItem, int nSubItem) {
    CRect rc;
    list.GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, rc);
    return rc;
}

POINT CellPoint(CXListCtrl& list, int nItem, int nSubItem, int dx) {
    CRect rc = CellRect(list, nItem, nSubItem);
    return {rc.CenterPoint().x + dx, rc.CenterPoint().y};
}

HWND FindDropListWindow() {
    struct Search {
        HWND hFound = nullptr;
    } search;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            wchar_t name[16] = {};
            HWND hChild = ::GetWindow(hWnd, GW_CHILD);
            if (hChild)
                ::GetClassNameW(hChild, name, 16);
            if (::IsWindowVisible(hWnd) && _wcsicmp(name, L"ListBox") == 0) {
                reinterpret_cast<Search*>(lParam)->hFound = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

} // namespace xlisttest
