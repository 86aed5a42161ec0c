// Message maps: each class that declares one lists the messages, commands and notifications it
// handles. A message is looked up from the most derived class to the base; the first entry
// that matches and takes the message ends the search.
//
// Every entry holds a small "thunk" (made from a template for the handler's signature) that
// unpacks wParam and lParam and calls the handler, so an entry's handler is checked against its
// signature at compile time and no casts between member-function types are needed.
#pragma once
#include "MfcWin.h"
#include "MfcIds.h"

class CCmdTarget;
class CCmdUI;

// The message being dispatched, with the result the handler gives back.
struct AFX_MSG {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    UINT nID;     // command or control id (commands and notifications)
    void* pExtra; // the CCmdUI of an update request
};

// Unpacks the message and calls the handler; false when the handler declined it (the search
// then goes on).
typedef bool (*AFX_THUNK)(CCmdTarget* target, AFX_MSG& m);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;          // WM_xxx, WM_COMMAND, WM_NOTIFY, or WM_REFLECT_BASE + one of them
    int nCode;              // notification or command code (0 for window messages)
    UINT nID;               // first control or command id
    UINT nLastID;           // last id of a range
    const UINT* pRegistered; // a registered message number, read at dispatch (or null)
    AFX_THUNK pfn;          // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
    {                                                                                  \
        typedef theClass ThisClass;                                                    \
        typedef baseClass TheBaseClass;                                                \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                     \
        {0, 0, 0, 0, nullptr, nullptr}};                                      \
        static_assert(sizeof(ThisClass) > 0, "message map of a complete class"); \
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                          \
    }

// The class a handler belongs to, from its member-function type.
template <class F>
struct AfxMemberOf;
template <class X, class R, class... A>
struct AfxMemberOf<R (X::*)(A...)> {
    typedef X Class;
};

template <auto F>
inline typename AfxMemberOf<decltype(F)>::Class* AfxThis(CCmdTarget* target)
{
    return static_cast<typename AfxMemberOf<decltype(F)>::Class*>(target);
}

// ---- Commands ----

template <auto F>
bool AfxThunkCommand(CCmdTarget* t, AFX_MSG&)
{
    (AfxThis<F>(t)->*F)();
    return true;
}
template <auto F>
bool AfxThunkCommandRange(CCmdTarget* t, AFX_MSG& m)
{
    (AfxThis<F>(t)->*F)(m.nID);
    return true;
}
template <auto F>
bool AfxThunkCommandEx(CCmdTarget* t, AFX_MSG& m)
{
    return (AfxThis<F>(t)->*F)(m.nID) != 0;
}
template <auto F>
bool AfxThunkUpdateUI(CCmdTarget* t, AFX_MSG& m)
{
    (AfxThis<F>(t)->*F)(static_cast<CCmdUI*>(m.pExtra));
    return true;
}

#define AFX_ENTRY(msg, code, id, last, fn) {(msg), (code), (id), (last), nullptr, (fn)},

#define ON_COMMAND(id, memberFxn) AFX_ENTRY(WM_COMMAND, CN_COMMAND, (id), (id), &AfxThunkCommand<memberFxn>)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, (id), (idLast), &AfxThunkCommandRange<memberFxn>)
#define ON_COMMAND_EX(id, memberFxn) AFX_ENTRY(WM_COMMAND, CN_COMMAND, (id), (id), &AfxThunkCommandEx<memberFxn>)
// BOOL handler(UINT nID): FALSE passes the command on to the next handler on the route.
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, (id), (idLast), &AfxThunkCommandEx<memberFxn>)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, (id), (id), &AfxThunkUpdateUI<memberFxn>)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    AFX_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, (id), (idLast), &AfxThunkUpdateUI<memberFxn>)

// Control notifications that arrive as WM_COMMAND.
#define ON_CONTROL(code, id, memberFxn) AFX_ENTRY(WM_COMMAND, (code), (id), (id), &AfxThunkCommand<memberFxn>)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    AFX_ENTRY(WM_COMMAND, (code), (id), (idLast), &AfxThunkCommandRange<memberFxn>)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
