// Background, dragging, the fixed size of the skinned windows and their moves between scales.
#include "framework/window_skin.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "framework/high_contrast.h"

namespace {

struct ControlPlace {
    HWND hWnd;
    CRect rc; // in the dialog's client coordinates
};

std::vector<ControlPlace> ControlPlaces(const CWnd& wnd) {
    std::vector<ControlPlace> places;
    for (HWND hChild = ::GetWindow(wnd, GW_CHILD); hChild;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CRect rc;
        ::GetWindowRect(hChild, &rc);
        wnd.ScreenToClient(&rc);
        places.push_back({hChild, rc});
    }
    return places;
}

bool IsLeftAlignedLabel(HWND hWnd) {
    wchar_t szClass[8] = {};
    ::GetClassNameW(hWnd, szClass, 8);
    return ::lstrcmpiW(szClass, L"Static") == 0 &&
           (::GetWindowLongPtrW(hWnd, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT;
}

// How far the rectangle may grow to the right and down before it meets another control or
// the client area's edge.
CPoint FreeReach(const std::vector<ControlPlace>& places, const CRect& rc, const CRect& rcClient) {
    CPoint reach = rcClient.BottomRight();
    for (const ControlPlace& other : places) {
        bool sameRow = other.rc.top < rc.bottom && rc.top < other.rc.bottom;
        bool sameColumn = other.rc.left < rc.right && rc.left < other.rc.right;
        if (sameRow && other.rc.left >= rc.right)
            reach.x = std::min<LONG>(reach.x, other.rc.left);
        if (sameColumn && other.rc.top >= rc.bottom)
            reach.y = std::min<LONG>(reach.y, other.rc.top);
    }
    return reach;
}

// A left-aligned label wraps a text wider than itself and cuts off the lines below its height,
// so a label whose text is cut grows to it: wider as far as the next control on its row leaves
// room, then taller, for the lines it still wraps, as far as the space below it leaves room.
void GrowCutLabels(std::vector<ControlPlace>& places, const CRect& rcClient) {
    for (ControlPlace& label : places) {
        if (!IsLeftAlignedLabel(label.hWnd))
            continue;
        CWnd* pLabel = CWnd::FromHandle(label.hWnd);
        CString strText;
        pLabel->GetWindowText(strText);
        CClientDC dc(pLabel);
        CSelectObject font(dc, pLabel->GetFont());
        UINT nFormat =
            DT_CALCRECT | DT_WORDBREAK | ((pLabel->GetStyle() & SS_NOPREFIX) ? DT_NOPREFIX : 0U);
        CRect rcLine(0, 0, SHRT_MAX, 0);
        dc.DrawText(strText, &rcLine, nFormat | DT_SINGLELINE);
        CRect rc = label.rc;
        CPoint reach = FreeReach(places, rc, rcClient);
        rc.right = std::max<LONG>(rc.right, std::min<LONG>(rc.left + rcLine.Width(), reach.x));
        CRect rcLines(0, 0, rc.Width(), 0);
        dc.DrawText(strText, &rcLines, nFormat);
        if (rcLines.Height() > rc.Height()) {
            reach = FreeReach(places, rc, rcClient);
            rc.bottom =
                std::max<LONG>(rc.bottom, std::min<LONG>(rc.top + rcLines.Height(), reach.y));
        }
        if (rc != label.rc) {
            label.rc = rc;
            pLabel->MoveWindow(&rc);
        }
    }
}

} // namespace

CRect MapRectOnto(const CRect& rc, const CRect& rcFrom, const CRect& rcTo) {
    if (rcFrom.Width() <= 0 || rcFrom.Height() <= 0)
        return rc;
    auto x = [&](int v) {
        return rcTo.left + ::MulDiv(v - rcFrom.left, rcTo.Width(), rcFrom.Width());
    };
    auto y = [&](int v) {
        return rcTo.top + ::MulDiv(v - rcFrom.top, rcTo.Height(), rcFrom.Height());
    };
    return {x(rc.left), y(rc.top), x(rc.right), y(rc.bottom)};
}

void CDialogFontForDpi::Capture(const CWnd& dlg, UINT dpi) {
    m_hTemplateFont = dlg.GetFont();
    m_nDpi = dpi;
    if (!m_hTemplateFont || !::GetObjectW(m_hTemplateFont, sizeof(m_lf), &m_lf))
        m_nDpi = 0;
}

void CDialogFontForDpi::Apply(const CWnd& dlg, UINT dpi) {
    if (!m_nDpi)
        return;
    HFONT hFont = m_hTemplateFont;
    CFont font;
    if (dpi != m_nDpi) {
        LOGFONTW lf = m_lf;
        lf.lfHeight = ::MulDiv(m_lf.lfHeight, static_cast<int>(dpi), static_cast<int>(m_nDpi));
        if (!font.CreateFontIndirect(&lf))
            return;
        hFont = font;
    }
    for (HWND hChild = ::GetWindow(dlg, GW_CHILD); hChild;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::SendMessageW(hChild, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    // The font made for the previous DPI goes only once no control uses it.
    m_font = std::move(font);
}

void CWindowSkin::Attach(CWnd& wnd, const SKINLOOK& look) {
    m_pWnd = &wnd;
    m_look = look;
    m_nDpi = GetWindowDpi(wnd);
    m_font.Capture(wnd, m_nDpi);
    KeepDialogLayoutOnDpiChange(wnd);
    // The background is loaded at the first paint: the form starts hidden and may never be
    // shown, and its start-up should cost no more than its tray icon does.
}

void CWindowSkin::LoadBackground() {
    if (m_look.pfnLoadBitmap)
        m_look.pfnLoadBitmap(m_bmpBack, m_look.nIDBack100, m_nDpi);
}

void CWindowSkin::SetIcons(UINT nIDIcon, HICON hShared) {
    m_nIconId = nIDIcon;
    m_hSharedIcon = hShared;
    LoadIcons();
}

void CWindowSkin::LoadIcons() {
    if (!m_pWnd || !m_nIconId)
        return;
    // Loaded at each size rather than shared: a shared icon keeps the size it was first
    // loaded at, which for the shared one is the large size of the system DPI.
    CIcon iconBig;
    CIcon iconSmall;
    if (m_nDpi != GetSystemDpi())
        iconBig.Load(m_nIconId, GetSystemMetric(SM_CXICON), GetSystemMetric(SM_CYICON));
    iconSmall.Load(m_nIconId, GetSystemMetric(SM_CXSMICON), GetSystemMetric(SM_CYSMICON));
    m_pWnd->SetIcon(iconBig.IsNull() ? m_hSharedIcon : iconBig.GetSafeHandle(), TRUE);
    m_pWnd->SetIcon(iconSmall.IsNull() ? m_hSharedIcon : iconSmall.GetSafeHandle(), FALSE);
    // The window holds the new icons now, so the old ones may go.
    m_iconBig = std::move(iconBig);
    m_iconSmall = std::move(iconSmall);
}

void CWindowSkin::DrawBackground(CDCHandle dc, const CRect& rc) {
    if (AfxIsHighContrast()) {
        dc.FillSolidRect(&rc, ::GetSysColor(COLOR_WINDOW));
        return;
    }
    // Tried once per DPI: a bitmap that fails to load is not asked for again at every paint.
    if (!m_bBackTried) {
        m_bBackTried = true;
        LoadBackground();
    }
    DrawBitmap(dc, m_bmpBack, rc);
}

void CWindowSkin::DragByBackground(CPoint point) {
    // Posted, not sent: the platform's move loop starts once this press has been handled.
    m_pWnd->PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    m_pWnd->Default();
}

UINT CWindowSkin::MoveToDpi(WPARAM wParam, LPARAM lParam) {
    const auto* prcSuggested = reinterpret_cast<const RECT*>(lParam);
    UINT dpi = LOWORD(wParam);
    if (!m_pWnd || !prcSuggested || dpi == 0)
        return 0;
    CWnd& wnd = *m_pWnd;
    CRect rcOld;
    wnd.GetClientRect(&rcOld);
    std::vector<ControlPlace> places;
    if (m_look.layout == SkinLayout::FitChildren)
        places = ControlPlaces(wnd);
    m_nDpi = dpi;
    // The font first: a list's rows and header take their height from it.
    m_font.Apply(wnd, m_nDpi);
    const CRect rcNew(*prcSuggested);
    ::SetWindowPos(wnd, nullptr, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    for (const ControlPlace& place : places) {
        CRect rc = MapRectOnto(place.rc, rcOld, rcClient);
        ::MoveWindow(place.hWnd, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    }
    for (CDpiFollower* pControl : m_followers)
        pControl->SetDpi(m_nDpi);
    // Drawn for the new DPI at the next paint, which the invalidation brings.
    m_bmpBack.DeleteObject();
    m_bBackTried = false;
    LoadIcons();
    wnd.Invalidate();
    return m_nDpi;
}

void CWindowSkin::FitToSkinSize(CSize size96) {
    CWnd& wnd = *m_pWnd;
    const CSize sizeWindow(Scale(size96.cx), Scale(size96.cy));
    CRect rcTemplate;
    wnd.GetClientRect(&rcTemplate);
    ::SetWindowPos(wnd, HWND_TOP, 0, 0, sizeWindow.cx, sizeWindow.cy, SWP_NOMOVE);
    CRect rcClient;
    wnd.GetClientRect(&rcClient);

    std::vector<ControlPlace> places = ControlPlaces(wnd);
    CRect rcUsed;
    for (const ControlPlace& place : places)
        rcUsed.UnionRect(rcUsed, place.rc);
    CRect rcInside;
    rcInside.IntersectRect(rcUsed, rcClient);
    // Where everything fits, the template's own layout stays as it is.
    if (rcInside != rcUsed) {
        CRect rcFrom;
        rcFrom.UnionRect(rcTemplate, rcUsed);
        for (ControlPlace& place : places) {
            place.rc = MapRectOnto(place.rc, rcFrom, rcClient);
            ::MoveWindow(place.hWnd, place.rc.left, place.rc.top, place.rc.Width(),
                         place.rc.Height(), TRUE);
        }
    }
    GrowCutLabels(places, rcClient);
}
