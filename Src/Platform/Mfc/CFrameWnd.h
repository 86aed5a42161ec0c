// A frame window: a top-level window with a menu, an icon and a title, its control bars laid
// out around one pane (the child window AFX_IDW_PANE_FIRST), dock bars on the sides it enables,
// floating frames for the bars that float, and the bar state kept in the profile. Made by a
// document template, its pane is a view of the document; commands from its menu, accelerators
// and bars go to the active view, its document, the frame and the application in turn.
//
// A frame lives on the heap: it deletes itself after its window is gone. Destroying the
// thread's main window clears m_pMainWnd and ends the thread's message loop.
#pragma once
#include "CControlBar.h"
#include <string>
#include <vector>

class CDockBar;
class CDocument;
class CView;
// What the document template hands to a new frame: the view class and the document.
struct CCreateContext;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)

public:
    CFrameWnd();
    // Leaves the bars alone: the window, when it still exists, goes with CWnd.
    ~CFrameWnd() override;

    static const CRect rectDefault; // the system's default position and size

    // lpszMenuName: the menu of the frame (none when null or missing).
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // The frame of resource nIDResource: its menu, icon and accelerators (each when present)
    // and its title, the text of string nIDResource before the first "\n".
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // FWS_ADDTOTITLE brings FWS_PREFIXTITLE ("document - application"); a program that wants
    // the application first takes it away again in its own PreCreateWindow.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    UINT m_nIDHelp;         // the resource id of LoadFrame
    HMENU m_hMenuDefault;   // the menu the frame was created with
    HACCEL m_hAccelTable;   // the accelerators of LoadFrame (destroyed by the system at exit)

    // ---- Title ----
    // The application part of the title; the caption follows at the next idle time.
    void SetTitle(LPCSTR lpszTitle);
    CString GetTitle() const { return m_strTitle; }
    // Sets the caption: with FWS_ADDTOTITLE and bAddToTitle, the active document's title joins
    // the frame's.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // "document - title" with FWS_PREFIXTITLE, else "title - document"; the title alone for
    // no document.
    void UpdateFrameTitleForDocument(LPCSTR lpszDocName);
    void DelayUpdateFrameTitle() { m_bDelayTitle = TRUE; }

    // ---- Layout ----
    // Bars directly on the frame (the status bar at the bottom, a rebar at the top) across the
    // client area first, then the top and bottom dock bars across, the left and right dock bars
    // between them, and the pane in the rest. A call during a layout does nothing. Floating
    // frames and ShowControlBar's delayed changes follow. bNotify is kept for callers.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Lays out at the next idle time.
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    // Makes the dock bars of the sides in dwDockStyle (CBRS_ALIGN_ bits).
    void EnableDocking(DWORD dwDockStyle);
    // Docks the bar in the dock bar nDockBarID (0: the side the bar is aligned to when it may
    // dock there, else the first it may dock on in the order top, bottom, left, right). lpRect,
    // in screen coordinates, picks the row or column and the place in it; without one the bar
    // starts a new row after the others.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    // Floats the bar in its own floating frame whose window's top-left corner is point
    // (screen), moved where it must to lie wholly in the work area of its monitor; dwStyle's
    // CBRS_ALIGN_ bits give its orientation.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // Shows or hides a bar (a floating bar with its floating frame); bDelay: at the next layout.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID) const;
    CDockBar* GetDockBar(UINT nDockBarID) const;
    // How much the left and right dock bars may still widen together, and the top and bottom
    // ones grow in height together, at the sizes their bars want: the pane keeps at least
    // kLeastPane each way. Negative when the layout narrows the columns already.
    int GetSideDockRoom() const;
    int GetAcrossDockRoom() const;
    // The pane is never laid out narrower or lower than this while the bars can give way.
    enum { kLeastPane = 50 };
    // The bars of the frame, in the order they were created (dock bars not included).
    std::vector<CControlBar*> m_listControlBars;
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);

    // ---- Bar state in the profile ----
    // One section: "Bars" (count), "ScreenCX", "ScreenCY" and "Bar<n>" =
    // "id,visible,dock bar id (0 none, AFX_IDW_DOCKBAR_FLOAT floating),row,x,y,floating width".
    void SaveBarState(LPCSTR lpszProfileName) const;
    // A damaged section changes nothing; bars the frame does not have are skipped; a floating
    // bar that would lie off the screen is moved onto it.
    void LoadBarState(LPCSTR lpszProfileName);

    // ---- Status prompts ----
    // The prompt of a command: its string before the first "\n" (empty when none).
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCSTR lpszText);
    // The prompt of nID; without one the idle message (AFX_IDS_IDLEMESSAGE), else empty.
    void SetMessageText(UINT nID);
    // The status bar (AFX_IDW_STATUS_BAR), or null.
    CWnd* GetMessageBar() const;

    // Alt+F4 and F10 of its windows (TakeSystemKey), then the frame's accelerators after the
    // usual filtering.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- Views and documents ----
    // Menu items that have neither a command nor an update handler anywhere on the command
    // route are disabled when their popup opens (TRUE by default).
    BOOL m_bAutoMenuEnable;
    CView* GetActiveView() const { return m_pViewActive; }
    // With bNotify the old view hears OnActivateView(FALSE) and the new one OnActivateView(TRUE).
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    // The active view's document, or null.
    virtual CDocument* GetActiveDocument();
    // The view of the creation context as child window nID; null when it cannot be made.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // The pane's view becomes the active view when there is none; with bMakeVisible every view
    // gets its initial update and the frame is shown (the application's m_nCmdShow the first
    // time for its main window) and activated; the caption takes the document's title.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame (nCmdShow -1: as it is, normal when hidden, restored when minimised) and
    // brings it to the top.
    virtual void ActivateFrame(int nCmdShow = -1);
    // The active view (and through it its document) first, then the frame's own map, then the
    // application's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Set while a print preview shows in the frame: closing the frame then ends the preview.
    void (*m_lpfnCloseProc)(CFrameWnd* pFrameWnd);

protected:
    // Makes the frame's client windows: the view of the creation context, when it names one.
    virtual BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // Ends a print preview when one shows. Otherwise asks the active document (CanCloseFrame);
    // closing the main window closes every document (and so ends the loop), closing a
    // document's only frame closes the document.
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    // The floating frames of its bars stay in front of the frame: when it is shown, moved in
    // the stacking order or activated, it stacks them anew once the window system is done
    // (and shows those that waited for it to show).
    afx_msg void OnWindowPosChanged(WINDOWPOS* pPos);
    afx_msg LRESULT OnFloatsToFront(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CString m_strTitle;
    BOOL m_bInRecalcLayout;
    BOOL m_bDelayRecalc;
    // The client size the bars were last laid out for: a WM_SIZE of the same size (the one a
    // frame gets when it is first shown after it was laid out hidden) lays out nothing.
    CSize m_sizeLayout = CSize(-1, -1);
    BOOL m_bDelayTitle;
    UINT m_nIDTracking;    // what the message pane should show
    UINT m_nIDLastMessage; // what it shows
    CDockBar* m_pDockBars[4]; // top, bottom, left, right
    CView* m_pViewActive;

private:
    // The floating frames of this frame's bars.
    std::vector<CFrameWnd*> FloatingFrames() const;
    // Takes the strips of the bars that lie on the frame itself off rect; bPlace: moves them.
    void LayoutFrameBars(CRect& rect, bool bPlace = true) const;
    void LayoutDockBars(CRect& rect);
    // The client area less the strips of the bars on the frame itself: what the dock bars and
    // the pane share.
    CRect GetDockArea() const;
    // The thickness the two dock bars of a pair (0: top and bottom, 2: left and right) want
    // together.
    int WantedThickness(int nFirst, const CRect& area) const;
    // What the left and right dock bars may take together of a width between them: all but
    // the pane's least width.
    static int SideDockShare(int width) { return width > kLeastPane ? width - kLeastPane : 0; }
    // Stacks the floating frames of the bars right in front of the frame again.
    void KeepFloatsInFront();
    void PostFloatsToFront();
    BOOL m_bFloatsToFront = FALSE; // a WM_FLOATSTOFRONT waits
    // Once the frame shows, the floating frames of its shown bars that waited for it show too.
    void ShowWaitingFloats();
    // Every view of the document lies in this frame.
    bool IsOnlyFrameOf(CDocument* pDoc) const;
    // Alt+F4 (taken: the frame closes) and F10 of a window whose root is this frame.
    BOOL TakeSystemKey(const MSG* pMsg);
    // The last tooltip text, kept for the tooltip that reads it after the request.
    CString m_strTipText;
    std::wstring m_wstrTipText;
};
