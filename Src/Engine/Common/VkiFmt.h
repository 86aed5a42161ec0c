// Typed text values inside the engine: the one table that describes every kind, the request
// the formatter works on, and the work areas and calendar arithmetic the kinds share.
#pragma once
#include "VkiSub.h"
#include "VkiTxt.h"
#include <stdlib.h>
#include <string.h>

// How the text of a kind is read.
enum VkiForm {
    VKI_FORM_NONE,   // free text, never parsed
    VKI_FORM_TEXT,   // any text that is not empty after trimming
    VKI_FORM_INT,    // optional sign, digits, thousands separators
    VKI_FORM_CUR,    // the same as a whole amount
    VKI_FORM_DBL,    // the same with one decimal point
    VKI_FORM_FIELDS, // fixed-width digit fields; parsed also from the marker and separator forms
    VKI_FORM_NUMBER, // one number in a range; parsed also from the marker form
    VKI_FORM_FONT,   // 128 hexadecimal digits of a font record
    VKI_FORM_COLOR   // three components separated by ","
};

// How the formatter converts the values of a kind.
enum VkiConv {
    VKI_CONV_JOIN,   // no conversions: the values joined
    VKI_CONV_PRINTF, // "%" [","] ["-"] ["0"] [width] ["." [precision]] letter
    VKI_CONV_RUN,    // "%" and a run of one letter
    VKI_CONV_RAW     // "%" and the letter alone: the value unchanged
};

// What a printf-like conversion prints.
enum VkiPrint {
    VKI_PRINT_NONE,
    VKI_PRINT_TEXT,   // the text, cut to the precision, padded to the width
    VKI_PRINT_INT,    // the value as an integer
    VKI_PRINT_WHOLE,  // the value as a double without decimals, whatever the precision
    VKI_PRINT_DECIMAL // the value as a double, trailing zeros of the decimals removed
};

// One field of a calendar or time value, or the one number of a single-number kind.
struct VkiField {
    char cLetter; // the formatter's letter of the part
    int iMin;
    int iMax;
    int iWidth;   // digits of the part in the canonical text
    int iMarkMsg; // message number of the marker word written after the part; 0 none
};

// One kind of typed text value.
struct VkiKind {
    int iType; // EditType
    int iCode; // status code of a malformed text
    VkiForm eForm;
    int iValues;                // values the formatter uses, 1..3
    const VkiField* apField[3]; // FIELDS: the fields in text order; NUMBER: the one field
    const char* pszSep;         // FIELDS: the separators of the split forms, tried in order
    VkiConv eConv;
    const char* pszLetters; // the conversion letter of each value, in value order
    bool bComma;            // "," (thousands separators) allowed in a conversion
    VkiPrint ePrint;        // PRINTF: what the conversion prints
};

// The kind of an EditType (1..21), or null.
const VkiKind* VkiFindKind(int type);

// The request every format operation hands to the formatter (VkiSub::FormatValue).
struct VkiFmtReq {
    int iKind;                // EditType 1..21
    int iSize;                // byte size of pOut including the terminator
    int iCount;               // values given, 1..3
    const char* pszFormat;    // the edit format
    char* pOut;               // receives the formatted text
    const char* apszValue[3]; // the value parts in the kind's order, each at most 1023 bytes
};

// Numbers read from a value: the parts of calendar and time values, an integer, the colour
// components, or the double of Cur and Dbl.
struct VkiVal {
    int aiNum[3];
    double dNum;
};

// Proleptic Gregorian calendar, valid for every year the kinds accept (0..9999).
inline bool VkiIsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

inline int VkiMonthDays(int y, int m)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12) return 0;
    return (m == 2 && VkiIsLeapYear(y)) ? 29 : kDays[m - 1];
}

// 0-based day of the year.
int VkiDayOfYear(int y, int m, int d);
// 0 Sunday .. 6 Saturday.
int VkiDayOfWeek(int y, int m, int d);
// Week (from 1, weeks beginning on Sunday) of day number d (1-based) in a span whose first day
// falls on weekday w.
int VkiWeekOfSpan(int d, int w);

// A trimmed work copy of a text in an area of at least minSize bytes (so that parts split from
// it need never be cut). Buf() is null when the heap refuses the area.
class VkiTrimCopy {
public:
    VkiTrimCopy(VkiSub& sub, const char* text, int minSize = 1)
    {
        size_t len = strlen(text);
        if (len >= 0x7FFFFFF0u) return; // beyond any buffer size: treated as out of memory
        m_iSize = static_cast<int>(len) < minSize ? minSize : static_cast<int>(len) + 1;
        m_p = m_copy.Room(m_iSize);
        if (!m_p) return;
        memcpy(m_p, text, len + 1);
        sub.TrimStr(m_p);
    }
    char* Buf() { return m_p; }
    int Size() const { return m_iSize; }

private:
    VkiWorkCopy m_copy;
    char* m_p = nullptr;
    int m_iSize = 0;
};

// Stores a result in a caller's buffer of size bytes: -13 and nothing written when it does not
// fit (a cut value would read as another value).
inline int VkiStoreText(char* dest, const char* src, int size)
{
    size_t n = strlen(src);
    if (n >= static_cast<size_t>(size)) return VKE_ERR_CUT;
    memmove(dest, src, n + 1);
    return VKE_OK;
}
