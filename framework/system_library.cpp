// DLL search restricted to System32, and DLLs loaded from there alone.
#include "framework/system_library.h"

void AfxRestrictDllSearch() {
    // Looked up rather than imported: Windows 7 has the call only with its loader update.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto pfnSetDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!pfnSetDefault || !pfnSetDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        ::SetDllDirectoryW(L""); // at least the current folder is no longer searched
}

CSystemLibrary::CSystemLibrary(LPCWSTR lpszName)
    : CLibrary(::LoadLibraryExW(lpszName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}
