// Message tables: derived-first lookup along the chain, entry order, command and notify
// routing, registered messages and reflection back to the sending control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/winapp.h"

namespace {

constexpr UINT WM_TEST_A = WM_APP + 1;
constexpr UINT WM_TEST_B = WM_APP + 2;
const UINT WM_TEST_REGISTERED = ::RegisterWindowMessageW(L"HotkeyFrameworkTestRegistered");

std::vector<std::string> g_calls;

class CBaseWnd : public CWnd {
public:
    BOOL CreatePopup() {
        return CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 100, 100), nullptr,
                        0);
    }

protected:
    LRESULT OnA(WPARAM, LPARAM) {
        g_calls.push_back("base A");
        return 1;
    }
    LRESULT OnB(WPARAM, LPARAM) {
        g_calls.push_back("base B");
        return 2;
    }
    LRESULT OnBSecond(WPARAM, LPARAM) {
        g_calls.push_back("base B second");
        return 3;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_MESSAGE(WM_TEST_A, OnA)
ON_MESSAGE(WM_TEST_B, OnB)
ON_MESSAGE(WM_TEST_B, OnBSecond)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
protected:
    LRESULT OnDerivedA(WPARAM, LPARAM) {
        g_calls.push_back("derived A");
        return 10;
    }
    LRESULT OnRegistered(WPARAM w, LPARAM) {
        g_calls.push_back("registered");
        return static_cast<LRESULT>(w) + 1;
    }
    void OnOk() { g_calls.push_back("command IDOK"); }
    void OnButtonClicked() { g_calls.push_back("clicked 5"); }
    void OnEditChange() { g_calls.push_back("change 6"); }
    void OnItemNotify(NMHDR* hdr, LRESULT* r) {
        g_calls.push_back("notify " + std::to_string(hdr->code));
        *r = 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_MESSAGE(WM_TEST_A, OnDerivedA)
ON_REGISTERED_MESSAGE(WM_TEST_REGISTERED, OnRegistered)
ON_COMMAND(IDOK, OnOk)
ON_BN_CLICKED(5, OnButtonClicked)
ON_EN_CHANGE(6, OnEditChange)
ON_NOTIFY(NM_CLICK, 7, OnItemNotify)
END_MESSAGE_MAP()

// A child that takes some notifications back from its parent.
class CReflectingChild : public CWnd {
public:
    bool m_bLetParentSee = false;
    HBRUSH m_hBrush = nullptr;

protected:
    BOOL OnClickReflect(NMHDR*, LRESULT* r) {
        g_calls.push_back("child click");
        *r = 5;
        return m_bLetParentSee ? FALSE : TRUE;
    }
    void OnDblClkReflect(NMHDR*, LRESULT*) { g_calls.push_back("child dblclk"); }
    HBRUSH CtlColor(CDCHandle dc, UINT nCtlColor) {
        g_calls.push_back("child ctlcolor " + std::to_string(nCtlColor));
        dc.SetBkMode(TRANSPARENT);
        return m_hBrush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClickReflect)
ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClkReflect)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class COwnerDrawButton : public CButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        g_calls.push_back("drawitem " + std::to_string(dis->CtlID));
    }
};

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        ASSERT_TRUE(m_wnd.CreatePopup());
    }
    LRESULT Notify(HWND from, UINT code) {
        NMHDR hdr{from, static_cast<UINT_PTR>(::GetDlgCtrlID(from)), code};
        return m_wnd.SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    }
    HWND CreateChild(const wchar_t* cls, UINT id, DWORD style = 0) {
        return ::CreateWindowExW(0, cls, L"", WS_CHILD | style, 0, 0, 10, 10, m_wnd.m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                                 nullptr);
    }
    CAutoWnd<CDerivedWnd> m_wnd;
};

TEST_F(MessageMapTest, DerivedEntryWinsAndBaseEntriesStillServe) {
    EXPECT_EQ(m_wnd.SendMessage(WM_TEST_A), 10);
    EXPECT_EQ(m_wnd.SendMessage(WM_TEST_B), 2);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"derived A", "base B"}));
}

TEST_F(MessageMapTest, RegisteredMessageIsMatchedByItsRunTimeNumber) {
    ASSERT_NE(WM_TEST_REGISTERED, 0u);
    EXPECT_EQ(m_wnd.SendMessage(WM_TEST_REGISTERED, 41), 42);
}

TEST_F(MessageMapTest, CommandsRouteByIdAndByNotifyCode) {
    HWND button = CreateChild(L"BUTTON", 5);
    HWND edit = CreateChild(L"EDIT", 6);
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(6, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
    // Wrong code for the id, and the right code from another id: neither matches.
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(6, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(5, EN_CHANGE), reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"command IDOK", "clicked 5", "change 6"}));
}

TEST_F(MessageMapTest, NotifyMatchesCodeAndSenderId) {
    HWND seven = CreateChild(L"STATIC", 7);
    HWND eight = CreateChild(L"STATIC", 8);
    EXPECT_EQ(Notify(seven, NM_CLICK), 42);
    EXPECT_EQ(Notify(eight, NM_CLICK), 0);
    EXPECT_EQ(Notify(seven, NM_DBLCLK), 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"notify " + std::to_string(NM_CLICK)}));
}

TEST_F(MessageMapTest, ReflectedNotifyReachesChildAndOnlyThePassingFormReachesParent) {
    CAutoWnd<CReflectingChild> child;
    ASSERT_TRUE(child.SubclassWindow(CreateChild(L"STATIC", 7)));

    // The plain form consumes the notification: the parent never sees it.
    EXPECT_EQ(Notify(child.m_hWnd, NM_DBLCLK), 0);
    // The passing form still lets the parent see it, after the child.
    child.m_bLetParentSee = true;
    EXPECT_EQ(Notify(child.m_hWnd, NM_CLICK), 42);
    // Consumed by the child: the child's result is the message result.
    child.m_bLetParentSee = false;
    EXPECT_EQ(Notify(child.m_hWnd, NM_CLICK), 5);
    EXPECT_EQ(g_calls,
              (std::vector<std::string>{"child dblclk", "child click",
                                        "notify " + std::to_string(NM_CLICK), "child click"}));
}

TEST_F(MessageMapTest, ControlColourIsAnsweredByTheChildsBrush) {
    CAutoWnd<CReflectingChild> child;
    ASSERT_TRUE(child.SubclassWindow(CreateChild(L"STATIC", 9, WS_VISIBLE)));
    child.m_hBrush = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    HDC dc = ::GetDC(child.m_hWnd);
    LRESULT brush = m_wnd.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(child.m_hBrush));
    EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
    ::ReleaseDC(child.m_hWnd, dc);
    EXPECT_EQ(g_calls,
              (std::vector<std::string>{"child ctlcolor " + std::to_string(CTLCOLOR_STATIC)}));
}

TEST_F(MessageMapTest, OwnerDrawnButtonDrawsItselfFromTheParentsDrawItem) {
    CAutoWnd<COwnerDrawButton> button;
    ASSERT_TRUE(button.SubclassWindow(CreateChild(L"BUTTON", 11, BS_OWNERDRAW | WS_VISIBLE)));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 11;
    dis.hwndItem = button.m_hWnd;
    EXPECT_EQ(m_wnd.SendMessage(WM_DRAWITEM, 11, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"drawitem 11"}));
}

} // namespace
