// The framework's variable records (the process-wide theCmnVar): the path-and-image record, the
// item-id-list record and the file list's settings record, kept through the record family
// (CmnDat.h). Failures are traced under this module's name.
//
//   CmnVarItmIdl* sel = nullptr;
//   theCmnVar.AllocDat(CmnVarCodItmIdl, reinterpret_cast<Dat**>(&sel));
//   ...
//   theCmnVar.FreeDat(CmnVarCodItmIdl, reinterpret_cast<Dat**>(&sel));
#pragma once
#include "CmnDat.h"
#include <shlobj.h>

enum {
    CmnVarCodPthImg = 0x10001,
    CmnVarCodItmIdl = 0x10002,
    CmnVarCodLscFii = 0x10003 // LscFii (CmnAppInf.h)
};

// An image with its path and what its open said. The record owns the image: ending it closes
// the image through the image service.
struct CmnVarPthImg {
    AppMem amPath;  // the image's full path
    HBITMAP hImg;   // null when none
    int iTypImg;    // ImgTyp of the open
    int iWidth;     // from the image's information
    int iHeight;
    int iBitCnt;
    float fXRes;    // dots per inch, as the open gave them
    float fYRes;
    int bKnown;     // the open knew the type
};

// A shell item: the sending control's item and the item's absolute item-id list, which the
// record owns (shell allocator).
struct CmnVarItmIdl {
    HTREEITEM hItem; // null from the file list
    LPITEMIDLIST pIdl;
    int bRoot;       // 1 for the tree's root
};

class CmnVar : public CmnDat {
public:
    CmnVar();

protected:
    int InitRec(int code, Dat* p) override;
    int TermRec(int code, Dat* p) override;
    int CopyRec(int code, Dat* to, Dat* from) override;
    bool IsHeld(int code, const Dat* p) override;
};

extern CmnVar theCmnVar;
