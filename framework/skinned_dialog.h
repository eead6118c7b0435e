// CSkinnedDialog: a captionless dialog drawn over a background bitmap. It owns the skin and
// answers for it: it paints the background, is dragged by a press anywhere on it, follows
// moves to a monitor of another scale, and draws itself and its controls again when the
// system's colours or High Contrast change.
#pragma once

#include "framework/dialog.h"
#include "framework/window_skin.h"

class CSkinnedDialog : public CDialog {
public:
    explicit CSkinnedDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Overridables
    // Attaches the skin given to SetSkin once the controls are bound; a dialog without one
    // paints, drags and scales as a plain dialog.
    BOOL OnInitDialog() override;

protected:
    // Configuration, before the dialog is created.
    void SetSkin(const SKINLOOK& look) { m_skinLook = look; }
    // Called once the skin has moved to a new DPI, for the dialog to place the controls it
    // lays out itself.
    virtual void OnSkinDpiChanged(UINT dpi);

    // Message handlers
    // A minimised dialog with a shared icon shows the icon, as a dialog with a caption would.
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // The background into the context given: themed controls, such as a check box, ask their
    // parent for the picture behind them this way.
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnSysColorChange();
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);

    // Only top-level windows hear of new system colours, yet the controls keep copies of them:
    // every control is told, and the whole window is drawn again at once.
    void FollowSystemColours();

    // Data members
    // The DPI the dialog is laid out and drawn for, and the background, font and icons that
    // follow it.
    CWindowSkin m_skin;

    DECLARE_MESSAGE_MAP()

private:
    SKINLOOK m_skinLook;
};
