// Binding windows to objects: the creation hook, subclassing, default processing, unbinding.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls.h"
#include "framework/menu.h"
#include "framework/report.h"
#include "framework/winapp.h"

namespace {

class CRecordingWnd : public CWnd {
public:
    std::vector<UINT> m_seen;
    bool m_bBoundAtCreate = false;
    bool m_bPostNcDestroy = false;
    int m_nCreateResult = 0;

    BOOL CreatePopup() {
        return CreateEx(0, AfxRegisterWndClass(0), L"title", WS_POPUP, CRect(0, 0, 50, 50), nullptr,
                        0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        m_seen.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int OnCreate(LPCREATESTRUCT cs) {
        m_bBoundAtCreate = FromHandlePermanent(m_hWnd) == this && cs != nullptr &&
                           GetCurrentMessage()->message == WM_CREATE;
        return m_nCreateResult;
    }
    LRESULT OnSetText(WPARAM, LPARAM) {
        // Default processing stores the text; the handler then decorates the result.
        return Default() ? 7 : 0;
    }
    void PostNcDestroy() override { m_bPostNcDestroy = true; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
ON_WM_CREATE()
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

TEST(CreationHook, WindowIsBoundBeforeItsFirstMessage) {
    CAutoWnd<CRecordingWnd> wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    ASSERT_FALSE(wnd.m_seen.empty());
    // The very first message of a window's life already reaches the object.
    EXPECT_TRUE(wnd.m_seen.front() == WM_GETMINMAXINFO || wnd.m_seen.front() == WM_NCCREATE);
    EXPECT_TRUE(wnd.m_bBoundAtCreate);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
}

TEST(CreationHook, FailedCreateLeavesTheObjectUnbound) {
    CAutoWnd<CRecordingWnd> wnd;
    wnd.m_nCreateResult = -1;
    EXPECT_FALSE(wnd.CreatePopup());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(wnd.m_bPostNcDestroy);
}

TEST(DefaultProcessing, HandlerRunsTheDefaultForTheMessageBeingHandled) {
    CAutoWnd<CRecordingWnd> wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    EXPECT_EQ(wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"changed")), 7);
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, CString(L"changed"));
}

TEST(Destruction, DestroyUnbindsAndCallsPostNcDestroyOnce) {
    CAutoWnd<CRecordingWnd> wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    HWND h = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    EXPECT_TRUE(wnd.m_bPostNcDestroy);
}

class CPreSubclassProbe : public CEdit {
public:
    bool m_bBoundInPreSubclass = false;
    bool m_bMapSawTextDuringPreSubclass = false;
    int m_nTextMessages = 0;

protected:
    void PreSubclassWindow() override {
        m_bBoundInPreSubclass = FromHandlePermanent(m_hWnd) == this;
        int before = m_nTextMessages;
        ::SendMessageW(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
        m_bMapSawTextDuringPreSubclass = m_nTextMessages != before;
    }
    LRESULT OnGetTextLength(WPARAM, LPARAM) {
        ++m_nTextMessages;
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPreSubclassProbe, CEdit)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

TEST(Subclassing, PreSubclassWindowRunsBeforeTheWindowProcedureIsReplaced) {
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"abc", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    CAutoWnd<CPreSubclassProbe> probe;
    ASSERT_TRUE(probe.SubclassWindow(edit));
    EXPECT_TRUE(probe.m_bBoundInPreSubclass);
    EXPECT_FALSE(probe.m_bMapSawTextDuringPreSubclass);
    // From now on the control's messages pass through the table, and default processing
    // still reaches the original control.
    EXPECT_EQ(::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 3);
    EXPECT_EQ(probe.m_nTextMessages, 1);
    // A window can be bound to one object only.
    CEdit second;
    EXPECT_FALSE(second.SubclassWindow(edit));
}

TEST(HandleMap, TemporaryObjectsNeverOwnTheirWindow) {
    HWND h = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr,
                               nullptr);
    CWnd* temp = CWnd::FromHandle(h);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandle(h), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(h));
    ::DestroyWindow(h);
}

} // namespace

namespace {

// Tells a flag outside itself whether its own WM_DESTROY handler ran.
class CDestroyWitness : public CWnd {
public:
    explicit CDestroyWitness(bool* pSawDestroy) : m_pSawDestroy(pSawDestroy) {}
    BOOL CreatePopup() {
        return CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0);
    }

protected:
    void OnDestroy() {
        *m_pSawDestroy = true;
        Default();
    }
    bool* m_pSawDestroy;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDestroyWitness, CWnd)
ON_WM_DESTROY()
END_MESSAGE_MAP()

int g_nReports = 0;
void CountReport(const char*, const char*, int) { ++g_nReports; }

} // namespace

TEST(Destruction, OwnersDestroyTheWindowWhileTheWholeObjectLivesAndLeftoversAreReported) {
    struct Case {
        const char* name;
        void (*run)(bool* pSawDestroy);
        bool bSawDestroy;
        int nReports;
    };
    const Case cases[] = {
        {"auto window",
         [](bool* p) {
             CAutoWnd<CDestroyWitness> w(p);
             w.CreatePopup();
         },
         true, 0},
        {"window pointer",
         [](bool* p) {
             CWndPtr<CDestroyWitness> w(new CDestroyWitness(p));
             w->CreatePopup();
         },
         true, 0},
        {"left to the base",
         [](bool* p) {
             CDestroyWitness w(p);
             w.CreatePopup();
         },
         false, 1},
    };
    afx::ReportHandler previous = afx::SetReportHandler(&CountReport);
    for (const Case& c : cases) {
        bool bSawDestroy = false;
        g_nReports = 0;
        c.run(&bSawDestroy);
        EXPECT_EQ(bSawDestroy, c.bSawDestroy) << c.name;
        EXPECT_EQ(g_nReports, c.nReports) << c.name;
    }
    afx::SetReportHandler(previous);
}

TEST(Destruction, OwningGdiWrappersRefuseTheSharedStockObjects) {
    afx::ReportHandler previous = afx::SetReportHandler(&CountReport);
    g_nReports = 0;
    CBrush brush;
    EXPECT_FALSE(brush.Attach(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))));
    EXPECT_FALSE(brush.Attach(::GetSysColorBrush(COLOR_WINDOW)));
    EXPECT_TRUE(brush.IsNull());
    EXPECT_EQ(g_nReports, 2);
    afx::SetReportHandler(previous);
    // Borrowed, they are simply used.
    EXPECT_EQ(HBRUSH(CBrushHandle::SysColor(COLOR_WINDOW)), ::GetSysColorBrush(COLOR_WINDOW));
}

TEST(Destruction, AFailedReloadKeepsTheMenuOrBitmapHeldBefore) {
    constexpr UINT kNoSuchResource = 0x7FFF;
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(CClientDC(nullptr), 4, 4));
    const HMENU hMenu = menu;
    const HBITMAP hBitmap = bitmap;
    // The members of each row are read in order: the load first, then what is held after it.
    const struct {
        const char* name;
        BOOL loaded;
        const void* before;
        const void* after;
        bool alive;
    } cases[] = {
        {"menu", menu.LoadMenu(kNoSuchResource), hMenu, menu.GetSafeHmenu(), ::IsMenu(menu) != 0},
        {"bitmap", bitmap.LoadBitmap(kNoSuchResource), hBitmap, bitmap.GetSafeHandle(),
         ::GetObjectType(bitmap) == OBJ_BITMAP},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(c.loaded) << c.name;
        EXPECT_EQ(c.after, c.before) << c.name;
        EXPECT_TRUE(c.alive) << c.name;
    }
}
