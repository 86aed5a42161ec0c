// The file list: a list-view control that shows the items of one shell folder in one of five view
// modes (1 thumbnails, 2 icons, 3 small icons, 4 list, 5 details), sorted by one of six column
// kinds (1 name, 2 type, 3 size, 4 accessed, 5 modified, 6 created; the numbers are stored in the
// settings), and paints the thumbnails of image files itself.
//
// The list enumerates a folder on the calling thread (SetList); worker 0 moves the elements into
// the control, handing them to the user-interface thread in batches, and worker 1 warms the
// image service's thumbnail cache. Both are started suspended and stop only through their own
// stop events; whoever waits for them (WaitThread) handles messages meanwhile, and the main frame
// must refuse to close while IsPumping says so. Every operation that changes the elements or the
// control's items stops the workers first.
//
// What the list tells the main frame, each sent with wParam the list's window:
//   CmnWmChgSel  lParam a CmnVarItmIdl {null, the item's full list, 0}: an item became selected
//                (the frame acts only on the folder tree's; the list is freed after the send);
//   CmnWmSelImg  lParam the picked item's path: a click, a key or SetCurPath / SetCurSel picked
//                it (the preview or the selected-image page shows it);
//   CmnWmActImg  lParam 0: a click or Return without a newly selected item;
//   CmnWmOpnDir  lParam a folder path: Return or a double click on one selected folder.
// It asks the main frame for the focus with CmnSub::PostSetFocus.
//
//   CmnLscFil* list = new CmnLscFil;
//   list->CreateEx(exStyle, WC_LISTVIEWA, nullptr, style, rect, panel, id);
//   list->Init();                       // the settings of theCmnAppInf.lscFii; no folder yet
//   list->SetList(root, folderList);    // the folder's items, sorted, filled by worker 0
//   list->SetCurPath(path, 1);          // selects and picks a file of it
//   ...
//   list->Term(); list->DestroyWindow(); delete list;
//
// Every operation but Init refuses with -6 while the list is not initialised; failures are
// traced under "CmnLscFilBsc" (object, settings, filling, sorting, scrolling, selection) or
// "CmnLscFilPro" (threads, comparing, notifications, records, items, image lists, drawing,
// columns) and the operation's name; 3 (stopped, or a folder that cannot be bound or listed) is
// never traced.
#pragma once
#include "CmnDat.h"
#include "CmnVar.h"
#include <shlobj.h>
#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

class CmnLscFilShl;

enum {
    CmnLscFilCodElm = 0x30001, // LscFilElm
    CmnLscFilCodLst = 0x30002, // LscFilLst
    CmnLscFilSchIdl = 0x1001   // search key: an item-id list, equal by path or by list
};

// The view modes and the column kinds.
enum { LscModeTmn = 1, LscModeIco = 2, LscModeSml = 3, LscModeLst = 4, LscModeRpt = 5, LscModeCnt = 5 };
enum { LscColNam = 1, LscColTyp = 2, LscColSiz = 3, LscColAcs = 4, LscColMdf = 5, LscColCre = 6 };

// One item of the folder (record 0x30001), owned by the element list.
struct LscFilElm {
    Lke lke;
    LPITEMIDLIST pIdlFolder;        // a duplicate of the folder's list
    LPITEMIDLIST pIdl;              // the item's full list, the element's key
    int iItem;                      // its index in the control, -1 when not shown
    int aiImage[LscModeCnt];        // icon index per mode, -1 not yet; mode 1: -2 once warmed
    HBITMAP hTmn;                   // a thumbnail held for painting (under the image lock)
    double dSize;                   // the size as shown (KB for files)
    int iTimeAcs, iTimeMdf, iTimeCre; // seconds since 1970
    AppMem amCol[CmnLstColCnt];     // the column texts, one per position of the kind list
    // Kept from the folder's own answers, so that comparing, filtering and the workers ask
    // nothing of the shell or the file system again.
    AppMem amPath;                  // the file-system path, empty for other items
    int bFolder;                    // a folder of the file system
    int bNormal;                    // a normal file
    LONG lTmnReq;                   // painting's request: LscTmnReq... (both threads, interlocked)
    LONG lTmnQueued;                // 1 while in painting's queue (both threads, interlocked)
};
enum { LscTmnReqNone = 0, LscTmnReqQueued = 1, LscTmnReqFilled = 2, LscTmnReqEmpty = 3 };

// The element list (record 0x30002): an engine list head of LscFilElm.
typedef Lki LscFilLst;

// The compare context: the list, the sort position and kind, the direction.
struct LscFilCmp {
    class CmnLscFil* pList;
    int iPos;
    int iKind;
    int bAscent;
};

// What thumbnail painting and scrolling compute from the control's geometry, apart from it.
struct LscScrGeo {
    int iCount;         // items
    SIZE sizClient;     // client area
    SIZE sizSpacing;    // icon spacing
    int bLeftToRight;   // the items run in columns from left to right (horizontal scrolling)
    int bNextStarts;    // the item after the first line starts a line of its own
    POINT ptOrigin;     // the view's origin (GetOrigin)
};

class CmnLscFil : public CListCtrl {
    DECLARE_DYNAMIC(CmnLscFil)

public:
    CmnLscFil();
    ~CmnLscFil() override;

    // ---- Message handlers: TRUE when handled ----
    // Return on one selected folder opens it (CmnWmOpnDir); otherwise a newly selected item is
    // picked (CmnWmSelImg), Return alone activates (CmnWmActImg).
    virtual BOOL OnWmKeyUp(UINT message, UINT key, UINT flags);
    // Posts one page scroll (and an end-scroll) per notch, after offering the wheel to the
    // parent.
    virtual BOOL OnWmMouseWheel(UINT message, WPARAM wParam, LPARAM lParam);
    // Thumbnail mode scrolls by its own lines; FALSE lets the control scroll itself.
    virtual BOOL OnWmHScroll(UINT message, int code, int position);
    virtual BOOL OnWmVScroll(UINT message, int code, int position);
    virtual BOOL OnNmClick(NMHDR* pNMHDR, LRESULT* pResult);
    // The context menu's first sub-menu at the click, owned by the parent.
    virtual BOOL OnNmRClick(NMHDR* pNMHDR, LRESULT* pResult);
    virtual BOOL OnNmDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    // The last item deleted alone: the list scrolls to the one before it.
    virtual BOOL OnLvnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    // An item newly selected becomes the current path and the pending item (CmnWmChgSel).
    virtual BOOL OnLvnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    // Sorts by the clicked column: ascending, or reversed on the sorted ascending one.
    virtual BOOL OnLvnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    virtual BOOL OnLvnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    virtual BOOL OnLvnBeginRDrag(NMHDR* pNMHDR, LRESULT* pResult);
    // Details mode: the item's top half a client height below the top, then the focus.
    virtual int ScrollListCenter(int item);

    // ---- Records 0x30001 (elements) and 0x30002 (the element list) ----
    virtual int AllocDat(int code, Dat** out);
    virtual int FreeDat(int code, Dat** p);
    virtual int InitDat(int code, Dat* p);
    virtual int TermDat(int code, Dat* p);
    virtual int CopyDat(int code, Dat* to, Dat* from);
    virtual int DupDat(int code, Dat** out, Dat* from);
    // The engine's modes 1 and 2, and CmnLscFilSchIdl (key an item-id list): the element of the
    // same path or the same list, from the list's cursor round; -12 when none.
    virtual int SchDat(int code, int mode, Lki* list, void* key, Dat** out);
    virtual int InsDat(int code, int mode, Lki* list, void* key, Dat* p);
    virtual int AddDat(int code, Lki* list, Dat* p);
    virtual int DelDat(int code, int mode, Lki* list, void* key, Dat** out);
    // The element at a 1-based position / of an item-id list.
    virtual int SchLscFilElm(int index, LscFilElm** out);
    virtual int SchLscFilElmByKey(LPCITEMIDLIST key, LscFilElm** out);

    // ---- Items and image lists ----
    // Fills the control from the elements through worker 0 (on this thread when it cannot start).
    virtual int SetListCtrl();
    // One element at index: 1 (not shown) when the pattern leaves a file out, else inserted
    // (insert 1) or brought up to date.
    virtual int SetListItem(int insert, int index, const char* pattern, LscFilElm* elm);
    virtual int OpenImageList(int mode);
    virtual void CloseImageList(int mode);
    // The current mode's image list into the control (and the sort images into the header).
    virtual int SetImage();
    // The item's icon in the current mode's system image list (*out -1 in mode 1; -2 and -8
    // when the shell gives none).
    virtual int AddImage(LPCITEMIDLIST list, int* out);
    // Details mode: the sort image on the column of kind (0 ascending, 1 descending).
    virtual int SetHeaderImage(int kind, int ascending);
    // The thumbnails of the cells meeting update (client coordinates).
    virtual int Draw(HDC dc, const RECT* update);
    // One thumbnail centred in cell: 0 drawn, 1 none to draw yet (painting never makes one).
    virtual int DrawImage(HDC dc, const RECT* cell, LscFilElm* elm);
    // The details view's columns anew from the settings.
    virtual int CreateColumn();
    // The element's size, times and column texts.
    virtual int SetColumn(IShellFolder* folder, LPCITEMIDLIST folderList, LPCITEMIDLIST item, LPCITEMIDLIST full,
                          LscFilElm* elm);
    virtual int SetColumnWidth();
    // Starts worker 0 (filling) or 1 (thumbnails), stopping a running one first.
    virtual int BeginThread(int worker);
    virtual void SetPathName(const char* path);

    // ---- Start and end ----
    // The settings, pens, records, columns, header images and the view mode; -7 when
    // initialised already.
    virtual int Init();
    // Stops the workers; every item, image list, record, pen and font goes. Also on WM_DESTROY.
    virtual int Term();
    int IsInit() const { return m_bInit; }

    // ---- Font, colours and menu ----
    virtual int SetFont(const char* face, int points);
    virtual int SetFontByLogFont(const LOGFONTA* pFont);
    virtual int GetFontName(char* buffer, int size);
    virtual int GetFontSize(int* points);
    virtual int GetLogFont(LOGFONTA* pFont);
    virtual int SetTextColor(COLORREF color);
    virtual int GetTextColor(COLORREF* color);
    // The list's and the text's back colour, the back pen and brush.
    virtual int SetBackColor(COLORREF color);
    virtual int GetBackColor(COLORREF* color);
    virtual int SetTextBackColor(COLORREF color);
    virtual int GetTextBackColor(COLORREF* color);
    virtual int SetMenuHandle(HMENU menu);
    virtual int GetMenuHandle(HMENU* menu);
    virtual int Redraw(int erase);

    // ---- Settings ----
    // The application's file-list settings (theCmnAppInf.lscFii, iCntImgCacTmn) take effect:
    // thumbnails, view mode, columns and widths, each only when changed.
    virtual void SetLscFii();
    // The user's column order and widths read back; the list's settings to the application.
    virtual void GetLscFii();
    virtual int SetListViewMode(int mode);
    virtual int GetListViewMode();
    // Details mode: the column order and widths into the settings, the sort column followed.
    virtual int GetColumnInf();
    // The settings the list holds.
    const LscFii& GetSettings() const { return m_fii; }

    // ---- Filling ----
    // Shows the folder (root 1: the desktop itself): enumerated here, sorted, filled through
    // worker 0. 3 (untraced) when the folder cannot be bound or listed.
    virtual int SetList(int root, LPCITEMIDLIST folder);
    // The bodies of worker 0 and worker 1.
    virtual int SetListCtrlBackground();
    virtual int AddImageBackground();
    // The elements worker 1 warms: the last ones, as many as the cache keeps (the setting, at
    // most CmnImgMaxTmn), never more than there are.
    static int WarmCount(int elements, int setting);
    // kind 1-6, ascending 0/1; the settings keep the sort column and direction.
    virtual int SortList(int kind, int ascending);
    virtual int SortListByCol(int index, int ascending);

    // ---- Scrolling ----
    virtual int GetOrigin(POINT* out);
    // Thumbnail mode's scroll information (lines of items) and the items per line; 1 in other
    // modes and in an empty list.
    virtual int GetHScrInfo(SCROLLINFO* info, int* perLine);
    virtual int GetVScrInfo(SCROLLINFO* info, int* perLine);
    virtual int GetHScrPos();
    virtual int GetVScrPos();
    // Posts a page scroll per notch: 0, or 1 when there is nothing to scroll.
    virtual int MouseWheel(UINT keys, short delta);
    // Thumbnail mode: a scroll code, the position an item index; 1 lets the control scroll.
    virtual int HScroll(int code, int position);
    virtual int VScroll(int code, int position);

    // ---- Filter, paths and selection ----
    // A file-name pattern (PathMatchSpecA, trimmed; "" shows everything): the items shown
    // change, the elements do not. Folders are always shown.
    virtual void SetFilter(const char* text);
    virtual CString GetFilter();
    // A copy of the current folder's record.
    virtual int GetItmSli(CmnVarItmIdl* out);
    // An item's path; empty on failure.
    virtual CString GetPathName(int item);
    // The path of the item last selected or picked.
    virtual CString GetCurPathName();
    // The first item showing the list's (or path's) item, after the filling ended: -12 and -1
    // when none.
    virtual int Search(LPCITEMIDLIST list, int* out);
    virtual int Search(const char* path, int* out);
    // Selects, shows and picks (CmnWmSelImg) the item of path; -12 when the list holds none.
    // Without force a path equal to the current one is 0.
    virtual int SetCurPath(const char* path, int force);
    // Waits for worker 0 or 1, stopping it first when stop is 1; answers the messages it sends
    // meanwhile. Stopping the filling stops the thumbnails too. 0 at once on the worker itself.
    virtual int WaitThread(int worker, int stop);
    virtual int IsActiveThread(int worker);
    // The first selected item's path; *selected 1 when any is, *folder 1 when exactly one is
    // selected and it is a folder.
    virtual CString IsSelected(int* selected, int* folder);
    virtual int IsEnableEditSelAll(int* out);
    virtual void EditSelAll();
    // Selects, shows and picks item (-1: none, the current path emptied).
    virtual int SetCurSel(int item);
    // The current path's item, -1 when none.
    virtual int GetCurSel(int* out);
    // The first item from from on, round to the first, that shows a normal file (one that shows
    // passes, when given); -1 when none does. *files (when given): how many items show one.
    int NextFileItem(int from, int* files, bool (*shows)(const CString& path) = nullptr);

    // Whether the Return key that went down opened the selected files (its panel's doing): its
    // release then picks and activates nothing.
    void SetReturnOpened(int opened) { m_bRetOpened = opened; }
    // 1 while a wait for a worker handles a message: the main frame must not close then.
    int IsPumping() const { return m_bPump[0] || m_bPump[1]; }
    // The element list, for reading while no worker runs.
    const LscFilLst& GetElements() const { return m_lst; }

    // ---- Rules the list follows, apart from any window ----
    // The order of two elements by kind before the direction: ids (asked only when needed) is
    // the shell's order of their items; pos the kind's position among the column texts.
    static int CompareRule(const LscFilElm* a, const LscFilElm* b, int kind, int pos, const std::function<int()>& ids);
    // The thumbnail cell centred in an item's icon rectangle.
    static RECT CellRect(const RECT& icon, int width, int height);
    // The selection frame around a cell and the rectangle outside it.
    static RECT FrameRect(const RECT& cell);
    static RECT OuterRect(const RECT& cell);
    // Thumbnail mode's scroll information in the scrolling direction (see GetVScrInfo).
    static int ScrollInfo(const LscScrGeo& geo, SCROLLINFO* info, int* perLine);
    // The line a scroll code moves to from info.nPos, clamped (the minimum wins); position is
    // an item index.
    static int ScrollTarget(const SCROLLINFO& info, int perLine, int code, int position);
    // The filter's pattern for a folder path: the folder, one backslash, the filter.
    static CString MatchPattern(const char* folder, const char* filter);

protected:
    // A scroll bar's message in either direction.
    BOOL OnWmScroll(bool horizontal, int code, int position);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnCmnWmChgOpt(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnLvnDeleteAllItems(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnLscWmFill(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLscWmFillEnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLscWmTmnDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLscWmTmnStart(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct Batch;
    struct ReqQueue;
    static UINT GF_CmnLscFilThrPrcSetLstCtl(LPVOID param);
    static UINT GF_CmnLscFilThrPrcAddImg(LPVOID param);
    static int GF_CmnLscFilCmpPrc(const LscFilElm* a, const LscFilElm* b);
    static int GF_CmnLscFilCmpPrc2(const void* a, const void* b);

    bool CheckInit(const char* name, const char* module);
    int TakeColor(const char* name, COLORREF color);
    // Ends the folder shown: items, pending item, elements, image lists, the bound folder.
    void ClearFolder();
    void DeleteItems();
    // The control's item showing elm, or -1.
    LscFilElm* ItemElement(int item) const;
    int Kinds(int pos) const { return m_fii.iTypLstCol[pos]; }
    // The kind of the settings' sort column; 0 when its index names no shown column.
    static int SortKind(const LscFii& fii);
    int KindPos(int kind) const;
    int ColumnKind(int column) const;
    int ColumnOf(int kind) const;
    // The width a column of kind at the kind list's pos is made with (a time column at the
    // default width fits a time whole).
    int ShownWidth(int kind, int pos);
    // The pattern of the filter for the current folder ("" matches everything).
    CString Pattern();
    bool Matches(const char* pattern, const LscFilElm* elm) const;
    // Worker 0's stages on this thread: the start, a batch, the end.
    int BeginFill();
    int FillBatch(Batch* batch);
    void FinishFill(bool stopped);
    // Hands a batch to this thread (sent from worker 0).
    int HandBatch(Batch* batch);
    // One thumbnail for worker 1; 3 when stopped.
    int WarmElement(LscFilElm* elm, const char* pattern, bool request);
    // Painting's requests to worker 1 (busy: the image lock was held elsewhere).
    void RequestTmn(LscFilElm* elm, bool busy);
    void ResetTmnRequests();
    // Releases a held thumbnail (the caller holds the image lock).
    void ReleaseTmn(LscFilElm* elm);
    int AddImageOf(const LscFilElm* elm, LPCITEMIDLIST list, int* out);
    int ShowItem(int item);
    // Picks the pending item: CmnWmSelImg, the focus, the item centred in details mode.
    void PickPending();
    // A key pressed on the list waits in the queue.
    bool KeyWaits();
    void SendToFrame(UINT message, LPARAM lParam);
    // One selected folder's path, else empty.
    CString SelectedFolder();
    int ScrollBy(bool horizontal, int code, int position);
    LscScrGeo ScrollGeo(bool horizontal);
    int IsLeftToRight() const;

    int m_bInit;
    int m_bTerminating;
    COLORREF m_clrTextBack;
    HMENU m_hMenu;
    int m_bPending;
    int m_iPending;
    int m_aiColKind[CmnLstColCnt]; // the kinds the columns were made from, in kind-list order
    LscFilLst m_lst;
    Drm m_drm;
    CWinThread* m_pThr[2];
    HANDLE m_hStop[2];
    CFont m_font;
    LOGFONTA m_lf;
    CPen m_penBlack, m_penBack, m_penDot, m_penBlue;
    CBrush m_brBack;
    int m_iCntTmn;
    LscFii m_fii;
    HIMAGELIST m_hImgLst[LscModeCnt + 1]; // by mode; [0] the header's sort images
    char m_amFilter[CmnPathSize];
    CmnVarItmIdl m_sli;
    CString m_strCurPath;
    int m_bPump[2];

    // Beside the fields of the design: the folder bound for the shell's answers and comparisons
    // (this thread's), what the shell said per extension, the fill's state, painting's queue.
    IShellFolder* m_pFolder;
    CmnLscFilShl* m_pShl;
    int m_bDeleting;                  // items deleted together: no scrolling per item
    int m_bFillOpen;                  // a fill began and has not finished
    int m_bRedrawOff;                 // the fill switched redrawing off
    int m_bFillInsert;                // the fill inserts (the control was empty)
    int m_iFillFirst;                 // the first failure of the fill's batches
    std::atomic<int> m_iFillRc{0};    // worker 0's result, read after its end
    std::atomic<int> m_iGen{0};       // changes whenever the elements may go or move
    CString m_strPattern[2];          // each worker's filter pattern, made before it starts
    ReqQueue* m_pReq;
    std::atomic<int> m_bTmnPosted{0}; // a start of worker 1 is posted
    std::atomic<int> m_bTmnOpen{0};   // worker 1 runs and still takes painting's requests
    int m_bPainting;
    int m_bRetOpened; // the Return key down opened files
};

// Painting's requests: one producer (the user-interface thread), one consumer (worker 1). An
// element stands in it once at most (its lTmnQueued), and it has room for every element of the
// list while the worker runs (Reserve), so no request is ever refused.
struct CmnLscFil::ReqQueue {
    std::vector<LscFilElm*> apElm = std::vector<LscFilElm*>(512); // a power of two long
    std::atomic<unsigned> uHead{0}; // the next to take
    std::atomic<unsigned> uTail{0}; // the next free place
    bool Push(LscFilElm* elm)
    {
        unsigned tail = uTail.load();
        if (tail - uHead.load() >= apElm.size()) return false;
        apElm[tail & (apElm.size() - 1)] = elm;
        uTail.store(tail + 1);
        return true;
    }
    LscFilElm* Pop()
    {
        unsigned head = uHead.load();
        if (head == uTail.load()) return nullptr;
        LscFilElm* elm = apElm[head & (apElm.size() - 1)];
        uHead.store(head + 1);
        return elm;
    }
    bool Empty() const { return uHead.load() == uTail.load(); }
    // Only while no worker runs.
    void Clear() { uHead.store(uTail.load()); }
    // Room for count elements, the waiting ones kept in order; only while no worker runs.
    void Reserve(size_t count)
    {
        size_t size = apElm.size();
        while (size < count) size *= 2;
        if (size == apElm.size()) return;
        std::vector<LscFilElm*> waiting;
        while (LscFilElm* elm = Pop()) waiting.push_back(elm);
        apElm.assign(size, nullptr);
        uHead.store(0);
        uTail.store(0);
        for (LscFilElm* elm : waiting) Push(elm);
    }
};

// The list's private messages (to its own window).
enum {
    LscWmFill = 0x9101,    // wParam 0 the start, 1 a batch (lParam Batch*): sent by worker 0
    LscWmFillEnd = 0x9102, // wParam the generation: worker 0 ended (posted)
    LscWmTmnDone = 0x9103, // wParam the generation, lParam the element: a requested thumbnail made (posted)
    LscWmTmnStart = 0x9104 // worker 1 is wanted for painting's requests (posted)
};

// Traces a failure of the list under one of its two source names and returns it.
int CmnLscFilBsc(int line, const char* name, int code);
int CmnLscFilPro(int line, const char* name, int code);
#define LSC_BSC(name, code) CmnLscFilBsc(__LINE__, (name), (code))
#define LSC_PRO(name, code) CmnLscFilPro(__LINE__, (name), (code))
