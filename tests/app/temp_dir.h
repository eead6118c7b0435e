// A fresh folder under the temporary directory, removed with its contents at scope end.
#pragma once

#include <windows.h>

#include "framework/cstring.h"

class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();
    const CString& Path() const { return m_path; }
    // Makes a sub-folder (and its parents) and returns its full path.
    CString MakeDir(const CString& relative) const;

private:
    CString m_path;
};
