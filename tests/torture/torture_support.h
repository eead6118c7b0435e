// What every torture test shares: short or full counts, a repeatable random source, the
// figures a test prints at its end, and the running form's own report of its resources.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/cstring.h"
#include "tests/support/temp_folder.h"
#include "tests/support/form_process.h"

// HOTKEY_TORTURE_LONG=1 asks for the full counts (`make torture`); otherwise the short ones
// keep the default test run within a few minutes.
bool LongRun();
int Count(int nShort, int nLong);

// The generator's seed: HOTKEY_TORTURE_SEED when set, so a failing run can be repeated.
std::uint64_t Seed();

// One line "[figure] ..." on standard output; `make torture` collects these lines.
void Figure(const char* format, ...);

// The form's resources as it measures them itself (figures_report.cpp).
struct FormFigures {
    bool bRead = false;
    double privateKb = 0;
    unsigned long gdi = 0;
    bool bGdiFromHandleTable = false; // the platform kept no count; counted from the table
    unsigned long user = 0;           // 0 where the platform keeps no count
    int windows = 0;
    unsigned long handles = 0;
};

// A running copy of the form that reports its figures on request.
class MeasuredForm : public FormProcess {
public:
    explicit MeasuredForm(const CString& folder);
    ~MeasuredForm();
    // Posted, so it is answered after every message posted before it: also a barrier.
    FormFigures Figures(DWORD ms = 20000) const;

private:
    CString m_strLog;
};

// Whether `after` is within `fraction` of `before` (both ways).
bool Within(double before, double after, double fraction);
// "before -> after (+x %)" for a figure line.
std::string Change(double before, double after);
