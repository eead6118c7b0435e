// Asking the file system what a path names.
#include "app/program_file.h"

#include <windows.h>

bool IsExistingFile(const CString& path) {
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFolder(const CString& path) {
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool NamesProgramFile(const CString& name) {
    int nameStart = name.ReverseFind(L'\\') + 1;
    bool hasExtension = name.Find(L'.', nameStart) >= 0;
    return IsExistingFile(hasExtension ? name : name + L".exe");
}

bool HasProgramExtension(const CString& name) {
    static const wchar_t* const kProgramExtensions[] = {L".exe", L".com", L".bat", L".cmd"};
    if (name.GetLength() < 4)
        return false;
    CString tail = name.Right(4);
    for (const wchar_t* extension : kProgramExtensions)
        if (tail.CompareNoCase(extension) == 0)
            return true;
    return false;
}
