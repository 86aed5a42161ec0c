// Base of every object that receives commands: the message-map search.
#pragma once
#include "CObject.h"
#include "MsgMap.h"

// Filled by OnCmdMsg when it is only asked whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    // Routes a command (nCode CN_COMMAND or a control notification) or an update request
    // (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI) through the message map. With pHandlerInfo
    // nothing is called: it only reports whether a handler exists. TRUE when handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The wait cursor while a long operation runs (nested calls count).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // The message-map search: the entries of the most derived class first, then each base.
    // The first entry for (message, code, id) whose handler takes the message ends it.
    BOOL DispatchMsgMap(AFX_MSG& m, UINT nKey, int nCode, UINT nID);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT nKey, int nCode, UINT nID,
                                            const AFX_MSGMAP_ENTRY* after);
};
