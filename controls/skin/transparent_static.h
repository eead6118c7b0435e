// CTransparentStatic: a label that draws its text straight onto its parent's background.
#pragma once

#include "framework/controls.h"

class CTransparentStatic : public CStatic {
    DECLARE_DYNAMIC(CTransparentStatic)

protected:
    // Message handlers
    // The parent repaints its background under the label before the new text is drawn.
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    // Text on a transparent background, and no brush: the parent's picture stays visible.
    HBRUSH CtlColor(CDCHandle dc, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()
};
