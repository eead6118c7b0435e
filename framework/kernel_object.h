// CKernelObject: owns the handle of a kernel object (a file, event, mutex, process or thread)
// and closes it with itself.
#pragma once

#include <windows.h>

#include "framework/handle_owner.h"

struct KernelObjectFree {
    static BOOL Free(HANDLE hObject) { return ::CloseHandle(hObject); }
};

class CKernelObject : public CHandleOwner<HANDLE, KernelObjectFree> {
public:
    CKernelObject() = default;
    // Takes ownership. The platform's functions report failure with either null or
    // INVALID_HANDLE_VALUE, so both are held as none.
    explicit CKernelObject(HANDLE hObject) : CHandleOwner(Valid(hObject)) {}

    // Takes ownership of hObject, closing the handle held before.
    void Attach(HANDLE hObject) { CHandleOwner::Attach(Valid(hObject)); }
    BOOL Close() { return Free(); }

private:
    static HANDLE Valid(HANDLE hObject) {
        return hObject == INVALID_HANDLE_VALUE ? nullptr : hObject;
    }
};
