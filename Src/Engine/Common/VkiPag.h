// The print page layout the draw object and the drawing area share: the record's defaults, the
// header, page-number and image rectangles, the scale and page grid, the selection of the current
// page's part, and the header and page-number lines.
#pragma once
#include "VkeEng.h"
#include "Mfc.h"

class VkiDrw;
class VkiSub;
class VkiSys;

// Zeroes the record and fills the defaults; area: the drawing area's (fit, centred), else the
// draw object's (base size, left and top).
int VkiInitPrintInfo(VkiSub* sub, VkiDrw* drw, PrintInfo* pi, bool area);

// The header at the page's top and the page number at its bottom, each twice its font's printer
// height; the image rectangle between them. -13 when a line leaves no room (its flag cleared).
int VkiSetPrintInfoRect(VkiDrw* drw, PrintInfo* pi, const RECT* page);

// The record's validity once the object is known to be initialised: -9 bad, -7 not paged.
int VkiCheckPrintInfo(const PrintInfo* pi);

// What SetPrintPageInfo needs of the record before it starts: -9 when it is unfit.
int VkiCheckPageRecord(const PrintInfo* pi);

// The printed size for the record's scale mode from the source size (srcW x srcH in the units
// the print scales, at least 1), the page grid, the alignment within the image rectangle and
// the stored scale; then the source rectangle (source when the record had none), the printed
// rectangle and the page-info flag. 1 when nothing can be printed (the flag stays 0).
int VkiLayOutPages(VkiSys* sys, PrintInfo* pi, const RECT& source, int srcW, int srcH, int dcNum, int dcDen);

// The mapping that prints the drawing from the logical point (x, y) at the image rectangle's
// top-left (its bottom-left with the y axis up): the source rectangle onto the printed size.
// clip: the page part clips.
DrawInfo VkiPageMapping(const PrintInfo& pi, int x, int y, bool flip, bool clip);

// Page selection with the mapping from the source's top-left pushed on the printer DC (the
// caller drops it): the image rectangle in source units, the current page's part of the grid
// clamped to the source, and the empty flag. -9 for a record without a printer DC or grid.
int VkiSelectPage(VkiDrw* drw, PrintInfo* pi, bool flip);

// The page part clamped to the source rectangle; false when nothing of it is left.
bool VkiClampPagePart(PrintInfo* pi);

// The header (header true) or the page-number line of the record, printed in its rectangle.
int VkiPrintLine(VkiDrw* drw, VkiSys* sys, PrintInfo* pi, bool header);

// True for a handle GDI knows as a device context.
bool VkiIsDC(HDC dc);

// Cuts a DC's draw-info stack back to depth records; -9 when it holds fewer already.
int VkiCutDrawInfo(VkiDrw* drw, HDC dc, int depth);

// Records a DC's draw-info depth and cuts its stack back to it at the end of the scope, so that
// whatever was pushed in between is dropped on every path.
class VkiDrawInfoScope {
public:
    VkiDrawInfoScope(VkiDrw* drw, HDC dc);
    ~VkiDrawInfoScope() { Restore(); }
    VkiDrawInfoScope(const VkiDrawInfoScope&) = delete;
    VkiDrawInfoScope& operator=(const VkiDrawInfoScope&) = delete;
    // Cuts the stack back now; -9 when it holds fewer records than at the start.
    int Restore();

private:
    VkiDrw* m_drw;
    HDC m_dc;
    int m_depth = -1; // -1: nothing to restore
};

// The framework's object of a printer DC says it prints (CDC::IsPrinting) for the scope.
class VkiPrintingDC {
public:
    explicit VkiPrintingDC(HDC dc) : m_dc(dc ? CDC::FromHandle(dc) : nullptr)
    {
        if (m_dc) m_dc->m_bPrinting = TRUE;
    }
    ~VkiPrintingDC()
    {
        if (m_dc) m_dc->m_bPrinting = FALSE;
    }
    VkiPrintingDC(const VkiPrintingDC&) = delete;
    VkiPrintingDC& operator=(const VkiPrintingDC&) = delete;
    explicit operator bool() const { return m_dc != nullptr; }

private:
    CDC* m_dc;
};
