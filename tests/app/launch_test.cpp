// The command line handed over for a stored path, on real folders with a planted program.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/launch.h"
#include "temp_dir.h"

namespace {

bool MakeFile(const CString& path) {
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

TEST(CommandLineForPath, QuotesTheLongestProgramPrefixSoAPlantedShorterOneCannotWin) {
    TempDir dir;
    CString tool = dir.MakeDir(L"Program Files\\Tool") + L"\\tool.exe";
    ASSERT_TRUE(MakeFile(tool));
    ASSERT_TRUE(MakeFile(dir.Path() + L"\\Program.exe"));
    CString toolNoExt = tool.Left(tool.GetLength() - 4);
    CString missing = dir.MakeDir(L"Other Dir") + L"\\missing.exe -x";

    struct Case {
        const char* what;
        CString stored;
        CString expected;
    };
    const Case cases[] = {
        {"program alone", tool, L"\"" + tool + L"\""},
        {"program alone, no extension", toolNoExt, L"\"" + toolNoExt + L"\""},
        {"program and arguments", tool + L" -x \"a b\"", L"\"" + tool + L"\" -x \"a b\""},
        {"no extension, arguments", toolNoExt + L" -x", L"\"" + toolNoExt + L"\" -x"},
        {"two blanks before the arguments", tool + L"  -x", L"\"" + tool + L"\"  -x"},
        {"names no file", missing, missing},
        {"already quoted", L"\"" + tool + L"\" -x", L"\"" + tool + L"\" -x"},
        {"no blank", L"tool.exe", L"tool.exe"},
        {"empty", L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::wstring(CommandLineForPath(c.stored).GetString()),
                  std::wstring(c.expected.GetString()))
            << c.what;
    }
}

} // namespace
