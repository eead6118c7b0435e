// The launch options' texts in the settings file.
#include "app/launch/launch_options.h"

#include <cstddef>

namespace {

// In the order of each option's values; the first is the default, never written.
const wchar_t* const kWindowNames[] = {L"Normal", L"Minimized", L"Maximized"};
const wchar_t* const kIfRunningNames[] = {L"StartAnother", L"BringToFront", L"Toggle"};
const wchar_t* const kRunAsNames[] = {L"", L"Admin"};

template <size_t N> CString NameOf(const wchar_t* const (&names)[N], int nValue) {
    return nValue > 0 && nValue < static_cast<int>(N) ? CString(names[nValue]) : CString();
}

template <size_t N> int ValueOf(const wchar_t* const (&names)[N], const CString& strText) {
    for (size_t i = 1; i < N; ++i)
        if (strText.CompareNoCase(names[i]) == 0)
            return static_cast<int>(i);
    return 0;
}

} // namespace

CString LaunchWindowText(LaunchWindow eWindow) {
    return NameOf(kWindowNames, static_cast<int>(eWindow));
}

LaunchWindow LaunchWindowFromText(const CString& strText) {
    return static_cast<LaunchWindow>(ValueOf(kWindowNames, strText));
}

CString RunAsText(bool bRunAsAdmin) { return NameOf(kRunAsNames, bRunAsAdmin ? 1 : 0); }

bool RunAsFromText(const CString& strText) { return ValueOf(kRunAsNames, strText) == 1; }

CString IfRunningText(LaunchIfRunning eIfRunning) {
    return NameOf(kIfRunningNames, static_cast<int>(eIfRunning));
}

LaunchIfRunning IfRunningFromText(const CString& strText) {
    return static_cast<LaunchIfRunning>(ValueOf(kIfRunningNames, strText));
}

CString ExpandedVariables(const CString& strText) {
    if (strText.IsEmpty())
        return {};
    DWORD units = ::ExpandEnvironmentStringsW(strText, nullptr, 0);
    CString expanded;
    if (units == 0 ||
        ::ExpandEnvironmentStringsW(strText, expanded.GetBufferSetLength(static_cast<int>(units)),
                                    units) != units)
        return {};
    expanded.ReleaseBuffer();
    return expanded;
}
