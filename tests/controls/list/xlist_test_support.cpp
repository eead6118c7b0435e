// Helpers for the list control's tests.
#include "xlist_test_support.h"

#include <map>

#include "controls/list/registered_messages.h"
#include "xlist_test_dialogs.h"

namespace xlisttest {

void AddColumns(CListCtrl& list, std::initializer_list<int> widths) {
    int i = 0;
    for (int cx : widths)
        list.InsertColumn(i++, L"Column", LVCFMT_LEFT, cx);
}

CRect CellRect(CXListCtrl& list, int nItem, int nSubItem) {
    CRect rc;
    list.GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, rc);
    return rc;
}

POINT CellPoint(CXListCtrl& list, int nItem, int nSubItem, int dx) {
    CPoint pt = CellRect(list, nItem, nSubItem).CenterPoint();
    return {pt.x + dx, pt.y};
}

HWND FindDropListWindow() {
    HWND hFound = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            wchar_t name[16] = {};
            ::GetClassNameW(::GetWindow(hWnd, GW_CHILD), name, 16);
            if (!::IsWindowVisible(hWnd) || _wcsicmp(name, L"ListBox") != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

BOOL CListFrame::Create(int x, int y, int cx, int cy) {
    // Shown without activation, so the tests decide where the focus is.
    if (!CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_BORDER, CRect(x, y, x + cx, y + cy),
                  nullptr, 0))
        return FALSE;
    ShowWindow(SW_SHOWNOACTIVATE);
    CRect rc;
    GetClientRect(&rc);
    return m_list.CreateEx(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, rc,
                           this, IDC_XLIST);
}

// --- System colours --------------------------------------------------------------------------

namespace {

using GetSysColorFn = DWORD(WINAPI*)(int);

std::map<int, COLORREF> g_overrides;

GetSysColorFn RealGetSysColor() {
    static auto pfn = reinterpret_cast<GetSysColorFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetSysColor")));
    return pfn;
}

DWORD WINAPI OverriddenGetSysColor(int nIndex) {
    auto it = g_overrides.find(nIndex);
    return it != g_overrides.end() ? it->second : RealGetSysColor()(nIndex);
}

// Points this module's import of GetSysColor from pfnFrom to pfnTo.
void PatchImport(GetSysColorFn pfnFrom, GetSysColorFn pfnTo) {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + rva); desc->Name; ++desc) {
        for (auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
             thunk->u1.Function; ++thunk) {
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
    if (g_overrides.empty())
        PatchImport(RealGetSysColor(), &OverriddenGetSysColor);
    g_overrides[nIndex] = cr;
}

CSysColorOverride::~CSysColorOverride() {
    g_overrides.erase(m_nIndex);
    if (g_overrides.empty())
        PatchImport(&OverriddenGetSysColor, RealGetSysColor());
}

// --- Script dialog ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CScriptDialog, test::CScriptedDialog)
ON_REGISTERED_MESSAGE(WM_XLISTCTRL_CHECKBOX_CLICKED, OnCheckboxClicked)
ON_REGISTERED_MESSAGE(WM_XLISTCTRL_COMBO_SELECTION, OnComboSelection)
ON_NOTIFY(LVN_COLUMNCLICK, IDC_XLIST, OnColumnClick)
END_MESSAGE_MAP()

CScriptDialog::CScriptDialog() : test::CScriptedDialog(IDD_XLIST_HOST) {
    Then([this] {
        SetForegroundWindow();
        m_list.SetFocus();
    });
}

void CScriptDialog::DoDataExchange(CDataExchange* pDX) {
    test::CScriptedDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_XLIST, m_list);
}

BOOL CScriptDialog::OnInitDialog() {
    test::CScriptedDialog::OnInitDialog();
    SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    if (m_onInit)
        m_onInit(m_list);
    return TRUE;
}

void CScriptDialog::ClickCell(int nItem, int nSubItem, int dx) {
    Then([this, nItem, nSubItem, dx] {
        ClickAt(m_list.m_hWnd, CellPoint(m_list, nItem, nSubItem, dx));
    });
}

LRESULT CScriptDialog::RecordCellNotice(UINT message, WPARAM wParam, LPARAM lParam) {
    auto nItem = static_cast<int>(wParam);
    auto nSubItem = static_cast<int>(lParam);
    m_notices.push_back({message, nItem, nSubItem, m_list.GetHeaderCheck(nSubItem),
                         m_list.GetItemText(nItem, nSubItem)});
    return 0;
}

LRESULT CScriptDialog::OnCheckboxClicked(WPARAM wParam, LPARAM lParam) {
    return RecordCellNotice(WM_XLISTCTRL_CHECKBOX_CLICKED, wParam, lParam);
}

LRESULT CScriptDialog::OnComboSelection(WPARAM wParam, LPARAM lParam) {
    return RecordCellNotice(WM_XLISTCTRL_COMBO_SELECTION, wParam, lParam);
}

void CScriptDialog::OnColumnClick(NMHDR* pNMHDR, LRESULT*) {
    int nSubItem = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    m_notices.push_back({WM_NOTIFY, -1, nSubItem, m_list.GetHeaderCheck(nSubItem), CString()});
}

} // namespace xlisttest
