// The file dialog the browse button runs: its filter in the platform's form, the walk over
// one or several chosen paths, never reading past the buffer the dialog was given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/file_dialog.h"

namespace {

std::vector<std::wstring> ChosenPaths(const CFileDialog& dlg) {
    std::vector<std::wstring> paths;
    for (POSITION pos = dlg.GetStartPosition(); pos;)
        paths.push_back(dlg.GetNextPathName(pos).str());
    return paths;
}

TEST(FileDialog, FilterBecomesNulSeparatedWithADoubleNulAtTheEndHoweverTheListEnds) {
    const struct {
        const wchar_t* list;
        std::wstring expected; // what the platform reads, up to and with the double NUL
    } cases[] = {
        {L"Execute Files (*.exe)|*.exe|All|*.*||",
         std::wstring(L"Execute Files (*.exe)\0*.exe\0All\0*.*\0\0", 37)},
        {L"Execute Files (*.exe)|*.exe|", std::wstring(L"Execute Files (*.exe)\0*.exe\0\0", 29)},
        {L"Execute Files (*.exe)|*.exe", std::wstring(L"Execute Files (*.exe)\0*.exe\0\0", 29)},
    };
    for (const auto& c : cases) {
        CFileDialog dlg(TRUE, nullptr, nullptr, 0, c.list);
        const std::wstring& filter = dlg.GetFilterBuffer();
        ASSERT_EQ(dlg.m_ofn.lpstrFilter, filter.c_str());
        std::wstring withTerminator(filter.c_str(), filter.size() + 1);
        size_t end = withTerminator.find(std::wstring(2, L'\0'));
        ASSERT_NE(end, std::wstring::npos) << c.list;
        EXPECT_EQ(withTerminator.substr(0, end + 2), c.expected) << c.list;
        EXPECT_EQ(dlg.m_ofn.lStructSize, sizeof(OPENFILENAMEW));
    }
}

TEST(FileDialog, WalksOneOrSeveralChosenPathsWithinTheBuffer) {
    struct Case {
        std::wstring buffer; // as the dialog leaves it
        DWORD nMaxFile;
        std::vector<std::wstring> expected;
    } cases[] = {
        {std::wstring(L"C:\\dir\\a.txt\0", 13), 13, {L"C:\\dir\\a.txt"}},
        {std::wstring(L"C:\\dir\0a.txt\0b.txt\0\0", 20),
         20,
         {L"C:\\dir\\a.txt", L"C:\\dir\\b.txt"}},
        {std::wstring(L"C:\\\0a.txt\0b.txt\0\0", 17), 17, {L"C:\\a.txt", L"C:\\b.txt"}},
        {L"", 4, {}},
        // A buffer the platform filled to the end without a NUL is not read past its end.
        {L"C:\\abcdefghij", 8, {L"C:\\abcde"}},
        {std::wstring(L"C:\\dir\0a.txt\0b.tx", 17), 17, {L"C:\\dir\\a.txt", L"C:\\dir\\b.tx"}},
    };
    for (const Case& c : cases) {
        CFileDialog dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_EXPLORER);
        std::wstring buffer = c.buffer;
        dlg.m_ofn.lpstrFile = buffer.data();
        dlg.m_ofn.nMaxFile = c.nMaxFile;
        EXPECT_EQ(ChosenPaths(dlg), c.expected);
    }
}

} // namespace
