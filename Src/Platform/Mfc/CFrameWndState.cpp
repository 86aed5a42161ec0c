// The bar state of a frame in one section of the application's profile:
//   Bars=<count>  ScreenCX=<width>  ScreenCY=<height>
//   Bar<n>=id,visible,dock bar id,row,x,y,floating width
// x and y are the bar's place in its dock bar, or the floating frame's place on the screen.
#include "CDockBar.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include <algorithm>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

struct SavedBar {
    int id, visible, dockId, row, x, y, mruWidth;
};

// A whole decimal number (with an optional minus sign) and nothing else around it.
bool ParseNumber(const char* text, int& value)
{
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    long v = strtol(text, &end, 10);
    if (errno || end == text || *end || v < -1000000 || v > 1000000) return false;
    if (*text == ' ' || *text == '+') return false;
    value = static_cast<int>(v);
    return true;
}

bool IsDockBarId(int id)
{
    return id == 0 || (id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_FLOAT);
}

// Seven numbers in their ranges, separated by single commas.
bool ParseBar(const CString& text, SavedBar& bar)
{
    int* fields[7] = {&bar.id, &bar.visible, &bar.dockId, &bar.row, &bar.x, &bar.y, &bar.mruWidth};
    int start = 0;
    for (int i = 0; i < 7; ++i) {
        int comma = text.Find(',', start);
        if ((comma < 0) != (i == 6)) return false;
        CString field = comma < 0 ? text.Mid(start) : text.Mid(start, comma - start);
        if (!ParseNumber(field, *fields[i])) return false;
        start = comma + 1;
    }
    return bar.id > 0 && bar.id <= 0xFFFF && (bar.visible == 0 || bar.visible == 1) && IsDockBarId(bar.dockId) &&
           bar.row >= 0 && bar.row < 1000 && bar.mruWidth >= 0 && bar.mruWidth <= 32767;
}

// The place along the row: x on the top and bottom, y on the left and right.
int PlaceInRow(const SavedBar& bar)
{
    return (bar.dockId == AFX_IDW_DOCKBAR_TOP || bar.dockId == AFX_IDW_DOCKBAR_BOTTOM) ? bar.x : bar.y;
}

bool ReadNumber(CWinApp* app, LPCSTR section, LPCSTR key, int& value)
{
    return ParseNumber(app->GetProfileString(section, key), value);
}

// A floating frame's corner saved on a screen of another size, scaled to this one.
CPoint Scaled(const SavedBar& saved, int savedCX, int savedCY)
{
    return CPoint(::MulDiv(saved.x, ::GetSystemMetrics(SM_CXSCREEN), savedCX),
                  ::MulDiv(saved.y, ::GetSystemMetrics(SM_CYSCREEN), savedCY));
}

} // namespace

void CFrameWnd::SaveBarState(LPCSTR lpszProfileName) const
{
    CWinApp* app = AfxGetApp();
    if (!app || !lpszProfileName) return;
    std::vector<CString> values;
    for (CControlBar* pBar : m_listControlBars) {
        CDockBar* pDock = pBar->m_pDockBar;
        int row = 0;
        CRect rect;
        if (pBar->IsFloating()) {
            pBar->GetDockingFrame()->GetWindowRect(&rect);
        } else if (pDock) {
            row = pDock->GetBarRow(pBar);
            pBar->GetWindowRect(&rect);
            pDock->ScreenToClient(&rect);
        }
        CString value;
        value.Format("%d,%d,%d,%d,%ld,%ld,%d", pBar->GetDlgCtrlID(), pBar->IsVisible() ? 1 : 0,
                     pDock ? pDock->GetDlgCtrlID() : 0, row, rect.left, rect.top, pBar->m_nMRUWidth);
        values.push_back(value);
    }
    app->WriteProfileString(lpszProfileName, nullptr, nullptr); // no entry of an earlier state stays
    app->WriteProfileInt(lpszProfileName, "Bars", static_cast<int>(values.size()));
    app->WriteProfileInt(lpszProfileName, "ScreenCX", ::GetSystemMetrics(SM_CXSCREEN));
    app->WriteProfileInt(lpszProfileName, "ScreenCY", ::GetSystemMetrics(SM_CYSCREEN));
    for (size_t i = 0; i < values.size(); ++i) {
        char key[16];
        snprintf(key, sizeof(key), "Bar%u", static_cast<unsigned>(i));
        app->WriteProfileString(lpszProfileName, key, values[i]);
    }
}

void CFrameWnd::LoadBarState(LPCSTR lpszProfileName)
{
    CWinApp* app = AfxGetApp();
    if (!app || !lpszProfileName) return;
    // Everything is read and checked before anything changes.
    int count = 0, savedCX = 0, savedCY = 0;
    if (!ReadNumber(app, lpszProfileName, "Bars", count) || count < 0 || count > 256) return;
    if (!ReadNumber(app, lpszProfileName, "ScreenCX", savedCX) || savedCX <= 0) return;
    if (!ReadNumber(app, lpszProfileName, "ScreenCY", savedCY) || savedCY <= 0) return;
    std::vector<SavedBar> saved(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        char key[16];
        snprintf(key, sizeof(key), "Bar%d", i);
        if (!ParseBar(app->GetProfileString(lpszProfileName, key), saved[static_cast<size_t>(i)])) return;
    }
    // Docked bars go in by dock bar, row and place, after all of them have left their rows.
    std::stable_sort(saved.begin(), saved.end(), [](const SavedBar& a, const SavedBar& b) {
        if (a.dockId != b.dockId) return a.dockId < b.dockId;
        if (a.row != b.row) return a.row < b.row;
        return PlaceInRow(a) < PlaceInRow(b);
    });
    for (const SavedBar& s : saved) {
        CControlBar* pBar = GetControlBar(static_cast<UINT>(s.id));
        if (pBar && GetDockBar(static_cast<UINT>(s.dockId)) && pBar->m_pDockBar && !pBar->IsFloating())
            pBar->m_pDockBar->RemoveControlBar(pBar);
    }
    for (const SavedBar& s : saved) {
        CControlBar* pBar = GetControlBar(static_cast<UINT>(s.id));
        if (!pBar) continue; // a bar this frame does not have
        pBar->m_nMRUWidth = s.mruWidth;
        if (CDockBar* pDock = GetDockBar(static_cast<UINT>(s.dockId))) {
            CFrameWnd* pOldFloat = pBar->IsFloating() ? pBar->GetDockingFrame() : nullptr;
            pDock->InsertControlBar(pBar, s.row, PlaceInRow(s));
            if (pOldFloat) pOldFloat->DestroyWindow();
        } else if (s.dockId == AFX_IDW_DOCKBAR_FLOAT) {
            // Floating frames land wholly on the screen.
            FloatControlBar(pBar, Scaled(s, savedCX, savedCY), pBar->m_dwStyle & CBRS_ALIGN_ANY);
        }
        pBar->DelayShow(s.visible);
    }
    RecalcLayout();
}
