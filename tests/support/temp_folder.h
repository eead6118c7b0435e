// A fresh folder under the temporary directory for one test or measure, and the bytes of the
// files in it.
#pragma once

#include <windows.h>

#include <string>

#include "framework/cstring.h"

// A file's whole content, or nothing when it cannot be read.
std::string FileBytes(const CString& path);
// Makes or overwrites the file with these bytes; whether it could.
bool WriteBytes(const CString& path, const std::string& bytes);
// The text in UTF-16 with its byte-order mark, as a file holds it.
std::string Utf16WithMark(const CString& text);

// Named for its user, this process and a running count, so that folders side by side differ;
// removed with everything in it at scope end, also when its user gives up half-way.
class TempFolder {
public:
    explicit TempFolder(const wchar_t* pszName = L"hotkey-test");
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const CString& Path() const { return m_path; }
    CString File(const wchar_t* pszName) const { return m_path + L"\\" + pszName; }
    // Makes a sub-folder (and its parents) and returns its full path.
    CString MakeDir(const CString& relative) const;
    // Makes an empty file and returns its full path.
    CString MakeFile(const wchar_t* pszName) const;

private:
    CString m_path;
};
