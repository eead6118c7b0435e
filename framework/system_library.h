// Loaded DLLs, freed with their owner, and loading them only from the system's own folder: a
// DLL planted beside the executable (a portable program is unpacked wherever downloads land)
// must never run inside it.
#pragma once

#include <windows.h>

#include <utility>

// Makes System32 the only folder searched by every later load of a DLL, the platform's
// own loads for this process included. Called first thing by each program's entry.
void AfxRestrictDllSearch();

// A loaded DLL, freed with the object.
class CLibrary {
public:
    CLibrary() = default;
    // Takes ownership of a module that LoadLibrary returned.
    explicit CLibrary(HMODULE hModule) : m_hModule(hModule) {}
    CLibrary(const CLibrary&) = delete;
    CLibrary& operator=(const CLibrary&) = delete;
    CLibrary(CLibrary&& o) noexcept : m_hModule(o.Detach()) {}
    CLibrary& operator=(CLibrary&& o) noexcept {
        if (this != &o) {
            Free();
            m_hModule = o.Detach();
        }
        return *this;
    }
    ~CLibrary() { Free(); }

    bool IsLoaded() const { return m_hModule != nullptr; }
    HMODULE GetSafeHandle() const { return m_hModule; }
    operator HMODULE() const { return m_hModule; }
    // The named export as a function of type TFunction, or null.
    template <class TFunction> TFunction GetProc(const char* pszName) const {
        return m_hModule ? reinterpret_cast<TFunction>(
                               reinterpret_cast<void*>(::GetProcAddress(m_hModule, pszName)))
                         : nullptr;
    }

    HMODULE Detach() { return std::exchange(m_hModule, nullptr); }
    void Free() {
        if (m_hModule)
            ::FreeLibrary(Detach());
    }

private:
    HMODULE m_hModule = nullptr;
};

// A DLL from System32, loaded on demand.
class CSystemLibrary : public CLibrary {
public:
    explicit CSystemLibrary(LPCWSTR lpszName);
};
