// Hotkey dispatch end to end: fnkey delivers real WM_FN_HOTKEY messages to a running
// HotkeyForm.exe, which starts probe.exe; the probe's log shows what started and how.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/support/desktop.h"
#include "tests/support/form_process.h"
#include "tests/support/message_pump.h"
#include "tests/support/shown_window.h"
#include "tests/support/temp_folder.h"

namespace {

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
    }
    void TearDown() override {
        ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ATK0100", L"S1_KEY");
    }

    CString Probe() const { return ProbePath(); }
    void Assign(const wchar_t* section, const CString& name, const CString& path) {
        if (!name.IsEmpty())
            m_form.WriteSetting(section, L"DisplayName", name);
        m_form.WriteSetting(section, L"DefaultPath", path);
    }
    // Waits for the expected starts, then a little longer so that an unexpected extra one
    // would show up too.
    std::vector<ProbeLine> Started(size_t expected) {
        m_log.WaitForLines(expected);
        ::Sleep(300);
        return m_log.Read();
    }
    static void SetS1(const CString& value) {
        ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ATK0100", L"S1_KEY", REG_SZ,
                          value.GetString(),
                          static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t)));
    }

    TempFolder m_dir;
    ProbeLog m_log{m_dir.Path() + L"\\probe.log"};
    FormProcess m_form{m_dir.Path()};
};

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(DispatchTest, EachKeyCodeStartsItsOwnSlotsProgram) {
    SetS1(L"\"" + Probe() + L"\" from-S1");
    Assign(L"S2", L"Two", L"\"" + Probe() + L"\" from-S2");
    Assign(L"S3", L"Three", L"\"" + Probe() + L"\" from-S3");
    Assign(L"S4", L"Four", L"\"" + Probe() + L"\" from-S4");
    Assign(L"S5", L"Five", L"\"" + Probe() + L"\" from-S5");
    ASSERT_TRUE(m_form.Start());
    for (const wchar_t* key : {L"S1", L"0x60", L"S3", L"98", L"s5"})
        ASSERT_EQ(Fnkey(key), 0) << Utf8(key);

    auto lines = Started(5);
    std::set<std::string> tails;
    for (const auto& line : lines)
        tails.insert(line.commandLine.substr(line.commandLine.rfind(' ') + 1));
    EXPECT_EQ(lines.size(), 5u);
    EXPECT_EQ(tails,
              (std::set<std::string>{"from-S1", "from-S2", "from-S3", "from-S4", "from-S5"}));
}

TEST_F(DispatchTest, CodesOutsideTheKeysStartNothingAndStillAnswerOne) {
    Assign(L"S2", L"Two", L"\"" + Probe() + L"\" two");
    ASSERT_TRUE(m_form.Start());
    for (const wchar_t* code : {L"0x64", L"0", L"0x5E", L"0xFFFFFFFF"}) {
        std::string out;
        EXPECT_EQ(Fnkey(CString(L"--send ") + code, &out), 0) << Utf8(code);
        EXPECT_EQ(out.substr(0, out.find_first_of("\r\n")), "1") << Utf8(code);
    }
    ASSERT_EQ(Fnkey(L"S2"), 0);
    auto lines = Started(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(EndsWith(lines[0].commandLine, " two"));
}

TEST_F(DispatchTest, FiveQuickPressesStartFiveProcesses) {
    Assign(L"S4", L"Four", L"\"" + Probe() + L"\"");
    ASSERT_TRUE(m_form.Start());
    ASSERT_EQ(Fnkey(L"--count 5 S4"), 0);
    auto lines = Started(5);
    std::set<DWORD> pids;
    for (const auto& line : lines)
        pids.insert(line.pid);
    EXPECT_EQ(lines.size(), 5u);
    EXPECT_EQ(pids.size(), 5u);
}

TEST_F(DispatchTest, StoredTextIsTheWholeCommandLineArgumentsIncluded) {
    // A value that both starts and ends with a quote loses those quotes in a profile file,
    // so the quoted argument is not the last one.
    Assign(L"S2", L"Two", L"\"" + Probe() + L"\" alpha \"beta gamma\" delta");
    ASSERT_TRUE(m_form.Start());
    ASSERT_EQ(Fnkey(L"S2"), 0);
    auto lines = Started(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].commandLine, Utf8(L"\"" + Probe() + L"\" alpha \"beta gamma\" delta"));
}

TEST_F(DispatchTest, PathsWithSpacesStartQuotedAndUnquoted) {
    CString spaced = m_dir.MakeDir(L"Key Tools\\Probe Dir") + L"\\probe.exe";
    ASSERT_TRUE(CopyProgram(Probe(), spaced));
    Assign(L"S2", L"Unquoted", spaced);
    Assign(L"S3", L"Quoted", L"\"" + spaced + L"\"");
    // A program followed by an argument: the program part is quoted, the argument follows.
    Assign(L"S4", L"WithArgument", spaced + L" arg");
    ASSERT_TRUE(m_form.Start());
    for (const wchar_t* key : {L"S2", L"S3", L"S4"})
        ASSERT_EQ(Fnkey(key), 0);
    auto lines = Started(3);
    ASSERT_EQ(lines.size(), 3u);
    int quoted = 0, withArgument = 0;
    for (const auto& line : lines) {
        quoted += line.commandLine == Utf8(L"\"" + spaced + L"\"") ? 1 : 0;
        withArgument += line.commandLine == Utf8(L"\"" + spaced + L"\" arg") ? 1 : 0;
    }
    EXPECT_EQ(quoted, 2);
    EXPECT_EQ(withArgument, 1);
}

TEST_F(DispatchTest, UnquotedPathCannotStartAPlantedProgramBeforeIt) {
    CString tool = m_dir.MakeDir(L"Program Files\\Tool") + L"\\tool.exe";
    ASSERT_TRUE(CopyProgram(Probe(), tool));
    CString toolNoExt = tool.Left(tool.GetLength() - 4);
    // A program that logs nothing, where the platform's prefix search would look first.
    ASSERT_TRUE(CopyProgram(BinDir() + L"\\fnkey.exe", m_dir.Path() + L"\\Program.exe"));
    Assign(L"S5", L"Tool", tool);
    Assign(L"S4", L"ToolWithArguments", tool + L" -x");
    Assign(L"S3", L"NoExtension", toolNoExt + L" -y");
    ASSERT_TRUE(m_form.Start());
    for (const wchar_t* key : {L"S5", L"S4", L"S3"})
        ASSERT_EQ(Fnkey(key), 0);
    auto lines = Started(3);
    std::set<std::string> commandLines;
    for (const auto& line : lines)
        commandLines.insert(line.commandLine);
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_EQ(commandLines,
              (std::set<std::string>{Utf8(L"\"" + tool + L"\""), Utf8(L"\"" + tool + L"\" -x"),
                                     Utf8(L"\"" + toolNoExt + L"\" -y")}));
}

TEST_F(DispatchTest, UnassignedSlotWithAStoredPathStillStartsIt) {
    Assign(L"S3", L"", L"\"" + Probe() + L"\" nameless");
    ASSERT_TRUE(m_form.Start());
    ASSERT_EQ(Fnkey(L"S3"), 0);
    auto lines = Started(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(EndsWith(lines[0].commandLine, " nameless"));
}

TEST_F(DispatchTest, S1StartsOnceItsRegistryValueExistsAndKeepsItAfterwards) {
    ASSERT_TRUE(m_form.Start());
    std::string out;
    ASSERT_EQ(Fnkey(L"--send S1", &out), 0);
    SetS1(L"\"" + Probe() + L"\" s1");
    ASSERT_EQ(Fnkey(L"--send S1"), 0);
    ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ATK0100", L"S1_KEY");
    ASSERT_EQ(Fnkey(L"--send S1"), 0);
    auto lines = Started(2);
    EXPECT_EQ(lines.size(), 2u);
    for (const auto& line : lines)
        EXPECT_TRUE(EndsWith(line.commandLine, " s1"));
}

TEST_F(DispatchTest, HotkeyWhileHiddenStartsTheProgramAndTheFormStaysHidden) {
    Assign(L"S2", L"Two", L"\"" + Probe() + L"\"");
    ASSERT_TRUE(m_form.Start());
    ASSERT_EQ(Fnkey(L"--send S2"), 0);
    EXPECT_EQ(Started(1).size(), 1u);
    EXPECT_FALSE(::IsWindowVisible(m_form.FindForm()));
}

// Closes every window probe's window as the test ends, whatever it left running.
struct WindowProbes {
    static std::vector<HWND> Windows() {
        std::vector<HWND> found;
        for (HWND h = nullptr; (h = ::FindWindowExW(nullptr, h, kClass, nullptr));)
            found.push_back(h);
        return found;
    }
    ~WindowProbes() {
        for (HWND h : Windows())
            ::PostMessageW(h, WM_CLOSE, 0, 0);
        WaitFor([] { return Windows().empty(); });
    }
    static constexpr const wchar_t* kClass = L"HotkeyWindowProbe";
};

TEST_F(DispatchTest, PressesLeaveTheKeyboardOnWhatTheyShowOrWhereItWasAndToggleStartsNoSecondCopy) {
    WindowProbes probes;
    CString program = m_dir.Path() + L"\\window_probe.exe";
    ASSERT_TRUE(CopyProgram(BinDir() + L"\\window_probe.exe", program));
    Assign(L"S2", L"Toggle", L"\"" + program + L"\"");
    m_form.WriteSetting(L"S2", L"IfRunning", L"Toggle");
    Assign(L"S3", L"Front", program);
    m_form.WriteSetting(L"S3", L"IfRunning", L"bringtofront");
    Assign(L"S4", L"Minimized", L"\"" + Probe() + L"\"");
    m_form.WriteSetting(L"S4", L"Window", L"Minimized");
    Assign(L"S5", L"Gone", m_dir.Path() + L"\\gone.exe");
    ASSERT_TRUE(m_form.Start());
    HWND hWnd = nullptr;
    auto inFront = [&] { return !::IsIconic(hWnd) && ::GetForegroundWindow() == hWnd; };

    // Presses that show nothing leave the keyboard on the window the user has in front. Its
    // messages keep flowing, as a program's do, whenever the test waits.
    test::ShownWindow users;
    ::SetForegroundWindow(users.hWnd);
    auto usersInFront = [&] {
        return test::PumpUntil([&] { return ::GetForegroundWindow() == users.hWnd; });
    };
    for (const wchar_t* press : {L"S4", L"S5", L"0x64"}) {
        ASSERT_EQ(Fnkey(press), 0);
        test::Pump(300);
        EXPECT_TRUE(usersInFront()) << Utf8(press);
    }
    EXPECT_EQ(Started(1).size(), 1u);

    ASSERT_EQ(Fnkey(L"S2"), 0);
    ASSERT_TRUE(
        test::PumpUntil([&] { return (hWnd = ::FindWindowW(WindowProbes::kClass, nullptr)); }));
    EXPECT_TRUE(test::PumpUntil(inFront)) << "started";
    ASSERT_EQ(Fnkey(L"S2"), 0);
    EXPECT_TRUE(test::PumpUntil([&] { return ::IsIconic(hWnd) != FALSE; }))
        << "put away when in front";
    EXPECT_TRUE(usersInFront()) << "the window behind takes the keyboard";
    ASSERT_EQ(Fnkey(L"S2"), 0);
    EXPECT_TRUE(test::PumpUntil(inFront)) << "toggled back";

    ::ShowWindow(hWnd, SW_MINIMIZE);
    ASSERT_TRUE(test::PumpUntil([&] { return ::IsIconic(hWnd) != FALSE; }));
    ASSERT_EQ(Fnkey(L"S3"), 0);
    EXPECT_TRUE(test::PumpUntil(inFront)) << "brought to front from the taskbar";
    ASSERT_EQ(Fnkey(L"S3"), 0);
    test::Pump(300);
    EXPECT_TRUE(inFront()) << "bring to front leaves a window in front there";
    EXPECT_EQ(WindowProbes::Windows().size(), 1u);
}

} // namespace
