// A notification area for CTrayDialog::s_pfnShellNotifyIcon that says no as a slow shell does:
// it refuses the first adds, may carry out a refused one all the same, and may refuse deletes.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <utility>

struct TrayShellModel {
    int nRefusedAdds = 0;
    bool bLateAdd = false; // the first refused add puts the icon in after all
    bool bRefuseDeletes = false;
    bool bIconIn = false;
    int nAdds = 0; // asked for

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
    static BOOL WINAPI Shell(DWORD message, PNOTIFYICONDATAW) {
        TrayShellModel& m = Get();
        if (message == NIM_MODIFY)
            return m.bIconIn;
        if (message == NIM_DELETE)
            return !m.bRefuseDeletes && std::exchange(m.bIconIn, false);
        ++m.nAdds;
        if (m.bIconIn)
            return FALSE;
        if (m.nRefusedAdds > 0) {
            --m.nRefusedAdds;
            m.bIconIn = std::exchange(m.bLateAdd, false);
            return FALSE;
        }
        return m.bIconIn = true;
    }
};
