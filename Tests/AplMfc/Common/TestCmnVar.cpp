// The record family: the variable records and the image service's cache records and lists.
#include "TestAplCmn.h"

namespace {

// A record of a code, freed at the end.
template <typename T>
struct Rec {
    Rec(CmnDat& family, int code) : dat(family), kind(code) { EXPECT_EQ(dat.AllocDat(kind, Out()), 0); }
    // A duplicate of from.
    Rec(CmnDat& family, int code, Dat* from) : dat(family), kind(code) { EXPECT_EQ(dat.DupDat(kind, Out(), from), 0); }
    ~Rec() { dat.FreeDat(kind, Out()); }
    Dat** Out() { return reinterpret_cast<Dat**>(&p); }
    T* operator->() const { return p; }
    CmnDat& dat;
    int kind;
    T* p = nullptr;
};

HBITMAP MakeDib(int width, int height)
{
    HBITMAP b = nullptr;
    EXPECT_EQ(theCmnImg.CreateDIB(nullptr, width, height, 24, &b), 0);
    return b;
}

// The element's use count as the search key.
CmnImgElm* AddElm(Lki* list, int use)
{
    CmnImgElm* e = nullptr;
    EXPECT_EQ(theCmnImg.AllocDat(CmnImgCodElm, reinterpret_cast<Dat**>(&e)), 0);
    e->iCntUse = use;
    EXPECT_EQ(theCmnImg.AddDat(CmnImgCodElm, list, e), 0);
    return e;
}

} // namespace

TEST_F(ImgTest, FileListRecordDefaultsAndTermKeepsTheColumns)
{
    Rec<LscFii> r(theCmnVar, CmnVarCodLscFii);
    ASSERT_NE(r.p, nullptr);
    EXPECT_EQ(r->iModeLstViw, 1);
    EXPECT_EQ(r->iWidthTmnImg, 100);
    EXPECT_EQ(r->iHeightTmnImg, 100);
    EXPECT_EQ(r->bAscent, 1);
    EXPECT_EQ(r->iCntLstColTyp, 0);
    ASSERT_NE(r->amFilter.pBuffer, nullptr);
    EXPECT_EQ(r->amFilter.iLength, 0);
    for (int i = 0; i < CmnLstColCnt; ++i) EXPECT_EQ(r->iTypLstCol[i] + r->iWidthLstCol[i], 0);

    r->iModeLstViw = 3;
    r->iWidthTmnImg = 40;
    r->iCntLstColTyp = 5;
    r->iIdxLstColTyp = 2;
    r->bAscent = 0;
    r->iTypLstCol[4] = 6;
    r->iWidthLstCol[5] = 99;
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &r->amFilter, "*.png");
    Rec<LscFii> copy(theCmnVar, CmnVarCodLscFii);
    ASSERT_EQ(theCmnVar.CopyDat(CmnVarCodLscFii, copy.p, r.p), 0);
    EXPECT_EQ(copy->iWidthLstCol[5], 99);
    EXPECT_STREQ(copy->amFilter.pBuffer, "*.png");
    EXPECT_NE(copy->amFilter.pBuffer, r->amFilter.pBuffer);

    ASSERT_EQ(theCmnVar.TermDat(CmnVarCodLscFii, r.p), 0);
    EXPECT_EQ(r->iModeLstViw, 1);
    EXPECT_EQ(r->iWidthTmnImg, 100);
    EXPECT_EQ(r->iCntLstColTyp + r->iIdxLstColTyp, 0);
    EXPECT_EQ(r->bAscent, 1);
    EXPECT_EQ(r->amFilter.pBuffer, nullptr);
    EXPECT_EQ(r->iTypLstCol[4], 6);
    EXPECT_EQ(r->iWidthLstCol[5], 99);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(ImgTest, RecordsRefuseWhatIsSetAndWhatIsNone)
{
    struct Family {
        CmnDat& dat;
        int code;
    } families[] = {{theCmnVar, CmnVarCodPthImg}, {theCmnVar, CmnVarCodItmIdl}, {theCmnVar, CmnVarCodLscFii},
                    {theCmnImg, CmnImgCodElm},    {theCmnImg, CmnImgCodLst}};
    for (const Family& f : families) {
        SCOPED_TRACE(f.code);
        Dat* p = nullptr;
        ASSERT_EQ(f.dat.AllocDat(f.code, &p), 0);
        Dat* again = p;
        EXPECT_EQ(f.dat.AllocDat(f.code, &again), -7);
        EXPECT_EQ(again, p);
        Dat* dup = p;
        EXPECT_EQ(f.dat.DupDat(f.code, &dup, p), -7);
        Dat* none = nullptr;
        EXPECT_EQ(f.dat.AllocDat(0x7777, &none), -9);
        EXPECT_EQ(none, nullptr);
        EXPECT_EQ(f.dat.AllocDat(f.code, nullptr), -9);
        EXPECT_EQ(f.dat.InitDat(f.code, nullptr), -9);
        EXPECT_EQ(f.dat.TermDat(f.code, nullptr), -9);
        EXPECT_EQ(f.dat.CopyDat(f.code, p, nullptr), -9);
        EXPECT_EQ(f.dat.SetDat(f.code, nullptr, p), -9);
        EXPECT_EQ(f.dat.DupDat(f.code, &none, nullptr), -9);
        EXPECT_EQ(f.dat.FreeDat(f.code, nullptr), -9);
        EXPECT_EQ(f.dat.FreeDat(f.code, &none), 0) << "a null record is freed without fuss";
        ASSERT_EQ(f.dat.DupDat(f.code, &none, p), 0);
        EXPECT_EQ(f.dat.FreeDat(f.code, &none), 0);
        EXPECT_EQ(f.dat.FreeDat(f.code, &p), 0);
        EXPECT_EQ(p, nullptr);
    }
    EXPECT_EQ(Traced(), 5u * 10);

    // A record that still holds what it owns is not initialised over.
    CmnVarPthImg img = {};
    ASSERT_EQ(theCmnVar.InitDat(CmnVarCodPthImg, &img), 0);
    EXPECT_EQ(theCmnVar.InitDat(CmnVarCodPthImg, &img), -7) << "its path buffer";
    img.hImg = MakeDib(2, 2);
    ASSERT_EQ(theCmnVar.TermDat(CmnVarCodPthImg, &img), 0);
    EXPECT_EQ(img.hImg, nullptr);
    CmnVarItmIdl item = {};
    item.pIdl = theCmnSub.GetItemIdList(Sys("").c_str());
    ASSERT_NE(item.pIdl, nullptr);
    EXPECT_EQ(theCmnVar.InitDat(CmnVarCodItmIdl, &item), -7);
    EXPECT_EQ(theCmnVar.TermDat(CmnVarCodItmIdl, &item), 0);
    EXPECT_EQ(item.pIdl, nullptr);
    // CmnVar keeps no lists.
    Lki list = {};
    Dat* found = nullptr;
    EXPECT_EQ(theCmnVar.SchDat(CmnVarCodPthImg, 1, &list, &found, &found), -9);
}

TEST_F(ImgTest, CopiesOfThePathImageRecordHaveTheirOwnImage)
{
    const DWORD gdi = VktGdiObjects();
    {
        Rec<CmnVarPthImg> a(theCmnVar, CmnVarCodPthImg), b(theCmnVar, CmnVarCodPthImg);
        VkeSubSetAppMemStr(theCmnAppInf.pSub, &a->amPath, "C:\\表\\a.png");
        a->hImg = MakeDib(5, 3);
        a->iTypImg = 5;
        a->iWidth = 5;
        a->iHeight = 3;
        a->iBitCnt = 24;
        a->fXRes = 72.5f;
        a->fYRes = 96;
        a->bKnown = 1;
        ASSERT_EQ(theCmnVar.CopyDat(CmnVarCodPthImg, b.p, a.p), 0);
        EXPECT_STREQ(b->amPath.pBuffer, "C:\\表\\a.png");
        ASSERT_NE(b->hImg, nullptr);
        EXPECT_NE(b->hImg, a->hImg);
        int w = 0, h = 0, bits = 0;
        EXPECT_EQ(theCmnImg.GetImageInf(b->hImg, &w, &h, &bits), 0);
        EXPECT_EQ(w * 100 + h, 503);
        EXPECT_EQ(b->fXRes, 72.5f);
        EXPECT_EQ(b->bKnown, 1);
        // Copying again replaces the target's image; a source without one leaves the target none.
        Rec<CmnVarPthImg> dup(theCmnVar, CmnVarCodPthImg, b.p);
        HBITMAP old = b->hImg;
        Rec<CmnVarPthImg> empty(theCmnVar, CmnVarCodPthImg);
        ASSERT_EQ(theCmnVar.SetDat(CmnVarCodPthImg, b.p, empty.p), 0);
        EXPECT_EQ(b->hImg, nullptr);
        EXPECT_EQ(GetObjectType(old), 0u) << "the target's image was closed";
        EXPECT_NE(dup->hImg, nullptr);
    }
    EXPECT_EQ(VktGdiObjects(), gdi);

    Rec<CmnVarItmIdl> x(theCmnVar, CmnVarCodItmIdl), y(theCmnVar, CmnVarCodItmIdl);
    x->pIdl = theCmnSub.GetItemIdList(Sys("").c_str());
    x->bRoot = 1;
    x->hItem = reinterpret_cast<HTREEITEM>(42);
    ASSERT_EQ(theCmnVar.CopyDat(CmnVarCodItmIdl, y.p, x.p), 0);
    EXPECT_NE(y->pIdl, x->pIdl);
    EXPECT_EQ(theCmnSub.CmpItemIdList(y->pIdl, x->pIdl), 0);
    EXPECT_EQ(y->bRoot, 1);
    EXPECT_EQ(y->hItem, x->hItem);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(ImgTest, ListSearchesGoRoundFromTheCursor)
{
    Rec<Lki> list(theCmnImg, CmnImgCodLst);
    EXPECT_EQ(list->iKind, CmnImgCodLst);
    EXPECT_EQ(list->iElmSize, int(sizeof(CmnImgElm)));
    CmnImgElm* e[4];
    const int uses[] = {0, 1, 0, 0};
    for (int i = 0; i < 4; ++i) e[i] = AddElm(list.p, uses[i]);
    Dat* found = nullptr;
    int zero = 0, two = 2;
    // Repeated searches visit the matches in turn and come round again.
    for (CmnImgElm* expected : {e[0], e[2], e[3], e[0], e[2]}) {
        ASSERT_EQ(theCmnImg.SchDat(CmnImgCodElm, CmnImgSchUse, list.p, &zero, &found), 0);
        EXPECT_EQ(found, expected);
    }
    EXPECT_EQ(theCmnImg.SchDat(CmnImgCodElm, CmnImgSchUse, list.p, &two, &found), -12);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(Traced(), 0u) << "nothing found is no failure";
    EXPECT_EQ(theCmnImg.SchDat(CmnImgCodElm, 0x1002, list.p, &zero, &found), -9);
    int third = 3;
    ASSERT_EQ(theCmnImg.SchDat(CmnImgCodElm, VKE_LKE_BY_NO, list.p, &third, &found), 0);
    EXPECT_EQ(found, e[2]);

    // Insertion after the element a key finds; removal by a key; a list copied in order.
    CmnImgElm* extra = nullptr;
    ASSERT_EQ(theCmnImg.AllocDat(CmnImgCodElm, reinterpret_cast<Dat**>(&extra)), 0);
    extra->iCntUse = 7;
    int one = 1;
    ASSERT_EQ(theCmnImg.InsDat(CmnImgCodElm, CmnImgSchUse, list.p, &one, extra), 0);
    EXPECT_EQ(extra->lke.pPrv, &e[1]->lke);
    Rec<Lki> copy(theCmnImg, CmnImgCodLst, list.p);
    ASSERT_EQ(copy->iCnt, 5);
    int order = 0;
    for (Lke* l = copy->pHead; l; l = l->pNxt) order = order * 10 + reinterpret_cast<CmnImgElm*>(l)->iCntUse;
    EXPECT_EQ(order, 1700);
    int seven = 7;
    ASSERT_EQ(theCmnImg.DelDat(CmnImgCodElm, CmnImgSchUse, list.p, &seven, &found), 0);
    EXPECT_EQ(found, extra);
    EXPECT_EQ(list->iCnt, 4);
    EXPECT_EQ(theCmnImg.DelDat(CmnImgCodElm, CmnImgSchUse, list.p, &seven, &found), -12);
    EXPECT_EQ(found, nullptr);
    theCmnImg.FreeDat(CmnImgCodElm, reinterpret_cast<Dat**>(&extra));
    // An element of another family's list, or a list of the wrong code, is refused.
    Rec<LscFii> other(theCmnVar, CmnVarCodLscFii);
    EXPECT_EQ(theCmnImg.SchDat(CmnImgCodLst, CmnImgSchUse, list.p, &zero, &found), -9);
    EXPECT_EQ(theCmnImg.AddDat(CmnImgCodElm, list.p, other.p), -9);
    Lki foreign = *list.p;
    foreign.iKind = 0x30002;
    EXPECT_EQ(theCmnImg.SchDat(CmnImgCodElm, CmnImgSchUse, &foreign, &zero, &found), -9);
}
