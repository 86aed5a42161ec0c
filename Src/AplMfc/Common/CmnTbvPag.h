// The pages of an engine tab control, as the tab view (CmnTbv) and the tab dialog (CmnDlt) keep
// them: one element per tab in a list whose head also holds the tab control, its parameters and
// popup menu. Both windows take CmnTbvOpr as a second base beside their framework class, with
// their own record codes and the few points where they differ:
//
//   view:   codes 0x40001 / 0x40002, image pages (CmnTypImg) may share their type, OpenPage's
//           flag locks the tab;
//   dialog: codes 0x50001 / 0x50002, every type once, OpenPage's flag is a show flag (the tab
//           opens unlocked), and the dialog cancels itself when its last page closes.
//
// A page object is a CWnd (a dialog page) or, by its type, an engine control (CmnTypCtl) or a
// drawing area (CmnTypDra); its window is the tab's child. A page belongs to the list once it
// is open: closing its tab destroys its window and deletes it.
//
// Every operation but the record family, the flag getters and the element searches needs the
// pages ready (the derived window sets the flag once its tab control exists; -6 traced
// otherwise). Failures are traced under the operation's name; -12 (nothing found) is not.
#pragma once
#include "CmnDat.h"
#include "CmnDef.h"
#include "CmnRes.h"

class CmnDlgOpr;
class CCmdUI;

// The message-map entries of a tab window's commands: the edit and scale commands to its
// command target (OnTargetCmd, OnUpdateTargetCmd), the tab popup's to its tabs (OnTabCmd,
// OnUpdateTabCmd).
#define CMN_TBV_COMMAND_ENTRIES() \
    ON_COMMAND_EX(ID_EDIT_UNDO, &ThisClass::OnTargetCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &ThisClass::OnUpdateTargetCmd) \
    ON_COMMAND_EX(ID_EDIT_REDO, &ThisClass::OnTargetCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, &ThisClass::OnUpdateTargetCmd) \
    ON_COMMAND_EX(ID_EDIT_CUT, &ThisClass::OnTargetCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &ThisClass::OnUpdateTargetCmd) \
    ON_COMMAND_EX(ID_EDIT_COPY, &ThisClass::OnTargetCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &ThisClass::OnUpdateTargetCmd) \
    ON_COMMAND_EX(ID_EDIT_PASTE, &ThisClass::OnTargetCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &ThisClass::OnUpdateTargetCmd) \
    ON_COMMAND_EX(ID_EDIT_CLEAR, &ThisClass::OnTargetCmd) \
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, &ThisClass::OnUpdateTargetCmd) \
    ON_COMMAND_EX_RANGE(ID_CMN_SCA_DLG, ID_CMN_SCA_200, &ThisClass::OnTargetCmd) \
    ON_UPDATE_COMMAND_UI_RANGE(ID_CMN_SCA_DLG, ID_CMN_SCA_200, &ThisClass::OnUpdateTargetCmd) \
    ON_COMMAND_EX_RANGE(ID_CMN_TAB_NEW, ID_CMN_TAB_UNLOCK, &ThisClass::OnTabCmd) \
    ON_UPDATE_COMMAND_UI_RANGE(ID_CMN_TAB_NEW, ID_CMN_TAB_UNLOCK, &ThisClass::OnUpdateTabCmd)

// A page: record 0x40001 (TbvElm) of the view, 0x50001 (DltElm) of the dialog.
struct TbvElm {
    Lke lke;
    void* pPage; // the page object
    HWND hWnd;   // its window; key of CmnTbvSchHdl
    int iNo;     // the caller's page number
    int iTyp;    // the page's window type (CmnTypImg, CmnTypCtl, CmnTypDra or the caller's)
};
using DltElm = TbvElm;

// The page list with its tab control: record 0x40002 (TbvPag) of the view, 0x50002 of the dialog.
struct TbvPag {
    Lki lki;
    int bReady;           // the derived window's tab control and pages exist
    CWnd* pPrtTgt;        // the panel or dialog a print job or preview goes to (the view's)
    HWND hPrtFcs;         // the focus when that job began, given back at its end
    VkiTab* pTab;         // the engine tab control, freed with the list
    VkeTabParam tabParam; // its parameters: colours, popup menu, fixed pages, locks
    CMenu* pMenu;         // the tab's popup menu, deleted with the list
    HWND hTabWnd;
    int bFreeIdx;         // 1: OpenPage takes any index
    int bLockOpt;         // 1: the close commands respect locks and the lock commands work
};
using DltPag = TbvPag;

// Own search modes of the page elements.
enum {
    CmnTbvSchKey = 0x1001, // key: the page object
    CmnTbvSchTyp = 0x1002, // key: int*, the type
    CmnTbvSchNo = 0x1003,  // key: int*, the number
    CmnTbvSchHdl = 0x1004  // key: the page's window
};

// The record family of a page list: an element's end closes its tab when it is still there,
// destroys its window and deletes the page; the list's end frees the tab control and the menu
// after its elements.
class CmnTbvDat : public CmnDat {
public:
    // kinds: the element's and the list's code; repeatTyp: the one type several pages may share
    // (0 none; a search by it is refused with -9); pag: the owner's list, whose tab control an
    // element's tab is closed in.
    CmnTbvDat(const char* module, const CmnDatKind* kinds, int repeatTyp, TbvPag* pag)
        : CmnDat(module, kinds, 2), m_iRepeatTyp(repeatTyp), m_pPag(pag)
    {
    }
    int SchDat(int code, int mode, Lki* list, void* key, Dat** out) override;

protected:
    int TermRec(int code, Dat* p) override;
    int CopyRec(int code, Dat* to, Dat* from) override;
    bool IsKeyMode(int code, int mode) override;
    bool Match(int code, int mode, void* key, Dat* p) override;

private:
    int m_iRepeatTyp;
    TbvPag* m_pPag;
};

class CmnTbvOpr {
public:
    virtual ~CmnTbvOpr();
    CmnTbvOpr(const CmnTbvOpr&) = delete;
    CmnTbvOpr& operator=(const CmnTbvOpr&) = delete;

    // ---- Tab hooks (the window procedure calls them after the default handling) ----
    // The selection is about to change: 1 keeps the current tab when its page's data is wrong.
    virtual int OnTcnSelChanging();
    virtual int OnTcnSelChange() { return 0; }
    // The error or modified flag changed.
    virtual void OnChgFlag() {}

    // ---- Flags of the window; 0 also clears every page's ----
    virtual int SetErrorFlag(int value);
    virtual int GetErrorFlag() { return m_bError; }
    virtual int SetModifiedFlag(int value);
    virtual int GetModifiedFlag() { return m_bModified; }
    // 1 when the focused control or drawing area of the current page reports itself modified.
    virtual int IsCurPageModified();

    // ---- Data of the pages ----
    // Page index commits its data: 0, 1 without such a page, else the page's error (the page is
    // shown, and the main frame shows its message and focuses its control).
    virtual int GetData(int index);
    virtual int GetDataCur();
    // Every page in tab order; the first result other than 0.
    virtual int GetDataAll();

    // ---- Record family (CmnDat) of the element and list codes ----
    virtual int AllocDat(int code, Dat** out) { return m_dat.AllocDat(code, out); }
    virtual int FreeDat(int code, Dat** p) { return m_dat.FreeDat(code, p); }
    virtual int InitDat(int code, Dat* p) { return m_dat.InitDat(code, p); }
    virtual int TermDat(int code, Dat* p) { return m_dat.TermDat(code, p); }
    virtual int CopyDat(int code, Dat* to, Dat* from) { return m_dat.CopyDat(code, to, from); }
    virtual int DupDat(int code, Dat** out, Dat* from) { return m_dat.DupDat(code, out, from); }
    virtual int SchDat(int code, int mode, Lki* list, void* key, Dat** out)
    {
        return m_dat.SchDat(code, mode, list, key, out);
    }
    virtual int InsDat(int code, int mode, Lki* list, void* key, Dat* p) { return m_dat.InsDat(code, mode, list, key, p); }
    virtual int AddDat(int code, Lki* list, Dat* p) { return m_dat.AddDat(code, list, p); }
    virtual int DelDat(int code, int mode, Lki* list, void* key, Dat** out)
    {
        return m_dat.DelDat(code, mode, list, key, out);
    }

    // ---- Pages ----
    // The tab index of the page found by page object, type, number or window; -12 when none.
    virtual int SchPageByKey(void* page, int* index);
    virtual int SchPageByTyp(int type, int* index);
    virtual int SchPageByNo(int no, int* index);
    virtual int SchPageByHdl(HWND wnd, int* index);
    // 1 with the page object and its type when the tab exists, else 0 (both null).
    virtual int GetPage(int index, void** page, int* type);
    virtual int GetCurPage(void** page, int* type);
    virtual int GetRbcPage(void** page, int* type);
    // Opens a tab for the page at index (-1: the end): 0, also when the very page is open already
    // (its tab is shown); -9 for a clash with an open page (page object, window, number, or a type
    // other pages may not share).
    virtual int OpenPage(void* page, int index, int no, int type, int flag, const char* title);
    // Closes the tab, destroys the page and forgets it; 1 when a locked tab declines (flag 0).
    virtual int ClosePage(int index, int flag);
    // Ranges close from their last tab backwards: the first failure, else 1 when a tab declined.
    virtual int ClosePageAll(int flag);
    virtual int ClosePagePrevAll(int index, int flag);
    virtual int ClosePageNextAll(int index, int flag);
    virtual int ClosePageOtherAll(int index, int flag);
    // The engine's show operations; 1 (or 0 for nothing changed) is no failure.
    virtual int ShowPage(int index);
    virtual int ShowFirstPage();
    virtual int ShowLastPage();
    virtual int ShowPrevPage(int index, int wrap);
    virtual int ShowNextPage(int index, int wrap);
    virtual int GetPageCnt(int* out);
    // The tab last right-clicked, -1 none.
    virtual int GetRbcIdx(int* out);
    virtual int SetCurSel(int index);
    virtual int GetCurSel(int* out);
    virtual int SetLockedFlag(int index, int flag);
    virtual int GetLockedFlag(int index, int* out);
    virtual int SetTitle(int index, const char* title);
    virtual int GetTitle(int index, char* buffer, int size);
    // The focus to the tab control / to the current page's first control; 1 while not ready.
    virtual int SetFocusTab();
    virtual int SetFocusPage();
    // The tab control on the rectangle (the window's client coordinates); -9 when it is empty.
    virtual int MoveTab(const RECT& rect);
    // Invalidates the window (erase 0 or 1), then shows the current tab again.
    virtual int Redraw(int erase);

    const TbvPag& GetTbvPag() const { return m_pag; }

protected:
    // wnd: the window whose tab control it is; kinds: {element, list} codes; repeatTyp as in
    // CmnTbvDat; flagLocks: OpenPage's flag locks the tab (else it is a show flag).
    CmnTbvOpr(CWnd& wnd, const char* module, const CmnDatKind* kinds, int repeatTyp, bool flagLocks);

    // ---- Elements: the view and the dialog name these after their records ----
    // The element of the tab at index; -12 for a negative index or one past the tabs.
    int SchElm(int index, TbvElm** out);
    int SchElmByKey(void* page, TbvElm** out);
    int SchElmByTyp(int type, TbvElm** out);
    int SchElmByNo(int no, TbvElm** out);
    int SchElmByHdl(HWND wnd, TbvElm** out);
    int SchCurElm(TbvElm** out);
    int SchRbcElm(TbvElm** out);

    // ---- Start and end ----
    // A fresh list with the two options (each 0 or 1); the flags and the remembered focus clear.
    int InitPages(int freeIdx, int lockOpt);
    // The pages closed and deleted, then the tab control and the menu; ready 0.
    int TermPages();
    // The engine tab control over the window's item id with the colours and font of tab
    // controls, the popup menu and the two options; the pages are ready when it stands.
    int StartTab(int id, HMENU menu, int fixedPage, int ctlLock);
    // The tab control's text and back colour and font from the settings where they differ.
    void ApplyTabSettings();

    // ---- Bodies of the message handlers ----
    // The selection notice of the window's own tab control (TCN_SELCHANGING or TCN_SELCHANGE),
    // else 0.
    int TabNotice(UINT message, LPARAM lParam) const;
    // The hook of a notice TabNotice found.
    LRESULT RunTabNotice(int code);
    // The tab popup's commands (51152-51172) on the addressed tab: the right-clicked one, else
    // the selected one.
    void RunTabCmd(UINT id);
    void RunUpdateTabCmd(CCmdUI* pCmdUI);
    // Edit and scale commands: handed to CmdTarget's own map; off without a target.
    void RunTargetCmd(UINT id);
    void RunUpdateTargetCmd(CCmdUI* pCmdUI);
    // The window that gets the edit or scale command id: the current page when it is a window.
    virtual CWnd* CmdTarget(UINT id);
    // The last page was closed.
    virtual void OnLastPageClosed() {}

    // ---- Pages as objects ----
    // The operations of a window page (a dialog or a panel), else null.
    static CmnDlgOpr* Opr(CWnd* wnd);
    static CWnd* PageWnd(const TbvElm* e);
    // The focused engine control or drawing area of a page, and its kind (0 none).
    static int PageFocus(const TbvElm* e, void** obj);

    bool CheckReady(const char* name);
    int Fail(const char* name, int code) const;

    CWnd& m_wnd;
    const char* m_pszModule;
    int m_iElmCode;
    int m_iListCode;
    int m_iRepeatTyp;
    bool m_bFlagLocks;
    TbvPag m_pag;
    CmnTbvDat m_dat;
    int m_bError;
    int m_bModified;
    HWND m_hFcsWnd; // the remembered focus window

private:
    int SchElmBy(int mode, void* key, TbvElm** out);
    int IndexOf(const TbvElm* e, int* index);
    int CloseRange(int high, int low, int skip, int flag);
    int SetPagesFlag(bool error, int value);
    // Whether the command of id may run on the addressed tab.
    bool TabCmdEnabled(UINT id, int tab);
};
