// The application records 0x1000001 to 0x1000008, the image pages' undo data and the file-type
// list.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\VkaSubDat"
#include "VkaSubDat.h"
#include "CmnDef.h"
#include "CmnImg.h"
#include "VkaAppInf.h"
#include <string.h>
#include <initializer_list>
#include <utility>

namespace {

const CmnDatKind kKinds[] = {{VkaCodFei, sizeof(Fei), CmnDatElm, 0},
                             {VkaCodFte, sizeof(Fte), CmnDatElmList, VkaCodFei},
                             {VkaCodFti, sizeof(Fti), CmnDatList, VkaCodFte},
                             {VkaCodFri, sizeof(Fri), CmnDatPlain, 0},
                             {VkaCodPri, sizeof(Pri), CmnDatPlain, 0},
                             {VkaCodPoi, sizeof(Poi), CmnDatPlain, 0},
                             {VkaCodIci, sizeof(Ici), CmnDatPlain, 0},
                             {VkaCodOpi, sizeof(Opi), CmnDatPlain, 0}};

// The filter entries of the file-type list, in the file dialogs' order: every image first.
const int kFmtCodes[] = {VkaFmtAllImg, 1, 2, 3, 4, 5, VkaFmtIcon, VkaFmtAllFil};

bool IsImgType(int code) { return code >= 1 && code <= 5; }
bool IsFmtCode(int code) { return IsImgType(code) || (code >= VkaFmtAllFil && code <= VkaFmtIcon); }

VkiSub* Sub() { return theCmnAppInf.pSub; }

// The first failure of a series of steps.
void Keep(int& first, int rc)
{
    if (first == VKE_OK) first = rc;
}

// ---- The parts every record is made of ----

int InitTexts(std::initializer_list<AppMem*> texts)
{
    for (AppMem* text : texts) {
        int rc = VkeSubInitAppMem(Sub(), text);
        if (rc != VKE_OK) return rc;
    }
    return VKE_OK;
}

int TermTexts(std::initializer_list<AppMem*> texts)
{
    int first = VKE_OK;
    for (AppMem* text : texts) Keep(first, VkeSubTermAppMem(Sub(), text));
    return first;
}

int CopyTexts(std::initializer_list<std::pair<AppMem*, AppMem*>> texts)
{
    for (const auto& text : texts) {
        int rc = VkeSubCopyAppMem(Sub(), text.first, text.second);
        if (rc != VKE_OK) return rc;
    }
    return VKE_OK;
}

bool Held(std::initializer_list<const AppMem*> texts)
{
    for (const AppMem* text : texts)
        if (text->pBuffer) return true;
    return false;
}

void ResetFri(Fri* p)
{
    memset(p, 0, sizeof(*p));
    p->iMode = 3;
}

void ResetPri(Pri* p)
{
    p->iMode = 4;
    p->bOmtDlgPrt = p->bHeader = p->bFooter = 0;
    p->iOrientation = 3;
}

int InitPri(Pri* p)
{
    ResetPri(p);
    return InitTexts({&p->amLogFontHdr, &p->amHeader, &p->amLogFontFtr, &p->amFooter});
}

int TermPri(Pri* p)
{
    ResetPri(p);
    return TermTexts({&p->amLogFontHdr, &p->amHeader, &p->amLogFontFtr, &p->amFooter});
}

int CopyPri(Pri* to, Pri* from)
{
    int rc = CopyTexts({{&to->amLogFontHdr, &from->amLogFontHdr},
                        {&to->amHeader, &from->amHeader},
                        {&to->amLogFontFtr, &from->amLogFontFtr},
                        {&to->amFooter, &from->amFooter}});
    if (rc != VKE_OK) return rc;
    to->iMode = from->iMode;
    to->bOmtDlgPrt = from->bOmtDlgPrt;
    to->bHeader = from->bHeader;
    to->bFooter = from->bFooter;
    to->iOrientation = from->iOrientation;
    return VKE_OK;
}

bool PriHeld(const Pri* p) { return Held({&p->amLogFontHdr, &p->amHeader, &p->amLogFontFtr, &p->amFooter}); }

int InitPoi(Poi* p)
{
    ResetFri(&p->fri);
    return InitPri(&p->pri);
}

int TermPoi(Poi* p)
{
    ResetFri(&p->fri);
    return TermPri(&p->pri);
}

int CopyPoi(Poi* to, Poi* from)
{
    int rc = CopyPri(&to->pri, &from->pri);
    if (rc == VKE_OK) to->fri = from->fri;
    return rc;
}

// An Ici's numbers after its owned parts (shown size aside), copied and reset as one block.
const size_t kIciTail = offsetof(Ici, rctMargin);

void ResetIci(Ici* p)
{
    memset(reinterpret_cast<char*>(p) + kIciTail, 0, sizeof(Ici) - kIciTail);
    p->iShwWidth = p->iShwHeight = 0;
    p->iModeSca = 1;
    p->lScaNum = p->lScaDen = 1;
}

int TermIci(Ici* p)
{
    int first = theCmnVar.TermDat(CmnVarCodPthImg, &p->pthImg);
    Keep(first, TermPoi(&p->poi));
    if (p->hDevNames || p->hDevMode) Keep(first, VkeSysPrintFreeHandle(theCmnAppInf.pSys, &p->hDevNames, &p->hDevMode));
    ResetIci(p);
    return first;
}

int CopyIci(Ici* to, Ici* from)
{
    int rc = theCmnVar.CopyDat(CmnVarCodPthImg, &to->pthImg, &from->pthImg);
    if (rc == VKE_OK) rc = CopyPoi(&to->poi, &from->poi);
    // The page's printer set-up: copies of the source's blocks (none when it has none).
    if (rc == VKE_OK && (to->hDevNames || to->hDevMode || from->hDevNames || from->hDevMode))
        rc = VkeSysPrintSynHandle(theCmnAppInf.pSys, &to->hDevNames, &to->hDevMode, from->hDevNames, from->hDevMode);
    if (rc != VKE_OK) return rc;
    to->iShwWidth = from->iShwWidth;
    to->iShwHeight = from->iShwHeight;
    memcpy(reinterpret_cast<char*>(to) + kIciTail, reinterpret_cast<char*>(from) + kIciTail, sizeof(Ici) - kIciTail);
    return VKE_OK;
}

void ResetOpi(Opi* p)
{
    memset(&p->bLock, 0, sizeof(Opi) - offsetof(Opi, bLock));
    p->iFrmMode = 3;
    p->iOrientation = 3;
}

int CopyOpi(Opi* to, Opi* from)
{
    int rc = VkeSubCopyAppMem(Sub(), &to->amPath, &from->amPath);
    if (rc == VKE_OK) memcpy(&to->bLock, &from->bLock, sizeof(Opi) - offsetof(Opi, bLock));
    return rc;
}

// The text of a piece of an extension list after its last dot (the whole piece without one).
const char* AfterLastDot(const char* piece)
{
    const char* ext = piece;
    for (const char* p = piece; *p; p = ::CharNextExA(932, p, 0))
        if (*p == '.') ext = p + 1;
    return ext;
}

const char* Text(const AppMem& text) { return text.pBuffer ? text.pBuffer : ""; }

} // namespace

VkaSubDat::VkaSubDat() : CmnDat(CMN_MODULE, kKinds, sizeof(kKinds) / sizeof(kKinds[0])) {}

// ---- The record hooks ----

bool VkaSubDat::IsHeld(int code, const Dat* p)
{
    switch (code) {
    case VkaCodFei:
        return Held({&static_cast<const Fei*>(p)->amExt});
    case VkaCodFte:
        return Held({&static_cast<const Fte*>(p)->amDes, &static_cast<const Fte*>(p)->amExtLst});
    case VkaCodFti:
        return Held({&static_cast<const Fti*>(p)->amFilter});
    case VkaCodFri:
        return false;
    case VkaCodPri:
        return PriHeld(static_cast<const Pri*>(p));
    case VkaCodPoi:
        return PriHeld(&static_cast<const Poi*>(p)->pri);
    case VkaCodIci: {
        // Its printer set-up above all: the record must be ended before it starts again.
        const Ici* r = static_cast<const Ici*>(p);
        return r->hDevNames || r->hDevMode || r->pthImg.hImg || r->pthImg.amPath.pBuffer || PriHeld(&r->poi.pri);
    }
    default:
        return Held({&static_cast<const Opi*>(p)->amPath});
    }
}

int VkaSubDat::InitRec(int code, Dat* p)
{
    switch (code) {
    case VkaCodFei:
        return InitTexts({&static_cast<Fei*>(p)->amExt});
    case VkaCodFte:
        return InitTexts({&static_cast<Fte*>(p)->amDes, &static_cast<Fte*>(p)->amExtLst});
    case VkaCodFti:
        return InitTexts({&static_cast<Fti*>(p)->amFilter});
    case VkaCodFri:
        ResetFri(static_cast<Fri*>(p));
        return VKE_OK;
    case VkaCodPri:
        return InitPri(static_cast<Pri*>(p));
    case VkaCodPoi:
        return InitPoi(static_cast<Poi*>(p));
    case VkaCodIci: {
        Ici* r = static_cast<Ici*>(p);
        ResetIci(r);
        int rc = theCmnVar.InitDat(CmnVarCodPthImg, &r->pthImg);
        return rc == VKE_OK ? InitPoi(&r->poi) : rc;
    }
    default: {
        Opi* r = static_cast<Opi*>(p);
        ResetOpi(r);
        return InitTexts({&r->amPath});
    }
    }
}

int VkaSubDat::TermRec(int code, Dat* p)
{
    switch (code) {
    case VkaCodFei:
        return TermTexts({&static_cast<Fei*>(p)->amExt});
    case VkaCodFte: {
        Fte* r = static_cast<Fte*>(p);
        r->iFmtCod = 0;
        return TermTexts({&r->amDes, &r->amExtLst});
    }
    case VkaCodFti:
        return TermTexts({&static_cast<Fti*>(p)->amFilter});
    case VkaCodFri:
        ResetFri(static_cast<Fri*>(p));
        return VKE_OK;
    case VkaCodPri:
        return TermPri(static_cast<Pri*>(p));
    case VkaCodPoi:
        return TermPoi(static_cast<Poi*>(p));
    case VkaCodIci:
        return TermIci(static_cast<Ici*>(p));
    default: {
        Opi* r = static_cast<Opi*>(p);
        ResetOpi(r);
        return TermTexts({&r->amPath});
    }
    }
}

int VkaSubDat::CopyRec(int code, Dat* to, Dat* from)
{
    switch (code) {
    case VkaCodFei:
        return CopyTexts({{&static_cast<Fei*>(to)->amExt, &static_cast<Fei*>(from)->amExt}});
    case VkaCodFte: {
        Fte* t = static_cast<Fte*>(to);
        Fte* f = static_cast<Fte*>(from);
        t->iFmtCod = f->iFmtCod;
        return CopyTexts({{&t->amDes, &f->amDes}, {&t->amExtLst, &f->amExtLst}});
    }
    case VkaCodFti:
        return CopyTexts({{&static_cast<Fti*>(to)->amFilter, &static_cast<Fti*>(from)->amFilter}});
    case VkaCodFri:
        *static_cast<Fri*>(to) = *static_cast<Fri*>(from);
        return VKE_OK;
    case VkaCodPri:
        return CopyPri(static_cast<Pri*>(to), static_cast<Pri*>(from));
    case VkaCodPoi:
        return CopyPoi(static_cast<Poi*>(to), static_cast<Poi*>(from));
    case VkaCodIci:
        return CopyIci(static_cast<Ici*>(to), static_cast<Ici*>(from));
    default:
        return CopyOpi(static_cast<Opi*>(to), static_cast<Opi*>(from));
    }
}

bool VkaSubDat::IsKeyMode(int code, int mode) { return (code == VkaCodFei || code == VkaCodFte) && mode == VkaSchKey; }

bool VkaSubDat::Match(int code, int, void* key, Dat* p)
{
    if (code == VkaCodFei) return strcmp(Text(static_cast<Fei*>(p)->amExt), static_cast<const char*>(key)) == 0;
    return static_cast<Fte*>(p)->iFmtCod == *static_cast<const int*>(key);
}

// ---- Lists ----

int VkaSubDat::SchDat(int code, int mode, Lki* list, void* key, Dat** out)
{
    if (code == VkaCodFte && mode == VkaSchKey && key && !IsFmtCode(*static_cast<const int*>(key))) {
        if (out) *out = nullptr;
        return Fail("SchDat", VKE_ERR_ARG);
    }
    return CmnDat::SchDat(code, mode, list, key, out);
}

int VkaSubDat::DelDat(int code, int mode, Lki* list, void* key, Dat** out)
{
    if (out) *out = nullptr;
    Dat* removed = nullptr;
    int rc = CmnDat::DelDat(code, mode, list, key, &removed);
    if (rc == VKE_OK) rc = FreeDat(code, &removed);
    return rc;
}

int VkaSubDat::EditDat(int op, int code, Dat** p, Dat** q, Dat* out)
{
    bool needP = op >= 1 && op <= 7;
    bool needQ = op >= 5 && op <= 8;
    bool needRecP = op == 3 || op == 4 || op == 5 || op == 7;
    if (code != VkaCodIci || op < 0 || op > 8 || (needP && !p) || (needQ && (!q || !*q)) || (needRecP && !*p) ||
        (op == 8 && !out))
        return Fail("EditDat", VKE_ERR_ARG);
    switch (op) {
    case 1:
        return AllocDat(code, p);
    case 2:
        return FreeDat(code, p);
    case 3:
        return InitDat(code, *p);
    case 4:
        return TermDat(code, *p);
    case 5:
        return CopyDat(code, *p, *q);
    case 6:
        return DupDat(code, p, *q);
    case 7:
        return SetDat(code, *p, *q);
    case 8:
        return SetDat(code, out, *q);
    default:
        return VKE_OK;
    }
}

// ---- The file-type list ----

int VkaSubDat::InitFti()
{
    Fti* fti = &theAppInf.fti;
    int rc = InitDat(VkaCodFti, fti);
    for (int code : kFmtCodes)
        if (rc == VKE_OK) rc = AddFte(code);
    if (rc == VKE_OK) rc = VkeSubConcatAppMemStr(Sub(), &fti->amFilter, "|");
    if (rc != VKE_OK) CMN_TRACE("InitFti", rc);
    return rc;
}

// The type of one filter entry with its extensions, appended to the list and the filter; an
// entry the image service does not have is left out.
int VkaSubDat::AddFte(int fmtCode)
{
    char des[CmnPathSize], exts[CmnPathSize];
    int rc = theCmnImg.GetFilter(fmtCode, des, exts, sizeof(des), sizeof(exts));
    if (rc == VKE_ERR_NOT_FOUND) return VKE_OK;
    if (rc == VKE_OK) rc = VkeSubToLowerStr(Sub(), exts);
    Fte* fte = nullptr;
    if (rc == VKE_OK) rc = AllocDat(VkaCodFte, reinterpret_cast<Dat**>(&fte));
    if (rc != VKE_OK) return rc;
    fte->iFmtCod = fmtCode;
    rc = VkeSubSetAppMemStr(Sub(), &fte->amDes, des);
    // The pieces between ";": each one's extension, empty ones left out (a file without an
    // extension is no image).
    CString list;
    for (char* piece = exts; rc == VKE_OK && *piece;) {
        char* end = piece;
        while (*end && *end != ';') end = ::CharNextExA(932, end, 0);
        char next = *end;
        *end = '\0';
        const char* ext = AfterLastDot(piece);
        if (*ext) {
            Fei* fei = nullptr;
            rc = AllocDat(VkaCodFei, reinterpret_cast<Dat**>(&fei));
            if (rc == VKE_OK) rc = VkeSubSetAppMemStr(Sub(), &fei->amExt, ext);
            if (rc == VKE_OK) rc = AddDat(VkaCodFei, &fte->lkiFei, fei);
            if (rc != VKE_OK) FreeDat(VkaCodFei, reinterpret_cast<Dat**>(&fei));
            list += list.IsEmpty() ? "*." : ";*.";
            list += ext;
        }
        piece = next ? end + 1 : end;
    }
    if (rc == VKE_OK) rc = VkeSubSetAppMemStr(Sub(), &fte->amExtLst, list);
    if (rc == VKE_OK) rc = AddDat(VkaCodFte, &theAppInf.fti.lkiFte, fte);
    if (rc != VKE_OK) {
        FreeDat(VkaCodFte, reinterpret_cast<Dat**>(&fte));
        return rc;
    }
    CString entry;
    entry.Format("%s (%s)|%s|", des, static_cast<LPCSTR>(list), static_cast<LPCSTR>(list));
    return VkeSubConcatAppMemStr(Sub(), &theAppInf.fti.amFilter, entry);
}

int VkaSubDat::TermFti()
{
    int rc = TermDat(VkaCodFti, &theAppInf.fti);
    if (rc != VKE_OK) CMN_TRACE("TermFti", rc);
    return rc;
}

int VkaSubDat::SchFeiByKey(const char* ext, Fte** fte, Fei** fei)
{
    if (!ext || !fte || !fei) {
        if (fte) *fte = nullptr;
        if (fei) *fei = nullptr;
        return Fail("SchFeiByKey", VKE_ERR_ARG);
    }
    *fte = nullptr;
    *fei = nullptr;
    const Lki& types = theAppInf.fti.lkiFte;
    for (Lke* t = types.pHead; t; t = t->pNxt) {
        Fte* type = reinterpret_cast<Fte*>(t);
        if (!IsImgType(type->iFmtCod) && type->iFmtCod != VkaFmtIcon) continue;
        for (Lke* e = type->lkiFei.pHead; e; e = e->pNxt) {
            if (strcmp(Text(reinterpret_cast<Fei*>(e)->amExt), ext) != 0) continue;
            *fte = type;
            *fei = reinterpret_cast<Fei*>(e);
            return VKE_OK;
        }
    }
    return VKE_ERR_NOT_FOUND;
}

int VkaSubDat::SchFte(int position, Fte** out)
{
    if (position < 1 || !out) {
        if (out) *out = nullptr;
        return Fail("SchFte", VKE_ERR_ARG);
    }
    return SchDat(VkaCodFte, VKE_LKE_BY_NO, &theAppInf.fti.lkiFte, &position, reinterpret_cast<Dat**>(out));
}

int VkaSubDat::SchFteByKey(int fmtCode, Fte** out)
{
    if (!IsFmtCode(fmtCode) || !out) {
        if (out) *out = nullptr;
        return Fail("SchFteByKey", VKE_ERR_ARG);
    }
    return SchDat(VkaCodFte, VkaSchKey, &theAppInf.fti.lkiFte, &fmtCode, reinterpret_cast<Dat**>(out));
}

Fte* VkaSubDat::FteOfPath(const char* path)
{
    char ext[CmnPathSize] = {};
    if (!path || VkeSubGetFileExtention(Sub(), ext, path, sizeof(ext)) != VKE_OK) return nullptr;
    VkeSubToLowerStr(Sub(), ext);
    Fte* fte = nullptr;
    Fei* fei = nullptr;
    return SchFeiByKey(ext, &fte, &fei) == VKE_OK ? fte : nullptr;
}

int VkaSubDat::IsSupportedFile(const char* path) { return FteOfPath(path) ? 1 : 0; }

int VkaSubDat::IsFileOfType(const char* path, int type)
{
    Fte* fte = IsImgType(type) ? FteOfPath(path) : nullptr;
    return fte && fte->iFmtCod == type ? 1 : 0;
}

CString VkaSubDat::GetFmtDes(int type)
{
    Fte* fte = nullptr;
    if (!IsImgType(type) || SchFteByKey(type, &fte) != VKE_OK) return CString();
    return Text(fte->amDes);
}

CString VkaSubDat::GetFmtExt(int type)
{
    Fte* fte = nullptr;
    if (!IsImgType(type) || SchFteByKey(type, &fte) != VKE_OK || !fte->lkiFei.pHead) return CString();
    return Text(reinterpret_cast<Fei*>(fte->lkiFei.pHead)->amExt);
}
