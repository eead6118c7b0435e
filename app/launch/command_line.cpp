// Splitting a command line into its program and its arguments.
#include "app/launch/command_line.h"

void SplitCommandLine(const CString& strCommandLine, CString& strProgram, CString& strArguments) {
    int length = strCommandLine.GetLength();
    int end = 0;
    if (length > 0 && strCommandLine[0] == L'"') {
        int close = strCommandLine.Find(L'"', 1);
        end = close < 0 ? length : close + 1;
        strProgram = strCommandLine.Mid(1, (close < 0 ? length : close) - 1);
    } else {
        while (end < length && !IsBlank(strCommandLine[end]))
            ++end;
        strProgram = strCommandLine.Left(end);
    }
    while (end < length && IsBlank(strCommandLine[end]))
        ++end;
    strArguments = strCommandLine.Mid(end);
}
