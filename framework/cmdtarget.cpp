// Message table lookup shared by windows and the application object.
#include "framework/cmdtarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

BEGIN_MESSAGE_MAP(CCmdTarget, afx::NoBaseMessageMap)
END_MESSAGE_MAP()

namespace {

bool Matches(const AFX_MSGMAP_ENTRY& e, afx::Match match, UINT nMessage, UINT nCode, UINT nID) {
    switch (match) {
    case afx::Match::Message:
        // A registered message is looked up by its number, which is only known at run time.
        if (e.match == afx::Match::Registered)
            return e.pRegistered && *e.pRegistered != 0 && *e.pRegistered == nMessage;
        return e.match == afx::Match::Message && e.nMessage == nMessage;
    case afx::Match::Command:
    case afx::Match::Notify:
        return e.match == match && e.nCode == nCode && nID >= e.nID && nID <= e.nLastID;
    case afx::Match::Reflected:
        return e.match == match && e.nMessage == nMessage && e.nCode == nCode;
    default:
        return false;
    }
}

} // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(const AFX_MSGMAP* pMap, afx::Match match,
                                              UINT nMessage, UINT nCode, UINT nID) {
    for (; pMap; pMap = pMap->pfnGetBaseMap()) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e && e->match != afx::Match::End; ++e) {
            if (Matches(*e, match, nMessage, nCode, nID))
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, UINT nCode, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const AFX_MSGMAP_ENTRY* e =
        FindEntry(GetMessageMap(), afx::Match::Command, WM_COMMAND, nCode, nID);
    if (!e)
        return FALSE;
    LRESULT ignored = 0;
    return e->pfn(this, wParam, lParam, pResult ? pResult : &ignored);
}
