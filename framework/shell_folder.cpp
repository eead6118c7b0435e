// The folder dialog's item lists and their release through the shell's allocator.
#include "framework/shell_folder.h"

#include "framework/ole_initializer.h"

BOOL CShellItemList::GetPath(LPWSTR pszPath, size_t cchPath) const {
    if (!pszPath || cchPath == 0)
        return FALSE;
    pszPath[0] = 0;
    if (IsNull())
        return FALSE;
    // SHGetPathFromIDListW writes up to MAX_PATH characters whatever the buffer; a smaller
    // buffer goes through a full-size one and is only filled when the path fits.
    wchar_t full[MAX_PATH + 1] = {};
    if (!::SHGetPathFromIDListW(GetSafeHandle(), full))
        return FALSE;
    size_t n = wcsnlen(full, MAX_PATH);
    if (n >= cchPath)
        return FALSE;
    wmemcpy(pszPath, full, n + 1);
    return TRUE;
}

CShellItemList BrowseForFolder(BROWSEINFOW* pBrowseInfo) {
    COleInitializer ole;
    return CShellItemList(::SHBrowseForFolderW(pBrowseInfo));
}

CString AfxGetKnownFolderPath(REFKNOWNFOLDERID folderId) {
    PWSTR pszPath = nullptr;
    CString path;
    if (SUCCEEDED(::SHGetKnownFolderPath(folderId, 0, nullptr, &pszPath)))
        path = pszPath;
    // The shell allocates the path even when it fails.
    ::CoTaskMemFree(pszPath);
    return path;
}
