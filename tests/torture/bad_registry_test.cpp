// Bad values where the hotkey driver keeps S1's program: "S1_KEY" under
// HKEY_LOCAL_MACHINE\SOFTWARE\ATK0100 as a number, odd-length bytes, text that fills the read
// buffer without a terminator, a megabyte, empty text, or no key at all. Only a real text
// value starts a program; nothing crashes or reads past the buffer.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "torture_support.h"

namespace {

constexpr const wchar_t* kKey = L"SOFTWARE\\ATK0100";

void RemoveKey() {
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, view, 0);
}

bool SetValue(DWORD type, const void* data, size_t bytes) {
    return ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"S1_KEY", type, data,
                             static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

std::vector<BYTE> TextBytes(const std::wstring& text, bool terminated) {
    const auto* p = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(p, p + (text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
}

struct Case {
    const char* name;
    DWORD type; // REG_NONE with no bytes: the key is missing
    std::vector<BYTE> data;
    // The command line the probe reports, or empty when nothing may start.
    std::string started;
    // Bytes at the end of data that are not stored: text whose next unit is a terminator
    // is stored with it, so unterminated text needs a unit after it that is none.
    size_t guard = 0;
};

class BadRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
        RemoveKey();
    }
    void TearDown() override { RemoveKey(); }
};

TEST_F(BadRegistryTest, OnlyARealTextValueStartsAProgram) {
    // The form's folder holds the probe as "p.exe", which a value as short as the text "p"
    // names: a number or bytes read as text would start it.
    const DWORD letterP = L'p';
    const std::wstring spaced = L"p" + std::wstring(129, L' '); // 130 units, 260 bytes
    std::vector<BYTE> oddBytes = TextBytes(L"p", true);
    oddBytes.push_back(0);
    std::vector<BYTE> oddText = TextBytes(L"p", false);
    oddText.push_back(0);
    const Case cases[] = {
        {"a number", REG_DWORD, std::vector<BYTE>((const BYTE*)&letterP, (const BYTE*)&letterP + 4),
         ""},
        {"bytes of odd length", REG_BINARY, oddBytes, ""},
        {"260 bytes of text without a terminator", REG_SZ, TextBytes(spaced + L"!", false),
         "\"p\"" + std::string(129, ' '), sizeof(wchar_t)},
        {"text of odd length", REG_SZ, oddText, "p"},
        {"a megabyte of text", REG_SZ, TextBytes(std::wstring(1 << 19, L'p'), true), ""},
        {"a megabyte of bytes", REG_BINARY, std::vector<BYTE>(1 << 20, 'p'), ""},
        {"empty text", REG_SZ, TextBytes(L"", true), ""},
        {"text with no bytes at all", REG_SZ, {}, ""},
        {"several strings", REG_MULTI_SZ, TextBytes(std::wstring(L"p\0q\0", 4), true), ""},
        {"no key", REG_NONE, {}, ""},
        {"real text", REG_SZ, TextBytes(L"p real", true), "\"p\" real"},
        {"real text to expand", REG_EXPAND_SZ, TextBytes(L"p expand", true), "\"p\" expand"},
    };
    int started = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveKey();
        if (c.type != REG_NONE) {
            ASSERT_TRUE(SetValue(c.type, c.data.data(), c.data.size() - c.guard));
        }
        TempFolder dir;
        ProbeLog log(dir.Path() + L"\\probe.log");
        FormProcess form(dir.Path());
        ASSERT_TRUE(CopyProgram(ProbePath(), dir.Path() + L"\\p.exe"));
        ASSERT_TRUE(form.Start());
        std::string out;
        ASSERT_EQ(Fnkey(L"--send S1", &out), 0);
        EXPECT_EQ(out.substr(0, 1), "1");
        size_t expected = c.started.empty() ? 0 : 1;
        auto lines = log.WaitForLines(expected, 5000);
        ::Sleep(expected ? 300 : 1000);
        lines = log.Read();
        EXPECT_TRUE(form.IsRunning());
        ASSERT_EQ(lines.size(), expected);
        if (expected) {
            EXPECT_EQ(lines[0].commandLine, c.started);
            ++started;
        }
    }
    Figure("bad registry values: %zu cases, %d started a program (the real text values), "
           "none crashed",
           std::size(cases), started);
}

// A value that turns bad keeps the last good one, as every failed read does.
TEST_F(BadRegistryTest, ValueTurnedIntoANumberKeepsTheLastText) {
    TempFolder dir;
    ProbeLog log(dir.Path() + L"\\probe.log");
    FormProcess form(dir.Path());
    ASSERT_TRUE(CopyProgram(ProbePath(), dir.Path() + L"\\p.exe"));
    ASSERT_TRUE(CopyProgram(ProbePath(), dir.Path() + L"\\q.exe"));
    ASSERT_TRUE(form.Start());
    std::vector<BYTE> text = TextBytes(L"q last", true);
    ASSERT_TRUE(SetValue(REG_SZ, text.data(), text.size()));
    ASSERT_EQ(Fnkey(L"--send S1"), 0);
    const DWORD letterP = L'p';
    ASSERT_TRUE(SetValue(REG_DWORD, &letterP, sizeof(letterP)));
    ASSERT_EQ(Fnkey(L"--send S1"), 0);
    auto lines = log.WaitForLines(2);
    ::Sleep(300);
    lines = log.Read();
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& line : lines)
        EXPECT_EQ(line.commandLine, "\"q\" last");
}

} // namespace
