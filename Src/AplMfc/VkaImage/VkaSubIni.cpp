// The settings of section "Application Information": one table of keys in the file's order, read
// in two stages (numbers and flags before the engine starts, texts and path lists once InitApi has
// made their buffers) and written whole at exit.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\VkaSubBsc"
#include "Halcor.h"
#include <float.h>
#include <limits.h>
#include <math.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>

enum VkaIniType {
    VkaIniNum,   // an int ("%d")
    VkaIniDbl,   // a double ("%lf")
    VkaIniText,  // an engine text buffer
    VkaIniChars, // a text of CmnPathSize bytes
    VkaIniPaths  // a path list: entries 1 to the number in field `limit`, of an array of `cap` texts
};

// One row: a key, or keys numbered from 1 ("%d") over consecutive fields; a path list of several
// lists numbers the list, then the entry. A number that cannot be held, or lies outside lo..hi,
// takes the fallback (NaN: the default). With `limit`, hi is that field's value plus `adj` (for
// numbered keys the field of the same number).
struct VkaIniKey {
    const char* name;
    int count;
    int type;
    bool lsc; // read by ReadLscFilInf, once the engine's text buffers exist
    const char* dflt; // numbered keys: one per key, separated by ','
    double lo, hi;
    double fallback;
    size_t offset;
    size_t stride;
    ptrdiff_t limit; // -1: none
    int adj;
    ptrdiff_t cap;   // path lists: the field holding the array's length
};

namespace {

const char kSection[] = "Application Information";

#define AT(field) offsetof(AppInf, field)
#define ANY -DBL_MAX, DBL_MAX
#define FLAG(name, lsc, dflt, field) {name, 1, VkaIniNum, lsc, #dflt, 0, 1, dflt, AT(field), 0, -1, 0, -1}
#define NUM(name, lsc, dflt, lo, hi, field) {name, 1, VkaIniNum, lsc, #dflt, lo, hi, dflt, AT(field), 0, -1, 0, -1}
#define STR(name, field) {name, 1, VkaIniText, true, "", ANY, NAN, AT(field), 0, -1, 0, -1}

const VkaIniKey kKeys[] = {
    {"BriDlb_%d_cx", VkaPnlCnt, VkaIniNum, false, "0", ANY, NAN, AT(sizBriDlb[0].cx), sizeof(SIZE), -1, 0, -1},
    {"BriDlb_%d_cy", VkaPnlCnt, VkaIniNum, false, "0", ANY, NAN, AT(sizBriDlb[0].cy), sizeof(SIZE), -1, 0, -1},
    NUM("PoiFri_iMode", true, 3, 1, 3, poi.fri.iMode),
    FLAG("PoiFri_bShwFrm", true, 0, poi.fri.bShwFrm),
    FLAG("PoiFri_bPagSet", true, 1, poi.fri.bPagSet),
    FLAG("PoiFri_bClbMon", true, 0, poi.fri.bClbMon),
    FLAG("PoiFri_bHrzSca", true, 1, poi.fri.bHrzSca),
    NUM("PoiFri_iWidth", true, 0, 0, INT_MAX, poi.fri.iWidth),
    NUM("PoiFri_iHeight", true, 0, 0, INT_MAX, poi.fri.iHeight),
    NUM("PoiPri_iMode", true, 4, 1, 6, poi.pri.iMode),
    FLAG("PoiPri_bOmtDlgPrt", true, 0, poi.pri.bOmtDlgPrt),
    FLAG("PoiPri_bHeader", true, 0, poi.pri.bHeader),
    STR("PoiPri_amLogFontHdr", poi.pri.amLogFontHdr),
    STR("PoiPri_amHeader", poi.pri.amHeader),
    FLAG("PoiPri_bFooter", true, 0, poi.pri.bFooter),
    STR("PoiPri_amLogFontFtr", poi.pri.amLogFontFtr),
    STR("PoiPri_amFooter", poi.pri.amFooter),
    NUM("PoiPri_iOrientation", true, 3, 1, 4, poi.pri.iOrientation),
    NUM("PciAii_iMode", false, 1, 1, 3, pciAii.iMode),
    FLAG("PciAii_bRunOnSelDir", false, 0, pciAii.bRunOnSelDir),
    FLAG("PciAii_bRepeat", false, 1, pciAii.bRepeat),
    NUM("PciAii_iPerInd", false, 2000, 1, INT_MAX, pciAii.iPerInd),
    NUM("PciFpi_iMode", false, 1, 1, 3, pciFpi.iMode),
    // A capacity beyond VkaMaxPathCnt is damage: it would make that many buffers and keys.
    {"PciFpi_iCntPathName_%d", VkaFpiCnt, VkaIniNum, false, "10", 1, VkaMaxPathCnt, 10, AT(pciFpi.iCntPathName),
     sizeof(int), -1, 0, -1},
    // The count of stored entries is at most the capacity; the index lies below the count.
    {"PciFpi_iCurPathName_%d", VkaFpiCnt, VkaIniNum, false, "0", 0, 0, 0, AT(pciFpi.iCurPathName), sizeof(int),
     AT(pciFpi.iCntPathName), 0, -1},
    {"PciFpi_iIdxPathName_%d", VkaFpiCnt, VkaIniNum, false, "-1", 0, 0, -1, AT(pciFpi.iIdxPathName), sizeof(int),
     AT(pciFpi.iCurPathName), -1, -1},
    {"PciFpi_amPathName_%d_%d", VkaFpiCnt, VkaIniPaths, true, "", ANY, NAN, AT(pciFpi.amPathName),
     sizeof(AppMem*), AT(pciFpi.iCurPathName), 0, AT(pciFpi.iCntPathName)},
    NUM("PciEti_iCntPathName", false, 10, 1, VkaMaxPathCnt, pciEti.iCntPathName),
    // The external tools' index is tested against the capacity, not the count.
    {"PciEti_iCurPathName", 1, VkaIniNum, false, "0", 0, 0, 0, AT(pciEti.iCurPathName), 0, AT(pciEti.iCntPathName),
     0, -1},
    {"PciEti_iIdxPathName", 1, VkaIniNum, false, "-1", 0, 0, -1, AT(pciEti.iIdxPathName), 0,
     AT(pciEti.iCntPathName), -1, -1},
    {"PciEti_amPathName_%d", 1, VkaIniPaths, true, "", ANY, NAN, AT(pciEti.amPathName), 0, AT(pciEti.iCntPathName),
     0, AT(pciEti.iCntPathName)},
    FLAG("Ooi_bOnlLcd", false, 0, ooi.bOnlLcd),
    FLAG("Ooi_bOpnLck", false, 1, ooi.bOpnLck),
    FLAG("Ooi_bOpnApd", false, 1, ooi.bOpnApd),
    FLAG("Ooi_bImgSel", false, 0, ooi.bImgSel),
    FLAG("Ooi_bCreBak", false, 1, ooi.bCreBak),
    STR("Ooi_amOpiPathName", ooi.amOpiPathName),
    STR("Svi_amPathName", svi.amPathName),
    STR("Svi_amSavDir", svi.amSavDir),
    NUM("Svi_iImgType", false, 1, 1, 5, svi.iImgType),
    NUM("Svi_lQltJpg", false, 100, 0, 100, svi.lQltJpg),
    FLAG("Svi_bChkExt", false, 1, svi.bChkExt),
    FLAG("Svi_bOrgSiz", false, 1, svi.bOrgSiz),
    FLAG("Pai_bSelImg", false, 0, pai.bSelImg),
    FLAG("Pai_bOnlLcd", false, 0, pai.bOnlLcd),
    FLAG("Pai_bPtrCls", false, 0, pai.bPtrCls),
    FLAG("Pai_bClsLcd", false, 0, pai.bClsLcd),
    NUM("CnvSzi_iTypSca", false, 1, 1, 3, cnvSzi.iTypSca),
    NUM("CnvSzi_lScaNum", false, 1, 1, INT_MAX, cnvSzi.lScaNum),
    NUM("CnvSzi_lScaDen", false, 1, 1, INT_MAX, cnvSzi.lScaDen),
    {"CnvSzi_dScale", 1, VkaIniDbl, false, "1.0", 1e-6, 100, 1.0, AT(cnvSzi.dScale), 0, -1, 0, -1},
    FLAG("CnvSzi_bFixSca", false, 1, cnvSzi.bFixSca),
    FLAG("CnvSzi_bWidth", false, 1, cnvSzi.bWidth),
    NUM("CnvSzi_iWidth", false, 1, 1, INT_MAX, cnvSzi.iWidth),
    NUM("CnvSzi_iHeight", false, 1, 1, INT_MAX, cnvSzi.iHeight),
    FLAG("SopBsi_bClrErr", false, 1, sopBsi.bClrErr),
    FLAG("SopBsi_bClrMdf", false, 1, sopBsi.bClrMdf),
    FLAG("SopBsi_bChgDir", false, 0, sopBsi.bChgDir),
    FLAG("SopBsi_bOpnOpd", false, 0, sopBsi.bOpnOpd),
    FLAG("SopBsi_bOpnLcd", false, 0, sopBsi.bOpnLcd),
    FLAG("SopBsi_bOpnLck", false, 1, sopBsi.bOpnLck),
    FLAG("SopBsi_bCleLog", false, 0, sopBsi.bCleLog),
    FLAG("SopPni_bPrvImgTab", false, 1, sopPni.bPrvImgTab),
    NUM("SopShi_iModeSca", false, 3, 1, 3, sopShi.iModeSca),
    NUM("SopShi_lScaNum", false, 1, 1, INT_MAX, sopShi.lScaNum),
    NUM("SopShi_lScaDen", false, 1, 1, INT_MAX, sopShi.lScaDen),
    FLAG("SopShi_bOpnSubDir", false, 1, sopShi.bOpnSubDir),
    {"SopShi_dScaleWheel", 1, VkaIniDbl, false, "0.1", 0.01, 0.9, 0.1, AT(sopShi.dScaleWheel), 0, -1, 0, -1},
    FLAG("SopShi_bInvClrFrm", false, 1, sopShi.bInvClrFrm),
    NUM("SopShi_iStylePenFrm", false, 0, 0, 4, sopShi.iStylePenFrm),
    // Checked in InitApi: a text that is no colour becomes black.
    {"SopShi_strColor_%d", 1, VkaIniChars, false, "", ANY, NAN, AT(sopShi.strColor), CmnPathSize, -1, 0, -1},
    // Raised to 1 in InitApi.
    {"SopShi_iScrSize_%d", VkaScrSizeCnt, VkaIniNum, false, "1,1,5,5", ANY, NAN, AT(sopShi.iScrSize), sizeof(int),
     -1, 0, -1},
    FLAG("SopSvi_bAutoSave", false, 1, sopSvi.bAutoSave),
    STR("SopSvi_amAtsDir", sopSvi.amAtsDir),
    FLAG("SopSvi_bCreSubDir", false, 1, sopSvi.bCreSubDir),
    FLAG("SopSvi_bOrgNam", false, 1, sopSvi.bOrgNam),
    FLAG("SopSvi_bOvrWrt", false, 1, sopSvi.bOvrWrt),
    STR("SopSvi_amPrefix", sopSvi.amPrefix),
    NUM("SopSvi_iModeAtsFil", false, 1, 1, 2, sopSvi.iModeAtsFil),
    NUM("SopSvi_iSeqNoSta", false, 1, 1, INT_MAX, sopSvi.iSeqNoSta),
    NUM("SopSvi_iCntDigMin", false, 1, 1, INT_MAX, sopSvi.iCntDigMin),
    FLAG("SopSvi_bOrgTyp", false, 1, sopSvi.bOrgTyp),
    NUM("SopSvi_iImgType", false, 1, 1, 5, sopSvi.iImgType),
    // An empty one takes the default extension of SopSvi_iImgType in InitApi.
    STR("SopSvi_amFilExt", sopSvi.amFilExt),
    NUM("SopSvi_lQltJpg", false, 100, 0, 100, sopSvi.lQltJpg),
    FLAG("SopSvi_bOrgSiz", false, 1, sopSvi.bOrgSiz),
    FLAG("SopSvi_bCnvSiz", false, 0, sopSvi.bCnvSiz),
    NUM("SopSviSzi_iTypSca", false, 1, 1, 3, sopSviSzi.iTypSca),
    NUM("SopSviSzi_lScaNum", false, 1, 1, INT_MAX, sopSviSzi.lScaNum),
    NUM("SopSviSzi_lScaDen", false, 1, 1, INT_MAX, sopSviSzi.lScaDen),
    {"SopSviSzi_dScale", 1, VkaIniDbl, false, "1.0", 1e-6, 100, 1.0, AT(sopSviSzi.dScale), 0, -1, 0, -1},
    FLAG("SopSviSzi_bFixSca", false, 1, sopSviSzi.bFixSca),
    FLAG("SopSviSzi_bWidth", false, 1, sopSviSzi.bWidth),
    NUM("SopSviSzi_iWidth", false, 1, 1, INT_MAX, sopSviSzi.iWidth),
    NUM("SopSviSzi_iHeight", false, 1, 1, INT_MAX, sopSviSzi.iHeight),
    {"rctDlgSetOpt_left", 1, VkaIniNum, false, "0", ANY, NAN, AT(rctDlgSetOpt.left), 0, -1, 0, -1},
    {"rctDlgSetOpt_right", 1, VkaIniNum, false, "0", ANY, NAN, AT(rctDlgSetOpt.right), 0, -1, 0, -1},
    {"rctDlgSetOpt_top", 1, VkaIniNum, false, "0", ANY, NAN, AT(rctDlgSetOpt.top), 0, -1, 0, -1},
    {"rctDlgSetOpt_bottom", 1, VkaIniNum, false, "0", ANY, NAN, AT(rctDlgSetOpt.bottom), 0, -1, 0, -1},
    FLAG("bOpnSmpImg", false, 1, bOpnSmpImg),
    NUM("iOpnOnSel", false, 3, 1, 3, iOpnOnSel),
};

#undef STR
#undef NUM
#undef FLAG
#undef ANY
#undef AT

char* Field(size_t offset) { return reinterpret_cast<char*>(&theAppInf) + offset; }

// The field of a row's number index (its lists' numbers for a path list).
int IntAt(ptrdiff_t offset, int index) { return reinterpret_cast<int*>(Field(static_cast<size_t>(offset)))[index]; }

// Entry i of a path list (list index of the row): its key name, and the number of entries
// read and written (never beyond the array's length).
void PathName(const VkaIniKey& key, int list, int entry, char* name, size_t size)
{
    if (key.count > 1) snprintf(name, size, key.name, list + 1, entry + 1);
    else snprintf(name, size, key.name, entry + 1);
}

// The key name of a row's index; a path list names each of its entries (PathName) instead.
void KeyName(const VkaIniKey& key, int index, char* name, size_t size)
{
    if (key.type == VkaIniPaths) name[0] = '\0';
    else snprintf(name, size, key.name, index + 1);
}

int PathEntries(const VkaIniKey& key, int list)
{
    int n = IntAt(key.limit, list);
    int cap = IntAt(key.cap, list);
    AppMem* paths = reinterpret_cast<AppMem**>(Field(key.offset))[list];
    return paths ? (n < cap ? n : cap) : 0;
}

} // namespace

// ---- Reading ----

void HalcorApp::ReadKey(const VkaIniKey& key, int index)
{
    VkiSub* sub = theCmnAppInf.pSub;
    char name[64], dflt[64];
    KeyName(key, index, name, sizeof(name));
    DefaultText(key.dflt, index, dflt, sizeof(dflt));
    char* field = Field(key.offset + key.stride * static_cast<size_t>(index));
    switch (key.type) {
    case VkaIniText:
        VkeSubSetAppMemStr(sub, reinterpret_cast<AppMem*>(field), ReadProfile(name, dflt));
        return;
    case VkaIniChars:
        snprintf(field, CmnPathSize, "%s", ReadProfile(name, dflt));
        return;
    case VkaIniPaths: {
        AppMem* paths = *reinterpret_cast<AppMem**>(field);
        for (int i = 0; i < PathEntries(key, index); ++i) {
            PathName(key, index, i, name, sizeof(name));
            VkeSubSetAppMemStr(sub, &paths[i], ReadProfile(name, ""));
        }
        return;
    }
    default:
        break;
    }
    double hi = key.limit < 0 ? key.hi : IntAt(key.limit, index) + key.adj;
    double value = ReadNumber(name, dflt, key.type == VkaIniDbl, key.lo, hi, key.fallback);
    if (key.type == VkaIniDbl) *reinterpret_cast<double*>(field) = value;
    else *reinterpret_cast<int*>(field) = static_cast<int>(value);
}

void HalcorApp::ReadKeys(bool lsc)
{
    ProfileBatch batch(this);
    LPCSTR section = m_pszSection;
    m_pszSection = kSection;
    for (const VkaIniKey& key : kKeys)
        if (key.lsc == lsc)
            for (int i = 0; i < key.count; ++i) ReadKey(key, i);
    m_pszSection = section;
}

void HalcorApp::ReadIni()
{
    CmnApp::ReadIni();
    ReadKeys(false);
    // The preview state in effect for this run.
    m_bPrvImg = theCmnAppInf.bPrvImg;
    m_bPrvImgTab = theAppInf.sopPni.bPrvImgTab;
}

void HalcorApp::ReadLscFilInf()
{
    CmnApp::ReadLscFilInf();
    ReadKeys(true);
    m_bAppLscRead = true;
}

// ---- Writing ----

void HalcorApp::WriteKey(const VkaIniKey& key, int index)
{
    VkiSub* sub = theCmnAppInf.pSub;
    char name[64];
    KeyName(key, index, name, sizeof(name));
    char* field = Field(key.offset + key.stride * static_cast<size_t>(index));
    switch (key.type) {
    case VkaIniText:
        m_amProfile[0] = '\0';
        VkeSubGetAppMemStr(sub, reinterpret_cast<AppMem*>(field), m_amProfile, sizeof(m_amProfile));
        WriteProfile(name, m_amProfile);
        return;
    case VkaIniChars:
        WriteProfile(name, field);
        return;
    case VkaIniPaths: {
        AppMem* paths = *reinterpret_cast<AppMem**>(field);
        for (int i = 0; i < PathEntries(key, index); ++i) {
            PathName(key, index, i, name, sizeof(name));
            m_amProfile[0] = '\0';
            VkeSubGetAppMemStr(sub, &paths[i], m_amProfile, sizeof(m_amProfile));
            WriteProfile(name, m_amProfile);
        }
        return;
    }
    case VkaIniDbl:
        snprintf(m_amProfile, sizeof(m_amProfile), "%lf", *reinterpret_cast<double*>(field));
        break;
    default:
        snprintf(m_amProfile, sizeof(m_amProfile), "%d", *reinterpret_cast<int*>(field));
        break;
    }
    WriteProfile(name, m_amProfile);
}

void HalcorApp::WriteIni()
{
    CmnApp::WriteIni();
    LPCSTR section = m_pszSection;
    m_pszSection = kSection;
    // The texts and path lists only once they were read: else they hold no settings.
    for (const VkaIniKey& key : kKeys)
        if (!key.lsc || m_bAppLscRead)
            for (int i = 0; i < key.count; ++i) WriteKey(key, i);
    m_pszSection = section;
}
