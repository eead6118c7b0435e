// Reading and writing the key slots through the platform's profile and registry functions.
#include "app/settings_store.h"

#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <functional>

#include "framework/handle_owner.h"
#include "framework/kernel_object.h"
#include "framework/module_path.h"
#include "framework/registry_key.h"
#include "framework/shell_folder.h"

namespace {

constexpr const wchar_t* kIniName = L"Hotkey.ini";
// The user's own folder under the local application data folder.
constexpr const wchar_t* kUserFolderName = L"KESTO Hotkey";
constexpr char kUtf16Mark[] = "\xFF\xFE";
// ERROR_DIRECTORY_NOT_SUPPORTED, which MinGW's headers lack: a folder stands in the file's place.
constexpr DWORD kErrorDirectoryNotSupported = 336;

constexpr int kValueCapacity = 261; // 260 characters and the terminator
constexpr int kValueLength = kValueCapacity - 1;
constexpr DWORD kRegistryBytes = 260;
constexpr const wchar_t* kSections[] = {nullptr, L"S2", L"S3", L"S4", L"S5"};

CString ReadProfileValue(const wchar_t* section, const wchar_t* key, const CString& file) {
    // One unit of room beyond a full value: the platform drops the closing quote of a quoted
    // value only when that quote fits in the buffer, and otherwise cuts the value's last
    // character instead. The value is then cut to its 260 characters here.
    constexpr int kReadCapacity = kValueCapacity + 1;
    CString value;
    ::GetPrivateProfileStringW(section, key, L"", value.GetBuffer(kReadCapacity), kReadCapacity,
                               file);
    value.ReleaseBuffer();
    return value.GetLength() > kValueLength ? value.Left(kValueLength) : value;
}

// Blanks that the profile read trims from both ends of a value; ^Z counts as one too.
bool IsProfileBlank(wchar_t ch) { return std::iswspace(ch) || ch == L'\x1A'; }

// The text to write so that the profile read gives back exactly `value`. The read drops one
// pair of matching outer quotes and trims outer blanks, so such values get one extra pair of
// double quotes; any program reading the file through the same functions sees the value.
CString ProfileTextFor(const CString& value) {
    int length = value.GetLength();
    if (length == 0)
        return value;
    wchar_t first = value[0], last = value[length - 1];
    bool quoted = (first == L'"' || first == L'\'') && last == first;
    if (!quoted && !IsProfileBlank(first) && !IsProfileBlank(last))
        return value;
    return L"\"" + value + L"\"";
}

bool WriteProfileValue(const wchar_t* section, const wchar_t* key, const CString& value,
                       const CString& file) {
    return CHotkeySettingsStore::s_writers.pfnWriteProfileString(section, key,
                                                                 ProfileTextFor(value), file);
}

// A launch option's key as a save leaves it. A key to remove that the file lacks is left
// alone, so that a slot without options is saved exactly as before they existed.
bool WriteSetting(const wchar_t* section, const SETTINGWRITE& setting, const CString& file) {
    if (!setting.bRemove)
        return WriteProfileValue(section, setting.pszKey, setting.strValue, file);
    wchar_t probe[2] = {};
    ::GetPrivateProfileStringW(section, setting.pszKey, L"\x01", probe, 2, file);
    return probe[0] == L'\x01' || CHotkeySettingsStore::s_writers.pfnWriteProfileString(
                                      section, setting.pszKey, nullptr, file);
}

DWORD ReadWholeFile(const CString& path, std::string& bytes) {
    CKernelObject file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
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

DWORD WriteWholeFile(const CString& path, const std::string& bytes) {
    CKernelObject file(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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

DWORD MakeTempFile(const CString& folder, CString& tempPath) {
    // Named after the settings file, so that a save cut short leaves a file that says whose
    // it is, and the next save can remove it.
    static LONG s_serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath.Format(L"%s\\%s.%lu-%ld.tmp", folder.GetString(), kIniName,
                        ::GetCurrentProcessId(), ::InterlockedIncrement(&s_serial));
        CKernelObject file(::CreateFileW(tempPath, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return ERROR_SUCCESS;
        if (::GetLastError() != ERROR_FILE_EXISTS)
            return ::GetLastError();
    }
    return ERROR_FILE_EXISTS;
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
    if (!::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ::GetLastError();
    return ERROR_SUCCESS;
}

CString FolderOf(const CString& path) {
    int lastBackslash = path.ReverseFind(L'\\');
    return lastBackslash >= 0 ? path.Left(lastBackslash) : CString(L".");
}

// The platform keeps recently used profile files in memory; the new file leaves that cache
// before it is renamed or removed.
void ReleaseProfileFile(const CString& path) {
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
}

struct FindFree {
    static BOOL Free(HANDLE hSearch) { return ::FindClose(hSearch); }
};

// Files a save cut short left in the folder.
void RemoveLeftoverTempFiles(const CString& folder) {
    WIN32_FIND_DATAW found{};
    CString pattern;
    pattern.Format(L"%s\\%s.*.tmp", folder.GetString(), kIniName);
    HANDLE first = ::FindFirstFileW(pattern, &found);
    if (first == INVALID_HANDLE_VALUE)
        return;
    CHandleOwner<HANDLE, FindFree> search(first);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileW(folder + L"\\" + found.cFileName);
    } while (::FindNextFileW(search, &found));
}

// A new file in the settings file's folder, removed again unless it took that file's place.
class CTempSettingsFile {
public:
    CTempSettingsFile() = default;
    CTempSettingsFile(const CTempSettingsFile&) = delete;
    CTempSettingsFile& operator=(const CTempSettingsFile&) = delete;
    ~CTempSettingsFile() {
        if (!m_path.IsEmpty()) {
            ReleaseProfileFile(m_path);
            ::DeleteFileW(m_path);
        }
    }

    DWORD Make(const CString& folder) {
        DWORD error = CHotkeySettingsStore::s_writers.pfnMakeTempFile(folder, m_path);
        if (error)
            m_path.Empty();
        return error;
    }
    const CString& Path() const { return m_path; }
    DWORD ReplaceInto(const CString& target) {
        ReleaseProfileFile(m_path);
        DWORD error = CHotkeySettingsStore::s_writers.pfnReplaceFile(m_path, target);
        if (!error)
            m_path.Empty();
        return error;
    }

private:
    CString m_path;
};

// Refusals that mean the user may not make files in a folder at all.
bool IsFolderRefusal(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

bool IsReadOnlyFile(const CString& path) {
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Writes `bytes`, and then what `edit` changes, into a new file beside `target`, which then
// takes target's place in one step: cut short at any moment, target is the old file or the
// new one. *pbFolderRefused tells whether target's folder refused the new file.
DWORD WriteInOneStep(const CString& target, const std::string& bytes,
                     const std::function<DWORD(const CString&)>& edit, bool* pbFolderRefused) {
    CString folder = FolderOf(target);
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
    if ((error = CHotkeySettingsStore::s_writers.pfnWriteWholeFile(temp.Path(), bytes)))
        return error;
    if (edit && (error = edit(temp.Path())))
        return error;
    if ((error = temp.ReplaceInto(target)))
        return error;
    RemoveLeftoverTempFiles(folder);
    return ERROR_SUCCESS;
}

bool StartsWith(const std::string& bytes, const char* prefix) {
    return bytes.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

std::wstring Decode(UINT codePage, const char* bytes, size_t count) {
    int units = ::MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(count), nullptr, 0);
    std::wstring text(static_cast<size_t>(units), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(count), text.data(), units);
    return text;
}

// Text without a byte-order mark that is UTF-8 and not plain ASCII, as a text editor saves
// it: the platform would read it in the ANSI code page and garble every other character.
bool IsUtf8WithoutMark(const std::string& bytes) {
    if (StartsWith(bytes, kUtf16Mark) || StartsWith(bytes, "\xFE\xFF") ||
        StartsWith(bytes, "\xEF\xBB\xBF"))
        return false;
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) == 0; }))
        return false;
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                 static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

// A profile file's bytes in UTF-16 with its byte-order mark: text with a UTF-8 or big-endian
// mark as such, UTF-8 text without a mark as UTF-8, any other in the ANSI code page as the
// profile functions read it.
std::string AsUnicodeFile(const std::string& bytes) {
    if (StartsWith(bytes, kUtf16Mark))
        return bytes;
    std::wstring text;
    if (IsUtf8WithoutMark(bytes)) {
        text = Decode(CP_UTF8, bytes.data(), bytes.size());
    } else if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        text = Decode(CP_UTF8, bytes.data() + 3, bytes.size() - 3);
    } else if (StartsWith(bytes, "\xFE\xFF")) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>((static_cast<unsigned char>(bytes[i]) << 8) |
                                         static_cast<unsigned char>(bytes[i + 1]));
    } else {
        text = Decode(CP_ACP, bytes.data(), bytes.size());
    }
    return kUtf16Mark +
           std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// The file's text read as it stands: a missing file reads as empty.
DWORD ReadSettingsFile(const CString& path, std::string& bytes) {
    DWORD attributes = ::GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return kErrorDirectoryNotSupported;
    DWORD error = ReadWholeFile(path, bytes);
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

// A copy that holds anything: an empty or unreadable one is no copy, and the installed file
// is read instead.
bool HoldsSettings(const CString& path) {
    std::string bytes;
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           ReadWholeFile(path, bytes) == ERROR_SUCCESS && !bytes.empty() && bytes != kUtf16Mark;
}

// Whether the user may not make a file in the folder, as under Program Files. Asked only when
// a copy exists; the probe file is removed at once.
bool FolderRefusesNewFile(const CString& folder) {
    CTempSettingsFile probe;
    return IsFolderRefusal(probe.Make(folder));
}

// A UTF-8 file without a mark becomes a UTF-16 one, every line kept, before the platform reads
// it; a file that cannot be replaced is read as it stands.
void MakeUtf8FileUnicode(const CString& path) {
    std::string bytes;
    if (ReadWholeFile(path, bytes) == ERROR_SUCCESS && IsUtf8WithoutMark(bytes))
        WriteInOneStep(path, AsUnicodeFile(bytes), nullptr, nullptr);
}

CString ExpandedText(const wchar_t* text) {
    DWORD units = ::ExpandEnvironmentStringsW(text, nullptr, 0);
    if (units == 0)
        return text;
    CString expanded;
    DWORD written = ::ExpandEnvironmentStringsW(text, expanded.GetBuffer(units), units);
    expanded.ReleaseBuffer();
    return written == 0 || written > units ? CString(text) : expanded;
}

// Reads "S1_KEY" from one registry view into `value`; the platform's result of the open or,
// once open, of the query.
LONG ReadS1Value(REGSAM view, CString& value) {
    CRegKey key;
    // Read access only: full access under HKEY_LOCAL_MACHINE is refused to non-administrators,
    // who must still be able to start S1's program.
    if (LONG result = key.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ATK0100", KEY_READ | view))
        return result;
    // One unit more than the value may fill, so text without a terminator still ends.
    wchar_t buffer[kRegistryBytes / sizeof(wchar_t) + 1] = {};
    DWORD size = kRegistryBytes;
    DWORD type = REG_NONE;
    LONG result =
        ::RegQueryValueExW(key, L"S1_KEY", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (result != ERROR_SUCCESS)
        return result;
    // A number or bytes taken as text would start whatever program their bytes happen to
    // spell; only text counts, and anything else is a failed read like any other.
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATATYPE;
    // An expandable value names its program through environment variables (%ProgramFiles%).
    if (type == REG_EXPAND_SZ)
        value = ExpandedText(buffer);
    else
        value.Format(L"%s", buffer);
    return ERROR_SUCCESS;
}

} // namespace

CHotkeySettingsStore::Writers CHotkeySettingsStore::s_writers = {
    &MakeTempFile, &WriteWholeFile, &::WritePrivateProfileStringW, &ReplaceWithFile};

void CHotkeySettingsStore::BuildIniPath() {
    CString userIni;
    CString folder = AfxGetKnownFolderPath(FOLDERID_LocalAppData);
    if (!folder.IsEmpty())
        userIni.Format(L"%s\\%s\\%s", folder.GetString(), kUserFolderName, kIniName);
    // The whole path, however long: a path cut short would name another folder.
    BuildIniPathFrom(AfxGetModulePath(), userIni);
}

void CHotkeySettingsStore::BuildIniPathFrom(const CString& strModulePath,
                                            const CString& strUserIniPath) {
    CString dir = strModulePath;
    int lastBackslash = dir.ReverseFind(L'\\');
    if (lastBackslash >= 0)
        dir = dir.Left(lastBackslash);
    m_strModuleDir = dir;
    m_strIniPath.Format(L"%s\\%s", m_strModuleDir.GetString(), kIniName);
    m_strUserIniPath = strUserIniPath;
    // The copy serves only an install the user may not write; a portable copy of the program
    // in a folder of the user's own, or a newer installed file, reads its own file.
    if (!m_strUserIniPath.IsEmpty() && HoldsSettings(m_strUserIniPath) &&
        FolderRefusesNewFile(m_strModuleDir))
        m_strIniPath = m_strUserIniPath;
}

std::vector<KEYROW> CHotkeySettingsStore::LoadSettings() {
    MakeUtf8FileUnicode(m_strIniPath);
    for (int i = 1; i < kSlotCount; ++i) {
        m_slots[i].strDisplayName = ReadProfileValue(kSections[i], L"DisplayName", m_strIniPath);
        m_slots[i].strDefaultPath = ReadProfileValue(kSections[i], L"DefaultPath", m_strIniPath);
        m_slots[i].launch = ReadLaunchOptions(m_strIniPath, kSections[i]);
    }
    // S1's program comes from the registry, but how it starts is the user's, in a section of
    // its own that no dialog edits and no save writes.
    m_slots[kSlotS1].launch = ReadLaunchOptions(m_strIniPath, L"S1");
    m_savedSlots = m_slots;
    std::vector<KEYROW> rows;
    for (int i = 1; i < kSlotCount; ++i) {
        if (m_slots[i].strDisplayName.IsEmpty())
            continue;
        int index = static_cast<int>(rows.size());
        rows.push_back({index, L" " + m_slots[i].strDisplayName, m_slots[i].strDefaultPath});
    }
    return rows;
}

void CHotkeySettingsStore::SyncSlotsFromList(const CKeyRowSource& rows) {
    for (int row = 0; row < rows.GetRowCount(); ++row)
        if (KEYSLOT* slot = FindSlotForKeyText(rows.GetKeyText(row)))
            slot->strDefaultPath = rows.GetPathText(row);
}

KEYSLOT* CHotkeySettingsStore::FindSlotForKeyText(CString strKeyText) {
    strKeyText.TrimRight();
    strKeyText.TrimLeft();
    if (strKeyText.IsEmpty())
        return nullptr;
    for (KEYSLOT& slot : m_slots)
        if (slot.strDisplayName == strKeyText)
            return &slot;
    return nullptr;
}

SAVEREPORT CHotkeySettingsStore::SaveSettings() {
    SAVEREPORT report{m_strIniPath};
    // With nothing to write, no file is made either.
    auto assigned = [](const KEYSLOT& slot) { return !slot.strDisplayName.IsEmpty(); };
    if (std::any_of(m_slots.begin() + 1, m_slots.end(), assigned)) {
        bool folderRefused = false;
        report.dwError = SaveAssignedSlots(m_strIniPath, m_strIniPath, &folderRefused);
        // Installed where the user may not write (Program Files, for a 64-bit program, is
        // never redirected): the user's own copy takes over for good. A read-only or held file
        // in a folder the user may write is no reason to leave it.
        if (folderRefused && !m_strUserIniPath.IsEmpty() && m_strIniPath != m_strUserIniPath) {
            report.strFile = m_strUserIniPath;
            report.dwError = SaveAssignedSlots(m_strIniPath, m_strUserIniPath, nullptr);
            if (report.Saved())
                m_strIniPath = m_strUserIniPath;
        }
    }
    if (report.Saved())
        m_savedSlots = m_slots;
    else
        std::copy(m_savedSlots.begin() + 1, m_savedSlots.end(), m_slots.begin() + 1);
    return report;
}

DWORD CHotkeySettingsStore::SaveAssignedSlots(const CString& strSource, const CString& strTarget,
                                              bool* pbFolderRefused) const {
    if (pbFolderRefused)
        *pbFolderRefused = false;
    std::string bytes;
    if (DWORD error = ReadSettingsFile(strSource, bytes))
        return error;
    if (strTarget != strSource) {
        CString folder = FolderOf(strTarget);
        if (!::CreateDirectoryW(folder, nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return ::GetLastError();
    }
    auto writeSlots = [this](const CString& file) -> DWORD {
        for (int i = 1; i < kSlotCount; ++i) {
            const KEYSLOT& slot = m_slots[i];
            if (slot.strDisplayName.IsEmpty())
                continue;
            // A write that fails fails the rest too: stop there.
            bool written =
                WriteProfileValue(kSections[i], L"DisplayName", slot.strDisplayName, file) &&
                WriteProfileValue(kSections[i], L"DefaultPath", slot.strDefaultPath, file);
            for (const SETTINGWRITE& setting : LaunchOptionWrites(slot.launch))
                written = written && WriteSetting(kSections[i], setting, file);
            if (!written) {
                DWORD error = ::GetLastError();
                return error ? error : ERROR_WRITE_FAULT;
            }
        }
        return ERROR_SUCCESS;
    };
    // The profile functions keep a file in the encoding they find it in, and an ANSI file
    // turns every character the code page lacks into a question mark: the new file starts as
    // the whole old one in UTF-16, foreign sections and comments included.
    return WriteInOneStep(strTarget, AsUnicodeFile(bytes), writeSlots, pbFolderRefused);
}

void CHotkeySettingsStore::RefreshS1FromRegistry() {
    // This program is 64-bit, but a 32-bit driver's key lands in the 32-bit view; that view
    // is asked only when the value is missing from the 64-bit one, not when it is unreadable.
    CString value;
    LONG result = ReadS1Value(KEY_WOW64_64KEY, value);
    if (result == ERROR_FILE_NOT_FOUND)
        result = ReadS1Value(KEY_WOW64_32KEY, value);
    if (result != ERROR_SUCCESS)
        return;
    m_slots[kSlotS1].strDefaultPath = value;
    m_slots[kSlotS1].strDisplayName.Empty();
}
