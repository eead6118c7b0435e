// Settings carried between installs: every entry written out to a settings file of the user's
// choice, and the entries such a file holds read in.
#include "app/settings/file_encoding.h"
#include "app/settings/settings_file_replace.h"
#include "app/settings/settings_store.h"

SAVEREPORT CHotkeySettingsStore::ExportEntries(const CString& strPath) const {
    // A new file of the settings file's own format, which the store, or this program on
    // another computer, reads as its own; UTF-16 from the start, so no character is lost.
    auto writeAll = [&](const CString& file) -> DWORD {
        for (int i = 0; i < static_cast<int>(m_slots.size()); ++i)
            if (DWORD error = WriteEntry(file, i, m_slots[i]))
                return error;
        return ERROR_SUCCESS;
    };
    SAVEREPORT report{strPath};
    report.dwError = CSettingsFileReplace::WriteInOneStep(strPath, kUtf16Mark, writeAll, nullptr);
    return report;
}

DWORD CHotkeySettingsStore::ReadEntriesFrom(const CString& strPath, std::vector<KEYSLOT>& entries) {
    std::string bytes;
    if (DWORD error = ReadWholeFile(strPath, bytes))
        return error;
    // The profile functions read anything as a file of no sections; a file that is not text
    // is refused before it could pass for one.
    if (!IsPlainText(bytes))
        return ERROR_BAD_FORMAT;
    bool anyKey = false;
    std::vector<KEYSLOT> read = ReadEntries(bytes, strPath, &anyKey);
    // The profile functions keep the file at hand for a while; the user may change it now.
    ReleaseProfileFile(strPath);
    if (!anyKey)
        return ERROR_BAD_FORMAT;
    entries = std::move(read);
    return ERROR_SUCCESS;
}
