// The operations a dialog (CmnDlg) and a docked panel share over their CmnDlgInf and their
// window: the focus lookup, the edit, scale, flag, printing, error and data families, the tooltip
// of an input error, and the bodies of the message handlers both route to them. A window class takes
// it as a second base beside its framework class and hands it itself:
//
//   class CmnDlg : public CDialog, public CmnDlgOpr { ... };
//   CmnDlg::CmnDlg() : CmnDlgOpr(*this) {}
//   void CmnDlg::OnEditCmd(UINT id) { RunEditCmd(id); }   // one line per message-map entry
//
// Every operation is virtual: a window that overrides one (the image page overrides most of the
// edit and scale families) changes it for the shared handlers too, since they call the
// operations, never the engine directly. Operations that need the ready flag trace -6 under their
// own name while it is 0 (the flag getters answer 0).
//
// Window kinds GetFocusCtl answers: CmnTypCtl (an engine control), CmnTypDra (a drawing area),
// 0 none.
#pragma once
#include "Mfc.h"
#include "CmnDef.h"
#include "CmnDlgInf.h"
#include "CmnSub.h"
#include <functional>

// The message-map entries a dialog and a panel share, in this order: page set-up, print, print
// direct and preview, the edit and scale commands, each with its item state; a control's data
// notice, changed settings and the chooser buttons. The handlers are the class's own, named as
// here.
#define CMN_ON_DLG_OPR_COMMANDS() \
    ON_COMMAND_EX(ID_FILE_PAGE_SETUP, &ThisClass::OnPrintCmd) \
    ON_UPDATE_COMMAND_UI(ID_FILE_PAGE_SETUP, &ThisClass::OnUpdatePrintCmd) \
    ON_COMMAND_EX(ID_FILE_PRINT, &ThisClass::OnPrintCmd) \
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, &ThisClass::OnUpdatePrintCmd) \
    ON_COMMAND_EX(ID_FILE_PRINT_DIRECT, &ThisClass::OnPrintCmd) \
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_DIRECT, &ThisClass::OnUpdatePrintCmd) \
    ON_COMMAND_EX(ID_FILE_PRINT_PREVIEW, &ThisClass::OnPrintCmd) \
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, &ThisClass::OnUpdatePrintCmd) \
    ON_COMMAND_EX(ID_EDIT_UNDO, &ThisClass::OnEditCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &ThisClass::OnUpdateEditCmd) \
    ON_COMMAND_EX(ID_EDIT_REDO, &ThisClass::OnEditCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, &ThisClass::OnUpdateEditCmd) \
    ON_COMMAND_EX(ID_EDIT_CUT, &ThisClass::OnEditCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &ThisClass::OnUpdateEditCmd) \
    ON_COMMAND_EX(ID_EDIT_COPY, &ThisClass::OnEditCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &ThisClass::OnUpdateEditCmd) \
    ON_COMMAND_EX(ID_EDIT_PASTE, &ThisClass::OnEditCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &ThisClass::OnUpdateEditCmd) \
    ON_COMMAND_EX(ID_EDIT_CLEAR, &ThisClass::OnEditCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, &ThisClass::OnUpdateEditCmd) \
    ON_COMMAND_EX_RANGE(ID_CMN_SCA_DLG, ID_CMN_SCA_200, &ThisClass::OnScaleCmd) \
    ON_UPDATE_COMMAND_UI_RANGE(ID_CMN_SCA_DLG, ID_CMN_SCA_200, &ThisClass::OnUpdateScaleCmd) \
    ON_MESSAGE(VkeWmDtiToWnd, &ThisClass::OnVkeWmDtiToWnd) \
    ON_MESSAGE(CmnWmChgOpt, &ThisClass::OnCmnWmChgOpt) \
    ON_COMMAND_EX_RANGE(ID_CMN_CHOOSER_FIRST, ID_CMN_CHOOSER_LAST, &ThisClass::OnChooser)

// A hosted window's message offered to its owner first as CmnWmRfl (wParam the window, lParam a
// MSG); a non-zero answer is the result, else prev handles it: the body of the procedures that
// dialogs and panels give their engine controls and drawing areas.
LRESULT CmnRflToOwner(HWND owner, WNDPROC prev, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CmnDlgOpr {
    // The tab pages apply the settings of their tab control the same way.
    friend class CmnTbvOpr;

public:
    virtual ~CmnDlgOpr();
    CmnDlgOpr(const CmnDlgOpr&) = delete;
    CmnDlgOpr& operator=(const CmnDlgOpr&) = delete;

    // TTN_NEEDTEXTA of a tool identified by its window: the message of the control's input
    // error as the tip text; FALSE (the framework answers) in every other case.
    virtual BOOL OnTtnNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);

    // ---- The information ----
    // AllocCmnDlgInf; on failure everything is freed again.
    virtual int AllocMemory(int ctlCnt, int draCnt, int extPrtCnt);
    virtual int FreeMemory();
    // The slots (zero-filled), the print page sets and the menu objects (empty); -7 when
    // allocated already, -8 when memory runs out. A count below 1 allocates nothing for its group.
    virtual int AllocCmnDlgInf(int ctlCnt, int draCnt, int extPrtCnt);
    // Frees every table and menu; the error index becomes -1. Leaves the engine objects alone.
    virtual int FreeCmnDlgInf();

    // ---- Focus ----
    // The kind of the focused engine control or drawing area of the window, and the object.
    virtual int GetFocusCtl(void** out);

    // ---- Edit family: undo, redo, cut and clear on controls; copy and paste also on areas ----
    virtual int GetEditFlag(EditFlag* flags);
    virtual int GetEditUndFlag(int* out);
    virtual int EditUnd();
    virtual int GetEditRdoFlag(int* out);
    virtual int EditRdo();
    virtual int GetEditCutFlag(int* out);
    virtual int EditCut();
    virtual int GetEditCpyFlag(int* out);
    virtual int EditCpy();
    virtual int GetEditPstFlag(int* out);
    virtual int EditPst();
    virtual int GetEditCleFlag(int* out);
    virtual int EditCle();

    // ---- Scale family: the focused drawing area ----
    virtual int SetScaleByWnd();
    virtual int SetScaleByWndLrg();
    // 1 (nothing done) when no area has the focus.
    virtual int SetScaleMode(int mode, int num, int den);
    // 0 and the focus kind when no area has the focus.
    virtual int GetScaleMode(int* out);
    virtual int SetScale(int num, int den);
    // num / den of GetScale (0 without an area).
    virtual int GetScaleRatio(double* out);
    // 0 / 1 and the focus kind when no area has the focus.
    virtual int GetScale(int* num, int* den);
    // The scale dialog (percent with the given decimals) over the area's drawing; 2 when cancelled.
    virtual int SetScaleByDlg(int decimals);

    // ---- Flag family: 0 clears the flag of every control (1 does nothing); getters: any set ----
    virtual int SetDataFlag(int value);
    virtual int GetDataFlag();
    // Clearing also clears the error codes and the recorded error.
    virtual int SetErrorFlag(int value);
    virtual int GetErrorFlag();
    // Clearing also clears the drawing areas' flags, which the getter asks after the controls.
    virtual int SetModifiedFlag(int value);
    virtual int GetModifiedFlag();
    virtual int SetSelectedFlag(int value);
    virtual int GetSelectedFlag();

    // ---- Printing: one print page set per drawing area, the areas' pages in slot order ----
    // 1 when ready with at least one drawing area.
    virtual int IsPrintable();
    // Lays out each area's pages for the printer of the job's print dialog within the settings'
    // margins and gives the job pages 1 to their total: 0; 2 nothing to print; -13 (untraced)
    // the margins leave no room.
    virtual int PreparePrinting(CPrintInfo* pInfo);
    // Keeps the areas' scroll positions while a preview shows; the end scrolls them back.
    virtual int BeginPrintPreview(CDC* pDC, CPrintInfo* pInfo);
    virtual int EndPrintPreview(CDC* pDC, CPrintInfo* pInfo);
    // Nothing beyond the ready check.
    virtual int BeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual int EndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual int PrepareDC(CDC* pDC, CPrintInfo* pInfo);
    // The job's current page through the area whose pages hold it; a preview prints a copy of
    // the page set in the preview's pixels. 1 when nothing was printed; a failure is shown to
    // the user and stops the job.
    virtual int Print(CDC* pDC, CPrintInfo* pInfo);

    // ---- Errors and data ----
    virtual int ClearError();
    // Marks the control of the window in error and records it when it comes before the error
    // recorded so far in the window's child order.
    virtual int SetError(HWND wnd, int code);
    // The recorded error's message, then the focus on its control.
    virtual int ShowErrMsg();
    // Reads and checks the data of every control (ctl null) or of one; with a control, data must
    // be given (its data record) and mode 1 shows the control's value first. The recorded error
    // code, 0 when every control is valid; 0 at once while terminating.
    virtual int GetData(VkiCtl* ctl, void* data, int mode);
    // Every control (or the one of the window) leaves editing: its undo history starts afresh
    // and its error and modified flags are cleared.
    virtual int ClearEdi(HWND wnd);

    const CmnDlgInf& GetCmnDlgInf() const { return m_inf; }
    CWnd& GetWnd() const { return m_wnd; }

    // The program's dialog or panel whose window is wnd, while the object exists: each one is
    // known from its construction to its destruction. Null for any other window (an object of
    // the engine's, a window whose object has gone).
    static CmnDlgOpr* FromWindow(HWND wnd);

protected:
    // wnd: the window whose children the slots hold.
    explicit CmnDlgOpr(CWnd& wnd);

    // ---- Bodies of the message handlers ----
    // Edit commands (57643 undo, 57644 redo, 57635 cut, 57634 copy, 57637 paste, 57632 clear):
    // the matching operation, and its item enabled when the flag getter reports 1.
    void RunEditCmd(UINT id);
    void RunUpdateEditCmd(CCmdUI* pCmdUI);
    // Scale commands (49377 to 49384).
    void RunScaleCmd(UINT id);
    void RunUpdateScaleCmd(CCmdUI* pCmdUI);
    // Print commands: sent on to the main frame as sendId; their items follow the frame's route.
    void RunPrintCmd(UINT sendId);
    void RunUpdatePrintCmd(CCmdUI* pCmdUI);
    // A chooser button (17684 to 17713): the font or colour dialog of its engine control; FALSE
    // when the command's window is no owner-drawn button of an engine control.
    BOOL RunChooser(UINT id);
    // The wheel over the focused drawing area: zoom with the right button held, else scroll.
    // FALSE when no area has the focus.
    BOOL RunMouseWheel(UINT keys, short delta);
    // A scroll bar's message to the areas it belongs to; FALSE when it belongs to none.
    BOOL RunScroll(UINT message, UINT code, HWND bar);
    // The item states of a popup menu from this window's command handlers (the dialog menu's
    // every sub-menu when it is the popup).
    void RunInitMenuPopup(CMenu* pPopupMenu);
    // VkeWmDtiToWnd: the data check of the control that leaves editing; 1 when taken.
    LRESULT RunDtiToWnd(WPARAM wParam, LPARAM lParam);
    // CmnWmChgOpt: the controls and drawing areas take the settings that differ from theirs.
    void RunChgOptCtls();
    // WM_NOTIFY TTN_NEEDTEXTA to OnTtnNeedText first; TRUE with *pResult when it answered.
    BOOL RunToolTipNotify(UINT message, LPARAM lParam, LRESULT* pResult);
    // WM_GETFONT while InitCtlSlot starts a control: the font of the settings the control is to
    // take, so that it starts with that font and is given no second one (a combo box lays its
    // parts out anew at every font). TRUE with *pResult when it answered.
    BOOL RunStartFont(UINT message, LRESULT* pResult) const;
    // A button's check notice (VkeWmSetChk: wParam the control, lParam the state 0 to 2) handed
    // to onCheck with the control's slot once the window is ready (-9 traced for a null control or
    // another state). Guarded for the whole process: a notice that the handling causes for the
    // same button, or for a button of its automatic radio group, is refused with -7. Answers 1
    // otherwise.
    LRESULT RunSetChk(WPARAM wParam, LPARAM lParam, const std::function<void(int slot, int state)>& onCheck);

    // ---- Slots, for a derived start ----
    // An engine control of type over the window's item id, started in slot with the settings'
    // colours, font and flags, the control menu, the edit type and format and the value text;
    // the first slot also prepares the scratch data. The code of the first failing step.
    int InitCtlSlot(int slot, int type, int id, int editType, const char* format, const char* value);
    // A drawing area over the window's item id (an edit control) in slot, with the settings'
    // colours, font, scroll steps, editing flag, stretch mode and wheel step, on the item's
    // rectangle with the drawing's extent and its bars made with the two ids; tweak may change
    // the record before the start.
    int InitDraSlot(int slot, int id, const RECT& extent, UINT hBarId, UINT vBarId,
                    const std::function<void(VkeDraParam&)>& tweak = nullptr);
    // Ends the scratch data once and frees every control and drawing area; the slots empty.
    void FreeSlots();
    // The slot of a control (-1 when none).
    int CtlSlot(VkiCtl* ctl) const;
    int CtlSlotByWnd(HWND wnd) const;
    // An input error of the control in slot: recorded (SetError) when every control is checked
    // (checked null) or this one is; otherwise the control only shows it.
    void RejectSlot(VkiCtl* checked, int slot, int code);
    // The control in slot shows an input error without it being recorded.
    void MarkSlot(int slot, int code);
    // A window that may be in the middle of a drag (a docked panel's border) ends it here before
    // an operation changes its content, size or settings; a dialog has none.
    virtual void EndDrag() {}
    // Ready, or -6 traced under name.
    bool CheckReady(const char* name);
    // Traces code under name; returns code.
    static int Fail(const char* name, int code);

    // ---- Settings that differ from an object's: set, the others left alone ----
    // Fonts compare field by field (the face name as text).
    static bool SameFont(const LOGFONTA& a, const LOGFONTA& b);
    template <class Obj>
    static void ApplyColor(Obj* obj, int kind, int subKind, int (CmnSub::*want)(int, int, COLORREF*),
                           int (*get)(Obj*, COLORREF*), int (*set)(Obj*, COLORREF))
    {
        COLORREF color = 0, now = 0;
        if ((theCmnSub.*want)(kind, subKind, &color) == VKE_OK && get(obj, &now) == VKE_OK && color != now)
            set(obj, color);
    }
    template <class Obj>
    static void ApplyFont(Obj* obj, int kind, int subKind, int (*get)(Obj*, LOGFONTA*), int (*set)(Obj*, const LOGFONTA*))
    {
        LOGFONTA font, now;
        if (theCmnSub.GetFont(kind, subKind, &font) == VKE_OK && get(obj, &now) == VKE_OK && !SameFont(font, now))
            set(obj, &font);
    }
    template <class Obj>
    static void ApplyFlag(Obj* obj, int value, int (*get)(Obj*, int*), int (*set)(Obj*, int))
    {
        int now = 0;
        if (get(obj, &now) == VKE_OK && now != value) set(obj, value);
    }

    CWnd& m_wnd;
    CmnDlgInf m_inf;
    // Set while the window's own WM_DESTROY runs: the platform destroys its children right after.
    bool m_bWindowGoes = false;

private:
    int LayOutPrintArea(int slot, HDC dc, const RECT& page);
    int GetEditFlagOf(int op, int* out);
    int EditOf(int op, int (CmnDlgOpr::*getFlag)(int*));
    int SetFlagOf(int op, int value);
    int GetFlagOf(int op);
    void ApplyCtlSettings(VkiCtl* ctl);
    void ApplyDraSettings(VkiDra* dra);
    // The scratch data was prepared through the first control.
    bool m_bDtiReady = false;
    // The font RunStartFont answers with; null outside InitCtlSlot.
    HFONT m_hStartFont = nullptr;
};
