// CKernelObject: owns the handle of a kernel object (a file, event, mutex, process or thread)
// and closes it with itself.
#pragma once

#include <windows.h>

#include <utility>

class CKernelObject {
public:
    CKernelObject() = default;
    // Takes ownership. The platform's functions report failure with either null or
    // INVALID_HANDLE_VALUE, so both are held as none.
    explicit CKernelObject(HANDLE hObject) : m_hObject(Valid(hObject)) {}
    CKernelObject(const CKernelObject&) = delete;
    CKernelObject& operator=(const CKernelObject&) = delete;
    CKernelObject(CKernelObject&& o) noexcept : m_hObject(o.Detach()) {}
    CKernelObject& operator=(CKernelObject&& o) noexcept {
        if (this != &o) {
            Close();
            m_hObject = o.Detach();
        }
        return *this;
    }
    ~CKernelObject() { Close(); }

    HANDLE GetSafeHandle() const { return m_hObject; }
    operator HANDLE() const { return m_hObject; }
    explicit operator bool() const { return m_hObject != nullptr; }

    // Takes ownership of hObject, closing the handle held before.
    void Attach(HANDLE hObject) {
        Close();
        m_hObject = Valid(hObject);
    }
    HANDLE Detach() { return std::exchange(m_hObject, nullptr); }
    BOOL Close() { return m_hObject ? ::CloseHandle(Detach()) : FALSE; }

private:
    static HANDLE Valid(HANDLE hObject) {
        return hObject == INVALID_HANDLE_VALUE ? nullptr : hObject;
    }

    HANDLE m_hObject = nullptr;
};
