// Typed text values of the kinds Time to Color, and the hexadecimal byte strings on which the
// font text is built.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubEd2"
#include "VkiFmt.h"
#include "VkiGdi.h"
#include "VkeFrame.h"
#include <stdio.h>
#include <string.h>

namespace {

// Hexadecimal strings hold at most this many bytes per call (two characters each, below 1024).
const int kMaxHexBytes = 511;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

// Font heights and widths beyond this make no font that can be drawn.
const LONG kMaxFontSize = 0x7FFF;

bool KnownCharSet(BYTE cs)
{
    static const BYTE kSets[] = {ANSI_CHARSET,        DEFAULT_CHARSET,    SYMBOL_CHARSET,  MAC_CHARSET,
                                 SHIFTJIS_CHARSET,    HANGEUL_CHARSET,    JOHAB_CHARSET,   GB2312_CHARSET,
                                 CHINESEBIG5_CHARSET, GREEK_CHARSET,      TURKISH_CHARSET, VIETNAMESE_CHARSET,
                                 HEBREW_CHARSET,      ARABIC_CHARSET,     BALTIC_CHARSET,  RUSSIAN_CHARSET,
                                 THAI_CHARSET,        EASTEUROPE_CHARSET, OEM_CHARSET};
    for (BYTE s : kSets)
        if (s == cs) return true;
    return false;
}

// A face name is a terminated Shift-JIS text of displayable characters.
bool FaceNameOk(const char* face)
{
    int len = VkiStrLen(face, LF_FACESIZE);
    if (len >= LF_FACESIZE) return false;
    for (int i = 0; i < len;) {
        unsigned char c = static_cast<unsigned char>(face[i]);
        if (c < 0x20 || c == 0x7F) return false;
        if (VkiIsSjsLead(c)) {
            if (!VkiIsSjsTrail(static_cast<unsigned char>(face[i + 1]))) return false;
            i += 2;
        } else {
            ++i;
        }
    }
    return true;
}

// Whether the record describes a font: every field holds a value the font mapper knows.
// GDI under Wine makes a font from any record, so this is the check that decides.
bool FontFieldsOk(const LOGFONTA& lf)
{
    if (lf.lfHeight < -kMaxFontSize || lf.lfHeight > kMaxFontSize) return false;
    if (lf.lfWidth < -kMaxFontSize || lf.lfWidth > kMaxFontSize) return false;
    if (lf.lfWeight < 0 || lf.lfWeight > 1000) return false;
    if (!KnownCharSet(lf.lfCharSet)) return false;
    if (lf.lfOutPrecision > OUT_PS_ONLY_PRECIS) return false;
    if ((lf.lfClipPrecision & 0x0F) > CLIP_STROKE_PRECIS) return false;
    if (lf.lfQuality > CLEARTYPE_NATURAL_QUALITY) return false;
    if ((lf.lfPitchAndFamily & 0x03) == 0x03 || (lf.lfPitchAndFamily >> 4) > (FF_DECORATIVE >> 4)) return false;
    return FaceNameOk(lf.lfFaceName);
}

} // namespace

// ---- Hexadecimal strings ----

// Byte i is read from characters 2i and 2i + 1 as a number of up to two hexadecimal digits; a
// pair that does not begin with a digit is refused (-9) before anything is stored.
int VkiSub::GetHexStr(const char* hex, BYTE* out, int count)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!hex || !out || count < 1 || count > kMaxHexBytes) return VKE_ERR_ARG;
    if (!*hex) return VKE_ERR_NOT_FOUND;
    if (VkiStrLen(hex, 2 * count) < 2 * count) return VKE_ERR_ARG;
    for (int i = 0; i < count; ++i)
        if (!IsHexDigit(hex[2 * i])) return VKE_ERR_ARG;
    for (int i = 0; i < count; ++i) {
        int v = HexValue(hex[2 * i]);
        if (IsHexDigit(hex[2 * i + 1])) v = v * 16 + HexValue(hex[2 * i + 1]);
        out[i] = static_cast<BYTE>(v);
    }
    return VKE_OK;
}

int VkiSub::SetHexStr(char* text, const BYTE* bytes, int count, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text || !bytes || count < 1 || count > kMaxHexBytes || size < 1) return VKE_ERR_ARG;
    char hex[2 * kMaxHexBytes + 1];
    for (int i = 0; i < count; ++i) snprintf(hex + 2 * i, 3, "%02X", bytes[i]);
    // A text that does not fit is cut and terminated (-13).
    return VkiCopyStr(text, hex, size);
}

// ---- Font ----

// Reads the 128 digits of a font record and proves that a font can be made from it. The text
// is trimmed; characters after the 128th are ignored. A text that holds no font record (too
// short, not hexadecimal, fields no font can have) is -35.
int VkiSub::GetFontStr(const char* text, VkeFontRec* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text || !out) return VKE_ERR_ARG;
    memset(out, 0, sizeof(*out));
    if (!*text) return VKE_ERR_NOT_FOUND;
    VkiTrimCopy t(*this, text);
    if (!t.Buf()) return VKE_ERR_MEMORY;
    const char* s = t.Buf();
    if (!*s) return VKE_ERR_NOT_FOUND;
    const int digits = 2 * static_cast<int>(sizeof(VkeFontRec));
    if (VkiStrLen(s, digits) < digits) return VKE_ERR_FONT;
    for (int i = 0; i < digits; ++i)
        if (!IsHexDigit(s[i])) return VKE_ERR_FONT;
    VkeFontRec font;
    int rc = GetHexStr(s, reinterpret_cast<BYTE*>(&font), sizeof(font));
    if (rc != VKE_OK) return rc;
    if (!FontFieldsOk(font.lf)) return VKE_ERR_FONT;
    VkiGdiObj<HFONT> made(CreateFontIndirectA(&font.lf));
    if (!made) return VKE_ERR_FONT;
    *out = font;
    return VKE_OK;
}

int VkiSub::SetFontStr(char* text, int size, const VkeFontRec* font)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text || !font || size < 1) return VKE_ERR_ARG;
    return SetHexStr(text, reinterpret_cast<const BYTE*>(font), sizeof(*font), size);
}

// ---- Colour ----

// Three fields separated by ",", each an integer 0..255 in digits; a trailing "," is allowed.
int VkiSub::GetColorStr(const char* text, BYTE* red, BYTE* green, BYTE* blue)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text || !red || !green || !blue) return VKE_ERR_ARG;
    *red = *green = *blue = 0;
    if (!*text) return VKE_ERR_NOT_FOUND;
    VkiTrimCopy t(*this, text);
    if (!t.Buf()) return VKE_ERR_MEMORY;
    const char* s = t.Buf();
    int len = static_cast<int>(strlen(s));
    if (len == 0) return VKE_ERR_NOT_FOUND;
    VkiWorkCopy fieldArea;
    char* field = fieldArea.Room(len + 1);
    if (!field) return VKE_ERR_MEMORY;
    int rgb[3];
    int pos = 1;
    for (int i = 0; i < 3; ++i) {
        if (pos > len) return VKE_ERR_COLOR; // fewer than three fields
        int next = 0;
        int rc = CsvGetFld(s, ",", field, len + 1, pos, &next);
        if (rc != VKE_OK) return rc;
        rc = ChkInt(field, VKE_INT_DIGITS, &rgb[i]);
        if (rc == VKE_ERR_NOT_FOUND || rc == VKE_ERR_INT) return VKE_ERR_COLOR;
        if (rc != VKE_OK) return rc;
        if (rgb[i] > 255) return VKE_ERR_COLOR;
        pos = next;
    }
    if (pos <= len) {
        VkiTrimCopy rest(*this, s + pos - 1);
        if (!rest.Buf()) return VKE_ERR_MEMORY;
        if (rest.Buf()[0]) return VKE_ERR_COLOR;
    }
    *red = static_cast<BYTE>(rgb[0]);
    *green = static_cast<BYTE>(rgb[1]);
    *blue = static_cast<BYTE>(rgb[2]);
    return VKE_OK;
}

int VkiSub::SetColorStr(char* text, int size, int red, int green, int blue)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text || size < 1) return VKE_ERR_ARG;
    char color[16];
    snprintf(color, sizeof(color), "%3d, %3d, %3d", red & 0xFF, green & 0xFF, blue & 0xFF);
    return VkiCopyStr(text, color, size);
}

// ---- The kinds' rows of the table ----

int VkiSub::ChkTime(const char* text) { return ChkKind(VKE_EDIT_TIME, text, nullptr); }
int VkiSub::GetTime(char* text, int size) { return GetKind(VKE_EDIT_TIME, text, size, nullptr); }
int VkiSub::SetTime(char* text, const char* format, int size) { return SetKind(VKE_EDIT_TIME, text, format, size); }
int VkiSub::ChkHHMM(const char* text) { return ChkKind(VKE_EDIT_HHMM, text, nullptr); }
int VkiSub::GetHHMM(char* text, int size) { return GetKind(VKE_EDIT_HHMM, text, size, nullptr); }
int VkiSub::SetHHMM(char* text, const char* format, int size) { return SetKind(VKE_EDIT_HHMM, text, format, size); }
int VkiSub::ChkMMSS(const char* text) { return ChkKind(VKE_EDIT_MMSS, text, nullptr); }
int VkiSub::GetMMSS(char* text, int size) { return GetKind(VKE_EDIT_MMSS, text, size, nullptr); }
int VkiSub::SetMMSS(char* text, const char* format, int size) { return SetKind(VKE_EDIT_MMSS, text, format, size); }
int VkiSub::ChkHour(const char* text) { return ChkKind(VKE_EDIT_HOUR, text, nullptr); }
int VkiSub::GetHour(char* text, int size) { return GetKind(VKE_EDIT_HOUR, text, size, nullptr); }
int VkiSub::SetHour(char* text, const char* format, int size) { return SetKind(VKE_EDIT_HOUR, text, format, size); }
int VkiSub::ChkMinute(const char* text) { return ChkKind(VKE_EDIT_MINUTE, text, nullptr); }
int VkiSub::GetMinute(char* text, int size) { return GetKind(VKE_EDIT_MINUTE, text, size, nullptr); }
int VkiSub::SetMinute(char* text, const char* format, int size) { return SetKind(VKE_EDIT_MINUTE, text, format, size); }
int VkiSub::ChkSecond(const char* text) { return ChkKind(VKE_EDIT_SECOND, text, nullptr); }
int VkiSub::GetSecond(char* text, int size) { return GetKind(VKE_EDIT_SECOND, text, size, nullptr); }
int VkiSub::SetSecond(char* text, const char* format, int size) { return SetKind(VKE_EDIT_SECOND, text, format, size); }
int VkiSub::ChkFont(const char* text) { return ChkKind(VKE_EDIT_FONT, text, nullptr); }
int VkiSub::GetFont(char* text, int size) { return GetKind(VKE_EDIT_FONT, text, size, nullptr); }
int VkiSub::SetFont(char* text, const char* format, int size) { return SetKind(VKE_EDIT_FONT, text, format, size); }
int VkiSub::ChkColor(const char* text) { return ChkKind(VKE_EDIT_COLOR, text, nullptr); }
int VkiSub::GetColor(char* text, int size) { return GetKind(VKE_EDIT_COLOR, text, size, nullptr); }
int VkiSub::SetColor(char* text, const char* format, int size) { return SetKind(VKE_EDIT_COLOR, text, format, size); }

// ---- Exports ----

VKE_API int VkeSubChkTime(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkTime(text)); }
VKE_API int VkeSubGetTime(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetTime(text, size)); }
VKE_API int VkeSubSetTime(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetTime(text, format, size));
}
VKE_API int VkeSubChkHHMM(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkHHMM(text)); }
VKE_API int VkeSubGetHHMM(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetHHMM(text, size)); }
VKE_API int VkeSubSetHHMM(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetHHMM(text, format, size));
}
VKE_API int VkeSubChkMMSS(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkMMSS(text)); }
VKE_API int VkeSubGetMMSS(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetMMSS(text, size)); }
VKE_API int VkeSubSetMMSS(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetMMSS(text, format, size));
}
VKE_API int VkeSubChkHour(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkHour(text)); }
VKE_API int VkeSubGetHour(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetHour(text, size)); }
VKE_API int VkeSubSetHour(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetHour(text, format, size));
}
VKE_API int VkeSubChkMinute(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkMinute(text)); }
VKE_API int VkeSubGetMinute(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetMinute(text, size)); }
VKE_API int VkeSubSetMinute(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetMinute(text, format, size));
}
VKE_API int VkeSubChkSecond(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkSecond(text)); }
VKE_API int VkeSubGetSecond(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetSecond(text, size)); }
VKE_API int VkeSubSetSecond(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetSecond(text, format, size));
}

VKE_API int VkeSubGetHexStr(VkiSub* sub, const char* hex, BYTE* out, int count)
{
    VKE_SUB_FRAME(sub, GetHexStr(hex, out, count));
}
VKE_API int VkeSubSetHexStr(VkiSub* sub, char* text, const BYTE* bytes, int count, int size)
{
    VKE_SUB_FRAME(sub, SetHexStr(text, bytes, count, size));
}

VKE_API int VkeSubGetFontStr(VkiSub* sub, const char* text, VkeFontRec* out)
{
    VKE_SUB_FRAME(sub, GetFontStr(text, out));
}
VKE_API int VkeSubSetFontStr(VkiSub* sub, char* text, int size, const VkeFontRec* font)
{
    VKE_SUB_FRAME(sub, SetFontStr(text, size, font));
}
VKE_API int VkeSubChkFont(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkFont(text)); }
VKE_API int VkeSubGetFont(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetFont(text, size)); }
VKE_API int VkeSubSetFont(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetFont(text, format, size));
}

VKE_API int VkeSubGetColorStr(VkiSub* sub, const char* text, BYTE* red, BYTE* green, BYTE* blue)
{
    VKE_SUB_FRAME(sub, GetColorStr(text, red, green, blue));
}
VKE_API int VkeSubSetColorStr(VkiSub* sub, char* text, int size, int red, int green, int blue)
{
    VKE_SUB_FRAME(sub, SetColorStr(text, size, red, green, blue));
}
VKE_API int VkeSubChkColor(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkColor(text)); }
VKE_API int VkeSubGetColor(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetColor(text, size)); }
VKE_API int VkeSubSetColor(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetColor(text, format, size));
}
