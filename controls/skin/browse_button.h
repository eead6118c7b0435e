// CBrowseButton: a path field with a push button at one end that opens the folder dialog or
// the common file dialog; the button face is painted by the control itself.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <memory>

#include "framework/controls.h"
#include "framework/dpi.h"

// Options of the browse button (m_dwOptions).
constexpr DWORD BBS_BUTTONLEFT = 0x01;      // button at the left end, edit to its right
constexpr DWORD BBS_ICON = 0x02;            // face shows an icon, not the caption
constexpr DWORD BBS_FLAT = 0x04;            // flat frame
constexpr DWORD BBS_OPENFOLDER = 0x08;      // icon: open folder with a curved arrow
constexpr DWORD BBS_CLOSEDFOLDER = 0x10;    // icon: closed folder
constexpr DWORD BBS_FOLDERMAGNIFIER = 0x20; // icon: folder with a magnifying glass
constexpr DWORD BBS_EDITABLE = 0x40;        // the edit accepts typing
constexpr DWORD BBS_BROWSEFOLDER = 0x80;    // the button opens the folder dialog

class CBrowseButton : public CButton, public CDpiFollower {
public:
    // Fixed identifiers of the children and timers.
    static constexpr UINT kEditId = 12345;
    static constexpr UINT_PTR kToolId = 12346;
    static constexpr UINT_PTR kHoverTimer = 12347;
    static constexpr UINT_PTR kFocusTimer = 12348;
    // The field's label for screen readers, a child of no size before the edit.
    static constexpr UINT kFieldLabelId = 12349;
    // Characters of the file dialog's buffer and of the folder dialog's result.
    static constexpr DWORD kFileBufferChars = 65536;
    static constexpr DWORD kFolderBufferChars = 262;

    // Construction
    CBrowseButton() = default;
    ~CBrowseButton() override;
    virtual BOOL Create(const RECT& rect, CWnd* pParent, UINT nID, DWORD dwOptions,
                        UINT nNotifyMessage);

    // Configuration
    // BBS_* options. Those that shape the edit and the face (BBS_EDITABLE, BBS_ICON and the
    // icons, BBS_BUTTONLEFT) take effect at the set-up: given to Create, or set before the
    // control is bound to a dialog's button; the others at the next browse or paint.
    void SetOptions(DWORD dwOptions) { m_dwOptions = dwOptions; }
    // BIF_* flags of the folder dialog.
    void SetFolderFlags(UINT uFlags) { m_uFolderFlags = uFlags; }
    // The face's caption, without BBS_ICON; the button is laid out again for it.
    void SetCaption(LPCWSTR pszCaption);
    // What a screen reader calls the button when its face is an icon; before the set-up.
    void SetButtonName(LPCWSTR pszName) { m_strButtonName = pszName; }
    // The line above the folder dialog's tree.
    void SetFolderPrompt(LPCWSTR pszPrompt) { m_strFolderPrompt = pszPrompt; }

    // Operations
    // The message sent to the parent after each browse. Text typed or set into an editable
    // field is told as EN_CHANGE from the control's own id instead.
    void SetNotifyMessage(UINT nMessage) { m_nNotifyMessage = nMessage; }
    void SetTooltipText(LPCWSTR pszText);
    void SetPathName(LPCWSTR pszPath);
    void SetFilter(LPCWSTR pszFilter) { m_strFilter = pszFilter; }
    CString GetPathName() const;
    // Lays the button out and draws its icons for dpi; the edit takes the control's font,
    // which the owner has made for that DPI.
    void SetDpi(UINT dpi) override;

    // Attributes: the layout, in client coordinates.
    const CRect& GetButtonRect() const { return m_rcButton; }
    // The caption text or icon inside the button, before a press sinks it.
    const CRect& GetFaceRect() const { return m_rcFace; }
    // The tooltip, whose tool kToolId covers the button.
    CToolTipCtrl& GetToolTips() { return m_tooltip; }

protected:
    // Paints the button area (frame and face) into any context in client coordinates.
    void DrawButton(CDCHandle dc);

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    BOOL Initialize();
    BOOL CreateEditChild();
    // Screen readers name an edit after the static text just before it, and a button after
    // its window text: the edit takes the text of the label before this control in its
    // dialog, the button the name of its face.
    void NameForScreenReaders();
    void RecalcLayout(BOOL bMoveEdit);
    int Browse();
    void BrowseAndNotify();
    int BrowseFolder();
    int BrowseFile();
    static int CALLBACK BrowseFolderCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData);
    // Replaces the result buffer, shows its first path selected and forgets typed text.
    void TakeResult(std::unique_ptr<wchar_t[]> pszResult);
    // Selects all of the edit's text, or removes the selection.
    void SelectEditText(BOOL bSelect);

    // Drawing
    void DrawFrame(CDCHandle dc, COLORREF crFace);
    // Composes a face off-screen, drawn by draw(memDC), and copies it to the face rectangle.
    template <class TDraw>
    void DrawFace(CDCHandle dc, COLORREF crFace, const CRect& rcFace, TDraw draw);
    void DrawCaptionFace(CDCHandle dc, COLORREF crFace, const CRect& rcFace);
    void DrawOpenFolderIcon(CDCHandle dc, COLORREF crFace, const CRect& rcFace);
    void DrawClosedFolderIcon(CDCHandle dc, COLORREF crFace, const CRect& rcFace);
    void DrawFolderMagnifierIcon(CDCHandle dc, COLORREF crFace, const CRect& rcFace);

    // Message handlers
    void OnPaint();
    // wParam: the context to paint into.
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    // The push button's state with this control's own pressed and hot state.
    LRESULT OnGetState(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    void OnMove(int x, int y);
    void OnSize(UINT nType, int cx, int cy);
    void OnEnable(BOOL bEnable);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnEditChange();

    DECLARE_MESSAGE_MAP()

private:
    // Data members
    UINT m_nNotifyMessage = 0; // sent to the parent after each browse; 0 sends none
    CRect m_rcButton;          // client coordinates, set by RecalcLayout
    CRect m_rcFace;            // the caption text or icon inside the button
    CRect m_rcEdit;
    CEdit m_edit;
    CStatic m_fieldLabel;         // the label the control has in its dialog, for screen readers
    BOOL m_bEditSelected = FALSE; // the edit's whole text is shown selected
    BOOL m_bCreated = FALSE;      // Create runs the set-up, not PreSubclassWindow
    DWORD m_dwOptions = BBS_ICON | BBS_OPENFOLDER;
    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;
    BOOL m_bPressing = FALSE; // a press's own processing is moving the focus
    CToolTipCtrl m_tooltip;
    CString m_strTooltip = L"Browse";
    CString m_strCaption;
    CString m_strButtonName = L"Browse";
    BOOL m_bBusy = FALSE; // a browse dialog is running
    CString m_strDialogTitle;
    CString m_strFolderPrompt = L"Plseas select a folder from the list:";
    BOOL m_bOpenDialog = TRUE;
    // A browse leaves the process's current folder alone: the programs the host starts later
    // start there, and the folder browsed must not stay in use.
    DWORD m_dwFileFlags = OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT | OFN_CREATEPROMPT |
                          OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    UINT m_uFolderFlags = BIF_RETURNONLYFSDIRS;
    CString m_strDefExt;
    CString m_strFilter = L"All Files (*.*)|*.*||";
    // The chosen paths, each ended by NUL, with one more NUL after the last; null for none.
    // Only the first path is ever read or shown.
    std::unique_ptr<wchar_t[]> m_pszResult;
    BOOL m_bTyped = FALSE; // typed into the edit since the last browse
    CString m_strTyped;
    // The DPI the button is laid out and its icons drawn for: the window's when the control
    // is set up, then the owner's after a move to a monitor of another scale.
    UINT m_nDpi = kLayoutDpi;
};
