// The program's rebar: one band holding a bar, with a font, a text colour and a back colour of
// its own that follow the settings of window kind CmnKndReb when they change (CmnWmChgOpt).
//
//   m_wndReBar.Create(this);
//   m_wndReBar.Init(&m_wndToolBar, text, back, nullptr, RBBS_GRIPPERALWAYS);
//
// Every operation but Create and Term needs the rebar initialised (-6 traced otherwise).
// Failures are traced under the operation's name and returned; nothing is shown to the user.
#pragma once
#include "Mfc.h"

class CmnReb : public CReBar {
    DECLARE_DYNAMIC(CmnReb)

public:
    CmnReb();
    ~CmnReb() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                        UINT nID = AFX_IDW_REBAR);
    // Adds pBar as a band with the two colours, a text and RBBS_ styles. -7 when initialised
    // already, -9 without a bar window or when the rebar refuses the band.
    virtual int Init(CWnd* pBar, COLORREF clrText, COLORREF clrBack, LPCSTR pszText, DWORD dwStyle);
    // Deletes font and brush; the rebar is no longer initialised. Always 0.
    virtual int Term();

    // ---- Font ----
    // The font of face at points on the rebar's device context; -8 without one.
    virtual int SetFont(const char* face, int points);
    // Takes a copy of *pFont and gives the rebar a font made from it; a height of 0 is stored as
    // the font's real character height (negative). -9 for null or a font that cannot be made,
    // -1 when its metrics cannot be read.
    virtual int SetFontByLogFont(const LOGFONTA* pFont);
    // The face name cut to size bytes (-13 when cut); size below 1 -9.
    virtual int GetFontName(char* buffer, int size);
    // The height in points, positive.
    virtual int GetFontSize(int* points);
    virtual int GetLogFont(LOGFONTA* pFont);

    // ---- Colours: the rebar's and every band's (each on the draw object's colour list) ----
    virtual int SetTextColor(COLORREF color);
    virtual int GetTextColor(COLORREF* color);
    virtual int SetBackColor(COLORREF color);
    virtual int GetBackColor(COLORREF* color);
    // Repaints the rebar and its bars; erase 0 or 1 (else -9).
    virtual int Redraw(int erase);

protected:
    afx_msg void OnDestroy();
    // The item states of a popup menu from the rebar's command handlers (once initialised).
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    // The colours and font of CmnKndReb, each applied only when it changed. 1; 0 while not
    // initialised.
    afx_msg LRESULT OnChgOpt(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_bInit;
    LOGFONTA m_lf;
    CFont m_font;
    CBrush m_brush;

private:
    int CheckInit(const char* name);
    // Sets one colour of the rebar and of every band: text (RB_SETTEXTCOLOR) or back.
    int SetColor(const char* name, COLORREF color, bool text);
    int GetColor(const char* name, COLORREF* color, bool text);
};
