// Counts, seed, figures and the measured form for the torture tests.
#include "torture_support.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

CString Environment(const wchar_t* name) {
    wchar_t value[64] = {};
    DWORD n = ::GetEnvironmentVariableW(name, value, 64);
    return n > 0 && n < 64 ? CString(value) : CString();
}

} // namespace

bool LongRun() { return Environment(L"HOTKEY_TORTURE_LONG") == L"1"; }

int Count(int nShort, int nLong) { return LongRun() ? nLong : nShort; }

std::uint64_t Seed() {
    CString value = Environment(L"HOTKEY_TORTURE_SEED");
    return value.IsEmpty() ? 20240611u : std::wcstoull(value, nullptr, 0);
}

void Figure(const char* format, ...) {
    std::printf("[figure] ");
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
    std::fflush(stdout);
}

MeasuredForm::MeasuredForm(const CString& folder) : FormProcess(folder) {
    // The measuring copy runs under the program's own name, so the folder looks as usual.
    CopyProgram(BinDir() + L"\\HotkeyForm_figures.exe", ExePath());
    m_strLog = folder + L"\\figures.log";
    ::SetEnvironmentVariableW(L"HOTKEY_FIGURES_LOG", m_strLog);
}

MeasuredForm::~MeasuredForm() { ::SetEnvironmentVariableW(L"HOTKEY_FIGURES_LOG", nullptr); }

FormFigures MeasuredForm::Figures(DWORD ms) const {
    static const UINT figuresMessage = ::RegisterWindowMessageW(L"HotkeyTortureFigures");
    FormFigures figures;
    ::DeleteFileW(m_strLog);
    HWND form = FindForm();
    if (!form)
        return figures;
    // The queue may be full for a moment after a flood; the request must get in.
    for (DWORD waited = 0; !::PostMessageW(form, figuresMessage, 0, 0); waited += 10) {
        if (waited >= ms)
            return figures;
        ::Sleep(10);
    }
    for (DWORD waited = 0; waited < ms; waited += 20) {
        std::ifstream in(Utf8(m_strLog).c_str());
        int gdiCounted = 0;
        if (in >> figures.privateKb >> figures.gdi >> gdiCounted >> figures.user >>
            figures.windows >> figures.handles) {
            figures.bGdiFromHandleTable = gdiCounted != 0;
            figures.bRead = true;
            return figures;
        }
        ::Sleep(20);
    }
    return figures;
}

bool Within(double before, double after, double fraction) {
    return std::fabs(after - before) <= fraction * before;
}

std::string Change(double before, double after) {
    char text[96] = {};
    std::snprintf(text, sizeof(text), "%.0f -> %.0f (%+.1f %%)", before, after,
                  before ? (after - before) * 100.0 / before : 0.0);
    return text;
}
