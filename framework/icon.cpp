// Icon loading.
#include "framework/icon.h"

#include "framework/winapp.h"

namespace {

HICON LoadSharedIcon(UINT nIDResource, int cx, int cy) {
    return static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource),
                                           IMAGE_ICON, cx, cy, LR_SHARED));
}

} // namespace

HICON AfxLoadIcon(UINT nIDResource) {
    return LoadSharedIcon(nIDResource, ::GetSystemMetrics(SM_CXICON),
                          ::GetSystemMetrics(SM_CYICON));
}

HICON AfxLoadSmallIcon(UINT nIDResource) {
    return LoadSharedIcon(nIDResource, ::GetSystemMetrics(SM_CXSMICON),
                          ::GetSystemMetrics(SM_CYSMICON));
}

CIcon& CIcon::operator=(CIcon&& o) noexcept {
    if (this != &o) {
        Destroy();
        m_hIcon = o.m_hIcon;
        o.m_hIcon = nullptr;
    }
    return *this;
}

BOOL CIcon::Load(UINT nIDResource, int cx, int cy) {
    auto hIcon = static_cast<HICON>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource), IMAGE_ICON, cx, cy, 0));
    if (!hIcon)
        return FALSE;
    Destroy();
    m_hIcon = hIcon;
    return TRUE;
}

void CIcon::Destroy() {
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = nullptr;
}
