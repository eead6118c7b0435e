// CTransparentStatic: a label that draws its text straight onto its parent's background.
// CTransparentCheckBox: a check box whose text does the same.
#pragma once

#include "framework/controls.h"

class CTransparentStatic : public CStatic {
    DECLARE_DYNAMIC(CTransparentStatic)

protected:
    // Message handlers
    // The parent repaints its background under the label before the new text is drawn.
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    // Text on a transparent background, and no brush: the parent's picture stays visible. In
    // High Contrast, the window's text over the window colour.
    HBRUSH CtlColor(CDCHandle dc, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()
};

class CTransparentCheckBox : public CButton {
    DECLARE_DYNAMIC(CTransparentCheckBox)

protected:
    // Message handlers
    // No brush: the box and its text sit on the parent's picture, which the system's grey
    // would otherwise cover wherever the skin is not that grey.
    HBRUSH CtlColor(CDCHandle dc, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()
};
