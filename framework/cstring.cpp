// CString and CStringArray operations that are more than one line.
#include "framework/cstring.h"

#include <cstdarg>
#include <cstdio>
#include <cwctype>
#include <algorithm>

#include "framework/module.h"

bool CString::Format(const wchar_t* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    bool ok = FormatV(pszFormat, args);
    va_end(args);
    return ok;
}

bool CString::FormatV(const wchar_t* pszFormat, va_list args) {
    m_str.clear();
    if (!pszFormat)
        return false;
    // The Microsoft runtime's functions, not the C99 ones, so that %s means a wide string.
    va_list count;
    va_copy(count, args);
    int n = _vscwprintf(pszFormat, count);
    va_end(count);
    if (n < 0)
        return false;
    m_str.resize(static_cast<size_t>(n) + 1);
    int written = _vsnwprintf(m_str.data(), m_str.size(), pszFormat, args);
    m_str.resize(written < 0 ? 0 : static_cast<size_t>(written));
    return written >= 0;
}

BOOL CString::LoadString(UINT nID) {
    const wchar_t* p = nullptr;
    // With a zero buffer size the platform returns a pointer to the resource text itself.
    int n = ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&p), 0);
    if (n <= 0 || !p) {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(p, static_cast<size_t>(n));
    return TRUE;
}

CString ResourceString(UINT nID, std::initializer_list<const wchar_t*> inserts) {
    CString strFormat;
    strFormat.LoadString(nID);
    const std::wstring& format = strFormat.str();
    std::wstring text;
    for (size_t i = 0; i < format.size(); ++i) {
        wchar_t next = i + 1 < format.size() ? format[i + 1] : L'\0';
        if (format[i] != L'%' || !(next == L'%' || (next >= L'1' && next <= L'9'))) {
            text += format[i];
            continue;
        }
        ++i;
        if (next == L'%')
            text += L'%';
        else if (auto n = static_cast<size_t>(next - L'1');
                 n < inserts.size() && inserts.begin()[n])
            text += inserts.begin()[n];
    }
    return text;
}

int CString::Compare(const wchar_t* psz) const { return m_str.compare(psz ? psz : L""); }

int CString::CompareNoCase(const wchar_t* psz) const {
    return _wcsicmp(m_str.c_str(), psz ? psz : L"");
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft() {
    size_t i = 0;
    while (i < m_str.size() && std::iswspace(m_str[i]))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight() {
    size_t n = m_str.size();
    while (n > 0 && std::iswspace(m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimLeft(wchar_t ch) {
    m_str.erase(0, m_str.find_first_not_of(ch));
    return *this;
}

CString& CString::TrimRight(wchar_t ch) {
    size_t last = m_str.find_last_not_of(ch);
    m_str.resize(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

int CString::Find(wchar_t ch, int nStart) const {
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t i = m_str.find(ch, static_cast<size_t>(nStart));
    return i == std::wstring::npos ? -1 : static_cast<int>(i);
}

int CString::Find(const wchar_t* psz, int nStart) const {
    if (!psz || nStart < 0 || nStart > GetLength())
        return -1;
    size_t i = m_str.find(psz, static_cast<size_t>(nStart));
    return i == std::wstring::npos ? -1 : static_cast<int>(i);
}

int CString::ReverseFind(wchar_t ch) const {
    size_t i = m_str.rfind(ch);
    return i == std::wstring::npos ? -1 : static_cast<int>(i);
}

CString CString::Left(int nCount) const {
    if (nCount <= 0)
        return {};
    return CString(m_str.substr(0, static_cast<size_t>(nCount)));
}

CString CString::Right(int nCount) const {
    if (nCount <= 0)
        return {};
    if (nCount >= GetLength())
        return *this;
    return CString(m_str.substr(m_str.size() - static_cast<size_t>(nCount)));
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
    if (nFirst < 0)
        nFirst = 0;
    if (nCount <= 0 || nFirst >= GetLength())
        return {};
    return CString(m_str.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
}

int CString::Delete(int nIndex, int nCount) {
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength())
        m_str.erase(static_cast<size_t>(nIndex), static_cast<size_t>(nCount));
    return GetLength();
}

int CString::Insert(int nIndex, const wchar_t* psz) {
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    if (psz)
        m_str.insert(static_cast<size_t>(nIndex), psz);
    return GetLength();
}

int CString::Replace(const wchar_t* pszOld, const wchar_t* pszNew) {
    if (!pszOld || !*pszOld)
        return 0;
    std::wstring from(pszOld), to(pszNew ? pszNew : L"");
    int count = 0;
    for (size_t i = m_str.find(from); i != std::wstring::npos;
         i = m_str.find(from, i + to.size())) {
        m_str.replace(i, from.size(), to);
        ++count;
    }
    return count;
}

CString& CString::MakeUpper() {
    for (auto& c : m_str)
        c = static_cast<wchar_t>(std::towupper(c));
    return *this;
}

CString& CString::MakeLower() {
    for (auto& c : m_str)
        c = static_cast<wchar_t>(std::towlower(c));
    return *this;
}

wchar_t* CString::GetBuffer(int nMinLength) {
    if (nMinLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinLength));
    return m_str.data();
}

wchar_t* CString::GetBufferSetLength(int nLength) {
    m_str.resize(nLength > 0 ? static_cast<size_t>(nLength) : 0);
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0)
        nNewLength = static_cast<int>(wcsnlen(m_str.c_str(), m_str.size()));
    if (nNewLength < GetLength())
        m_str.resize(static_cast<size_t>(nNewLength));
}

void CStringArray::InsertAt(int i, const CString& s, int nCount) {
    if (i < 0 || nCount <= 0)
        return;
    if (i > GetSize())
        SetSize(i);
    m_items.insert(m_items.begin() + i, static_cast<size_t>(nCount), s);
}

void CStringArray::RemoveAt(int i, int nCount) {
    if (i < 0 || nCount <= 0 || i >= GetSize())
        return;
    int last = std::min(GetSize(), i + nCount);
    m_items.erase(m_items.begin() + i, m_items.begin() + last);
}
