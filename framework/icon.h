// Icons from the application's resources.
#pragma once

#include <windows.h>

// The icon at the system's large icon size. Icons loaded this way are shared by the module
// and are never destroyed, so the handle may be kept for the life of the process.
HICON AfxLoadIcon(UINT nIDResource);
// The icon at the system's small icon size (window captions, the tray), shared the same way.
HICON AfxLoadSmallIcon(UINT nIDResource);

// An icon loaded at the size the caller asks for, destroyed with the object. The shared icons
// above come at the size first asked for, whatever size a later load asks, so an icon
// wanted at a size of its own is loaded this way.
class CIcon {
public:
    CIcon() = default;
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;
    CIcon(CIcon&& o) noexcept : m_hIcon(o.m_hIcon) { o.m_hIcon = nullptr; }
    CIcon& operator=(CIcon&& o) noexcept;
    ~CIcon() { Destroy(); }

    // Loads the resource's image nearest the size, scaled to it; FALSE (and no change) when
    // there is no such icon.
    BOOL Load(UINT nIDResource, int cx, int cy);
    void Destroy();
    HICON GetSafeHandle() const { return m_hIcon; }
    operator HICON() const { return m_hIcon; }

private:
    HICON m_hIcon = nullptr;
};
