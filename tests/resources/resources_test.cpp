// Links res/HotkeyForm.rc into the test itself and checks what the program relies on: the
// form template that the window code subclasses, the skin sizes it lays controls onto, the
// tray menu commands, the version block and the manifest that selects common controls 6.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/resource_language.h"
#include "hotkey_version.h"
#include "res/resource.h"

namespace {

HINSTANCE self() { return GetModuleHandleW(nullptr); }

std::pair<const BYTE*, DWORD> rawResource(int id, LPCWSTR type) {
    HRSRC found = FindResourceW(self(), MAKEINTRESOURCEW(id), type);
    if (!found)
        return {nullptr, 0};
    return {static_cast<const BYTE*>(LockResource(LoadResource(self(), found))),
            SizeofResource(self(), found)};
}

INT_PTR CALLBACK quietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct Child {
    int id;
    std::wstring cls, text;
    DWORD style, exStyle;
    RECT rect; // in the form's client coordinates
};

std::vector<LONG> box(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The template's rectangle in pixels; like the dialog manager, it converts position and size
// separately, which rounds differently from converting both corners.
std::vector<LONG> pixels(HWND form, int x, int y, int cx, int cy) {
    RECT r{x, y, cx, cy};
    MapDialogRect(form, &r);
    return {r.left, r.top, r.left + r.right, r.top + r.bottom};
}

// Destroys the form and its class however the test leaves.
struct FormGuard {
    HWND form = nullptr;
    ~FormGuard() {
        if (form)
            DestroyWindow(form);
        UnregisterClassW(L"THotkeyForm", GetModuleHandleW(nullptr));
    }
};

TEST(Resources, FormTemplateCreatesTheSkinnedPopupOfTheRegisteredClass) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = self();
    wc.lpszClassName = L"THotkeyForm";
    ASSERT_NE(RegisterClassExW(&wc), 0);
    FormGuard guard;

    HWND form = guard.form =
        CreateDialogParamW(self(), MAKEINTRESOURCEW(IDD_HOTKEYFORM), nullptr, quietDialog, 0);
    ASSERT_NE(form, nullptr) << GetLastError();
    // windres stores the template's class name upper-cased; class lookups ignore case, and
    // the window reports the name it was registered under.
    wchar_t name[64] = {};
    GetClassNameW(form, name, 64);
    EXPECT_STREQ(name, L"THotkeyForm");
    EXPECT_EQ(FindWindowW(L"THotkeyForm", nullptr), form);
    DWORD style = GetWindowLongW(form, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_SYSMENU | WS_VISIBLE),
              DWORD(WS_POPUP | WS_SYSMENU | WS_VISIBLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0u) << "the skin draws its own title";
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(box(client), pixels(form, 0, 0, 263, 180));

    std::vector<Child> children; // creation order is the tab order
    for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        Child child{GetDlgCtrlID(c),
                    {},
                    {},
                    DWORD(GetWindowLongW(c, GWL_STYLE)),
                    DWORD(GetWindowLongW(c, GWL_EXSTYLE)),
                    {}};
        wchar_t text[64] = {};
        GetClassNameW(c, text, 64);
        child.cls = text;
        GetWindowTextW(c, text, 64);
        child.text = text;
        GetWindowRect(c, &child.rect);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&child.rect), 2);
        children.push_back(child);
    }
    ASSERT_EQ(children.size(), 3u);
    const Child& close = children[0];
    EXPECT_EQ(close.id, IDOK);
    EXPECT_EQ(close.cls, L"Button");
    EXPECT_EQ(close.text, L"Close");
    EXPECT_EQ(close.style & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
    EXPECT_TRUE(close.style & WS_TABSTOP);
    EXPECT_EQ(box(close.rect), pixels(form, 198, 22, 50, 16));

    const Child& list = children[1];
    EXPECT_EQ(list.id, IDC_KEYLIST);
    EXPECT_EQ(list.cls, WC_LISTVIEWW);
    EXPECT_EQ(list.style & LVS_TYPEMASK, DWORD(LVS_REPORT));
    EXPECT_EQ(list.style & LVS_SINGLESEL, 0u) << "the list allows several selected rows";
    // The version 6 list view trades WS_BORDER for a client edge it can draw themed.
    EXPECT_TRUE((list.style & WS_BORDER) || (list.exStyle & WS_EX_CLIENTEDGE));
    EXPECT_TRUE(list.style & WS_TABSTOP);
    EXPECT_TRUE(list.exStyle & WS_EX_TRANSPARENT);
    EXPECT_EQ(box(list.rect), pixels(form, 16, 44, 181, 127));

    const Child& minimize = children[2];
    EXPECT_EQ(minimize.id, IDC_MINIMIZE);
    EXPECT_EQ(minimize.cls, L"Button");
    EXPECT_EQ(minimize.text, L"Minimize");
    EXPECT_EQ(minimize.style & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
    EXPECT_TRUE(minimize.style & WS_TABSTOP);
    EXPECT_EQ(box(minimize.rect), pixels(form, 143, 23, 50, 14));
}

TEST(Resources, ManifestSelectsCommonControlsSix) {
    auto [data, size] = rawResource(1, RT_MANIFEST);
    ASSERT_NE(data, nullptr);
    std::string xml(reinterpret_cast<const char*>(data), size);
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(xml.find("asInvoker"), std::string::npos);

    // The proof is which comctl32 this process actually got: version 6 is a side-by-side
    // assembly, loaded from the common-controls folder under WinSxS.
    InitCommonControls();
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH);
    CharLowerW(path);
    std::wstring loaded = path;
    EXPECT_NE(loaded.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::wstring::npos)
        << std::string(loaded.begin(), loaded.end());
}

TEST(Resources, SkinBitmapsHaveTheSizesTheLayoutAssumes) {
    struct Expect {
        int id;
        LONG width, height; // at 100 %
    };
    // Each is drawn at four scales, a step of ids apart, each size rounded as MulDiv rounds.
    for (int step = 0; step < 4; ++step) {
        const int percent[] = {100, 125, 150, 200};
        for (Expect e : {Expect{IDB_FORM_BACK, 500, 360}, Expect{IDB_DIALOG_BACK, 300, 110},
                         Expect{IDB_CLOSE_DOWN, 14, 14}, Expect{IDB_CLOSE_UP, 14, 14},
                         Expect{IDB_MIN_DOWN, 14, 14}, Expect{IDB_MIN_UP, 14, 14}}) {
            int id = e.id + step * IDB_SCALE_STEP;
            SCOPED_TRACE(id);
            auto [data, size] = rawResource(id, RT_BITMAP);
            ASSERT_NE(data, nullptr);
            BITMAPINFOHEADER header;
            memcpy(&header, data, sizeof header);
            EXPECT_EQ(header.biWidth, MulDiv(e.width, percent[step], 100));
            EXPECT_EQ(header.biHeight, MulDiv(e.height, percent[step], 100));
            EXPECT_EQ(header.biBitCount, 8);
            HBITMAP bitmap = LoadBitmapW(self(), MAKEINTRESOURCEW(id));
            BITMAP bm{};
            EXPECT_TRUE(GetObjectW(bitmap, sizeof bm, &bm)) << "the run-length encoding decodes";
            EXPECT_EQ(bm.bmWidth, header.biWidth);
            DeleteObject(bitmap);
        }
    }
}

TEST(Resources, IconHasSmallAndLargeImages) {
    auto [data, size] = rawResource(IDR_MAINFRAME, RT_GROUP_ICON);
    ASSERT_NE(data, nullptr);
    WORD count;
    memcpy(&count, data + 4, sizeof count);
    std::vector<int> widths;
    for (WORD i = 0; i < count; ++i)
        widths.push_back(data[6 + 14 * i]); // GRPICONDIRENTRY.bWidth
    EXPECT_EQ(widths, (std::vector<int>{16, 20, 24, 32, 40, 48, 64}));
    EXPECT_NE(LoadIconW(self(), MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr);
    HANDLE small = LoadImageW(self(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 16, 16, 0);
    EXPECT_NE(small, nullptr);
    DestroyIcon(static_cast<HICON>(small));
}

TEST(Resources, TrayMenuAndAboutString) {
    HMENU menu = LoadMenuW(self(), MAKEINTRESOURCEW(IDR_TRAYMENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    std::vector<std::wstring> texts;
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        wchar_t text[32] = {};
        GetMenuStringW(popup, i, text, 32, MF_BYPOSITION);
        texts.push_back(text);
        ids.push_back(GetMenuItemID(popup, i));
    }
    DestroyMenu(menu);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Show", L"About", L"Start with Windows",
                                                L"Pause keys", L"", L"Export settings...",
                                                L"Import settings...", L"", L"Exit"}));
    EXPECT_EQ(ids, (std::vector<UINT>{ID_TRAY_SHOW, ID_TRAY_ABOUT, ID_TRAY_AUTOSTART, ID_TRAY_PAUSE,
                                      0, ID_TRAY_EXPORT, ID_TRAY_IMPORT, 0, ID_TRAY_EXIT}));

    wchar_t about[64] = {};
    LoadStringW(self(), IDS_ABOUTBOX, about, 64);
    EXPECT_STREQ(about, L"About KESTO Hotkey(&A)...");
}

// The block each user's language gets: its own, the same language of another country (for
// Chinese, of the same script), else English.
TEST(Resources, EachUserGetsTheBlockOfTheirLanguageElseEnglish) {
    auto blocks = ResourceLanguages(self(), RT_DIALOG, MAKEINTRESOURCEW(IDD_PROGRAMPATH));
    // Austrian German, Hong Kong and Singapore Chinese, Russian.
    const LANGID cases[][2] = {
        {0x0C07, 0x0407}, {0x0C04, 0x0404}, {0x1004, 0x0804}, {0x0419, 0x0409}};
    for (const auto& c : cases)
        EXPECT_EQ(FittingResourceLanguage(c[0], blocks), c[1]) << std::hex << c[0];
}

// String nID of the language's own block, as the resource compiler wrote it.
std::wstring StringIn(LANGID language, UINT nID) {
    HRSRC block = FindResourceExW(self(), RT_STRING, MAKEINTRESOURCEW(nID / 16 + 1), language);
    auto* p =
        block ? static_cast<const WCHAR*>(LockResource(LoadResource(self(), block))) : nullptr;
    for (UINT i = 0; p && i < nID % 16; ++i)
        p += 1 + *p;
    return p ? std::wstring(p + 1, *p) : std::wstring();
}

// A text added to the English block alone would show empty in every other language; the
// language files' UTF-8 reads as written.
TEST(Resources, EveryLanguageHasEveryEnglishTextAsWritten) {
    const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    for (LANGID language : ResourceLanguages(self(), RT_DIALOG, MAKEINTRESOURCEW(IDD_PROGRAMPATH)))
        for (UINT nID = 0; nID < 0x10000; ++nID)
            if (!StringIn(english, nID).empty() && StringIn(language, nID).empty())
                ADD_FAILURE() << "language " << std::hex << language << " lacks text " << std::dec
                              << nID;
    EXPECT_EQ(StringIn(0x0407, IDS_COLUMN_HOTKEY), L"Tastenk\u00FCrzel");
    EXPECT_EQ(StringIn(0x0411, IDS_COLUMN_HOTKEY), L"\u30DB\u30C3\u30C8\u30AD\u30FC");
}

std::wstring versionString(const std::vector<BYTE>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length))
        return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

TEST(Resources, VersionBlockCarriesTheBuildVersion) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD size = GetFileVersionInfoSizeW(path, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(HOTKEY_VERSION_MINOR, HOTKEY_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(MAKELONG(HOTKEY_VERSION_TWEAK, HOTKEY_VERSION_PATCH)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

    std::wstring dotted =
        std::to_wstring(HOTKEY_VERSION_MAJOR) + L"." + std::to_wstring(HOTKEY_VERSION_MINOR) +
        L"." + std::to_wstring(HOTKEY_VERSION_PATCH) + L"." + std::to_wstring(HOTKEY_VERSION_TWEAK);
    EXPECT_EQ(versionString(block, L"FileVersion"), dotted);
    EXPECT_EQ(versionString(block, L"ProductVersion"), dotted);
    EXPECT_EQ(versionString(block, L"CompanyName"), L"KESTO");
    EXPECT_EQ(versionString(block, L"FileDescription"), L"KESTO Hotkey");
    EXPECT_EQ(versionString(block, L"ProductName"), L"KESTO Hotkey");
    EXPECT_EQ(versionString(block, L"InternalName"), L"HotkeyForm");
    EXPECT_EQ(versionString(block, L"OriginalFilename"), L"HotkeyForm.exe");

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x409);
    EXPECT_EQ(translation[1], 1200);
}

} // namespace
