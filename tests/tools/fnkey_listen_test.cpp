// fnkey --listen under real key presses: SendInput puts the combinations into the system's
// input queue, fnkey's global hotkeys catch them, and the codes must arrive at the stand-in
// THotkeyForm window of this test as the driver would deliver them.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "fnkey_support.h"
#include "tests/support/desktop.h"

namespace {

constexpr WPARAM kNothing = ~WPARAM(0);

struct Press {
    const char* keys;
    std::initializer_list<WORD> vks;
    WPARAM code; // kNothing when the press must deliver nothing
};

class FnkeyListenTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = CreateStandInForm();
        ASSERT_NE(form_, nullptr);
        g_deliveries.clear();
    }
    void TearDown() override {
        if (form_)
            DestroyWindow(form_);
    }

    // Presses each row's keys and checks that exactly its code, or nothing, reaches the form.
    void expectPresses(std::initializer_list<Press> presses) {
        for (const Press& press : presses) {
            SCOPED_TRACE(press.keys);
            g_deliveries.clear();
            PressKeys(press.vks);
            if (press.code == kNothing) {
                // Long enough for a delivery that does come to arrive.
                WaitForDeliveries(1, 500);
                EXPECT_TRUE(g_deliveries.empty());
                continue;
            }
            ASSERT_TRUE(WaitForDeliveries(1));
            WaitForDeliveries(2, 100); // a press delivers once
            ASSERT_EQ(g_deliveries.size(), 1u);
            EXPECT_EQ(g_deliveries[0].window, form_);
            EXPECT_EQ(g_deliveries[0].code, press.code);
            EXPECT_EQ(g_deliveries[0].lParam, 0);
            EXPECT_FALSE(g_deliveries[0].sent);
        }
    }

    HWND form_ = nullptr;
};

TEST_F(FnkeyListenTest, CtrlAltF1ToF5DeliverS1ToS5) {
    ListeningFnkey fnkey(L"");
    ASSERT_TRUE(fnkey.WaitUntilListening()) << fnkey.Err();
    expectPresses({
        {"Ctrl+Alt+F1", {VK_CONTROL, VK_MENU, VK_F1}, 0x5F},
        {"Ctrl+Alt+F2", {VK_CONTROL, VK_MENU, VK_F2}, 0x60},
        {"Ctrl+Alt+F3", {VK_CONTROL, VK_MENU, VK_F3}, 0x61},
        {"Ctrl+Alt+F4", {VK_CONTROL, VK_MENU, VK_F4}, 0x62},
        {"Ctrl+Alt+F5", {VK_CONTROL, VK_MENU, VK_F5}, 0x63},
        {"Ctrl+Alt+F6", {VK_CONTROL, VK_MENU, VK_F6}, kNothing},
        {"Ctrl+F1", {VK_CONTROL, VK_F1}, kNothing},
    });
}

TEST_F(FnkeyListenTest, KeyOptionRebindsACodeOrAddsOne) {
    ListeningFnkey fnkey(L"--key s2=Win+F2 --key 0x64=shift+z --key S5=Ctrl+Alt+Shift+F24");
    ASSERT_TRUE(fnkey.WaitUntilListening()) << fnkey.Err();
    EXPECT_NE(fnkey.Out().find("S2=Win+F2"), std::string::npos) << fnkey.Out();
    expectPresses({
        {"Win+F2", {VK_LWIN, VK_F2}, 0x60},
        {"Ctrl+Alt+F2", {VK_CONTROL, VK_MENU, VK_F2}, kNothing},
        {"Shift+Z", {VK_SHIFT, 'Z'}, 0x64},
        {"Ctrl+Alt+Shift+F24", {VK_CONTROL, VK_MENU, VK_SHIFT, VK_F24}, 0x63},
        {"Ctrl+Alt+F3", {VK_CONTROL, VK_MENU, VK_F3}, 0x61},
    });
}

TEST_F(FnkeyListenTest, FindsTheWindowAgainAtEachPress) {
    ListeningFnkey fnkey(L"");
    ASSERT_TRUE(fnkey.WaitUntilListening()) << fnkey.Err();
    expectPresses({{"Ctrl+Alt+F1", {VK_CONTROL, VK_MENU, VK_F1}, 0x5F}});

    DestroyWindow(form_);
    form_ = nullptr;
    PressKeys({VK_CONTROL, VK_MENU, VK_F2});
    ASSERT_TRUE(WaitFor([&] { return fnkey.Err().find("no window") != std::string::npos; }))
        << "a press without a form is reported and fnkey keeps listening";

    form_ = CreateStandInForm();
    expectPresses({{"Ctrl+Alt+F3", {VK_CONTROL, VK_MENU, VK_F3}, 0x61}});
}

TEST_F(FnkeyListenTest, KeyTakenByAnotherProgramExitsWithThreeAndOneLine) {
    struct {
        const wchar_t* args;
        UINT modifiers, vk;
        const char* message;
    } cases[] = {
        {L"", MOD_CONTROL | MOD_ALT, VK_F3,
         "fnkey: Ctrl+Alt+F3 (S3) is already taken by another program"},
        {L"--key S2=Win+F2", MOD_WIN, VK_F2,
         "fnkey: Win+F2 (S2) is already taken by another program"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Ascii(c.args));
        ASSERT_TRUE(RegisterHotKey(nullptr, 1, c.modifiers, c.vk));
        ListeningFnkey fnkey(c.args);
        bool exited = fnkey.WaitForExit();
        UnregisterHotKey(nullptr, 1);
        ASSERT_TRUE(exited);
        EXPECT_EQ(fnkey.ExitCode(), 3u);
        EXPECT_EQ(Trimmed(fnkey.Err()), c.message);
        EXPECT_EQ(fnkey.Out(), "") << "it never claims to listen";
    }
}

TEST_F(FnkeyListenTest, StopsCleanlyWhenTold) {
    // Ctrl+C goes to every process attached to fnkey's console: this one ignores it meanwhile.
    auto ctrlC = [](ListeningFnkey& fnkey) {
        SetConsoleCtrlHandler(nullptr, TRUE);
        FreeConsole();
        bool sent = AttachConsole(fnkey.ProcessId()) && GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
        FreeConsole();
        SetConsoleCtrlHandler(nullptr, FALSE);
        return sent;
    };
    struct {
        const char* how;
        DWORD creationFlags;
        std::function<bool(ListeningFnkey&)> stop;
    } ways[] = {
        {"stop event", 0,
         [](ListeningFnkey& fnkey) {
             fnkey.Stop();
             return true;
         }},
        {"WM_QUIT", 0,
         [](ListeningFnkey& fnkey) {
             return PostThreadMessageW(fnkey.ThreadId(), WM_QUIT, 0, 0) != FALSE;
         }},
        {"WM_CLOSE", 0,
         [](ListeningFnkey& fnkey) {
             return PostThreadMessageW(fnkey.ThreadId(), WM_CLOSE, 0, 0) != FALSE;
         }},
        {"Ctrl+C", CREATE_NEW_CONSOLE, ctrlC},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        ListeningFnkey fnkey(L"", way.creationFlags);
        ASSERT_TRUE(fnkey.WaitUntilListening()) << fnkey.Err();
        ASSERT_TRUE(way.stop(fnkey)) << GetLastError();
        ASSERT_TRUE(fnkey.WaitForExit());
        EXPECT_EQ(fnkey.ExitCode(), 0u);
        EXPECT_EQ(fnkey.Err(), "");
    }
}

TEST(FnkeyListenUsage, BadListenArgumentsExitWithTwo) {
    for (const wchar_t* args : {
             L"--listen S1",
             L"--listen --send",
             L"--key S2=Ctrl+F2 S2",
             L"--listen --key S2",
             L"--listen --key S6=Ctrl+F2",
             L"--listen --key S2=Ctrl+",
             L"--listen --key S2=Hyper+F2",
             L"--listen --key S2=F25",
             L"--listen --key S2=Ctrl+Alt+F1", // S1 keeps that combination
             L"--listen --stop-event",
         }) {
        SCOPED_TRACE(Ascii(args));
        Outcome run = RunFnkey(args);
        EXPECT_EQ(run.exitCode, 2u);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage"), std::string::npos);
    }
}

} // namespace
