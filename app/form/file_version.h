// CFileVersion: reads a module's or file's version resource into text.
#pragma once

#include <windows.h>

#include "framework/cstring.h"

class CFileVersion {
public:
    // Data members
    CString m_strValue;          // the requested string-table value, if any was found
    CString m_strFileVersion;    // "a,b,c,d" from the fixed file version
    CString m_strProductVersion; // "a,b,c,d" from the fixed product version

    // Construction
    // pszKey is the eight hexadecimal digits of a string table's language and code page;
    // pszKey and pszName may be null, and a value is looked up only when both are given.
    CFileVersion(HMODULE hModule, LPCWSTR pszKey, LPCWSTR pszName);

    // Operations
    void ReadFromModule(HMODULE hModule, LPCWSTR pszKey, LPCWSTR pszName);
    void ReadFromFile(LPCWSTR pszPath, LPCWSTR pszKey, LPCWSTR pszName);
};
