// One instance per session: the named mutex, the class the driver finds, and ending.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/support/desktop.h"
#include "tests/support/form_process.h"
#include "tests/support/temp_folder.h"

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
    }
    TempFolder m_dir;
};

TEST_F(SingleInstanceTest, FormIsFoundByClassWhileHidden) {
    FormProcess form(m_dir.Path());
    ASSERT_TRUE(form.Start());
    HWND found = ::FindWindowW(L"THotkeyForm", nullptr);
    EXPECT_EQ(found, form.FindForm());
    EXPECT_FALSE(::IsWindowVisible(found));
    wchar_t title[32] = {};
    ::GetWindowTextW(found, title, 32);
    EXPECT_STREQ(title, L"HotkeyForm");
    // The driver also finds it by the title alone.
    EXPECT_EQ(::FindWindowW(nullptr, L"HotkeyForm"), found);
}

TEST_F(SingleInstanceTest, ASecondStartByTheSystemExitsAtOnceAndTheFirstIsUndisturbed) {
    FormProcess first(m_dir.Path());
    ASSERT_TRUE(first.Start());
    HWND form = first.FindForm();

    TempFolder other;
    FormProcess second(other.Path());
    ASSERT_TRUE(second.Launch(L"/autostart"));
    ASSERT_TRUE(second.WaitForExit(5000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(second.FindForm(), nullptr);

    EXPECT_TRUE(first.IsRunning());
    EXPECT_EQ(first.FindForm(), form);
    EXPECT_FALSE(::IsWindowVisible(form));
    std::string out;
    EXPECT_EQ(Fnkey(L"--send 0x64", &out), 0);
    EXPECT_EQ(out.substr(0, 1), "1");
}

TEST_F(SingleInstanceTest, AMarkerRefusedToThisUserMeansAnInstanceRuns) {
    // An instance running elevated or under another account holds a marker this user may not
    // open; an access list that grants nothing stands for it.
    SECURITY_DESCRIPTOR sd{};
    ACL acl{};
    ASSERT_TRUE(::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(::InitializeAcl(&acl, sizeof(acl), ACL_REVISION));
    ASSERT_TRUE(::SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE));
    SECURITY_ATTRIBUTES sa{sizeof(sa), &sd, FALSE};
    CKernelObject held(::CreateMutexW(&sa, FALSE, L"HotkeyForm"));
    ASSERT_TRUE(held);
    CKernelObject refused(::CreateMutexW(nullptr, TRUE, L"HotkeyForm"));
    ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    FormProcess form(m_dir.Path());
    ASSERT_TRUE(form.Launch(L"/autostart"));
    ASSERT_TRUE(form.WaitForExit(10000));
    EXPECT_EQ(form.ExitCode(), 0u);
    EXPECT_EQ(FindAnyForm(), nullptr);
}

TEST_F(SingleInstanceTest, TenStartsAtTheSameMomentLeaveExactlyOne) {
    std::vector<std::unique_ptr<TempFolder>> dirs;
    std::vector<std::unique_ptr<FormProcess>> forms;
    for (int i = 0; i < 10; ++i) {
        dirs.push_back(std::make_unique<TempFolder>());
        forms.push_back(std::make_unique<FormProcess>(dirs.back()->Path()));
    }
    for (auto& form : forms)
        ASSERT_TRUE(form->Launch());

    // Whoever got past the mutex shows a form; every other one ends on its own.
    auto running = [&] {
        return std::count_if(forms.begin(), forms.end(),
                             [](auto& form) { return form->IsRunning(); });
    };
    WaitFor([&] { return running() == 1 && FindAnyForm(); }, 10000);
    EXPECT_EQ(running(), 1);
    int withForm = 0;
    for (auto& form : forms)
        withForm += form->FindForm() ? 1 : 0;
    EXPECT_EQ(withForm, 1);
}

TEST_F(SingleInstanceTest, AfterTheEndTheNameIsFreeAndANewStartRuns) {
    {
        FormProcess form(m_dir.Path());
        ASSERT_TRUE(form.Start());
        HANDLE held = ::OpenMutexW(SYNCHRONIZE, FALSE, L"HotkeyForm");
        EXPECT_NE(held, nullptr);
        if (held)
            ::CloseHandle(held);
        form.Close();
        ASSERT_TRUE(form.WaitForExit(5000));
        EXPECT_EQ(::OpenMutexW(SYNCHRONIZE, FALSE, L"HotkeyForm"), nullptr);
    }
    FormProcess again(m_dir.Path());
    EXPECT_TRUE(again.Start());
}

TEST_F(SingleInstanceTest, AnotherProgramsCloseEndsTheHiddenProgram) {
    FormProcess form(m_dir.Path());
    ASSERT_TRUE(form.Start());
    ::PostMessageW(form.FindForm(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.WaitForExit(5000));
}

} // namespace
