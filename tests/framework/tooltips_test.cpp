// Tool tips for parts of a window, driven by the real mouse on the virtual display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/winapp.h"
#include "tests/support/input.h"
#include "tests/support/scripted_dialog.h"
#include "test_dialogs.h"

namespace {

// A window whose left and right halves are two tools with texts given on request.
class CHalvesWnd : public CWnd {
public:
    std::vector<UINT_PTR> m_asked;
    mutable std::vector<INT_PTR> m_hits;

    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override {
        CRect rc;
        GetClientRect(&rc);
        INT_PTR id = point.x < rc.Width() / 2 ? 1 : 2;
        m_hits.push_back(id);
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(id);
        pTI->rect = rc;
        pTI->lpszText = LPSTR_TEXTCALLBACKW;
        return id;
    }

protected:
    BOOL OnNeedText(UINT, NMHDR* hdr, LRESULT* pResult) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
        m_asked.push_back(hdr->idFrom);
        wcscpy(info->szText, hdr->idFrom == 1 ? L"left half" : L"right half");
        *pResult = 0;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHalvesWnd, CWnd)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnNeedText)
END_MESSAGE_MAP()

// Moves the real mouse over the left half, then the right half, then ends.
class CToolTipDialog : public test::CScriptedDialog {
public:
    CToolTipDialog() : test::CScriptedDialog(IDD_TEST_PLAIN) {
        // The display needs a moment to map the new window before it routes the pointer.
        Wait(450);
        MouseTo([](const CRect& rc) { return CPoint(rc.left + 50, rc.top + 40); });
        Wait(100);
        MouseTo([](const CRect& rc) { return CPoint(rc.left + 60, rc.top + 50); });
        Wait(1400);
        MouseTo([](const CRect& rc) { return CPoint(rc.right - 50, rc.top + 40); });
        Wait(100);
        MouseTo([](const CRect& rc) { return CPoint(rc.right - 60, rc.top + 50); });
        WaitUntil([this] { return m_halves.m_asked.size() >= 2; }, "both halves' texts", 1900);
    }
    CHalvesWnd m_halves;

protected:
    BOOL OnInitDialog() override {
        test::CScriptedDialog::OnInitDialog();
        SetWindowPos(nullptr, 100, 100, 400, 200, SWP_NOZORDER);
        m_halves.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW)), L"",
                          WS_CHILD | WS_VISIBLE, // below the dialog's OK button
                          CRect(10, 80, 310, 160), this, 50);
        m_halves.EnableToolTips(TRUE);
        return TRUE;
    }

private:
    // A step that moves the mouse to a point of the halves' window on the screen.
    void MouseTo(CPoint (*at)(const CRect& rcHalves)) {
        Then([this, at] {
            CRect rc;
            m_halves.GetWindowRect(&rc);
            input::MoveMouse(at(rc));
        });
    }
};

TEST(ToolTips, HoveredPartAsksItsWindowForItsOwnText) {
    CToolTipDialog dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    std::string hits;
    for (auto h : dlg.m_halves.m_hits)
        hits += std::to_string(h);
    ASSERT_GE(dlg.m_halves.m_asked.size(), 2u) << hits;
    EXPECT_EQ(dlg.m_halves.m_asked.front(), 1u);
    EXPECT_EQ(dlg.m_halves.m_asked.back(), 2u);
}

} // namespace
