// The program entry: hands control to the one application object.
#include "framework/system_library.h"
#include "framework/winapp.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow) {
    AfxRestrictDllSearch();
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->WinMain(hInstance, lpCmdLine, nCmdShow) : -1;
}
