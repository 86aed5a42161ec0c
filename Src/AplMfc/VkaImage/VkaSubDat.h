// The application's typed records (codes 0x1000001 to 0x1000008) and their family (the
// process-wide theVkaSubDat): the file-type list that tells which extensions are images and makes
// the file dialogs' filter, the cut-frame and print values every image page copies, an image
// page's whole state and one row of the open-information file. Texts are engine text buffers.
//
//   Poi* poi = nullptr;
//   theVkaSubDat.AllocDat(VkaCodPoi, reinterpret_cast<Dat**>(&poi));
//   ...
//   theVkaSubDat.FreeDat(VkaCodPoi, reinterpret_cast<Dat**>(&poi));
#pragma once
#include "CmnDat.h"
#include "CmnVar.h"
#include <stddef.h>

enum {
    VkaCodFei = 0x1000001,
    VkaCodFte = 0x1000002, // also the kind of its list of Fei
    VkaCodFti = 0x1000003, // also the kind of its list of Fte
    VkaCodFri = 0x1000004,
    VkaCodPri = 0x1000005,
    VkaCodPoi = 0x1000006,
    VkaCodIci = 0x1000007,
    VkaCodOpi = 0x1000008
};

// The key search of SchDat and DelDat: a Fei by its extension text (const char*), a Fte by its
// format code (int*, 1 to 5 or -3 to -1).
enum { VkaSchKey = 4097 };

// Format codes of a Fte besides the image types 1 to 5 (ImgTyp): the filter entries of every
// image, of icons and cursors, and of every file.
enum { VkaFmtAllImg = -2, VkaFmtIcon = -1, VkaFmtAllFil = -3 };

// One extension, in small letters, without its dot.
struct Fei {
    Lke lke;
    AppMem amExt;
};

// One file type: its extensions, its format code, its description and its extension list
// ("*.jpg;*.jpeg").
struct Fte {
    Lke lke;
    Lki lkiFei; // right after the header: the record family keeps it
    int iFmtCod;
    AppMem amDes;
    AppMem amExtLst;
};
static_assert(offsetof(Fte, lkiFei) == sizeof(Lke), "an element's list follows its header");

// The file-type list and the file dialogs' filter made from it.
struct Fti {
    Lki lkiFte;
    AppMem amFilter;
};

// The cut frame: mode 1 free, 2 fixed size, 3 fixed ratio.
struct Fri {
    int iMode;
    int bShwFrm;
    int bPagSet;
    int bClbMon;
    int bHrzSca;
    int iWidth;
    int iHeight;
};

// Printing: mode 1 to 6, header and footer with their font texts, orientation 1 to 4.
struct Pri {
    int iMode;
    int bOmtDlgPrt;
    int bHeader;
    AppMem amLogFontHdr;
    AppMem amHeader;
    int bFooter;
    AppMem amLogFontFtr;
    AppMem amFooter;
    int iOrientation;
};

// The operation panel's values.
struct Poi {
    Fri fri;
    Pri pri;
};

// An image page's whole state. The image and what its open said are the variable record; the
// printer set-up blocks are the page's own copies (global memory), freed with the record.
struct Ici {
    CmnVarPthImg pthImg;
    int iShwWidth; // the image at the current scale
    int iShwHeight;
    Poi poi;
    HGLOBAL hDevNames;
    HGLOBAL hDevMode;
    RECT rctMargin; // print margins, 0.01 mm
    RECT rctPrtImg; // where the image printed
    RECT rctFrm;    // the cut frame in image pixels
    int iModeSca;   // 1 explicit, 2 fit to the window, 3 fit only when larger
    int lScaNum;
    int lScaDen;
    int iPosX; // scroll position of the drawing area
    int iPosY;
    double dRotate;
    int bFlpTb;  // flipped top to bottom
    int bFlpLr;  // flipped left to right
    int bOrnSet; // the paper orientation is settled
    int bFrmSet; // a cut frame was placed
};

// One row of the open-information file, in its column order.
struct Opi {
    AppMem amPath;
    int bLock;
    double dRotate;
    int bFlpTb;
    int bFlpLr;
    int iFrmMode;
    int bShwFrm;
    int bPagSet;
    int bHrzSca;
    int iWidth;
    int iHeight;
    int iOrientation;
    RECT rctMargin; // left, top, right, bottom
    RECT rctFrm;
};

class VkaSubDat : public CmnDat {
public:
    VkaSubDat();

    // Removes the element that mode and key find and frees it; *out (when given) is null after.
    int DelDat(int code, int mode, Lki* list, void* key, Dat** out) override;
    int SchDat(int code, int mode, Lki* list, void* key, Dat** out) override;

    // The undo data of image pages (code 0x1000007 only): p and q point to record pointers.
    // 1 allocate *p, 2 free *p, 3 initialise *p, 4 terminate *p, 5 copy *q into *p, 6 *p a
    // duplicate of *q, 7 set *p from *q, 8 set out from *q; 0 nothing.
    int EditDat(int op, int code, Dat** p, Dat** q, Dat* out);

    // ---- The application's file-type list (theAppInf.fti) ----
    // Made from the image service's filter entries -2, 1 to 5, -1, -3 (those it has); the filter
    // text names each "description (list)|list|", closed by one more "|".
    int InitFti();
    int TermFti();
    // The first extension among the types 1 to 5 and -1, byte for byte; -12 (both null) when none.
    int SchFeiByKey(const char* ext, Fte** fte, Fei** fei);
    // The type at a position from 1.
    int SchFte(int position, Fte** out);
    int SchFteByKey(int fmtCode, Fte** out);
    // 1 when the path's extension, in small letters, is a known image extension; else 0.
    int IsSupportedFile(const char* path);
    // 1 when the extension is known and its type is type (1 to 5); else 0.
    int IsFileOfType(const char* path, int type);
    // The description, or the default extension, of an image type 1 to 5; empty when none.
    CString GetFmtDes(int type);
    CString GetFmtExt(int type);

protected:
    int InitRec(int code, Dat* p) override;
    int TermRec(int code, Dat* p) override;
    int CopyRec(int code, Dat* to, Dat* from) override;
    bool IsHeld(int code, const Dat* p) override;
    bool IsKeyMode(int code, int mode) override;
    bool Match(int code, int mode, void* key, Dat* p) override;

private:
    int AddFte(int fmtCode);
    // The Fte of the extension of path, or null.
    Fte* FteOfPath(const char* path);
};

extern VkaSubDat theVkaSubDat;
