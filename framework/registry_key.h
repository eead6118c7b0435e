// CRegKey: owns an open registry key and closes it with itself.
#pragma once

#include <windows.h>

#include "framework/handle_owner.h"

struct RegKeyFree {
    static LONG Free(HKEY hKey) { return ::RegCloseKey(hKey); }
};

class CRegKey : public CHandleOwner<HKEY, RegKeyFree> {
public:
    // The platform's result. The key held before is closed only once the new one is open.
    LONG Open(HKEY hParent, LPCWSTR lpszPath, REGSAM samDesired) {
        HKEY hKey = nullptr;
        LONG result = ::RegOpenKeyExW(hParent, lpszPath, 0, samDesired, &hKey);
        if (result == ERROR_SUCCESS)
            Attach(hKey);
        return result;
    }
    // Opens the key, creating it (and any missing parent) when it does not exist yet.
    LONG Create(HKEY hParent, LPCWSTR lpszPath, REGSAM samDesired) {
        HKEY hKey = nullptr;
        LONG result = ::RegCreateKeyExW(hParent, lpszPath, 0, nullptr, 0, samDesired, nullptr,
                                        &hKey, nullptr);
        if (result == ERROR_SUCCESS)
            Attach(hKey);
        return result;
    }
    LONG Close() { return Free(); }
};
