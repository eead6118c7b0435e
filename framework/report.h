// ReportIf: a check for states that should never happen. It reports through a handler that
// the tests install, so the mistake fails the test that caused it; without a handler a
// debug build writes it to the debugger, and a release build stays silent. The program
// always carries on, as it would without the check.
#pragma once

namespace afx {

using ReportHandler = void (*)(const char* pszCondition, const char* pszFile, int nLine);

// Installs the handler and returns the previous one.
ReportHandler SetReportHandler(ReportHandler pfnHandler);
void Report(const char* pszCondition, const char* pszFile, int nLine);

} // namespace afx

// Evaluates to the condition, so it can guard the code that copes with the state.
#define ReportIf(condition)                                                                        \
    ((condition) ? (::afx::Report(#condition, __FILE__, __LINE__), true) : false)
