// Telling the user that a change was refused, and why.
#include "app/form/failure_report.h"

#include <string>

#include "res/resource.h"

CString FailureText(const CString& strWhat, DWORD dwError) {
    wchar_t szReason[512] = {};
    CString strReason;
    if (::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                         dwError, 0, szReason, 512, nullptr))
        strReason = szReason;
    else
        strReason = ResourceString(IDS_ERROR_NUMBER, {std::to_wstring(dwError).c_str()});
    strReason.TrimRight();
    return strWhat + L"\n\n" + strReason;
}

void ShowWarning(HWND hOwner, const CString& strText) {
    ::MessageBoxW(hOwner, strText, ResourceString(IDS_WARNING_CAPTION), MB_OK | MB_ICONWARNING);
}

void ReportFailure(HWND hOwner, const CString& strWhat, DWORD dwError) {
    ShowWarning(hOwner, FailureText(strWhat, dwError));
}
