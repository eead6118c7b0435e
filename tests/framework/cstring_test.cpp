// CString behaviour the rest of the program leans on.
#include <gtest/gtest.h>

#include "framework/cstring.h"

TEST(CString, FormatTakesWideStringsForPercentS) {
    CString s;
    s.Format(L"%s\\%s", L"C:\\dir", L"Hotkey.ini");
    EXPECT_EQ(s, CString(L"C:\\dir\\Hotkey.ini"));
    s.Format(L"%d%%", 40);
    EXPECT_EQ(s, CString(L"40%"));
}

TEST(CString, FormatHasNoFixedLimit) {
    CString longText(L'x', 5000);
    CString s;
    s.Format(L"[%s]", longText.GetString());
    EXPECT_EQ(s.GetLength(), 5002);
}

TEST(CString, TrimTakesEveryWhiteSpaceCharacterFromTheEndsOnly) {
    CString s(L" \t\r\n\v\f key  name \t ");
    s.TrimRight();
    EXPECT_EQ(s, CString(L" \t\r\n\v\f key  name"));
    s.TrimLeft();
    EXPECT_EQ(s, CString(L"key  name"));
    CString blank(L" \t ");
    EXPECT_TRUE(blank.Trim().IsEmpty());
}

TEST(CString, BufferFilledByThePlatformEndsAtItsFirstNul) {
    CString s;
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    p = s.GetBuffer(10);
    p[1] = L'\0';
    s.ReleaseBuffer(2);
    EXPECT_EQ(s.GetLength(), 2);
    EXPECT_EQ(s[1], L'\0');
}

TEST(CString, OutOfRangeArgumentsClampInsteadOfFailing) {
    CString s(L"C:\\dir\\file.exe");
    EXPECT_EQ(s.Left(100), s);
    EXPECT_EQ(s.Mid(100), CString());
    EXPECT_EQ(s.Mid(-5, 2), CString(L"C:"));
    EXPECT_EQ(s.Find(L'\\', 100), -1);
    EXPECT_EQ(s.ReverseFind(L'\\'), 6);
    CString d = s;
    EXPECT_EQ(d.Delete(6, 100), 6);
    EXPECT_EQ(d, CString(L"C:\\dir"));
    EXPECT_EQ(CString(L"ABC").CompareNoCase(L"abc"), 0);
    EXPECT_NE(CString(L"ABC").Compare(L"abc"), 0);
}
