// Reading and writing the key slots through the platform's profile and registry functions.
#include "app/settings_store.h"

#include <shlobj.h>

#include <algorithm>
#include <cwctype>

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
        if (!bytes.empty() && (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                           &read, nullptr) ||
                               read != bytes.size()))
            error = ERROR_READ_FAULT;
    }
    return error;
}

// The whole content is written at once, in place, as the platform's profile functions rewrite
// the same file on every write: a file they may not write refuses this too.
DWORD WriteWholeFile(const CString& path, const std::string& bytes) {
    CKernelObject file(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return ::GetLastError();
    DWORD written = 0;
    bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                          nullptr) &&
              written == bytes.size();
    DWORD error = ok ? ERROR_SUCCESS : ::GetLastError();
    return ok ? ERROR_SUCCESS : (error ? error : ERROR_WRITE_FAULT);
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

// A profile file's bytes in UTF-16 with its byte-order mark, as the profile functions read the
// original: text with a UTF-8 or big-endian mark as such, any other in the ANSI code page.
std::string AsUnicodeFile(const std::string& bytes) {
    if (StartsWith(bytes, kUtf16Mark))
        return bytes;
    std::wstring text;
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
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

// The profile functions keep a file in the encoding they find it in and create a new one in
// the ANSI code page, which turns every character it lacks into a question mark. A missing
// file is therefore made a UTF-16 one before the first write, and an existing file in any
// other encoding is rewritten in UTF-16 with every line kept.
DWORD MakeUnicodeFile(const CString& path) {
    std::string bytes;
    if (DWORD error = ReadSettingsFile(path, bytes))
        return error;
    if (StartsWith(bytes, kUtf16Mark))
        return ERROR_SUCCESS;
    return CHotkeySettingsStore::s_writers.pfnWriteWholeFile(path, AsUnicodeFile(bytes));
}

// The user's copy starts as the whole file beside the executable, in UTF-16.
DWORD SeedUserCopy(const CString& source, const CString& copy) {
    std::string bytes;
    if (DWORD error = ReadSettingsFile(source, bytes))
        return error;
    CString folder = copy.Left(copy.ReverseFind(L'\\'));
    if (!::CreateDirectoryW(folder, nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return ::GetLastError();
    return CHotkeySettingsStore::s_writers.pfnWriteWholeFile(copy, AsUnicodeFile(bytes));
}

bool IsFile(const CString& path) {
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
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
    value.Format(L"%s", buffer);
    return ERROR_SUCCESS;
}

} // namespace

CHotkeySettingsStore::Writers CHotkeySettingsStore::s_writers = {&::WritePrivateProfileStringW,
                                                                 &WriteWholeFile};

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
    if (!m_strUserIniPath.IsEmpty() && IsFile(m_strUserIniPath))
        m_strIniPath = m_strUserIniPath;
}

std::vector<KEYROW> CHotkeySettingsStore::LoadSettings() {
    for (int i = 1; i < kSlotCount; ++i) {
        m_slots[i].strDisplayName = ReadProfileValue(kSections[i], L"DisplayName", m_strIniPath);
        m_slots[i].strDefaultPath = ReadProfileValue(kSections[i], L"DefaultPath", m_strIniPath);
    }
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
    for (int row = 0; row < rows.GetRowCount(); ++row) {
        CString key = rows.GetKeyText(row);
        key.TrimRight();
        key.TrimLeft();
        if (key.IsEmpty())
            continue;
        for (KEYSLOT& slot : m_slots) {
            if (slot.strDisplayName == key) {
                slot.strDefaultPath = rows.GetPathText(row);
                break;
            }
        }
    }
}

BOOL CHotkeySettingsStore::SaveSettings() {
    m_strSaveFile = m_strIniPath;
    m_dwSaveError = WriteAssignedSlots(m_strIniPath);
    // Installed where the user may not write (Program Files, for a 64-bit program, is never
    // redirected): the user's own copy takes over for good. A file that another program holds
    // is no reason to leave the file beside the executable.
    if (m_dwSaveError == ERROR_ACCESS_DENIED && !m_strUserIniPath.IsEmpty() &&
        m_strIniPath != m_strUserIniPath) {
        m_strSaveFile = m_strUserIniPath;
        m_dwSaveError = SeedUserCopy(m_strIniPath, m_strUserIniPath);
        if (m_dwSaveError == ERROR_SUCCESS) {
            m_strIniPath = m_strUserIniPath;
            m_dwSaveError = WriteAssignedSlots(m_strIniPath);
        }
    }
    return m_dwSaveError == ERROR_SUCCESS;
}

DWORD CHotkeySettingsStore::WriteAssignedSlots(const CString& strFile) const {
    // With nothing to write, no file is made either.
    auto assigned = [](const KEYSLOT& slot) { return !slot.strDisplayName.IsEmpty(); };
    if (std::none_of(m_slots.begin() + 1, m_slots.end(), assigned))
        return ERROR_SUCCESS;
    if (DWORD error = MakeUnicodeFile(strFile))
        return error;
    for (int i = 1; i < kSlotCount; ++i) {
        const KEYSLOT& slot = m_slots[i];
        if (slot.strDisplayName.IsEmpty())
            continue;
        // A write that fails (a read-only file or folder) fails the rest too: stop there.
        if (!WriteProfileValue(kSections[i], L"DisplayName", slot.strDisplayName, strFile) ||
            !WriteProfileValue(kSections[i], L"DefaultPath", slot.strDefaultPath, strFile)) {
            DWORD error = ::GetLastError();
            return error ? error : ERROR_WRITE_FAULT;
        }
    }
    return ERROR_SUCCESS;
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
