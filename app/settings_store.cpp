// Reading and writing the key slots through the platform's profile and registry functions.
#include "app/settings_store.h"

#include <windows.h>

#include <cwctype>

#include "framework/module.h"

namespace {

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
    return ::WritePrivateProfileStringW(section, key, ProfileTextFor(value), file) != FALSE;
}

// Opens a registry key for reading in one registry view and closes it at scope end.
class RegistryKey {
public:
    RegistryKey(HKEY parent, const wchar_t* path, REGSAM view) {
        // Read access only: full access under HKEY_LOCAL_MACHINE is refused to
        // non-administrators, who must still be able to start S1's program.
        m_result = ::RegOpenKeyExW(parent, path, 0, KEY_READ | view, &m_hKey);
        if (m_result != ERROR_SUCCESS)
            m_hKey = nullptr;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (m_hKey)
            ::RegCloseKey(m_hKey);
    }
    HKEY get() const { return m_hKey; }
    LONG OpenResult() const { return m_result; }

private:
    HKEY m_hKey = nullptr;
    LONG m_result = ERROR_SUCCESS;
};

// Reads "S1_KEY" from one registry view into `value`; the platform's result of the open or,
// once open, of the query.
LONG ReadS1Value(REGSAM view, CString& value) {
    RegistryKey key(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ATK0100", view);
    if (!key.get())
        return key.OpenResult();
    // One unit more than the value may fill, so text without a terminator still ends.
    wchar_t buffer[kRegistryBytes / sizeof(wchar_t) + 1] = {};
    DWORD size = kRegistryBytes;
    DWORD type = REG_NONE;
    LONG result = ::RegQueryValueExW(key.get(), L"S1_KEY", nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
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

void CHotkeySettingsStore::BuildIniPath() {
    // The whole path, however long: a path cut short would name another folder.
    BuildIniPathFrom(AfxGetModulePath());
}

void CHotkeySettingsStore::BuildIniPathFrom(const CString& strModulePath) {
    CString dir = strModulePath;
    int lastBackslash = dir.ReverseFind(L'\\');
    if (lastBackslash >= 0)
        dir = dir.Left(lastBackslash);
    m_strModuleDir = dir;
    m_strIniPath.Format(L"%s\\%s", m_strModuleDir.GetString(), L"Hotkey.ini");
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

BOOL CHotkeySettingsStore::SaveSettings() const {
    for (int i = 1; i < kSlotCount; ++i) {
        const KEYSLOT& slot = m_slots[i];
        if (slot.strDisplayName.IsEmpty())
            continue;
        // A write that fails (a read-only file or folder) fails the rest too: stop there.
        if (!WriteProfileValue(kSections[i], L"DisplayName", slot.strDisplayName, m_strIniPath) ||
            !WriteProfileValue(kSections[i], L"DefaultPath", slot.strDefaultPath, m_strIniPath))
            return FALSE;
    }
    return TRUE;
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
