// The self-driving modal dialog of the tests.
#include "tests/support/scripted_dialog.h"

#include <gtest/gtest.h>

#include <utility>

namespace test {

namespace {

constexpr UINT_PTR kScriptTimer = 9001;
constexpr UINT kScriptInterval = 20;

} // namespace

BEGIN_MESSAGE_MAP(CScriptedDialog, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

CScriptedDialog::CScriptedDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd) {}

void CScriptedDialog::Then(std::function<void()> step) {
    m_steps.push_back({[step = std::move(step)] {
                           step();
                           return true;
                       },
                       "step", 0});
}

void CScriptedDialog::WaitUntil(std::function<bool()> pred, const char* what, int nTimeout) {
    m_steps.push_back({std::move(pred), what, nTimeout});
}

void CScriptedDialog::Wait(int nMilliseconds) {
    m_steps.push_back({[this, nMilliseconds] {
                           return static_cast<int>(::GetTickCount() - m_dwStepStart) >=
                                  nMilliseconds;
                       },
                       "pause", nMilliseconds + 5000});
}

bool CScriptedDialog::Run() {
    DoModal();
    return !m_bTimedOut;
}

BOOL CScriptedDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetTimer(kScriptTimer, kScriptInterval);
    return TRUE;
}

void CScriptedDialog::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kScriptTimer)
        return;
    // A modal dialog shows itself only when its queue first runs dry: on a busy machine the
    // timer comes first, and a step's real input must not go to a window not yet shown.
    if (!IsWindowVisible())
        return;
    if (!m_bShown) {
        m_bShown = true;
        m_dwStepStart = ::GetTickCount();
    }
    // Stopped while a step runs, in case the step runs a loop of its own.
    KillTimer(kScriptTimer);
    if (m_nStep < m_steps.size()) {
        if (m_steps[m_nStep].run()) {
            ++m_nStep;
            m_dwStepStart = ::GetTickCount();
        } else if (static_cast<int>(::GetTickCount() - m_dwStepStart) > m_steps[m_nStep].nTimeout) {
            ADD_FAILURE() << "timed out waiting for: " << m_steps[m_nStep].what;
            m_bTimedOut = true;
            m_nStep = m_steps.size();
        }
    }
    if (m_nStep >= m_steps.size())
        EndDialog(IDOK);
    else
        SetTimer(kScriptTimer, kScriptInterval);
}

} // namespace test
