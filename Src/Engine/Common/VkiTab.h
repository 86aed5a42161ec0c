// VkiTab: the engine's owner-drawn tab control. Every tab stands for one page, a child window the
// caller hands over; the control keeps one Tbi per tab in the item's lParam, shows the selected
// page on top of the others in its display area, paints the tabs in its own colours and font,
// pages with keys and the wheel, moves tabs by dragging and locks pages. One method per export.
#pragma once
#include "VkiObj.h"

class VkiSys;
class VkiSub;
class VkiDrw;

// The drag timer's id: one the common control does not use for its own timers.
#define VKI_TAB_DRAG_TIMER 0x5654

class VkiTab : public CTabCtrl, public VkiObjHead {
public:
    VkiTab() = default;
    // Destroys the window (which terminates the object), then releases what is left.
    ~VkiTab() override;

    // The utility object to trace through (null until bound).
    VkiSub* Sub() const { return m_pSub; }

    // ---- Object, window and parameters (VkeTabBsc.cpp) ----
    int Bind(VkiSys* sys);
    // The four create exports: style already masked by the caller's export.
    int CreateTab(DWORD style, DWORD tabExStyle, const RECT& rect, HWND parent, UINT id);
    int Destroy();
    int SubclassTab(HWND wnd);
    int SubclassTabItem(HWND dialog, int id);
    int UnsubclassTab(HWND* out);
    int SetWindowProc(WNDPROC proc, WNDPROC* old);
    int ResetWindowProc();
    int InitParam(VkeTabParam* param);
    int CheckParam(VkeTabParam* param, int* field, int* messageNo);
    int Init(VkeTabParam* param, int* field, int* messageNo);
    int Term();
    int SetProperty(int id, void* value);
    int GetProperty(int id, void* out);
    int GetName(char* buffer, int size);
    int GetTabHandle(HWND* out);
    int SetFont(const char* face, int size);
    int SetFontByLogFont(const LOGFONTA* font);
    int GetFontName(char* buffer, int size);
    int GetFontSize(int* out);
    int GetLogFont(LOGFONTA* out);
    int GetFontHandle(HFONT* out);
    int SetTextColor(COLORREF color);
    int SetBackColor(COLORREF color);
    int GetTextColor(COLORREF* out);
    int GetBackColor(COLORREF* out);
    int SetMenuHandle(HMENU menu);
    int GetMenuHandle(HMENU* out);
    int GetFixedPageFlag(int* out);
    int GetCtlLockFlag(int* out);
    int SetCtlLockFlag(int flag);
    int Redraw(int erase);
    int SetFocusTab();
    int IsFocus(int* out);
    // ---- end: object ----

    // ---- Pages (VkeTabOpr.cpp) ----
    int Move(const RECT* rect);
    int SetFocusPage();
    int OpenPage(int index, int pageNo, HWND child, int locked, const char* title);
    int ClosePage(int index, int force);
    int ClosePageAll(int force);
    int ClosePagePrevAll(int index, int force);
    int ClosePageNextAll(int index, int force);
    int ClosePageOtherAll(int index, int force);
    int MovePage(int from, int to);
    int ShowPage(int index);
    int ShowFirstPage();
    int ShowLastPage();
    int ShowPrevPage(int index, int wrap);
    int ShowNextPage(int index, int wrap);
    int SchPageByChdHdl(HWND child, int* out);
    int SchPageByPageNo(int pageNo, int* out);
    int GetPageCnt(int* out);
    int GetRbcIdx(int* out);
    int GetCurSel(int* out);
    int GetRbcChdHdl(HWND* out);
    int GetRbcPageNo(int* out);
    int GetTbi(int index, Tbi* out);
    int GetTbiByChdHdl(HWND child, Tbi* out);
    int GetTbiByPageNo(int pageNo, Tbi* out);
    int GetChdHdl(int index, HWND* out);
    int GetPageNo(int index, int* out);
    int GetCurChdHdl(HWND* out);
    int GetCurPageNo(int* out);
    int SelChanging(NMHDR* hdr, LRESULT* reply);
    int SelChange(NMHDR* hdr, LRESULT* reply);
    int SetCurSel(int index);
    int SetLockedFlag(int index, int flag);
    int GetLockedFlag(int index, int* out);
    int SetTitle(int index, const char* title);
    int GetTitle(int index, char* buffer, int size);
    // ---- end: pages ----

private:
    // ---- Helpers of the pages (VkeTabOpr.cpp) ----
    bool IsIndex(int index) const { return index >= 0 && index < m_iPageCnt; }
    // The control's own selection (-1 none).
    int Selected() const { return CTabCtrl::GetCurSel(); }
    // The record of a tab, or null.
    Tbi* TbiAt(int index) const;
    // A copy of a page's record: -1 when it has no window.
    int GetPage(int index, Tbi* out);
    // The first position holding the window / the page number, or -1.
    int FindChild(HWND child) const;
    int FindPageNo(int pageNo) const;
    // The title of a tab, at most 1023 bytes cut on a character boundary; false when it cannot be read.
    bool ReadTitle(int index, char* buffer, int size) const;
    // The client rectangle below the tabs, where the pages show.
    RECT DisplayArea();
    // Deletes a tab; the whole control repaints when that changes the display area.
    bool DeleteTab(int index);
    // Fits every page's window to the display area (-1 at the first tab without a window).
    int FitPages();
    // Where a new page goes (-1 with 0: open already under that number).
    int Place(int index, int pageNo, HWND child, int* at) const;
    // Closes the positions from high down to low: the first failure, else 1 when a page stayed.
    int CloseDown(int high, int low, int force);
    // Fills the record and sends it to the parent as WM_NOTIFY; the parent's answer.
    LRESULT Notify(NMHDR* hdr, UINT code) const;
    // The two notices in a record of their own: the parent's answer to TCN_SELCHANGING.
    int Changing(LRESULT* reply);
    int Change();
    bool InPreview() const;
    // The window's rectangle in its parent's client coordinates.
    RECT OwnRect() const;
    // Moves the window and fits the pages; nothing during a print preview.
    int MoveTo(const RECT& rect);
    // The tab under x as the drag and the timer see it: -1 in a gap or without tabs.
    int TabUnderX(int x) const;
    // The tab under a client point (TCM_HITTEST), or -1.
    int TabAt(POINT pt) const;
    // Sends a notice to the parent; 0 without a parent.
    LRESULT SendParent(UINT message, WPARAM wParam, LPARAM lParam) const;
    void EndDrag();
    // ---- end: helpers ----

    // ---- Object helpers (VkeTabBsc.cpp) ----
    // Back to the construction defaults, keeping the bindings and the window.
    void Reset();
    // Termination: frees every record and tab, the font and the pens; -1 when a tab failed.
    int Terminate();
    int ReadDefaultFont(HDC dc, LOGFONTA* out);
    int MakePens(COLORREF color);
    // ---- end: object helpers ----

    // ---- Message handlers (VkeTabWnd.cpp) ----
    afx_msg void OnDestroy();
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    // The wheel keeps its message's values for the parent and its full answer.
    afx_msg LRESULT OnWheel(WPARAM wParam, LPARAM lParam);
    // Paints the strip, the control's own frame and then every tab over it.
    void PaintTabs(HDC dc);
    // The scroll arrows of the paint's update area repaint.
    void RefreshArrows(const RECT& update);
    // The page of the paint's update area repaints what the tabs covered.
    void RefreshPage(const RECT& update);
    // The brush behind the tab strip: the parent's answer to WM_CTLCOLORDLG, else COLOR_BTNFACE.
    HBRUSH StripBrush(HDC dc) const;
    // The strip of the tabs: the client rectangle cut off at the top of the display area.
    RECT StripRect();
    DECLARE_MESSAGE_MAP()
    // ---- end: handlers ----

public:
    // ---- State ----
    VkiSys* m_pSys = nullptr;
    VkiSub* m_pSub = nullptr;
    VkiDrw* m_pDrw = nullptr;
    int m_iSubclassed = 0;
    int m_iProcSwapped = 0;
    WNDPROC m_pfnFirstOld = nullptr; // the procedure the first swap replaced
    COLORREF m_uTextColor = GetSysColor(COLOR_BTNTEXT);
    COLORREF m_uBackColor = GetSysColor(COLOR_BTNFACE);
    HMENU m_hMenu = nullptr;
    int m_iFixedPage = 0;
    int m_iCtlLock = 0;
    int m_iPageCnt = 0;
    int m_iRbcIdx = -1;
    int m_iDragTimerOn = 0;
    UINT_PTR m_uDragTimerId = VKI_TAB_DRAG_TIMER;
    int m_iDragging = 0;
    int m_iDragIdx = -1;
    LOGFONTA m_lf = {};
    HFONT m_hFont = nullptr;
    HPEN m_hFramePen = nullptr;
    HPEN m_hFocusPen = nullptr;
    HCURSOR m_hPrevCursor = nullptr;
    HCURSOR m_hArrowCursor = nullptr;
    HCURSOR m_hDragCursor = nullptr;
    // ---- end: state ----
};

// A re-entry flag held for a scope: Busy() when it was raised already (by an outer call).
// The flags of the tab control are shared by all its objects on the thread.
class VkiTabGuard {
public:
    explicit VkiTabGuard(int& flag) : m_flag(flag), m_busy(flag != 0) { m_flag = 1; }
    ~VkiTabGuard()
    {
        if (!m_busy) m_flag = 0;
    }
    VkiTabGuard(const VkiTabGuard&) = delete;
    VkiTabGuard& operator=(const VkiTabGuard&) = delete;
    bool Busy() const { return m_busy; }

private:
    int& m_flag;
    bool m_busy;
};

// The five re-entry flags: wheel, page move, the two selection notices, lock change.
struct VkiTabFlags {
    int wheel, move, changing, change, lock;
};
extern thread_local VkiTabFlags g_vkiTabFlags;
