// Typed text values: the table of kinds, the one reader and writer that serve every kind, the
// split forms of calendar and time values, the formatter, thousands separators, short years and
// calendar arithmetic.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubFmt"
#include "VkiFmt.h"
#include "VkeFrame.h"
#include <math.h>
#include <stdio.h>
#include <string.h>

namespace {

// Fields of calendar and time values: letter, range, canonical digits, marker message.
const VkiField kYear = {'y', 0, 9999, 4, VKE_MSG_MARK_YEAR};
const VkiField kMonth = {'m', 1, 12, 2, VKE_MSG_MARK_MONTH};
const VkiField kDay = {'d', 1, 31, 2, VKE_MSG_MARK_DAY};
const VkiField kHour = {'h', 0, 23, 2, VKE_MSG_MARK_HOUR};
const VkiField kMinute = {'n', 0, 59, 2, VKE_MSG_MARK_MINUTE};
const VkiField kSecond = {'s', 0, 59, 2, VKE_MSG_MARK_SECOND};
// Weeks have no marker words. A leap year that begins on a Saturday has a 54th week (31 December
// 2000 is in it), so the check accepts every week the calculation can give.
const VkiField kWeekOfYear = {'v', 1, 54, 2, 0};
const VkiField kWeekOfMonth = {'v', 1, 6, 1, 0};

// Every kind, in EditType order.
const VkiKind kKinds[] = {
    // type, malformed, form, values, parts, separators,
    //     conversion, letters, comma, printing
    {VKE_EDIT_NONE, 0, VKI_FORM_NONE, 3, {}, "",
     VKI_CONV_JOIN, "", false, VKI_PRINT_NONE},
    {VKE_EDIT_TEXT, VKE_ERR_TEXT, VKI_FORM_TEXT, 1, {}, "",
     VKI_CONV_PRINTF, "t", false, VKI_PRINT_TEXT},
    {VKE_EDIT_INT, VKE_ERR_INT, VKI_FORM_INT, 1, {}, "",
     VKI_CONV_PRINTF, "v", true, VKI_PRINT_INT},
    {VKE_EDIT_CUR, VKE_ERR_CUR, VKI_FORM_CUR, 1, {}, "",
     VKI_CONV_PRINTF, "v", true, VKI_PRINT_WHOLE},
    {VKE_EDIT_DBL, VKE_ERR_DBL, VKI_FORM_DBL, 1, {}, "",
     VKI_CONV_PRINTF, "v", true, VKI_PRINT_DECIMAL},
    {VKE_EDIT_DATE, VKE_ERR_DATE, VKI_FORM_FIELDS, 3, {&kYear, &kMonth, &kDay}, "/.",
     VKI_CONV_RUN, "ymd", false, VKI_PRINT_NONE},
    {VKE_EDIT_YYMM, VKE_ERR_YYMM, VKI_FORM_FIELDS, 2, {&kYear, &kMonth}, "/.",
     VKI_CONV_RUN, "ym", false, VKI_PRINT_NONE},
    {VKE_EDIT_MMDD, VKE_ERR_MMDD, VKI_FORM_FIELDS, 2, {&kMonth, &kDay}, "/.",
     VKI_CONV_RUN, "md", false, VKI_PRINT_NONE},
    {VKE_EDIT_YEAR, VKE_ERR_YEAR, VKI_FORM_NUMBER, 1, {&kYear}, "",
     VKI_CONV_RUN, "y", false, VKI_PRINT_NONE},
    {VKE_EDIT_MONTH, VKE_ERR_MONTH, VKI_FORM_NUMBER, 1, {&kMonth}, "",
     VKI_CONV_RUN, "m", false, VKI_PRINT_NONE},
    {VKE_EDIT_DAY, VKE_ERR_DAY, VKI_FORM_NUMBER, 1, {&kDay}, "",
     VKI_CONV_RUN, "d", false, VKI_PRINT_NONE},
    {VKE_EDIT_WEEK_OF_YEAR, VKE_ERR_WEEK_OF_YEAR, VKI_FORM_NUMBER, 1, {&kWeekOfYear}, "",
     VKI_CONV_PRINTF, "v", false, VKI_PRINT_INT},
    {VKE_EDIT_WEEK_OF_MONTH, VKE_ERR_WEEK_OF_MONTH, VKI_FORM_NUMBER, 1, {&kWeekOfMonth}, "",
     VKI_CONV_PRINTF, "v", false, VKI_PRINT_INT},
    {VKE_EDIT_TIME, VKE_ERR_TIME, VKI_FORM_FIELDS, 3, {&kHour, &kMinute, &kSecond}, ":.",
     VKI_CONV_RUN, "hns", false, VKI_PRINT_NONE},
    {VKE_EDIT_HHMM, VKE_ERR_HHMM, VKI_FORM_FIELDS, 2, {&kHour, &kMinute}, ":.",
     VKI_CONV_RUN, "hn", false, VKI_PRINT_NONE},
    {VKE_EDIT_MMSS, VKE_ERR_MMSS, VKI_FORM_FIELDS, 2, {&kMinute, &kSecond}, ":.",
     VKI_CONV_RUN, "ns", false, VKI_PRINT_NONE},
    {VKE_EDIT_HOUR, VKE_ERR_HOUR, VKI_FORM_NUMBER, 1, {&kHour}, "",
     VKI_CONV_RUN, "h", false, VKI_PRINT_NONE},
    {VKE_EDIT_MINUTE, VKE_ERR_MINUTE, VKI_FORM_NUMBER, 1, {&kMinute}, "",
     VKI_CONV_RUN, "n", false, VKI_PRINT_NONE},
    {VKE_EDIT_SECOND, VKE_ERR_SECOND, VKI_FORM_NUMBER, 1, {&kSecond}, "",
     VKI_CONV_RUN, "s", false, VKI_PRINT_NONE},
    {VKE_EDIT_FONT, VKE_ERR_FONT, VKI_FORM_FONT, 1, {}, "",
     VKI_CONV_RAW, "x", false, VKI_PRINT_NONE},
    {VKE_EDIT_COLOR, VKE_ERR_COLOR, VKI_FORM_COLOR, 3, {}, "",
     VKI_CONV_PRINTF, "rgb", false, VKI_PRINT_INT},
};
const int kKindCount = sizeof(kKinds) / sizeof(kKinds[0]);

// Widths and precisions of a conversion are cut to this, and to the result size.
const int kMaxWidth = 127;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSign(char c) { return c == '+' || c == '-'; }

// Digits in the canonical text of the parts of a fixed-width kind.
int FieldsWidth(const VkiKind& k)
{
    int w = 0;
    for (int i = 0; i < k.iValues; ++i) w += k.apField[i]->iWidth;
    return w;
}

// Index of the part with the letter, or -1.
int FieldIndex(const VkiKind& k, char letter)
{
    for (int i = 0; i < k.iValues; ++i)
        if (k.apField[i] && k.apField[i]->cLetter == letter) return i;
    return -1;
}

// Every part in its range; a day within its month (of its year; February has 29 days when the
// kind has no year).
bool FieldsInRange(const VkiKind& k, const VkiVal& v)
{
    for (int i = 0; i < k.iValues; ++i)
        if (v.aiNum[i] < k.apField[i]->iMin || v.aiNum[i] > k.apField[i]->iMax) return false;
    int day = FieldIndex(k, 'd');
    int month = FieldIndex(k, 'm');
    if (day < 0 || month < 0) return true;
    int year = FieldIndex(k, 'y');
    int y = year >= 0 ? v.aiNum[year] : 2000; // a leap year
    return v.aiNum[day] <= VkiMonthDays(y, v.aiNum[month]);
}

// The value parts the formatter gets: the numbers in their canonical widths, the colour
// components as plain numbers, else the canonical text.
void ValueTexts(const VkiKind& k, const VkiVal& v, const char* canon, char parts[3][16], const char* out[3])
{
    for (int i = 0; i < 3; ++i) out[i] = "";
    if (k.eForm == VKI_FORM_FIELDS || k.eForm == VKI_FORM_NUMBER || k.eForm == VKI_FORM_COLOR) {
        for (int i = 0; i < k.iValues; ++i) {
            int width = k.eForm == VKI_FORM_COLOR ? 0 : k.apField[i]->iWidth;
            snprintf(parts[i], 16, "%0*d", width, v.aiNum[i]);
            out[i] = parts[i];
        }
    } else {
        out[0] = canon;
    }
}

// Builds a result chunk by chunk in a buffer of a given size. A chunk that does not fit is cut
// on a character boundary and the result is marked cut.
class Appender {
public:
    Appender(char* out, int size) : m_p(out), m_iSize(size) { m_p[0] = '\0'; }
    void Add(const char* s, int n)
    {
        if (m_bCut) return;
        int room = m_iSize - 1 - m_iLen;
        if (n > room) {
            n = VkiFitLen(s, n, room);
            m_bCut = true;
        }
        memcpy(m_p + m_iLen, s, static_cast<size_t>(n));
        m_iLen += n;
        m_p[m_iLen] = '\0';
    }
    void Add(const char* s) { Add(s, static_cast<int>(strlen(s))); }
    void Blanks(int n)
    {
        for (; n > 0; --n) Add(" ", 1);
    }
    bool Cut() const { return m_bCut; }

private:
    char* m_p;
    int m_iSize;
    int m_iLen = 0;
    bool m_bCut = false;
};

// One conversion of an edit format.
struct Conv {
    bool bComma;
    bool bLeft;
    bool bZero;
    bool bDot;
    int iWidth; // -1 when none was given
    int iPrec;  // -1 when none was given
    int iValue; // index of the value it prints
    int iRun;   // calendar and time: length of the run of letters
};

// Decimal digits at p, saturated at limit.
int ReadDigits(const char*& p, int limit)
{
    int v = 0;
    for (; IsDigit(*p); ++p)
        if (v <= limit) v = v * 10 + (*p - '0');
    return v > limit ? limit : v;
}

// Reads one conversion after its "%"; -9 when it is not one of the kind's first used values.
int ReadConv(const VkiKind& k, int used, int limit, const char*& p, Conv& c)
{
    c = Conv{};
    c.iWidth = c.iPrec = -1;
    if (k.bComma && *p == ',') {
        c.bComma = true;
        ++p;
    }
    if (k.eConv == VKI_CONV_PRINTF) {
        if (*p == '-') {
            c.bLeft = true;
            ++p;
        }
        if (*p == '0') {
            c.bZero = true;
            ++p;
        }
        if (IsDigit(*p)) c.iWidth = ReadDigits(p, limit);
        if (*p == '.') {
            c.bDot = true;
            ++p;
            if (IsDigit(*p)) c.iPrec = ReadDigits(p, limit);
        }
    }
    const char* at = *p ? strchr(k.pszLetters, *p) : nullptr;
    if (!at || at - k.pszLetters >= used) return VKE_ERR_ARG;
    c.iValue = static_cast<int>(at - k.pszLetters);
    char letter = *p;
    if (k.eConv == VKI_CONV_RUN) {
        int run = 0;
        for (; *p == letter; ++p) ++run;
        c.iRun = run > limit ? limit : run;
    } else {
        ++p;
    }
    return VKE_OK;
}

// A text conversion: cut to the precision without splitting a character, padded to the width
// with blanks (a zero flag pads with blanks too: zeros do not belong in a text).
void AddText(const Conv& c, const char* value, Appender& out)
{
    int len = static_cast<int>(strlen(value));
    if (c.bDot) len = VkiFitLen(value, len, c.iPrec < 0 ? 0 : c.iPrec);
    int pad = c.iWidth > len ? c.iWidth - len : 0;
    if (!c.bLeft) out.Blanks(pad);
    out.Add(value, len);
    if (c.bLeft) out.Blanks(pad);
}

// A run of calendar or time letters: 1 the number, 2 two digits, 4 four digits, any other run the
// number. A year of four digits printed by "y" or "yy" loses its century.
void AddRun(const VkiKind& k, const Conv& c, const char* value, Appender& out)
{
    if (k.pszLetters[c.iValue] == 'y' && c.iRun <= 2 && strlen(value) == 4) value += 2;
    int width = (c.iRun == 2 || c.iRun == 4) ? c.iRun : 0;
    char chunk[32];
    snprintf(chunk, sizeof(chunk), "%0*d", width, atoi(value));
    out.Add(chunk);
}

} // namespace

const VkiKind* VkiFindKind(int type)
{
    if (type < 1 || type > kKindCount) return nullptr;
    return &kKinds[type - 1];
}

// ---- Calendar arithmetic ----

int VkiDayOfYear(int y, int m, int d)
{
    int n = d - 1;
    for (int i = 1; i < m; ++i) n += VkiMonthDays(y, i);
    return n;
}

int VkiDayOfWeek(int y, int m, int d)
{
    // Days since 1 January 1970 (a Thursday), counted in 400-year eras that begin on 1 March.
    if (m <= 2) --y;
    int era = (y >= 0 ? y : y - 399) / 400;
    int yoe = y - era * 400;
    int doy = (153 * ((m + 9) % 12) + 2) / 5 + d - 1;
    int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    long long days = static_cast<long long>(era) * 146097 + doe - 719468;
    return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

int VkiWeekOfSpan(int d, int w)
{
    int first = 7 - w; // days of the first week
    if (d <= first) return 1;
    int e = d - first;
    return e % 7 == 0 ? e / 7 + 1 : e / 7 + 2;
}

// ---- The one reader and writer ----

int VkiSub::ChkKind(int type, const char* text, VkiVal* val)
{
    VkiVal own;
    if (!val) val = &own;
    *val = VkiVal{};
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    const VkiKind* k = VkiFindKind(type);
    if (!k || k->eForm == VKI_FORM_NONE || !text) return VKE_ERR_ARG;
    if (!*text) return VKE_ERR_NOT_FOUND;
    switch (k->eForm) {
    case VKI_FORM_TEXT: {
        VkiTrimCopy t(*this, text);
        if (!t.Buf()) return VKE_ERR_MEMORY;
        return t.Buf()[0] ? VKE_OK : VKE_ERR_NOT_FOUND;
    }
    case VKI_FORM_INT: return ChkInt(text, VKE_INT_SIGNED, &val->aiNum[0]);
    case VKI_FORM_CUR: return ChkCur(text, &val->dNum);
    case VKI_FORM_DBL: return ChkDbl(text, &val->dNum);
    case VKI_FORM_FIELDS: return ChkFields(*k, text, val);
    case VKI_FORM_NUMBER: return ChkNumber(*k, text, val);
    case VKI_FORM_FONT: {
        VkeFontRec font;
        return GetFontStr(text, &font);
    }
    case VKI_FORM_COLOR: {
        BYTE rgb[3];
        int rc = GetColorStr(text, &rgb[0], &rgb[1], &rgb[2]);
        for (int i = 0; i < 3; ++i) val->aiNum[i] = rgb[i];
        return rc;
    }
    default: return VKE_ERR_ARG;
    }
}

int VkiSub::ParseKind(const VkiKind& k, const char* text, char* canon, int canonSize, VkiVal* val)
{
    // Every canonical text but Text's is short; Text's is never longer than the text.
    char num[512];
    int rc = VKE_OK;
    switch (k.eForm) {
    case VKI_FORM_TEXT: {
        VkiTrimCopy t(*this, text);
        if (!t.Buf()) return VKE_ERR_MEMORY;
        if (!t.Buf()[0]) return VKE_ERR_NOT_FOUND;
        return VkiStoreText(canon, t.Buf(), canonSize);
    }
    case VKI_FORM_INT:
        rc = ChkInt(text, VKE_INT_SIGNED, &val->aiNum[0]);
        snprintf(num, sizeof(num), "%d", val->aiNum[0]);
        break;
    case VKI_FORM_CUR:
        rc = ChkCur(text, &val->dNum);
        snprintf(num, sizeof(num), "%.0lf", val->dNum);
        break;
    case VKI_FORM_DBL:
        rc = ChkDbl(text, &val->dNum);
        snprintf(num, sizeof(num), "%.6lf", val->dNum);
        if (rc == VKE_OK) rc = TrimStrRightZero(num);
        break;
    case VKI_FORM_FIELDS:
    case VKI_FORM_NUMBER: {
        rc = k.eForm == VKI_FORM_FIELDS ? ParseFields(k, text, val) : ParseNumber(k, text, val);
        int at = 0;
        for (int i = 0; i < k.iValues; ++i)
            at += snprintf(num + at, sizeof(num) - static_cast<size_t>(at), "%0*d", k.apField[i]->iWidth, val->aiNum[i]);
        break;
    }
    case VKI_FORM_FONT: {
        VkeFontRec font;
        rc = GetFontStr(text, &font);
        if (rc == VKE_OK) rc = SetFontStr(num, sizeof(num), &font);
        break;
    }
    case VKI_FORM_COLOR: {
        BYTE rgb[3];
        rc = GetColorStr(text, &rgb[0], &rgb[1], &rgb[2]);
        for (int i = 0; i < 3; ++i) val->aiNum[i] = rgb[i];
        if (rc == VKE_OK) rc = SetColorStr(num, sizeof(num), rgb[0], rgb[1], rgb[2]);
        break;
    }
    default: return VKE_ERR_ARG;
    }
    if (rc != VKE_OK) return rc;
    return VkiStoreText(canon, num, canonSize);
}

int VkiSub::GetKind(int type, char* text, int size, VkiVal* val)
{
    VkiVal own;
    if (!val) val = &own;
    *val = VkiVal{};
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    const VkiKind* k = VkiFindKind(type);
    if (!k || k->eForm == VKI_FORM_NONE || !text || size < 1) return VKE_ERR_ARG;
    int len = VkiStrLen(text, size);
    if (len >= size) return VKE_ERR_ARG; // the text does not end inside the caller's buffer
    if (len == 0) return VKE_ERR_NOT_FOUND;
    VkiWorkCopy canonArea;
    int canonSize = len < 1024 ? 1024 : len + 1;
    char* canon = canonArea.Room(canonSize);
    if (!canon) return VKE_ERR_MEMORY;
    int rc = ParseKind(*k, text, canon, canonSize, val);
    if (rc == VKE_ERR_NOT_FOUND) text[0] = '\0';
    if (rc == VKE_OK) rc = VkiStoreText(text, canon, size);
    if (rc != VKE_OK) *val = VkiVal{};
    return rc;
}

int VkiSub::SetKind(int type, char* text, const char* format, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    const VkiKind* k = VkiFindKind(type);
    if (!k || k->eForm == VKI_FORM_NONE || !text || !format || size < 1) return VKE_ERR_ARG;
    int len = VkiStrLen(text, size);
    if (len >= size) return VKE_ERR_ARG;
    if (len == 0) return VKE_ERR_NOT_FOUND;
    // The format is read from a copy: the text changes before the format is used.
    VkiWorkCopy fmtArea, canonArea, outArea;
    int canonSize = len < 1024 ? 1024 : len + 1;
    const char* fmt = fmtArea.Copy(format, static_cast<int>(strnlen(format, 0x7FFFFFF0u)));
    char* canon = canonArea.Room(canonSize);
    char* out = outArea.Room(size);
    if (!fmt || !canon || !out) return VKE_ERR_MEMORY;

    VkiVal val = {};
    int rc = ParseKind(*k, text, canon, canonSize, &val);
    if (rc == VKE_ERR_NOT_FOUND) text[0] = '\0';
    if (rc != VKE_OK) return rc;
    // A colour is formatted from the caller's text as it stands; every other kind is parsed in
    // place first, so that a failing format leaves the canonical text.
    if (k->eForm != VKI_FORM_COLOR) {
        rc = VkiStoreText(text, canon, size);
        if (rc != VKE_OK) return rc;
    }
    char parts[3][16];
    VkiFmtReq req = {};
    req.iKind = type;
    req.iSize = size;
    req.iCount = k->iValues;
    req.pszFormat = fmt;
    req.pOut = out;
    ValueTexts(*k, val, canon, parts, req.apszValue);
    rc = FormatValue(&req);
    if (rc != VKE_OK) return rc;
    return VkiStoreText(text, out, size);
}

// ---- Calendar and time kinds ----

int VkiSub::ChkFields(const VkiKind& k, const char* text, VkiVal* val)
{
    int n = 0;
    int rc = ChkInt(text, VKE_INT_DIGITS, &n);
    if (rc == VKE_ERR_INT) return k.iCode;
    if (rc != VKE_OK) return rc;
    VkiTrimCopy t(*this, text);
    if (!t.Buf()) return VKE_ERR_MEMORY;
    const char* p = t.Buf();
    int len = static_cast<int>(strlen(p));
    int full = FieldsWidth(k);
    // A kind that begins with the year also takes it in two digits.
    bool shortYear = k.apField[0]->cLetter == 'y' && len == full - 2;
    if (len != full && !shortYear) return k.iCode;
    for (int i = 0; i < k.iValues; ++i) {
        bool twoDigitYear = shortYear && i == 0;
        int width = twoDigitYear ? 2 : k.apField[i]->iWidth;
        int v = 0;
        for (int j = 0; j < width; ++j) v = v * 10 + (*p++ - '0');
        if (twoDigitYear && NmlYear(&v) != VKE_OK) return k.iCode;
        val->aiNum[i] = v;
    }
    return FieldsInRange(k, *val) ? VKE_OK : k.iCode;
}

int VkiSub::ChkNumber(const VkiKind& k, const char* text, VkiVal* val)
{
    int n = 0;
    int rc = ChkInt(text, VKE_INT_DIGITS, &n);
    if (rc == VKE_ERR_INT) return k.iCode;
    if (rc != VKE_OK) return rc;
    if (n < k.apField[0]->iMin || n > k.apField[0]->iMax) return k.iCode;
    val->aiNum[0] = n;
    return VKE_OK;
}

namespace {

// Work areas for the parts of a split form and for what follows the last marker.
struct SplitAreas {
    explicit SplitAreas(int size)
    {
        for (int i = 0; i < 3; ++i) apField[i] = aArea[i].Room(size);
        pRest = restArea.Room(size);
    }
    bool Ok() const { return apField[0] && apField[1] && apField[2] && pRest; }
    char* At(int i) { return apField[i]; }
    VkiWorkCopy aArea[3], restArea;
    char* apField[3];
    char* pRest;
};

} // namespace

// Splits text into the kind's parts, each up to its marker word, and the rest. -12 when the form
// does not apply: a marker is missing from the text, or the kind has no marker words (none
// loaded, or weeks).
static int SplitMarkers(VkiSub& sub, const VkiKind& k, const char* text, int size, SplitAreas& w)
{
    const char* m[3] = {"", "", ""};
    for (int i = 0; i < k.iValues; ++i) {
        if (k.apField[i]->iMarkMsg == 0) return VKE_ERR_NOT_FOUND;
        m[i] = sub.MsgText(k.apField[i]->iMarkMsg);
        if (!*m[i]) return VKE_ERR_NOT_FOUND;
    }
    switch (k.iValues) {
    case 1: return sub.SplitStr(text, size, m[0], w.At(0), "", w.pRest);
    case 2: return sub.SplitStr(text, size, m[0], w.At(0), m[1], w.At(1), "", w.pRest);
    default: return sub.SplitStr(text, size, m[0], w.At(0), m[1], w.At(1), m[2], w.At(2), "", w.pRest);
    }
}

// Splits text at the first occurrences of a separator into the kind's parts; -12 when it has
// fewer separators than that.
static int SplitSeparators(VkiSub& sub, const VkiKind& k, const char* text, int size, char sep, SplitAreas& w)
{
    const char s[2] = {sep, '\0'};
    if (k.iValues == 2) return sub.SplitStr(text, size, s, w.At(0), "", w.At(1));
    return sub.SplitStr(text, size, s, w.At(0), s, w.At(1), "", w.At(2));
}

int VkiSub::ParseFields(const VkiKind& k, const char* text, VkiVal* val)
{
    VkiTrimCopy t(*this, text, 1024);
    if (!t.Buf()) return VKE_ERR_MEMORY;
    SplitAreas w(t.Size()); // parts as large as the text: nothing is ever cut
    if (!w.Ok()) return VKE_ERR_MEMORY;

    int rc = SplitMarkers(*this, k, t.Buf(), t.Size(), w);
    if (rc == VKE_OK) {
        // Nothing but blanks may follow the last marker; no other form is tried then.
        if (TrimStr(w.pRest) != VKE_OK || w.pRest[0]) return k.iCode;
    }
    for (const char* sep = k.pszSep; rc == VKE_ERR_NOT_FOUND && *sep; ++sep)
        rc = SplitSeparators(*this, k, t.Buf(), t.Size(), *sep, w);
    if (rc == VKE_ERR_NOT_FOUND) return ChkFields(k, t.Buf(), val); // the fixed-width digits
    if (rc != VKE_OK) return rc;

    // Each part is digits; the parts are written in their fixed widths and judged as such, so a
    // part with too many digits gives a text of the wrong width.
    char digits[64];
    int at = 0;
    for (int i = 0; i < k.iValues; ++i) {
        int v = 0;
        rc = ChkInt(w.At(i), VKE_INT_DIGITS, &v);
        if (rc == VKE_ERR_NOT_FOUND || rc == VKE_ERR_INT) return k.iCode;
        if (rc != VKE_OK) return rc;
        if (k.apField[i]->cLetter == 'y' && NmlYear(&v) != VKE_OK) return k.iCode;
        at += snprintf(digits + at, sizeof(digits) - static_cast<size_t>(at), "%0*d", k.apField[i]->iWidth, v);
    }
    return ChkFields(k, digits, val);
}

int VkiSub::ParseNumber(const VkiKind& k, const char* text, VkiVal* val)
{
    VkiTrimCopy t(*this, text, 1024);
    if (!t.Buf()) return VKE_ERR_MEMORY;
    SplitAreas w(t.Size());
    if (!w.Ok()) return VKE_ERR_MEMORY;

    int rc = SplitMarkers(*this, k, t.Buf(), t.Size(), w);
    if (rc == VKE_OK) {
        if (TrimStr(w.pRest) != VKE_OK || w.pRest[0]) return k.iCode;
        rc = ChkNumber(k, w.At(0), val);
        if (rc == VKE_ERR_NOT_FOUND) return k.iCode; // a marker with nothing before it
    } else if (rc == VKE_ERR_NOT_FOUND) {
        rc = ChkNumber(k, t.Buf(), val);
    }
    if (rc != VKE_OK) return rc;
    if (k.apField[0]->cLetter == 'y') return NmlYear(&val->aiNum[0]) == VKE_OK ? VKE_OK : k.iCode;
    return VKE_OK;
}

// ---- The formatter ----

// A printf-like conversion of a number: the printf conversion is built here from the parts the
// format gave, and the value is its argument. Decimals lose their trailing zeros; "," inserts
// thousands separators and then pads again to the width.
static int AddNumber(VkiSub& sub, const VkiKind& k, const Conv& c, const char* value, Appender& out)
{
    bool real = k.ePrint == VKI_PRINT_WHOLE || k.ePrint == VKI_PRINT_DECIMAL;
    char conv[48];
    int n = snprintf(conv, sizeof(conv), "%%%s%s", c.bLeft ? "-" : "", c.bZero ? "0" : "");
    if (c.iWidth >= 0) n += snprintf(conv + n, sizeof(conv) - static_cast<size_t>(n), "%d", c.iWidth);
    if (k.ePrint == VKI_PRINT_WHOLE) {
        n += snprintf(conv + n, sizeof(conv) - static_cast<size_t>(n), ".0");
    } else if (c.bDot) {
        n += snprintf(conv + n, sizeof(conv) - static_cast<size_t>(n), ".");
        if (c.iPrec > 0) n += snprintf(conv + n, sizeof(conv) - static_cast<size_t>(n), "%d", c.iPrec);
    }
    snprintf(conv + n, sizeof(conv) - static_cast<size_t>(n), "%s", real ? "lf" : "d");

    // Room for the largest double with the largest precision and its separators.
    char chunk[1024];
    if (real) {
        snprintf(chunk, sizeof(chunk), conv, strtod(value, nullptr));
        int rc = sub.TrimStrRightZero(chunk);
        if (rc != VKE_OK) return rc;
    } else {
        snprintf(chunk, sizeof(chunk), conv, static_cast<int>(strtol(value, nullptr, 10)));
    }
    if (c.bComma) {
        int rc = sub.SetComma(chunk, sizeof(chunk));
        if (rc != VKE_OK) return rc;
        int target = c.iWidth;
        if (!real && c.iPrec > target) target = c.iPrec;
        int len = static_cast<int>(strlen(chunk));
        if (!c.bLeft && target > len) out.Blanks(target - len);
    }
    out.Add(chunk);
    return VKE_OK;
}

// Prints one conversion of a value.
static int Convert(VkiSub& sub, const VkiKind& k, const Conv& c, const char* value, Appender& out)
{
    switch (k.eConv) {
    case VKI_CONV_RAW: out.Add(value); return VKE_OK;
    case VKI_CONV_RUN: AddRun(k, c, value, out); return VKE_OK;
    default:
        if (k.ePrint == VKI_PRINT_TEXT) {
            AddText(c, value, out);
            return VKE_OK;
        }
        return AddNumber(sub, k, c, value, out);
    }
}

int VkiSub::FormatValue(VkiFmtReq* req)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!req || !req->pszFormat || !req->pOut || req->iSize < 1 || req->iCount < 1 || req->iCount > 3)
        return VKE_ERR_ARG;
    for (int i = 0; i < req->iCount; ++i)
        if (!req->apszValue[i] || VkiStrLen(req->apszValue[i], 1024) > 1023) return VKE_ERR_ARG;
    const VkiKind* k = VkiFindKind(req->iKind);
    if (!k) return VKE_ERR_ARG;

    const char* f = req->pszFormat;
    if (k->eConv == VKI_CONV_JOIN || !*f) {
        req->pOut[0] = '\0';
        for (int i = 0; i < req->iCount; ++i) {
            int rc = ConcatStr(req->pOut, req->apszValue[i], req->iSize);
            if (rc != VKE_OK) return rc;
        }
        return VKE_OK;
    }

    int used = k->iValues < req->iCount ? k->iValues : req->iCount;
    int limit = req->iSize - 1 < kMaxWidth ? req->iSize - 1 : kMaxWidth;
    Appender out(req->pOut, req->iSize);
    int made = 0;
    // Literal text is copied as it stands and never goes to printf; only the conversions built
    // here do. "%" is no trail byte, so the walk for it may go byte by byte.
    while (*f) {
        const char* pct = strchr(f, '%');
        if (!pct) {
            out.Add(f);
            break;
        }
        out.Add(f, static_cast<int>(pct - f));
        f = pct + 1;
        if (*f == '%') {
            out.Add("%", 1);
            ++f;
            continue;
        }
        if (!*f) return VKE_ERR_ARG; // a "%" at the very end
        if (made == used) {
            out.Add("%", 1); // after the last conversion a "%" is text
            continue;
        }
        Conv c;
        if (ReadConv(*k, used, limit, f, c) != VKE_OK) return VKE_ERR_ARG;
        int rc = Convert(*this, *k, c, req->apszValue[c.iValue], out);
        if (rc != VKE_OK) return rc;
        ++made;
    }
    if (made == 0) return VKE_ERR_ARG;
    return out.Cut() ? VKE_ERR_CUT : VKE_OK;
}

// ---- Short years, calendar calculations, thousands separators ----

int VkiSub::NmlYear(int* year)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!year) return VKE_ERR_ARG;
    if (*year < 0 || *year > 9999) return VKE_ERR_YEAR;
    if (*year < 50)
        *year += 2000;
    else if (*year < 100)
        *year += 1900;
    return VKE_OK;
}

namespace {
enum { CALC_DAY_OF_YEAR, CALC_DAY_OF_WEEK, CALC_WEEK_OF_YEAR, CALC_WEEK_OF_MONTH };
} // namespace

// Reads any Date input and computes one of the calendar numbers arithmetically, so that the
// result depends neither on the machine's time zone nor on the range of its time functions.
int VkiSub::CalcDate(const char* date, int what, int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!date || !out) return VKE_ERR_ARG;
    *out = 0;
    size_t len = strnlen(date, 0x7FFFFFF0u);
    VkiWorkCopy area;
    int size = len < 1024 ? 1024 : static_cast<int>(len) + 1;
    char* w = area.Room(size);
    if (!w) return VKE_ERR_MEMORY;
    memcpy(w, date, len + 1);
    VkiVal v;
    int rc = GetKind(VKE_EDIT_DATE, w, size, &v);
    if (rc != VKE_OK) return rc;
    int y = v.aiNum[0], m = v.aiNum[1], d = v.aiNum[2];
    switch (what) {
    case CALC_DAY_OF_YEAR: *out = VkiDayOfYear(y, m, d); break;
    case CALC_DAY_OF_WEEK: *out = VkiDayOfWeek(y, m, d); break;
    case CALC_WEEK_OF_YEAR: *out = VkiWeekOfSpan(VkiDayOfYear(y, m, d) + 1, VkiDayOfWeek(y, 1, 1)); break;
    default: *out = VkiWeekOfSpan(d, VkiDayOfWeek(y, m, 1)); break;
    }
    return VKE_OK;
}

int VkiSub::CalcDayOfYear(const char* date, int* day) { return CalcDate(date, CALC_DAY_OF_YEAR, day); }

int VkiSub::CalcDayOfWeek(const char* date, int* weekday) { return CalcDate(date, CALC_DAY_OF_WEEK, weekday); }

int VkiSub::CalcWeekOfYear(const char* date, int* week) { return CalcDate(date, CALC_WEEK_OF_YEAR, week); }

int VkiSub::CalcWeekOfMonth(const char* date, int* week) { return CalcDate(date, CALC_WEEK_OF_MONTH, week); }

// Separators are "," between groups of three bytes counted from the point (or the end). Only
// their places are judged; "," and "." are no trail bytes, so bytes may be walked.
int VkiSub::ChkComma(const char* text)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text) return VKE_ERR_ARG;
    if (!*text) return VKE_OK;
    VkiTrimCopy t(*this, text);
    if (!t.Buf()) return VKE_ERR_MEMORY;
    char* s = t.Buf();
    char* point = strrchr(s, '.');
    if (point) {
        if (strchr(point, ',')) return VKE_NOT_DONE;
        *point = '\0';
    }
    int len = static_cast<int>(strlen(s));
    for (int i = 0; i + 1 < len; ++i)
        if (IsSign(s[i]) && s[i + 1] == ',') return VKE_NOT_DONE;
    bool seen = false; // a separator has been met
    int group = 0;     // bytes since the last separator, counted from the right
    for (int i = len - 1; i >= 0; --i) {
        if (s[i] == ',') {
            if (group != 3 || i == 0) return VKE_NOT_DONE;
            seen = true;
            group = 0;
        } else {
            bool leadingSign = i == 0 && IsSign(s[i]);
            if (seen && group == 3 && !leadingSign) return VKE_NOT_DONE;
            ++group;
        }
    }
    return VKE_OK;
}

// Puts "," in front of every third character of the integer part counted from its right end,
// but never behind a sign. The walk goes by characters so that a double-byte character is never
// split.
int VkiSub::SetComma(char* text, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text || size < 1) return VKE_ERR_ARG;
    int len = VkiStrLen(text, size);
    if (len >= size) return VKE_ERR_ARG;
    if (len == 0) return VKE_OK;
    if (len > 0x50000000) return VKE_ERR_MEMORY; // the result could not be sized
    VkiTrimCopy t(*this, text);
    VkiWorkCopy resultArea;
    char* result = resultArea.Room(len + len / 2 + 2);
    if (!t.Buf() || !result) return VKE_ERR_MEMORY;
    const char* s = t.Buf();
    if (!*s) return VKE_OK;
    const char* point = strrchr(s, '.');
    int intLen = point ? static_cast<int>(point - s) : static_cast<int>(strlen(s));

    int chars = 0;
    for (int i = 0; i < intLen; i += VkiChrLen(s + i)) ++chars;
    char* o = result;
    for (int i = 0, c = 0; i < intLen; ++c) {
        int n = VkiChrLen(s + i);
        if (c > 0 && (chars - c) % 3 == 0 && !IsSign(s[i - 1])) *o++ = ',';
        memcpy(o, s + i, static_cast<size_t>(n));
        o += n;
        i += n;
    }
    strcpy(o, s + intLen);
    return VkiStoreText(text, result, size);
}

// ---- Exports ----

VKE_API int VkeSubNmlYear(VkiSub* sub, int* year) { VKE_SUB_FRAME(sub, NmlYear(year)); }

VKE_API int VkeSubCalcDayOfYear(VkiSub* sub, const char* date, int* day)
{
    VKE_SUB_FRAME(sub, CalcDayOfYear(date, day));
}

VKE_API int VkeSubCalcDayOfWeek(VkiSub* sub, const char* date, int* weekday)
{
    VKE_SUB_FRAME(sub, CalcDayOfWeek(date, weekday));
}

VKE_API int VkeSubCalcWeekOfYear(VkiSub* sub, const char* date, int* week)
{
    VKE_SUB_FRAME(sub, CalcWeekOfYear(date, week));
}

VKE_API int VkeSubCalcWeekOfMonth(VkiSub* sub, const char* date, int* week)
{
    VKE_SUB_FRAME(sub, CalcWeekOfMonth(date, week));
}

VKE_API int VkeSubChkComma(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, ChkComma(text)); }

VKE_API int VkeSubSetComma(VkiSub* sub, char* text, int size) { VKE_SUB_FRAME(sub, SetComma(text, size)); }
