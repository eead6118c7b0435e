// COleInitializer: OLE, and with it COM as a single-threaded apartment, initialised on this
// thread for one scope, as the shell's dialogs need it. A thread that has COM already keeps
// it as it is.
#pragma once

#include <ole2.h>

class COleInitializer {
public:
    COleInitializer() : m_hr(::OleInitialize(nullptr)) {}
    COleInitializer(const COleInitializer&) = delete;
    COleInitializer& operator=(const COleInitializer&) = delete;
    ~COleInitializer() {
        if (SUCCEEDED(m_hr))
            ::OleUninitialize();
    }

    // S_OK, or S_FALSE when the thread had it already; RPC_E_CHANGED_MODE on a thread of the
    // multithreaded apartment, which is left as it is.
    HRESULT Result() const { return m_hr; }

private:
    HRESULT m_hr;
};
