// Checking and applying the format of a progress cell's text.
#include "controls/list/progress_text.h"

#include <cwchar>

namespace {

// Widths and precisions are kept to three digits, so no text grows beyond reason.
constexpr int kMaxFieldDigits = 3;

bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }

// Skips a run of digits; false when it is too long.
bool SkipField(const wchar_t*& p) {
    int n = 0;
    for (; IsDigit(*p); ++p)
        ++n;
    return n <= kMaxFieldDigits;
}

} // namespace

bool IsSingleIntegerFormat(const wchar_t* pszFormat) {
    if (!pszFormat)
        return false;
    int nConversions = 0;
    for (const wchar_t* p = pszFormat; *p; ++p) {
        if (*p != L'%')
            continue;
        ++p;
        if (*p == L'%')
            continue;
        while (*p && std::wcschr(L"-+ #0", *p))
            ++p;
        if (!SkipField(p))
            return false;
        if (*p == L'.') {
            ++p;
            if (!SkipField(p))
                return false;
        }
        if (!*p || !std::wcschr(L"diuoxX", *p))
            return false;
        ++nConversions;
    }
    return nConversions == 1;
}

CString FormatProgressText(const wchar_t* pszFormat, int nPercent) {
    CString text;
    if (pszFormat && *pszFormat && IsSingleIntegerFormat(pszFormat))
        text.Format(pszFormat, nPercent);
    else
        text.Format(L"%d%%", nPercent);
    return text;
}
