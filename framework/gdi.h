// Device context and GDI object wrappers. Each wrapper owns its handle and frees it;
// Attach/Detach lend a handle owned elsewhere.
#pragma once

#include <windows.h>

#include "framework/types.h"

class CWnd;

class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() { DeleteDC(); }

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL IsPrinting() const { return m_bPrinting; }

    BOOL Attach(HDC hDC) {
        m_hDC = m_hAttribDC = hDC;
        return hDC != nullptr;
    }
    HDC Detach() {
        HDC h = m_hDC;
        m_hDC = m_hAttribDC = nullptr;
        return h;
    }
    BOOL DeleteDC() {
        if (!m_hDC)
            return FALSE;
        return ::DeleteDC(Detach());
    }

protected:
    BOOL m_bPrinting = FALSE;
};
