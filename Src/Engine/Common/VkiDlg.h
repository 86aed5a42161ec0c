// VkiDlg: the dialog object. It adopts a dialog window ("#32770") that the application made, or
// is one made by the framework, and gives it the engine's conventions: Return moves the focus
// like Tab (Shift back, Ctrl presses the button), OK and Cancel may be ignored, the dialog paints
// in its own colours unless it answers VkeWmCtlColor itself, engine controls colour themselves,
// a popup menu, a font, and one data check over its engine controls. One method per export of
// the VkeDlg family, same verb.
#pragma once
#include "VkiObj.h"

class VkiSys;
class VkiSub;
class VkiDrw;
class VkiCtl;

class VkiDlg : public CDialog, public VkiObjHead {
    DECLARE_DYNCREATE(VkiDlg)

public:
    VkiDlg() = default;
    // Destroys a window it still owns (which terminates the object), then releases the rest.
    ~VkiDlg() override;

    // The utility object to trace through (null until bound).
    VkiSub* Sub() const { return m_pSub; }

    // ---- Object, window, parameters and appearance (VkeDlgBsc.cpp) ----
    int Bind(VkiSys* sys);
    int SubclassDlg(HWND wnd);
    int UnsubclassDlg(HWND* out);
    int SetWindowProc(WNDPROC proc, WNDPROC* previous);
    int ResetWindowProc();
    int InitParam(VkeDlgParam* param);
    int CheckParam(VkeDlgParam* param, int* field, int* messageNo);
    int Init(VkeDlgParam* param, int* field, int* messageNo);
    int Term();
    int SetProperty(int id, void* value);
    int GetProperty(int id, void* out);
    int GetName(char* buffer, int size);
    int GetDlgHandle(HWND* out);
    int SetFont(const char* face, int size);
    int SetFontByLogFont(const LOGFONTA* font);
    int GetFontName(char* buffer, int size);
    int GetFontSize(int* out);
    int GetLogFont(LOGFONTA* out);
    int GetFontHandle(HFONT* out);
    int SetTextColor(COLORREF color);
    int GetTextColor(COLORREF* out);
    int SetBackColor(COLORREF color);
    int GetBackColor(COLORREF* out);
    int GetBackBrushHandle(HBRUSH* out);
    int SetMenuHandle(HMENU menu);
    int GetMenuHandle(HMENU* out);
    int SetIgnOKCFlag(int flag);
    int GetIgnOKCFlag(int* out);
    int SetRetToTabFlag(int flag);
    int GetRetToTabFlag(int* out);
    int Redraw(int erase);
    int SetFocusDlg();
    int IsFocus(int* out);

    // ---- The data check (VkeDlgWnd.cpp) ----
    // Checks every engine control among the children in Z order; *out the first one in error.
    int ChkDataValue(VkiCtl** out);

protected:
    // Return as Tab (VkeDlgWnd.cpp).
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnDestroy();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void Reset();
    // Deletes font and brush (the window gets its own font back first); initialised flag 0.
    int Terminate();
    // Return held without Ctrl: the focus moves on (back with Shift); true when it did or a move
    // is under way already.
    bool ReturnAsTab();
    // OK and Cancel: true when the command is taken here (Return as Tab, or ignored).
    bool KeepOpen();
    // The framework's handling of the message being handled: the previous procedure's for an
    // adopted window.
    LRESULT PassOn();

    VkiSys* m_pSys = nullptr;
    VkiSub* m_pSub = nullptr;
    VkiDrw* m_pDrw = nullptr;
    int m_iSubclassed = 0;
    int m_iProcSwapped = 0;
    WNDPROC m_pfnSaved = nullptr; // the procedure the first swap replaced
    COLORREF m_uTextColor = 0;
    COLORREF m_uBackColor = 0;
    HMENU m_hMenu = nullptr;
    int m_iIgnOKC = 0;
    int m_iRetToTab = 1;
    LOGFONTA m_lf = {};
    HFONT m_hFont = nullptr;
    HBRUSH m_hBackBrush = nullptr;
    HFONT m_hOwnFont = nullptr; // the font the window had before the object gave it its own
};
