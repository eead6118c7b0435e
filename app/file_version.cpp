// CFileVersion: the fixed version numbers and one string-table value of a version resource.
#include "app/file_version.h"

#include <memory>

namespace {

CString FormatVersion(DWORD dwMS, DWORD dwLS) {
    CString text;
    text.Format(L"%u,%u,%u,%u", HIWORD(dwMS), LOWORD(dwMS), HIWORD(dwLS), LOWORD(dwLS));
    return text;
}

} // namespace

CFileVersion::CFileVersion(HMODULE hModule, LPCWSTR pszKey, LPCWSTR pszName) {
    ReadFromModule(hModule, pszKey, pszName);
}

void CFileVersion::ReadFromModule(HMODULE hModule, LPCWSTR pszKey, LPCWSTR pszName) {
    if (!hModule)
        return;
    // A longer path is cut by the platform; the spare, zeroed last character keeps even a
    // cut path terminated, since not every platform version terminates it.
    wchar_t path[MAX_PATH + 1] = {};
    if (!::GetModuleFileNameW(hModule, path, MAX_PATH))
        return;
    ReadFromFile(path, pszKey, pszName);
}

void CFileVersion::ReadFromFile(LPCWSTR pszPath, LPCWSTR pszKey, LPCWSTR pszName) {
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeW(pszPath, &handle);
    if (size == 0)
        return;
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[size]);
    if (!block || !::GetFileVersionInfoW(pszPath, 0, size, block.get()))
        return;

    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT len = 0;
    if (::VerQueryValueW(block.get(), L"\\", reinterpret_cast<void**>(&pFixed), &len) && pFixed &&
        len >= sizeof(VS_FIXEDFILEINFO)) {
        m_strProductVersion = FormatVersion(pFixed->dwProductVersionMS, pFixed->dwProductVersionLS);
        m_strFileVersion = FormatVersion(pFixed->dwFileVersionMS, pFixed->dwFileVersionLS);
    }

    if (pszKey && pszName) {
        CString query = CString(L"\\StringFileInfo\\") + pszKey + L"\\" + pszName;
        LPWSTR pValue = nullptr;
        UINT cch = 0;
        if (::VerQueryValueW(block.get(), query, reinterpret_cast<void**>(&pValue), &cch) && pValue)
            m_strValue = CString(pValue, static_cast<int>(wcsnlen(pValue, cch)));
    }
}
