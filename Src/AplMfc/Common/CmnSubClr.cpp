// Colours and fonts: the colour and font texts of the settings by window kind, their defaults,
// and the conversions through the engine's typed texts.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnSub"
#include "CmnSub.h"
#include "CmnDef.h"
#include <stdlib.h>

namespace {

// The settings each window kind reads: strColor_<n> and strFont_<n>, by their numbers.
struct KindRow {
    int kind;
    int subKind; // engine controls only
    int text, back, textBack, font;
};
const KindRow kKinds[] = {
    {CmnKndTab, 0, 5, 6, 6, 1},     {CmnKndReb, 0, 7, 8, 8, 2},     {CmnKndDlb, 0, 9, 10, 10, 3},
    {CmnKndNon, 0, 11, 12, 12, 4},  {CmnKndDlg, 0, 13, 14, 14, 5},  {CmnKndCtl, 1, 15, 16, 16, 6},
    {CmnKndCtl, 2, 17, 18, 18, 7},  {CmnKndCtl, 3, 19, 20, 20, 8},  {CmnKndCtl, 4, 21, 22, 22, 9},
    {CmnKndCtl, 5, 23, 24, 24, 10}, {CmnKndDra, 0, 25, 26, 26, 11}, {CmnKndApl, 0, 29, 30, 30, 12},
    {CmnKndTrc, 0, 31, 32, 32, 13}, {CmnKndLsc, 0, 33, 34, 35, 14}};
// A drawing area's focus colours.
const int kSetFocusColor = 27;
const int kKillFocusColor = 28;

const KindRow* FindKind(int kind, int subKind)
{
    for (const KindRow& row : kKinds)
        if (row.kind == kind && (kind != CmnKndCtl || row.subKind == subKind)) return &row;
    return nullptr;
}

// Default colours of strColor_1 .. strColor_35; the two system colours by marker.
const int kFace = -1;    // the button face
const int kBtnText = -2; // the button text
const int kDefaultColors[CmnColorCnt] = {
    0x5A78FF, 0x80FF80, 0xFFA0A0, 0x3C5A60, 0xFF0000, 0xC8FFFF, kBtnText, kFace,    kBtnText, kFace,
    kBtnText, kFace,    kBtnText, kFace,    kBtnText, kFace,    0x000000, 0xFFFFFF, kBtnText, kFace,
    0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, kFace,    0xFF0000, kFace,    0x000000, 0xFFFFFF,
    0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF};

COLORREF DefaultColor(int index)
{
    int value = kDefaultColors[index];
    if (value == kFace) return ::GetSysColor(COLOR_BTNFACE);
    if (value == kBtnText) return ::GetSysColor(COLOR_BTNTEXT);
    return static_cast<COLORREF>(value);
}

// The engine's state colours are the first four.
int (*const kStateColors[4])(VkiDrw*, COLORREF) = {VkeDrwSetErrorColor, VkeDrwSetModifiedColor,
                                                   VkeDrwSetSelectedColor, VkeDrwSetHdrSelectedColor};

// Fonts of the folder tree and the file list; the others take the engine's messages 49 (face)
// and 50 (points).
const char kListFace[] = "MS UI Gothic";
const int kListPoints = 9;
const int kFirstListFont = 12;
const int kMsgFontFace = 49;
const int kMsgFontPoints = 50;

// The colour of a kind's column (KindRow::text, back or textBack); name is the service traced.
int KindColor(const char* name, int kind, int subKind, int KindRow::*column, COLORREF* out)
{
    const KindRow* row = out ? FindKind(kind, subKind) : nullptr;
    if (!row) {
        CMN_TRACE(name, VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    return theCmnSub.GetColor(theCmnAppInf.strColor[row->*column - 1], out);
}

} // namespace

int CmnSub::GetColor(const char* text, COLORREF* out)
{
    if (!out) {
        CMN_TRACE("GetColor", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    BYTE red = 0, green = 0, blue = 0;
    int rc = VkeSubGetColorStr(theCmnAppInf.pSub, text, &red, &green, &blue);
    *out = rc == VKE_OK ? RGB(red, green, blue) : 0;
    // Empty and malformed texts are ordinary answers.
    if (rc != VKE_OK && rc != VKE_ERR_NOT_FOUND && rc != -36) CMN_TRACE("GetColor", rc);
    return rc;
}

int CmnSub::SetColor(char* buffer, int size, COLORREF color)
{
    int rc = VkeSubSetColorStr(theCmnAppInf.pSub, buffer, size, GetRValue(color), GetGValue(color), GetBValue(color));
    if (rc == VKE_OK) rc = VkeDrwSetColor(theCmnAppInf.pDrw, color);
    if (rc != VKE_OK) CMN_TRACE("SetColor", rc);
    return rc;
}

int CmnSub::GetTextColor(int kind, int subKind, COLORREF* out)
{
    return KindColor("GetTextColor", kind, subKind, &KindRow::text, out);
}

int CmnSub::GetBackColor(int kind, int subKind, COLORREF* out)
{
    return KindColor("GetBackColor", kind, subKind, &KindRow::back, out);
}

int CmnSub::GetTextBackColor(int kind, int subKind, COLORREF* out)
{
    return KindColor("GetTextBackColor", kind, subKind, &KindRow::textBack, out);
}

int CmnSub::GetSetFocusColor(int kind, int, COLORREF* out)
{
    if (kind != CmnKndDra || !out) {
        CMN_TRACE("GetSetFocusColor", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    return GetColor(theCmnAppInf.strColor[kSetFocusColor - 1], out);
}

int CmnSub::GetKillFocusColor(int kind, int, COLORREF* out)
{
    if (kind != CmnKndDra || !out) {
        CMN_TRACE("GetKillFocusColor", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    return GetColor(theCmnAppInf.strColor[kKillFocusColor - 1], out);
}

int CmnSub::GetDflColor(int index, char* buffer, int size, COLORREF* out)
{
    if (index < 0 || index >= CmnColorCnt || size < 1 || !buffer || !out) {
        CMN_TRACE("GetDflColor", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    COLORREF color = DefaultColor(index);
    int rc = index < 4 ? kStateColors[index](theCmnAppInf.pDrw, color) : VKE_OK;
    if (rc != VKE_OK) CMN_TRACE("GetDflColor", rc);
    if (rc == VKE_OK) rc = SetColor(buffer, size, color);
    *out = rc == VKE_OK ? color : 0;
    return rc;
}

int CmnSub::ReadDflColor(int index, char* buffer, int size, COLORREF* out)
{
    if (index < 0 || index >= CmnColorCnt || size < 1 || !buffer || !out) {
        CMN_TRACE("ReadDflColor", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    COLORREF color = DefaultColor(index);
    int rc = VkeSubSetColorStr(theCmnAppInf.pSub, buffer, size, GetRValue(color), GetGValue(color), GetBValue(color));
    if (rc != VKE_OK) CMN_TRACE("ReadDflColor", rc);
    *out = rc == VKE_OK ? color : 0;
    return rc;
}

int CmnSub::SetStateColors()
{
    // A text that cannot be read leaves the engine's colour as it is.
    int result = VKE_OK;
    for (int i = 0; i < 4; ++i) {
        COLORREF color = 0;
        if (GetColor(theCmnAppInf.strColor[i], &color) != VKE_OK) continue;
        int rc = kStateColors[i](theCmnAppInf.pDrw, color);
        if (rc != VKE_OK && result == VKE_OK) result = rc;
    }
    if (result != VKE_OK) CMN_TRACE("SetStateColors", result);
    return result;
}

int CmnSub::GetFont(const char* text, LOGFONTA* out)
{
    if (!out) {
        CMN_TRACE("GetFont", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    VkeFontRec font;
    int rc = VkeSubGetFontStr(theCmnAppInf.pSub, text, &font);
    if (rc == VKE_OK) *out = font.lf;
    // Empty and malformed texts are ordinary answers.
    if (rc != VKE_OK && rc != VKE_ERR_NOT_FOUND && rc != -35) CMN_TRACE("GetFont", rc);
    return rc;
}

int CmnSub::GetFont(int kind, int subKind, LOGFONTA* out)
{
    const KindRow* row = out ? FindKind(kind, subKind) : nullptr;
    if (!row) {
        CMN_TRACE("GetFont", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    return GetFont(theCmnAppInf.strFont[row->font - 1], out);
}

int CmnSub::SetFont(char* buffer, int size, const LOGFONTA* font)
{
    int rc = VKE_ERR_ARG;
    if (font) {
        VkeFontRec record = {};
        record.lf = *font;
        rc = VkeSubSetFontStr(theCmnAppInf.pSub, buffer, size, &record);
    }
    if (rc != VKE_OK) CMN_TRACE("SetFont", rc);
    return rc;
}

int CmnSub::GetDflFont(int index, char* buffer, int size)
{
    if (index < 0 || index >= CmnFontCnt || size < 1 || !buffer) {
        CMN_TRACE("GetDflFont", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    char face[VKE_MSG_SIZE] = {};
    int points = kListPoints;
    int rc = VKE_OK;
    if (index >= kFirstListFont) {
        snprintf(face, sizeof(face), "%s", kListFace);
    } else {
        char pointsText[VKE_MSG_SIZE] = {};
        rc = VkeSubGetMsg(theCmnAppInf.pSub, kMsgFontFace, face);
        if (rc == VKE_OK) rc = VkeSubGetMsg(theCmnAppInf.pSub, kMsgFontPoints, pointsText);
        points = atoi(pointsText);
    }
    LOGFONTA font;
    if (rc == VKE_OK) rc = VkeDrwGetLogFont(theCmnAppInf.pDrw, nullptr, face, points, &font);
    if (rc != VKE_OK) {
        CMN_TRACE("GetDflFont", rc);
        return rc;
    }
    return SetFont(buffer, size, &font);
}
