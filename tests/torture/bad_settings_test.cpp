// Settings files nobody should write: random bytes, UTF-16 with a byte-order mark, huge
// values, thousands of sections, duplicates, blanks around names, a read-only, held or
// missing file and a folder in its place. The program starts, shows the rows that the
// platform's profile reading gives, writes no slot that is not assigned, and a save that
// fails leaves the row, the slot and the file as they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "framework/kernel_object.h"
#include "tests/support/form_driver.h"
#include "tests/support/temp_folder.h"
#include "torture_support.h"

namespace {

constexpr const wchar_t* kSections[] = {L"S2", L"S3", L"S4", L"S5"};

std::string Ascii(const CString& s) { return Utf8(s); }

std::string RandomBytes(std::mt19937_64& random, size_t n) {
    std::string bytes(n, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

// A value as the platform's profile reading gives it, whole.
CString ProfileValue(const CString& file, const wchar_t* section, const wchar_t* key) {
    constexpr DWORD kLarge = 1 << 21;
    std::wstring value(kLarge, L'\0');
    ::GetPrivateProfileStringW(section, key, L"", value.data(), kLarge, file);
    return value.c_str();
}

// The rows the form should show for the file as the platform reads it now.
std::vector<ShownRow> RowsByTheRules(const CString& file) {
    std::vector<ShownRow> rows;
    for (const wchar_t* section : kSections) {
        CString name = ProfileValue(file, section, L"DisplayName");
        if (!name.IsEmpty())
            rows.push_back({L" " + name, ProfileValue(file, section, L"DefaultPath")});
    }
    return rows;
}

// Both keys of every slot that has no display name: what a save must leave alone.
std::vector<CString> UnassignedSlots(const CString& file) {
    std::vector<CString> values;
    for (const wchar_t* section : kSections) {
        if (ProfileValue(file, section, L"DisplayName").IsEmpty()) {
            values.push_back(CString(section) + L"=" + ProfileValue(file, section, L"DefaultPath"));
        }
    }
    return values;
}

// Held open by another program that shares nothing.
CKernelObject HoldFile(const CString& path) {
    return CKernelObject(::CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

enum class Hold { Never, AtStart, AtSave };

struct Case {
    const char* name;
    // Prepares the settings file (or what stands in its place) in the form's folder.
    std::function<void(const CString& ini)> prepare;
    Hold hold = Hold::Never;
};

// Whether the program may replace the file now. A read-only file is refused even where the
// platform would let the process write it (as root under Wine), as the user who marked it
// meant it kept.
bool Writable(const CString& path) {
    DWORD attributes = ::GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    return static_cast<bool>(
        CKernelObject(::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr)));
}

class BadSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
    }
};

TEST_F(BadSettingsTest, ProgramStartsShowsWhatTheRulesGiveAndSavesOnlyAssignedSlots) {
    std::mt19937_64 random(Seed());
    const CString probe = L"\"" + ProbePath() + L"\"";
    auto lines = [](std::initializer_list<CString> parts) {
        CString all;
        for (const CString& part : parts)
            all += part + L"\r\n";
        return all;
    };
    const Case cases[] = {
        {"random bytes",
         [&](const CString& ini) { WriteBytes(ini, RandomBytes(random, 64 * 1024)); }},
        {"random bytes as values",
         [&](const CString& ini) {
             std::string bytes =
                 "[S2]\r\nDisplayName=" + RandomBytes(random, 300) +
                 "\r\nDefaultPath=" + RandomBytes(random, 2000) +
                 "\r\n[S4]\r\nDisplayName=Four\r\nDefaultPath=" + RandomBytes(random, 500) + "\r\n";
             WriteBytes(ini, bytes);
         }},
        {"UTF-16 with a byte-order mark",
         [&](const CString& ini) {
             WriteBytes(ini, Utf16WithMark(lines({L"[S3]", L"DisplayName=Caf\u00e9 \u6771\u4eac",
                                                  L"DefaultPath=" + probe + L" \u00fcber", L"[S5]",
                                                  L"DisplayName=Five"})));
         }},
        {"values of a megabyte",
         [&](const CString& ini) {
             std::string big(1 << 20, 'n');
             WriteBytes(ini, "[S2]\r\nDisplayName=" + big + "\r\nDefaultPath=" +
                                 std::string(1 << 20, 'p') + "\r\n[S3]\r\nDisplayName=Three\r\n");
         }},
        {"ten thousand sections",
         [&](const CString& ini) {
             std::string bytes;
             for (int i = 0; i < 10000; ++i)
                 bytes +=
                     "[X" + std::to_string(i) + "]\r\nDisplayName=x" + std::to_string(i) + "\r\n";
             bytes += "[S5]\r\nDisplayName=Last\r\nDefaultPath=last.exe\r\n";
             WriteBytes(ini, bytes);
         }},
        {"duplicate sections",
         [&](const CString& ini) {
             WriteBytes(ini, "[S2]\r\nDisplayName=First\r\n[S3]\r\nDisplayName=Three\r\n"
                             "[S2]\r\nDisplayName=Second\r\nDefaultPath=second.exe\r\n"
                             "[S3]\r\nDefaultPath=three.exe\r\n");
         }},
        {"blanks around names",
         [&](const CString& ini) {
             WriteBytes(ini, "[S2]\r\nDisplayName=   Mail \t \r\nDefaultPath=  mail.exe  \r\n"
                             "[ S3 ]\r\nDisplayName=Spaced section\r\n"
                             "[S4]\r\n  DisplayName  =  Keyed  \r\n"
                             "[S5]\r\nDisplayName=\"  Quoted  \"\r\n");
         }},
        {"read-only file",
         [&](const CString& ini) {
             WriteBytes(ini, "[S3]\r\nDisplayName=Locked\r\nDefaultPath=locked.exe\r\n");
             ::SetFileAttributesW(ini, FILE_ATTRIBUTE_READONLY);
         }},
        {"held by another program at start",
         [&](const CString& ini) {
             WriteBytes(ini, "[S3]\r\nDisplayName=Held\r\nDefaultPath=held.exe\r\n");
         },
         Hold::AtStart},
        {"held by another program at the save",
         [&](const CString& ini) {
             WriteBytes(ini, "[S4]\r\nDisplayName=Held\r\nDefaultPath=held.exe\r\n");
         },
         Hold::AtSave},
        {"no file", [&](const CString&) {}},
        {"a folder in its place", [&](const CString& ini) { ::CreateDirectoryW(ini, nullptr); }},
    };

    int appliedSaves = 0, refusedSaves = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        FormProcess form(dir.Path());
        c.prepare(form.IniPath());
        const CString newProgram = dir.Path() + L"\\new tool.exe";
        ASSERT_TRUE(CopyProgram(ProbePath(), newProgram));
        std::vector<ShownRow> expected;
        std::vector<CString> unassigned;
        std::string bytesBefore;
        {
            CKernelObject held;
            if (c.hold == Hold::AtStart)
                held = HoldFile(form.IniPath());
            // What the rules give is what the platform reads under the same conditions.
            expected = RowsByTheRules(form.IniPath());
            ASSERT_TRUE(form.Start()) << "the program ended with " << form.ExitCode()
                                      << ", or could not start: error " << form.LaunchError();
        }
        unassigned = UnassignedSlots(form.IniPath());
        bytesBefore = FileBytes(form.IniPath());
        HWND hForm = form.FindForm();
        ASSERT_TRUE(ShowForm(hForm));
        std::vector<ShownRow> shown = ShownRows(hForm);
        ASSERT_EQ(shown.size(), expected.size());
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(Ascii(shown[i].strKey), Ascii(expected[i].strKey.Left(kShownCellLength)))
                << "row " << i;
            EXPECT_EQ(Ascii(shown[i].strPath), Ascii(expected[i].strPath.Left(kShownCellLength)))
                << "row " << i;
        }
        if (!shown.empty()) {
            HWND hDialog = OpenRow(form.ProcessId(), hForm, 0);
            ASSERT_NE(hDialog, nullptr);
            ASSERT_TRUE(BrowseTo(form.ProcessId(), hDialog, newProgram));
            bool refused = !Writable(form.IniPath()) || c.hold == Hold::AtSave;
            {
                CKernelObject held;
                if (c.hold == Hold::AtSave)
                    held = HoldFile(form.IniPath());
                CString message;
                ASSERT_TRUE(refused ? ApplyRefusedAndWait(form.ProcessId(), hDialog, &message)
                                    : ApplyAndWait(hDialog));
            }
            std::vector<ShownRow> after = ShownRows(hForm);
            ASSERT_EQ(after.size(), shown.size());
            if (refused) {
                ++refusedSaves;
                EXPECT_EQ(Ascii(after[0].strPath), Ascii(shown[0].strPath));
                EXPECT_EQ(FileBytes(form.IniPath()), bytesBefore);
            } else {
                ++appliedSaves;
                EXPECT_EQ(Ascii(after[0].strPath), Ascii(newProgram));
            }
            EXPECT_EQ(UnassignedSlots(form.IniPath()), unassigned);
        }
        EXPECT_TRUE(form.IsRunning());
        ::SetFileAttributesW(form.IniPath(), FILE_ATTRIBUTE_NORMAL);
    }
    Figure("bad settings: %zu files, every start alive with the rows the rules give; "
           "%d saves applied, %d refused and left as before",
           std::size(cases), appliedSaves, refusedSaves);
}

} // namespace
