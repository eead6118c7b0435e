// Loading DLLs only from the system's own folder: a DLL planted beside the executable (a
// portable program is unpacked wherever downloads land) must never run inside it.
#pragma once

#include <windows.h>

// Makes System32 the only folder searched by every later load of a DLL, the platform's
// own loads for this process included. Called first thing by each program's entry.
void AfxRestrictDllSearch();

// A DLL from System32, loaded on demand and freed with the object.
class CSystemLibrary {
public:
    explicit CSystemLibrary(LPCWSTR lpszName);
    CSystemLibrary(const CSystemLibrary&) = delete;
    CSystemLibrary& operator=(const CSystemLibrary&) = delete;
    ~CSystemLibrary();

    bool IsLoaded() const { return m_hModule != nullptr; }
    // The named export as a function of type TFunction, or null.
    template <class TFunction> TFunction GetProc(const char* pszName) const {
        return m_hModule ? reinterpret_cast<TFunction>(
                               reinterpret_cast<void*>(::GetProcAddress(m_hModule, pszName)))
                         : nullptr;
    }

private:
    HMODULE m_hModule;
};
