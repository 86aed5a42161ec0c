// The printable rectangle of a page, from what the printer reports about it.
#pragma once
#include "VkeEng.h"

// A printer page in device pixels.
struct VkiPageMeasures {
    int width, height;     // the physical page
    int offsetX, offsetY;  // the unprintable strip at the left and at the top
    int horzRes, vertRes;  // the printable area
};

// The printable rectangle for margins given in device pixels (not negative): each margin less
// the unprintable strip on its side, measured from the first printable pixel. The rectangle is
// stored; -13 when it is empty.
inline int VkiPrintableRect(const VkiPageMeasures& m, const RECT& margin, RECT* out)
{
    int rightStrip = m.width - m.horzRes - m.offsetX;
    int bottomStrip = m.height - m.vertRes - m.offsetY;
    out->left = margin.left > m.offsetX ? margin.left - m.offsetX : 0;
    out->top = margin.top > m.offsetY ? margin.top - m.offsetY : 0;
    out->right = margin.right > rightStrip ? m.horzRes - (margin.right - rightStrip) : m.horzRes;
    out->bottom = margin.bottom > bottomStrip ? m.vertRes - (margin.bottom - bottomStrip) : m.vertRes;
    return (out->right - out->left < 1 || out->bottom - out->top < 1) ? VKE_ERR_CUT : VKE_OK;
}
