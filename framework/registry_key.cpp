// Reading registry values through an open key.
#include "framework/registry_key.h"

LONG CRegKey::QueryExpandedText(LPCWSTR lpszName, CString& value) const {
    // REG_SZ takes in REG_EXPAND_SZ too: the platform expands it and hands it over as REG_SZ
    // (and refuses RRF_RT_REG_EXPAND_SZ with expansion on). The value may grow between the
    // size asked and the read, or in its expansion, so the read is repeated.
    constexpr DWORD kFlags = RRF_RT_REG_SZ;
    LONG result = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 4 && result == ERROR_MORE_DATA; ++attempt) {
        DWORD size = 0;
        result = ::RegGetValueW(*this, nullptr, lpszName, kFlags, nullptr, nullptr, &size);
        if (result != ERROR_SUCCESS)
            break;
        CString text;
        int units = static_cast<int>(size / sizeof(wchar_t)) + 1;
        size = static_cast<DWORD>(units * sizeof(wchar_t));
        result = ::RegGetValueW(*this, nullptr, lpszName, kFlags, nullptr,
                                text.GetBufferSetLength(units), &size);
        text.ReleaseBuffer(result == ERROR_SUCCESS ? -1 : 0);
        if (result == ERROR_SUCCESS)
            value = text;
    }
    return result;
}
