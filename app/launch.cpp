// Process start for key presses.
#include "app/launch.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "app/command_line.h"
#include "app/program_file.h"
#include "framework/file_attributes.h"
#include "framework/kernel_object.h"
#include "framework/ole_initializer.h"

namespace {

CString Quoted(const CString& text) { return L"\"" + text + L"\""; }

// Where a prefix the platform would try ends: the end of the text, or a blank after a word. A
// prefix ending in a blank is never one: file lookups ignore trailing blanks.
bool IsWordEnd(const CString& text, int end) {
    return end == text.GetLength() || (IsBlank(text[end]) && end > 0 && !IsBlank(text[end - 1]));
}

// The end of the first prefix whose name ends in a program's extension, or -1. A path picked
// in the Open dialog ends so, and its program is that whole name, found or not.
int NamedProgramEnd(const CString& text) {
    for (int end = 1; end <= text.GetLength(); ++end)
        if (IsWordEnd(text, end) && HasProgramExtension(text.Left(end)))
            return end;
    return -1;
}

// Whether the text after a prefix continues a path through an existing folder, as
// "C:\Program Files\..." does past "C:\Program": then the prefix is not the program meant.
bool PathGoesOnPast(const CString& text, int end) {
    for (int i = end + 1; i < text.GetLength(); ++i)
        if (text[i] == L'\\' && AfxIsExistingFolder(text.Left(i)))
            return true;
    return false;
}

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
    // The shell may hand the start to extensions that need COM on the calling thread.
    COleInitializer ole;
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
    const wchar_t* text = strStoredPath.GetString();
    if (length == 0 || text[0] == L'"' || std::none_of(text, text + length, IsBlank))
        return strStoredPath;
    if (AfxIsExistingFile(strStoredPath) || NamesProgramFile(strStoredPath))
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
