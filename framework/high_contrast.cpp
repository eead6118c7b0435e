// The High Contrast question, and the test's answer to it.
#include "framework/high_contrast.h"

namespace {

HighContrastAnswer g_answer = HighContrastAnswer::System;

BOOL CALLBACK TellOfHighContrast(HWND hWnd, LPARAM) {
    ::SendMessageW(hWnd, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    return TRUE;
}

} // namespace

BOOL AfxIsHighContrast() {
    if (g_answer != HighContrastAnswer::System)
        return g_answer == HighContrastAnswer::On;
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof(hc);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) &&
           (hc.dwFlags & HCF_HIGHCONTRASTON);
}

void AfxPretendHighContrast(HighContrastAnswer answer) {
    g_answer = answer;
    ::EnumThreadWindows(::GetCurrentThreadId(), &TellOfHighContrast, 0);
}
