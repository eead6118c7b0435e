// Every test program fails the running test when the code under test reports a state that
// should never happen.
#include <gtest/gtest.h>

#include "framework/report.h"

namespace {

void FailTheTest(const char* pszCondition, const char* pszFile, int nLine) {
    ADD_FAILURE_AT(pszFile, nLine) << "ReportIf(" << pszCondition << ")";
}

const afx::ReportHandler g_installed = afx::SetReportHandler(&FailTheTest);

} // namespace
