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
