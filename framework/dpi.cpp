// DPI helpers: the per-DPI calls of Windows 10 are looked up at run time, so that the program
// still starts on systems without them.
#include "framework/dpi.h"

namespace {

// The user32 export, or null on a system that lacks it.
template <class TFunction> TFunction User32Export(const char* pszName) {
    return reinterpret_cast<TFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), pszName)));
}

} // namespace

UINT GetSystemDpi() {
    static const UINT dpi = [] {
        HDC hdc = ::GetDC(nullptr);
        int n = hdc ? ::GetDeviceCaps(hdc, LOGPIXELSY) : 0;
        if (hdc)
            ::ReleaseDC(nullptr, hdc);
        return n > 0 ? static_cast<UINT>(n) : kLayoutDpi;
    }();
    return dpi;
}

UINT GetWindowDpi(HWND hWnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto pfn = User32Export<GetDpiForWindowFn>("GetDpiForWindow");
    UINT dpi = pfn && hWnd ? pfn(hWnd) : 0;
    return dpi ? dpi : GetSystemDpi();
}

int GetSystemMetricForDpi(int nIndex, UINT dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto pfn = User32Export<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (pfn)
        return pfn(nIndex, dpi);
    return ::MulDiv(::GetSystemMetrics(nIndex), static_cast<int>(dpi),
                    static_cast<int>(GetSystemDpi()));
}

void KeepDialogLayoutOnDpiChange(HWND hDlg) {
    // DDC_DISABLE_ALL: neither the fonts nor the controls are rescaled by the dialog manager.
    constexpr int kDisableAll = 0x0001;
    using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    static const auto pfn =
        User32Export<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
    if (pfn)
        pfn(hDlg, kDisableAll, kDisableAll);
}
