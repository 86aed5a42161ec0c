// A window's own font, as the rebar and the docked panels keep one: the record it was made from
// and the font object the window is given. The results are status codes that the caller traces
// under its own operation's name.
#pragma once
#include "Mfc.h"

// The record of face at points on the window's device context; -8 without one.
int CmnGetWndLogFont(CWnd* wnd, const char* face, int points, LOGFONTA* out);
// A font made from *pFont replaces *font and goes to the window (WM_SETFONT, redrawn); *lf takes
// a copy of the record, a height of 0 stored as the font's real character height (negative).
// -9 for null or a font that cannot be made, -1 when its metrics cannot be read.
int CmnSetWndFont(CWnd* wnd, const LOGFONTA* pFont, LOGFONTA* lf, CFont* font);
// The record's height in points on the window's screen, positive.
int CmnGetWndFontSize(CWnd* wnd, const LOGFONTA& lf);
