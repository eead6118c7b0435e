// Telling the names of program files.
#include "app/launch/program_file.h"

#include <algorithm>
#include <initializer_list>

#include "framework/file_attributes.h"

namespace {

bool EndsWithOneOf(const CString& name, std::initializer_list<const wchar_t*> extensions) {
    if (name.GetLength() < 4)
        return false;
    CString tail = name.Right(4);
    for (const wchar_t* extension : extensions)
        if (tail.CompareNoCase(extension) == 0)
            return true;
    return false;
}

} // namespace

CString ProgramFileName(const CString& name) {
    int nameStart = std::max(name.ReverseFind(L'\\'), name.ReverseFind(L'/')) + 1;
    return name.Find(L'.', nameStart) >= 0 ? name : name + L".exe";
}

bool NamesProgramFile(const CString& name) { return AfxIsExistingFile(ProgramFileName(name)); }

bool HasProgramExtension(const CString& name) {
    return EndsWithOneOf(name, {L".exe", L".com", L".bat", L".cmd"});
}

bool IsScriptFile(const CString& name) { return EndsWithOneOf(name, {L".bat", L".cmd"}); }
