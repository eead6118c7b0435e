// Process start for key presses.
#include "app/launch.h"

#include <objbase.h>

#include <cwchar>
#include <memory>
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

bool IsFolder(const CString& path) {
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString Quoted(const CString& text) { return L"\"" + text + L"\""; }

// Where a prefix the platform would try ends: the end of the text, or a blank after a word. A
// prefix ending in a blank is never one: file lookups ignore trailing blanks.
bool IsWordEnd(const CString& text, int end) {
    return end == text.GetLength() || (IsBlank(text[end]) && end > 0 && !IsBlank(text[end - 1]));
}

// The end of the first prefix whose name ends in a program's extension, or -1. A path picked
// in the Open dialog ends so, and its program is that whole name, found or not.
int NamedProgramEnd(const CString& text) {
    static const wchar_t* const kProgramExtensions[] = {L".exe", L".com", L".bat", L".cmd"};
    for (int end = 1; end <= text.GetLength(); ++end) {
        if (!IsWordEnd(text, end) || end < 4)
            continue;
        CString tail = text.Mid(end - 4, 4);
        for (const wchar_t* extension : kProgramExtensions)
            if (tail.CompareNoCase(extension) == 0)
                return end;
    }
    return -1;
}

// Whether the text after a prefix continues a path through an existing folder, as
// "C:\Program Files\..." does past "C:\Program": then the prefix is not the program meant.
bool PathGoesOnPast(const CString& text, int end) {
    for (int i = end + 1; i < text.GetLength(); ++i)
        if (text[i] == L'\\' && IsFolder(text.Left(i)))
            return true;
    return false;
}

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

// A start through the shell that asks the user for consent: the prompt waits for the user as
// long as the user likes, so it runs on a thread of its own while the form keeps answering the
// tray, its own window and further keys. The thread owns everything it uses, and the process
// does not wait for it at exit: ending the process ends the thread with it.
struct ElevatedStart {
    CString program;
    CString arguments;
    HWND hwndOwner;
};

DWORD WINAPI RunElevatedStart(void* pParam) {
    std::unique_ptr<ElevatedStart> start(static_cast<ElevatedStart*>(pParam));
    ScopedComApartment com;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // No message of the shell's own for a declined prompt, and no work left behind for a thread
    // that ends at once.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    // The prompt comes to the front over the owner instead of waiting in the taskbar.
    info.hwnd = start->hwndOwner;
    info.lpVerb = L"runas";
    info.lpFile = start->program;
    info.lpParameters = start->arguments.IsEmpty() ? nullptr : start->arguments.GetString();
    info.nShow = SW_SHOWNORMAL;
    g_pfnShellExecuteEx(&info);
    return 0;
}

// The "runas" verb exists only for programs, so a document can never be opened this way.
bool StartElevated(const CString& strCommandLine, HWND hwndOwner) {
    auto start = std::make_unique<ElevatedStart>();
    SplitCommandLine(strCommandLine, start->program, start->arguments);
    start->hwndOwner = hwndOwner;
    CKernelObject thread(::CreateThread(nullptr, 0, &RunElevatedStart, start.get(), 0, nullptr));
    if (!thread)
        return false;
    start.release(); // the thread's now
    return true;
}

} // namespace

decltype(&::CreateProcessW) g_pfnCreateProcess = &::CreateProcessW;
decltype(&::ShellExecuteExW) g_pfnShellExecuteEx = &::ShellExecuteExW;

CString CommandLineForPath(const CString& strStoredPath) {
    int length = strStoredPath.GetLength();
    if (length == 0 || strStoredPath[0] == L'"' || !std::wcspbrk(strStoredPath.GetString(), L" \t"))
        return strStoredPath;
    if (NamesExistingFile(strStoredPath) || NamesProgramFile(strStoredPath))
        return Quoted(strStoredPath);
    int named = NamedProgramEnd(strStoredPath);
    // The platform tries the prefixes before each blank from the shortest up, so a planted
    // shorter one would win; the longest that names a program is the one meant, unless the
    // text shows that the program goes on past it: a later word ends the program's name, or a
    // folder goes on past its blank.
    for (int end = length - 1; end > 0; --end) {
        if (!IsWordEnd(strStoredPath, end) || !NamesProgramFile(strStoredPath.Left(end)))
            continue;
        if ((named < 0 || end >= named) && !PathGoesOnPast(strStoredPath, end))
            return Quoted(strStoredPath.Left(end)) + strStoredPath.Mid(end);
        // The program meant is missing: it alone is asked for, and nothing starts.
        return named > 0 ? Quoted(strStoredPath.Left(named)) + strStoredPath.Mid(named)
                         : Quoted(strStoredPath);
    }
    // Found nowhere here, as a bare name on the search path: the name the text gives is the
    // only one the platform looks for.
    if (named > 0)
        return Quoted(strStoredPath.Left(named)) + strStoredPath.Mid(named);
    return strStoredPath;
}

bool StartProcess(const CString& strCommandLine, HWND hwndConsentOwner) {
    // The platform may write into the command line, so it gets a private copy.
    std::vector<wchar_t> commandLine(strCommandLine.GetString(),
                                     strCommandLine.GetString() + strCommandLine.GetLength() + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!g_pfnCreateProcess(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
        return ::GetLastError() == kErrorElevationRequired &&
               StartElevated(strCommandLine, hwndConsentOwner);
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
