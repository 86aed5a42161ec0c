// The engine's typed records 355-357: life cycle, copies, duplicates and list operations.
#include "EudWnd.h"
#include "VkiSub.h" // the utility object's record of the last trace
#include <memory>

namespace {

class Records : public VktSubFixture {
protected:
    void SetUp() override
    {
        VktSubFixture::SetUp();
        wnd.reset(new EudWnd(sub));
        hwnd = wnd->Wnd();
    }
    void TearDown() override
    {
        EXPECT_EQ(wnd->State().live, 0); // every snapshot made was freed
        wnd.reset();
        VktSubFixture::TearDown();
    }

    template <class T>
    T* Alloc(int kind)
    {
        Dat* p = nullptr;
        EXPECT_EQ(VkeSubAllocDat(sub, hwnd, kind, &p), 0);
        return static_cast<T*>(p);
    }
    template <class T>
    void Free(int kind, T*& p)
    {
        Dat* d = p;
        EXPECT_EQ(VkeSubFreeDat(sub, hwnd, kind, &d), 0);
        EXPECT_EQ(d, nullptr);
        p = nullptr;
    }

    // An entry holding a snapshot of text.
    Eue* Snapped(const char* text, int stepValue = 5, int kind = 0x1234)
    {
        Eue* e = Alloc<Eue>(VKE_DAT_EUE);
        wnd->SetText(text);
        EXPECT_EQ(VkeSubSetEue(sub, hwnd, e, stepValue, kind, wnd->Data()), 0);
        return e;
    }


    std::unique_ptr<EudWnd> wnd;
    HWND hwnd = nullptr;
};

} // namespace

TEST_F(Records, AllocatedRecordsAreInitialised)
{
    Eue* e = Alloc<Eue>(VKE_DAT_EUE);
    EXPECT_EQ(e->lke.iKind, VKE_DAT_EUE);
    EXPECT_EQ(e->iKind, VKE_DAT_NONE);
    EXPECT_EQ(e->iStepValue, 0);
    EXPECT_EQ(e->pData, nullptr);

    Eud* d = Alloc<Eud>(VKE_DAT_EUD);
    EXPECT_EQ(d->lke.iKind, VKE_DAT_EUD);
    EXPECT_EQ(d->lkiEue.iKind, VKE_DAT_EUD);
    EXPECT_EQ(d->lkiEue.iElmSize, static_cast<int>(sizeof(Eue)));
    EXPECT_EQ(d->lkiEue.iCnt, 0);
    EXPECT_EQ(d->iStepCode, 0);

    Eui* u = Alloc<Eui>(VKE_DAT_EUI);
    EXPECT_EQ(u->lkiEud.iKind, VKE_DAT_EUI);
    EXPECT_EQ(u->lkiEud.iElmSize, static_cast<int>(sizeof(Eud)));
    EXPECT_EQ(u->iFlag, 0);
    EXPECT_EQ(u->pEudCur, nullptr);

    Free(VKE_DAT_EUE, e);
    Free(VKE_DAT_EUD, d);
    Free(VKE_DAT_EUI, u);
}

TEST_F(Records, AllocRefusals)
{
    Dat* p = nullptr;
    EXPECT_EQ(VkeSubAllocDat(sub, hwnd, 354, &p), -9);
    EXPECT_EQ(VkeSubAllocDat(sub, hwnd, 358, &p), -9);
    EXPECT_EQ(VkeSubAllocDat(sub, nullptr, VKE_DAT_EUE, &p), -9);
    EXPECT_EQ(VkeSubAllocDat(sub, reinterpret_cast<HWND>(0x12345), VKE_DAT_EUE, &p), -9);
    EXPECT_EQ(VkeSubAllocDat(sub, hwnd, VKE_DAT_EUE, nullptr), -9);
    EXPECT_EQ(p, nullptr);
    Eue held = {};
    p = &held;
    EXPECT_EQ(VkeSubAllocDat(sub, hwnd, VKE_DAT_EUE, &p), -7);
    EXPECT_EQ(p, &held);
    EXPECT_EQ(VkeSubAllocDat(nullptr, hwnd, VKE_DAT_EUE, &p), -9);
}

TEST_F(Records, WrongRecordCodesAreRefused)
{
    Eue* e = Alloc<Eue>(VKE_DAT_EUE);
    Eud* d = Alloc<Eud>(VKE_DAT_EUD);
    Dat* asStep = e;
    EXPECT_EQ(VkeSubFreeDat(sub, hwnd, VKE_DAT_EUD, &asStep), -9);
    EXPECT_EQ(asStep, e);
    EXPECT_EQ(VkeSubTermDat(sub, hwnd, VKE_DAT_EUI, e), -9);
    EXPECT_EQ(VkeSubCopyDat(sub, hwnd, VKE_DAT_EUE, e, d), -9);
    Dat* out = nullptr;
    EXPECT_EQ(VkeSubDupDat(sub, hwnd, VKE_DAT_EUD, &out, e), -9);
    // An entry goes only on a step's list, a step only on an undo information list.
    Eui* u = Alloc<Eui>(VKE_DAT_EUI);
    EXPECT_EQ(VkeSubAddDat(sub, VKE_DAT_EUE, &u->lkiEud, e), -9);
    EXPECT_EQ(VkeSubAddDat(sub, VKE_DAT_EUD, &d->lkiEue, d), -9);
    EXPECT_EQ(VkeSubAddDat(sub, VKE_DAT_EUD, &u->lkiEud, e), -9); // the record is no step
    EXPECT_EQ(VkeSubAddDat(sub, VKE_DAT_EUI, &u->lkiEud, u), -9);
    int one = 1;
    Dat* found = nullptr;
    EXPECT_EQ(VkeSubSchDat(sub, VKE_DAT_EUE, VKE_LKE_BY_NO, &u->lkiEud, &one, &found), -9);
    EXPECT_EQ(VkeSubFreeDat(sub, hwnd, 1, &out), -9);
    Free(VKE_DAT_EUE, e);
    Free(VKE_DAT_EUD, d);
    Free(VKE_DAT_EUI, u);
}

TEST_F(Records, ListOperationsOnEntriesAndSteps)
{
    Eud* step = Alloc<Eud>(VKE_DAT_EUD);
    Eue* a = Alloc<Eue>(VKE_DAT_EUE);
    Eue* b = Alloc<Eue>(VKE_DAT_EUE);
    Eue* c = Alloc<Eue>(VKE_DAT_EUE);
    a->iStepValue = 1;
    b->iStepValue = 2;
    c->iStepValue = 3;
    ASSERT_EQ(VkeSubAddDat(sub, VKE_DAT_EUE, &step->lkiEue, a), 0);
    ASSERT_EQ(VkeSubAddDat(sub, VKE_DAT_EUE, &step->lkiEue, c), 0);
    ASSERT_EQ(VkeSubInsDat(sub, VKE_DAT_EUE, VKE_LKE_BY_ELM, &step->lkiEue, a, b), 0);
    EXPECT_EQ(step->lkiEue.iCnt, 3);
    EXPECT_EQ(step->lkiEue.pTail, &c->lke);

    Dat* found = nullptr;
    int two = 2;
    ASSERT_EQ(VkeSubSchDat(sub, VKE_DAT_EUE, VKE_LKE_BY_NO, &step->lkiEue, &two, &found), 0);
    EXPECT_EQ(found, b);
    int four = 4;
    int before = Traced();
    EXPECT_EQ(VkeSubSchDat(sub, VKE_DAT_EUE, VKE_LKE_BY_NO, &step->lkiEue, &four, &found), -12);
    EXPECT_EQ(Traced(), before);

    Dat* removed = nullptr;
    ASSERT_EQ(VkeSubDelDat(sub, VKE_DAT_EUE, VKE_LKE_BY_ELM, &step->lkiEue, b, &removed), 0);
    EXPECT_EQ(removed, b);
    // An entry still on the step is not freed on its own.
    Dat* onList = a;
    EXPECT_EQ(VkeSubFreeDat(sub, hwnd, VKE_DAT_EUE, &onList), -9);
    EXPECT_EQ(onList, a);
    Free(VKE_DAT_EUE, b);

    // A step goes on an undo information list; freeing the list frees its entries.
    Eui* u = Alloc<Eui>(VKE_DAT_EUI);
    ASSERT_EQ(VkeSubAddDat(sub, VKE_DAT_EUD, &u->lkiEud, step), 0);
    EXPECT_EQ(u->lkiEud.iCnt, 1);
    Free(VKE_DAT_EUI, u);
}

TEST_F(Records, EndingAnEntryFreesItsSnapshot)
{
    Eue* e = Snapped("表示");
    EXPECT_EQ(wnd->State().live, 1);
    EXPECT_EQ(e->iKind, 0x1234);
    EXPECT_EQ(e->iStepValue, 5);
    EXPECT_EQ(SnapText(sub, e->pData), "表示");

    wnd->State().kinds.clear();
    ASSERT_EQ(VkeSubTermDat(sub, hwnd, VKE_DAT_EUE, e), 0);
    EXPECT_EQ(wnd->State().seen[VKE_EUD_FREE], 1);
    EXPECT_EQ(wnd->State().kinds, std::vector<int>{0x1234}); // freed under its kind
    EXPECT_EQ(wnd->State().live, 0);
    EXPECT_EQ(e->pData, nullptr);
    EXPECT_EQ(e->iKind, VKE_DAT_NONE);
    EXPECT_EQ(e->iStepValue, 0);
    // Nothing left to free: the window is not asked again.
    ASSERT_EQ(VkeSubTermDat(sub, hwnd, VKE_DAT_EUE, e), 0);
    EXPECT_EQ(wnd->State().seen[VKE_EUD_FREE], 1);
    Free(VKE_DAT_EUE, e);
}

TEST_F(Records, AWindowThatDoesNotFreeStillGetsTheEntryReset)
{
    EudWndState& st = wnd->State();
    Eue* e = Snapped("ソ");
    AppMem* kept = static_cast<AppMem*>(e->pData);
    st.handled = 0;
    EXPECT_EQ(VkeSubTermDat(sub, hwnd, VKE_DAT_EUE, e), -1);
    EXPECT_EQ(e->pData, nullptr);
    EXPECT_EQ(e->iKind, VKE_DAT_NONE);
    Free(VKE_DAT_EUE, e);
    // What the window did not free stays its own.
    EXPECT_EQ(VkeSubFreeAppMem(sub, &kept), 0);
    --st.live;
    st.Normal();

    // A result written by the window is passed back; the record itself is still freed.
    e = Snapped("能");
    kept = static_cast<AppMem*>(e->pData);
    st.refuse = VKE_EUD_FREE;
    st.refuseCode = -10;
    Dat* d = e;
    EXPECT_EQ(VkeSubFreeDat(sub, hwnd, VKE_DAT_EUE, &d), -10);
    EXPECT_EQ(d, nullptr);
    EXPECT_EQ(VkeSubFreeAppMem(sub, &kept), 0);
    --st.live;
    st.Normal();
}

TEST_F(Records, InitRefusesRecordsThatStillHoldSomething)
{
    Eue* e = Snapped("a");
    EXPECT_EQ(VkeSubInitDat(sub, hwnd, VKE_DAT_EUE, e), -7);
    EXPECT_EQ(SnapText(sub, e->pData), "a");

    Eud* d = Alloc<Eud>(VKE_DAT_EUD);
    Eue* inStep = Alloc<Eue>(VKE_DAT_EUE);
    ASSERT_EQ(VkeSubAddDat(sub, VKE_DAT_EUE, &d->lkiEue, inStep), 0);
    EXPECT_EQ(VkeSubInitDat(sub, hwnd, VKE_DAT_EUD, d), -7);
    EXPECT_EQ(d->lkiEue.iCnt, 1);

    Eui* u = nullptr;
    ASSERT_EQ(VkeSubInitEui(sub, hwnd, &u), 0);
    EXPECT_EQ(VkeSubInitDat(sub, hwnd, VKE_DAT_EUI, u), -7);

    // A record of the caller's own, zero-filled, is initialised.
    Eud own = {};
    ASSERT_EQ(VkeSubInitDat(sub, hwnd, VKE_DAT_EUD, &own), 0);
    EXPECT_EQ(own.lke.iKind, VKE_DAT_EUD);
    EXPECT_EQ(own.lkiEue.iElmSize, static_cast<int>(sizeof(Eue)));

    Free(VKE_DAT_EUE, e);
    Free(VKE_DAT_EUD, d);
    EXPECT_EQ(VkeSubTermEui(sub, hwnd, &u), 0);
}

TEST_F(Records, CopyTakesThePlainFieldsOnly)
{
    Eue* src = Snapped("x", 8, 0x77);
    Eue* dst = Alloc<Eue>(VKE_DAT_EUE);
    ASSERT_EQ(VkeSubCopyDat(sub, hwnd, VKE_DAT_EUE, dst, src), 0);
    EXPECT_EQ(dst->iStepValue, 8);
    EXPECT_EQ(dst->iKind, 0x77);
    EXPECT_EQ(dst->pData, nullptr);

    Eud* s1 = Alloc<Eud>(VKE_DAT_EUD);
    Eud* s2 = Alloc<Eud>(VKE_DAT_EUD);
    s1->iStepCode = 14;
    ASSERT_EQ(VkeSubCopyDat(sub, hwnd, VKE_DAT_EUD, s2, s1), 0);
    EXPECT_EQ(s2->iStepCode, 14);

    Eui* u1 = Alloc<Eui>(VKE_DAT_EUI);
    Eui* u2 = Alloc<Eui>(VKE_DAT_EUI);
    u1->iFlag = 1;
    ASSERT_EQ(VkeSubCopyDat(sub, hwnd, VKE_DAT_EUI, u2, u1), 0);
    EXPECT_EQ(u2->iFlag, 1);
    EXPECT_EQ(VkeSubCopyDat(sub, hwnd, VKE_DAT_EUI, u2, nullptr), -9);

    Free(VKE_DAT_EUE, src);
    Free(VKE_DAT_EUE, dst);
    Free(VKE_DAT_EUD, s1);
    Free(VKE_DAT_EUD, s2);
    Free(VKE_DAT_EUI, u1);
    Free(VKE_DAT_EUI, u2);
}

TEST_F(Records, DuplicateEntriesAskTheWindowForACopy)
{
    Eue* src = Snapped("ポ", 3, 0x1000007);
    Dat* out = nullptr;
    ASSERT_EQ(VkeSubDupDat(sub, hwnd, VKE_DAT_EUE, &out, src), 0);
    Eue* copy = static_cast<Eue*>(out);
    EXPECT_EQ(copy->iStepValue, 3);
    EXPECT_EQ(copy->iKind, 0x1000007);
    ASSERT_NE(copy->pData, nullptr);
    EXPECT_NE(copy->pData, src->pData);
    AppMem* a = static_cast<AppMem*>(src->pData);
    AppMem* b = static_cast<AppMem*>(copy->pData);
    EXPECT_NE(a->pBuffer, b->pBuffer); // a deep copy of the text
    EXPECT_EQ(SnapText(sub, b), "ポ");
    EXPECT_EQ(wnd->State().live, 2);
    EXPECT_EQ(VkeSubDupDat(sub, hwnd, VKE_DAT_EUE, &out, src), -7);

    // An entry without a snapshot is copied without asking.
    Eue* bare = Alloc<Eue>(VKE_DAT_EUE);
    int asked = wnd->State().seen[VKE_EUD_MAKE];
    Dat* bareCopy = nullptr;
    ASSERT_EQ(VkeSubDupDat(sub, hwnd, VKE_DAT_EUE, &bareCopy, bare), 0);
    EXPECT_EQ(wnd->State().seen[VKE_EUD_MAKE], asked);
    EXPECT_EQ(VkeSubFreeDat(sub, hwnd, VKE_DAT_EUE, &bareCopy), 0);

    Free(VKE_DAT_EUE, bare);
    Free(VKE_DAT_EUE, src);
    Free(VKE_DAT_EUE, copy);
}

TEST_F(Records, AFailedDuplicateLeavesNothingBehind)
{
    Eue* src = Snapped("a");
    Dat* out = nullptr;
    struct Case {
        const char* what;
        int handled, refuseCode, nullCopy, expect;
    };
    const Case cases[] = {
        {"not handled", 0, 0, 0, -1},
        {"refused", 1, -8, 0, -8},
        {"no copy", 1, 0, 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EudWndState& st = wnd->State();
        st.handled = c.handled;
        st.refuse = c.refuseCode ? VKE_EUD_MAKE : 0;
        st.refuseCode = c.refuseCode;
        st.nullCopy = c.nullCopy;
        int before = Traced();
        EXPECT_EQ(VkeSubDupDat(sub, hwnd, VKE_DAT_EUE, &out, src), c.expect);
        EXPECT_EQ(out, nullptr);
        EXPECT_EQ(st.live, 1);
        EXPECT_EQ(Traced(), before + 1);
    }
    wnd->State().Normal();
    Free(VKE_DAT_EUE, src);
}

TEST_F(Records, DuplicateStepsAndUndoInformationDeeply)
{
    Eui* u = nullptr;
    ASSERT_EQ(VkeSubInitEui(sub, hwnd, &u), 0);
    const char* texts[] = {"one", "表", "three"};
    for (const char* t : texts) {
        wnd->SetText(t);
        ASSERT_EQ(VkeSubSetEud(sub, hwnd, u, 14, 14, 354, wnd->Data(), 0), 0);
    }
    wnd->SetText("now");
    ASSERT_EQ(VkeSubEditUnd(sub, hwnd, u, 14, 354, wnd->Data(), 0), 0); // current: the third step
    ASSERT_EQ(wnd->Text(), "three");
    EXPECT_EQ(wnd->State().live, 4);

    Dat* out = nullptr;
    ASSERT_EQ(VkeSubDupDat(sub, hwnd, VKE_DAT_EUI, &out, u), 0);
    Eui* copy = static_cast<Eui*>(out);
    EXPECT_EQ(wnd->State().live, 8);
    ASSERT_EQ(copy->lkiEud.iCnt, u->lkiEud.iCnt);
    EXPECT_EQ(copy->iFlag, u->iFlag);
    // Step by step: the same codes and texts in new records and new snapshot blocks.
    Lke* a = u->lkiEud.pHead;
    Lke* b = copy->lkiEud.pHead;
    int curIndex = -1, copyCurIndex = -2;
    for (int i = 0; a && b; ++i, a = a->pNxt, b = b->pNxt) {
        Eud* sa = reinterpret_cast<Eud*>(a);
        Eud* sb = reinterpret_cast<Eud*>(b);
        EXPECT_NE(sa, sb);
        EXPECT_EQ(sa->iStepCode, sb->iStepCode);
        ASSERT_EQ(sa->lkiEue.iCnt, sb->lkiEue.iCnt);
        Eue* ea = reinterpret_cast<Eue*>(sa->lkiEue.pTail);
        Eue* eb = reinterpret_cast<Eue*>(sb->lkiEue.pTail);
        EXPECT_EQ(SnapText(sub, ea->pData), SnapText(sub, eb->pData));
        ASSERT_NE(ea->pData, nullptr);
        EXPECT_NE(static_cast<AppMem*>(ea->pData)->pBuffer, static_cast<AppMem*>(eb->pData)->pBuffer);
        if (sa == u->pEudCur) curIndex = i;
        if (sb == copy->pEudCur) copyCurIndex = i;
    }
    EXPECT_EQ(curIndex, copyCurIndex); // the copy's current step is the copy of the current step

    // The copy works on its own: undo through it while the original is ended.
    EXPECT_EQ(VkeSubTermEui(sub, hwnd, &u), 0);
    EXPECT_EQ(u, nullptr);
    EXPECT_EQ(wnd->State().live, 4);
    ASSERT_EQ(VkeSubEditUnd(sub, hwnd, copy, 14, 354, wnd->Data(), 0), 0);
    EXPECT_EQ(wnd->Text(), "表");
    ASSERT_EQ(VkeSubEditRdo(sub, hwnd, copy), 0);
    ASSERT_EQ(VkeSubEditRdo(sub, hwnd, copy), 0);
    EXPECT_EQ(wnd->Text(), "now");
    EXPECT_EQ(VkeSubTermEui(sub, hwnd, &copy), 0);
}

TEST_F(Records, AFailedDeepDuplicateFreesThePartialCopy)
{
    Eui* u = nullptr;
    ASSERT_EQ(VkeSubInitEui(sub, hwnd, &u), 0);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(VkeSubSetEud(sub, hwnd, u, 1, 1, 354, wnd->Data(), 0), 0);
    ASSERT_EQ(wnd->State().live, 3);
    // The second copy is refused: the first is freed again.
    int made = 0;
    wnd->State().inside = [&](EudReq* req) {
        if (req->iRequest == VKE_EUD_MAKE && ++made == 2) {
            wnd->State().refuse = VKE_EUD_MAKE;
            wnd->State().refuseCode = -8;
        }
    };
    Dat* out = nullptr;
    EXPECT_EQ(VkeSubDupDat(sub, hwnd, VKE_DAT_EUI, &out, u), -8);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(made, 2);
    wnd->State().Normal();
    EXPECT_EQ(wnd->State().live, 3);
    EXPECT_EQ(VkeSubTermEui(sub, hwnd, &u), 0);
}

TEST_F(Records, NestedCallsOnTheSameRecordAreRefused)
{
    Eue* src = Snapped("a");
    // Inside the copy request the window asks for the same duplicate again.
    Dat* out = nullptr;
    int nested = 0;
    wnd->State().inside = [&](EudReq* req) {
        if (req->iRequest == VKE_EUD_MAKE) nested = VkeSubDupDat(sub, hwnd, VKE_DAT_EUE, &out, src);
    };
    ASSERT_EQ(VkeSubDupDat(sub, hwnd, VKE_DAT_EUE, &out, src), 0);
    EXPECT_EQ(nested, -7);
    EXPECT_EQ(wnd->State().live, 2);
    wnd->State().Normal();
    Free(VKE_DAT_EUE, out);

    // Inside the free request the window ends or frees the same entry again: refused, so the
    // entry is freed once.
    int endAgain = 0, freeAgain = 0;
    Eue* e = Snapped("b");
    wnd->State().inside = [&](EudReq* req) {
        if (req->iRequest != VKE_EUD_FREE) return;
        endAgain = VkeSubTermDat(sub, hwnd, VKE_DAT_EUE, e);
        Dat* again = e;
        freeAgain = VkeSubFreeDat(sub, hwnd, VKE_DAT_EUE, &again);
    };
    Dat* d = e;
    EXPECT_EQ(VkeSubFreeDat(sub, hwnd, VKE_DAT_EUE, &d), 0);
    EXPECT_EQ(d, nullptr);
    EXPECT_EQ(endAgain, -7);
    EXPECT_EQ(freeAgain, -7);
    wnd->State().Normal();
    Free(VKE_DAT_EUE, src);
}

TEST(RecordsUninitialised, NeedAnInitialisedObjectExceptFreeAndTerm)
{
    VkiSub* sub = nullptr;
    ASSERT_EQ(VkeSubAlloc(&sub), 0);
    EudWnd wnd(sub);
    Dat* p = nullptr;
    EXPECT_EQ(VkeSubAllocDat(sub, wnd.Wnd(), VKE_DAT_EUE, &p), -6);
    Eue own = {};
    EXPECT_EQ(VkeSubInitDat(sub, wnd.Wnd(), VKE_DAT_EUE, &own), -6);
    own.lke.iKind = VKE_DAT_EUE;
    EXPECT_EQ(VkeSubTermDat(sub, wnd.Wnd(), VKE_DAT_EUE, &own), 0);
    EXPECT_EQ(VkeSubFreeDat(sub, wnd.Wnd(), VKE_DAT_EUE, &p), 0);
    VkeSubFree(&sub);
}
