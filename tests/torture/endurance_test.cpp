// Long use of one running program: the About box and the program path dialog opened and
// closed hundreds of times, and a thousand key presses. Its objects and private memory must
// come back to where they were.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/messages.h"
#include "tests/support/form_driver.h"
#include "tests/support/desktop.h"
#include "tests/support/temp_folder.h"
#include "torture_support.h"

namespace {

constexpr UINT kAboutCommand = 0x0010;
// Presses are let through in groups, so the started programs never pile up.
constexpr int kPressGroup = 20;

class EnduranceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
        m_form.WriteSetting(L"S2", L"DisplayName", L"Two");
        m_form.WriteSetting(L"S2", L"DefaultPath", L"\"" + ProbePath() + L"\" two");
        ASSERT_TRUE(m_form.Start());
        m_hForm = m_form.FindForm();
        ASSERT_TRUE(ShowForm(m_hForm));
    }

    bool AboutCycle() const {
        ::PostMessageW(m_hForm, WM_SYSCOMMAND, kAboutCommand, 0);
        HWND hAbout = nullptr;
        if (!WaitFor([&] { return (hAbout = FindDialog(m_form.ProcessId(), m_hForm)); }))
            return false;
        return CancelAndWait(hAbout);
    }

    // Alternate ends of the row, so that the first click of a cycle never pairs with the
    // last click of the one before into a double click.
    bool PathDialogCycle(int nCycle) const {
        HWND hDialog = OpenRow(m_form.ProcessId(), m_hForm, 0, nCycle % 2 ? 120 : -120);
        return hDialog && CancelAndWait(hDialog);
    }

    bool Presses(int n) {
        for (int done = 0; done < n; done += kPressGroup) {
            for (int i = 0; i < kPressGroup && done + i < n; ++i)
                ::PostMessageW(m_hForm, WM_FN_HOTKEY, 0x60, 0);
            size_t expected = m_started + static_cast<size_t>(std::min(kPressGroup, n - done));
            if (m_log.WaitForLines(expected, 30000).size() < expected)
                return false;
            m_started = expected;
        }
        return true;
    }

    void ExpectBack(const char* what, const FormFigures& start, const FormFigures& now) const {
        ASSERT_TRUE(now.bRead) << what;
        EXPECT_TRUE(Within(start.privateKb, now.privateKb, 0.10)) << what;
        EXPECT_EQ(now.gdi, start.gdi) << what;
        EXPECT_EQ(now.user, start.user) << what;
        EXPECT_EQ(now.windows, start.windows) << what;
        Figure("endurance, %s: private memory KB %s, GDI objects %s, USER objects %s, "
               "windows %s, handles %s",
               what, Change(start.privateKb, now.privateKb).c_str(),
               Change(start.gdi, now.gdi).c_str(), Change(start.user, now.user).c_str(),
               Change(start.windows, now.windows).c_str(),
               Change(start.handles, now.handles).c_str());
    }

    TempFolder m_dir;
    ProbeLog m_log{m_dir.Path() + L"\\probe.log"};
    MeasuredForm m_form{m_dir.Path()};
    HWND m_hForm = nullptr;
    size_t m_started = 0;
};

TEST_F(EnduranceTest, DialogsAndPressesLeaveObjectsAndMemoryWhereTheyWere) {
    const int cycles = Count(50, 500);
    const int presses = Count(100, 1000);
    // One of each first: what a first use loads stays loaded and is no leak.
    ASSERT_TRUE(AboutCycle());
    ASSERT_TRUE(PathDialogCycle(0));
    ASSERT_TRUE(Presses(kPressGroup));
    const FormFigures start = m_form.Figures();
    ASSERT_TRUE(start.bRead);

    for (int i = 0; i < cycles; ++i)
        ASSERT_TRUE(AboutCycle()) << "About box, cycle " << i;
    ExpectBack("after the About box", start, m_form.Figures());

    for (int i = 0; i < cycles; ++i)
        ASSERT_TRUE(PathDialogCycle(i + 1)) << "path dialog, cycle " << i;
    ExpectBack("after the path dialog", start, m_form.Figures());

    ASSERT_TRUE(Presses(presses));
    ExpectBack("after the presses", start, m_form.Figures());
    Figure("endurance: %d About boxes, %d path dialogs, %d presses (%zu programs started)", cycles,
           cycles, presses, m_started - kPressGroup);
}

} // namespace
