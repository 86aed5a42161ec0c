// Typed text values of the kinds Text to WeekOfMonth: the number readers that every kind builds
// on, and the exports of text, numbers and calendar values.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubEd1"
#include "VkiFmt.h"
#include "VkeFrame.h"
#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSign(char c) { return c == '+' || c == '-'; }

} // namespace

// The integer reader. Mode 0: optional sign, digits and correctly placed separators, the whole
// int range. Mode 1 (the reader of every part of the other kinds): digits only, 0..2147483647.
int VkiSub::ChkInt(const char* text, int mode, int* value)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text || !value || (mode != VKE_INT_SIGNED && mode != VKE_INT_DIGITS)) return VKE_ERR_ARG;
    *value = 0;
    if (!*text) return VKE_ERR_NOT_FOUND;
    VkiTrimCopy t(*this, text);
    if (!t.Buf()) return VKE_ERR_MEMORY;
    char* s = t.Buf();
    int rc;
    if (mode == VKE_INT_SIGNED) {
        rc = ChkComma(s);
        if (rc == VKE_NOT_DONE) return VKE_ERR_INT;
        if (rc == VKE_OK) rc = DeleteStr(s, ",", 0);
        if (rc != VKE_OK) return rc;
    }
    if (!*s) return VKE_ERR_NOT_FOUND;
    for (int i = 0; s[i]; ++i)
        if (!IsDigit(s[i]) && !(mode == VKE_INT_SIGNED && i == 0 && IsSign(s[i]))) return VKE_ERR_INT;
    rc = TrimStrLeftZero(s);
    if (rc != VKE_OK) return rc;
    bool negative = s[0] == '-';
    const char* digits = IsSign(s[0]) ? s + 1 : s;
    size_t n = strlen(digits);
    if (n > 10 || (n == 10 && strcmp(digits, negative ? "2147483648" : "2147483647") > 0)) return VKE_ERR_INT;
    long long v = 0;
    for (; *digits; ++digits) v = v * 10 + (*digits - '0');
    *value = static_cast<int>(negative ? -v : v); // a lone sign reads as 0
    return VKE_OK;
}

namespace {

// The reader of Cur (no point) and Dbl (at most one point): optional sign, digits, correctly
// placed separators; exponents are not taken. A value beyond the range of a double is malformed.
int ChkReal(VkiSub& sub, const char* text, bool point, int code, double* value)
{
    if (!sub.IsInit()) return VKE_ERR_NOT_INIT;
    if (!text || !value) return VKE_ERR_ARG;
    *value = 0;
    if (!*text) return VKE_ERR_NOT_FOUND;
    VkiTrimCopy t(sub, text);
    if (!t.Buf()) return VKE_ERR_MEMORY;
    char* s = t.Buf();
    int rc = sub.ChkComma(s);
    if (rc == VKE_NOT_DONE) return code;
    if (rc == VKE_OK) rc = sub.DeleteStr(s, ",", 0);
    if (rc != VKE_OK) return rc;
    if (!*s) return VKE_ERR_NOT_FOUND;
    int points = 0;
    for (int i = 0; s[i]; ++i) {
        if (IsDigit(s[i]) || (i == 0 && IsSign(s[i]))) continue;
        if (point && s[i] == '.' && ++points == 1) continue;
        return code;
    }
    double v = strtod(s, nullptr); // a lone sign or point reads as 0
    if (!isfinite(v)) return code;
    *value = v;
    return VKE_OK;
}

} // namespace

int VkiSub::ChkCur(const char* text, double* value) { return ChkReal(*this, text, false, VKE_ERR_CUR, value); }

int VkiSub::ChkDbl(const char* text, double* value) { return ChkReal(*this, text, true, VKE_ERR_DBL, value); }

// The numbers return their value besides the canonical text (0 on failure).
int VkiSub::GetInt(char* text, int* value, int size)
{
    if (IsInit() && !value) return VKE_ERR_ARG;
    VkiVal v;
    int rc = GetKind(VKE_EDIT_INT, text, size, &v);
    if (value) *value = v.aiNum[0];
    return rc;
}

int VkiSub::GetCur(char* text, double* value, int size)
{
    if (IsInit() && !value) return VKE_ERR_ARG;
    VkiVal v;
    int rc = GetKind(VKE_EDIT_CUR, text, size, &v);
    if (value) *value = v.dNum;
    return rc;
}

int VkiSub::GetDbl(char* text, double* value, int size)
{
    if (IsInit() && !value) return VKE_ERR_ARG;
    VkiVal v;
    int rc = GetKind(VKE_EDIT_DBL, text, size, &v);
    if (value) *value = v.dNum;
    return rc;
}

// Every other operation is the kind's row of the table.
int VkiSub::ChkText(const char* text) { return ChkKind(VKE_EDIT_TEXT, text, nullptr); }
int VkiSub::GetText(char* text, int size) { return GetKind(VKE_EDIT_TEXT, text, size, nullptr); }
int VkiSub::SetText(char* text, const char* format, int size) { return SetKind(VKE_EDIT_TEXT, text, format, size); }
int VkiSub::SetInt(char* text, const char* format, int size) { return SetKind(VKE_EDIT_INT, text, format, size); }
int VkiSub::SetCur(char* text, const char* format, int size) { return SetKind(VKE_EDIT_CUR, text, format, size); }
int VkiSub::SetDbl(char* text, const char* format, int size) { return SetKind(VKE_EDIT_DBL, text, format, size); }

int VkiSub::ChkDate(const char* text) { return ChkKind(VKE_EDIT_DATE, text, nullptr); }
int VkiSub::GetDate(char* text, int size) { return GetKind(VKE_EDIT_DATE, text, size, nullptr); }
int VkiSub::SetDate(char* text, const char* format, int size) { return SetKind(VKE_EDIT_DATE, text, format, size); }
int VkiSub::ChkYYMM(const char* text) { return ChkKind(VKE_EDIT_YYMM, text, nullptr); }
int VkiSub::GetYYMM(char* text, int size) { return GetKind(VKE_EDIT_YYMM, text, size, nullptr); }
int VkiSub::SetYYMM(char* text, const char* format, int size) { return SetKind(VKE_EDIT_YYMM, text, format, size); }
int VkiSub::ChkMMDD(const char* text) { return ChkKind(VKE_EDIT_MMDD, text, nullptr); }
int VkiSub::GetMMDD(char* text, int size) { return GetKind(VKE_EDIT_MMDD, text, size, nullptr); }
int VkiSub::SetMMDD(char* text, const char* format, int size) { return SetKind(VKE_EDIT_MMDD, text, format, size); }
int VkiSub::ChkYear(const char* text) { return ChkKind(VKE_EDIT_YEAR, text, nullptr); }
int VkiSub::GetYear(char* text, int size) { return GetKind(VKE_EDIT_YEAR, text, size, nullptr); }
int VkiSub::SetYear(char* text, const char* format, int size) { return SetKind(VKE_EDIT_YEAR, text, format, size); }
int VkiSub::ChkMonth(const char* text) { return ChkKind(VKE_EDIT_MONTH, text, nullptr); }
int VkiSub::GetMonth(char* text, int size) { return GetKind(VKE_EDIT_MONTH, text, size, nullptr); }
int VkiSub::SetMonth(char* text, const char* format, int size) { return SetKind(VKE_EDIT_MONTH, text, format, size); }
int VkiSub::ChkDay(const char* text) { return ChkKind(VKE_EDIT_DAY, text, nullptr); }
int VkiSub::GetDay(char* text, int size) { return GetKind(VKE_EDIT_DAY, text, size, nullptr); }
int VkiSub::SetDay(char* text, const char* format, int size) { return SetKind(VKE_EDIT_DAY, text, format, size); }
int VkiSub::ChkWeekOfYear(const char* text) { return ChkKind(VKE_EDIT_WEEK_OF_YEAR, text, nullptr); }
int VkiSub::GetWeekOfYear(char* text, int size) { return GetKind(VKE_EDIT_WEEK_OF_YEAR, text, size, nullptr); }
int VkiSub::SetWeekOfYear(char* text, const char* format, int size)
{
    return SetKind(VKE_EDIT_WEEK_OF_YEAR, text, format, size);
}
int VkiSub::ChkWeekOfMonth(const char* text) { return ChkKind(VKE_EDIT_WEEK_OF_MONTH, text, nullptr); }
int VkiSub::GetWeekOfMonth(char* text, int size) { return GetKind(VKE_EDIT_WEEK_OF_MONTH, text, size, nullptr); }
int VkiSub::SetWeekOfMonth(char* text, const char* format, int size)
{
    return SetKind(VKE_EDIT_WEEK_OF_MONTH, text, format, size);
}

// ---- Exports ----

VKE_API int VkeSubChkText(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkText(text)); }
VKE_API int VkeSubGetText(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetText(text, size)); }
VKE_API int VkeSubSetText(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetText(text, format, size));
}
VKE_API int VkeSubChkInt(VkiSub* sub, const char* text, int mode, int* value)
{
    VKE_SUB_FRAME(sub, ChkInt(text, mode, value));
}
VKE_API int VkeSubGetInt(VkiSub* sub, char* text, int* value, int size)
{
    VKE_SUB_FRAME(sub, GetInt(text, value, size));
}
VKE_API int VkeSubSetInt(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetInt(text, format, size));
}
VKE_API int VkeSubChkCur(VkiSub* sub, const char* text, double* value) { VKE_SUB_FRAME(sub, ChkCur(text, value)); }
VKE_API int VkeSubGetCur(VkiSub* sub, char* text, double* value, int size)
{
    VKE_SUB_FRAME(sub, GetCur(text, value, size));
}
VKE_API int VkeSubSetCur(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetCur(text, format, size));
}
VKE_API int VkeSubChkDbl(VkiSub* sub, const char* text, double* value) { VKE_SUB_FRAME(sub, ChkDbl(text, value)); }
VKE_API int VkeSubGetDbl(VkiSub* sub, char* text, double* value, int size)
{
    VKE_SUB_FRAME(sub, GetDbl(text, value, size));
}
VKE_API int VkeSubSetDbl(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetDbl(text, format, size));
}

VKE_API int VkeSubChkDate(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkDate(text)); }
VKE_API int VkeSubGetDate(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetDate(text, size)); }
VKE_API int VkeSubSetDate(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetDate(text, format, size));
}
VKE_API int VkeSubChkYYMM(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkYYMM(text)); }
VKE_API int VkeSubGetYYMM(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetYYMM(text, size)); }
VKE_API int VkeSubSetYYMM(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetYYMM(text, format, size));
}
VKE_API int VkeSubChkMMDD(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkMMDD(text)); }
VKE_API int VkeSubGetMMDD(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetMMDD(text, size)); }
VKE_API int VkeSubSetMMDD(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetMMDD(text, format, size));
}
VKE_API int VkeSubChkYear(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkYear(text)); }
VKE_API int VkeSubGetYear(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetYear(text, size)); }
VKE_API int VkeSubSetYear(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetYear(text, format, size));
}
VKE_API int VkeSubChkMonth(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkMonth(text)); }
VKE_API int VkeSubGetMonth(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetMonth(text, size)); }
VKE_API int VkeSubSetMonth(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetMonth(text, format, size));
}
VKE_API int VkeSubChkDay(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkDay(text)); }
VKE_API int VkeSubGetDay(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetDay(text, size)); }
VKE_API int VkeSubSetDay(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetDay(text, format, size));
}
VKE_API int VkeSubChkWeekOfYear(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkWeekOfYear(text)); }
VKE_API int VkeSubGetWeekOfYear(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetWeekOfYear(text, size)); }
VKE_API int VkeSubSetWeekOfYear(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetWeekOfYear(text, format, size));
}
VKE_API int VkeSubChkWeekOfMonth(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkWeekOfMonth(text)); }
VKE_API int VkeSubGetWeekOfMonth(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, GetWeekOfMonth(text, size)); }
VKE_API int VkeSubSetWeekOfMonth(VkiSub* sub, char* text, const char* format, int size)
{
    VKE_SUB_FRAME(sub, SetWeekOfMonth(text, format, size));
}
