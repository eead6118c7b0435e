// CBitmapButton in a live dialog: the face it draws through the parent's reflected
// WM_DRAWITEM.
#include <gtest/gtest.h>

#include "framework/bitmap_button.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "test_dialogs.h"

namespace {

COLORREF PixelOf(UINT bitmapId, int x, int y) {
    CBitmap bitmap;
    bitmap.LoadBitmap(bitmapId);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CSelectObject select(dc, bitmap);
    return dc.GetPixel(x, y);
}

// Draws each state of its button into a bitmap during its initialisation, then ends.
class CFaceDialog : public CDialog {
public:
    CFaceDialog() : CDialog(IDD_TRAY_TEST) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_TRAY_TEST_BUTTON, m_button);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        DrawEachState();
        EndDialog(IDOK);
        return TRUE;
    }

private:
    void DrawEachState() {
        ASSERT_TRUE(m_button.LoadBitmaps(IDB_TRAY_TEST_UP, IDB_TRAY_TEST_DOWN));
        CClientDC screen(nullptr);
        CDC dc;
        dc.CreateCompatibleDC(screen);
        CBitmap target;
        target.CreateCompatibleBitmap(screen, 14, 14);
        CSelectObject select(dc, target);
        struct Case {
            UINT state;
            UINT face;
            bool ring; // the dotted focus ring on the face's edge
        } cases[] = {{0, IDB_TRAY_TEST_UP, false},
                     {ODS_SELECTED, IDB_TRAY_TEST_DOWN, false},
                     {ODS_FOCUS, IDB_TRAY_TEST_UP, true},
                     {ODS_SELECTED | ODS_FOCUS, IDB_TRAY_TEST_DOWN, true},
                     {ODS_FOCUS | ODS_NOFOCUSRECT, IDB_TRAY_TEST_UP, false}};
        for (const Case& c : cases) {
            DRAWITEMSTRUCT dis{ODT_BUTTON, IDC_TRAY_TEST_BUTTON, 0,  ODA_DRAWENTIRE,
                               c.state,    m_button.m_hWnd,      dc, {0, 0, 14, 14},
                               0};
            // Through the parent, which hands the drawing back to the button.
            EXPECT_TRUE(
                SendMessage(WM_DRAWITEM, IDC_TRAY_TEST_BUTTON, reinterpret_cast<LPARAM>(&dis)));
            EXPECT_EQ(dc.GetPixel(2, 7), PixelOf(c.face, 2, 7)) << c.state;
            int nRinged = 0;
            for (int y = 0; y < 14; ++y)
                nRinged += dc.GetPixel(0, y) != PixelOf(c.face, 0, y);
            EXPECT_EQ(nRinged > 0, c.ring) << c.state;
        }
    }

    CBitmapButton m_button;
};

TEST(BitmapButton, DrawsThePressedFaceOnlyWhileHeldAndRingsTheFocus) {
    CFaceDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

} // namespace
