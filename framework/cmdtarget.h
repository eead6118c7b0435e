// CCmdTarget: the root of every class that has a message table.
#pragma once

#include "framework/msgmap.h"
#include "framework/runtime.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    ~CCmdTarget() override = default;

    // Runs the first WM_COMMAND entry for this code and id, searching derived tables first.
    virtual BOOL OnCmdMsg(UINT nID, UINT nCode, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The first entry that handles the message, derived tables first, or null.
    static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* pMap, afx::Match match,
                                             UINT nMessage, UINT nCode, UINT nID);

    // The table of the object's own class. The root's table introduces the call that every
    // DECLARE_MESSAGE_MAP overrides, so it alone is declared here by hand.
    virtual const AFX_MSGMAP* GetMessageMap() const;

protected:
    friend struct afx::MessageMapAccess;
    static const AFX_MSGMAP* GetThisMessageMap();
};
