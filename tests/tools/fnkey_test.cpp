// Drives fnkey.exe against a stand-in THotkeyForm window owned by the test thread and checks
// what arrives there, what fnkey prints and how it exits.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fnkey_support.h"

namespace {

class FnkeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = CreateStandInForm();
        ASSERT_NE(form_, nullptr);
        ASSERT_EQ(FindWindowW(L"THotkeyForm", nullptr), form_)
            << "another THotkeyForm window is open in this Wine session";
        g_deliveries.clear();
        g_reply = 0;
    }
    void TearDown() override {
        if (form_)
            DestroyWindow(form_);
    }

    void expectOnePost(const std::wstring& args, WPARAM code) {
        SCOPED_TRACE("fnkey " + Ascii(args));
        g_deliveries.clear();
        Outcome run = RunFnkey(args);
        EXPECT_EQ(run.exitCode, 0u) << run.err;
        EXPECT_EQ(run.out, "");
        ASSERT_EQ(g_deliveries.size(), 1u);
        EXPECT_EQ(g_deliveries[0].code, code);
        EXPECT_EQ(g_deliveries[0].lParam, 0);
        EXPECT_FALSE(g_deliveries[0].sent);
    }

    HWND form_ = nullptr;
};

TEST_F(FnkeyTest, PostsTheDriverCodesOfNamedKeysInAnyCase) {
    expectOnePost(L"S1", 0x5F);
    expectOnePost(L"s2", 0x60);
    expectOnePost(L"S3", 0x61);
    expectOnePost(L"s4", 0x62);
    expectOnePost(L"S5", 0x63);
}

TEST_F(FnkeyTest, PostsNumericCodesOverTheWhole32BitRange) {
    expectOnePost(L"95", 0x5F);
    expectOnePost(L"0x5F", 0x5F);
    expectOnePost(L"0", 0);
    expectOnePost(L"4294967295", 0xFFFFFFFF);
    expectOnePost(L"0XfFfFfFfF", 0xFFFFFFFF);
}

TEST_F(FnkeyTest, SendPrintsWhatTheWindowAnswers) {
    g_reply = -7;
    Outcome run = RunFnkey(L"S3 --send");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(Trimmed(run.out), "-7");
    ASSERT_EQ(g_deliveries.size(), 1u);
    EXPECT_EQ(g_deliveries[0].code, 0x61u);
    EXPECT_TRUE(g_deliveries[0].sent);
}

TEST_F(FnkeyTest, CountRepeatsTheDelivery) {
    Outcome posted = RunFnkey(L"--count 3 0x62");
    EXPECT_EQ(posted.exitCode, 0u) << posted.err;
    ASSERT_EQ(g_deliveries.size(), 3u);
    for (const Delivery& d : g_deliveries)
        EXPECT_EQ(d.code, 0x62u);

    g_deliveries.clear();
    g_reply = 12;
    Outcome sent = RunFnkey(L"--send S2 --count 2");
    EXPECT_EQ(sent.exitCode, 0u) << sent.err;
    EXPECT_EQ(sent.out, "12\r\n12\r\n");
    EXPECT_EQ(g_deliveries.size(), 2u);
}

TEST_F(FnkeyTest, BadUsageExitsWithTwoAndDeliversNothing) {
    for (const wchar_t* args :
         {L"",        L"S0",         L"S6",           L"S12",          L"F1",
          L"x5F",     L"0x",         L"0x1G",         L"12abc",        L"-1",
          L"+5",      L"4294967296", L"0x100000000",  L"S1 S2",        L"--bogus S1",
          L"--count", L"S1 --count", L"--count 0 S1", L"--count x S1", L"--send"}) {
        SCOPED_TRACE("fnkey " + Ascii(args));
        Outcome run = RunFnkey(args);
        EXPECT_EQ(run.exitCode, 2u);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage"), std::string::npos);
        EXPECT_EQ(Trimmed(run.err).find('\n'), std::string::npos) << "usage is one line";
    }
    EXPECT_TRUE(g_deliveries.empty());
}

TEST_F(FnkeyTest, HelpGoesToStandardOutput) {
    Outcome run = RunFnkey(L"S1 --help");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(run.out.find("usage"), std::string::npos);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(g_deliveries.empty());
}

TEST(FnkeyWithoutForm, SaysSoAndExitsWithOne) {
    ASSERT_EQ(FindWindowW(L"THotkeyForm", nullptr), nullptr);
    Outcome run = RunFnkey(L"S1");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(Trimmed(run.err), "fnkey: no window of class THotkeyForm");
}

} // namespace
