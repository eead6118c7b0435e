// What a path names on disk, from its attributes: a file, a folder, or nothing.
#pragma once

#include <windows.h>

inline bool AfxIsExistingFile(LPCWSTR lpszPath) {
    DWORD attributes = ::GetFileAttributesW(lpszPath);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool AfxIsExistingFolder(LPCWSTR lpszPath) {
    DWORD attributes = ::GetFileAttributesW(lpszPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
