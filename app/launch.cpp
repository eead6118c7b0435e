// Process start for key presses.
#include "app/launch.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

bool NamesExistingFile(const CString& path) {
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether the platform, resolving a module name, would find a program file for `name`: a
// name without an extension is looked for with ".exe" added.
bool NamesProgramFile(const CString& name) {
    int nameStart = name.ReverseFind(L'\\') + 1;
    bool hasExtension = name.Find(L'.', nameStart) >= 0;
    return NamesExistingFile(hasExtension ? name : name + L".exe");
}

bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t'; }

} // namespace

CString CommandLineForPath(const CString& strStoredPath) {
    int length = strStoredPath.GetLength();
    if (length == 0 || strStoredPath[0] == L'"' || !std::wcspbrk(strStoredPath.GetString(), L" \t"))
        return strStoredPath;
    if (NamesExistingFile(strStoredPath) || NamesProgramFile(strStoredPath))
        return L"\"" + strStoredPath + L"\"";
    // The platform tries the prefixes before each blank from the shortest up, so a planted
    // shorter one would win; the longest that names a program is the one meant. A prefix
    // ending in a blank is skipped: file lookups ignore trailing blanks.
    for (int end = length - 1; end > 0; --end) {
        if (!IsBlank(strStoredPath[end]) || IsBlank(strStoredPath[end - 1]))
            continue;
        CString program = strStoredPath.Left(end);
        if (NamesProgramFile(program))
            return L"\"" + program + L"\"" + strStoredPath.Mid(end);
    }
    return strStoredPath;
}

bool StartProcess(const CString& strCommandLine) {
    // The platform may write into the command line, so it gets a private copy.
    std::vector<wchar_t> commandLine(strCommandLine.GetString(),
                                     strCommandLine.GetString() + strCommandLine.GetLength() + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}
