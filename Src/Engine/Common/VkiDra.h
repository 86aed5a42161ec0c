// VkiDra: the drawing area. An "EDIT" window of the library that shows a drawing (normally its
// own draw memory, which the owner paints on request) at a scale num/den, with two scroll bars
// beside it in the same parent and a focus frame drawn round it on the parent. One method per
// export with the same verb; the window operations whose verbs the window class already uses
// are named for the area (CreateArea, SubclassArea, ...).
#pragma once
#include "VkiObj.h"
#include <limits.h>

class VkiSys;
class VkiSub;
class VkiDrw;
struct PrintInfo;

// Styles of the area's window and of its bars: those kept of what is given (visible, disabled,
// clip children, scroll, group, tab stop and the class's own 16 bits), those always set, and
// those an adopted window loses (popup, minimise and maximise, borders, system menu).
enum : DWORD {
    VKI_DRA_KEPT_STYLES = 0x1A33FFFF,
    VKI_DRA_FORCED_STYLES = WS_CHILD | WS_CLIPSIBLINGS,
    VKI_DRA_DROPPED_STYLES = 0xA1CC0000
};

// Sizes in 64 bits: a rectangle's sides may lie anywhere in int.
inline long long VkiWidth(const RECT& r) { return static_cast<long long>(r.right) - r.left; }
inline long long VkiHeight(const RECT& r) { return static_cast<long long>(r.bottom) - r.top; }
inline bool VkiIsFilled(const RECT* r) { return r && VkiWidth(*r) >= 1 && VkiHeight(*r) >= 1; }
inline int VkiClampInt(long long v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v); }

// Raises a re-entry flag shared by the areas of the thread for a scope.
class VkiFlagGuard {
public:
    explicit VkiFlagGuard(bool* flag) : m_flag(flag) { *m_flag = true; }
    ~VkiFlagGuard() { *m_flag = false; }
    VkiFlagGuard(const VkiFlagGuard&) = delete;
    VkiFlagGuard& operator=(const VkiFlagGuard&) = delete;

private:
    bool* m_flag;
};

// Names the area inside a guarded operation for a scope, and the one there before it again after.
class VkiAreaGuard {
public:
    VkiAreaGuard(VkiDra** slot, VkiDra* area) : m_slot(slot), m_prev(*slot) { *slot = area; }
    ~VkiAreaGuard() { *m_slot = m_prev; }
    VkiAreaGuard(const VkiAreaGuard&) = delete;
    VkiAreaGuard& operator=(const VkiAreaGuard&) = delete;

private:
    VkiDra** m_slot;
    VkiDra* m_prev;
};

class VkiDra : public CEdit, public VkiObjHead {
    DECLARE_DYNAMIC(VkiDra)

public:
    VkiDra();
    ~VkiDra() override;

    // The utility object to trace through (null until the area is bound).
    VkiSub* Sub() const { return m_pSub; }

    // ---- Object and window (VkeDraBsc.cpp, VkeDraWnd.cpp) ----
    // Binds the area to an initialised system object, its utility and its draw object.
    int Bind(VkiSys* sys);
    int CreateArea(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id);
    int DestroyArea();
    int SubclassArea(HWND wnd);
    int SubclassItem(HWND dialog, int id);
    int UnsubclassArea(HWND* out);
    int SetWindowProc(WNDPROC proc, WNDPROC* old);
    int ResetWindowProc();
    int InitParam(VkeDraParam* param);
    int CheckParam(VkeDraParam* param, int* field, int* messageNo);
    int Init(VkeDraParam* param, int* field, int* messageNo);
    int Term();
    int SetProperty(int id, void* value);
    int GetProperty(int id, void* out);
    int GetName(char* buffer, int size);
    int GetDraHandle(HWND* out);

    // ---- Fonts, colours, menu, palette, rectangles, draw memory (VkeDraOpr.cpp) ----
    int SetFont(const char* face, int size);
    int SetFontByLogFont(const LOGFONTA* font);
    int GetFontName(char* buffer, int size) { return FaceOf(m_lfScreen, buffer, size); }
    int GetFontSize(int* out) { return PointsOf(m_lfScreen, out); }
    int GetLogFont(LOGFONTA* out) { return CopyFont(m_lfScreen, out); }
    int CreateFontPrt(HDC printer, const char* face, int size);
    int CreateFontByLogFontPrt(HDC printer, const LOGFONTA* font);
    int GetFontNamePrt(char* buffer, int size) { return FaceOf(m_lfPrint, buffer, size); }
    int GetFontSizePrt(int* out) { return PointsOf(m_lfPrint, out); }
    int GetLogFontPrt(LOGFONTA* out) { return CopyFont(m_lfPrint, out); }
    int SetTextColor(COLORREF color) { return SetColor(&m_uTextColor, color); }
    int SetBackColor(COLORREF color);
    int SetSetFocusColor(COLORREF color) { return SetColor(&m_uSetFocusColor, color); }
    int SetKillFocusColor(COLORREF color) { return SetColor(&m_uKillFocusColor, color); }
    int GetTextColor(COLORREF* out) { return GetValue(m_uTextColor, out); }
    int GetBackColor(COLORREF* out) { return GetValue(m_uBackColor, out); }
    int GetSetFocusColor(COLORREF* out) { return GetValue(m_uSetFocusColor, out); }
    int GetKillFocusColor(COLORREF* out) { return GetValue(m_uKillFocusColor, out); }
    int SetMenuHandle(HMENU menu);
    int GetMenuHandle(HMENU* out) { return GetValue(m_hMenu, out); }
    int SetPaletteHandle(HPALETTE palette);
    int GetPaletteHandle(HPALETTE* out) { return GetValue(m_hPalette, out); }
    int GetHScrBarHandle(HWND* out) { return GetValue(m_hHScrBar, out); }
    int GetVScrBarHandle(HWND* out) { return GetValue(m_hVScrBar, out); }
    int GetDraRect(RECT* out);
    int GetInrDraRectBas(RECT* out) { return GetValue(m_rctBas, out); }
    int GetInrDraRectSca(RECT* out) { return GetValue(m_rctSca, out); }
    int SetDrm(Drm* drm);
    int GetDrm(Drm* out);
    int SetDrmPst(Drm* drm);
    int GetDrmPst(Drm* out);
    int CreateDrawMemory(int width, int height);

    // ---- Scrolling and wheel (VkeDraScr.cpp) ----
    int GetBorderWidth(int* out) { return Border(true, out); }
    int GetBorderHeight(int* out) { return Border(false, out); }
    int CreateHScrBar(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id, HWND* out);
    int CreateVScrBar(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id, HWND* out);
    int DestroyScrBar(HWND* bar);
    int GetScrBarSize(HWND bar, bool width, int* out);
    int GetScrInfo(bool h, SCROLLINFO* info, UINT mask);
    int GetScrSize(bool h, int* min, int* max);
    int GetScrPos(bool h, int* out);
    int GetDraScrPos(bool h, int* out);
    int SetArrowScrSize(int h, int v) { return SetPair(&m_iArrowH, &m_iArrowV, h, v); }
    int GetArrowScrSize(int* h, int* v) { return GetPair(m_iArrowH, m_iArrowV, h, v); }
    int SetWheelScrSize(int h, int v) { return SetPair(&m_iWheelH, &m_iWheelV, h, v); }
    int GetWheelScrSize(int* h, int* v) { return GetPair(m_iWheelH, m_iWheelV, h, v); }
    int SetWheelScale(double scale);
    int GetWheelScale(double* out) { return GetValue(m_dWheelScale, out); }
    int HScrPosToHDraPos(int* out, int pos);
    int VScrPosToVDraPos(int* out, int pos);
    int HDraPosToHScrPos(int* out, int pos);
    int VDraPosToVScrPos(int* out, int pos);
    int IsNeedHScrBar(const RECT* window, const RECT* extent, int* out) { return IsNeed(true, window, extent, out); }
    int IsNeedVScrBar(const RECT* window, const RECT* extent, int* out) { return IsNeed(false, window, extent, out); }
    int Move(const RECT* area, const RECT* extent);
    int MoveScrBar(HWND bar, const RECT* rect);
    int HScroll(int code, int pos) { return Scroll(true, code, pos); }
    int VScroll(int code, int pos) { return Scroll(false, code, pos); }
    int MouseWheel(int keys, int delta);

    // ---- Scale, fit and zoom (VkeDraSca.cpp) ----
    int SetScaleBase(int base);
    int GetScaleBase(int* out) { return GetValue(m_iScaleBase, out); }
    int SetScaBasPos(int x, int y);
    int GetScaBasPos(int* x, int* y);
    int ClearScaBasPos();
    int SetScaleMode(int mode, int num, int den);
    int GetScaleMode(int* out) { return GetValue(m_iScaleMode, out); }
    int SetScale(int num, int den);
    int GetScale(int* num, int* den) { return GetPair(m_iScaleNum, m_iScaleDen, num, den); }
    // The re-layout at num/den with its recovery; the fit of modes 2 and 3; a zoom step.
    int ApplyScale(int num, int den);
    int CalcFitScale();
    int MouseScale(int keys, int delta);

    // ---- Attributes, paste, focus and edit commands (VkeDraAtr.cpp) ----
    int SetStretchMode(int mode);
    int GetStretchMode(int* out) { return GetValue(m_iStretchMode, out); }
    int SetDrawMemoryFlag(int flag);
    int GetDrawMemoryFlag(int* out) { return GetValue(m_iDrawMemory, out); }
    int SetCtlEditingFlag(int flag);
    int GetCtlEditingFlag(int* out) { return GetValue(m_iCtlEditing, out); }
    int SetDragAcceptFlag(int flag);
    int GetDragAcceptFlag(int* out) { return GetValue(m_iDragAccept, out); }
    int SetGrabScrollFlag(int flag);
    int GetGrabScrollFlag(int* out) { return GetValue(m_iGrabScroll, out); }
    int GetDrawFlag(int* out) { return GetValue(m_iDrawing, out); }
    int GetPrintFlag(int* out) { return GetValue(m_iPrinting, out); }
    int GetTrackingFlag(int* out) { return GetValue(m_iTracking, out); }
    int ClearPastedFlag();
    int GetPastedFlag(int* out) { return GetValue(m_iPasted, out); }
    int GetCreatedMemoryFlag(int* out) { return GetValue(MemoryMode() ? 1 : 0, out); }
    int GetFontHandle(HANDLE* out) { return GetValue(PrintObjects() ? HANDLE(m_hFontPrt) : HANDLE(m_hFont), out); }
    int GetPenHandle(HANDLE* out) { return GetValue(PrintObjects() ? HANDLE(m_hPenPrt) : HANDLE(m_hPen), out); }
    int GetBackBrushHandle(HANDLE* out)
    { return GetValue(PrintObjects() ? HANDLE(m_hBackBrushPrt) : HANDLE(m_hBackBrush), out); }
    int Redraw(int erase);
    int AttachPasteDIB(HBITMAP dib);
    int SetFocusDra();
    int IsFocus(int* out);
    int GetEditFlag(EditFlag* out);
    int GetEditCpyFlag(int* out) { return EditFlagOf(&EditFlag::iCpy, out); }
    int GetEditPstFlag(int* out) { return EditFlagOf(&EditFlag::iPst, out); }
    int EditCpy();
    int EditPst();
    int SetModifiedFlag(int flag);
    int GetModifiedFlag(int* out) { return GetValue(m_iModified, out); }
    // The focus frame round the area on the parent: the kill-focus colour, and with focus 1 the
    // set-focus colour outside a one-pixel ring of it; the corner between the bars too.
    int DrawFrame(int focus);
    // Fills the corner square between two shown bars, on the parent's DC.
    void PaintCorner(HDC dc);
    // Shows the paste image at 1:1 in the scale mode there was.
    int BeginPaste();
    // 1 while this area, the system object's printing or its print preview runs.
    int CheckPrinting();
    // The busy check of the setters: -6, -7 printing or drawing; a grab is ended.
    int CheckBusy();
    // Ends a grab: the capture is released; -7 when none runs.
    int EndTracking();
    // Starts a grab at the point: the grab cursor and the mouse captured; -7 while zooming by
    // the wheel or grabbing.
    int BeginTracking(const POINT* point);
    // The re-layout's recovery, run from outside a re-layout (a failed drawing pass).
    void RecoverScale();

    // ---- Drawing pass (VkeDraDrw.cpp) ----
    int Draw(HDC dc, const RECT* update, int erase);
    int CopyDrawInfo(Dri* dst, const Dri* src);

    // ---- Page printing (VkeDraPrt.cpp) ----
    int InitPrintInfo(PrintInfo* info);
    int CopyPrintInfo(PrintInfo* dst, const PrintInfo* src);
    int SetPrintInfoRect(PrintInfo* info, const RECT* page);
    int CheckPrintInfo(PrintInfo* info);
    int SetPrintPageInfo(PrintInfo* info);
    int Print(PrintInfo* info);

public:
    // ---- State ----
    VkiSys* m_pSys = nullptr;  // the binding survives Term
    VkiSub* m_pSub = nullptr;
    VkiDrw* m_pDrw = nullptr;
    int m_iSubclassed = 0;
    int m_iProcSwapped = 0;
    WNDPROC m_pfnFirstOld = nullptr;
    // Everything below goes back to these values at Init (Reset).
    COLORREF m_uTextColor = 0;
    COLORREF m_uBackColor = 0xFFFFFF;
    COLORREF m_uSetFocusColor = 0xFF0000;
    COLORREF m_uKillFocusColor = 0;  // COLOR_BTNFACE, read when reset
    int m_iFrameWidth = 3;
    HMENU m_hMenu = nullptr;         // not owned
    HPALETTE m_hPalette = nullptr;   // owned copy
    HWND m_hHScrBar = nullptr;
    HWND m_hVScrBar = nullptr;
    int m_iOwnHScrBar = 0;           // made by Init, destroyed by Term
    int m_iOwnVScrBar = 0;
    RECT m_rctSca = {};              // the drawing at the current scale
    RECT m_rctBas = {};              // the drawing at 1:1
    int m_iScaleBase = 5;
    int m_iAppliedScaleBase = 5;     // the base of the last completed re-layout
    int m_iScaleMode = 1;
    int m_iScaleNum = 1;
    int m_iScaleDen = 1;
    int m_iRecoveryNum = 1;          // the scale when the outermost re-layout began
    int m_iRecoveryDen = 1;
    int m_iStretchMode = 4;
    int m_iArrowH = 0, m_iArrowV = 0;
    int m_iWheelH = 0, m_iWheelV = 0;
    double m_dWheelScale = 0.1;
    int m_iOwnScrBarLayout = 0;
    int m_iHScrBarAlways = 0;
    int m_iVScrBarAlways = 0;
    int m_iFlipY = 0;
    int m_iDrawMemory = 0;
    int m_iCtlEditing = 0;
    int m_iDragAccept = 0;
    int m_iGrabScroll = 0;
    int m_iWheelZoom = 0;
    int m_iRedrawNeeded = 0;
    int m_iModified = 0;
    int m_iDrawing = 0;
    int m_iPrinting = 0;
    int m_iTracking = 0;
    int m_iPasted = 0;
    int m_iPrintFontMade = 0;
    int m_iDraScrPosH = 0;           // the drawing coordinate at the left edge
    int m_iDraScrPosV = 0;           // at the top edge, the bottom edge with y up
    int m_iScaBasPosX = -1;          // -1, -1: no scale-base position
    int m_iScaBasPosY = -1;
    int m_iScaBasPosXNum = 0, m_iScaBasPosXDen = 1;  // the position as fractions of the extent
    int m_iScaBasPosYNum = 0, m_iScaBasPosYDen = 1;
    POINT m_ptTrackLast = {};        // grab tracking: the last mouse point and the start
    POINT m_ptTrackStart = {};
    int m_iTrackRsv = 0;
    Drm m_drm = {};                  // the area's draw memory
    Drm m_drmPst = {};               // the paste image
    PrintInfo* m_pPrintInfo = nullptr;
    int m_iPrintDepth = 0;           // draw-info records of the printer DC when the page began
    int m_iDrawDepth = 0;            // of the target DC and the draw memory's when a pass began
    int m_iDrawDepthDrm = 0;
    int m_iDrawRecovered = 0;        // a failed pass recovered the scale; none again until one succeeds
    // The layout the window shows as its last paint drew it: scaled extent, scale and client size
    // (scale 0: none). A scroll moves the pixels on the screen only while they are of this layout.
    RECT m_rctShownSca = {};
    RECT m_rctShownClient = {};
    int m_iShownNum = 0, m_iShownDen = 0;
    LOGFONTA m_lfScreen = {};        // the screen font at the current scale
    LOGFONTA m_lfPrint = {};
    LOGFONTA m_lfBase = {};          // the screen font as the owner set it
    HFONT m_hFont = nullptr;
    HFONT m_hFontPrt = nullptr;
    HPEN m_hPen = nullptr;
    HPEN m_hPenPrt = nullptr;
    HBRUSH m_hBackBrush = nullptr;
    HBRUSH m_hBackBrushPrt = nullptr;
    HCURSOR m_hPrevCursor = nullptr;
    HCURSOR m_hArrowCursor = nullptr;
    HCURSOR m_hGrabCursor = nullptr;  // library cursor 1001
    HCURSOR m_hHandCursor = nullptr;  // library cursor 1002
    // ---- end: state ----

protected:
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaletteChanged(CWnd* changer);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnKillFocus(CWnd* next);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT code, UINT repeat, UINT flags);
    afx_msg LRESULT OnImeChar(WPARAM code, LPARAM flags);
    afx_msg void OnLButtonDown(UINT keys, CPoint point);
    afx_msg void OnLButtonUp(UINT keys, CPoint point);
    afx_msg void OnMouseMove(UINT keys, CPoint point);
    afx_msg void OnRButtonDown(UINT keys, CPoint point);
    afx_msg void OnRButtonUp(UINT keys, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT keys, short delta, CPoint point);
    afx_msg void OnDropFiles(HDROP drop);
    DECLARE_MESSAGE_MAP()

private:
    void Reset();
    void DeleteGdiObjects();
    int MakeBars(VkeDraParam* param);
    int InitFont();
    int LoadCursors();
    int FaceOf(const LOGFONTA& font, char* buffer, int size);
    int PointsOf(const LOGFONTA& font, int* out);
    int CopyFont(const LOGFONTA& font, LOGFONTA* out);
    int SetColor(COLORREF* field, COLORREF color);
    int MakePens(int width);
    // The window takes the new screen font before the old one is deleted.
    void TakeScreenFont(HFONT font, const LOGFONTA& lf);
    bool MemoryMode() const { return m_iDrawMemory == 1 && m_drm.iAttached == 1; }
    // A window out of sight keeps no update region: the platform drops what is invalidated or
    // validated on it and paints it whole when it shows (a caller that hid it by WM_SETREDRAW
    // asks for that paint itself). So the area's paint bookkeeping is left out while hidden;
    // each of its steps would cost the platform a round trip.
    bool Shown() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    // Something waits to be painted: only a shown area can have it.
    bool HasUpdate() const { return Shown() && ::GetUpdateRect(m_hWnd, nullptr, FALSE); }
    bool PrintObjects() const { return m_iPrinting == 1 && !MemoryMode(); }
    // Getters need only the initialised state and a place to write.
    template <class T>
    int GetValue(const T& value, T* out) const
    {
        if (!IsInit()) return VKE_ERR_NOT_INIT;
        if (!out) return VKE_ERR_ARG;
        *out = value;
        return VKE_OK;
    }
    int GetPair(int a, int b, int* outA, int* outB) const;
    int SetPair(int* a, int* b, int valueA, int valueB);
    int SetFlag(int* field, int flag, bool busyCheck);
    int EditFlagOf(int EditFlag::*which, int* out);
    // Scrolling helpers (VkeDraScr.cpp).
    int Border(bool width, int* out);
    int IsNeed(bool h, const RECT* window, const RECT* extent, int* out);
    // Whether the drawing (extent at the scale, or the scaled extent) is larger than room.
    bool Needs(bool h, long long room, const RECT* extent) const;
    int Scroll(bool h, int code, int pos);
    // After a scroll by shift pixels (the drawing moving right or down when positive): the part
    // still in sight is moved and only the strip it uncovers invalidated, or all of it redrawn.
    int MoveShown(bool h, long long shift, bool hadUpdate);
    int SetScrInfo(bool h, SCROLLINFO* info, int redraw);
    int SetScrRange(bool h, UINT mask, int redraw);
    int SetScrPage(bool h, int redraw);
    int SetScrPos(bool h, int pos, int redraw);
    // The bar positions that show the drawing point (x, y) at the view's left and top edges (its
    // lower edge with y up); outside the drawing they are written as they come.
    void BarPosOf(long long x, long long y, int* h, int* v);
    // Both bars to those positions, scrolling the view.
    int ScrollToDrawing(long long x, long long y);
    HWND Bar(bool h) const { return h ? m_hHScrBar : m_hVScrBar; }
    bool HasBar(bool h) const;
    // The drawing extent at num/den from extent's top-left, cut toward zero; false when a side
    // falls below 1 or beyond int.
    static bool ScaleExtent(const RECT& extent, int num, int den, RECT* out);
    void LayOutBars(RECT* area, RECT* inner);
    void PlaceBars();
    // Drawing-pass helpers (VkeDraDrw.cpp).
    int DrawPass(HDC dc, const RECT& update, bool* begun);
    int DrawContent(HDC dc, const RECT& update, HWND parent);
    int BeginDrawInfo(HDC dc);
    int EndDrawInfo(HDC dc);
    int CopyMemoryToDC(HDC dc, const RECT* update);
    int DrawPaste();
    // The client area's mapping from the scroll position, clipped to the visible drawing; false
    // when none of the drawing is visible.
    bool ScreenMapping(HDC dc, DrawInfo* out);
    // The update rectangle grown by a pixel, in logical units of the mapped DC.
    RECT LogicalUpdate(HDC dc, const RECT& update) const;
    void SendDraw(HWND parent, HDC dc, const RECT& rect);
    // Printing helpers (VkeDraPrt.cpp).
    int BeginPrint(PrintInfo* info);
    int EndPrint();
    int NotifyPage();
    int PrintHeader() { return PrintLine(true); }
    int PrintFooter() { return PrintLine(false); }
    int PrintLine(bool header);
    // Input helpers (VkeDraInp.cpp).
    LRESULT Wheel(int keys, int delta, POINT screen);
    void WheelNotch(int keys, int delta);
    void SendScroll(bool h, int code);
    void SendCommand(UINT id);
    void GrabMove(POINT point);
    void Centre();
    void ToAnchor();
    // Both bars to the scroll positions for the drawing point (x, y) at the view's left and top
    // (lower) edges, and the parent told as by the bars themselves.
    void ShowDrawingAt(long long x, long long y);
    // Scale helpers (VkeDraSca.cpp).
    void Anchor(int* ax, int* ay, int* visW, int* visH);
    int Relayout(int num, int den);
    int Repaint(bool hadUpdate, int oldW, int oldH);
    void Recover();
};
