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
// Files: DlgImg.cpp (window, messages), DlgImgAtr.cpp (flags, the values shared with the
// operation panel, status line, scale text), DlgImgFil.cpp (path, title, opening), DlgImgSub.cpp
// (the record, attaching an image, drawing, undo data), DlgImgFrm.cpp (the cut frame: tracking,
// clipping, placing, drawing, its settings), DlgImgInp.cpp (the drawing area's mouse, keys,
// characters, wheel and gestures), DlgImgPrt.cpp (paper orientation, page set-up, the print-page
// record, the print job's steps), DlgImgPri.cpp (the print settings), DlgImgSav.cpp (saving, the
// question before a modified page closes), DlgImgOpi.cpp (the open-information file's row),
// DlgImgEdt.cpp (edit and undo, the page's edit commands), DlgImgRot.cpp (scale, the one road of
// image changes, turning, flipping, size conversion); DlgImgGeo.h the frame's geometry.
#pragma once
#include "CmnDlg.h"
#include "DlgImgGeo.h"
#include "VkaAppInf.h"
#include <functional>

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
    // Shows an image and lays the drawing area out for it. The page takes adi.hImg on every
    // path: the image it showed is closed once the new one stands in its place (the same image
    // again is kept); a new image it cannot take is closed and the page keeps what it showed.
    // A failed layout is reported too (the image is the page's then).
    int AttachDIB(const Adi& adi);
    // The record takes the image, its facts and the scale; with reset its view state starts
    // afresh. Then the values shared with the operation panel follow the image.
    int SetIci(const char* path, const Adi& adi, int width, int height, int bitCount);
    // The same without an image: zero size, scale 1/1.
    int ClearIci(const char* path, int clearTexts);
    // The drawing area's extent, palette, scale and scroll position from the record, redrawn.
    int InitialDrawing();
    // Records one undo step of the page's record (kind 1 before a cut, 14 before any other change).
    enum { StepCut = 1, StepChange = 14 };
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
    // While the page draws, its image is in use: a message sent meanwhile (the drawing waits for
    // the image service and takes sent messages) must not change it. A command that would is
    // posted to the main frame again and true answered; false when the page does not draw.
    bool DeferWhileDrawing(UINT command);
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
    // turn and flips (0 when the page saved its file, which holds them), its cut frame (0 when it
    // shows no image), the cut-frame and print values, the margins.
    int SetOpi(Opi* opi);
    // The image turned clockwise by 90, 180 or 270 degrees (else -9) / flipped (1 top to bottom,
    // 0 left to right) as one undo step, without the commands' view, frame and flag handling.
    // 1 when the page holds no image or the platform refused.
    int RotateImageDirect(double degrees);
    int ReflectImageDirect(int direction);

    // ---- Edit and undo (DlgImgEdt.cpp) ----
    // With its drawing area focused, or the keyboard outside the page on no text box, the page
    // answers the edit slots itself, on its image (the base's slots answer otherwise; clear
    // stays the base's): undo and redo from its history, cut and copy while it holds an image,
    // paste while the clipboard holds files or an image.
    int GetEditFlag(EditFlag* flags) override;
    int GetEditUndFlag(int* out) override;
    int GetEditRdoFlag(int* out) override;
    int GetEditCutFlag(int* out) override;
    int GetEditCpyFlag(int* out) override;
    int GetEditPstFlag(int* out) override;
    int EditUnd() override;
    int EditRdo() override;
    int EditCut() override;
    int EditCpy() override;
    // Files on the clipboard open as pages, else its image becomes a new page; this page's image
    // never changes.
    int EditPst() override;
    // The source part (the shown frame, else the whole image) becomes the page's image as one
    // undo step (kind 1), at its own size / at the size it is shown at, and goes to the
    // clipboard. A cut that would leave the image as it is (no frame, shown at its own size)
    // only copies: no step, the page unchanged. 1 without an image.
    int EditCutDirect();
    int EditCutShw();
    // The source part at the size it is shown at onto the clipboard; the page stays.
    int EditCpyShw();
    // The path onto the clipboard as text; 1 for a page without one.
    int EditCpyPth();
    // With the drawing area focused and an image: an undo step (kind 14) of the present state.
    int SaveState();

    // ---- Scale and image changes (DlgImgRot.cpp) ----
    // The scale slots act with the drawing area focused and an image (else nothing; the getters
    // answer 0 and 0 / 1): a shown frame is erased, the scale set, read back into the record and
    // the frame drawn again. SetScaleByDlg opens the scale dialog over the image's size with
    // decimals digits of percent (negative: nothing).
    int SetScaleMode(int mode, int num, int den) override;
    int GetScaleMode(int* out) override;
    int SetScale(int num, int den) override;
    int GetScale(int* num, int* den) override;
    int SetScaleByDlg(int decimals) override;
    // Whether the image changes are offered: the drawing area focused and an image held.
    int IsDIBAttached();
    // The image turned clockwise by 90, 180 or 270 degrees (else -9, nothing recorded) / flipped
    // (1 top to bottom, 0 left to right) as one undo step: the view keeps its middle, a shown
    // frame covers the same pixels, the record's rotation or flip follows, the paper turns with
    // a quarter turn (orientation 3 or 4), the page is modified. 1 without an image; the old
    // image stays on failure (32840 / 32841 when the platform cannot turn it).
    int RotateImage(double degrees);
    int ReflectImage(int direction);
    // The source part (the shown frame, else the whole image) stretched to the size the
    // convert-size dialog asks for, as one undo step; the view starts afresh with it. 2 when the
    // dialog was not confirmed (no step), 1 without an image.
    int CnvSiz();

    // ---- Saving (DlgImgSav.cpp) ----
    // The save dialog for the image, its name proposed after the page's ("*.*" without one) with
    // the extension of the type saved last; the page's tab is selected meanwhile, the one
    // selected before again afterwards. 0 saved, 1 not saved (the user was told), 2 cancelled, 3
    // cancelled by a batch's abort, negative on failure (-1 with 32830 without an image).
    virtual int SaveAsImage();
    // The image written to path as type (1 JPEG .. 5 PNG) at the JPEG quality: the image's own
    // size, or the size shown when the settings say so (Svi_bOrgSiz 0). An existing file is
    // replaced only by a file written whole. The page then stands for the file and keeps its own
    // image and view, so the save leaves no undo step; the selected-image page opens the file as
    // a new page instead. 0, 1 not saved (32830 with the path, and the failure's text for an
    // error), negative on failure (-7 no image).
    int SaveImageFile(const char* path, int type, int quality);
    // Asks a modified page's question (its file name and 32816: Yes saves, No drops the changes,
    // Cancel keeps the page), its tab selected: 1 the page may close, 0 it stays. answer is the
    // result while the page cannot ask (before Init, without the view).
    virtual int SaveModified(int answer);

    // ---- Printing (DlgImgPrt.cpp), the tab view's print job handed to the page ----
    // 1 when ready with an image.
    int IsPrintable() override;
    // The application's printer, the program's print dialog (DlgPrt; none with PoiPri_bOmtDlgPrt
    // 1), then the print-page record laid out for the choice: the page-set frame fitted to the
    // printable area, the scale mode of PoiPri_iMode (3 and 4 centred), only the frame's part
    // while it is shown; the job's pages 1 to the record's. 0; 1 the page-set frame moved (the
    // caller shows 32842, nothing prints); 2 cancelled or nothing to print; -13 margins that
    // leave no room; other failures.
    int PreparePrinting(CPrintInfo* pInfo) override;
    // The application's printer DC is taken out of the job's dialog (a DC the dialog made goes
    // with the print information).
    int EndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // The base's print of the drawing area; a page printed marks the page printed.
    int Print(CDC* pDC, CPrintInfo* pInfo) override;

    // ---- Print settings (DlgImgPri.cpp), the operation panel's print values ----
    // Each: -6 before Init, -9 for a value out of range; the application's value (and the page's
    // copy) changes only when it differs. A header or page-number change re-runs the page set-up
    // while a page-set frame shows; the orientation settles the page's paper and re-runs the page
    // set-up in page-set mode (the operation panel turned the printer for 3 and 4 before).
    int SetPrtMod(int mode);            // 1..6, the print scale mode
    int SetOmtDlgPrtFlag(int flag);     // 1 prints without the print dialog (application-wide)
    int SetPrtHdrFlag(int flag);        // the header line
    int SetPrtHdrFnt(const char* font); // a font text (-9 when it is no font)
    int SetPrtHdrStr(const char* text); // empty: the file name
    int SetPrtFtrFlag(int flag);        // the page-number line
    int SetPrtFtrFnt(const char* font);
    int SetPrtFtrStr(const char* text); // empty: "page / pages"
    int SetPrtOriFlag(int orientation); // 1 the printer's, 2 the larger print, 3 landscape, 4 portrait

    // ---- The cut frame (DlgImgFrm.cpp) ----
    // The frame lives in the Ici (rctFrm, image pixels); its settings are the application's
    // (theAppInf.poi.fri, the current page's values) and only the current page draws it. Every
    // operation that changes the page's image or view runs EndTracking first.
    //
    // The settings: -6 before Init, -9 for a value out of range; each ends tracking first and
    // does nothing when the value is the application's already. Without an image only the
    // application's value changes.
    int SetFrmMod(int mode); // 1 free size, 2 fixed size, 3 fixed ratio
    int GetFrmMod() const { return theAppInf.poi.fri.iMode; }
    // On: the paper orientation settled and the frame placed (the first time by default, in
    // fixed ratio with the page set-up's ratio), drawn and scrolled into sight. Off: erased.
    int SetShwFrmFlag(int flag);
    int GetShwFrmFlag() const { return theAppInf.poi.fri.bShwFrm; }
    int SetPagSetFlag(int flag); // fixed ratio follows the page set-up's printable area
    int GetPagSetFlag() const { return theAppInf.poi.fri.bPagSet; }
    int SetHrzScaFlag(int flag); // fixed ratio: 1 the width leads, 0 the height
    int GetHrzScaFlag() const { return theAppInf.poi.fri.bHrzSca; }
    int SetFrmSiz(int width, int height); // the fixed size or ratio; both above 0
    // Whether the page holds an image and its frame is shown.
    bool IsFrmShown() const;
    // The default frame: 0.8 of the visible part, centred on it, clipped (else the whole image),
    // shrunk into sight unless the size is fixed; scrolled into sight while shown.
    int PlaceDefFrame();
    // The hit code (FrmHit...) of a point of the drawing area's client area; *img the point or
    // the handle in image pixels. setCursor 1 also sets the frame cursor.
    int HitTest(POINT client, int setCursor, POINT* img);
    void SetFrmCursor(int code);
    // Tracking of the mouse with a hit code from the point (image pixels; client pixels for a
    // gesture, code 0): -7 while tracking or after a zoom with the right button; the mouse is
    // captured for the drawing area. StopTracking: -7 when nothing is tracked.
    int StartTracking(int code, const POINT* point);
    int StopTracking();
    int IsTracking() const { return m_trk.bMoving || m_trk.bResizing || m_trk.bGesture; }
    // Ends any tracking and clears the zoom flags of the right button (quiet).
    void EndTracking();
    // A candidate frame made acceptable under the application's frame settings (as a move while
    // moving, else as a resize); -13 refused, the rectangle unchanged.
    int ClipFrmRct(RECT* rect);
    // The candidate of a move or resize (hit code 1..8 set, else -7) clipped, stored, scrolled
    // into sight and drawn: the anchor follows a resize. ch 'B', 'T', 'E', 'R' put the anchor on
    // the right, left, top or bottom of the frame's visible part instead; 0 none.
    int ChkFrmRct(const RECT& rect, int ch);
    // The frame on the drawing area's window with the frame pen, and erased again (inverted
    // once more, or the image copied back under its outline). Nothing while not current, without
    // an image, while printing, selecting images or changing tabs.
    int DrawFrame();
    int ClearFrame();
    // The frame pen from the settings (colour 1, style, invert flag); a shown frame is drawn
    // again with it. -8 when it cannot be made.
    int CreateFrmPen();

    // ---- Paper orientation and page set-up (DlgImgPrt.cpp) ----
    // Settles the page's paper orientation: the first time (orientation 3 or 4) after the image's
    // shape; later the setting's (2: the orientation that prints the image larger, landscape on
    // a tie). 0 without an image.
    virtual int SetupPrinter();
    // Takes the application's page set-up (margins, printer) into the page; in fixed ratio with
    // the page-set flag the ratio becomes the printable area's and the frame is fitted to it
    // (turned with the paper). 0 without an image or outside that mode; 1 without a printer DC;
    // -13 for margins that leave no room.
    virtual int PageSetup();
    // The page's print-page record (GetPrintInfo) made for a job on the printer DC: the drawing
    // area's defaults, then the page's print values: header and page-number lines on or off,
    // their fonts (from the font texts; the defaults stay for an empty or bad text) and texts
    // (the page-number text is the footer; an empty header text with the header on is the
    // page's file name). The layout (VkeDraSetPrintInfoRect ...) is the caller's.
    int InitPrintPage(HDC dc);
    PrintInfo* GetPrintInfo() const { return m_inf.pPrtInf; }

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
    afx_msg LRESULT OnCmnWmChgOpt(WPARAM wParam, LPARAM lParam);
    afx_msg void OnFrmToggle();
    afx_msg void OnUpdateFrmToggle(CCmdUI* pCmdUI);
    // The page's edit commands 49252-49255 and image changes 32773-32778, each asking its rule.
    afx_msg BOOL OnPageEditCmd(UINT nID);
    afx_msg void OnUpdatePageEditCmd(CCmdUI* pCmdUI);
    afx_msg BOOL OnImgChgCmd(UINT nID);
    afx_msg void OnUpdateImgChgCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // The constructor's state.
    void Reset();
    // The cursors, the record, the undo history and the draw memory.
    int InitRec();
    int Draw(const Dri& dri);
    // The image copied, scaled, into the request's DC.
    int DrawImage(HDC dc, const RECT& inner, const RECT& client);
    // The same limited to each of the parts (device pixels of dc) in turn: the frame's outline.
    int DrawImageParts(HDC dc, const RECT& inner, const RECT& client, const RECT* parts, int count);
    // The image's size into the values shared with the operation panel (SetIci, ClearIci).
    void TakeImageSize(int width, int height, int clearTexts, bool orient);
    // The scale of the drawing area into the record.
    void ReadScale();
    // One change of the image (DlgImgRot.cpp): its name for reports, its undo step kind, whether
    // the view starts afresh with the new image, the message when the image cannot be made (0
    // none), and whether it is a direct one (the step recorded as it stands, the page neither
    // marked modified nor focused: a stored page state applied).
    struct ImgChg {
        const char* name;
        int step;
        int reset;
        int failMsg;
        bool direct;
    };
    // The one road of image changes: tracking ended; the undo step (a change whose step cannot
    // be recorded does not happen: 27576 unless direct); make() makes the new image from the
    // page's (0 or -13 made); attached at the page's scale in its place (the old image stays on
    // failure); settle() (may be empty) once it stands; modified and the focus. 1 without an
    // image or when the platform refused; failures traced under the change's name.
    int ChangeImage(const ImgChg& chg, const std::function<int(HBITMAP*)>& make, const std::function<void()>& settle);
    // Edit and image changes (DlgImgEdt.cpp, DlgImgRot.cpp).
    // Whether the drawing area has the focus.
    bool DraFocused();
    // Whether the edit commands work on the page's image: its drawing area has the keyboard,
    // or the keyboard is outside the page on no text box (the tab view hands the current page
    // the commands of a panel's button, list or tree).
    bool EditsImage();
    // The page's own edit-availability record / one word of it.
    int PageEditFlag(EditFlag* flags);
    int EditWord(int EditFlag::*word, int* out, const char* name);
    // The part cut and copied: the shown frame, else the whole image (image pixels).
    RECT EditSrc();
    // The source part stretched to the size it is shown at.
    int StretchShown(HBITMAP* out);
    // A cut that would leave the image as it is: no frame shown, and (shownSize) the image
    // shown at its own size. Such a cut only copies: no undo step, the page not modified.
    bool CutChangesNothing(bool shownSize);
    int CopyInsteadOfCut(const char* name);
    // The image (or its shown frame's part) onto the clipboard.
    int CopyToClb(const char* name);
    int PasteToPages();
    // A cut of the source part made by make, as one step of kind 1, then copied.
    int CutWith(const char* name, const std::function<int(HBITMAP*)>& make);
    // What the drawing area shows now (the record's scroll position read again).
    FrmView ViewNow();
    // Scrolls so that a point of the drawing is in the middle of the visible part.
    void ScrollToMiddle(POINT middle);
    // A scale change: a shown frame erased, the change, the scale read back, the frame drawn.
    int Rescale(const char* name, const std::function<int()>& apply);
    // A shown frame taken off for a turn or flip (the application's flag 0 meanwhile); true when
    // it was shown. Put back as it was after a failure / at its new place after the change.
    bool HideFrame();
    void RestoreFrame();
    void ShowMovedFrame(const RECT& frame, bool pageSet, const char* name);
    // The paper turns with a quarter turn of the image when the orientation setting before the
    // turn was 3 or 4: the printer, the page's landscape flag and the setting the other way.
    void TurnPaper(int setting);
    int SetFlag(int* flag, int value, const char* name);
    HalcorViw* View();
    // The operation panel shows the application's value of one of its controls again.
    void ShowPnlCtl(int control);

    // The cut frame (DlgImgFrm.cpp).
    // The drawing area's scale (read into the Ici: a fit may not have been drawn yet).
    FrmScale Scale()
    {
        ReadScale();
        return FrmScale{m_pIci->lScaNum, m_pIci->lScaDen};
    }
    SIZE ImageSize() const { return SIZE{m_pIci->pthImg.iWidth, m_pIci->pthImg.iHeight}; }
    static FrmRule RuleOf(const Fri& fri) { return FrmRule{fri.iMode, fri.iWidth, fri.iHeight, fri.bHrzSca}; }
    int ClipFrm(RECT* rect, bool moving);
    // The drawing area's client size, scroll position (read into the Ici) and the visible part of
    // the drawing (display coordinates).
    void ViewOf(SIZE* client, RECT* visible);
    // Scrolls the drawing area to display positions (null: that axis stays); the Ici follows.
    void ScrollDra(const int* x, const int* y);
    // A new frame stored: the old one erased, the new one drawn unless a paint is due.
    void StoreFrm(const RECT& frame);
    // The stored frame drawn unless a paint is due, and the status line.
    void DrawStoredFrm();
    // Not while images are selected or tabs change, off the current page, without an image or
    // while the area prints.
    bool MayDrawFrame();
    // The frame's outline on the window DC with the pen, or the image under it.
    int PaintOutline(const RECT& disp, bool restore);
    // A resize by keys or wheel from the handle of code: the anchor on that handle.
    void BeginKeyResize(int code);
    void ResetTrk();
    // A zoom of the frame by wheel notches (away from the user: smaller).
    void ZoomFrame(int notches);
    // SetPagSetFlag and SetHrzScaFlag: the flag stored, a shown frame fitted again.
    int SetFitFlag(const char* name, int Fri::*field, int flag);
    // A shown frame after a change of its settings: the page set-up's ratio, else clipped again.
    int RefitFrame();
    // Runs SetShwFrmFlag's steps of switching on.
    int ShowFrame();

    // The drawing area's input (DlgImgInp.cpp): the answer to the reflected message.
    LRESULT OnDraInput(const MSG& msg);
    LRESULT OnDraKeyDown(UINT key);
    LRESULT OnDraChar(UINT code);
    LRESULT OnDraWheel(UINT keys, int delta);
    LRESULT OnDraLButtonDown(POINT point);
    LRESULT OnDraMouseMove(POINT point);
    LRESULT OnDraRButtonDown(POINT point);
    LRESULT OnDraRButtonUp(POINT point);
    LRESULT OnDraFrameChar(UINT code);
    // Posts a command to the image tab view; -1 without it.
    int PostViwCmd(UINT id);

    // Paper orientation, page set-up and printing (DlgImgPrt.cpp).
    // The print values of the page: the application's for the current page, else its own.
    Poi& PagePoi() { return IsCurPage() ? theAppInf.poi : m_pIci->poi; }
    // The application's printer selected and its DC (null: none); the selection's failure.
    int SelectAppPrinter(HDC* dc);
    // The print-page record made for dc and laid out on its printable rectangle with the page's
    // margins: -13 when the margins leave no room (lenient: a header or page-number line that
    // leaves no room is only left out).
    int MeasurePrintPage(HDC dc, bool lenient);
    // The application's printer selected, the record laid out leniently on its DC: 1 without a
    // DC, -13 when the margins leave no room.
    int LayOutPrintPage();
    // The laid-out record's image rectangle becomes the page's and its size the page-set ratio.
    int TakePrintableRatio();
    // PreparePrinting once the dialog chose, and its page-set frame fitted again (1 when moved).
    int LayOutJob(CPrintInfo* pInfo);
    int RefitPageFrame();
    // The orientation (0 portrait, 1 landscape) that prints the image larger; landscape on a tie.
    int LargerOrientation(int* landscape);
    // The page set-up's ratio from the laid-out record, and the frame fitted to it (turned first).
    int FitPageFrame(bool turn);
    // The orientation setting becomes 3 (landscape) or 4; on the current page the application's
    // too, and the panel shows it.
    void TakeOrientation(int landscape);
    // The frame of a stored row on a page that is not current, fitted under the row's settings
    // with the page's printer turned as the row says; the application's printer put back.
    int FitOpiFrame();
    // Messages of the page's printer steps: shown, or while held the first kept for later.
    void ShowMsg(int id);
    // A print value of the page's and the application's Poi set (DlgImgPri.cpp); refit 1 runs the
    // page set-up afterwards while a page-set frame shows.
    int SetPriInt(const char* name, int Pri::*field, int value, int low, int high, bool refit);
    int SetPriText(const char* name, AppMem Pri::*field, const char* text, bool font, bool refit);
    int RefitForPrintArea();

    // Saving (DlgImgSav.cpp).
    // The page's tab selected (previous: the one selected before); selected again afterwards.
    int SelectOwnTab(int* previous);
    void SelectTabAgain(int previous);
    // 32830 with the path, and for an error its text.
    static void MsgCannotSave(const char* path, int rc);
    // After a save: the file opened as a page of its own (the selected-image page), or this page
    // named after the file of that type, its image kept.
    int OpenSavedAsPage(const char* path);
    int TakeSavedFile(const char* path, int type);
    // Holds the page's messages for a scope; the first one shows at the outermost end.
    class MsgHold {
    public:
        explicit MsgHold(DlgImg* page) : m_page(page) { ++m_page->m_iMsgHold; }
        ~MsgHold()
        {
            if (--m_page->m_iMsgHold > 0 || !m_page->m_iMsgHeld) return;
            const int id = m_page->m_iMsgHeld;
            m_page->m_iMsgHeld = 0;
            m_page->ShowMsg(id);
        }
        MsgHold(const MsgHold&) = delete;
        MsgHold& operator=(const MsgHold&) = delete;

    private:
        DlgImg* m_page;
    };

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

    // The cut frame's tracking: what the mouse or a key does with it and where it holds it.
    struct FrmTrk {
        int bMoving;
        int bResizing;
        int bRightZoom; // a zoom by wheel or key happened while the right button was held
        int bFrameZoom; // that zoom resized the frame
        int bGesture;   // the right button is held for a gesture
        int iHitCode;
        POINT ptAnchor; // image pixels (a gesture's start in client pixels)
        int iOffX;      // the anchor from the frame's left, and the frame's width, at the start
        int iFrmWidth;
        int iOffY;
        int iFrmHeight;
    };
    FrmTrk m_trk;
    CPen m_penFrm;
    int m_bInvClrFrm;  // the pen inverts (R2_NOT); else it paints its colour
    int m_iStylePenFrm;
    int m_bFrmDrawn;   // the frame stands on the window at m_rctFrmDrawn (display coordinates)
    RECT m_rctFrmDrawn;
    int m_iDrawing;    // the drawing area's request is being drawn
    int m_iMsgHold;    // messages held while above 0, the first one in m_iMsgHeld
    int m_iMsgHeld;
};

// The drawing area's window procedure: every message goes to the page first as CmnWmRfl
// (wParam the area, lParam a MSG); a non-zero answer is its result.
LRESULT CALLBACK GF_DlgImgWndPrcDra(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
