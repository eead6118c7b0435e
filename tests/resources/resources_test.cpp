// Links res/HotkeyForm.rc into the test itself and checks what the program relies on: the
// form template that the window code subclasses, the skin sizes it lays controls onto, the
// tray menu commands, the version block and the manifest that selects common controls 6.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

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

// Walks a DLGTEMPLATEEX; field order is fixed by the format.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* p) : p_(p) {}
    WORD word() { return take<WORD>(); }
    DWORD dword() { return take<DWORD>(); }
    short coord() { return take<short>(); }
    BYTE byte() { return take<BYTE>(); }
    std::wstring text() {
        std::wstring s;
        while (WORD c = word())
            s += wchar_t(c);
        return s;
    }
    // A name, or "#<number>" for an ordinal.
    std::wstring nameOrOrdinal() {
        WORD first = word();
        if (first == 0)
            return {};
        if (first == 0xFFFF)
            return L"#" + std::to_wstring(word());
        return wchar_t(first) + text();
    }
    void alignToDword() { pos_ = (pos_ + 3) & ~size_t(3); }

private:
    template <typename T> T take() {
        T v;
        memcpy(&v, p_ + pos_, sizeof v);
        pos_ += sizeof v;
        return v;
    }
    const BYTE* p_;
    size_t pos_ = 0;
};

struct Item {
    DWORD exStyle, style;
    short x, y, cx, cy;
    DWORD id;
    std::wstring cls, title;
};

bool isButtonClass(const std::wstring& cls) {
    return cls == L"#128" || lstrcmpiW(cls.c_str(), L"Button") == 0;
}

TEST(Resources, FormTemplateIsTheSkinnedPopupWithItsThreeControls) {
    auto [data, size] = rawResource(IDD_HOTKEYFORM, RT_DIALOG);
    ASSERT_NE(data, nullptr);
    TemplateReader r(data);
    EXPECT_EQ(r.word(), 1);      // dlgVer
    ASSERT_EQ(r.word(), 0xFFFF); // extended template
    r.dword();                   // helpID
    EXPECT_EQ(r.dword(), 0u);
    EXPECT_EQ(r.dword(), DWORD(DS_SETFONT | DS_FIXEDSYS | WS_POPUP | WS_VISIBLE | WS_SYSMENU));
    WORD count = r.word();
    EXPECT_EQ(r.coord(), 0);
    EXPECT_EQ(r.coord(), 0);
    EXPECT_EQ(r.coord(), 263);
    EXPECT_EQ(r.coord(), 180);
    EXPECT_EQ(r.nameOrOrdinal(), L""); // no menu
    // windres stores the class name upper-cased; class names compare case-insensitively.
    EXPECT_EQ(lstrcmpiW(r.nameOrOrdinal().c_str(), L"THotkeyForm"), 0);
    EXPECT_EQ(r.text(), L"");
    EXPECT_EQ(r.word(), 9);
    EXPECT_EQ(r.word(), 0);
    EXPECT_EQ(r.byte(), 0);
    EXPECT_EQ(r.byte(), 1);
    EXPECT_EQ(r.text(), L"MS Shell Dlg");

    ASSERT_EQ(count, 3);
    std::vector<Item> items;
    for (int i = 0; i < count; ++i) {
        r.alignToDword();
        Item it;
        r.dword(); // helpID
        it.exStyle = r.dword();
        it.style = r.dword();
        it.x = r.coord(), it.y = r.coord(), it.cx = r.coord(), it.cy = r.coord();
        it.id = r.dword();
        it.cls = r.nameOrOrdinal();
        it.title = r.nameOrOrdinal();
        EXPECT_EQ(r.word(), 0); // no creation data
        items.push_back(it);
    }
    const DWORD child = WS_CHILD | WS_VISIBLE;
    EXPECT_EQ(items[0].id, DWORD(IDOK));
    EXPECT_TRUE(isButtonClass(items[0].cls));
    EXPECT_EQ(items[0].title, L"Close");
    EXPECT_EQ(items[0].style, child | BS_OWNERDRAW | WS_TABSTOP);
    EXPECT_EQ((std::vector<short>{items[0].x, items[0].y, items[0].cx, items[0].cy}),
              (std::vector<short>{198, 22, 50, 16}));

    EXPECT_EQ(items[1].id, DWORD(IDC_KEYLIST));
    EXPECT_EQ(lstrcmpiW(items[1].cls.c_str(), WC_LISTVIEWW), 0);
    EXPECT_EQ(items[1].style, child | LVS_REPORT | LVS_ALIGNLEFT | WS_BORDER | WS_TABSTOP);
    EXPECT_EQ(items[1].style & LVS_SINGLESEL, 0u) << "the list allows several selected rows";
    EXPECT_EQ(items[1].exStyle, DWORD(WS_EX_TRANSPARENT));
    EXPECT_EQ((std::vector<short>{items[1].x, items[1].y, items[1].cx, items[1].cy}),
              (std::vector<short>{16, 44, 181, 127}));

    EXPECT_EQ(items[2].id, DWORD(IDC_MINIMIZE));
    EXPECT_TRUE(isButtonClass(items[2].cls));
    EXPECT_EQ(items[2].title, L"Minimize");
    EXPECT_EQ(items[2].style, child | BS_OWNERDRAW | WS_TABSTOP);
    EXPECT_EQ((std::vector<short>{items[2].x, items[2].y, items[2].cx, items[2].cy}),
              (std::vector<short>{143, 23, 50, 14}));
}

INT_PTR CALLBACK quietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(Resources, FormTemplateCreatesAWindowOfTheRegisteredClass) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = self();
    wc.lpszClassName = L"THotkeyForm";
    ASSERT_NE(RegisterClassExW(&wc), 0);

    HWND form =
        CreateDialogParamW(self(), MAKEINTRESOURCEW(IDD_HOTKEYFORM), nullptr, quietDialog, 0);
    ASSERT_NE(form, nullptr) << GetLastError();
    wchar_t name[64] = {};
    GetClassNameW(form, name, 64);
    EXPECT_STREQ(name, L"THotkeyForm");
    EXPECT_EQ(FindWindowW(L"THotkeyForm", nullptr), form);

    std::vector<int> order; // creation order is the tab order
    for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        order.push_back(GetDlgCtrlID(c));
    EXPECT_EQ(order, (std::vector<int>{IDOK, IDC_KEYLIST, IDC_MINIMIZE}));
    GetClassNameW(GetDlgItem(form, IDC_KEYLIST), name, 64);
    EXPECT_STREQ(name, WC_LISTVIEWW);
    DestroyWindow(form);
    UnregisterClassW(L"THotkeyForm", self());
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
        LONG width, height;
    };
    for (Expect e : {Expect{IDB_FORM_BACK, 500, 360}, Expect{IDB_DIALOG_BACK, 300, 110},
                     Expect{IDB_CLOSE_DOWN, 14, 14}, Expect{IDB_CLOSE_UP, 14, 14},
                     Expect{IDB_MIN_DOWN, 14, 14}, Expect{IDB_MIN_UP, 14, 14}}) {
        SCOPED_TRACE(e.id);
        auto [data, size] = rawResource(e.id, RT_BITMAP);
        ASSERT_NE(data, nullptr);
        BITMAPINFOHEADER header;
        memcpy(&header, data, sizeof header);
        EXPECT_EQ(header.biWidth, e.width);
        EXPECT_EQ(header.biHeight, e.height);
        EXPECT_EQ(header.biBitCount, 8);
        HBITMAP bitmap = LoadBitmapW(self(), MAKEINTRESOURCEW(e.id));
        EXPECT_NE(bitmap, nullptr);
        DeleteObject(bitmap);
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
    EXPECT_EQ(widths, (std::vector<int>{16, 32}));
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
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Show", L"About", L"", L"Exit"}));
    EXPECT_EQ(ids, (std::vector<UINT>{ID_TRAY_SHOW, ID_TRAY_ABOUT, 0, ID_TRAY_EXIT}));

    wchar_t about[64] = {};
    LoadStringW(self(), IDS_ABOUTBOX, about, 64);
    EXPECT_STREQ(about, L"About KESTO Hotkey(&A)...");
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
