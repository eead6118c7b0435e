// CFileDialog: the platform's common Open and Save dialogs, with the chosen paths read back
// one by one, for a single file or an Explorer-style multiple selection.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "framework/cstring.h"

class CWnd;

// A position in the list of chosen paths; null after the last one.
using POSITION = struct __POSITION*;

class CFileDialog {
public:
    // Data members
    // Callers may change any field before DoModal, such as lpstrFile and nMaxFile for a
    // larger selection; the filter and default extension stay owned by the dialog object.
    OPENFILENAMEW m_ofn{};

    // Construction
    // lpszFilter is a list of description and pattern pairs, each part ended by '|' (the last
    // one may end with the string). dwSize 0 takes the size of the platform's structure.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr,
                         LPCWSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCWSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr,
                         DWORD dwSize = 0);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;
    virtual ~CFileDialog() = default;

    // Runs the dialog; IDOK when the user chose, IDCANCEL when the user cancelled or the
    // dialog failed, such as for a selection larger than the file buffer. With
    // OFN_NOCHANGEDIR the process's current folder is the same afterwards, for either dialog.
    virtual INT_PTR DoModal();

    // Operations, valid after DoModal returned IDOK
    CString GetPathName() const;
    POSITION GetStartPosition() const;
    // The full path at pos; pos moves on, to null after the last path.
    CString GetNextPathName(POSITION& pos) const;

    BOOL IsOpenDialog() const { return m_bOpenFileDialog; }
    // The filter in the platform's form: NUL-separated parts with a double NUL at the end.
    const std::wstring& GetFilterBuffer() const { return m_strFilter; }

protected:
    BOOL m_bOpenFileDialog;
    std::wstring m_strFilter;
    CString m_strDefExt;
    wchar_t m_szFileName[MAX_PATH + 1] = {};

private:
    // The end of the file buffer as the dialog was told it, so reading never passes it.
    const wchar_t* FileBufferEnd() const;
};
