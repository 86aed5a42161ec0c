// The variable records 0x10001 to 0x10003.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnVar"
#include "CmnVar.h"
#include "CmnDef.h"
#include "CmnImg.h"
#include "CmnSub.h"
#include <string.h>

namespace {

const CmnDatKind kKinds[] = {{CmnVarCodPthImg, sizeof(CmnVarPthImg), CmnDatPlain, 0},
                             {CmnVarCodItmIdl, sizeof(CmnVarItmIdl), CmnDatPlain, 0},
                             {CmnVarCodLscFii, sizeof(LscFii), CmnDatPlain, 0}};

// The numbers of the file list's settings that ending the record resets (the columns stay).
void ResetLscFii(LscFii* p)
{
    p->iModeLstViw = 1;
    p->iWidthTmnImg = 100;
    p->iHeightTmnImg = 100;
    p->iCntLstColTyp = 0;
    p->iIdxLstColTyp = 0;
    p->bAscent = 1;
}

int CopyPthImg(CmnVarPthImg* to, CmnVarPthImg* from)
{
    int rc = VkeSubCopyAppMem(theCmnAppInf.pSub, &to->amPath, &from->amPath);
    if (rc != VKE_OK) return rc;
    if (!from->hImg) {
        rc = to->hImg ? theCmnImg.CloseImage(&to->hImg) : VKE_OK;
    } else {
        // The copy replaces the target's image; a failed one leaves none.
        rc = theCmnImg.CopyDIB(&to->hImg, from->hImg);
        if (rc != VKE_OK) theCmnImg.CloseImage(&to->hImg);
    }
    if (rc != VKE_OK) return rc;
    to->iTypImg = from->iTypImg;
    to->iWidth = from->iWidth;
    to->iHeight = from->iHeight;
    to->iBitCnt = from->iBitCnt;
    to->fXRes = from->fXRes;
    to->fYRes = from->fYRes;
    to->bKnown = from->bKnown;
    return VKE_OK;
}

int CopyItmIdl(CmnVarItmIdl* to, CmnVarItmIdl* from)
{
    theCmnSub.FreeItemIdList(&to->pIdl);
    if (from->pIdl && !(to->pIdl = theCmnSub.DupItemIdList(from->pIdl))) return VKE_ERR_MEMORY;
    to->hItem = from->hItem;
    to->bRoot = from->bRoot;
    return VKE_OK;
}

int CopyLscFii(LscFii* to, LscFii* from)
{
    AppMem filter = to->amFilter;
    memcpy(to, from, sizeof(*to));
    to->amFilter = filter;
    return VkeSubCopyAppMem(theCmnAppInf.pSub, &to->amFilter, &from->amFilter);
}

} // namespace

CmnVar::CmnVar() : CmnDat(CMN_MODULE, kKinds, sizeof(kKinds) / sizeof(kKinds[0])) {}

bool CmnVar::IsHeld(int code, const Dat* p)
{
    switch (code) {
    case CmnVarCodPthImg: {
        const CmnVarPthImg* r = static_cast<const CmnVarPthImg*>(p);
        return r->hImg || r->amPath.pBuffer;
    }
    case CmnVarCodItmIdl:
        return static_cast<const CmnVarItmIdl*>(p)->pIdl != nullptr;
    default:
        return static_cast<const LscFii*>(p)->amFilter.pBuffer != nullptr;
    }
}

int CmnVar::InitRec(int code, Dat* p)
{
    VkiSub* sub = theCmnAppInf.pSub;
    switch (code) {
    case CmnVarCodPthImg:
        return VkeSubInitAppMem(sub, &static_cast<CmnVarPthImg*>(p)->amPath);
    case CmnVarCodItmIdl:
        return VKE_OK;
    default: {
        LscFii* r = static_cast<LscFii*>(p);
        ResetLscFii(r);
        return VkeSubInitAppMem(sub, &r->amFilter);
    }
    }
}

int CmnVar::TermRec(int code, Dat* p)
{
    VkiSub* sub = theCmnAppInf.pSub;
    switch (code) {
    case CmnVarCodPthImg: {
        CmnVarPthImg* r = static_cast<CmnVarPthImg*>(p);
        int rc = VkeSubTermAppMem(sub, &r->amPath);
        int closed = r->hImg ? theCmnImg.CloseImage(&r->hImg) : VKE_OK;
        AppMem path = r->amPath;
        memset(r, 0, sizeof(*r));
        r->amPath = path;
        return rc == VKE_OK ? closed : rc;
    }
    case CmnVarCodItmIdl: {
        CmnVarItmIdl* r = static_cast<CmnVarItmIdl*>(p);
        int rc = theCmnSub.FreeItemIdList(&r->pIdl);
        memset(r, 0, sizeof(*r));
        return rc;
    }
    default: {
        LscFii* r = static_cast<LscFii*>(p);
        ResetLscFii(r);
        return VkeSubTermAppMem(sub, &r->amFilter);
    }
    }
}

int CmnVar::CopyRec(int code, Dat* to, Dat* from)
{
    switch (code) {
    case CmnVarCodPthImg:
        return CopyPthImg(static_cast<CmnVarPthImg*>(to), static_cast<CmnVarPthImg*>(from));
    case CmnVarCodItmIdl:
        return CopyItmIdl(static_cast<CmnVarItmIdl*>(to), static_cast<CmnVarItmIdl*>(from));
    default:
        return CopyLscFii(static_cast<LscFii*>(to), static_cast<LscFii*>(from));
    }
}
