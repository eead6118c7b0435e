// Process start for key presses.
#include "app/launch.h"

#include <objbase.h>

#include <cwchar>
#include <vector>

#include "framework/kernel_object.h"

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

// The shell may hand the start to extensions that need COM on the calling thread.
class ScopedComApartment {
public:
    ScopedComApartment()
        : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ScopedComApartment(const ScopedComApartment&) = delete;
    ScopedComApartment& operator=(const ScopedComApartment&) = delete;
    ~ScopedComApartment() {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }

private:
    HRESULT m_hr;
};

// The "runas" verb exists only for programs, so a document can never be opened this way.
bool StartElevated(const CString& strCommandLine) {
    CString program, arguments;
    SplitCommandLine(strCommandLine, program, arguments);
    ScopedComApartment com;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"runas";
    info.lpFile = program;
    info.lpParameters = arguments.IsEmpty() ? nullptr : arguments.GetString();
    info.nShow = SW_SHOWNORMAL;
    return g_pfnShellExecuteEx(&info) != FALSE;
}

} // namespace

decltype(&::CreateProcessW) g_pfnCreateProcess = &::CreateProcessW;
decltype(&::ShellExecuteExW) g_pfnShellExecuteEx = &::ShellExecuteExW;

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
    if (!g_pfnCreateProcess(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
        return ::GetLastError() == kErrorElevationRequired && StartElevated(strCommandLine);
    // The program runs on its own: nothing here waits for it.
    CKernelObject thread(process.hThread), started(process.hProcess);
    return true;
}

void SplitCommandLine(const CString& strCommandLine, CString& strProgram, CString& strArguments) {
    int length = strCommandLine.GetLength();
    int end = 0;
    if (length > 0 && strCommandLine[0] == L'"') {
        int close = strCommandLine.Find(L'"', 1);
        end = close < 0 ? length : close + 1;
        strProgram = strCommandLine.Mid(1, (close < 0 ? length : close) - 1);
    } else {
        while (end < length && !IsBlank(strCommandLine[end]))
            ++end;
        strProgram = strCommandLine.Left(end);
    }
    while (end < length && IsBlank(strCommandLine[end]))
        ++end;
    strArguments = strCommandLine.Mid(end);
}
