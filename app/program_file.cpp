// Telling the names of program files.
#include "app/program_file.h"

#include "framework/file_attributes.h"

bool NamesProgramFile(const CString& name) {
    int nameStart = name.ReverseFind(L'\\') + 1;
    bool hasExtension = name.Find(L'.', nameStart) >= 0;
    return AfxIsExistingFile(hasExtension ? name : name + L".exe");
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
