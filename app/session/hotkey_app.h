// CHotkeyApp: starts once per session and runs the main form for the life of the process.
#pragma once

#include "framework/kernel_object.h"
#include "framework/winapp.h"

class CHotkeyApp : public CWinApp {
public:
    CHotkeyApp();
    // Always FALSE: the main form's modal loop is the program's only message loop.
    BOOL InitInstance() override;

private:
    CKernelObject m_instanceMutex;
};
