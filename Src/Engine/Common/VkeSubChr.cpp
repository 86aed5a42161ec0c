// Character classes of Shift-JIS and EUC-JP, conversion between them, case mapping,
// and the packing of one character into a code.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubBsc"
#include "VkiSub.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <ctype.h>
#include <stdlib.h>
#include <string.h>

namespace {

void SetRange(unsigned char* table, int from, int to, unsigned char bit)
{
    for (int c = from; c <= to; ++c) table[c] |= bit;
}

} // namespace

void VkiSub::FillChrCls()
{
    memset(m_abChrCls, 0, sizeof(m_abChrCls));
    SetRange(m_abChrCls, 0x00, 0x1F, VKE_CHR_CTL);
    SetRange(m_abChrCls, 0x7F, 0x7F, VKE_CHR_CTL);
    SetRange(m_abChrCls, 0x20, 0x7E, VKE_CHR_NML);
    SetRange(m_abChrCls, 0xA1, 0xDF, VKE_CHR_NML);
    SetRange(m_abChrCls, 0x81, 0x9F, VKE_CHR_SJS1);
    SetRange(m_abChrCls, 0xE0, 0xFC, VKE_CHR_SJS1);
    SetRange(m_abChrCls, 0x40, 0x7E, VKE_CHR_SJS2);
    SetRange(m_abChrCls, 0x80, 0xFC, VKE_CHR_SJS2);
    SetRange(m_abChrCls, 0xA1, 0xFE, VKE_CHR_EUC1);
    SetRange(m_abChrCls, 0xA1, 0xFE, VKE_CHR_EUC2);
}

// One-byte class tests share the shape: -6 before Init, -9 for a null out.
#define VKI_CLASS_TEST(method, expr)              \
    int VkiSub::method                            \
    {                                             \
        if (!IsInit()) return VKE_ERR_NOT_INIT;   \
        if (!is) return VKE_ERR_ARG;              \
        *is = (expr) ? 1 : 0;                     \
        return VKE_OK;                            \
    }

VKI_CLASS_TEST(IsCtlChr(int ch, int* is), Cls(ch, VKE_CHR_CTL))
VKI_CLASS_TEST(IsNmlChr(int ch, int* is), Cls(ch, VKE_CHR_NML))
VKI_CLASS_TEST(IsSjsMbc1(int ch, int* is), Cls(ch, VKE_CHR_SJS1))
VKI_CLASS_TEST(IsSjsMbc2(int ch, int* is), Cls(ch, VKE_CHR_SJS2))
VKI_CLASS_TEST(IsSjsMbc(int first, int second, int* is), Cls(first, VKE_CHR_SJS1) && Cls(second, VKE_CHR_SJS2))
VKI_CLASS_TEST(IsEucMbc1(int ch, int* is), Cls(ch, VKE_CHR_EUC1))
VKI_CLASS_TEST(IsEucMbc2(int ch, int* is), Cls(ch, VKE_CHR_EUC2))
VKI_CLASS_TEST(IsEucMbc(int first, int second, int* is), Cls(first, VKE_CHR_EUC1) && Cls(second, VKE_CHR_EUC2))
VKI_CLASS_TEST(IsSjsUINT(UINT code, int* is),
               Cls(static_cast<int>(code >> 8), VKE_CHR_SJS1) && Cls(static_cast<int>(code), VKE_CHR_SJS2))
VKI_CLASS_TEST(IsEucUINT(UINT code, int* is),
               Cls(static_cast<int>(code >> 8), VKE_CHR_EUC1) && Cls(static_cast<int>(code), VKE_CHR_EUC2))

#undef VKI_CLASS_TEST

int VkiSub::ChkChr(const char* text, int pos)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiChkChr(text, pos);
}

int VkiSub::SJSToEUC(char* dest, const char* src, int destSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src || destSize < 1) return VKE_ERR_ARG;
    // A work copy, so that destination and source may be one buffer.
    VkiWorkCopy work;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(work.Copy(src));
    if (!s) return VKE_ERR_MEMORY;
    unsigned char* d = reinterpret_cast<unsigned char*>(dest);
    int written = 0;
    int rc = VKE_OK;
    while (*s) {
        if (Cls(s[0], VKE_CHR_SJS1) && Cls(s[1], VKE_CHR_SJS2)) {
            if (written + 3 > destSize) { rc = VKE_ERR_CUT; break; }
            unsigned char first = s[0];
            unsigned char second = s[1];
            unsigned char t = static_cast<unsigned char>(second > 0x7F ? second - 1 : second);
            unsigned char r = static_cast<unsigned char>(first < 0xA0 ? first - 0x70 : first - 0xB0);
            if (t < 0x9E) {
                d[written++] = static_cast<unsigned char>((2 * r - 1) | 0x80);
                d[written++] = static_cast<unsigned char>((t - 0x1F) | 0x80);
            } else {
                d[written++] = static_cast<unsigned char>((2 * r) | 0x80);
                d[written++] = static_cast<unsigned char>((t - 0x7D) | 0x80);
            }
            s += 2;
        } else if (s[0] >= 0xA1 && s[0] <= 0xDF) {
            if (written + 3 > destSize) { rc = VKE_ERR_CUT; break; }
            d[written++] = 0x8E;
            d[written++] = s[0];
            s += 1;
        } else {
            if (written + 2 > destSize) { rc = VKE_ERR_CUT; break; }
            d[written++] = s[0];
            s += 1;
        }
    }
    d[written] = 0;
    return rc;
}

int VkiSub::EUCToSJS(char* dest, const char* src, int destSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src || destSize < 1) return VKE_ERR_ARG;
    // A work copy, so that destination and source may be one buffer.
    VkiWorkCopy work;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(work.Copy(src));
    if (!s) return VKE_ERR_MEMORY;
    unsigned char* d = reinterpret_cast<unsigned char*>(dest);
    int written = 0;
    int rc = VKE_OK;
    while (*s) {
        if (Cls(s[0], VKE_CHR_EUC1) && Cls(s[1], VKE_CHR_EUC2)) {
            if (written + 3 > destSize) { rc = VKE_ERR_CUT; break; }
            int j1 = s[0] & 0x7F;
            int j2 = s[1] & 0x7F;
            int out2, r;
            if (j1 & 1) {
                out2 = j2 + 0x1F;
                r = j1 >> 1;
            } else {
                out2 = j2 + 0x7D;
                r = (j1 >> 1) - 1;
            }
            if (out2 > 0x7E) ++out2;
            int out1 = r >= 47 ? r + 0xB1 : r + 0x71;
            d[written++] = static_cast<unsigned char>(out1);
            d[written++] = static_cast<unsigned char>(out2);
            s += 2;
        } else if (s[0] == 0x8E) {
            // Single shift 2: the byte after it is a half-width katakana. A lone 0x8E at the
            // end of the text is dropped; the walk stops at the terminator.
            if (s[1] == 0) { s += 1; continue; }
            if (written + 2 > destSize) { rc = VKE_ERR_CUT; break; }
            d[written++] = s[1];
            s += 2;
        } else {
            if (written + 2 > destSize) { rc = VKE_ERR_CUT; break; }
            d[written++] = s[0];
            s += 1;
        }
    }
    d[written] = 0;
    return rc;
}

UINT VkiSub::LowerCode(const char* p) const
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    if (u[0] == 0) return 0;
    if (Cls(u[0], VKE_CHR_SJS1) && Cls(u[1], VKE_CHR_SJS2)) {
        if (u[0] == 0x82 && u[1] >= 0x60 && u[1] <= 0x79) return 0x8200u + u[1] + 0x21;
        return (static_cast<UINT>(u[0]) << 8) | u[1];
    }
    return static_cast<UINT>(static_cast<unsigned char>(tolower(u[0])));
}

namespace {
UINT UpperCodeOf(const unsigned char* u, bool dbcs)
{
    if (u[0] == 0) return 0;
    if (dbcs) {
        if (u[0] == 0x82 && u[1] >= 0x81 && u[1] <= 0x9A) return 0x8200u + u[1] - 0x21;
        return (static_cast<UINT>(u[0]) << 8) | u[1];
    }
    return static_cast<UINT>(static_cast<unsigned char>(toupper(u[0])));
}
} // namespace

int VkiSub::ToLower(const char* ch, UINT* code)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!ch || !code) return VKE_ERR_ARG;
    *code = LowerCode(ch);
    return VKE_OK;
}

int VkiSub::ToUpper(const char* ch, UINT* code)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!ch || !code) return VKE_ERR_ARG;
    const unsigned char* u = reinterpret_cast<const unsigned char*>(ch);
    *code = UpperCodeOf(u, u[0] && Cls(u[0], VKE_CHR_SJS1) && Cls(u[1], VKE_CHR_SJS2));
    return VKE_OK;
}

int VkiSub::ToLowerStr(char* text)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text) return VKE_ERR_ARG;
    for (char* p = text; *p;) {
        int n = VkiChrLen(p);
        UINT c = LowerCode(p);
        if (n == 2) {
            p[0] = static_cast<char>(c >> 8);
            p[1] = static_cast<char>(c);
        } else {
            p[0] = static_cast<char>(c);
        }
        p += n;
    }
    return VKE_OK;
}

int VkiSub::ToUpperStr(char* text)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text) return VKE_ERR_ARG;
    for (char* p = text; *p;) {
        int n = VkiChrLen(p);
        UINT c = UpperCodeOf(reinterpret_cast<unsigned char*>(p), n == 2);
        if (n == 2) {
            p[0] = static_cast<char>(c >> 8);
            p[1] = static_cast<char>(c);
        } else {
            p[0] = static_cast<char>(c);
        }
        p += n;
    }
    return VKE_OK;
}

int VkiSub::UINTToStr(char* dest, UINT code)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest) return VKE_ERR_ARG;
    int dbcs = 0;
    int rc = IsSjsUINT(code & 0xFFFF, &dbcs);
    if (rc != VKE_OK) {
        dest[0] = 0;
        return rc;
    }
    if (dbcs) {
        dest[0] = static_cast<char>((code >> 8) & 0xFF);
        dest[1] = static_cast<char>(code & 0xFF);
        dest[2] = 0;
    } else {
        dest[0] = static_cast<char>(code & 0xFF);
        dest[1] = 0;
    }
    return VKE_OK;
}

int VkiSub::StrToUINT(UINT* code, const char* text)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!code || !text) return VKE_ERR_ARG;
    const unsigned char* u = reinterpret_cast<const unsigned char*>(text);
    if (u[0] && VkiChkChr(text, 1) == 1)
        *code = (static_cast<UINT>(u[0]) << 8) | u[1];
    else
        *code = static_cast<UINT>(static_cast<int>(static_cast<signed char>(u[0])));
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeSubIsCtlChr(VkiSub* sub, int ch, int* is) { VKE_SUB_FRAME(sub, IsCtlChr(ch, is)); }
VKE_API int VkeSubIsNmlChr(VkiSub* sub, int ch, int* is) { VKE_SUB_FRAME(sub, IsNmlChr(ch, is)); }
VKE_API int VkeSubIsSjsMbc1(VkiSub* sub, int ch, int* is) { VKE_SUB_FRAME(sub, IsSjsMbc1(ch, is)); }
VKE_API int VkeSubIsSjsMbc2(VkiSub* sub, int ch, int* is) { VKE_SUB_FRAME(sub, IsSjsMbc2(ch, is)); }
VKE_API int VkeSubIsSjsMbc(VkiSub* sub, int first, int second, int* is)
{
    VKE_SUB_FRAME(sub, IsSjsMbc(first, second, is));
}
VKE_API int VkeSubIsEucMbc1(VkiSub* sub, int ch, int* is) { VKE_SUB_FRAME(sub, IsEucMbc1(ch, is)); }
VKE_API int VkeSubIsEucMbc2(VkiSub* sub, int ch, int* is) { VKE_SUB_FRAME(sub, IsEucMbc2(ch, is)); }
VKE_API int VkeSubIsEucMbc(VkiSub* sub, int first, int second, int* is)
{
    VKE_SUB_FRAME(sub, IsEucMbc(first, second, is));
}
VKE_API int VkeSubIsSjsUINT(VkiSub* sub, UINT code, int* is) { VKE_SUB_FRAME(sub, IsSjsUINT(code, is)); }
VKE_API int VkeSubIsEucUINT(VkiSub* sub, UINT code, int* is) { VKE_SUB_FRAME(sub, IsEucUINT(code, is)); }
VKE_API int VkeSubChkChr(VkiSub* sub, const char* text, int pos) { VKE_SUB_FRAME(sub, ChkChr(text, pos)); }
VKE_API int VkeSubSJSToEUC(VkiSub* sub, char* dest, const char* src, int destSize)
{
    VKE_SUB_FRAME(sub, SJSToEUC(dest, src, destSize));
}
VKE_API int VkeSubEUCToSJS(VkiSub* sub, char* dest, const char* src, int destSize)
{
    VKE_SUB_FRAME(sub, EUCToSJS(dest, src, destSize));
}
VKE_API int VkeSubToLower(VkiSub* sub, const char* ch, UINT* code) { VKE_SUB_FRAME(sub, ToLower(ch, code)); }
VKE_API int VkeSubToUpper(VkiSub* sub, const char* ch, UINT* code) { VKE_SUB_FRAME(sub, ToUpper(ch, code)); }
VKE_API int VkeSubToLowerStr(VkiSub* sub, char* text) { VKE_SUB_FRAME(sub, ToLowerStr(text)); }
VKE_API int VkeSubToUpperStr(VkiSub* sub, char* text) { VKE_SUB_FRAME(sub, ToUpperStr(text)); }
VKE_API int VkeSubUINTToStr(VkiSub* sub, char* dest, UINT code) { VKE_SUB_FRAME(sub, UINTToStr(dest, code)); }
VKE_API int VkeSubStrToUINT(VkiSub* sub, UINT* code, const char* text) { VKE_SUB_FRAME(sub, StrToUINT(code, text)); }
