// Process start for key presses.
#include "app/launch/launch.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <vector>

#include "app/launch/command_line.h"
#include "app/launch/foreground.h"
#include "app/launch/program_file.h"
#include "framework/file_attributes.h"
#include "framework/kernel_object.h"
#include "framework/module_path.h"
#include "framework/ole_initializer.h"
#include "framework/registry_key.h"

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

// A start through the shell that asks the user for consent. The keyboard goes back to the
// window in front at the press first, so that it stays there while the prompt is open or
// after it is declined, and the prompt comes up in front of that window.
struct ElevatedStart {
    CString application;
    CString parameters;
    CString folder;
    int nShow;
    HWND hwndOwner;
    HWND hwndFront;
};

// Returns whether the program started; *pProcess takes it when asked for.
bool RunElevatedStart(const ElevatedStart& start, CKernelObject* pProcess) {
    ReturnForeground(start.hwndFront);
    // The shell may hand the start to extensions that need COM on the calling thread.
    COleInitializer ole;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // No message of the shell's own for a declined prompt, and no work left behind for a thread
    // that ends at once.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC | (pProcess ? SEE_MASK_NOCLOSEPROCESS : 0);
    info.hwnd = ::IsWindowVisible(start.hwndFront) ? start.hwndFront : start.hwndOwner;
    info.lpVerb = L"runas";
    info.lpFile = start.application;
    info.lpParameters = start.parameters.IsEmpty() ? nullptr : start.parameters.GetString();
    info.lpDirectory = start.folder.IsEmpty() ? nullptr : start.folder.GetString();
    info.nShow = start.nShow;
    if (!g_pfnShellExecuteEx(&info))
        return false;
    if (pProcess)
        *pProcess = CKernelObject(info.hProcess);
    return true;
}

// The prompt waits for the user as long as the user likes: where the caller may not wait, it
// runs on a thread of its own while the form keeps answering the tray, its own window and
// further keys. The thread owns everything it uses, and the process does not wait for it at
// exit: ending the process ends the thread with it.
DWORD WINAPI RunElevatedStartThread(void* pParam) {
    std::unique_ptr<ElevatedStart> start(static_cast<ElevatedStart*>(pParam));
    RunElevatedStart(*start, nullptr);
    return 0;
}

// The "runas" verb exists only for programs, so a document can never be opened this way; a
// script runs in the command processor, started elevated with the plain start's command line.
bool StartElevated(const PROCESSSTART& process, const PRESSWINDOWS& windows,
                   CKernelObject* pProcess, bool bMayWait) {
    auto start = std::make_unique<ElevatedStart>(ElevatedStart{
        process.strApplication, process.strParameters, process.strFolder,
        process.nShow < 0 ? SW_SHOWNORMAL : process.nShow, windows.hwndForm, windows.hwndFront});
    if (bMayWait)
        return RunElevatedStart(*start, pProcess);
    CKernelObject thread(
        ::CreateThread(nullptr, 0, &RunElevatedStartThread, start.get(), 0, nullptr));
    if (!thread)
        return false;
    start.release(); // the thread's now
    return true;
}

CString SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    return length < MAX_PATH ? CString(folder) : CString();
}

bool IsAbsolutePath(const CString& path) {
    return (path.GetLength() >= 3 && path[1] == L':' && path[2] == L'\\') ||
           path.Left(2) == L"\\\\";
}

// Where a bare program name is looked for: the system's folders, the launcher's own (as the
// platform's own start looks there), then each folder of the search path given in full. Never
// the current folder, which at logon is the system folder and otherwise whatever the
// launcher's start left it: a program planted there must not run for a bare name.
CString ProgramSearchPath() {
    CString path = SystemFolder();
    wchar_t windows[MAX_PATH] = {};
    if (::GetWindowsDirectoryW(windows, MAX_PATH) < MAX_PATH)
        path += CString(L";") + windows;
    CString module = AfxGetModulePath();
    int lastBackslash = module.ReverseFind(L'\\');
    if (lastBackslash > 0)
        path += L";" + module.Left(lastBackslash);
    DWORD length = ::GetEnvironmentVariableW(L"PATH", nullptr, 0);
    CString searchPath;
    if (length > 0) {
        ::GetEnvironmentVariableW(L"PATH", searchPath.GetBuffer(static_cast<int>(length)), length);
        searchPath.ReleaseBuffer();
    }
    for (int start = 0; start <= searchPath.GetLength();) {
        int end = searchPath.Find(L';', start);
        if (end < 0)
            end = searchPath.GetLength();
        CString folder = searchPath.Mid(start, end - start);
        folder.TrimLeft(L'"');
        folder.TrimRight(L'"');
        if (IsAbsolutePath(folder))
            path += L";" + folder;
        start = end + 1;
    }
    return path;
}

// The full path of the program a command line's first name gives, or empty when a bare name
// is found nowhere.
CString FindProgram(const CString& name) {
    if (name.IsEmpty())
        return name;
    int nameStart = std::max(name.ReverseFind(L'\\'), name.ReverseFind(L'/')) + 1;
    CString file = ProgramFileName(name);
    wchar_t found[MAX_PATH] = {};
    DWORD length = 0;
    if (nameStart > 0 || name.Find(L':') >= 0)
        length = ::GetFullPathNameW(file, MAX_PATH, found, nullptr);
    else
        length = ::SearchPathW(ProgramSearchPath(), file, nullptr, MAX_PATH, found, nullptr);
    return length > 0 && length < MAX_PATH ? CString(found) : CString();
}

// The scheme of a URI ("https", "ms-settings", "shell"), or empty: letters, digits, "+", "-"
// and "." before a colon, at least two of them, so that a drive's letter is never one.
CString UriScheme(const CString& text) {
    int colon = text.Find(L':');
    if (colon < 2)
        return {};
    for (int i = 0; i < colon; ++i) {
        wchar_t ch = text[i];
        bool letterOrDigit =
            (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9');
        if (!letterOrDigit && ch != L'+' && ch != L'-' && ch != L'.')
            return {};
    }
    return text.Left(colon);
}

// Whether the shell can open the scheme: its own "shell:", or one that a program registered as
// a URL protocol. Any other would leave the shell asking the user for a handler.
bool IsRegisteredScheme(const CString& scheme) {
    if (scheme.CompareNoCase(L"shell") == 0)
        return true;
    CRegKey key;
    return key.Open(HKEY_CLASSES_ROOT, scheme, KEY_QUERY_VALUE) == ERROR_SUCCESS &&
           ::RegQueryValueExW(key, L"URL Protocol", nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
}

// The whole stored text as one target: %VARIABLES% expanded and the quotes around it dropped.
CString WholeTarget(const CString& strStoredPath) {
    CString target = ExpandedVariables(strStoredPath);
    int length = target.GetLength();
    if (length > 2 && target[0] == L'"' && target.Find(L'"', 1) == length - 1)
        target = target.Mid(1, length - 2);
    return target;
}

// The full path of the folder, or of the file that is no program, that the whole text names;
// empty for anything else. A folder is taken from a full path only, and a bare document name
// is looked for as a program's is, so neither ever comes from the launcher's current folder.
CString ShellOpenTarget(const CString& strStoredPath) {
    CString target = WholeTarget(strStoredPath);
    if (IsAbsolutePath(target) && AfxIsExistingFolder(target))
        return target;
    if (HasProgramExtension(target))
        return {};
    CString found = FindProgram(target);
    return !HasProgramExtension(found) && AfxIsExistingFile(found) ? found : CString();
}

// Opens a document, a folder or a URI with the program the user chose for it, on the calling
// thread. Returns whether the shell opened it.
bool OpenThroughShell(const PROCESSSTART& start, CKernelObject* pProcess) {
    // The handler may be an extension that needs COM on the calling thread.
    COleInitializer ole;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // No message of the shell's own for a target without a handler, since a failed press is
    // silent; no work left behind for a thread that ends at once; and the started program's
    // process, to hand the foreground to.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC | SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = start.strApplication;
    info.lpDirectory = start.strFolder.IsEmpty() ? nullptr : start.strFolder.GetString();
    info.nShow = start.nShow < 0 ? SW_SHOWNORMAL : start.nShow;
    if (!g_pfnShellExecuteEx(&info))
        return false;
    // A handler that was running already (a browser's open window) comes with no process: the
    // foreground is then left as the shell leaves it, and never opened to any process.
    CKernelObject process(info.hProcess);
    if (process)
        ::AllowSetForegroundWindow(::GetProcessId(process));
    if (pProcess)
        *pProcess = std::move(process);
    return true;
}

// A folder given relative to `base`, the program's own: "..", "tools", "\\tools" on its
// drive, or "C:work" (on the program's drive, in its folder; on another, from that root).
CString FolderFrom(const CString& base, const CString& folder) {
    bool hasDrive = folder.GetLength() >= 2 && folder[1] == L':';
    bool sameDrive = hasDrive && base.GetLength() >= 2 && base[1] == L':' &&
                     std::towupper(folder[0]) == std::towupper(base[0]);
    CString joined;
    if (IsAbsolutePath(folder))
        joined = folder;
    else if (hasDrive)
        joined = sameDrive ? base + L"\\" + folder.Mid(2) : folder.Left(2) + L"\\" + folder.Mid(2);
    else if (folder[0] == L'\\')
        joined = (base.GetLength() >= 2 && base[1] == L':' ? base.Left(2) : base) + folder;
    else
        joined = base + L"\\" + folder;
    // Never the launcher's current folder: the text is whole before ".." is worked out.
    DWORD units = ::GetFullPathNameW(joined, 0, nullptr, nullptr);
    CString full;
    if (units == 0)
        return {};
    DWORD written = ::GetFullPathNameW(joined, units,
                                       full.GetBufferSetLength(static_cast<int>(units)), nullptr);
    full.ReleaseBuffer(written < units ? static_cast<int>(written) : 0);
    return full;
}

// The folder the options name when it is one at the press, or else the program's own.
CString StartFolder(const CString& strStartIn, const CString& program) {
    CString own = program.Left(std::max(program.ReverseFind(L'\\'), 0));
    // "C:" alone would be the drive's current folder, not its root.
    if (own.GetLength() == 2 && own[1] == L':')
        own += L"\\";
    if (CString expanded = ExpandedVariables(strStartIn); !expanded.IsEmpty()) {
        if (CString folder = FolderFrom(own, expanded); AfxIsExistingFolder(folder))
            return folder;
    }
    return own;
}

int ShowCommandFor(LaunchWindow window) {
    switch (window) {
    case LaunchWindow::Minimized:
        // As a shortcut set to run minimized: the keyboard stays where it was.
        return SW_SHOWMINNOACTIVE;
    case LaunchWindow::Maximized:
        return SW_SHOWMAXIMIZED;
    default:
        return -1;
    }
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

PROCESSSTART PrepareStart(const CString& strStoredPath, const LAUNCHOPTIONS& options) {
    PROCESSSTART start;
    start.nShow = ShowCommandFor(options.eWindow);
    // Rights and the running copy are a program's: anything else the shell opens is opened
    // once, at the launcher's own rights.
    if (CString scheme = UriScheme(strStoredPath); !scheme.IsEmpty()) {
        start.eKind = StartKind::ShellOpen;
        if (IsRegisteredScheme(scheme))
            start.strApplication = strStoredPath;
        return start;
    }
    if (CString target = ShellOpenTarget(strStoredPath); !target.IsEmpty()) {
        start.eKind = StartKind::ShellOpen;
        start.strApplication = target;
        start.strFolder = StartFolder(options.strStartIn, target);
        return start;
    }
    start.bAsAdmin = options.bRunAsAdmin;
    CString commandLine = CommandLineForPath(strStoredPath);
    CString name, arguments;
    SplitCommandLine(commandLine, name, arguments);
    start.strProgram = FindProgram(name);
    // A document that is missing names no program either: nothing starts.
    if (!HasProgramExtension(start.strProgram) && !AfxIsExistingFile(start.strProgram))
        start.strProgram.Empty();
    if (start.strProgram.IsEmpty())
        return start;
    start.strFolder = StartFolder(options.strStartIn, start.strProgram);
    if (IsScriptFile(start.strProgram)) {
        // The command processor reads the rest of its line as a command: with /s it drops just
        // the outer quotes, so the script's quoted path keeps "&" and "^" in it as they are.
        // With /d no AutoRun command of the registry runs first or moves the start folder.
        start.strApplication = SystemFolder() + L"\\cmd.exe";
        CString script = Quoted(start.strProgram);
        if (!arguments.IsEmpty())
            script += L" " + arguments;
        start.strParameters = L"/d /s /c " + Quoted(script);
        start.strCommandLine = Quoted(start.strApplication) + L" " + start.strParameters;
    } else {
        start.strApplication = start.strProgram;
        start.strParameters = arguments;
        start.strCommandLine = commandLine;
    }
    return start;
}

bool StartProcess(const PROCESSSTART& start, const PRESSWINDOWS& windows, CKernelObject* pProcess,
                  bool bMayWait) {
    if (start.strApplication.IsEmpty())
        return false;
    if (start.eKind == StartKind::ShellOpen)
        return OpenThroughShell(start, pProcess);
    if (start.bAsAdmin)
        return StartElevated(start, windows, pProcess, bMayWait);
    // The platform may write into the command line, so it gets a private copy.
    std::vector<wchar_t> commandLine(start.strCommandLine.GetString(),
                                     start.strCommandLine.GetString() +
                                         start.strCommandLine.GetLength() + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (start.nShow >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(start.nShow);
    }
    PROCESS_INFORMATION process{};
    if (!g_pfnCreateProcess(
            start.strApplication, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
            start.strFolder.IsEmpty() ? nullptr : start.strFolder.GetString(), &startup, &process))
        return ::GetLastError() == kErrorElevationRequired &&
               StartElevated(start, windows, pProcess, bMayWait);
    // The launcher holds the foreground from the key press; the program's first window takes
    // it over, and no other process may.
    ::AllowSetForegroundWindow(process.dwProcessId);
    // The program runs on its own: nothing here waits for it.
    CKernelObject thread(process.hThread), started(process.hProcess);
    if (pProcess)
        *pProcess = std::move(started);
    return true;
}

bool OnFixedDrive(const CString& path) {
    int start = path.GetLength() > 0 && path[0] == L'"' ? 1 : 0;
    if (path.GetLength() < start + 3 || path[start + 1] != L':' || path[start + 2] != L'\\')
        return false;
    UINT type = ::GetDriveTypeW(path.Mid(start, 3));
    return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

bool StartsProgram(const CString& strStoredPath) {
    if (!UriScheme(strStoredPath).IsEmpty())
        return false;
    CString target = WholeTarget(strStoredPath);
    if (OnFixedDrive(target))
        return ShellOpenTarget(strStoredPath).IsEmpty();
    // Told by the name alone: a document's ends in an extension, with no program named before
    // it, and a quoted name is a program's given arguments.
    int nameStart = std::max(target.ReverseFind(L'\\'), target.ReverseFind(L'/')) + 1;
    int dot = target.ReverseFind(L'.');
    const wchar_t* text = target.GetString();
    bool endsInExtension =
        dot >= nameStart && std::none_of(text + dot, text + target.GetLength(), IsBlank);
    return !endsInExtension || text[0] == L'"' || NamedProgramEnd(target) >= 0;
}
