// Rounding shared by the geometry, text-drawing and drawing-area code: half away from zero (add
// 0.5 to a value that is not negative, subtract it from a negative one, then truncate), kept
// inside int.
#pragma once
#include "VkeEng.h"
#include <limits.h>

inline int VkiRoundHalf(double v)
{
    double r = v < 0 ? v - 0.5 : v + 0.5;
    if (r != r) return 0;
    if (r >= 2147483647.0) return INT_MAX;
    if (r <= -2147483648.0) return INT_MIN;
    return static_cast<int>(r);
}

// Half of v, rounded half away from zero.
inline int VkiHalf(int v) { return VkiRoundHalf(v / 2.0); }

// The height a font's metrics give, in a LOGFONT's sign: internal leading minus the cell height
// (the character height, negative), or the height itself when that is negative.
inline long VkiMetricHeight(const TEXTMETRICA& tm)
{
    return tm.tmHeight >= 0 ? tm.tmInternalLeading - tm.tmHeight : tm.tmHeight;
}
