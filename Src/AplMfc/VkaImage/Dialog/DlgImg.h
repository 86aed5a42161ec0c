// One image page: a modeless child dialog (template 112) on a tab of the image tab view. Its one
// item, edit 17584, becomes an engine drawing area; the page holds one image in its record (Ici),
// draws it scaled when the area asks, keeps the page's undo history and puts its facts in the
// status bar. Other windows read and change a page only through its Ici and the operations
// below.
//
//   DlgImg* page = new DlgImg;
//   page->Create(IDD_DLGIMG, tabWindow);   // hidden; Init runs in OnInitDialog
//   page->OpenImageFile(path, 0);          // 0 opened, 1 no image the codecs read
//   ...
//   page->DestroyWindow();                 // Term runs in WM_DESTROY
//   delete page;
//
// Files: DlgImg.cpp (window, messages, mouse and keys), DlgImgAtr.cpp (flags, the values shared
// with the operation panel, status line, scale text), DlgImgFil.cpp (path, title, opening),
// DlgImgSub.cpp (the record, attaching an image, drawing, undo data).
//
// The cut frame, rotation, reflection, size conversion, the page's own edit commands, saving and
// printing are not built yet: the reflected mouse and keys go to the drawing area, the scale and
// edit commands are the dialog base's, SaveModified answers 1 and the page is not printable.
#pragma once
#include "CmnDlg.h"
#include "VkaSubDat.h"

class HalcorViw;

// What AttachDIB shows: an image with what its open said, the scale to show it at, whether the
// page's view state starts afresh (reset) and whether the header and footer texts are emptied.
struct Adi {
    HBITMAP hImg; // null: the page shows no image
    int iTypImg;
    float fXRes;
    float fYRes;
    int bKnown;   // the open knew the type; handed back unchanged
    int iModeSca; // 1 explicit, 2 fit to the window, 3 fit only when larger
    int lScaNum;
    int lScaDen;
    int bReset;
    int bClrTxt;
};

class DlgImg : public CmnDlg {
    DECLARE_DYNAMIC(DlgImg)

public:
    DlgImg();
    ~DlgImg() override;

    // ---- Start and end (DlgImg.cpp) ----
    // The base's start, the members reset, then Init; a failed Init closes the page with 27576.
    BOOL OnInitDialog() override;
    using CmnDlg::Init;
    // The dialog base with one drawing area (InitCtl), the cursors, the Ici, the undo history and
    // the page's draw memory, dropped files accepted; the initialised flag last.
    int Init();
    // The drawing area on item 17584, behind GF_DlgImgWndPrcDra, with menu 132.
    int InitCtl();
    // Ends what Init made, then the base's Term; 1 when there is nothing to end.
    int Term() override;
    // The owner (or parent) and the frames above it first, then the dialog's own translation.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    int IsInitImg() const { return m_bInitImg; }

    // ---- Path, title and opening (DlgImgFil.cpp) ----
    // OpenImageFile; 0 and 1 are quiet, -6 before Init.
    int OpenImage(const char* path, int pasted);
    // The one road by which an image enters the page: the path opened through the image service
    // and attached at the settings' scale; 0, 1 (no image the codecs read: the page keeps the
    // path and shows none) or an error.
    int OpenImageFile(const char* path, int pasted);
    // No image and no path.
    int NewImage();
    // The path (trimmed), the folder and size texts of the status line and the title; clearPasted
    // 1 also clears the pasted flag. -9 for a null path or another flag, -1 without the view.
    int SetPathName(const char* path, int clearPasted);
    CString GetPathName() const { return m_strPathName; }
    int IsNamed() const { return m_strPathName.IsEmpty() ? 0 : 1; }
    // The file-name part of the path, or the title when the page has no path.
    CString GetFileName() const;
    // Keeps the title and sets it on the page's tab.
    int SetTitle(const char* title);
    CString GetTitle() const { return m_strTitle; }
    // The folder text of the status line: a folder below the root's first level shortened to the
    // root, "...", a backslash and its last name ("C:\...\b", "\\...\b").
    static CString GetDirText(const char* folder);

    // ---- The record, attaching and drawing (DlgImgSub.cpp) ----
    // Shows an image (the page takes it; the one it holds already is kept, another is closed)
    // and lays the drawing area out for it. On failure the page holds no image, the caller
    // still owns adi.hImg.
    int AttachDIB(const Adi& adi);
    // The record takes the image, its facts and the scale; with reset its view state starts
    // afresh. Then the values shared with the operation panel follow the image.
    int SetIci(const char* path, const Adi& adi, int width, int height, int bitCount);
    // The same without an image: zero size, scale 1/1.
    int ClearIci(const char* path, int clearTexts);
    // The drawing area's extent, palette, scale and scroll position from the record, redrawn.
    int InitialDrawing();
    // Records one undo step of the page's record (kind 1 before a cut, 14 before any other change).
    int SetEud(int kind);
    Ici* GetIci() const { return m_pIci; }
    Eui* GetEui() const { return m_pEui; }
    VkiDra* GetDra() const { return m_inf.ppDra ? m_inf.ppDra[0] : nullptr; }
    HWND GetDraWnd() const { return m_inf.phDraWnd ? m_inf.phDraWnd[0] : nullptr; }
    // Where the drawing area goes in a client area of that size: inset by 3 on every side, at
    // least 100 by 100.
    static CRect GetDraRect(int cx, int cy);

    // ---- Attributes (DlgImgAtr.cpp) ----
    // 0 or 1 (else -9); clearing the modified flag also clears the base's.
    int SetModifiedFlag(int value) override;
    int GetModifiedFlag() override { return m_bModified; }
    int SetPastedFlag(int value) { return SetFlag(&m_bPasted, value, "SetPastedFlag"); }
    int GetPastedFlag() const { return m_bPasted; }
    int SetSavedFlag(int value) { return SetFlag(&m_bSaved, value, "SetSavedFlag"); }
    int GetSavedFlag() const { return m_bSaved; }
    int SetPrintedFlag(int value) { return SetFlag(&m_bPrinted, value, "SetPrintedFlag"); }
    int GetPrintedFlag() const { return m_bPrinted; }
    // 1 when initialised with an image.
    int IsExistDIBHandle() const { return m_bInitImg && m_pIci && m_pIci->pthImg.hImg ? 1 : 0; }
    // The clipboard monitor of the view, and the setting after it; -1 without the view.
    int SetClbMonFlag(int flag);
    // The tab is being left (out result 0) / was selected: the operation panel's values move
    // into / out of the page when it is the current page.
    int SelChanging(int* result);
    int SelChange();
    // Page to application: margins, printer, cut-frame and print values.
    int SetPoi();
    // Application to page: the same values, the printer pair copied.
    int GetPoi();
    // The page's line in the status-bar pane 32771.
    int ShowStatus();
    // "%.2lf%%" with a fraction, "%.0lf%%" without: the scale in percent.
    static CString GetScaleText(int num, int den);
    int Redraw(int erase);
    // The drawing area takes the focus when this page is the current page.
    int SetFocusDra();
    // Whether the page is the current image page of the view (the operation panel's page) /
    // the page that follows the file list.
    bool IsCurPage();
    bool IsSelImgPage();
    // ---- The open-information file's row (DlgImgOpi.cpp) ----
    // Applies a stored page state: the image turned and flipped as the row says, then the page's
    // rotation, flips, cut-frame and print values and margins taken from it (the current page
    // hands them to the operation panel's values).
    int GetOpi(Opi* opi);
    // Fills a row from the page: path, the tab's lock (0 for the selected-image page), the image's
    // turn, flips and cut frame (0 when the page saved its file or shows no image), the cut-frame
    // and print values, the margins.
    int SetOpi(Opi* opi);
    // The image turned clockwise by 90, 180 or 270 degrees (else -9) / flipped (1 top to bottom,
    // 0 left to right) as one undo step, without the commands' view, frame and flag handling.
    // 1 when the page holds no image or the platform refused.
    int RotateImageDirect(double degrees);
    int ReflectImageDirect(int direction);

    // Standing in until saving, printing, turning, flipping, size conversion and the cut frame
    // exist: a page may always close and has nothing to print; the operations answer 1 with
    // nothing changed, and IsOprReady 0 keeps their commands disabled. The printer set-up and
    // the page set-up take nothing yet.
    virtual int SaveModified(int) { return 1; }
    int IsPrintable() override { return 0; }
    virtual int IsOprReady() const { return 0; }
    virtual int SaveImage() { return VKE_NOT_DONE; }
    virtual int RotateImage(double) { return VKE_NOT_DONE; }
    virtual int ReflectImage(int) { return VKE_NOT_DONE; }
    virtual int ConvertImage() { return VKE_NOT_DONE; }
    virtual int SetupPrinter() { return VKE_OK; }
    virtual int PageSetup() { return VKE_OK; }

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg LRESULT OnVkeWmEudDat(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVkeWmDrw(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCmnWmRfl(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The constructor's state.
    void Reset();
    // The cursors, the record, the undo history and the draw memory.
    int InitRec();
    int Draw(const Dri& dri);
    // The image copied, scaled, into the request's DC.
    int DrawImage(const Dri& dri, const RECT& inner, const RECT& client);
    // The image's size into the values shared with the operation panel (SetIci, ClearIci).
    void TakeImageSize(int width, int height, int clearTexts, bool orient);
    // The scale of the drawing area into the record.
    void ReadScale();
    // One undo step, then the image service's new bitmap shown in place of the page's: turned by
    // degrees when they are above 0, else flipped in the direction.
    int ChangeImageDirect(const char* name, double degrees, int direction);
    int SetFlag(int* flag, int value, const char* name);
    HalcorViw* View();

    Ici* m_pIci;
    Eui* m_pEui;
    Drm m_drm;
    int m_bDrm; // the draw memory was initialised
    int m_bInitImg;
    int m_bModified;
    int m_bPasted;
    int m_bSaved;
    int m_bPrinted;
    int m_bLandscape;
    HCURSOR m_hCurInit; // the cursor current at Init
    HCURSOR m_hCurArrow;
    HCURSOR m_hCurMove;
    HCURSOR m_hCurGrab;
    HCURSOR m_hCurSize[4]; // NW-SE, NE-SW, N-S, W-E
    CString m_strTitle;
    CString m_strPathName;
    CString m_strDir;  // the folder text of the status line
    CString m_strSize; // the size text of the status line
};

// The drawing area's window procedure: every message goes to the page first as CmnWmRfl
// (wParam the area, lParam a MSG); a non-zero answer is its result.
LRESULT CALLBACK GF_DlgImgWndPrcDra(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
