// CRegKey: owns an open registry key and closes it with itself.
#pragma once

#include <windows.h>

#include <utility>

class CRegKey {
public:
    CRegKey() = default;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    CRegKey(CRegKey&& o) noexcept : m_hKey(o.Detach()) {}
    CRegKey& operator=(CRegKey&& o) noexcept {
        if (this != &o) {
            Close();
            m_hKey = o.Detach();
        }
        return *this;
    }
    ~CRegKey() { Close(); }

    HKEY GetSafeHandle() const { return m_hKey; }
    operator HKEY() const { return m_hKey; }
    explicit operator bool() const { return m_hKey != nullptr; }

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

    // Takes ownership of hKey, closing the key held before.
    void Attach(HKEY hKey) {
        Close();
        m_hKey = hKey;
    }
    HKEY Detach() { return std::exchange(m_hKey, nullptr); }
    LONG Close() { return m_hKey ? ::RegCloseKey(Detach()) : ERROR_SUCCESS; }

private:
    HKEY m_hKey = nullptr;
};
