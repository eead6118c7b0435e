// A notification area for CTrayDialog::s_pfnShellNotifyIcon that says no as a slow shell does:
// it refuses the first adds, may carry out a refused one all the same, and may refuse deletes.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

struct TrayShellModel {
    int nRefusedAdds = 0;  // adds still to refuse
    bool bLateAdd = false; // the first refused add puts the icon in after all
    bool bRefuseDeletes = false;
    bool bIconIn = false;
    std::vector<DWORD> calls;

    static TrayShellModel& Get() {
        static TrayShellModel model;
        return model;
    }
    void Reset(int refusedAdds, bool lateAdd, bool refuseDeletes = false) {
        *this = TrayShellModel();
        nRefusedAdds = refusedAdds;
        bLateAdd = lateAdd;
        bRefuseDeletes = refuseDeletes;
    }
    size_t Calls(DWORD message) const { return std::count(calls.begin(), calls.end(), message); }

    static BOOL WINAPI Shell(DWORD message, PNOTIFYICONDATAW) {
        TrayShellModel& m = Get();
        m.calls.push_back(message);
        switch (message) {
        case NIM_ADD:
            if (m.bIconIn)
                return FALSE;
            if (m.nRefusedAdds > 0) {
                --m.nRefusedAdds;
                m.bIconIn = std::exchange(m.bLateAdd, false);
                return FALSE;
            }
            m.bIconIn = true;
            return TRUE;
        case NIM_MODIFY:
            return m.bIconIn;
        case NIM_DELETE:
            if (m.bRefuseDeletes || !m.bIconIn)
                return FALSE;
            m.bIconIn = false;
            return TRUE;
        default:
            return FALSE;
        }
    }
};
