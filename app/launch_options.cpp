// Reading and writing a key's launch options as keys of its section in the settings file.
#include "app/launch_options.h"

#include <windows.h>

const wchar_t* const kLaunchWindowNames[3] = {L"Normal", L"Minimized", L"Maximized"};
const wchar_t* const kLaunchIfRunningNames[3] = {L"StartAnother", L"BringToFront", L"Toggle"};

namespace {

constexpr const wchar_t* kStartInKey = L"StartIn";
constexpr const wchar_t* kWindowKey = L"Window";
constexpr const wchar_t* kRunAsKey = L"RunAs";
constexpr const wchar_t* kIfRunningKey = L"IfRunning";
constexpr const wchar_t* kRunAsAdmin = L"Admin";

// The index of the name the value gives, or 0, the default, for any other value.
template <size_t N> int IndexOfName(const wchar_t* const (&names)[N], const CString& value) {
    for (size_t i = 0; i < N; ++i)
        if (value.CompareNoCase(names[i]) == 0)
            return static_cast<int>(i);
    return 0;
}

} // namespace

LAUNCHOPTIONS ParseLaunchOptions(const std::function<CString(const wchar_t* pszKey)>& readKey) {
    LAUNCHOPTIONS options;
    options.strStartIn = readKey(kStartInKey);
    options.eWindow =
        static_cast<LaunchWindow>(IndexOfName(kLaunchWindowNames, readKey(kWindowKey)));
    options.bRunAsAdmin = readKey(kRunAsKey).CompareNoCase(kRunAsAdmin) == 0;
    options.eIfRunning =
        static_cast<LaunchIfRunning>(IndexOfName(kLaunchIfRunningNames, readKey(kIfRunningKey)));
    return options;
}

LAUNCHOPTIONS ReadLaunchOptions(const CString& strIniPath, const wchar_t* pszSection) {
    return ParseLaunchOptions([&](const wchar_t* pszKey) {
        // A folder may be as long as the platform allows a path; the profile read cuts there.
        constexpr DWORD kCapacity = 32768;
        CString value;
        ::GetPrivateProfileStringW(pszSection, pszKey, L"", value.GetBuffer(kCapacity), kCapacity,
                                   strIniPath);
        value.ReleaseBuffer();
        return value;
    });
}

std::vector<SETTINGWRITE> LaunchOptionWrites(const LAUNCHOPTIONS& options) {
    auto entry = [](const wchar_t* pszKey, const CString& value) {
        return SETTINGWRITE{pszKey, value, value.IsEmpty()};
    };
    auto window = static_cast<size_t>(options.eWindow);
    auto ifRunning = static_cast<size_t>(options.eIfRunning);
    return {
        entry(kStartInKey, options.strStartIn),
        entry(kWindowKey, window ? kLaunchWindowNames[window] : L""),
        entry(kRunAsKey, options.bRunAsAdmin ? kRunAsAdmin : L""),
        entry(kIfRunningKey, ifRunning ? kLaunchIfRunningNames[ifRunning] : L""),
    };
}
