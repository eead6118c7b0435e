// Typed adapters and the ON_ macros that build message table entries from them.
// Each adapter is named for its handler's signature; a handler with another signature fails
// to compile at the table entry.
#pragma once

#include <type_traits>

#include "framework/gdi.h"
#include "framework/msgmap.h"
#include "framework/types.h"
#include "framework/wnd.h"

namespace afx {

template <class> struct MemberFn;
template <class C, class R, class... A> struct MemberFn<R (C::*)(A...)> {
    using Class = C;
    using Signature = R(A...);
};

template <auto F> using ClassOf = typename MemberFn<decltype(F)>::Class;

template <auto F, class Sig>
constexpr bool kHasSignature = std::is_same_v<typename MemberFn<decltype(F)>::Signature, Sig>;

template <auto F> ClassOf<F>* Target(CCmdTarget* p) { return static_cast<ClassOf<F>*>(p); }

template <auto F> BOOL VoidNoArgs(CCmdTarget* p, WPARAM, LPARAM, LRESULT* r) {
    static_assert(kHasSignature<F, void()>, "handler must be void()");
    (Target<F>(p)->*F)();
    *r = 0;
    return TRUE;
}

// FALSE passes a reflected command notification on to the parent.
template <auto F> BOOL BoolNoArgs(CCmdTarget* p, WPARAM, LPARAM, LRESULT* r) {
    static_assert(kHasSignature<F, BOOL()>, "handler must be BOOL()");
    *r = 0;
    return (Target<F>(p)->*F)();
}

template <auto F> BOOL IntCreateStruct(CCmdTarget* p, WPARAM, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, int(LPCREATESTRUCT)>, "handler must be int(LPCREATESTRUCT)");
    *r = (Target<F>(p)->*F)(reinterpret_cast<LPCREATESTRUCT>(l));
    return TRUE;
}

template <auto F> BOOL VoidTimerId(CCmdTarget* p, WPARAM w, LPARAM, LRESULT* r) {
    static_assert(kHasSignature<F, void(UINT_PTR)>, "handler must be void(UINT_PTR)");
    (Target<F>(p)->*F)(w);
    *r = 0;
    return TRUE;
}

template <auto F> BOOL VoidCommandId(CCmdTarget* p, WPARAM w, LPARAM, LRESULT* r) {
    static_assert(kHasSignature<F, void(UINT)>, "handler must be void(UINT)");
    (Target<F>(p)->*F)(LOWORD(w));
    *r = 0;
    return TRUE;
}

template <auto F> BOOL VoidCommandIdLparam(CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, void(UINT, LPARAM)>, "handler must be void(UINT, LPARAM)");
    (Target<F>(p)->*F)(static_cast<UINT>(w), l);
    *r = 0;
    return TRUE;
}

template <auto F> BOOL VoidFlagsPoint(CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, void(UINT, CPoint)>, "handler must be void(UINT, CPoint)");
    (Target<F>(p)->*F)(static_cast<UINT>(w), CPoint(l));
    *r = 0;
    return TRUE;
}

template <auto F> BOOL VoidCharRepeatFlags(CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, void(UINT, UINT, UINT)>,
                  "handler must be void(UINT, UINT, UINT)");
    (Target<F>(p)->*F)(static_cast<UINT>(w), LOWORD(l), HIWORD(l));
    *r = 0;
    return TRUE;
}

// The window losing or gaining the focus, a temporary object when none is bound to it.
template <auto F> BOOL VoidWnd(CCmdTarget* p, WPARAM w, LPARAM, LRESULT* r) {
    static_assert(kHasSignature<F, void(CWnd*)>, "handler must be void(CWnd*)");
    (Target<F>(p)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(w)));
    *r = 0;
    return TRUE;
}

// WM_CONTEXTMENU: the window pressed in, and the screen point, (-1, -1) from the keyboard.
template <auto F> BOOL VoidWndPoint(CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, void(CWnd*, CPoint)>, "handler must be void(CWnd*, CPoint)");
    (Target<F>(p)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(w)), CPoint(l));
    *r = 0;
    return TRUE;
}

template <auto F> BOOL VoidWindowPos(CCmdTarget* p, WPARAM, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, void(WINDOWPOS*)>, "handler must be void(WINDOWPOS*)");
    (Target<F>(p)->*F)(reinterpret_cast<WINDOWPOS*>(l));
    *r = 0;
    return TRUE;
}

template <auto F> BOOL BoolDC(CCmdTarget* p, WPARAM w, LPARAM, LRESULT* r) {
    static_assert(kHasSignature<F, BOOL(CDCHandle)>, "handler must be BOOL(CDCHandle)");
    *r = (Target<F>(p)->*F)(reinterpret_cast<HDC>(w));
    return TRUE;
}

template <auto F> BOOL VoidXY(CCmdTarget* p, WPARAM, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, void(int, int)>, "handler must be void(int, int)");
    (Target<F>(p)->*F)(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    *r = 0;
    return TRUE;
}

template <auto F> BOOL VoidTypeCxCy(CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, void(UINT, int, int)>, "handler must be void(UINT, int, int)");
    (Target<F>(p)->*F)(static_cast<UINT>(w), LOWORD(l), HIWORD(l));
    *r = 0;
    return TRUE;
}

template <auto F> BOOL VoidBool(CCmdTarget* p, WPARAM w, LPARAM, LRESULT* r) {
    static_assert(kHasSignature<F, void(BOOL)>, "handler must be void(BOOL)");
    (Target<F>(p)->*F)(static_cast<BOOL>(w));
    *r = 0;
    return TRUE;
}

// The pop-up about to open, its position in the parent menu, and whether it is the system menu.
template <auto F> BOOL VoidMenuIndexSys(CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, void(HMENU, UINT, BOOL)>,
                  "handler must be void(HMENU, UINT, BOOL)");
    (Target<F>(p)->*F)(reinterpret_cast<HMENU>(w), LOWORD(l), HIWORD(l) != 0);
    *r = 0;
    return TRUE;
}

// A handler's BOOL is the message's result, as for WM_QUERYENDSESSION.
template <auto F> BOOL BoolResultNoArgs(CCmdTarget* p, WPARAM, LPARAM, LRESULT* r) {
    static_assert(kHasSignature<F, BOOL()>, "handler must be BOOL()");
    *r = (Target<F>(p)->*F)();
    return TRUE;
}

template <auto F> BOOL CursorNoArgs(CCmdTarget* p, WPARAM, LPARAM, LRESULT* r) {
    static_assert(kHasSignature<F, HCURSOR()>, "handler must be HCURSOR()");
    *r = reinterpret_cast<LRESULT>((Target<F>(p)->*F)());
    return TRUE;
}

template <class> struct ScrollBarArg;
template <class C, class Bar> struct ScrollBarArg<void (C::*)(UINT, UINT, Bar*)> {
    using type = Bar*;
};

// The scroll bar is passed only when a bound object of that class owns the handle.
template <auto F> BOOL VoidCodePosScrollBar(CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) {
    using Bar = typename ScrollBarArg<decltype(F)>::type;
    auto* bound = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(l));
    (Target<F>(p)->*F)(LOWORD(w), HIWORD(w), dynamic_cast<Bar>(bound));
    *r = 0;
    return TRUE;
}

// A reflected WM_CTLCOLOR*; a null brush passes it on to the parent.
template <auto F> BOOL BrushDCCtlColor(CCmdTarget* p, WPARAM w, LPARAM, LRESULT* r) {
    static_assert(kHasSignature<F, HBRUSH(CDCHandle, UINT)>,
                  "handler must be HBRUSH(CDCHandle, UINT)");
    const MSG* msg = CWnd::GetCurrentMessage();
    // The current message is still the parent's WM_CTLCOLORxxx, whose offset is the type.
    HBRUSH brush = (Target<F>(p)->*F)(reinterpret_cast<HDC>(w), msg->message - WM_CTLCOLORMSGBOX);
    *r = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}

template <auto F> BOOL LresultWparamLparam(CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, LRESULT(WPARAM, LPARAM)>,
                  "handler must be LRESULT(WPARAM, LPARAM)");
    *r = (Target<F>(p)->*F)(w, l);
    return TRUE;
}

template <auto F> BOOL VoidNmhdrResult(CCmdTarget* p, WPARAM, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, void(NMHDR*, LRESULT*)>,
                  "handler must be void(NMHDR*, LRESULT*)");
    *r = 0;
    (Target<F>(p)->*F)(reinterpret_cast<NMHDR*>(l), r);
    return TRUE;
}

// FALSE lets the parent see the notification too.
template <auto F> BOOL BoolNmhdrResult(CCmdTarget* p, WPARAM, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, BOOL(NMHDR*, LRESULT*)>,
                  "handler must be BOOL(NMHDR*, LRESULT*)");
    *r = 0;
    return (Target<F>(p)->*F)(reinterpret_cast<NMHDR*>(l), r);
}

// The id passed is the sender's control id.
template <auto F> BOOL BoolIdNmhdrResult(CCmdTarget* p, WPARAM, LPARAM l, LRESULT* r) {
    static_assert(kHasSignature<F, BOOL(UINT, NMHDR*, LRESULT*)>,
                  "handler must be BOOL(UINT, NMHDR*, LRESULT*)");
    auto* hdr = reinterpret_cast<NMHDR*>(l);
    *r = 0;
    return (Target<F>(p)->*F)(static_cast<UINT>(::GetDlgCtrlID(hdr->hwndFrom)), hdr, r);
}

} // namespace afx

// Plain messages
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, &afx::IntCreateStruct<&ThisClass::OnCreate>)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, &afx::VoidNoArgs<&ThisClass::OnDestroy>)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, &afx::VoidNoArgs<&ThisClass::OnClose>)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, &afx::VoidNoArgs<&ThisClass::OnPaint>)
#define ON_WM_SYSCOLORCHANGE()                                                                     \
    AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, &afx::VoidNoArgs<&ThisClass::OnSysColorChange>)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, &afx::VoidTimerId<&ThisClass::OnTimer>)
#define ON_WM_SYSCOMMAND()                                                                         \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, &afx::VoidCommandIdLparam<&ThisClass::OnSysCommand>)
#define ON_WM_LBUTTONDOWN()                                                                        \
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, &afx::VoidFlagsPoint<&ThisClass::OnLButtonDown>)
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, &afx::VoidFlagsPoint<&ThisClass::OnLButtonUp>)
#define ON_WM_LBUTTONDBLCLK()                                                                      \
    AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, &afx::VoidFlagsPoint<&ThisClass::OnLButtonDblClk>)
#define ON_WM_RBUTTONDOWN()                                                                        \
    AFX_MSG_ENTRY(WM_RBUTTONDOWN, &afx::VoidFlagsPoint<&ThisClass::OnRButtonDown>)
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, &afx::VoidFlagsPoint<&ThisClass::OnMouseMove>)
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, &afx::VoidCharRepeatFlags<&ThisClass::OnKeyDown>)
#define ON_WM_KEYUP() AFX_MSG_ENTRY(WM_KEYUP, &afx::VoidCharRepeatFlags<&ThisClass::OnKeyUp>)
#define ON_WM_CHAR() AFX_MSG_ENTRY(WM_CHAR, &afx::VoidCharRepeatFlags<&ThisClass::OnChar>)
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, &afx::VoidWnd<&ThisClass::OnSetFocus>)
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, &afx::VoidWnd<&ThisClass::OnKillFocus>)
#define ON_WM_CONTEXTMENU()                                                                        \
    AFX_MSG_ENTRY(WM_CONTEXTMENU, &afx::VoidWndPoint<&ThisClass::OnContextMenu>)
#define ON_WM_WINDOWPOSCHANGING()                                                                  \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING, &afx::VoidWindowPos<&ThisClass::OnWindowPosChanging>)
#define ON_WM_ERASEBKGND() AFX_MSG_ENTRY(WM_ERASEBKGND, &afx::BoolDC<&ThisClass::OnEraseBkgnd>)
#define ON_WM_QUERYDRAGICON()                                                                      \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, &afx::CursorNoArgs<&ThisClass::OnQueryDragIcon>)
#define ON_WM_MOVE() AFX_MSG_ENTRY(WM_MOVE, &afx::VoidXY<&ThisClass::OnMove>)
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, &afx::VoidTypeCxCy<&ThisClass::OnSize>)
#define ON_WM_ENABLE() AFX_MSG_ENTRY(WM_ENABLE, &afx::VoidBool<&ThisClass::OnEnable>)
#define ON_WM_INITMENUPOPUP()                                                                      \
    AFX_MSG_ENTRY(WM_INITMENUPOPUP, &afx::VoidMenuIndexSys<&ThisClass::OnInitMenuPopup>)
#define ON_WM_QUERYENDSESSION()                                                                    \
    AFX_MSG_ENTRY(WM_QUERYENDSESSION, &afx::BoolResultNoArgs<&ThisClass::OnQueryEndSession>)
#define ON_WM_ENDSESSION() AFX_MSG_ENTRY(WM_ENDSESSION, &afx::VoidBool<&ThisClass::OnEndSession>)
#define ON_WM_VSCROLL() AFX_MSG_ENTRY(WM_VSCROLL, &afx::VoidCodePosScrollBar<&ThisClass::OnVScroll>)
#define ON_WM_HSCROLL() AFX_MSG_ENTRY(WM_HSCROLL, &afx::VoidCodePosScrollBar<&ThisClass::OnHScroll>)

// Program-defined and registered messages: LRESULT OnMessage(WPARAM, LPARAM)
#define ON_MESSAGE(msg, memberFxn)                                                                 \
    AFX_MSG_ENTRY(msg, &afx::LresultWparamLparam<&ThisClass::memberFxn>)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                         \
    {afx::Match::Registered,                                                                       \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     &(nMessageVariable),                                                                          \
     &afx::LresultWparamLparam<&ThisClass::memberFxn>},

// WM_COMMAND by id, and by notify code and id: void OnCommand()
#define ON_CONTROL(code, id, memberFxn)                                                            \
    {afx::Match::Command,                                                                          \
     WM_COMMAND,                                                                                   \
     (code),                                                                                       \
     (id),                                                                                         \
     (id),                                                                                         \
     nullptr,                                                                                      \
     &afx::VoidNoArgs<&ThisClass::memberFxn>},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
// A command from any id in [id, idLast], such as items a menu gets at run time:
// void OnCommand(UINT nID)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    {afx::Match::Command,                                                                          \
     WM_COMMAND,                                                                                   \
     0,                                                                                            \
     (id),                                                                                         \
     (idLast),                                                                                     \
     nullptr,                                                                                      \
     &afx::VoidCommandId<&ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

// WM_NOTIFY by code and id
#define ON_NOTIFY(code, id, memberFxn)                                                             \
    {afx::Match::Notify,                                                                           \
     WM_NOTIFY,                                                                                    \
     static_cast<UINT>(code),                                                                      \
     (id),                                                                                         \
     (id),                                                                                         \
     nullptr,                                                                                      \
     &afx::VoidNmhdrResult<&ThisClass::memberFxn>},
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn)                                            \
    {afx::Match::Notify,                                                                           \
     WM_NOTIFY,                                                                                    \
     static_cast<UINT>(code),                                                                      \
     (id),                                                                                         \
     (idLast),                                                                                     \
     nullptr,                                                                                      \
     &afx::BoolIdNmhdrResult<&ThisClass::memberFxn>},
#define ON_NOTIFY_EX(code, id, memberFxn) ON_NOTIFY_EX_RANGE(code, id, id, memberFxn)

// Notifications reflected back to the control that sent them
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                         \
    AFX_REFLECT_ENTRY(WM_NOTIFY, static_cast<UINT>(code),                                          \
                      &afx::VoidNmhdrResult<&ThisClass::memberFxn>)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                                      \
    AFX_REFLECT_ENTRY(WM_NOTIFY, static_cast<UINT>(code),                                          \
                      &afx::BoolNmhdrResult<&ThisClass::memberFxn>)
#define ON_CONTROL_REFLECT(code, memberFxn)                                                        \
    AFX_REFLECT_ENTRY(WM_COMMAND, (code), &afx::VoidNoArgs<&ThisClass::memberFxn>)
#define ON_CONTROL_REFLECT_EX(code, memberFxn)                                                     \
    AFX_REFLECT_ENTRY(WM_COMMAND, (code), &afx::BoolNoArgs<&ThisClass::memberFxn>)
// All WM_CTLCOLOR* messages reflect under one entry: HBRUSH CtlColor(CDCHandle, UINT nCtlColor)
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    AFX_REFLECT_ENTRY(WM_CTLCOLOR, 0, &afx::BrushDCCtlColor<&ThisClass::CtlColor>)
