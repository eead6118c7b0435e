// The module handles.
#include "framework/module.h"

namespace {

HINSTANCE g_hInstance = nullptr;

} // namespace

HINSTANCE AfxGetInstanceHandle() { return g_hInstance ? g_hInstance : ::GetModuleHandleW(nullptr); }

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

void AfxSetInstanceHandle(HINSTANCE hInstance) { g_hInstance = hInstance; }
