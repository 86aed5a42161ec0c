// Edit undo and redo through a real edit window that makes and restores its snapshots.
#include "EudWnd.h"
#include "VkiSub.h" // the utility object's record of the last trace
#include <memory>

namespace {

const int kKind = 354; // the snapshots' record code, as the folder history uses

class Undo : public VktSubFixture {
protected:
    void SetUp() override
    {
        VktSubFixture::SetUp();
        wnd.reset(new EudWnd(sub));
        hwnd = wnd->Wnd();
        ASSERT_EQ(VkeSubInitEui(sub, hwnd, &eui), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(VkeSubTermEui(sub, hwnd, &eui), 0);
        EXPECT_EQ(eui, nullptr);
        EXPECT_EQ(wnd->State().live, 0); // every snapshot made was freed
        wnd.reset();
        VktSubFixture::TearDown();
    }

    // An edit: the step is recorded before the window's data changes.
    int Edit(const char* newText, int notify = 0, int stepCode = 14)
    {
        int rc = VkeSubSetEud(sub, hwnd, eui, stepCode, 14, kKind, wnd->Data(), notify);
        if (rc == 0) wnd->SetText(newText);
        return rc;
    }
    int Und(int force = 0) { return VkeSubEditUnd(sub, hwnd, eui, 14, kKind, wnd->Data(), force); }
    int Rdo() { return VkeSubEditRdo(sub, hwnd, eui); }

    EditFlag Flags()
    {
        EditFlag f;
        EXPECT_EQ(VkeSubGetEditFlag(sub, eui, &f), 0);
        return f;
    }
    int Steps() const { return eui->lkiEud.iCnt; }

    // The invariant after recording: the current step is the last and holds one bare entry.
    void ExpectFreshCurrent()
    {
        ASSERT_NE(eui->pEudCur, nullptr);
        EXPECT_EQ(&eui->pEudCur->lke, eui->lkiEud.pTail);
        ASSERT_EQ(eui->pEudCur->lkiEue.iCnt, 1);
        EXPECT_EQ(reinterpret_cast<Eue*>(eui->pEudCur->lkiEue.pTail)->pData, nullptr);
    }

    std::unique_ptr<EudWnd> wnd;
    HWND hwnd = nullptr;
    Eui* eui = nullptr;
};

} // namespace

TEST_F(Undo, ANewHistoryHasNothingToUndoOrRedo)
{
    EXPECT_EQ(eui->iFlag, 1);
    EXPECT_EQ(Steps(), 1);
    ExpectFreshCurrent();
    EditFlag f = Flags();
    EXPECT_EQ(f.iUnd, 0);
    EXPECT_EQ(f.iRdo, 0);
    int before = Traced();
    EXPECT_EQ(Und(), -12);
    EXPECT_EQ(Rdo(), -12);
    EXPECT_EQ(Traced(), before); // nothing to do is not traced
    EXPECT_EQ(wnd->State().live, 0);
}

TEST_F(Undo, UndoAndRedoAcrossSeveralSteps)
{
    wnd->SetText("A");
    ASSERT_EQ(Edit("B"), 0);
    EXPECT_EQ(eui->iFlag, 0);
    EXPECT_EQ(Flags().iUnd, 1);
    EXPECT_EQ(Flags().iRdo, 0);
    ASSERT_EQ(Edit("表"), 0);
    ASSERT_EQ(Edit("D"), 0);
    ExpectFreshCurrent();
    EXPECT_EQ(Steps(), 4);

    const char* back[] = {"表", "B", "A"};
    for (const char* t : back) {
        ASSERT_EQ(Und(), 0);
        EXPECT_EQ(wnd->Text(), t);
        EXPECT_EQ(Flags().iRdo, 1);
    }
    EXPECT_EQ(Flags().iUnd, 0);
    EXPECT_EQ(Und(), -12);
    EXPECT_EQ(wnd->Text(), "A");

    const char* forward[] = {"B", "表", "D"};
    for (const char* t : forward) {
        ASSERT_EQ(Rdo(), 0);
        EXPECT_EQ(wnd->Text(), t);
        EXPECT_EQ(Flags().iUnd, 1);
    }
    EXPECT_EQ(Flags().iRdo, 0);
    EXPECT_EQ(Rdo(), -12);
    EXPECT_EQ(Steps(), 4);
    EXPECT_EQ(wnd->State().live, 4); // one snapshot per step, the present one included
}

TEST_F(Undo, RecordingAfterAnUndoDropsTheRedoSteps)
{
    wnd->SetText("A");
    ASSERT_EQ(Edit("B"), 0);
    ASSERT_EQ(Edit("C"), 0);
    ASSERT_EQ(Edit("D"), 0);
    ASSERT_EQ(Und(), 0);
    ASSERT_EQ(Und(), 0);
    ASSERT_EQ(wnd->Text(), "B");
    EXPECT_EQ(wnd->State().live, 4);

    int freed = wnd->State().seen[VKE_EUD_FREE];
    ASSERT_EQ(Edit("X"), 0);
    EXPECT_EQ(wnd->State().seen[VKE_EUD_FREE], freed + 2); // C's and D's steps
    EXPECT_EQ(Flags().iRdo, 0);
    EXPECT_EQ(Steps(), 3);
    ExpectFreshCurrent();
    EXPECT_EQ(Rdo(), -12);
    ASSERT_EQ(Und(), 0);
    EXPECT_EQ(wnd->Text(), "B");
    ASSERT_EQ(Und(), 0);
    EXPECT_EQ(wnd->Text(), "A");
    ASSERT_EQ(Rdo(), 0);
    ASSERT_EQ(Rdo(), 0);
    EXPECT_EQ(wnd->Text(), "X");
}

TEST_F(Undo, TheSnapshotRequestsCarryTheKindAndTheData)
{
    wnd->SetText("A");
    wnd->State().kinds.clear();
    ASSERT_EQ(Edit("B"), 0);
    EXPECT_EQ(wnd->State().seen[VKE_EUD_MAKE], 1);
    EXPECT_EQ(wnd->State().kinds, std::vector<int>{kKind});
    Eue* recorded = reinterpret_cast<Eue*>(reinterpret_cast<Eud*>(eui->lkiEud.pHead)->lkiEue.pTail);
    EXPECT_EQ(recorded->iKind, kKind);
    EXPECT_EQ(recorded->iStepValue, 14);
    EXPECT_EQ(SnapText(sub, recorded->pData), "A");
    EXPECT_EQ(reinterpret_cast<Eud*>(eui->lkiEud.pHead)->iStepCode, 14);
}

TEST_F(Undo, UndoKeepsThePresentOnceUnlessForced)
{
    wnd->SetText("A");
    ASSERT_EQ(Edit("B"), 0);
    ASSERT_EQ(Edit("C"), 0);
    EudWndState& st = wnd->State();
    ASSERT_EQ(Und(0), 0); // the present C is kept first
    EXPECT_EQ(st.seen[VKE_EUD_MAKE], 3);
    ASSERT_EQ(Rdo(), 0);
    wnd->SetText("C2"); // changed without recording
    // Force 0: the snapshot the first undo took is not refreshed.
    ASSERT_EQ(Und(0), 0);
    EXPECT_EQ(st.seen[VKE_EUD_REFRESH], 0);
    ASSERT_EQ(Rdo(), 0);
    EXPECT_EQ(wnd->Text(), "C");
    // Force 1: refreshed, so redo comes back to the newer text.
    wnd->SetText("C3");
    ASSERT_EQ(Und(1), 0);
    EXPECT_EQ(st.seen[VKE_EUD_REFRESH], 1);
    EXPECT_EQ(wnd->Text(), "B");
    ASSERT_EQ(Rdo(), 0);
    EXPECT_EQ(wnd->Text(), "C3");
}

TEST_F(Undo, TheParentHearsOfEveryStepRecordedWithNotify)
{
    ParentState& p = wnd->Notices();
    ASSERT_EQ(Edit("B", 1, 21), 0);
    EXPECT_EQ(p.notices, 1);
    EXPECT_EQ(p.wParam, reinterpret_cast<WPARAM>(hwnd));
    EXPECT_EQ(p.last.hWnd, hwnd);
    EXPECT_EQ(p.last.uMsg, static_cast<UINT>(VkeWmSetEud));
    EXPECT_EQ(p.last.iKind, 21);
    ASSERT_EQ(Edit("C", 1), 0);
    EXPECT_EQ(p.notices, 2);
    ASSERT_EQ(Edit("D", 0), 0);
    EXPECT_EQ(p.notices, 2);
    ASSERT_EQ(Und(), 0);
    ASSERT_EQ(Rdo(), 0);
    EXPECT_EQ(p.notices, 2); // undo and redo do not notify

    // The parent's answer becomes the result; the step stays recorded.
    p.answer = -3;
    int before = Traced();
    EXPECT_EQ(Edit("E", 1), -3);
    EXPECT_EQ(Traced(), before + 1);
    EXPECT_EQ(LastTraced(), std::string("VkeSubSetEud"));
    EXPECT_EQ(p.notices, 3);
    EXPECT_EQ(Steps(), 5);
    ExpectFreshCurrent();
    p.answer = 0;

    // Recording into the same window from inside the notice is refused.
    int nested = 1;
    p.inside = [&]() { nested = VkeSubSetEud(sub, hwnd, eui, 14, 14, kKind, wnd->Data(), 1); };
    ASSERT_EQ(Edit("F", 1), 0);
    EXPECT_EQ(nested, -7);
    EXPECT_EQ(p.notices, 4);
    p.inside = nullptr;
}

TEST_F(Undo, AWindowWithoutParentIsNotNotified)
{
    EudWnd lone(sub, false);
    Eui* other = nullptr;
    ASSERT_EQ(VkeSubInitEui(sub, lone.Wnd(), &other), 0);
    EXPECT_EQ(VkeSubSetEud(sub, lone.Wnd(), other, 1, 1, kKind, lone.Data(), 1), 0);
    EXPECT_EQ(lone.Notices().notices, 0);
    EXPECT_EQ(VkeSubTermEui(sub, lone.Wnd(), &other), 0);
    EXPECT_EQ(lone.State().live, 0);
}

TEST_F(Undo, ASameRecordingFromInsideTheSnapshotRequestReturnsAtOnce)
{
    EudWndState& st = wnd->State();
    int nested = 1, requestsInside = 0;
    st.inside = [&](EudReq* req) {
        if (req->iRequest != VKE_EUD_MAKE) return;
        int seen = st.seen[VKE_EUD_MAKE];
        nested = VkeSubSetEud(sub, hwnd, eui, 14, 14, kKind, wnd->Data(), 0);
        requestsInside = st.seen[VKE_EUD_MAKE] - seen;
    };
    wnd->SetText("A");
    ASSERT_EQ(Edit("B"), 0);
    EXPECT_EQ(nested, -7);
    EXPECT_EQ(requestsInside, 0); // refused before asking the window anything
    st.Normal();
    EXPECT_EQ(Steps(), 2);

    // The guard is cleared on the way out, after success and after failure alike.
    ASSERT_EQ(Edit("C"), 0);
    st.handled = 0;
    EXPECT_EQ(Edit("D"), -1);
    st.Normal();
    ASSERT_EQ(Edit("D"), 0);
    EXPECT_EQ(Steps(), 4);
}

TEST_F(Undo, ARefusedSnapshotRecordsNothing)
{
    wnd->SetText("A");
    ASSERT_EQ(Edit("B"), 0);
    ASSERT_EQ(Edit("C"), 0);
    ASSERT_EQ(Und(), 0); // a redo step exists
    EudWndState& st = wnd->State();
    struct Case {
        const char* what;
        int handled, refuseCode, nullCopy, expect;
    };
    const Case cases[] = {
        {"not handled", 0, 0, 0, -1},
        {"refused", 1, -10, 0, -10},
        {"no snapshot", 1, 0, 1, -1},
    };
    // The current step already holds a snapshot (kept by the undo), so it is refreshed (7);
    // a second history whose current step holds none is asked to make one (6).
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        st.handled = c.handled;
        st.refuse = c.refuseCode ? VKE_EUD_MAKE : 0;
        st.refuseCode = c.refuseCode;
        st.nullCopy = c.nullCopy;
        Eui* fresh = nullptr;
        ASSERT_EQ(VkeSubInitEui(sub, hwnd, &fresh), 0);
        int before = Traced();
        EXPECT_EQ(VkeSubSetEud(sub, hwnd, fresh, 14, 14, kKind, wnd->Data(), 0), c.expect);
        EXPECT_EQ(Traced(), before + 1);
        EXPECT_EQ(fresh->lkiEud.iCnt, 1);
        EXPECT_EQ(reinterpret_cast<Eue*>(fresh->pEudCur->lkiEue.pTail)->pData, nullptr);
        st.Normal();
        EXPECT_EQ(VkeSubTermEui(sub, hwnd, &fresh), 0);
    }
    // A refused refresh leaves the redo step in place.
    st.refuse = VKE_EUD_REFRESH;
    st.refuseCode = -10;
    EXPECT_EQ(Edit("X"), -10);
    st.Normal();
    EXPECT_EQ(Flags().iRdo, 1);
    EXPECT_EQ(Steps(), 3);
    ASSERT_EQ(Rdo(), 0);
    EXPECT_EQ(wnd->Text(), "C");
}

TEST_F(Undo, ARefusedRestoreKeepsTheCurrentStep)
{
    wnd->SetText("A");
    ASSERT_EQ(Edit("B"), 0);
    Eud* cur = eui->pEudCur;
    wnd->State().refuse = VKE_EUD_RESTORE;
    wnd->State().refuseCode = -10;
    EXPECT_EQ(Und(), -10);
    wnd->State().Normal();
    EXPECT_EQ(eui->pEudCur, cur);
    EXPECT_EQ(wnd->Text(), "B");
    ASSERT_EQ(Und(), 0);
    EXPECT_EQ(wnd->Text(), "A");
}

TEST_F(Undo, RemovingAnEarlierStepNeverLeavesTheCurrentOnFreedMemory)
{
    wnd->SetText("A");
    ASSERT_EQ(Edit("B"), 0);
    ASSERT_EQ(Edit("C"), 0);
    ASSERT_EQ(Edit("D"), 0);
    Eud* second = reinterpret_cast<Eud*>(eui->lkiEud.pHead->pNxt);
    // While the window is asked to free, the history already stands on a live step.
    Eud* seenCur = nullptr;
    int seenSteps = -1;
    wnd->State().inside = [&](EudReq* req) {
        if (req->iRequest != VKE_EUD_FREE || seenSteps >= 0) return;
        seenCur = eui->pEudCur;
        seenSteps = eui->lkiEud.iCnt;
    };
    ASSERT_EQ(VkeSubSubEud(sub, hwnd, eui, second), 0);
    wnd->State().Normal();
    EXPECT_EQ(seenSteps, 1);
    EXPECT_EQ(seenCur, reinterpret_cast<Eud*>(eui->lkiEud.pHead));
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(eui->pEudCur, reinterpret_cast<Eud*>(eui->lkiEud.pHead));
    EXPECT_EQ(wnd->State().live, 1);
    EXPECT_EQ(Flags().iUnd, 0);
    EXPECT_EQ(Flags().iRdo, 0);
    // The history goes on from the step that is left.
    ASSERT_EQ(Edit("E"), 0);
    ASSERT_EQ(Und(), 0);
    EXPECT_EQ(wnd->Text(), "D");

    // Removing every step leaves no current step: nothing to undo, recording is refused.
    Eud* first = reinterpret_cast<Eud*>(eui->lkiEud.pHead);
    ASSERT_EQ(VkeSubSubEud(sub, hwnd, eui, first), 0);
    EXPECT_EQ(eui->pEudCur, nullptr);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(Und(), -12);
    EXPECT_EQ(Edit("F"), -12);
    Eud* none = nullptr;
    EXPECT_EQ(VkeSubGetEudPtrCur(sub, eui, &none), -12);
}

TEST_F(Undo, RemovingAStepOfAnotherHistoryIsRefused)
{
    Eui* other = nullptr;
    ASSERT_EQ(VkeSubInitEui(sub, hwnd, &other), 0);
    EXPECT_EQ(VkeSubSubEud(sub, hwnd, eui, other->pEudCur), -12);
    EXPECT_EQ(VkeSubSetEudPtrCur(sub, hwnd, eui, other->pEudCur, 0), -12);
    EXPECT_EQ(VkeSubTermEui(sub, hwnd, &other), 0);
}

TEST_F(Undo, StepsAndEntriesOneByOne)
{
    Eud* step = nullptr;
    ASSERT_EQ(VkeSubAddEud(sub, hwnd, eui, &step), 0);
    EXPECT_EQ(step->lkiEue.iCnt, 0);
    Eue* bottom = nullptr;
    int before = Traced();
    EXPECT_EQ(VkeSubGetEuePtrBtm(sub, step, &bottom), -12); // not traced
    EXPECT_EQ(Traced(), before);
    // Making an entry-less step current with restore finds nothing to restore.
    EXPECT_EQ(VkeSubSetEudPtrCur(sub, hwnd, eui, step, 1), -12);
    Eue* a = nullptr;
    Eue* b = nullptr;
    ASSERT_EQ(VkeSubAddEue(sub, hwnd, step, &a), 0);
    ASSERT_EQ(VkeSubAddEue(sub, hwnd, step, &b), 0);
    ASSERT_EQ(VkeSubGetEuePtrBtm(sub, step, &bottom), 0);
    EXPECT_EQ(bottom, b);
    // An entry without a snapshot cannot be restored.
    EXPECT_EQ(VkeSubSetEudPtrCur(sub, hwnd, eui, step, 1), -1);
    wnd->SetText("S");
    ASSERT_EQ(VkeSubSetEue(sub, hwnd, b, 3, kKind, wnd->Data()), 0);
    EXPECT_EQ(b->iStepValue, 3);
    wnd->SetText("T");
    ASSERT_EQ(VkeSubSetEue(sub, hwnd, b, 4, kKind, wnd->Data()), 0); // refreshed in place
    EXPECT_EQ(wnd->State().seen[VKE_EUD_REFRESH], 1);
    EXPECT_EQ(b->iStepValue, 4);
    wnd->SetText("U");
    ASSERT_EQ(VkeSubSetEudPtrCur(sub, hwnd, eui, step, 1), 0);
    EXPECT_EQ(wnd->Text(), "T");

    Eud* got = nullptr;
    ASSERT_EQ(VkeSubGetEudPtrCur(sub, eui, &got), 0);
    EXPECT_EQ(got, step);
    ASSERT_EQ(VkeSubGetEudPtrBtm(sub, eui, &got), 0);
    EXPECT_EQ(got, step);
    ASSERT_EQ(VkeSubGetEudPtrPrv(sub, eui, &got), 0);
    EXPECT_EQ(got, reinterpret_cast<Eud*>(eui->lkiEud.pHead));
    got = nullptr;
    EXPECT_EQ(VkeSubGetEudPtrNxt(sub, eui, &got), -12);
    EXPECT_EQ(got, nullptr);
    ASSERT_EQ(VkeSubSetEudPtrCur(sub, hwnd, eui, reinterpret_cast<Eud*>(eui->lkiEud.pHead), 0), 0);
    EXPECT_EQ(VkeSubGetEudPtrPrv(sub, eui, &got), -12);
    ASSERT_EQ(VkeSubGetEudPtrNxt(sub, eui, &got), 0);
    EXPECT_EQ(got, step);
    int flag = -1;
    ASSERT_EQ(VkeSubGetEditUndFlag(sub, eui, &flag), 0);
    EXPECT_EQ(flag, 0);
    ASSERT_EQ(VkeSubGetEditRdoFlag(sub, eui, &flag), 0);
    EXPECT_EQ(flag, 1);
}

TEST_F(Undo, BadInput)
{
    EditFlag f;
    Eud* step = nullptr;
    Eud* asHistory = eui->pEudCur;
    HWND gone = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    void* data = wnd->Data();
    EXPECT_EQ(VkeSubSetEud(sub, hwnd, nullptr, 1, 1, kKind, data, 0), -9);
    EXPECT_EQ(VkeSubSetEud(sub, hwnd, eui, 1, 1, kKind, nullptr, 0), -9);
    EXPECT_EQ(VkeSubSetEud(sub, hwnd, eui, 1, 1, kKind, data, 2), -9);
    EXPECT_EQ(VkeSubSetEud(sub, gone, eui, 1, 1, kKind, data, 0), -9);
    EXPECT_EQ(VkeSubSetEud(sub, hwnd, reinterpret_cast<Eui*>(asHistory), 1, 1, kKind, data, 0), -9);
    EXPECT_EQ(VkeSubEditUnd(sub, hwnd, eui, 1, kKind, data, 2), -9);
    EXPECT_EQ(VkeSubEditUnd(sub, hwnd, eui, 1, kKind, nullptr, 0), -9);
    EXPECT_EQ(VkeSubEditRdo(sub, nullptr, eui), -9);
    EXPECT_EQ(VkeSubSetEudPtrCur(sub, hwnd, eui, eui->pEudCur, 2), -9);
    EXPECT_EQ(VkeSubGetEditFlag(sub, eui, nullptr), -9);
    EXPECT_EQ(VkeSubGetEditFlag(sub, nullptr, &f), -9);
    EXPECT_EQ(VkeSubGetEudPtrCur(sub, eui, nullptr), -9);
    EXPECT_EQ(VkeSubAddEud(sub, hwnd, eui, nullptr), -9);
    EXPECT_EQ(VkeSubAddEue(sub, hwnd, nullptr, nullptr), -9);
    EXPECT_EQ(VkeSubSetEue(sub, hwnd, nullptr, 1, kKind, data), -9);
    EXPECT_EQ(VkeSubSubEud(sub, hwnd, eui, nullptr), -9);
    EXPECT_EQ(VkeSubSetEud(nullptr, hwnd, eui, 1, 1, kKind, data, 0), -9);
    EXPECT_EQ(VkeSubAddEud(sub, hwnd, eui, &step), 0); // all the above changed nothing
    EXPECT_EQ(Steps(), 2);
    EXPECT_EQ(wnd->State().live, 0);

    // A history pointer that is already set is not made again; freeing null is no error.
    Eui* held = eui;
    EXPECT_EQ(VkeSubInitEui(sub, hwnd, &held), -7);
    EXPECT_EQ(held, eui);
    EXPECT_EQ(VkeSubInitEui(sub, gone, &held), -9);
    Eui* none = nullptr;
    EXPECT_EQ(VkeSubTermEui(sub, hwnd, &none), 0);
    EXPECT_EQ(VkeSubTermEui(sub, hwnd, nullptr), -9);
}

TEST_F(Undo, EndingTheHistoryFreesEverySnapshot)
{
    wnd->SetText("A");
    for (const char* t : {"B", "C", "D", "E"}) ASSERT_EQ(Edit(t), 0);
    ASSERT_EQ(Und(), 0);
    ASSERT_EQ(Und(), 0);
    EXPECT_EQ(wnd->State().live, 5);
    // The window may look at the history while it frees: no current step points into it.
    bool sawCurrent = false;
    wnd->State().inside = [&](EudReq* req) {
        if (req->iRequest == VKE_EUD_FREE && eui && eui->pEudCur) sawCurrent = true;
    };
    ASSERT_EQ(VkeSubTermEui(sub, hwnd, &eui), 0);
    EXPECT_EQ(eui, nullptr);
    EXPECT_FALSE(sawCurrent);
    EXPECT_EQ(wnd->State().live, 0);
    wnd->State().Normal();
    ASSERT_EQ(VkeSubInitEui(sub, hwnd, &eui), 0); // a page that reopens starts afresh
    EXPECT_EQ(Flags().iUnd, 0);
}

TEST_F(Undo, FreeingTheHistoryWhileItRecordsIsRefused)
{
    int freed = 1;
    Eui* same = eui;
    wnd->State().inside = [&](EudReq* req) {
        if (req->iRequest == VKE_EUD_MAKE) freed = VkeSubTermEui(sub, hwnd, &same);
    };
    ASSERT_EQ(Edit("B"), 0);
    wnd->State().Normal();
    EXPECT_EQ(freed, -7);
    EXPECT_EQ(same, eui);
    EXPECT_EQ(Steps(), 2);
}

TEST(UndoUninitialised, NeedsAnInitialisedObject)
{
    VkiSub* sub = nullptr;
    ASSERT_EQ(VkeSubAlloc(&sub), 0);
    EudWnd wnd(sub);
    Eui* eui = nullptr;
    EXPECT_EQ(VkeSubInitEui(sub, wnd.Wnd(), &eui), -6);
    EXPECT_EQ(VkeSubTermEui(sub, wnd.Wnd(), &eui), 0);
    VkeSubFree(&sub);
}
