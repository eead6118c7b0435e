// Process start for key presses.
#include "app/launch.h"

#include <windows.h>

#include <vector>

namespace {

bool NamesExistingFile(const CString& path) {
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

CString CommandLineForPath(const CString& strStoredPath) {
    if (strStoredPath.IsEmpty() || strStoredPath[0] == L'"' || strStoredPath.Find(L' ') < 0)
        return strStoredPath;
    if (!NamesExistingFile(strStoredPath))
        return strStoredPath;
    return L"\"" + strStoredPath + L"\"";
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
