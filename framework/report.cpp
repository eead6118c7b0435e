// The report handler behind ReportIf.
#include "framework/report.h"

#include <windows.h>

#include <cstdio>

namespace afx {

namespace {

ReportHandler g_pfnHandler = nullptr;

} // namespace

ReportHandler SetReportHandler(ReportHandler pfnHandler) {
    ReportHandler previous = g_pfnHandler;
    g_pfnHandler = pfnHandler;
    return previous;
}

void Report(const char* pszCondition, const char* pszFile, int nLine) {
    if (g_pfnHandler) {
        g_pfnHandler(pszCondition, pszFile, nLine);
        return;
    }
#ifndef NDEBUG
    char text[512];
    std::snprintf(text, sizeof(text), "%s(%d): ReportIf(%s)\n", pszFile, nLine, pszCondition);
    ::OutputDebugStringA(text);
#endif
}

} // namespace afx
