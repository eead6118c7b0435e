// Message tables: one static table per class, chained to its base class's table.
//
// Each entry names what it matches (a message, a WM_COMMAND code and id range, a WM_NOTIFY
// code and id range, a registered message, or a notification reflected back to the child
// that sent it) and a typed adapter that unpacks the parameters and calls the handler.
// A handler with the wrong signature does not compile; there are no casts between
// member-function types.
#pragma once

#include <windows.h>

class CCmdTarget;

// Reflected notifications are looked up under the message number plus this base.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

// The control-colour messages are reflected under this one number.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

namespace afx {

// Returns TRUE when the entry handled the message; *pResult then holds its result.
using Adapter = BOOL (*)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

enum class Match : unsigned char {
    End,
    Message,    // nMessage equals the message
    Registered, // *pRegistered equals the message
    Command,    // WM_COMMAND with code nCode from an id in [nID, nLastID]
    Notify,     // WM_NOTIFY with code nCode from an id in [nID, nLastID]
    Reflected,  // a message reflected from the parent (nMessage = WM_REFLECT_BASE + message)
};

} // namespace afx

struct AFX_MSGMAP_ENTRY {
    afx::Match match;
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    const UINT* pRegistered;
    afx::Adapter pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)(); // the base class's table; null above the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

namespace afx {

// Reaches a class's own table for the table of a class derived from it, so that a table may
// be declared in any access section without hiding it from the classes below.
struct MessageMapAccess {
    template <class T> static const AFX_MSGMAP* ThisMap() { return T::GetThisMessageMap(); }
};

// Stands in for the base class of the root table.
struct NoBaseMessageMap {
    static const AFX_MSGMAP* GetThisMessageMap() { return nullptr; }
};

} // namespace afx

// Declares the class's table in the access section it is written in.
#define DECLARE_MESSAGE_MAP()                                                                      \
    friend struct afx::MessageMapAccess;                                                           \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass; /* an empty table names no handler */         \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { afx::Match::End, 0, 0, 0, 0, nullptr, nullptr }                                              \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP map = {&afx::MessageMapAccess::ThisMap<TheBaseClass>, entries};        \
    return &map;                                                                                   \
    }

// Entry builders used by the ON_ macros.
#define AFX_MSG_ENTRY(msg, adapter) {afx::Match::Message, (msg), 0, 0, 0, nullptr, (adapter)},
#define AFX_REFLECT_ENTRY(msg, code, adapter)                                                      \
    {afx::Match::Reflected, WM_REFLECT_BASE + (msg), (code), 0, 0, nullptr, (adapter)},
