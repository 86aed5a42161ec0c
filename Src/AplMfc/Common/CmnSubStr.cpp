// Numbers and texts: fractions, scaled sizes, size texts, fixed-width and tab-padded texts.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnSub"
#include "CmnSub.h"
#include "CmnDef.h"
#include "CmnRes.h"
#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

namespace {

// v rounded by mode (1 half away from zero, 2 toward zero, 3 away from zero), held in int.
int ScaleRound(int mode, double v)
{
    double r = mode == 1 ? (v < 0 ? -floor(-v + 0.5) : floor(v + 0.5)) : mode == 2 ? trunc(v) : (v < 0 ? floor(v) : ceil(v));
    return r > INT_MAX ? INT_MAX : r < INT_MIN ? INT_MIN : static_cast<int>(r);
}

// A whole count as text, with thousands separators when asked (64-bit: sizes pass 2 GB).
CString CountText(double count, bool comma)
{
    char text[64];
    snprintf(text, sizeof(text), "%lld", static_cast<long long>(count));
    if (comma) VkeSubSetComma(theCmnAppInf.pSub, text, sizeof(text));
    return text;
}

// One decimal, cut rather than rounded, with thousands separators.
CString TenthsText(double value)
{
    char text[64];
    snprintf(text, sizeof(text), "%.1f", floor(value * 10) / 10);
    VkeSubSetComma(theCmnAppInf.pSub, text, sizeof(text));
    return text;
}

CString UnitText(int unit, const CString& number)
{
    CString text;
    text.Format(static_cast<UINT>(unit), static_cast<const char*>(number));
    return text;
}

const double kStep = 1024;

} // namespace

int CmnSub::GetFraction(double value, int places, int* num, int* den)
{
    int rc = VkeSubGetFraction(theCmnAppInf.pSub, value, places, num, den);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) CMN_TRACE("GetFraction", rc);
    return rc;
}

int CmnSub::GetSize(int mode, int num, int den, int width, int height, int* outWidth, int* outHeight)
{
    if (!outWidth || !outHeight || mode < 1 || mode > 3 || num < 1 || den < 1) {
        CMN_TRACE("GetSize", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    *outWidth = ScaleRound(mode, static_cast<double>(width) * num / den);
    *outHeight = ScaleRound(mode, static_cast<double>(height) * num / den);
    return VKE_OK;
}

CString CmnSub::GetFileSizeStr(const char* path, int mode, double* outSize)
{
    if (outSize && path && !*path) *outSize = 0;
    if (!path || !*path || !outSize || (mode != 0 && mode != 1)) {
        CMN_TRACE("GetFileSizeStr", VKE_ERR_ARG);
        return CString();
    }
    VkiSub* sub = theCmnAppInf.pSub;
    char copy[CmnPathSize];
    snprintf(copy, sizeof(copy), "%s", path);
    double size = 0;
    int known = 0, drive = 0;
    int rc = VkeSubGetFileSize(sub, copy, &size, &known);
    if (rc == VKE_OK) rc = VkeSubIsDrive(sub, copy, &drive);
    if (rc != VKE_OK) {
        CMN_TRACE("GetFileSizeStr", rc);
        return CString();
    }
    *outSize = size;
    if (drive) {
        // Whole bytes, KB and MB cut down; GB and TB with one decimal.
        if (size < 1) return CString();
        if (size < kStep) return UnitText(IDS_CMN_SIZE_BYTE, CountText(size, false));
        if (size < kStep * kStep) return UnitText(IDS_CMN_SIZE_KB, CountText(floor(size / kStep), true));
        if (size < kStep * kStep * kStep) return UnitText(IDS_CMN_SIZE_MB, CountText(floor(size / kStep / kStep), true));
        double gb = size / kStep / kStep / kStep;
        if (gb < kStep) return UnitText(IDS_CMN_SIZE_GB, TenthsText(gb));
        return UnitText(IDS_CMN_SIZE_TB, TenthsText(gb / kStep));
    }
    char full[CmnPathSize];
    int normal = 0;
    if (IsNormalFile(copy, full, sizeof(full), &normal) != VKE_OK || !normal) return CString();
    return GetSizeStr(size, mode, outSize);
}

CString CmnSub::GetSizeStr(double bytes, int mode, double* outSize)
{
    *outSize = bytes;
    if (mode == 1 && bytes < kStep) return UnitText(IDS_CMN_SIZE_BYTE, CountText(bytes, false));
    // Up from KB while the value reaches 1024 (mode 0 stays in KB); rounded up.
    double value = bytes / kStep;
    int unit = IDS_CMN_SIZE_KB;
    while (mode == 1 && value >= kStep && unit < IDS_CMN_SIZE_TB) {
        value /= kStep;
        ++unit;
    }
    *outSize = ceil(value);
    return UnitText(unit, CountText(*outSize, true));
}

CString CmnSub::JoinPath(const char* folder, const char* name)
{
    // The folder's last character, walked: a trail byte 0x5C is no separator.
    const char* last = nullptr;
    for (const char* p = folder; *p; p = ::CharNextExA(932, p, 0)) last = p;
    CString path(folder);
    if (!last || *last != '\\') path += '\\';
    return path + name;
}

CString CmnSub::GetLastName(const char* path)
{
    const char* start = path;
    const char* end = path + strlen(path);
    for (const char* p = path; *p; p = ::CharNextExA(932, p, 0)) {
        if (*p != '\\') continue;
        if (p[1]) start = p + 1;
        else end = p;
    }
    return CString(start, static_cast<int>(end > start ? end - start : 0));
}

CString CmnSub::GetFixedLenStr(const char* text, int width)
{
    if (!text || width < 1) {
        CMN_TRACE("GetFixedLenStr", VKE_ERR_ARG);
        return CString();
    }
    // The longest run of whole characters within width bytes, then blanks up to width.
    int length = 0;
    for (const char* p = text; *p;) {
        const char* next = ::CharNextExA(932, p, 0);
        if (next == p || next - text > width) break;
        length = static_cast<int>(next - text);
        p = next;
    }
    CString result(text, length);
    if (length < width) result += CString(' ', width - length);
    return result;
}

CString CmnSub::GetTabbedStr(const char* text, int width)
{
    int length = text ? static_cast<int>(strlen(text)) : 0;
    if (!text || width < length) {
        CMN_TRACE("GetTabbedStr", VKE_ERR_ARG);
        return CString();
    }
    int room = width / 8 * 8 + 8 - length;
    int tabs = (room + 7) / 8;
    CString result(text);
    if (tabs > 0) result += CString('\t', tabs);
    return result;
}
