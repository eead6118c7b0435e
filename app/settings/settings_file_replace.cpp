// The settings file's all-or-nothing replace: the new file, its name, the step that puts it in
// place, the clean-up of what a save cut short left behind, and the new file that a failed
// replace left where no settings file is.
#include "app/settings/settings_file_replace.h"

#include <cwctype>
#include <string>

#include "framework/handle_owner.h"
#include "framework/kernel_object.h"

namespace {

constexpr wchar_t kTempSuffix[] = L".tmp";
// What a user may mark the settings file with and expects kept: read-only is not among them,
// as a read-only file is never replaced.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Refusals that mean the user may not make files in a folder at all.
bool IsFolderRefusal(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

ULONGLONG AsNumber(const FILETIME& time) {
    return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

const CString& ThisComputer() {
    static const CString s_name = [] {
        wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
        DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
        return ::GetComputerNameW(name, &length) ? CString(name) : CString(L"unknown");
    }();
    return s_name;
}

// When a process started: with its id, it names the process for good, as an id alone is
// given again to later processes.
bool StartTimeOf(HANDLE hProcess, ULONGLONG& started) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(hProcess, &created, &exited, &kernel, &user))
        return false;
    started = AsNumber(created);
    return true;
}

// The writer a temporary file's name records: the computer, the process and its start.
struct TempFileWriter {
    CString strComputer;
    DWORD dwProcessId = 0;
    ULONGLONG ullStarted = 0;
};

bool ParseNumber(const std::wstring& text, int base, ULONGLONG& number) {
    if (text.empty() || text.size() > 16)
        return false;
    for (wchar_t ch : text)
        if (base == 10 ? !std::iswdigit(ch) : !std::iswxdigit(ch))
            return false;
    number = std::wcstoull(text.c_str(), nullptr, base);
    return true;
}

// "Hotkey.ini.<computer>-<process id>-<start time>-<serial>.tmp" as MakeTempFile names it;
// false for any other name.
bool ParseTempFileName(const std::wstring& name, TempFileWriter& writer) {
    const std::wstring prefix = std::wstring(kSettingsFileName) + L".", suffix = kTempSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix))
        return false;
    std::wstring middle = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    // The computer's name may hold hyphens itself: the numbers are taken from the end.
    ULONGLONG numbers[3] = {};
    const int bases[3] = {10, 16, 10};
    for (int i = 2; i >= 0; --i) {
        size_t hyphen = middle.rfind(L'-');
        if (hyphen == std::wstring::npos ||
            !ParseNumber(middle.substr(hyphen + 1), bases[i], numbers[i]))
            return false;
        middle.resize(hyphen);
    }
    if (middle.empty() || numbers[0] > MAXDWORD)
        return false;
    writer.strComputer = middle.c_str();
    writer.dwProcessId = static_cast<DWORD>(numbers[0]);
    writer.ullStarted = numbers[1];
    return true;
}

// Whether the writer may still be saving. A writer on another computer sharing the folder, or
// a process this user may not ask about, is taken to run.
bool WriterMayRun(const TempFileWriter& writer) {
    if (::CompareStringOrdinal(writer.strComputer, -1, ThisComputer(), -1, TRUE) != CSTR_EQUAL)
        return true;
    CKernelObject process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, writer.dwProcessId));
    if (!process)
        return ::GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD exitCode = 0;
    ULONGLONG started = 0;
    if (::GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE)
        return false;
    return !StartTimeOf(process, started) || started == writer.ullStarted;
}

DWORD MakeTempFile(const CString& folder, CString& tempPath) {
    // Named after the settings file and its writer, so that a save cut short leaves a file that
    // says whose it is, and a later save can tell whether its writer is gone.
    static LONG s_serial = 0;
    static ULONGLONG s_started = 0;
    if (!s_started)
        StartTimeOf(::GetCurrentProcess(), s_started);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath.Format(L"%s\\%s.%s-%lu-%016llX-%ld%s", folder.GetString(), kSettingsFileName,
                        ThisComputer().GetString(), ::GetCurrentProcessId(), s_started,
                        ::InterlockedIncrement(&s_serial), kTempSuffix);
        CKernelObject file(::CreateFileW(tempPath, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return ERROR_SUCCESS;
        if (::GetLastError() != ERROR_FILE_EXISTS)
            return ::GetLastError();
    }
    return ERROR_FILE_EXISTS;
}

// Windows replaces a file in one step, keeping what the old file carried besides its text: its
// access list, its attributes and its streams. Wine's replace does not: saves killed in the
// middle of it have left damaged settings files behind, where its rename leaves none.
DWORD ReplaceInOneStep(const CString& from, const CString& to) {
    static const bool s_oneStep =
        !::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    if (!s_oneStep)
        return ERROR_NOT_SUPPORTED;
    return ::ReplaceFileW(to, from, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
               ? ERROR_SUCCESS
               : ::GetLastError();
}

DWORD ReplaceWithFile(const CString& from, const CString& to) {
    {
        // On disk before it takes the settings file's name, or a power cut could leave the
        // name on a file whose content never arrived.
        CKernelObject file(::CreateFileW(from, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !::FlushFileBuffers(file))
            return ::GetLastError();
    }
    // A file system or a file that refuses the replace still takes the new file by a plain
    // rename; so does a replace that failed after the old file was gone.
    const DWORD oldAttributes = ::GetFileAttributesW(to);
    if (oldAttributes == INVALID_FILE_ATTRIBUTES ||
        CSettingsFileReplace::s_writers.pfnReplaceInOneStep(from, to)) {
        if (!::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return ::GetLastError();
    }
    // The rename keeps none of the attributes, and not every platform's replace keeps them.
    DWORD kept = oldAttributes == INVALID_FILE_ATTRIBUTES ? 0 : oldAttributes & kKeptAttributes;
    DWORD now = ::GetFileAttributesW(to);
    if (now != INVALID_FILE_ATTRIBUTES && (now & kept) != kept)
        ::SetFileAttributesW(to, (now & ~FILE_ATTRIBUTE_NORMAL) | kept);
    return ERROR_SUCCESS;
}

// A new file in the settings file's folder, removed again unless it took that file's place.
class CTempSettingsFile : public CScratchFile {
public:
    DWORD Make(const CString& folder) {
        CString path;
        DWORD error = CSettingsFileReplace::s_writers.pfnMakeTempFile(folder, path);
        if (!error)
            Hold(path);
        return error;
    }
    DWORD ReplaceInto(const CString& target) {
        ReleaseProfileFile(Path());
        const bool targetExisted = ::GetFileAttributesW(target) != INVALID_FILE_ATTRIBUTES;
        DWORD error = CSettingsFileReplace::s_writers.pfnReplaceFile(Path(), target);
        if (error && (!targetExisted || ::GetFileAttributesW(target) != INVALID_FILE_ATTRIBUTES))
            return error;
        // The old file may be gone and the new one still under its own name, as when a scanner
        // holds it: then it holds the only settings there are. Read-only, no clean-up removes
        // it, and PlaceKeptFile puts it in place at the next read of the settings.
        if (error)
            ::SetFileAttributesW(Path(), FILE_ATTRIBUTE_READONLY);
        LetGo();
        return error;
    }
};

bool IsReadOnlyFile(const CString& path) {
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file `path` names once symbolic links are followed: replacing a link by a file would
// leave the linked file behind, no longer updated. A path that names no link stays as given.
CString FileBehindLinks(const CString& path) {
    CKernelObject file(::CreateFileW(path, 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    DWORD units = file ? ::GetFinalPathNameByHandleW(file, nullptr, 0, VOLUME_NAME_DOS) : 0;
    if (!units)
        return path;
    CString target;
    DWORD written = ::GetFinalPathNameByHandleW(file, target.GetBuffer(static_cast<int>(units)),
                                                units, VOLUME_NAME_DOS);
    target.ReleaseBuffer(written < units ? static_cast<int>(written) : 0);
    if (target.Left(8) == L"\\\\?\\UNC\\")
        target = L"\\" + target.Mid(7);
    else if (target.Left(4) == L"\\\\?\\")
        target = target.Mid(4);
    bool same =
        target.IsEmpty() || ::CompareStringOrdinal(target, -1, path, -1, TRUE) == CSTR_EQUAL;
    return same ? path : target;
}

struct FindFree {
    static BOOL Free(HANDLE hSearch) { return ::FindClose(hSearch); }
};

// Calls `visit` for each file in the folder that a save of this program named.
template <typename Visit> void ForEachTempFile(const CString& folder, Visit visit) {
    WIN32_FIND_DATAW found{};
    CString pattern;
    pattern.Format(L"%s\\%s.*%s", folder.GetString(), kSettingsFileName, kTempSuffix);
    HANDLE first = ::FindFirstFileW(pattern, &found);
    if (first == INVALID_HANDLE_VALUE)
        return;
    CHandleOwner<HANDLE, FindFree> search(first);
    do {
        TempFileWriter writer;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            ParseTempFileName(found.cFileName, writer))
            visit(found, writer);
    } while (::FindNextFileW(search, &found));
}

} // namespace

CSettingsFileReplace::Writers CSettingsFileReplace::s_writers = {
    &MakeTempFile, &WriteWholeFile, &::WritePrivateProfileStringW, &ReplaceWithFile,
    &ReplaceInOneStep};

DWORD CSettingsFileReplace::WriteInOneStep(const CString& strTarget, const std::string& bytes,
                                           const std::function<DWORD(const CString&)>& edit,
                                           bool* pbFolderRefused) {
    const CString target = FileBehindLinks(strTarget);
    const CString folder = FolderOf(target);
    CTempSettingsFile temp;
    DWORD error = temp.Make(folder);
    if (pbFolderRefused)
        *pbFolderRefused = IsFolderRefusal(error);
    if (error)
        return error;
    // The platform lets an administrator, and Wine everyone, replace a read-only file; the
    // user who marked it meant it kept.
    if (IsReadOnlyFile(target))
        return ERROR_ACCESS_DENIED;
    if ((error = s_writers.pfnWriteWholeFile(temp.Path(), bytes)))
        return error;
    if (edit && (error = edit(temp.Path())))
        return error;
    if ((error = temp.ReplaceInto(target)))
        return error;
    RemoveLeftoverTempFiles(folder);
    return ERROR_SUCCESS;
}

bool CSettingsFileReplace::FolderRefusesNewFile(const CString& strFolder) {
    CTempSettingsFile probe;
    return IsFolderRefusal(probe.Make(strFolder));
}

void CSettingsFileReplace::RemoveLeftoverTempFiles(const CString& strFolder) {
    ForEachTempFile(strFolder, [&](const WIN32_FIND_DATAW& found, const TempFileWriter& writer) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) && !WriterMayRun(writer))
            ::DeleteFileW(strFolder + L"\\" + found.cFileName);
    });
}

bool CSettingsFileReplace::PlaceKeptFile(const CString& strTarget) {
    if (::GetFileAttributesW(strTarget) != INVALID_FILE_ATTRIBUTES)
        return false;
    const CString folder = FolderOf(strTarget);
    WIN32_FIND_DATAW newest{};
    ForEachTempFile(folder, [&](const WIN32_FIND_DATAW& found, const TempFileWriter&) {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) &&
            ::CompareFileTime(&found.ftLastWriteTime, &newest.ftLastWriteTime) >= 0)
            newest = found;
    });
    if (!newest.cFileName[0])
        return false;
    const CString kept = folder + L"\\" + newest.cFileName;
    ::SetFileAttributesW(kept, FILE_ATTRIBUTE_NORMAL);
    if (::MoveFileExW(kept, strTarget, MOVEFILE_WRITE_THROUGH))
        return true;
    ::SetFileAttributesW(kept, FILE_ATTRIBUTE_READONLY);
    return false;
}

DWORD ReadWholeFile(const CString& strPath, std::string& bytes) {
    CKernelObject file(::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return ::GetLastError();
    DWORD error = ERROR_SUCCESS;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size) || size.QuadPart > 64 * 1024 * 1024)
        error = ERROR_FILE_TOO_LARGE;
    else {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!bytes.empty() &&
            (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
             read != bytes.size()))
            error = ERROR_READ_FAULT;
    }
    return error;
}

DWORD WriteWholeFile(const CString& strPath, const std::string& bytes) {
    CKernelObject file(::CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return ::GetLastError();
    DWORD written = 0;
    bool ok =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    DWORD error = ok ? ERROR_SUCCESS : ::GetLastError();
    return ok ? ERROR_SUCCESS : (error ? error : ERROR_WRITE_FAULT);
}

CScratchFile::~CScratchFile() {
    if (!m_strPath.IsEmpty()) {
        ReleaseProfileFile(m_strPath);
        ::DeleteFileW(m_strPath);
    }
}

void ReleaseProfileFile(const CString& strPath) {
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, strPath);
}

CString FolderOf(const CString& strPath) {
    int lastBackslash = strPath.ReverseFind(L'\\');
    return lastBackslash >= 0 ? strPath.Left(lastBackslash) : CString(L".");
}
