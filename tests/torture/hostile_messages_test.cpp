// Hostile messages from another process: a long random stream of the form's own messages,
// the list's registered messages, tray commands and anything in the WM_USER range, with
// random parameters. The program must live through it, start a program exactly once per
// valid key code and end with the resources it had.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <random>

#include "app/messages.h"
#include "res/resource.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_finder.h"
#include "torture_support.h"

namespace {

constexpr UINT kTrayIconId = 1;
constexpr WORD kTrayShow = 32775;
constexpr WORD kTrayExit = 32776;
constexpr WORD kTrayAbout = 32778;
constexpr const wchar_t* kRegisteredNames[] = {
    L"WM_XCOMBOLIST_VK_RETURN", L"WM_XCOMBOLIST_VK_ESCAPE",      L"WM_XCOMBOLIST_KEYDOWN",
    L"WM_XCOMBOLIST_LBUTTONUP", L"WM_XLISTCTRL_COMBO_SELECTION", L"WM_XLISTCTRL_CHECKBOX_CLICKED"};

struct Message {
    HWND hTarget;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Which messages leave the random stream. A right press on the tray icon opens the tray menu,
// which waits for a user who never comes; About and Exit as plain commands open a modal box
// or end the program (the endurance test and the form's own tests take those roads). As
// control notifications (a window in lParam and a code of 2 or more) they must do nothing,
// so those stay in.
bool Withheld(const Message& m) {
    if (m.message == WM_TRAY_NOTIFY) {
        auto mouse = static_cast<UINT>(m.lParam);
        return m.wParam == kTrayIconId && (mouse == WM_RBUTTONDOWN || mouse == WM_CONTEXTMENU);
    }
    if (m.message == WM_COMMAND) {
        WORD id = LOWORD(m.wParam);
        bool plainCommand = m.lParam == 0 || HIWORD(m.wParam) == 0;
        return (id == kTrayAbout || id == kTrayExit) && plainCommand;
    }
    return false;
}

bool IsValidKeyCode(const Message& m) {
    return m.message == WM_FN_HOTKEY && m.wParam >= kKeyCodeS1 && m.wParam <= kKeyCodeLast;
}

class HostileStream {
public:
    HostileStream(HWND hForm, HWND hList, std::uint64_t seed)
        : m_hForm(hForm), m_hList(hList), m_random(seed) {
        for (size_t i = 0; i < m_registered.size(); ++i)
            m_registered[i] = ::RegisterWindowMessageW(kRegisteredNames[i]);
    }

    Message Next() {
        std::uint64_t kind = Pick(100);
        if (kind < 30)
            return {m_hForm, WM_FN_HOTKEY, KeyCode(), AnyL()};
        if (kind < 35)
            return {m_hForm, WM_PATH_APPLIED, Any(), AnyL()};
        if (kind < 50)
            return {m_hForm, WM_TRAY_NOTIFY, Pick(2) ? kTrayIconId : Any(), TrayMouse()};
        if (kind < 55)
            return {m_hForm, WM_SHOW_FORM, Any(), AnyL()};
        if (kind < 70) {
            // The list's own messages go to the list as well as to its parent.
            UINT message = m_registered[Pick(m_registered.size())];
            return {Pick(2) ? m_hForm : m_hList, message, Any(), AnyL()};
        }
        if (kind < 80)
            return {m_hForm, WM_COMMAND, TrayCommand(), Pick(3) ? AnyL() : 0};
        return {m_hForm, static_cast<UINT>(WM_USER + Pick(0x8000 - WM_USER)), Any(), AnyL()};
    }

private:
    std::uint64_t Pick(std::uint64_t n) { return m_random() % n; }

    // Parameters as a careless or hostile sender would pass them: anything at all, small
    // numbers, negative ones, pointer-like values and the edges.
    WPARAM Any() {
        switch (Pick(6)) {
        case 0:
            return m_random();
        case 1:
            return Pick(0x10000);
        case 2:
            return static_cast<WPARAM>(-static_cast<INT_PTR>(Pick(0x10000)));
        case 3:
            return 0x10000 + Pick(0x7FFFFFFF0000ull);
        case 4:
            return 0;
        default:
            return ~WPARAM{0};
        }
    }

    // Mostly anything; now and then near the five codes, or a code under high bits that a
    // narrowing comparison would take for a key.
    WPARAM KeyCode() {
        switch (Pick(200)) {
        case 0:
            return 0x5A + Pick(15);
        case 1:
            return (m_random() << 32) | (kKeyCodeS1 + Pick(kDriverKeyCount));
        default:
            return Any();
        }
    }

    LPARAM AnyL() { return static_cast<LPARAM>(Any()); }

    LPARAM TrayMouse() {
        constexpr UINT kMouse[] = {WM_MOUSEMOVE,     WM_LBUTTONDOWN, WM_LBUTTONUP,
                                   WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
                                   WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_CONTEXTMENU};
        if (Pick(3) == 0)
            return static_cast<LPARAM>(Any());
        // Only the low half carries the mouse message; the high half may hold anything.
        return static_cast<LPARAM>((Pick(2) ? m_random() << 32 : 0) | kMouse[Pick(9)]);
    }

    WPARAM TrayCommand() {
        constexpr WORD kIds[] = {kTrayShow, kTrayAbout, kTrayExit};
        return MAKEWPARAM(kIds[Pick(3)], Pick(4) ? 0 : Pick(0x10000)) | (m_random() << 32);
    }

    HWND m_hForm;
    HWND m_hList;
    std::mt19937_64 m_random;
    std::array<UINT, 6> m_registered{};
};

// Visible top-level windows of the process other than the form: a dialog or menu left open.
int OtherVisibleWindows(DWORD pid, HWND hForm) {
    return static_cast<int>(FindWindows({.processId = pid,
                                         .visibleOnly = true,
                                         .accept = [hForm](HWND hWnd) { return hWnd != hForm; }})
                                .size());
}

class HostileMessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
        const CString probe = L"\"" + ProbePath() + L"\"";
        ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ATK0100", L"S1_KEY", REG_SZ,
                          (probe + L" S1").GetString(),
                          static_cast<DWORD>((probe.GetLength() + 4) * sizeof(wchar_t)));
        for (const wchar_t* section : {L"S2", L"S3", L"S4", L"S5"}) {
            m_form.WriteSetting(section, L"DisplayName", section);
            m_form.WriteSetting(section, L"DefaultPath", probe + L" " + section);
        }
    }
    void TearDown() override {
        ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ATK0100", L"S1_KEY");
    }

    TempFolder m_dir;
    ProbeLog m_log{m_dir.Path() + L"\\probe.log"};
    MeasuredForm m_form{m_dir.Path()};
};

TEST_F(HostileMessagesTest, ProgramLivesStartsOnlyForValidCodesAndKeepsItsResources) {
    const int total = Count(10000, 100000);
    // The first twentieth warms up what any first use allocates; the figures start after it.
    const int warmUp = total / 20;
    const std::uint64_t seed = Seed();
    ASSERT_TRUE(m_form.Start());
    HWND hForm = m_form.FindForm();
    HostileStream stream(hForm, ::GetDlgItem(hForm, IDC_KEYLIST), seed);

    int posted = 0, withheld = 0, validCodes = 0, queueFull = 0;
    FormFigures start;
    for (int i = 0; i < total; ++i) {
        if (i == warmUp) {
            m_log.WaitForLines(static_cast<size_t>(validCodes));
            start = m_form.Figures();
            ASSERT_TRUE(start.bRead) << "no figures from the form after " << i << " messages";
        }
        Message m = stream.Next();
        if (Withheld(m)) {
            ++withheld;
            continue;
        }
        validCodes += IsValidKeyCode(m) ? 1 : 0;
        while (!::PostMessageW(m.hTarget, m.message, m.wParam, m.lParam)) {
            ASSERT_TRUE(m_form.IsRunning()) << "the program ended after " << posted << " messages";
            ++queueFull;
            ::Sleep(5);
        }
        ++posted;
        // Now and then the form must catch up, so the queue never holds the whole stream.
        if (posted % 2000 == 0) {
            ASSERT_TRUE(m_form.Figures().bRead) << "no answer after " << posted << " messages";
        }
    }
    auto lines = m_log.WaitForLines(static_cast<size_t>(validCodes), 60000);
    ::Sleep(1000); // room for a start that should not have happened
    lines = m_log.Read();
    FormFigures end = m_form.Figures();

    ASSERT_TRUE(m_form.IsRunning());
    ASSERT_TRUE(end.bRead);
    DWORD_PTR answer = 0;
    EXPECT_TRUE(
        ::SendMessageTimeoutW(hForm, WM_FN_HOTKEY, 0x64, 0, SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_EQ(answer, 1u);
    EXPECT_EQ(OtherVisibleWindows(m_form.ProcessId(), hForm), 0) << "a dialog or menu was left";
    EXPECT_EQ(lines.size(), static_cast<size_t>(validCodes));
    EXPECT_TRUE(Within(start.privateKb, end.privateKb, 0.10));
    EXPECT_TRUE(Within(start.gdi, end.gdi, 0.10));
    EXPECT_TRUE(Within(start.user, end.user, 0.10));
    EXPECT_TRUE(Within(start.windows, end.windows, 0.10));

    Figure("hostile messages: %d posted (seed %llu), %d withheld (right press on the icon, "
           "About/Exit as plain commands), %d waits on a full queue",
           posted, static_cast<unsigned long long>(seed), withheld, queueFull);
    Figure("hostile messages: %d valid key codes posted, %zu programs started", validCodes,
           lines.size());
    Figure("hostile messages: private memory KB %s, GDI objects %s%s, USER objects %s, "
           "windows %s, handles %s (start after %d messages)",
           Change(start.privateKb, end.privateKb).c_str(), Change(start.gdi, end.gdi).c_str(),
           end.bGdiFromHandleTable ? " (from the handle table)" : "",
           Change(start.user, end.user).c_str(), Change(start.windows, end.windows).c_str(),
           Change(start.handles, end.handles).c_str(), warmUp);
}

} // namespace
