// The key slots: which settings file holds them, reading them from it, writing one slot back,
// and S1's program from the registry.
#include "app/settings/settings_store.h"

#include <shlobj.h>

#include <cwctype>

#include "app/settings/file_encoding.h"
#include "app/settings/settings_file_replace.h"
#include "app/settings/slot_keys.h"
#include "framework/file_attributes.h"
#include "framework/module_path.h"
#include "framework/registry_key.h"
#include "framework/shell_folder.h"

namespace {

// The user's own folder under the local application data folder.
constexpr const wchar_t* kUserFolderName = L"KESTO Hotkey";
// ERROR_DIRECTORY_NOT_SUPPORTED, which MinGW's headers lack: a folder stands in the file's place.
constexpr DWORD kErrorDirectoryNotSupported = 336;

// The whole value, at any length: read again in a buffer twice as large until it fits.
CString ReadProfileValue(const wchar_t* section, const wchar_t* key, const CString& file) {
    // A value fits only with two units to spare beside the terminator: the platform drops the
    // closing quote of a quoted value only when that quote fits in the buffer, and otherwise
    // cuts the value's last character instead, one unit short of a full buffer.
    CString value;
    for (DWORD capacity = 512;; capacity *= 2) {
        DWORD length = ::GetPrivateProfileStringW(
            section, key, L"", value.GetBuffer(static_cast<int>(capacity)), capacity, file);
        value.ReleaseBuffer(static_cast<int>(length));
        if (length + 2 < capacity)
            return value;
    }
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

// The file's text read as it stands: a missing file reads as empty, unless a save left its
// new file to be put in its place.
DWORD ReadSettingsFile(const CString& path, std::string& bytes) {
    if (AfxIsExistingFolder(path))
        return kErrorDirectoryNotSupported;
    DWORD error = ReadWholeFile(path, bytes);
    if (error == ERROR_FILE_NOT_FOUND && CSettingsFileReplace::PlaceKeptFile(path))
        error = ReadWholeFile(path, bytes);
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

// Whether a user's copy is there to be used: it exists and is not empty. One that cannot be
// read now is still the user's, and is never replaced by the installed file.
bool CopyCounts(const CString& path) {
    // The size is the folder's to tell, also of a file held open; the bytes are read only
    // where the file may be a mark and nothing more.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return CSettingsFileReplace::PlaceKeptFile(path); // a save left it under another name
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    if (data.nFileSizeHigh != 0 || data.nFileSizeLow != sizeof(kUtf16Mark) - 1)
        return data.nFileSizeHigh != 0 || data.nFileSizeLow != 0;
    std::string bytes;
    return ReadWholeFile(path, bytes) != ERROR_SUCCESS || bytes != kUtf16Mark;
}

// Whether the name is one of a profile list's (the sections of a file, or the keys of a
// section: names ended by a null each), in any case, as the profile functions match names.
bool ListHolds(const CString& list, const CString& name) {
    for (const wchar_t* p = list.GetString(); *p; p += wcslen(p) + 1)
        if (::CompareStringOrdinal(p, -1, name, -1, TRUE) == CSTR_EQUAL)
            return true;
    return false;
}

// Whether the entry has nothing to write: no name, no program and every option at its default.
bool IsBlank(const KEYSLOT& entry) {
    for (const SLOTKEYVALUE& key : SlotKeyValues(entry))
        if (!key.strValue.IsEmpty())
            return false;
    return true;
}

bool SectionExists(const CString& section, const CString& file) {
    wchar_t keys[4] = {};
    return ::GetPrivateProfileSectionW(section, keys, ARRAYSIZE(keys), file) > 0;
}

// A UTF-16 copy of a settings file in the temporary folder, for the profile functions to read
// where the file itself is in an encoding they do not recognise.
bool WriteUnicodeReadCopy(const std::string& bytes, CScratchFile& copy) {
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t path[MAX_PATH + 1] = {};
    if (!::GetTempPathW(MAX_PATH + 1, folder) || !::GetTempFileNameW(folder, L"hki", 0, path))
        return false;
    copy.Hold(path);
    return WriteWholeFile(path, AsUnicodeFile(bytes)) == ERROR_SUCCESS;
}

// Reads "S1_KEY" from one registry view into `value`; the platform's result of the open or,
// once open, of the read.
LONG ReadS1Value(REGSAM view, CString& value) {
    CRegKey key;
    // Read access only: full access under HKEY_LOCAL_MACHINE is refused to non-administrators,
    // who must still be able to start S1's program.
    if (LONG result = key.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ATK0100", KEY_READ | view))
        return result;
    return key.QueryExpandedText(L"S1_KEY", value);
}

} // namespace

void CHotkeySettingsStore::BuildIniPath() {
    CString userIni;
    CString folder = AfxGetKnownFolderPath(FOLDERID_LocalAppData);
    if (!folder.IsEmpty())
        userIni.Format(L"%s\\%s\\%s", folder.GetString(), kUserFolderName, kSettingsFileName);
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
    m_strIniPath = InstalledIniPath();
    m_strUserIniPath = strUserIniPath;
    // The copy serves only an install the user may not write; a portable copy of the program
    // in a folder of the user's own, or a newer installed file, reads its own file.
    if (!m_strUserIniPath.IsEmpty() && CopyCounts(m_strUserIniPath) &&
        CSettingsFileReplace::FolderRefusesNewFile(m_strModuleDir))
        m_strIniPath = m_strUserIniPath;
}

CString CHotkeySettingsStore::InstalledIniPath() const {
    return m_strModuleDir + L"\\" + kSettingsFileName;
}

std::vector<KEYROW> CHotkeySettingsStore::LoadSettings() {
    CString source = m_strIniPath;
    std::string bytes;
    DWORD error = ReadSettingsFile(source, bytes);
    if (error && source == m_strUserIniPath) {
        // The user's copy is held (by a backup or a scanner): the installed settings show
        // meanwhile, and saves go to the copy once it can be read.
        source = InstalledIniPath();
        error = ReadSettingsFile(source, bytes);
    }
    m_slots = ReadEntries(error ? std::string() : bytes, source);
    return Rows();
}

std::vector<KEYSLOT> CHotkeySettingsStore::ReadEntries(const std::string& bytes,
                                                       const CString& strSource, bool* pbAnyKey) {
    // The file itself is left alone, as its folder may not be the user's to write.
    CString source = strSource;
    CScratchFile unicode;
    if (NeedsUnicodeReadCopy(bytes) && WriteUnicodeReadCopy(bytes, unicode))
        source = unicode.Path();
    std::vector<KEYSLOT> entries(kDriverKeyCount);
    if (pbAnyKey)
        *pbAnyKey = false;
    // Every question to the profile functions reads the file again (Wine opens it each time,
    // Windows reads it whole), so the sections and each one's keys are listed once and only the
    // values there are asked for: a hundred entries cost three hundred questions, not eight.
    const CString sections = ReadProfileValue(nullptr, nullptr, source);
    for (int i = 0;; ++i) {
        CString section = SectionName(i);
        bool exists = ListHolds(sections, section);
        // The user's own entries follow the driver's keys for as long as their sections do.
        if (i >= kDriverKeyCount && !exists)
            break;
        const CString keys = exists ? ReadProfileValue(section, nullptr, source) : CString();
        KEYSLOT entry = SlotFromKeys([&](const wchar_t* key) {
            if (!ListHolds(keys, key))
                return CString();
            if (pbAnyKey)
                *pbAnyKey = true;
            return ReadProfileValue(section, key, source);
        });
        if (i >= kDriverKeyCount)
            entries.push_back(entry);
        // S1's program comes from the registry, but its own combination and how it starts are
        // the user's, in a section of its own that no dialog edits.
        else if (i == kSlotS1)
            entries[i].hotkey = entry.hotkey, entries[i].launch = entry.launch;
        else
            entries[i] = entry;
    }
    return entries;
}

std::vector<KEYROW> CHotkeySettingsStore::Rows() const {
    std::vector<KEYROW> rows;
    for (int i = 1; i < static_cast<int>(m_slots.size()); ++i) {
        // A driver's key without a name is unassigned; an entry of the user's always shows.
        if (m_slots[i].strDisplayName.IsEmpty() && i < kDriverKeyCount)
            continue;
        int index = static_cast<int>(rows.size());
        rows.push_back({index, i, L" " + EntryName(i), m_slots[i].strDefaultPath});
    }
    return rows;
}

CString CHotkeySettingsStore::SectionName(int nEntry) {
    CString section;
    section.Format(L"S%d", nEntry + 1);
    return section;
}

CString CHotkeySettingsStore::EntryName(int nEntry) const {
    const CString& name = m_slots[nEntry].strDisplayName;
    return name.IsEmpty() ? SectionName(nEntry) : name;
}

SAVEREPORT CHotkeySettingsStore::SaveSlot(int nSlot, const KEYSLOT& slot) {
    int count = static_cast<int>(m_slots.size());
    // The slot after the last is a new entry of the user's.
    if (nSlot <= kSlotS1 || nSlot > count || (nSlot == count && slot.strDisplayName.IsEmpty()))
        return {m_strIniPath, ERROR_INVALID_PARAMETER};
    SAVEREPORT report = Save([&](const CString& file) { return WriteEntry(file, nSlot, slot); });
    if (report.Saved() && nSlot == count)
        m_slots.push_back(slot);
    else if (report.Saved())
        m_slots[nSlot] = slot;
    return report;
}

SAVEREPORT CHotkeySettingsStore::SaveEntries(const std::vector<KEYSLOT>& entries) {
    int count = static_cast<int>(entries.size());
    if (count < kDriverKeyCount)
        return {m_strIniPath, ERROR_INVALID_PARAMETER};
    auto writeAll = [&](const CString& file) -> DWORD {
        for (int i = 0; i < count; ++i) {
            // A driver's key never assigned gets no section of empty keys: the file stays as
            // a save of another key leaves it.
            if (i < kDriverKeyCount && IsBlank(entries[i]) && !SectionExists(SectionName(i), file))
                continue;
            if (DWORD error = WriteEntry(file, i, entries[i]))
                return error;
        }
        // The sections of the entries no longer there go. One the store never read, after a
        // gap, is the user's: it stays, also where an added entry has since closed the gap.
        for (int i = count; i < static_cast<int>(m_slots.size()); ++i)
            if (SectionExists(SectionName(i), file) &&
                !CSettingsFileReplace::s_writers.pfnWriteProfileString(SectionName(i), nullptr,
                                                                       nullptr, file))
                return ::GetLastError() ? ::GetLastError() : ERROR_WRITE_FAULT;
        return ERROR_SUCCESS;
    };
    SAVEREPORT report = Save(writeAll);
    if (report.Saved()) {
        // S1's program stays the registry's.
        CString s1Path = m_slots[kSlotS1].strDefaultPath;
        m_slots = entries;
        m_slots[kSlotS1].strDefaultPath = s1Path;
        m_slots[kSlotS1].strDisplayName.Empty();
    }
    return report;
}

SAVEREPORT CHotkeySettingsStore::Save(const std::function<DWORD(const CString& file)>& edit) {
    SAVEREPORT report{m_strIniPath};
    bool folderRefused = false;
    report.dwError = WriteEdit(edit, m_strIniPath, m_strIniPath, &folderRefused);
    // Installed where the user may not write (Program Files, for a 64-bit program, is never
    // redirected): the user's own copy takes over for good, made from the installed file
    // unless a copy has appeared since. A read-only or held file in a folder the user may
    // write is no reason to leave it.
    if (folderRefused && !m_strUserIniPath.IsEmpty() && m_strIniPath != m_strUserIniPath) {
        report.strFile = m_strUserIniPath;
        const CString& source = CopyCounts(m_strUserIniPath) ? m_strUserIniPath : m_strIniPath;
        report.dwError = WriteEdit(edit, source, m_strUserIniPath, nullptr);
        if (report.Saved())
            m_strIniPath = m_strUserIniPath;
    }
    return report;
}

DWORD CHotkeySettingsStore::WriteEntry(const CString& file, int nEntry, const KEYSLOT& entry) {
    CString section = SectionName(nEntry);
    for (const SLOTKEYVALUE& key : SlotKeyValues(entry)) {
        // S1's name and program are the registry's: its section keeps only its options.
        if (nEntry == kSlotS1 && key.bAlwaysWritten)
            continue;
        CString text = ProfileTextFor(key.strValue);
        // A write that fails fails the rest too: stop there.
        if (!CSettingsFileReplace::s_writers.pfnWriteProfileString(
                section, key.pszKey, key.bRemove ? nullptr : text.GetString(), file)) {
            DWORD error = ::GetLastError();
            return error ? error : ERROR_WRITE_FAULT;
        }
    }
    return ERROR_SUCCESS;
}

DWORD CHotkeySettingsStore::WriteEdit(const std::function<DWORD(const CString& file)>& edit,
                                      const CString& strSource, const CString& strTarget,
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
    // The profile functions keep a file in the encoding they find it in, and an ANSI file
    // turns every character the code page lacks into a question mark: the new file starts as
    // the whole old one in UTF-16, foreign sections and comments included.
    return CSettingsFileReplace::WriteInOneStep(strTarget, AsUnicodeFile(bytes), edit,
                                                pbFolderRefused);
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
