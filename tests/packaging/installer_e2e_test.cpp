// The Windows Installer package under the platform's own msiexec: what an install puts where,
// the start at logon and at the end of an install with a user interface, an upgrade over an
// edited settings file by a build that really differs, a refused downgrade, the machine's Run
// value left out, uninstall.
#include <gtest/gtest.h>

#include <windows.h>

#include <msi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "framework/shell_folder.h"
#include "hotkey_version.h"
#include "tests/support/temp_folder.h"
#include "tests/support/desktop.h"
#include "tests/support/form_process.h"

namespace {

const wchar_t kUpgradeCode[] = L"{F2E63DB0-4703-4C50-AA90-C879EA176EC9}";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

CString InstallDir() { return AfxGetKnownFolderPath(FOLDERID_ProgramFiles) + L"\\KESTO Hotkey"; }
CString UserDir() { return AfxGetKnownFolderPath(FOLDERID_LocalAppData) + L"\\KESTO Hotkey"; }
bool Exists(const CString& path) { return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }
// The Start-menu shortcut, in the machine's Start menu or in the user's, where Wine puts it.
bool ShortcutExists() {
    return Exists(AfxGetKnownFolderPath(FOLDERID_CommonPrograms) + L"\\KESTO Hotkey.lnk") ||
           Exists(AfxGetKnownFolderPath(FOLDERID_Programs) + L"\\KESTO Hotkey.lnk");
}

// msiexec's exit code for one run, quiet unless told otherwise; the build packs the packages
// beside the programs.
int Msiexec(const CString& verb, const CString& target, const CString& options = L"/qn") {
    return RunAndWait(L"msiexec " + verb + L" \"" + target + L"\" " + options, nullptr, 60000);
}
CString Package(const wchar_t* name) { return BinDir() + L"\\..\\test-packages\\" + name; }

// Every installed product of the upgrade code, as the installer itself finds them.
std::vector<CString> Products() {
    std::vector<CString> codes;
    wchar_t code[39];
    for (DWORD i = 0; ::MsiEnumRelatedProductsW(kUpgradeCode, 0, i, code) == ERROR_SUCCESS; ++i)
        codes.emplace_back(code);
    return codes;
}
CString ProductInfo(const CString& code, const wchar_t* property) {
    wchar_t text[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    ::MsiGetProductInfoW(code, property, text, &size);
    return text;
}
std::string RegText(const CString& key, const wchar_t* name) {
    wchar_t text[MAX_PATH] = {};
    DWORD size = sizeof(text);
    ::RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, text, &size);
    return Utf8(text);
}

// Each test starts from no product and leaves none, nor the program it had started, nor the
// user's settings, however it ends.
class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clean();
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
    }
    void TearDown() override { Clean(); }
    void Clean() {
        if (CKernelObject process{::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, m_pid)}) {
            ::TerminateProcess(process, 1);
            ::WaitForSingleObject(process, 5000);
        }
        for (const CString& code : Products())
            Msiexec(L"/x", code);
        ::DeleteFileW(UserDir() + L"\\Hotkey.ini");
    }
    DWORD m_pid = 0;
};

TEST_F(InstallerTest, InstallPutsEveryPieceInPlaceAndLogonStartsTheProgramHidden) {
    ASSERT_EQ(Msiexec(L"/i", Package(L"high.msi")), 0);
    ::Sleep(1000);
    EXPECT_EQ(FindAnyForm(), nullptr) << "a silent install started the program";
    for (const wchar_t* file : {L"HotkeyForm.exe", L"fnkey.exe", L"Hotkey.ini", L"README.txt"})
        EXPECT_TRUE(Exists(InstallDir() + L"\\" + file)) << Utf8(file);
    CString exe = InstallDir() + L"\\HotkeyForm.exe";
    EXPECT_EQ(RegText(kRunKey, L"KESTO Hotkey"), Utf8(L"\"" + exe + L"\" /autostart"));
    EXPECT_TRUE(ShortcutExists());

    std::vector<CString> products = Products();
    ASSERT_EQ(products.size(), 1u);
    CString entry = kUninstallKey + products[0];
    EXPECT_EQ(RegText(entry, L"DisplayName"), "KESTO Hotkey");
    EXPECT_EQ(RegText(entry, L"DisplayVersion"), HOTKEY_VERSION_STRING);
    EXPECT_EQ(RegText(entry, L"Publisher"), "KESTO");
    EXPECT_EQ(RegText(entry, L"InstallLocation").rfind(Utf8(InstallDir()), 0), 0u);
    EXPECT_TRUE(Exists(ProductInfo(products[0], INSTALLPROPERTY_PRODUCTICON)));

    // A logon runs the machine's Run values.
    ASSERT_EQ(RunAndWait(L"wineboot.exe", nullptr, 60000), 0);
    HWND form = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (form = FindAnyForm()) != nullptr; }, 20000));
    ::GetWindowThreadProcessId(form, &m_pid);
    CKernelObject process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, m_pid));
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    ::QueryFullProcessImageNameW(process, 0, image, &size);
    EXPECT_EQ(exe.CompareNoCase(image), 0) << Utf8(image);
    EXPECT_TRUE(WaitForTrayIcons(1, 10000));
    EXPECT_FALSE(::IsWindowVisible(form));
}

TEST_F(InstallerTest, UpgradeKeepsTheEditedSettingsAsOneProductAndADowngradeIsRefused) {
    ASSERT_EQ(Msiexec(L"/i", Package(L"low.msi")), 0);
    CString ini = InstallDir() + L"\\Hotkey.ini";
    ASSERT_TRUE(::WritePrivateProfileStringW(L"S2", L"DefaultPath", L"C:\\mine.exe", ini));

    ASSERT_EQ(Msiexec(L"/i", Package(L"high.msi")), 0);
    wchar_t path[MAX_PATH] = {};
    ::GetPrivateProfileStringW(L"S2", L"DefaultPath", L"", path, MAX_PATH, ini);
    EXPECT_STREQ(path, L"C:\\mine.exe");
    ASSERT_EQ(Products().size(), 1u);
    CString product = Products()[0];
    EXPECT_EQ(Utf8(ProductInfo(product, INSTALLPROPERTY_VERSIONSTRING)), HOTKEY_VERSION_STRING);

    EXPECT_EQ(Msiexec(L"/i", Package(L"low.msi")), ERROR_INSTALL_FAILURE);
    ASSERT_EQ(Products().size(), 1u);
    EXPECT_EQ(Products()[0], product);
}

// The next build of this version, installed with a user interface: its programs replace the
// installed ones, the edited settings stay, and the program starts once the install is done.
TEST_F(InstallerTest, TheNextBuildReplacesTheProgramsKeepsTheSettingsAndStartsTheProgram) {
    ASSERT_EQ(Msiexec(L"/i", Package(L"high.msi")), 0);
    CString first = Products().at(0);
    CString ini = InstallDir() + L"\\Hotkey.ini";
    ASSERT_TRUE(::WritePrivateProfileStringW(L"S2", L"DefaultPath", L"C:\\mine.exe", ini));

    ASSERT_EQ(Msiexec(L"/i", Package(L"next.msi"), L"/qr"), 0);
    ASSERT_EQ(Products().size(), 1u);
    EXPECT_NE(Products()[0], first);
    for (const wchar_t* program : {L"HotkeyForm.exe", L"fnkey.exe"}) {
        std::string installed = FileBytes(InstallDir() + L"\\" + program);
        EXPECT_TRUE(installed == FileBytes(Package(L"next\\") + program)) << Utf8(program);
        EXPECT_FALSE(installed == FileBytes(BinDir() + L"\\" + program)) << Utf8(program);
    }
    wchar_t path[MAX_PATH] = {};
    ::GetPrivateProfileStringW(L"S2", L"DefaultPath", L"", path, MAX_PATH, ini);
    EXPECT_STREQ(path, L"C:\\mine.exe");

    HWND form = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (form = FindAnyForm()) != nullptr; }, 20000));
    ::GetWindowThreadProcessId(form, &m_pid);
    EXPECT_TRUE(WaitForTrayIcons(1, 10000));
}

// AUTOSTART=0 leaves out the machine's Run value; an upgrade that is not told keeps that
// choice, one that is told otherwise changes it.
TEST_F(InstallerTest, AutostartZeroLeavesOutTheRunValueAndUpgradesRememberIt) {
    ASSERT_EQ(Msiexec(L"/i", Package(L"low.msi"), L"/qn AUTOSTART=0"), 0);
    EXPECT_EQ(RegText(kRunKey, L"KESTO Hotkey"), "");
    ASSERT_EQ(Msiexec(L"/i", Package(L"high.msi")), 0);
    EXPECT_EQ(RegText(kRunKey, L"KESTO Hotkey"), "");
    ASSERT_EQ(Msiexec(L"/i", Package(L"next.msi"), L"/qn AUTOSTART=1"), 0);
    EXPECT_NE(RegText(kRunKey, L"KESTO Hotkey"), "");
    ASSERT_EQ(Products().size(), 1u);
}

TEST_F(InstallerTest, UninstallLeavesNothingButTheUsersSettings) {
    ASSERT_EQ(Msiexec(L"/i", Package(L"high.msi")), 0);
    ::SHCreateDirectoryExW(nullptr, UserDir(), nullptr);
    ASSERT_TRUE(::CopyFileW(InstallDir() + L"\\Hotkey.ini", UserDir() + L"\\Hotkey.ini", FALSE));
    CString code = Products().at(0);

    ASSERT_EQ(Msiexec(L"/x", code), 0);
    EXPECT_FALSE(Exists(InstallDir()));
    EXPECT_EQ(RegText(kRunKey, L"KESTO Hotkey"), "");
    EXPECT_FALSE(ShortcutExists());
    EXPECT_TRUE(Products().empty());
    EXPECT_EQ(RegText(kUninstallKey + code, L"DisplayName"), "");
    EXPECT_TRUE(Exists(UserDir() + L"\\Hotkey.ini"));
}

} // namespace
