// Icon loading.
#include "framework/icon.h"

#include "framework/module.h"

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

BOOL CIcon::Load(UINT nIDResource, int cx, int cy) {
    return Replace(static_cast<HICON>(::LoadImageW(
        AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource), IMAGE_ICON, cx, cy, 0)));
}
