// A modal dialog that drives itself: a script of steps run one per timer tick inside its own
// modal loop, so that tests act on a dialog while DoModal runs, as a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "framework/dialog.h"

namespace test {

// Runs its steps once it is shown, each one when the last one is done, then closes with
// IDOK. A wait that times out fails the running test and ends the script.
class CScriptedDialog : public CDialog {
public:
    explicit CScriptedDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // A step that is done as soon as it has run.
    void Then(std::function<void()> step);
    // Fails the test and ends the script when pred does not hold within nTimeout ms.
    void WaitUntil(std::function<bool()> pred, const char* what, int nTimeout = 3000);
    // A pause of nMilliseconds after the step before.
    void Wait(int nMilliseconds);
    // Runs the dialog with its script; false when a wait timed out.
    bool Run();

protected:
    // Starts the script's timer: a derived dialog sets itself up before or after calling it.
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

private:
    struct Step {
        std::function<bool()> run; // true when done
        const char* what;
        int nTimeout;
    };
    std::vector<Step> m_steps;
    size_t m_nStep = 0;
    DWORD m_dwStepStart = 0;
    bool m_bShown = false;
    bool m_bTimedOut = false;
};

} // namespace test
