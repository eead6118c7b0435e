// CFileVersion: the fixed version numbers and one string-table value of a version resource.
#include "app/form/file_version.h"

#include <winver.h>

#include <memory>

#include "framework/module_path.h"
#include "framework/system_library.h"

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
    CString path = AfxGetModuleFileName(hModule);
    if (!path.IsEmpty())
        ReadFromFile(path, pszKey, pszName);
}

void CFileVersion::ReadFromFile(LPCWSTR pszPath, LPCWSTR pszKey, LPCWSTR pszName) {
    // The version library is not one of the platform's known DLLs, so an import of it would
    // be looked for beside the executable first.
    CSystemLibrary version(L"version.dll");
    auto pfnGetSize =
        version.GetProc<decltype(&::GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
    auto pfnGetInfo = version.GetProc<decltype(&::GetFileVersionInfoW)>("GetFileVersionInfoW");
    auto pfnQuery = version.GetProc<decltype(&::VerQueryValueW)>("VerQueryValueW");
    if (!pfnGetSize || !pfnGetInfo || !pfnQuery)
        return;
    DWORD handle = 0;
    DWORD size = pfnGetSize(pszPath, &handle);
    if (size == 0)
        return;
    auto block = std::make_unique<BYTE[]>(size);
    if (!pfnGetInfo(pszPath, 0, size, block.get()))
        return;

    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT len = 0;
    if (pfnQuery(block.get(), L"\\", reinterpret_cast<void**>(&pFixed), &len) && pFixed &&
        len >= sizeof(VS_FIXEDFILEINFO)) {
        m_strProductVersion = FormatVersion(pFixed->dwProductVersionMS, pFixed->dwProductVersionLS);
        m_strFileVersion = FormatVersion(pFixed->dwFileVersionMS, pFixed->dwFileVersionLS);
    }

    if (pszKey && pszName) {
        CString query = CString(L"\\StringFileInfo\\") + pszKey + L"\\" + pszName;
        LPWSTR pValue = nullptr;
        UINT cch = 0;
        if (pfnQuery(block.get(), query, reinterpret_cast<void**>(&pValue), &cch) && pValue)
            m_strValue = CString(pValue, static_cast<int>(wcsnlen(pValue, cch)));
    }
}
