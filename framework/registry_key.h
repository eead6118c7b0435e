// CRegKey: owns an open registry key and closes it with itself.
#pragma once

#include <windows.h>

#include "framework/cstring.h"
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

    // Reads a text value of any length: REG_SZ as stored, up to its first NUL, and
    // REG_EXPAND_SZ with its environment variables expanded, as the system expands a value it
    // runs. The platform's result; ERROR_UNSUPPORTED_TYPE for a value that is not text, whose
    // bytes taken as text would name whatever they happen to spell.
    LONG QueryExpandedText(LPCWSTR lpszName, CString& value) const;
};
