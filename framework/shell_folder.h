// The shell's folder dialog: the item list it returns is owned by CShellItemList and goes
// back to the shell's allocator when that is destroyed.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include "framework/cstring.h"
#include "framework/handle_owner.h"

struct ShellItemListFree {
    static void Free(LPITEMIDLIST pidl) { ::ILFree(pidl); }
};

class CShellItemList : public CHandleOwner<LPITEMIDLIST, ShellItemListFree> {
public:
    CShellItemList() = default;
    explicit CShellItemList(LPITEMIDLIST pidl) : CHandleOwner(pidl) {}

    // Fills pszPath, which holds cchPath characters, with the list's file-system path.
    // A path that does not fit is not copied: the buffer then holds an empty string.
    BOOL GetPath(LPWSTR pszPath, size_t cchPath) const;
};

// Runs the folder dialog (SHBrowseForFolderW) with OLE initialised on this thread, as the
// dialog needs it; an empty list when the user cancelled.
CShellItemList BrowseForFolder(BROWSEINFOW* pBrowseInfo);

// The full path of a known folder of the user (FOLDERID_LocalAppData and the like), or an
// empty string when the shell cannot tell.
CString AfxGetKnownFolderPath(REFKNOWNFOLDERID folderId);
