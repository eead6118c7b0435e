// CFileDialog: the filter's conversion, the modal run and the walk over the chosen paths.
#include "framework/file_dialog.h"

#include <cwchar>

#include "framework/ole_initializer.h"
#include "framework/wnd.h"

namespace {

// The length of the string at p, stopping at end when no NUL comes first.
size_t BoundedLength(const wchar_t* p, const wchar_t* end) {
    return p < end ? wcsnlen(p, static_cast<size_t>(end - p)) : 0;
}

// Puts the process's current folder back when it goes. The platform honours OFN_NOCHANGEDIR
// for the Save dialog only: the Open dialog leaves the process in the folder last browsed,
// where every program started afterwards would start and which stays in use meanwhile.
class CurrentFolderKeeper {
public:
    explicit CurrentFolderKeeper(bool bKeep) {
        DWORD n = bKeep ? ::GetCurrentDirectoryW(0, nullptr) : 0;
        if (n == 0)
            return;
        m_folder.resize(n);
        n = ::GetCurrentDirectoryW(n, m_folder.data());
        m_folder.resize(n < m_folder.size() ? n : 0);
    }
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;
    ~CurrentFolderKeeper() {
        if (!m_folder.empty())
            ::SetCurrentDirectoryW(m_folder.c_str());
    }

private:
    std::wstring m_folder;
};

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName,
                         DWORD dwFlags, LPCWSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize)
    : m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt) {
    m_ofn.lStructSize = dwSize ? dwSize : sizeof(OPENFILENAMEW);
    m_ofn.hwndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    m_ofn.hInstance = ::GetModuleHandleW(nullptr);
    m_ofn.Flags = dwFlags;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    if (lpszFileName)
        wcsncpy(m_szFileName, lpszFileName, MAX_PATH);
    if (lpszDefExt)
        m_ofn.lpstrDefExt = m_strDefExt;
    if (lpszFilter && *lpszFilter) {
        // The platform wants NUL where the list has '|' and reads on until two NULs in a row:
        // the string's own NUL is the second only after a last part that was ended.
        m_strFilter = lpszFilter;
        for (wchar_t& ch : m_strFilter)
            if (ch == L'|')
                ch = L'\0';
        if (m_strFilter.back() != L'\0')
            m_strFilter += L'\0';
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

INT_PTR CFileDialog::DoModal() {
    COleInitializer ole;
    CurrentFolderKeeper folder((m_ofn.Flags & OFN_NOCHANGEDIR) != 0);
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

const wchar_t* CFileDialog::FileBufferEnd() const { return m_ofn.lpstrFile + m_ofn.nMaxFile; }

CString CFileDialog::GetPathName() const {
    if (!m_ofn.lpstrFile)
        return CString();
    POSITION pos = GetStartPosition();
    return pos ? GetNextPathName(pos) : CString();
}

POSITION CFileDialog::GetStartPosition() const {
    if (!m_ofn.lpstrFile || BoundedLength(m_ofn.lpstrFile, FileBufferEnd()) == 0)
        return nullptr;
    return reinterpret_cast<POSITION>(m_ofn.lpstrFile);
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
    const wchar_t* end = FileBufferEnd();
    auto* p = reinterpret_cast<const wchar_t*>(pos);
    size_t n = BoundedLength(p, end);
    CString item(p, static_cast<int>(n));
    const wchar_t* next = p + n + 1;
    bool multiple = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0;

    // An Explorer-style selection of several files is the folder followed by the names, each
    // ended by NUL, with a second NUL after the last; one file is a single full path.
    const wchar_t* first = m_ofn.lpstrFile;
    size_t nFolder = BoundedLength(first, end);
    bool severalFiles = multiple && first + nFolder + 1 < end && first[nFolder + 1] != 0;
    if (!severalFiles) {
        pos = nullptr;
        return item;
    }
    if (p == first) {
        // The folder itself is not a chosen path: start with the first name.
        pos = reinterpret_cast<POSITION>(const_cast<wchar_t*>(next));
        return GetNextPathName(pos);
    }
    pos = next < end && *next ? reinterpret_cast<POSITION>(const_cast<wchar_t*>(next)) : nullptr;
    CString folder(first, static_cast<int>(nFolder));
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != L'\\')
        folder += L'\\';
    return folder + item;
}
