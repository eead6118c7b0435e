// Loaded DLLs, freed with their owner, and loading them only from the system's own folder: a
// DLL planted beside the executable (a portable program is unpacked wherever downloads land)
// must never run inside it.
#pragma once

#include <windows.h>

#include "framework/handle_owner.h"

// Makes System32 the only folder searched by every later load of a DLL, the platform's
// own loads for this process included. Called first thing by each program's entry.
void AfxRestrictDllSearch();

struct LibraryFree {
    static BOOL Free(HMODULE hModule) { return ::FreeLibrary(hModule); }
};

// A loaded DLL, freed with the object.
class CLibrary : public CHandleOwner<HMODULE, LibraryFree> {
public:
    CLibrary() = default;
    // Takes ownership of a module that LoadLibrary returned.
    explicit CLibrary(HMODULE hModule) : CHandleOwner(hModule) {}

    bool IsLoaded() const { return !IsNull(); }
    BOOL Free() { return CHandleOwner::Free(); }
    // The named export as a function of type TFunction, or null.
    template <class TFunction> TFunction GetProc(const char* pszName) const {
        return IsLoaded() ? reinterpret_cast<TFunction>(
                                reinterpret_cast<void*>(::GetProcAddress(GetSafeHandle(), pszName)))
                          : nullptr;
    }
};

// A DLL from System32, loaded on demand.
class CSystemLibrary : public CLibrary {
public:
    explicit CSystemLibrary(LPCWSTR lpszName);
};
