// XLISTCELL: what the list control keeps for one cell. Every row it inserts owns one
// contiguous array of these, one per column, held as the row's item data.
#pragma once

#include <windows.h>

#include "framework/cstring.h"

struct XLISTCELL {
    BOOL bRowEnabled = TRUE; // only the column-0 record counts, for the whole row
    BOOL bBoldText = FALSE;
    int nImageIndex = -1; // into the list's small image list; -1 none
    CString strTipText;
    BOOL bHasCombo = FALSE;
    BOOL bComboDown = FALSE;          // button shown pressed
    CStringArray* pChoices = nullptr; // not owned
    int nDropRows = 10;               // height of the drop list in rows
    int nDefaultChoice = 0;           // taken when the combo text is empty
    COLORREF crCellText = ::GetSysColor(COLOR_WINDOWTEXT);
    COLORREF crCellBack = ::GetSysColor(COLOR_WINDOW);
    BOOL bHasProgress = FALSE;
    int nPercent = 0;         // 0 or less draws no bar
    CString strPercentFormat; // one integer conversion; empty means "%d%%"
    BOOL bShowPercent = TRUE;
    int nCheckState = -1; // -1 none, 0 unchecked, 1 checked
    DWORD dwUserData = 0;
};

// What a cell shows. A cell given several kinds shows one: a progress bar before a drop-down
// choice, a drop-down choice before a check box; the painter and the mouse agree on it here.
enum class XCellKind { Plain, Check, Combo, Progress };

inline XCellKind CellKindOf(const XLISTCELL* pCell) {
    if (!pCell)
        return XCellKind::Plain;
    if (pCell->bHasProgress)
        return XCellKind::Progress;
    if (pCell->bHasCombo)
        return XCellKind::Combo;
    if (pCell->nCheckState != -1)
        return XCellKind::Check;
    return XCellKind::Plain;
}
