// The settings of section "Common Information": one table of keys, read at start (the file list's
// keys once the engine's text buffers exist) and written at exit, and the file list's settings
// record.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnApp"
#include "CmnApp.h"
#include "CmnVar.h"
#include <float.h>
#include <limits.h>
#include <math.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// What a key holds and how it is written.
enum CmnIniType {
    CmnIniStr,    // a text of CmnPathSize bytes
    CmnIniInt,    // "%d"
    CmnIniLong,   // "%ld" (a 32-bit long)
    CmnIniDbl,    // a double in the row's format
    CmnIniLayout, // the tool-bar layout text, in parts of 100 characters
    CmnIniFilter  // the file list's filter, an engine text
};

// One row of the table: a key, or keys numbered from 1 ("%d" in the name) over consecutive
// fields. A number outside lo..hi, or one that cannot be held (beyond int, infinite, not a
// number), takes the fallback.
struct CmnIniKey {
    const char* name;
    int count;
    int type;
    const char* format;
    const char* dflt; // the default as text; numbered keys: one per key, separated by ','
    double lo, hi;
    double fallback;  // NAN: the key's default
    size_t offset;    // the first field in CmnAppInf
    size_t stride;    // between the fields of numbered keys
    bool lsc;         // a key of the file list's settings
};

namespace {

#define INF_AT(field) offsetof(CmnAppInf, field)
#define ANY -DBL_MAX, DBL_MAX

const CmnIniKey kKeys[] = {
    {"strUsrDir", 1, CmnIniStr, "%s", "", ANY, NAN, INF_AT(strUsrDir), 0, false},
    {"strCurDir", 1, CmnIniStr, "%s", "", ANY, NAN, INF_AT(strCurDir), 0, false},
    {"strOpnDir", 1, CmnIniStr, "%s", "", ANY, NAN, INF_AT(strOpnDir), 0, false},
    {"dIniVersion", 1, CmnIniDbl, "%.2lf", "1.11", ANY, NAN, INF_AT(dIniVersion), 0, false},
    {"rctWindow_left", 1, CmnIniInt, "%d", "0", ANY, NAN, INF_AT(rctWindow.left), 0, false},
    {"rctWindow_right", 1, CmnIniInt, "%d", "0", ANY, NAN, INF_AT(rctWindow.right), 0, false},
    {"rctWindow_top", 1, CmnIniInt, "%d", "0", ANY, NAN, INF_AT(rctWindow.top), 0, false},
    {"rctWindow_bottom", 1, CmnIniInt, "%d", "0", ANY, NAN, INF_AT(rctWindow.bottom), 0, false},
    {"rctPrintMargin_left", 1, CmnIniInt, "%d", "-1", ANY, NAN, INF_AT(rctPrintMargin.left), 0, false},
    {"rctPrintMargin_right", 1, CmnIniInt, "%d", "-1", ANY, NAN, INF_AT(rctPrintMargin.right), 0, false},
    {"rctPrintMargin_top", 1, CmnIniInt, "%d", "-1", ANY, NAN, INF_AT(rctPrintMargin.top), 0, false},
    {"rctPrintMargin_bottom", 1, CmnIniInt, "%d", "-1", ANY, NAN, INF_AT(rctPrintMargin.bottom), 0, false},
    {"bReturnToTab", 1, CmnIniInt, "%d", "0", 0, 1, 0, INF_AT(bReturnToTab), 0, false},
    {"bCtlEditing", 1, CmnIniInt, "%d", "1", 0, 1, 1, INF_AT(bCtlEditing), 0, false},
    {"bCtlError", 1, CmnIniInt, "%d", "1", 0, 1, 1, INF_AT(bCtlError), 0, false},
    {"bCtlModified", 1, CmnIniInt, "%d", "1", 0, 1, 1, INF_AT(bCtlModified), 0, false},
    {"bPriorityError", 1, CmnIniInt, "%d", "0", 0, 1, 0, INF_AT(bPriorityError), 0, false},
    {"iScaBas", 1, CmnIniInt, "%d", "5", 1, 5, 5, INF_AT(iScaBas), 0, false},
    {"iModeScale", 1, CmnIniInt, "%d", "1", 1, 3, 1, INF_AT(iModeScale), 0, false},
    {"lScaNum", 1, CmnIniLong, "%ld", "1", 1, INT_MAX, 1, INF_AT(lScaNum), 0, false},
    {"lScaDen", 1, CmnIniLong, "%ld", "1", 1, INT_MAX, 1, INF_AT(lScaDen), 0, false},
    {"iModeStretch", 1, CmnIniInt, "%d", "4", 1, 4, 4, INF_AT(iModeStretch), 0, false},
    {"dScaleWheel", 1, CmnIniDbl, "%lf", "0.1", 0.01, 0.9, 0.1, INF_AT(dScaleWheel), 0, false},
    {"bPrvImg", 1, CmnIniInt, "%d", "1", 0, 1, 1, INF_AT(bPrvImg), 0, false},
    {"iCntImgCacTmn", 1, CmnIniInt, "%d", "300", 0, INT_MAX, 0, INF_AT(iCntImgCacTmn), 0, false},
    {"iCntHexStr", 1, CmnIniInt, "%d", "0", 0, INT_MAX, 0, INF_AT(iCntHexStr), 0, false},
    {"strBriTlb_%d", 1, CmnIniLayout, "%s", "", ANY, NAN, INF_AT(strBriTlb), 0, false},
    {"LscFii_iModeLstViw", 1, CmnIniInt, "%d", "1", 1, 5, 1, INF_AT(lscFii.iModeLstViw), 0, true},
    {"LscFii_iWidthTmnImg", 1, CmnIniInt, "%d", "100", 1, INT_MAX, 100, INF_AT(lscFii.iWidthTmnImg), 0, true},
    {"LscFii_iHeightTmnImg", 1, CmnIniInt, "%d", "100", 1, INT_MAX, 100, INF_AT(lscFii.iHeightTmnImg), 0, true},
    {"LscFii_amFilter", 1, CmnIniFilter, "%s", "", ANY, NAN, INF_AT(lscFii.amFilter), 0, true},
    // More shown columns than there are column slots would take the file list past its arrays.
    {"LscFii_iCntLstColTyp", 1, CmnIniInt, "%d", "4", 1, CmnLstColCnt, 4, INF_AT(lscFii.iCntLstColTyp), 0, true},
    // The upper bound is the column count read just before (ReadKey).
    {"LscFii_iIdxLstColTyp", 1, CmnIniInt, "%d", "0", 0, INT_MAX, 0, INF_AT(lscFii.iIdxLstColTyp), 0, true},
    {"LscFii_bAscent", 1, CmnIniInt, "%d", "1", 0, 1, 1, INF_AT(lscFii.bAscent), 0, true},
    // A kind out of range reads as 0, which makes ReadLscFilInf reset all the columns.
    {"LscFii_iTypLstCol_%d", CmnLstColCnt, CmnIniInt, "%d", "1,2,3,5,4,6", 1, 6, 0, INF_AT(lscFii.iTypLstCol),
     sizeof(int), true},
    {"LscFii_iWidthLstCol_%d", CmnLstColCnt, CmnIniInt, "%d", "-1", 0, INT_MAX, CmnLstColWidth,
     INF_AT(lscFii.iWidthLstCol), sizeof(int), true},
    {"SetSci_iTypSca", 1, CmnIniInt, "%d", "1", 1, 3, 1, INF_AT(setSci.iTypSca), 0, false},
    {"SetSci_lScaNum", 1, CmnIniLong, "%ld", "1", 1, INT_MAX, 1, INF_AT(setSci.lScaNum), 0, false},
    {"SetSci_lScaDen", 1, CmnIniLong, "%ld", "1", 1, INT_MAX, 1, INF_AT(setSci.lScaDen), 0, false},
    {"SetSci_dScale", 1, CmnIniDbl, "%lf", "1.0", 0.000001, 100, 1.0, INF_AT(setSci.dScale), 0, false},
    {"SetSci_bWidth", 1, CmnIniInt, "%d", "1", 0, 1, 1, INF_AT(setSci.bWidth), 0, false},
    {"SetSci_iWidth", 1, CmnIniInt, "%d", "1", 1, INT_MAX, 1, INF_AT(setSci.iWidth), 0, false},
    {"SetSci_iHeight", 1, CmnIniInt, "%d", "1", 1, INT_MAX, 1, INF_AT(setSci.iHeight), 0, false},
    {"strColor_%d", CmnColorCnt, CmnIniStr, "%s", "", ANY, NAN, INF_AT(strColor), CmnPathSize, false},
    {"strFont_%d", CmnFontCnt, CmnIniStr, "%s", "", ANY, NAN, INF_AT(strFont), CmnPathSize, false},
    {"iScrSize_%d", CmnScrSizeCnt, CmnIniInt, "%d", "50,50,100,100,1,1,3,1", 1, INT_MAX, 1, INF_AT(iScrSize),
     sizeof(int), false},
};

#undef ANY
#undef INF_AT

const int kDefaultColumns[CmnLstColCnt] = {1, 2, 3, 5, 4, 6};
// The engine's message whose text is the file list's default filter.
const int kFilterMessage = 9;
// Characters of one part of the tool-bar layout text.
const int kLayoutPart = 100;

void* Field(const CmnIniKey& key, int index)
{
    return reinterpret_cast<char*>(&theCmnAppInf) + key.offset + key.stride * static_cast<size_t>(index);
}

// A number as atoi / atof read it (no digits: 0); false when it cannot be held: beyond int, or
// infinite, or not a number.
bool ParseNumber(const char* text, int type, double* out)
{
    if (type == CmnIniDbl) {
        *out = strtod(text, nullptr);
        return isfinite(*out);
    }
    long long n = strtoll(text, nullptr, 10);
    *out = static_cast<double>(n);
    return n >= INT_MIN && n <= INT_MAX;
}

// Drops a lead byte whose trail byte was cut off at the end of a text.
void DropLoneLead(char* text)
{
    for (char* p = text; *p; ++p) {
        if (!::IsDBCSLeadByteEx(932, static_cast<BYTE>(*p))) continue;
        if (!p[1]) {
            *p = '\0';
            return;
        }
        ++p;
    }
}

// Appends add to text (size bytes) as far as whole characters fit; false when something was cut.
bool AppendWhole(char* text, size_t size, const char* add)
{
    size_t used = strlen(text);
    for (const char* p = add; *p;) {
        size_t n = ::IsDBCSLeadByteEx(932, static_cast<BYTE>(*p)) && p[1] ? 2 : 1;
        if (used + n >= size) {
            text[used] = '\0';
            return false;
        }
        memcpy(text + used, p, n);
        used += n;
        p += n;
    }
    text[used] = '\0';
    return true;
}

} // namespace

void CmnApp::DefaultText(const char* dflts, int index, char* out, size_t size)
{
    const char* p = dflts;
    for (int i = 0; i < index && strchr(p, ','); ++i) p = strchr(p, ',') + 1;
    const char* end = strchr(p, ',');
    size_t n = end ? static_cast<size_t>(end - p) : strlen(p);
    snprintf(out, size, "%.*s", static_cast<int>(n), p);
}

// ---- The file list's settings record ----

int CmnApp::InitApi()
{
    int rc = theCmnVar.InitDat(CmnVarCodLscFii, &theCmnAppInf.lscFii);
    if (rc != VKE_OK) CMN_TRACE("InitApi", rc);
    return rc;
}

int CmnApp::TermApi()
{
    int rc = theCmnVar.TermDat(CmnVarCodLscFii, &theCmnAppInf.lscFii);
    if (rc != VKE_OK) CMN_TRACE("TermApi", rc);
    return rc;
}

// ---- Reading ----

const char* CmnApp::ReadProfile(const char* key, const char* dflt)
{
    if (!m_iProfileBatch || !ReadBatchKey(key, dflt))
        ::GetPrivateProfileStringA(m_pszSection, key, dflt, m_amProfile, sizeof(m_amProfile), m_pszProfileName);
    DropLoneLead(m_amProfile);
    return m_amProfile;
}

CmnApp::ProfileBatch::~ProfileBatch()
{
    if (--m_app->m_iProfileBatch > 0) return;
    m_app->m_strBatchSection.Empty();
    m_app->m_batchLines.clear();
}

bool CmnApp::ReadBatchKey(const char* key, const char* dflt)
{
    // The whole section leaves comment lines out: such a key is asked for alone.
    if (!m_pszSection || !m_pszProfileName || !key || key[0] == ';') return false;
    if (m_batchLines.empty() || m_strBatchSection.CompareNoCase(m_pszSection) != 0) {
        // The whole section; a buffer the platform filled to its end (its size less 2) was short.
        std::vector<char> lines(1 << 16);
        DWORD n = 0;
        while ((n = ::GetPrivateProfileSectionA(m_pszSection, lines.data(), static_cast<DWORD>(lines.size()),
                                                m_pszProfileName)) == lines.size() - 2 &&
               lines.size() < (1u << 24))
            lines.resize(lines.size() * 2);
        lines.resize(n + 1);
        lines[n] = '\0';
        m_batchLines.swap(lines);
        m_strBatchSection = m_pszSection;
    }
    // The first line of the key, its letter case aside; a line without "=" is no key.
    const size_t keyLen = strlen(key);
    const char* value = nullptr;
    for (const char* line = m_batchLines.data(); *line && !value; line += strlen(line) + 1) {
        const char* eq = strchr(line, '=');
        if (eq && static_cast<size_t>(eq - line) == keyLen &&
            ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line, static_cast<int>(keyLen), key,
                             static_cast<int>(keyLen)) == CSTR_EQUAL)
            value = eq + 1;
    }
    size_t len = 0;
    if (value) {
        len = strlen(value);
    } else {
        // The default without its trailing blanks.
        value = dflt ? dflt : "";
        len = strlen(value);
        while (len && value[len - 1] == ' ') --len;
    }
    // One pair of quotes around the text goes, as the platform's reader drops it.
    if (len >= 2 && (value[0] == '"' || value[0] == '\'') && value[len - 1] == value[0]) {
        ++value;
        len -= 2;
    }
    if (len > sizeof(m_amProfile) - 1) len = sizeof(m_amProfile) - 1;
    memcpy(m_amProfile, value, len);
    m_amProfile[len] = '\0';
    return true;
}

double CmnApp::ReadNumber(const char* key, const char* dflt, bool dbl, double lo, double hi, double fallback)
{
    int type = dbl ? CmnIniDbl : CmnIniInt;
    double value = 0, dfltValue = 0;
    ParseNumber(dflt, type, &dfltValue);
    bool held = ParseNumber(ReadProfile(key, dflt), type, &value);
    if (!held || value < lo || value > hi) value = isnan(fallback) ? dfltValue : fallback;
    return value;
}

void CmnApp::ReadKey(const CmnIniKey& key, int index)
{
    CmnAppInf& inf = theCmnAppInf;
    char name[64], dflt[64];
    snprintf(name, sizeof(name), key.name, index + 1);
    DefaultText(key.dflt, index, dflt, sizeof(dflt));
    void* field = Field(key, index);
    switch (key.type) {
    case CmnIniStr:
        snprintf(static_cast<char*>(field), CmnPathSize, "%s", ReadProfile(name, dflt));
        return;
    case CmnIniLayout: {
        // The parts joined in order, as far as the text holds them; a text of CmnPathSize - 1
        // characters has no more parts than that, so a count beyond it reads nothing more.
        char* text = inf.strBriTlb;
        text[0] = '\0';
        int parts = inf.iCntHexStr < CmnPathSize - 1 ? inf.iCntHexStr : CmnPathSize - 1;
        for (int i = 1; i <= parts; ++i) {
            snprintf(name, sizeof(name), key.name, i);
            if (!AppendWhole(text, CmnPathSize, ReadProfile(name, ""))) break;
        }
        return;
    }
    case CmnIniFilter: {
        char text[VKE_MSG_SIZE] = {};
        VkeSubGetMsg(inf.pSub, kFilterMessage, text);
        VkeSubSetAppMemStr(inf.pSub, &inf.lscFii.amFilter, ReadProfile(name, text));
        return;
    }
    default:
        break;
    }
    double hi = field == &inf.lscFii.iIdxLstColTyp ? inf.lscFii.iCntLstColTyp - 1 : key.hi;
    double value = ReadNumber(name, dflt, key.type == CmnIniDbl, key.lo, hi, key.fallback);
    if (key.type == CmnIniDbl) *static_cast<double*>(field) = value;
    else *static_cast<int*>(field) = static_cast<int>(value);
}

void CmnApp::ReadKeys(bool lsc)
{
    ProfileBatch batch(this);
    for (const CmnIniKey& key : kKeys)
        if (key.lsc == lsc)
            for (int i = 0; i < key.count; ++i) ReadKey(key, i);
}

void CmnApp::ReadIni() { ReadKeys(false); }

void CmnApp::ReadLscFilInf()
{
    ReadKeys(true);
    // A column kind out of range or named twice (the six are one order of the six kinds): the
    // columns as they come, their widths anew; the sort column stays.
    LscFii& lsc = theCmnAppInf.lscFii;
    bool bad = false;
    int seen = 0;
    for (int kind : lsc.iTypLstCol) {
        bad = bad || kind < 1 || kind > CmnLstColCnt || (seen & (1 << kind));
        if (kind >= 1 && kind <= CmnLstColCnt) seen |= 1 << kind;
    }
    if (bad) {
        memcpy(lsc.iTypLstCol, kDefaultColumns, sizeof(lsc.iTypLstCol));
        lsc.iCntLstColTyp = 4;
        for (int& width : lsc.iWidthLstCol) width = CmnLstColWidth;
    }
    // A shown column of width 0 could not be seen (an earlier run wrote the widths of a view
    // without columns): it takes the default width.
    for (int pos = 0; pos < lsc.iCntLstColTyp && pos < CmnLstColCnt; ++pos)
        if (lsc.iWidthLstCol[pos] == 0) lsc.iWidthLstCol[pos] = CmnLstColWidth;
    m_bLscRead = true;
}

// ---- Writing ----

void CmnApp::WriteProfile(const char* key, const char* value)
{
    WriteProfileString(m_pszSection, key, value);
    m_strBatchSection.Empty();
    m_batchLines.clear();
}

void CmnApp::WriteKey(const CmnIniKey& key, int index)
{
    CmnAppInf& inf = theCmnAppInf;
    char name[64];
    snprintf(name, sizeof(name), key.name, index + 1);
    const void* field = Field(key, index);
    switch (key.type) {
    case CmnIniStr: {
        // The default user folder is written as none, so the settings move with the program.
        char usr[CmnPathSize];
        int n = snprintf(usr, sizeof(usr), "%s\\Usr", inf.amSysDir);
        bool dflt = field == inf.strUsrDir && inf.amSysDir[0] && n < CmnPathSize && strcmp(inf.strUsrDir, usr) == 0;
        WriteProfile(name, dflt ? "" : static_cast<const char*>(field));
        return;
    }
    case CmnIniLayout: {
        // Parts of kLayoutPart characters from strBriTlb_1 on.
        const char* p = inf.strBriTlb;
        for (int part = 1; *p; ++part) {
            const char* end = p;
            for (int i = 0; i < kLayoutPart && *end; ++i) end = ::CharNextExA(932, end, 0);
            snprintf(name, sizeof(name), key.name, part);
            snprintf(m_amProfile, sizeof(m_amProfile), "%.*s", static_cast<int>(end - p), p);
            WriteProfile(name, m_amProfile);
            p = end;
        }
        return;
    }
    case CmnIniFilter:
        if (!inf.pSub) return; // no engine text to write: the stored filter stays
        VkeSubGetAppMemStr(inf.pSub, &inf.lscFii.amFilter, m_amProfile, sizeof(m_amProfile));
        break;
    case CmnIniDbl:
        snprintf(m_amProfile, sizeof(m_amProfile), key.format, *static_cast<const double*>(field));
        break;
    case CmnIniLong:
        snprintf(m_amProfile, sizeof(m_amProfile), key.format, static_cast<long>(*static_cast<const int*>(field)));
        break;
    default:
        snprintf(m_amProfile, sizeof(m_amProfile), key.format, *static_cast<const int*>(field));
        break;
    }
    WriteProfile(name, m_amProfile);
}

void CmnApp::WriteIni()
{
    // The layout's part count follows the text.
    CmnAppInf& inf = theCmnAppInf;
    int length = 0;
    for (const char* p = inf.strBriTlb; *p; p = ::CharNextExA(932, p, 0)) ++length;
    inf.iCntHexStr = (length + kLayoutPart - 1) / kLayoutPart;
    // The file list's keys only once they were read: else they hold no settings.
    for (const CmnIniKey& key : kKeys)
        if (!key.lsc || m_bLscRead)
            for (int i = 0; i < key.count; ++i) WriteKey(key, i);
}
