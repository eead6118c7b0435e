// CString: a UTF-16 string with value semantics; CStringArray: a growable array of them.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

class CString {
public:
    // Construction
    CString() = default;
    CString(const wchar_t* psz) : m_str(psz ? psz : L"") {}
    CString(const wchar_t* pch, int nLength)
        : m_str(pch ? pch : L"", pch && nLength > 0 ? nLength : 0) {}
    CString(wchar_t ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    CString(const std::wstring& s) : m_str(s) {}

    // Attributes
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    wchar_t GetAt(int i) const { return m_str.at(static_cast<size_t>(i)); }
    void SetAt(int i, wchar_t ch) { m_str.at(static_cast<size_t>(i)) = ch; }
    wchar_t operator[](int i) const { return GetAt(i); }
    const wchar_t* GetString() const { return m_str.c_str(); }
    operator const wchar_t*() const { return m_str.c_str(); }
    const std::wstring& str() const { return m_str; }

    // Operations
    void Empty() { m_str.clear(); }
    CString& operator=(const wchar_t* psz) {
        m_str = psz ? psz : L"";
        return *this;
    }
    CString& operator=(wchar_t ch) {
        m_str.assign(1, ch);
        return *this;
    }
    CString& operator+=(const CString& s) {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(const wchar_t* psz) {
        if (psz)
            m_str += psz;
        return *this;
    }
    CString& operator+=(wchar_t ch) {
        m_str += ch;
        return *this;
    }
    friend CString operator+(const CString& a, const CString& b) {
        return CString(a.m_str + b.m_str);
    }
    friend CString operator+(const CString& a, const wchar_t* b) { return a + CString(b); }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString(a) + b; }
    friend CString operator+(const CString& a, wchar_t ch) { return CString(a.m_str + ch); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

    // Formats with the C runtime's wide printf rules (%s takes a wide string). Returns false
    // and leaves the string empty when the format cannot be applied.
    bool Format(const wchar_t* pszFormat, ...);
    bool FormatV(const wchar_t* pszFormat, va_list args);
    BOOL LoadString(UINT nID);

    int Compare(const wchar_t* psz) const;
    int CompareNoCase(const wchar_t* psz) const;

    // White space is what iswspace says it is.
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& TrimLeft(wchar_t ch);
    CString& TrimRight(wchar_t ch);

    int Find(wchar_t ch, int nStart = 0) const;
    int Find(const wchar_t* psz, int nStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    // Returns the new length.
    int Delete(int nIndex, int nCount = 1);
    int Insert(int nIndex, const wchar_t* psz);
    int Replace(const wchar_t* pszOld, const wchar_t* pszNew);
    CString& MakeUpper();
    CString& MakeLower();

    // Direct access for platform calls that fill a buffer. The buffer holds at least
    // nMinLength characters plus a terminator; ReleaseBuffer(-1) takes the length up to
    // the first NUL.
    wchar_t* GetBuffer(int nMinLength = 0);
    wchar_t* GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::wstring m_str;
};

// The string-table text nID in the thread's resource language, with %1 to %9 replaced by the
// inserts in their order and %% by a percent sign: a translation puts each insert where its
// sentence needs it. Empty when the text is missing.
CString ResourceString(UINT nID, std::initializer_list<const wchar_t*> inserts = {});

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    void SetSize(int nNewSize) { m_items.resize(nNewSize > 0 ? static_cast<size_t>(nNewSize) : 0); }
    void RemoveAll() { m_items.clear(); }

    const CString& GetAt(int i) const { return m_items.at(static_cast<size_t>(i)); }
    CString& ElementAt(int i) { return m_items.at(static_cast<size_t>(i)); }
    void SetAt(int i, const CString& s) { m_items.at(static_cast<size_t>(i)) = s; }
    const CString& operator[](int i) const { return GetAt(i); }
    CString& operator[](int i) { return ElementAt(i); }

    int Add(const CString& s) {
        m_items.push_back(s);
        return GetUpperBound();
    }
    void InsertAt(int i, const CString& s, int nCount = 1);
    void RemoveAt(int i, int nCount = 1);

private:
    std::vector<CString> m_items;
};
