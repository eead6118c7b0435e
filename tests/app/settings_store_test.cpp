// The settings store on real folders, real profile files and the prefix's real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/settings/file_encoding.h"
#include "app/settings/settings_file_replace.h"
#include "app/settings/settings_store.h"
#include "framework/kernel_object.h"
#include "framework/registry_key.h"
#include "tests/support/temp_folder.h"

namespace {

CString ReadValue(const CString& file, const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[1024] = {};
    ::GetPrivateProfileStringW(section, key, L"<missing>", buffer, 1024, file);
    return buffer;
}

// Readable in failure messages.
std::wstring Text(const CString& s) { return s.GetString(); }

std::vector<CString> SectionNames(const CString& file) {
    wchar_t buffer[1024] = {};
    ::GetPrivateProfileSectionNamesW(buffer, 1024, file);
    std::vector<CString> names;
    for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1)
        names.emplace_back(p);
    return names;
}

bool IsUtf16File(const CString& path) { return FileBytes(path).rfind("\xFF\xFE", 0) == 0; }

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { m_store.BuildIniPathFrom(m_dir.Path() + L"\\HotkeyForm.exe"); }
    void Write(const wchar_t* section, const wchar_t* key, const CString& value) {
        ::WritePrivateProfileStringW(section, key, value, m_store.m_strIniPath);
    }
    TempFolder m_dir;
    CHotkeySettingsStore m_store;
};

TEST_F(SettingsStoreTest, SettingsPathIsBesideTheExecutable) {
    EXPECT_EQ(m_store.m_strModuleDir, m_dir.Path());
    EXPECT_EQ(m_store.m_strIniPath, m_dir.Path() + L"\\Hotkey.ini");
    CHotkeySettingsStore bare;
    bare.BuildIniPathFrom(L"HotkeyForm.exe");
    EXPECT_EQ(bare.m_strModuleDir, CString(L"HotkeyForm.exe"));
}

TEST_F(SettingsStoreTest, LongModuleDirectoryIsPassedOnUnchanged) {
    CString dir = L"C:\\" + CString(L'd', 247);
    m_store.BuildIniPathFrom(dir + L"\\HotkeyForm.exe");
    EXPECT_EQ(m_store.m_strModuleDir.GetLength(), 250);
    EXPECT_EQ(m_store.m_strIniPath, dir + L"\\Hotkey.ini");
    EXPECT_GT(m_store.m_strIniPath.GetLength(), MAX_PATH);
}

TEST_F(SettingsStoreTest, MissingFileGivesNoRowsAndIsNotCreated) {
    EXPECT_TRUE(m_store.LoadSettings().empty());
    for (const KEYSLOT& slot : m_store.m_slots) {
        EXPECT_TRUE(slot.strDisplayName.IsEmpty());
        EXPECT_TRUE(slot.strDefaultPath.IsEmpty());
    }
    EXPECT_EQ(::GetFileAttributesW(m_store.m_strIniPath), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsStoreTest, OnlyAssignedSlotsGetRowsNumberedWithoutGaps) {
    Write(L"S2", L"DisplayName", L"Mail");
    Write(L"S2", L"DefaultPath", L"mail.exe");
    Write(L"S3", L"DefaultPath", L"hidden.exe"); // a path without a name: no row
    Write(L"S4", L"DisplayName", L"Web");
    Write(L"S4", L"DefaultPath", L"web.exe --new");
    auto rows = m_store.LoadSettings();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].nIndex, 0);
    EXPECT_EQ(rows[0].nSlot, 1);
    EXPECT_EQ(rows[0].strKeyText, CString(L" Mail"));
    EXPECT_EQ(rows[0].strPathText, CString(L"mail.exe"));
    EXPECT_EQ(rows[1].nIndex, 1);
    EXPECT_EQ(rows[1].nSlot, 3);
    EXPECT_EQ(rows[1].strKeyText, CString(L" Web"));
    EXPECT_EQ(m_store.m_slots[2].strDefaultPath, CString(L"hidden.exe"));
    EXPECT_TRUE(m_store.m_slots[0].strDefaultPath.IsEmpty());
}

TEST_F(SettingsStoreTest, SaveWritesOnlyItsSlotIntoTheFileAsItIsNow) {
    Write(L"S2", L"DisplayName", L"Mail");
    Write(L"S4", L"DisplayName", L"Web");
    Write(L"S4", L"DefaultPath", L"web.exe");
    std::vector<KEYROW> rows = m_store.LoadSettings();
    // Edited by hand while the program runs: an assigned slot, an unassigned one, a comment.
    Write(L"S2", L"DefaultPath", L"edited.exe");
    Write(L"S3", L"DefaultPath", L"keep.exe");
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, m_store.m_strIniPath);
    std::string edited = "; a note\r\n" + FileBytes(m_store.m_strIniPath);
    WriteBytes(m_store.m_strIniPath, edited);

    KEYSLOT slot = m_store.m_slots[rows[1].nSlot];
    slot.strDefaultPath = L"C:\\Tools\\browser.exe";
    ASSERT_TRUE(m_store.SaveSlot(rows[1].nSlot, slot).Saved());
    EXPECT_EQ(Text(m_store.m_slots[3].strDefaultPath), L"C:\\Tools\\browser.exe");
    EXPECT_EQ(ReadValue(m_store.m_strIniPath, L"S4", L"DisplayName"), CString(L"Web"));
    EXPECT_EQ(ReadValue(m_store.m_strIniPath, L"S4", L"DefaultPath"),
              CString(L"C:\\Tools\\browser.exe"));
    EXPECT_EQ(ReadValue(m_store.m_strIniPath, L"S2", L"DefaultPath"), CString(L"edited.exe"));
    EXPECT_EQ(ReadValue(m_store.m_strIniPath, L"S3", L"DefaultPath"), CString(L"keep.exe"));
    EXPECT_EQ(ReadValue(m_store.m_strIniPath, L"S3", L"DisplayName"), CString(L"<missing>"));
    EXPECT_NE(FileBytes(m_store.m_strIniPath).find(Utf16WithMark(L"; a note").substr(2)),
              std::string::npos);
    EXPECT_EQ(SectionNames(m_store.m_strIniPath), (std::vector<CString>{L"S2", L"S4", L"S3"}));
    EXPECT_EQ(m_store.SaveSlot(CHotkeySettingsStore::kSlotS1, slot).dwError,
              DWORD{ERROR_INVALID_PARAMETER});
}

// The user's own entries follow the driver's keys in S6, S7, ... up to the first gap. An added
// entry takes the section after the last; a removed one's later entries move up a section with
// all their keys, and the last section goes, but not the one after the gap, never read.
TEST_F(SettingsStoreTest, OwnEntriesTakeTheSectionsAfterTheDriversKeysWithoutAGap) {
    for (const wchar_t* section : {L"S6", L"S7", L"S9"})
        Write(section, L"DisplayName", section);
    Write(L"S7", L"Hotkey", L"Ctrl+Alt+F7");
    // The file's sections as "S6=name combination", then the names of the store's own entries.
    auto state = [&] {
        const CString& file = m_store.m_strIniPath;
        std::vector<std::wstring> lines;
        for (const CString& section : SectionNames(file))
            lines.push_back(Text(section + L"=" + ReadValue(file, section, L"DisplayName") + L" " +
                                 ReadValue(file, section, L"Hotkey")));
        for (size_t i = kDriverKeyCount; i < m_store.m_slots.size(); ++i)
            lines.push_back(L"held " + Text(m_store.m_slots[i].strDisplayName));
        return lines;
    };
    const std::pair<std::function<bool()>, std::vector<std::wstring>> steps[] = {
        {[&] { return !m_store.LoadSettings().empty(); },
         {L"S6=S6 <missing>", L"S7=S7 Ctrl+Alt+F7", L"S9=S9 <missing>", L"held S6", L"held S7"}},
        {[&] {
             return m_store.SaveSlot(7, {L"S8", L"eight.exe"}).Saved();
         },
         {L"S6=S6 <missing>", L"S7=S7 Ctrl+Alt+F7", L"S9=S9 <missing>", L"S8=S8 <missing>",
          L"held S6", L"held S7", L"held S8"}},
        {[&] {
             std::vector<KEYSLOT> entries = m_store.m_slots;
             entries.erase(entries.begin() + kDriverKeyCount);
             return m_store.SaveEntries(entries).Saved();
         },
         {L"S6=S7 Ctrl+Alt+F7", L"S7=S8 <missing>", L"S9=S9 <missing>", L"held S7", L"held S8"}},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        ASSERT_TRUE(steps[i].first()) << i;
        EXPECT_EQ(state(), steps[i].second) << i;
    }
}

// A file without entries of the user's stays byte for byte through a save of S2, and through
// adding one and removing it: no section of an unassigned driver's key, none left behind.
TEST_F(SettingsStoreTest, FileWithoutOwnEntriesStaysByteForByteThroughSavesAndARemoval) {
    Write(L"S2", L"DisplayName", L"Web");
    m_store.LoadSettings();
    ASSERT_TRUE(m_store.SaveSlot(1, m_store.m_slots[1]).Saved()); // now in UTF-16
    const std::string before = FileBytes(m_store.m_strIniPath);
    const std::vector<KEYSLOT> entries = m_store.m_slots;
    ASSERT_TRUE(m_store.SaveSlot(1, m_store.m_slots[1]).Saved());
    EXPECT_EQ(FileBytes(m_store.m_strIniPath), before);
    ASSERT_TRUE(m_store.SaveSlot(kDriverKeyCount, {L"Mine", L"mine.exe"}).Saved());
    ASSERT_TRUE(m_store.SaveEntries(entries).Saved());
    EXPECT_EQ(FileBytes(m_store.m_strIniPath), before);
}

TEST_F(SettingsStoreTest, SaveReportsAFileOrFolderThatRefusesTheWrite) {
    Write(L"S2", L"DisplayName", L"Mail");
    Write(L"S2", L"DefaultPath", L"mail.exe");
    m_store.LoadSettings();
    KEYSLOT slot = {L"Mail", L"other.exe"};

    // Held open by another program that shares nothing (tests run with rights that a
    // read-only attribute would not stop).
    {
        CKernelObject held(::CreateFileW(m_store.m_strIniPath, GENERIC_READ, 0, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(m_store.SaveSlot(1, slot).Saved());
    }
    EXPECT_EQ(ReadValue(m_store.m_strIniPath, L"S2", L"DefaultPath"), CString(L"mail.exe"));
    EXPECT_EQ(Text(m_store.m_slots[1].strDefaultPath), L"mail.exe");

    // A folder standing where the file should be.
    CHotkeySettingsStore blocked;
    blocked.BuildIniPathFrom(m_dir.Path() + L"\\sub\\HotkeyForm.exe");
    ASSERT_TRUE(::CreateDirectoryW(m_dir.Path() + L"\\sub", nullptr));
    ASSERT_TRUE(::CreateDirectoryW(blocked.m_strIniPath, nullptr));
    EXPECT_FALSE(blocked.SaveSlot(1, slot).Saved());
}

TEST_F(SettingsStoreTest, LongValueIsReadWholeAndSavedWhole) {
    for (int length : {300, 5000}) {
        Write(L"S2", L"DisplayName", CString(L'n', length));
        Write(L"S2", L"DefaultPath", CString(L'p', length));
        m_store.LoadSettings();
        ASSERT_TRUE(m_store.SaveSlot(1, m_store.m_slots[1]).Saved());
        m_store.LoadSettings();
        EXPECT_EQ(Text(m_store.m_slots[1].strDisplayName), Text(CString(L'n', length)));
        EXPECT_EQ(Text(m_store.m_slots[1].strDefaultPath), Text(CString(L'p', length)));
    }
}

TEST_F(SettingsStoreTest, SavedValuesReadBackExactlyAsTheyWereWritten) {
    struct Case {
        const char* what;
        CString value;
    };
    const Case cases[] = {
        {"double quotes around", L"\"C:\\Program Files\\Tool\\tool.exe\" -x \"a b\""},
        {"single quotes around", L"'single quoted'"},
        {"one double quote", L"\""},
        {"two double quotes", L"\"\""},
        {"unmatched outer quotes", L"\"open' "},
        {"inner quotes only", L"say \"hi\" and 'bye' there"},
        {"leading blank", L" leading"},
        {"trailing blanks", L"trailing \t "},
        {"quotes inside blanks", L" \"both\" "},
        {"empty", L""},
        // A first read's buffer holds 511 characters: the value, or a quoted one but its
        // closing quote.
        {"511 characters", CString(L'p', 511)},
        {"510 characters and a blank", CString(L'q', 510) + L" "},
        {"511 characters in quotes", L"\"" + CString(L'r', 509) + L"\""},
    };
    for (const Case& c : cases) {
        // The name must not be empty, or the slot is not written at all.
        m_store.SaveSlot(1, {c.value.IsEmpty() ? CString(L"Key") : c.value, c.value});

        // Read from a copy elsewhere, so nothing the platform kept of the write is used.
        TempFolder other;
        CHotkeySettingsStore fresh;
        fresh.BuildIniPathFrom(other.Path() + L"\\HotkeyForm.exe");
        ASSERT_TRUE(::CopyFileW(m_store.m_strIniPath, fresh.m_strIniPath, FALSE)) << c.what;
        fresh.LoadSettings();
        EXPECT_EQ(Text(fresh.m_slots[1].strDisplayName), Text(m_store.m_slots[1].strDisplayName))
            << c.what;
        EXPECT_EQ(Text(fresh.m_slots[1].strDefaultPath), Text(c.value)) << c.what;
    }
}

// Each option of a slot, its own key combination and how its program starts: read without
// regard to case, S1's from a section of its own; a save writes each in the one spelling it
// is read in, only where it differs from the default, so that a slot without options keeps
// its section as it was. A combination the program ignores stays in the file as written.
TEST_F(SettingsStoreTest, SlotOptionsRoundTripAndDefaultsAreNeverWritten) {
    using W = LaunchWindow;
    using R = LaunchIfRunning;
    struct Case {
        const char* what;
        std::vector<std::pair<const wchar_t*, const wchar_t*>> keys; // in the file before
        const wchar_t* hotkey;                                       // as read
        LAUNCHOPTIONS read;
        const wchar_t* saved[5]; // Hotkey, StartIn, Window, RunAs, IfRunning after a save
    };
    const wchar_t* gone = L"<missing>";
    const Case cases[] = {
        {"none", {}, L"", {}, {gone, gone, gone, gone, gone}},
        // The dialog would refuse Ctrl+C; in the file it is the user's own choice.
        {"every key, in any case",
         {{L"Hotkey", L"ctrl + c"},
          {L"StartIn", L"%TEMP%\\work"},
          {L"Window", L"mAXIMIZED"},
          {L"RunAs", L"admin"},
          {L"IfRunning", L"toggle"}},
         L"Ctrl+C",
         {L"%TEMP%\\work", W::Maximized, true, R::Toggle},
         {L"Ctrl+C", L"%TEMP%\\work", L"Maximized", L"Admin", L"Toggle"}},
        {"defaults spelled out and unknown values",
         {{L"Hotkey", L"Hyper+X"},
          {L"StartIn", L""},
          {L"Window", L"Normal"},
          {L"RunAs", L"Root"},
          {L"IfRunning", L"Twice"}},
         L"",
         {},
         {L"Hyper+X", gone, gone, gone, gone}},
        {"a refused combination", {{L"Hotkey", L"A"}}, L"", {}, {L"A", gone, gone, gone, gone}},
    };
    const wchar_t* keyNames[] = {L"Hotkey", L"StartIn", L"Window", L"RunAs", L"IfRunning"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::DeleteFileW(m_store.m_strIniPath);
        Write(L"S3", L"DisplayName", L"Three");
        Write(L"S3", L"DefaultPath", L"three.exe");
        for (const auto& [key, value] : c.keys) {
            Write(L"S3", key, value);
            Write(L"S1", key, value);
        }
        m_store.LoadSettings();
        for (int slot : {2, 0}) {
            EXPECT_EQ(KeyCombinationText(m_store.m_slots[slot].hotkey.combination), c.hotkey)
                << slot;
            EXPECT_TRUE(m_store.m_slots[slot].launch == c.read) << slot;
        }
        ASSERT_TRUE(m_store.SaveSlot(2, m_store.m_slots[2]).Saved());
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(Text(ReadValue(m_store.m_strIniPath, L"S3", keyNames[i])), c.saved[i])
                << Text(keyNames[i]);
    }
    // Cleared in the dialog, a combination leaves the file, an ignored one too.
    KEYSLOT cleared = m_store.m_slots[2];
    cleared.hotkey = {};
    ASSERT_TRUE(m_store.SaveSlot(2, cleared).Saved());
    EXPECT_EQ(Text(ReadValue(m_store.m_strIniPath, L"S3", L"Hotkey")), gone);
}

TEST_F(SettingsStoreTest, PathsInAnyScriptSurviveASaveAndAForeignSectionStays) {
    const CString values[] = {
        L"C:\\Users\\\x0418\x0432\x0430\x043D\\app.exe", // Cyrillic
        L"C:\\\x30C4\x30FC\x30EB\\\x8D77\x52D5.exe",     // Japanese
        L"C:\\Emoji \xD83D\xDE00\\x.exe",                // a surrogate pair
        L"C:\\Cafe\x0301\\x.exe",                        // a combining accent
        L"Mail \x2013 Web",                              // an en dash
    };
    // An ANSI file as the platform writes one, with a section the program does not own; and
    // no file at all.
    Write(L"Other", L"Keep", L"this value");
    Write(L"S2", L"DisplayName", L"Mail");
    ASSERT_FALSE(IsUtf16File(m_store.m_strIniPath));
    TempFolder empty;
    CHotkeySettingsStore created;
    created.BuildIniPathFrom(empty.Path() + L"\\HotkeyForm.exe");
    for (CHotkeySettingsStore* store : {&m_store, &created}) {
        for (int i = 1; i < 5; ++i)
            ASSERT_TRUE(
                store->SaveSlot(i, {i == 1 ? values[4] : CString(L"Key"), values[i - 1]}).Saved());
        EXPECT_TRUE(IsUtf16File(store->m_strIniPath));
        TempFolder other;
        CHotkeySettingsStore fresh;
        fresh.BuildIniPathFrom(other.Path() + L"\\HotkeyForm.exe");
        ASSERT_TRUE(::CopyFileW(store->m_strIniPath, fresh.m_strIniPath, FALSE));
        fresh.LoadSettings();
        for (int i = 1; i < 5; ++i)
            EXPECT_EQ(Text(fresh.m_slots[i].strDefaultPath), Text(values[i - 1])) << i;
        EXPECT_EQ(Text(fresh.m_slots[1].strDisplayName), Text(values[4]));
    }
    EXPECT_EQ(ReadValue(m_store.m_strIniPath, L"Other", L"Keep"), CString(L"this value"));
}

// Moved to another install: every entry comes back with its combination and options, S1's
// options too, and the entries that install had before are gone.
TEST_F(SettingsStoreTest, ExportedEntriesImportWholeIntoAnotherInstall) {
    using W = LaunchWindow;
    using R = LaunchIfRunning;
    auto entry = [](const wchar_t* name, const wchar_t* path, const wchar_t* hotkey,
                    LAUNCHOPTIONS launch) {
        KEYSLOT slot{name, path};
        slot.hotkey = SlotHotkeyFromText(hotkey);
        slot.launch = launch;
        return slot;
    };
    const std::vector<KEYSLOT> entries = {
        entry(L"", L"", L"Ctrl+Alt+1", {L"C:\\S1 folder", W::Minimized, true, R::Toggle}),
        entry(L"Mail", L"\"C:\\Tools\\mail.exe\" -x", L"Ctrl+Alt+M",
              {L"", W::Maximized, false, R::BringToFront}),
        {},
        {},
        entry(L"Five", L"five.exe", L"", {}),
        entry(L"\x30C4\x30FC\x30EB", L"C:\\\x8D77\x52D5.exe", L"Shift+Win+N", {}),
        entry(L"Web", L"https://example.com", L"", {L"%TEMP%", W::Normal, true, R::StartAnother}),
    };
    ASSERT_TRUE(m_store.SaveEntries(entries).Saved());
    const CString exported = m_dir.File(L"exported.ini");
    ASSERT_TRUE(m_store.ExportEntries(exported).Saved());
    EXPECT_TRUE(IsUtf16File(exported));

    TempFolder other;
    CHotkeySettingsStore target;
    target.BuildIniPathFrom(other.Path() + L"\\HotkeyForm.exe");
    ASSERT_TRUE(target.SaveEntries(std::vector<KEYSLOT>(9, KEYSLOT{L"Old", L"old.exe"})).Saved());
    std::vector<KEYSLOT> read;
    ASSERT_EQ(CHotkeySettingsStore::ReadEntriesFrom(exported, read), DWORD{ERROR_SUCCESS});
    ASSERT_TRUE(target.SaveEntries(read).Saved());
    target.LoadSettings();
    ASSERT_EQ(target.m_slots.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const KEYSLOT &back = target.m_slots[i], &sent = entries[i];
        EXPECT_EQ(Text(back.strDisplayName), Text(sent.strDisplayName)) << i;
        EXPECT_EQ(Text(back.strDefaultPath), Text(sent.strDefaultPath)) << i;
        EXPECT_EQ(Text(SlotHotkeyText(back.hotkey)), Text(SlotHotkeyText(sent.hotkey))) << i;
        EXPECT_TRUE(back.launch == sent.launch) << i;
    }
}

// Anything but a settings file is refused, before the profile functions could take it for a
// file of no entries, whose import would clear them all; a settings file is read in any of its
// encodings.
TEST(SettingsImport, RefusesAnythingButASettingsFile) {
    struct Case {
        const char* what;
        std::string bytes;
        DWORD error;
        const wchar_t* lastName; // the last entry's name once read
    };
    const Case cases[] = {
        {"empty", "", ERROR_BAD_FORMAT, nullptr},
        {"a NUL in ANSI text", std::string("[S2]\r\nDisplayName=a\0b\r\n", 22), ERROR_BAD_FORMAT,
         nullptr},
        {"invalid UTF-8 after a mark", "\xEF\xBB\xBF[S2]\r\nDisplayName=\xC3(\r\n",
         ERROR_BAD_FORMAT, nullptr},
        {"half a UTF-16 unit", Utf16WithMark(L"[S2]\r\nDisplayName=x\r\n") + "x", ERROR_BAD_FORMAT,
         nullptr},
        {"no key section", "[Other]\r\nDisplayName=x\r\n", ERROR_BAD_FORMAT, nullptr},
        {"no entry's key", "[S2]\r\nColour=red\r\n", ERROR_BAD_FORMAT, nullptr},
        {"an empty key, as exported from nothing", "[S2]\r\nDisplayName=\r\n", ERROR_SUCCESS, L""},
        {"UTF-8 without a mark", "[S6]\r\nDisplayName=B\xC3\xBCro\r\n", ERROR_SUCCESS, L"B\xFCro"},
    };
    TempFolder dir;
    const CString file = dir.File(L"chosen.ini");
    for (const Case& c : cases) {
        WriteBytes(file, c.bytes);
        std::vector<KEYSLOT> entries(1, KEYSLOT{L"Kept", L"kept.exe"});
        EXPECT_EQ(CHotkeySettingsStore::ReadEntriesFrom(file, entries), c.error) << c.what;
        EXPECT_EQ(Text(entries.back().strDisplayName), c.lastName ? c.lastName : L"Kept") << c.what;
    }
    std::vector<KEYSLOT> entries;
    EXPECT_EQ(CHotkeySettingsStore::ReadEntriesFrom(dir.File(L"gone.ini"), entries),
              DWORD{ERROR_FILE_NOT_FOUND});
    EXPECT_EQ(CHotkeySettingsStore::ReadEntriesFrom(dir.Path(), entries),
              DWORD{ERROR_ACCESS_DENIED});
}

// Stand-in writers: a folder listed in g_refusals refuses new files with its error, as a
// folder the user may not write does, and the g_failAt-th write fails as a full disk would.
std::vector<std::pair<CString, DWORD>> g_refusals;
int g_failAt = 0, g_writes = 0;
const CSettingsFileReplace::Writers g_realWriters = CSettingsFileReplace::s_writers;

DWORD NextWriteError() { return ++g_writes == g_failAt ? ERROR_DISK_FULL : ERROR_SUCCESS; }

DWORD TestMakeTempFile(const CString& folder, CString& path) {
    for (const auto& [refusing, error] : g_refusals)
        if (error && folder.Left(refusing.GetLength()) == refusing)
            return error;
    DWORD error = NextWriteError();
    return error ? error : g_realWriters.pfnMakeTempFile(folder, path);
}
DWORD TestWholeWrite(const CString& path, const std::string& bytes) {
    DWORD error = NextWriteError();
    return error ? error : g_realWriters.pfnWriteWholeFile(path, bytes);
}
BOOL WINAPI TestProfileWrite(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR file) {
    DWORD error = NextWriteError();
    ::SetLastError(error);
    return !error && g_realWriters.pfnWriteProfileString(section, key, value, file);
}
DWORD TestReplace(const CString& from, const CString& to) {
    DWORD error = NextWriteError();
    return error ? error : g_realWriters.pfnReplaceFile(from, to);
}

class StandInWriters {
public:
    StandInWriters() {
        CSettingsFileReplace::s_writers = {&TestMakeTempFile, &TestWholeWrite, &TestProfileWrite,
                                           &TestReplace, g_realWriters.pfnReplaceInOneStep};
    }
    ~StandInWriters() {
        CSettingsFileReplace::s_writers = g_realWriters;
        g_refusals.clear();
        g_failAt = g_writes = 0;
    }
};

std::vector<CString> FilesIn(const CString& folder) {
    std::vector<CString> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(folder + L"\\*", &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
    if (search != INVALID_HANDLE_VALUE)
        ::FindClose(search);
    return names;
}

const char kAnsiSettings[] = "; the installer's note\r\n[Other]\r\nKeep=this value\r\n"
                             "[S2]\r\nDisplayName=Mail\r\nDefaultPath=old.exe\r\n";
const wchar_t kWideSettings[] = L"; the installer's note\r\n[Other]\r\nKeep=this value\r\n"
                                L"[S2]\r\nDisplayName=Mail\r\nDefaultPath=old.exe\r\n";

TEST(SaveInOneStep, SaveFailingAtAnyStepLeavesEveryFileAsItWasAndTheSlotsAsSaved) {
    struct Case {
        const char* what;
        std::string bytes;
        bool installRefused; // the save seeds the user's copy
    };
    const Case cases[] = {
        {"ANSI file, converted by the save", kAnsiSettings, false},
        {"UTF-16 file", Utf16WithMark(kWideSettings), false},
        {"the user's copy, seeded by the save", kAnsiSettings, true},
    };
    StandInWriters writers;
    for (const Case& c : cases) {
        int steps = 0;
        for (int failAt = 1; failAt < 20; ++failAt) {
            SCOPED_TRACE(testing::Message() << c.what << ", failing write " << failAt);
            TempFolder install, user;
            CString installIni = install.Path() + L"\\Hotkey.ini";
            CString userFolder = user.Path() + L"\\KESTO Hotkey";
            WriteBytes(installIni, c.bytes);
            g_refusals = {{install.Path(), c.installRefused ? ERROR_ACCESS_DENIED : 0}};
            CHotkeySettingsStore store;
            store.BuildIniPathFrom(install.Path() + L"\\HotkeyForm.exe",
                                   userFolder + L"\\Hotkey.ini");
            store.LoadSettings();
            g_writes = 0;
            g_failAt = failAt;
            SAVEREPORT report = store.SaveSlot(1, {L"Mail", L"new.exe"});
            g_failAt = 0;
            EXPECT_EQ(FilesIn(install.Path()), std::vector<CString>{L"Hotkey.ini"});
            if (!report.Saved() || c.installRefused) {
                EXPECT_EQ(FileBytes(installIni), c.bytes);
            }
            if (report.Saved()) {
                steps = failAt - 1;
                CString saved = c.installRefused ? userFolder + L"\\Hotkey.ini" : installIni;
                EXPECT_EQ(report.strFile, saved);
                EXPECT_EQ(ReadValue(saved, L"S2", L"DefaultPath"), CString(L"new.exe"));
                EXPECT_EQ(ReadValue(saved, L"Other", L"Keep"), CString(L"this value"));
                break;
            }
            EXPECT_EQ(report.dwError, DWORD{ERROR_DISK_FULL});
            EXPECT_EQ(Text(store.m_slots[1].strDefaultPath), L"old.exe");
            EXPECT_TRUE(FilesIn(userFolder).empty());
        }
        // A new file, its whole content, two values, the combination and four launch options
        // at their defaults taken out, and the step that puts it in place.
        EXPECT_EQ(steps, 10) << c.what;
    }
}

// The platform's replace failing after it removed the old file, as it may on Windows, with the
// new file held by a scanner or not.
bool g_scannerHolds = false;
CKernelObject g_scanner;

DWORD TestReplaceRemovingTheOldFile(const CString& from, const CString& to) {
    ::DeleteFileW(to);
    if (g_scannerHolds)
        g_scanner.Attach(
            ::CreateFileW(from, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

// Only a save that reached the settings file reports success; the next start reads the new
// settings either way.
TEST(SaveInOneStep, ReplaceFailingAfterTheOldFileIsGoneNeverLosesTheSettings) {
    struct Case {
        const char* what;
        bool held, usersCopy;
    };
    const Case cases[] = {
        {"the new file renamed into the old one's place", false, false},
        {"the new file held: kept for the next start", true, false},
        {"the user's copy, the new file held", true, true},
    };
    StandInWriters writers;
    CSettingsFileReplace::s_writers.pfnReplaceInOneStep = &TestReplaceRemovingTheOldFile;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder install, user;
        const CString userIni = user.MakeDir(L"KESTO Hotkey") + L"\\Hotkey.ini";
        const CString target = c.usersCopy ? userIni : install.File(L"Hotkey.ini");
        WriteBytes(target, kAnsiSettings);
        g_refusals = {{install.Path(), c.usersCopy ? ERROR_ACCESS_DENIED : 0}};
        g_scannerHolds = c.held;
        CHotkeySettingsStore store, next;
        store.BuildIniPathFrom(install.File(L"HotkeyForm.exe"), userIni);
        store.LoadSettings();
        SAVEREPORT report = store.SaveSlot(1, {L"Mail", L"new.exe"});
        g_scanner.Close();
        EXPECT_EQ(report.Saved(), !c.held) << report.dwError;
        next.BuildIniPathFrom(install.File(L"HotkeyForm.exe"), userIni);
        next.LoadSettings();
        EXPECT_EQ(Text(next.m_slots[1].strDefaultPath), L"new.exe");
        EXPECT_EQ(FilesIn(FolderOf(target)), std::vector<CString>{L"Hotkey.ini"});
    }
}

TEST(SaveInOneStep, RemovesOnlyLeftoversOfThisProgramWhoseWriterIsGone) {
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(::GetComputerNameW(computer, &length));
    FILETIME created{}, unused{};
    ASSERT_TRUE(::GetProcessTimes(::GetCurrentProcess(), &created, &unused, &unused, &unused));
    ULONGLONG started = (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    auto leftover = [&](const wchar_t* onComputer, DWORD processId, ULONGLONG start) {
        CString name;
        name.Format(L"Hotkey.ini.%s-%lu-%016llX-3.tmp", onComputer, processId, start);
        return name;
    };
    struct Case {
        CString name;
        bool removed;
    };
    const Case cases[] = {
        {L"Hotkey.ini.old.tmp", false},
        {leftover(computer, ::GetCurrentProcessId(), started), false},    // still saving
        {leftover(L"OTHER-PC", 4000000000u, started), false},             // cannot be asked
        {leftover(computer, 4000000000u, started), true},                 // no such process
        {leftover(computer, ::GetCurrentProcessId(), started + 1), true}, // its id given again
    };
    TempFolder dir;
    CHotkeySettingsStore store;
    store.BuildIniPathFrom(dir.Path() + L"\\HotkeyForm.exe");
    for (const Case& c : cases)
        WriteBytes(dir.File(c.name), "text");
    ASSERT_TRUE(store.SaveSlot(1, {L"Mail", L"mail.exe"}).Saved());
    for (const Case& c : cases) {
        EXPECT_EQ(::GetFileAttributesW(dir.File(c.name)) == INVALID_FILE_ATTRIBUTES, c.removed)
            << Text(c.name);
    }
}

// A symbolic link: Wine makes none through CreateSymbolicLinkW, but follows the links of its
// host, which its own process starter can make.
bool MakeFileLink(const CString& link, const CString& target) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!unixName)
        return false;
    char *unixLink = unixName(link), *unixTarget = unixName(target);
    CString command;
    command.Format(L"/bin/ln -s \"%S\" \"%S\"", unixTarget, unixLink);
    ::HeapFree(::GetProcessHeap(), 0, unixLink);
    ::HeapFree(::GetProcessHeap(), 0, unixTarget);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, command.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &started))
        return false;
    CKernelObject process(started.hProcess), thread(started.hThread);
    // The handle of a host program may signal before the program has run.
    for (int wait = 0; wait < 100; ++wait, ::Sleep(50))
        if (::GetFileAttributesW(link) != INVALID_FILE_ATTRIBUTES)
            return true;
    return false;
}

TEST(SaveInOneStep, KeepsTheFilesAttributesAndWritesThroughALink) {
    TempFolder dir;
    CHotkeySettingsStore marked;
    marked.BuildIniPathFrom(dir.MakeDir(L"marked") + L"\\HotkeyForm.exe");
    WriteBytes(marked.m_strIniPath, kAnsiSettings);
    const DWORD kMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(::SetFileAttributesW(marked.m_strIniPath, kMarks));
    ASSERT_TRUE(marked.SaveSlot(1, {L"Mail", L"new.exe"}).Saved());
    EXPECT_EQ(::GetFileAttributesW(marked.m_strIniPath) & kMarks, kMarks);

    CHotkeySettingsStore linked;
    linked.BuildIniPathFrom(dir.MakeDir(L"linked") + L"\\HotkeyForm.exe");
    CString target = dir.MakeDir(L"shared") + L"\\Hotkey.ini";
    WriteBytes(target, kAnsiSettings);
    ASSERT_TRUE(MakeFileLink(linked.m_strIniPath, target));
    ASSERT_TRUE(linked.SaveSlot(1, {L"Mail", L"new.exe"}).Saved());
    EXPECT_EQ(ReadValue(target, L"S2", L"DefaultPath"), CString(L"new.exe"));
    EXPECT_EQ(FileBytes(linked.m_strIniPath), FileBytes(target));
    EXPECT_EQ(FilesIn(FolderOf(linked.m_strIniPath)), std::vector<CString>{L"Hotkey.ini"});
}

TEST(UsersCopy, ServesOnlyAnInstallFolderThatRefusesNewFilesAndOnlyWhenItHoldsSettings) {
    enum Copy { None, Empty, Whole };
    enum Where { Install, User, Neither };
    struct Case {
        const char* what;
        bool installRefuses, userRefuses, readOnly;
        Where held; // by another program, from before the start until after the save
        Copy copy;
        Where readFrom;
        DWORD saveError;
        Where savedIn;         // or the file named by the refusal
        const wchar_t* nextS2; // S2's path as the next start reads it
    };
    const Case cases[] = {
        {"portable: a writable folder reads its own file", false, false, false, Neither, Whole,
         Install, ERROR_SUCCESS, Install, L"new.exe"},
        {"installed, no copy yet", true, false, false, Neither, None, Install, ERROR_SUCCESS, User,
         L"new.exe"},
        {"installed, an empty copy is no copy", true, false, false, Neither, Empty, Install,
         ERROR_SUCCESS, User, L"new.exe"},
        {"installed, the copy holds settings", true, false, false, Neither, Whole, User,
         ERROR_SUCCESS, User, L"new.exe"},
        {"installed, the copy is held: it stays the user's", true, false, false, User, Whole, User,
         ERROR_SHARING_VIOLATION, User, L"copy.exe"},
        {"read-only file in a writable folder", false, false, true, Neither, None, Install,
         ERROR_ACCESS_DENIED, Install, L"installed.exe"},
        {"held by another program", false, false, false, Install, None, Install,
         ERROR_SHARING_VIOLATION, Install, L"installed.exe"},
        {"no folder writable", true, true, false, Neither, None, Install, ERROR_ACCESS_DENIED, User,
         L"installed.exe"},
    };
    StandInWriters writers;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder install, user;
        CString installIni = install.Path() + L"\\Hotkey.ini";
        CString userIni = user.MakeDir(L"KESTO Hotkey") + L"\\Hotkey.ini";
        ::WritePrivateProfileStringW(L"S2", L"DisplayName", L"Mail", installIni);
        ::WritePrivateProfileStringW(L"S2", L"DefaultPath", L"installed.exe", installIni);
        if (c.copy == Empty)
            WriteBytes(userIni, "");
        if (c.copy == Whole) {
            ::WritePrivateProfileStringW(L"S2", L"DisplayName", L"Mail", userIni);
            ::WritePrivateProfileStringW(L"S2", L"DefaultPath", L"copy.exe", userIni);
        }
        if (c.readOnly)
            ::SetFileAttributesW(installIni, FILE_ATTRIBUTE_READONLY);
        g_refusals = {{install.Path(), c.installRefuses ? ERROR_ACCESS_DENIED : 0},
                      {user.Path(), c.userRefuses ? ERROR_ACCESS_DENIED : 0}};
        const CString files[] = {installIni, userIni};
        std::string before[] = {FileBytes(installIni), FileBytes(userIni)};

        SAVEREPORT report;
        {
            CKernelObject held;
            if (c.held != Neither)
                held.Attach(::CreateFileW(files[c.held], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                          nullptr));
            CHotkeySettingsStore store;
            store.BuildIniPathFrom(install.Path() + L"\\HotkeyForm.exe", userIni);
            EXPECT_EQ(store.m_strIniPath, files[c.readFrom]);
            store.LoadSettings();
            report = store.SaveSlot(1, {L"Mail", L"new.exe"});
        }
        EXPECT_EQ(report.dwError, c.saveError);
        EXPECT_EQ(report.strFile, files[c.savedIn]);
        for (Where other : {Install, User}) {
            if (other != c.savedIn || !report.Saved()) {
                EXPECT_EQ(FileBytes(files[other]), before[other]) << other;
            }
        }
        // The next start reads the file saved: the whole file, in UTF-16, with the new path.
        CHotkeySettingsStore next;
        next.BuildIniPathFrom(install.Path() + L"\\HotkeyForm.exe", userIni);
        next.LoadSettings();
        EXPECT_EQ(Text(next.m_slots[1].strDefaultPath), c.nextS2);
        if (report.Saved()) {
            EXPECT_EQ(next.m_strIniPath, files[c.savedIn]);
            EXPECT_TRUE(IsUtf16File(files[c.savedIn]));
        }
        ::SetFileAttributesW(installIni, FILE_ATTRIBUTE_NORMAL);
    }
}

// In a folder the user may not write: tests/app/unwritable_folder_test.cpp. Wine's own profile
// reading takes a UTF-8 mark and big-endian UTF-16, where Windows' does not: whether the read
// goes through the UTF-16 copy is asked of the file's bytes too.
TEST(Utf8File, WithOrWithoutAMarkOrBigEndianIsReadRightAndTheFirstSaveMakesItUtf16) {
    const std::string kBigEndian = "\xFE\xFF", kUtf8Name = "B\xC3\xBCro \xE6\x9D\xB1";
    struct Case {
        const char* what;
        std::string mark; // kBigEndian: the whole text in big-endian UTF-16
        std::string name; // the display name's bytes in the file
        UINT readIn;      // the code page the name is read in
        bool readCopy;    // read through the UTF-16 copy
    };
    const Case cases[] = {
        {"UTF-8 without a mark", "", kUtf8Name, CP_UTF8, true},
        {"UTF-8 with a mark", "\xEF\xBB\xBF", kUtf8Name, CP_UTF8, true},
        {"UTF-16 big-endian", kBigEndian, kUtf8Name, CP_UTF8, true},
        {"plain ASCII", "", "Buero", CP_ACP, false},
        {"not UTF-8 (Latin-1)", "", "B\xFCro", CP_ACP, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        CHotkeySettingsStore store;
        store.BuildIniPathFrom(dir.Path() + L"\\HotkeyForm.exe");
        wchar_t name[64] = {};
        ::MultiByteToWideChar(c.readIn, 0, c.name.data(), static_cast<int>(c.name.size()), name,
                              63);
        // The section first, where a mark taken for text glues onto it.
        CString text = CString(L"[S2]\r\nDisplayName=") + name + L"\r\n; " + name + L" note\r\n";
        std::string bytes =
            c.mark + "[S2]\r\nDisplayName=" + c.name + "\r\n; " + c.name + " note\r\n";
        if (c.mark == kBigEndian) {
            bytes = Utf16WithMark(text);
            for (size_t i = 0; i + 1 < bytes.size(); i += 2)
                std::swap(bytes[i], bytes[i + 1]);
        }
        WriteBytes(store.m_strIniPath, bytes);
        EXPECT_EQ(NeedsUnicodeReadCopy(bytes), c.readCopy);
        store.LoadSettings();
        EXPECT_EQ(Text(store.m_slots[1].strDisplayName), name);
        // Reading writes nothing, here or beside it.
        EXPECT_EQ(FileBytes(store.m_strIniPath), bytes);
        EXPECT_EQ(FilesIn(dir.Path()), std::vector<CString>{L"Hotkey.ini"});
        // Converted whole, with no mark of the old file left in the text.
        ASSERT_TRUE(store.SaveSlot(1, store.m_slots[1]).Saved());
        EXPECT_EQ(FileBytes(store.m_strIniPath).rfind(Utf16WithMark(text), 0), 0u);
    }
}

// The S1 value lives under HKEY_LOCAL_MACHINE of the test prefix; each test leaves it absent.
class S1RegistryTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* kKey = L"SOFTWARE\\ATK0100";
    void SetUp() override { RemoveValue(); }
    void TearDown() override { RemoveValue(); }
    // Removes the key from both registry views, as a 64-bit and a 32-bit driver would see it.
    static void RemoveValue() {
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
            ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, view, 0);
    }
    static void SetInView(REGSAM view, const CString& text, DWORD type = REG_SZ) {
        CRegKey key;
        ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, kKey, KEY_SET_VALUE | view), ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExW(key, L"S1_KEY", 0, type,
                                   reinterpret_cast<const BYTE*>(text.GetString()),
                                   static_cast<DWORD>((text.GetLength() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    static void SetRaw(const void* data, DWORD bytes, DWORD type = REG_SZ) {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"S1_KEY", type, data, bytes),
                  ERROR_SUCCESS);
    }
    static void SetText(const CString& text) {
        SetRaw(text.GetString(), static_cast<DWORD>((text.GetLength() + 1) * sizeof(wchar_t)));
    }
    CHotkeySettingsStore m_store;
};

TEST_F(S1RegistryTest, MissingValueKeepsThePathUntilItExistsAndAfterItIsGone) {
    m_store.RefreshS1FromRegistry();
    EXPECT_TRUE(m_store.m_slots[0].strDefaultPath.IsEmpty());
    SetText(L"C:\\tools\\s1.exe /x");
    m_store.m_slots[0].strDisplayName = L"stale";
    m_store.RefreshS1FromRegistry();
    EXPECT_EQ(m_store.m_slots[0].strDefaultPath, CString(L"C:\\tools\\s1.exe /x"));
    EXPECT_TRUE(m_store.m_slots[0].strDisplayName.IsEmpty());
    RemoveValue();
    m_store.RefreshS1FromRegistry();
    EXPECT_EQ(m_store.m_slots[0].strDefaultPath, CString(L"C:\\tools\\s1.exe /x"));
}

TEST_F(S1RegistryTest, ValueFillingTheBufferWithoutTerminatorIsTaken130UnitsLong) {
    // The unit after the 260 bytes is not a terminator: the platform, like NT, stores one
    // more unit when the unit just past the given text is one.
    CString full(L'x', 131);
    SetRaw(full.GetString(), 260, REG_SZ);
    full = full.Left(130);
    m_store.RefreshS1FromRegistry();
    EXPECT_EQ(m_store.m_slots[0].strDefaultPath, full);
}

TEST_F(S1RegistryTest, OnlyTextTypesAreTakenAndAnyOtherKeepsThePath) {
    struct Case {
        const char* what;
        DWORD type;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"text", REG_SZ, L"new.exe"},      {"text to expand", REG_EXPAND_SZ, L"new.exe"},
        {"bytes", REG_BINARY, L"old.exe"}, {"several strings", REG_MULTI_SZ, L"old.exe"},
        {"no type", REG_NONE, L"old.exe"}, {"a link", REG_LINK, L"old.exe"},
    };
    const wchar_t text[] = L"new.exe\0";
    for (const Case& c : cases) {
        SetRaw(text, sizeof(text), c.type);
        m_store.m_slots[0].strDefaultPath = L"old.exe";
        m_store.RefreshS1FromRegistry();
        EXPECT_EQ(Text(m_store.m_slots[0].strDefaultPath), c.expected) << c.what;
    }
    // A number whose bytes spell a program name is no name.
    const DWORD letter = L'p';
    SetRaw(&letter, sizeof(letter), REG_DWORD);
    m_store.RefreshS1FromRegistry();
    EXPECT_EQ(Text(m_store.m_slots[0].strDefaultPath), L"old.exe") << "a number";
}

TEST_F(S1RegistryTest, ExpandableValueIsExpandedAndPlainTextTakenAsWritten) {
    ::SetEnvironmentVariableW(L"HOTKEY_TEST_TOOLS", L"C:\\Tools");
    struct Case {
        DWORD type;
        const wchar_t* stored;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {REG_EXPAND_SZ, L"%HOTKEY_TEST_TOOLS%\\s1.exe -x", L"C:\\Tools\\s1.exe -x"},
        {REG_SZ, L"%HOTKEY_TEST_TOOLS%\\s1.exe -x", L"%HOTKEY_TEST_TOOLS%\\s1.exe -x"},
        {REG_EXPAND_SZ, L"%HOTKEY_NO_SUCH_VARIABLE%\\s1.exe", L"%HOTKEY_NO_SUCH_VARIABLE%\\s1.exe"},
    };
    for (const Case& c : cases) {
        SetRaw(c.stored, static_cast<DWORD>((wcslen(c.stored) + 1) * sizeof(wchar_t)), c.type);
        m_store.RefreshS1FromRegistry();
        EXPECT_EQ(Text(m_store.m_slots[0].strDefaultPath), c.expected) << c.type;
    }
}

TEST_F(S1RegistryTest, ValueOfAnyLengthIsRead) {
    for (int length : {129, 130, 200, 5000}) {
        SetText(CString(L'y', length));
        m_store.RefreshS1FromRegistry();
        EXPECT_EQ(m_store.m_slots[0].strDefaultPath.GetLength(), length);
    }
}

TEST_F(S1RegistryTest, ValueIsTakenFromThe64BitViewAndOnlyWhenMissingThereFromThe32BitView) {
    struct Case {
        const char* what;
        const wchar_t* in64; // null: the value is missing from that view
        const wchar_t* in32;
        const wchar_t* expected;
        DWORD type64 = REG_SZ;
    };
    const Case cases[] = {
        {"64-bit view only", L"sixty-four.exe", nullptr, L"sixty-four.exe"},
        {"32-bit view only", nullptr, L"thirty-two.exe", L"thirty-two.exe"},
        {"both views", L"sixty-four.exe", L"thirty-two.exe", L"sixty-four.exe"},
        {"unreadable, not missing, in the 64-bit view", L"bytes", L"thirty-two.exe", L"old.exe",
         REG_BINARY},
        {"neither view", nullptr, nullptr, L"old.exe"},
    };
    for (const Case& c : cases) {
        RemoveValue();
        if (c.in64)
            SetInView(KEY_WOW64_64KEY, c.in64, c.type64);
        if (c.in32)
            SetInView(KEY_WOW64_32KEY, c.in32);
        m_store.m_slots[0].strDefaultPath = L"old.exe";
        m_store.RefreshS1FromRegistry();
        EXPECT_EQ(Text(m_store.m_slots[0].strDefaultPath), c.expected) << c.what;
    }
}

} // namespace
