// The browse button's painting read back pixel by pixel: the three folder icons enabled and
// disabled, the pressed face, the 3-D and flat frames and the embossed disabled caption.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "controls/skin/browse_button.h"
#include "skin_test_support.h"

namespace {

constexpr int kWidth = 60;
constexpr int kHeight = 34; // room for the icon at 175 %

// The icon maps: one letter per pixel, '.' for the face colour.
using IconMap = const char* const[16];

constexpr IconMap kOpenFolderMap = {
    "................", "..........KKK...", ".........K...K.K", "..............KK",
    "..KKK........KKK", ".KWYWKKKKKKK....", ".KYWYWYWYWYK....", ".KWYWYWYWYWK....",
    ".KYWYWKKKKKKKKKK", ".KWYWKoooooooooK", ".KYWKoooooooooK.", ".KWKoooooooooK..",
    ".KKoooooooooK...", ".KKKKKKKKKKK....", "................", "................",
};

constexpr IconMap kClosedFolderMap = {
    "................", "...ggggg........", "..gWWWWWg.......", ".gWlYlYlWgggggg.",
    ".gWYlYlYlWWWWWgK", ".gWlYlYlYlYlYlgK", "gggggggggggggYgK", "gWWWWWWWWWWgKlgK",
    "gWlYlYlYlYlYKggK", ".gWlYlYlYlYlgKgK", ".gWYlYlYlYlYlKgK", "..gWYlYlYlYlYgKK",
    "..ggggggggggggKK", "...KKKKKKKKKKKKK", "................", "................",
};

constexpr IconMap kFolderMagnifierMap = {
    "..ggggg.........", ".glYlYlg........", "glYlYlYlgggggg..", "gWWWWWWWWWWWWoK.",
    "gWY.ggKgYlY.YoK.", "gW.gWaWKgYlYloK.", "gWgWaWa.KgYlYoK.", "gWgaWa.alo.YloK.",
    "gWgWa.alKoYlYoK.", "gW.g.alKlooYloK.", "gWYlglKl.bboYoK.", "g.oooooonabbooK.",
    ".KKKKKKKKnabbK..", "..........nabbK.", "...........nabK.", "............KK..",
};

const std::map<char, COLORREF> kColours = {
    {'K', RGB(0, 0, 0)},     {'W', RGB(255, 255, 255)}, {'Y', RGB(255, 255, 0)},
    {'o', RGB(128, 128, 0)}, {'g', RGB(128, 128, 128)}, {'l', RGB(192, 192, 192)},
    {'a', RGB(0, 255, 255)}, {'b', RGB(0, 0, 255)},     {'n', RGB(0, 0, 128)},
};

struct IconCase {
    const char* name;
    DWORD dwIcon;
    const IconMap& map;
    std::map<char, char> disabled; // letters that turn into other letters when disabled
};

const IconCase kIcons[] = {
    {"open folder", BBS_OPENFOLDER, kOpenFolderMap, {{'K', 'g'}, {'Y', 'l'}, {'o', 'g'}}},
    {"open folder over the others",
     BBS_OPENFOLDER | BBS_CLOSEDFOLDER | BBS_FOLDERMAGNIFIER,
     kOpenFolderMap,
     {{'K', 'g'}, {'Y', 'l'}, {'o', 'g'}}},
    {"closed folder", BBS_CLOSEDFOLDER, kClosedFolderMap, {{'K', 'g'}, {'Y', 'l'}}},
    {"closed folder over the magnifier",
     BBS_CLOSEDFOLDER | BBS_FOLDERMAGNIFIER,
     kClosedFolderMap,
     {{'K', 'g'}, {'Y', 'l'}}},
    {"folder with magnifier",
     BBS_FOLDERMAGNIFIER,
     kFolderMagnifierMap,
     {{'K', 'g'}, {'Y', 'l'}, {'o', 'l'}, {'a', 'W'}, {'b', 'g'}, {'n', 'g'}}},
};

class BrowsePaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE,
                                      CRect(30, 30, 30 + kWidth + 20, 30 + kHeight + 20), nullptr,
                                      0));
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfQuality = NONANTIALIASED_QUALITY; // pure text colours, no blended edges
        wcscpy(lf.lfFaceName, L"Tahoma");
        m_font.CreateFontIndirect(&lf);
    }

    void Create(DWORD dwOptions, LPCWSTR caption = L"") {
        ASSERT_TRUE(m_button.Create(CRect(0, 0, kWidth, kHeight), &m_parent, 100, dwOptions, 0));
        m_button.SetFont(m_font);
        m_button.SetCaption(caption); // lays out again with the font and caption
    }
    // Hot as under the mouse, pressed as by the Space key.
    void SetState(bool bHot, bool bPressed) {
        CPoint pt = Button().CenterPoint();
        m_button.SendMessage(bHot ? WM_MOUSEMOVE : WM_NULL, 0, MAKELPARAM(pt.x, pt.y));
        m_button.SendMessage(bPressed ? WM_KEYDOWN : WM_NULL, VK_SPACE);
    }
    const CRect& Button() const { return m_button.GetButtonRect(); }

    std::unique_ptr<test::CPixels> Paint() {
        auto px = std::make_unique<test::CPixels>(kWidth, kHeight);
        px->DC().FillSolidRect(0, 0, kWidth, kHeight, RGB(1, 2, 3));
        m_button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(px->DC().GetSafeHdc()),
                             PRF_CLIENT);
        return px;
    }

    // Compares the icon at origin with the map, letters replaced as given: each letter is
    // the cell of pixels it covers at dpi.
    static void ExpectIcon(const test::CPixels& px, CPoint origin, const IconMap& map,
                           const std::map<char, char>& replaced, UINT dpi) {
        COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        int wrong = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                char letter = map[y][x];
                if (auto it = replaced.find(letter); it != replaced.end())
                    letter = it->second;
                COLORREF expected = letter == '.' ? face : kColours.at(letter);
                CRect cell = ScaledPixelCell(x, y, dpi);
                for (int cy = cell.top; cy < cell.bottom; ++cy)
                    for (int cx = cell.left; cx < cell.right; ++cx) {
                        COLORREF actual = px.At(origin.x + cx, origin.y + cy);
                        if (actual != expected && wrong++ < 5)
                            ADD_FAILURE() << "pixel (" << cx << ", " << cy << ") is " << std::hex
                                          << actual << ", expected " << expected;
                    }
            }
        EXPECT_EQ(wrong, 0);
    }

    CAutoWnd<CWnd> m_parent;
    CFont m_font;
    CBrowseButton m_button;
};

TEST_F(BrowsePaintTest, IconsMatchTheirMapsEnabledDisabledAndPressed) {
    for (UINT dpi : {96u, 168u})
        for (const IconCase& icon : kIcons)
            for (bool disabled : {false, true})
                for (bool pressed : {false, true}) {
                    SCOPED_TRACE(::testing::Message()
                                 << icon.name << (disabled ? ", disabled" : "")
                                 << (pressed ? ", pressed" : "") << ", " << dpi);
                    m_button.DestroyWindow();
                    Create(BBS_ICON | icon.dwIcon);
                    m_button.SetDpi(dpi);
                    m_button.EnableWindow(!disabled);
                    SetState(false, pressed);
                    auto px = Paint();
                    CPoint origin = m_button.GetFaceRect().TopLeft();
                    if (pressed)
                        origin.Offset(1, 1); // the face sinks
                    ExpectIcon(*px, origin, icon.map,
                               disabled ? icon.disabled : std::map<char, char>{}, dpi);
                }
}

TEST_F(BrowsePaintTest, FramesFollowHotAndPressedInTheSystemColours) {
    const COLORREF F = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF HL = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF DK = ::GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF LT = ::GetSysColor(COLOR_3DLIGHT);
    const COLORREF SH = ::GetSysColor(COLOR_BTNSHADOW);
    struct Case {
        DWORD dwFlat;
        BOOL bHot, bPressed;
        COLORREF outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    } cases[] = {
        {0, FALSE, FALSE, HL, DK, LT, SH},     {0, TRUE, FALSE, HL, DK, LT, SH},
        {0, FALSE, TRUE, DK, DK, SH, SH},      {BBS_FLAT, FALSE, FALSE, F, F, F, F},
        {BBS_FLAT, TRUE, FALSE, HL, SH, F, F}, {BBS_FLAT, FALSE, TRUE, DK, HL, F, F},
        {BBS_FLAT, TRUE, TRUE, DK, HL, F, F},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "flat " << c.dwFlat << " hot " << c.bHot << " pressed " << c.bPressed);
        m_button.DestroyWindow();
        Create(BBS_ICON | c.dwFlat);
        SetState(c.bHot, c.bPressed);
        auto px = Paint();
        CRect b = Button();
        // Top and left edges stop one pixel short; right and bottom run the full length.
        EXPECT_EQ(px->At(b.left, b.top), c.outerTopLeft);
        EXPECT_EQ(px->At(b.left, b.bottom - 2), c.outerTopLeft);
        EXPECT_EQ(px->At(b.right - 1, b.top), c.outerBottomRight);
        EXPECT_EQ(px->At(b.left, b.bottom - 1), c.outerBottomRight);
        EXPECT_EQ(px->At(b.left + 1, b.top + 1), c.innerTopLeft);
        EXPECT_EQ(px->At(b.right - 2, b.bottom - 2), c.innerBottomRight);
        EXPECT_EQ(px->At(b.left + 3, b.top + 2), F);
        // Nothing outside the button is painted: the edit paints itself.
        EXPECT_EQ(px->At(b.left - 1, b.top + 5), RGB(1, 2, 3));
    }
}

TEST_F(BrowsePaintTest, ButtonHoldingTheFocusShowsADottedRingInsideItsFrame) {
    Create(BBS_ICON | BBS_OPENFOLDER);
    CRect ringLeft = Button();
    ringLeft.DeflateRect(3, 3);
    ringLeft.right = ringLeft.left + 1;
    EXPECT_EQ(Paint()->Count(::GetSysColor(COLOR_BTNFACE), ringLeft), ringLeft.Height());
    // The focus goes on to the field; a press on the button keeps it there.
    m_button.SetFocus();
    m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Button().left + 5, 5));
    EXPECT_LT(Paint()->Count(::GetSysColor(COLOR_BTNFACE), ringLeft), ringLeft.Height());
}

TEST_F(BrowsePaintTest, DisabledCaptionIsEmbossed) {
    const COLORREF HL = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF SH = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF TX = ::GetSysColor(COLOR_BTNTEXT);
    Create(0, L"Hi");
    auto enabled = Paint();
    CRect face = m_button.GetFaceRect();
    EXPECT_GT(enabled->Count(TX, face), 0);
    EXPECT_EQ(enabled->Count(HL, face), 0);

    m_button.EnableWindow(FALSE);
    auto disabled = Paint();
    CRect shadow = disabled->Bounds(SH, face);
    CRect highlight = disabled->Bounds(HL, face);
    EXPECT_EQ(disabled->Count(TX, face), 0);
    ASSERT_FALSE(shadow.IsRectEmpty());
    // The highlight copy lies one pixel down and right, under the shadow copy.
    EXPECT_EQ(highlight.left, shadow.left + 1);
    EXPECT_EQ(highlight.top, shadow.top + 1);
}

} // namespace
