// Module paths of any length.
#include "framework/module_path.h"

CString AfxGetModuleFileName(HMODULE hModule) {
    // The platform cuts the path to the buffer without saying how long it is, so the buffer
    // grows until the path fits with room to spare.
    CString path;
    for (DWORD capacity = MAX_PATH + 1; capacity <= 0x10000; capacity *= 2) {
        DWORD n =
            ::GetModuleFileNameW(hModule, path.GetBuffer(static_cast<int>(capacity)), capacity);
        if (n == 0) {
            path.ReleaseBuffer(0);
            return path;
        }
        if (n < capacity - 1) {
            path.ReleaseBuffer(static_cast<int>(n));
            return path;
        }
    }
    path.ReleaseBuffer(0);
    return path;
}

const CString& AfxGetModulePath() {
    static const CString path = AfxGetModuleFileName(nullptr);
    return path;
}
