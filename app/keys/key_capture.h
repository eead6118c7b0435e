// CKeyCaptureEdit: a read-only field that shows a key combination and takes a new one from the
// next key press while it has the focus: Ctrl, Alt, Shift and the Win keys held, then one key
// of a combination. Tab, Esc and Enter keep their meaning in the dialog.
#pragma once

#include "app/keys/key_combination.h"
#include "framework/controls.h"

class CKeyCaptureEdit : public CEdit {
public:
    // Shown at once.
    void SetCombination(const KEYCOMBINATION& combination);
    const KEYCOMBINATION& GetCombination() const { return m_combination; }

    // Key presses are taken before the dialog manager sees them, so that Alt and the arrows
    // neither move the focus nor open the system menu.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The modifiers held so far, as a combination without its key.
    static UINT HeldModifiers();
    // bRepeat: the key's auto-repeat while it is held.
    void OnKeyDown(UINT nKey, bool bRepeat);
    // Shows the combination, or the modifiers still held while a new one is being pressed.
    void ShowState();

    // Message handlers
    void OnKillFocus(CWnd* pNewWnd);

    // Data members
    KEYCOMBINATION m_combination;
    // Modifiers went down and no key of a combination has followed yet.
    bool m_bPressing = false;

    DECLARE_MESSAGE_MAP()
};
