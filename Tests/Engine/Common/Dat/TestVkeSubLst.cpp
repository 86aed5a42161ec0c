// The engine's linked list: elements, heads, search, insertion and removal.
#include "VktSupport.h"
#include "VkiSub.h" // the utility object's record of the last trace
#include <string.h>
#include <vector>

namespace {

const int kItem = 0x7001;

// A caller's element: the header, then its own field.
struct Item {
    Lke lke;
    int iValue;
};

class Lists : public VktSubFixture {
protected:
    void SetUp() override
    {
        VktSubFixture::SetUp();
        ASSERT_EQ(VkeSubInitLki(sub, 0x7002, &list, sizeof(Item)), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(VkeSubTermLki(sub, &list), 0);
        VktSubFixture::TearDown();
    }

    Item* New(int value)
    {
        Lke* e = nullptr;
        EXPECT_EQ(VkeSubAllocLke(sub, kItem, &e, sizeof(Item)), 0);
        reinterpret_cast<Item*>(e)->iValue = value;
        return reinterpret_cast<Item*>(e);
    }

    // Appends items with the values 1..n.
    std::vector<Item*> Fill(int n)
    {
        std::vector<Item*> items;
        for (int i = 1; i <= n; ++i) {
            items.push_back(New(i));
            EXPECT_EQ(VkeSubAddLke(sub, &list, &items.back()->lke), 0);
        }
        return items;
    }

    // The values head to tail; checks the back links, the tail and the count on the way.
    std::vector<int> Values()
    {
        std::vector<int> out;
        Lke* prev = nullptr;
        for (Lke* e = list.pHead; e; e = e->pNxt) {
            EXPECT_EQ(e->pPrv, prev);
            out.push_back(reinterpret_cast<Item*>(e)->iValue);
            prev = e;
        }
        EXPECT_EQ(list.pTail, prev);
        EXPECT_EQ(list.iCnt, static_cast<int>(out.size()));
        return out;
    }

    int Cursor() const { return list.pCur ? reinterpret_cast<Item*>(list.pCur)->iValue : 0; }

    void Free(Item* item)
    {
        Lke* e = &item->lke;
        EXPECT_EQ(VkeSubFreeLke(sub, &e), 0);
    }

    Lki list = {};
};

using V = std::vector<int>;

} // namespace

TEST_F(Lists, NewElementsAndHeads)
{
    Lke* e = nullptr;
    ASSERT_EQ(VkeSubAllocLke(sub, kItem, &e, sizeof(Item)), 0);
    EXPECT_EQ(e->iKind, kItem);
    EXPECT_EQ(e->pPrv, nullptr);
    EXPECT_EQ(e->pNxt, nullptr);
    EXPECT_EQ(reinterpret_cast<Item*>(e)->iValue, 0);
    Lke* same = e;
    EXPECT_EQ(VkeSubAllocLke(sub, kItem, &e, sizeof(Item)), -7);
    EXPECT_EQ(e, same);
    EXPECT_EQ(VkeSubFreeLke(sub, &e), 0);
    EXPECT_EQ(e, nullptr);
    EXPECT_EQ(VkeSubFreeLke(sub, &e), 0);

    // The element size is at least the header's.
    EXPECT_EQ(VkeSubAllocLke(sub, kItem, &e, sizeof(Lke) - 1), -9);
    EXPECT_EQ(e, nullptr);
    ASSERT_EQ(VkeSubAllocLke(sub, kItem, &e, sizeof(Lke)), 0);
    EXPECT_EQ(VkeSubFreeLke(sub, &e), 0);
    EXPECT_EQ(VkeSubAllocLke(sub, kItem, nullptr, sizeof(Item)), -9);

    Lki* head = nullptr;
    ASSERT_EQ(VkeSubAllocLki(sub, 5, &head, sizeof(Item)), 0);
    EXPECT_EQ(head->iKind, 5);
    EXPECT_EQ(head->iElmSize, static_cast<int>(sizeof(Item)));
    EXPECT_EQ(head->iCnt, 0);
    EXPECT_EQ(head->pHead, nullptr);
    EXPECT_EQ(head->pTail, nullptr);
    EXPECT_EQ(head->pCur, nullptr);
    EXPECT_EQ(VkeSubAllocLki(sub, 5, &head, sizeof(Item)), -7);
    EXPECT_EQ(VkeSubFreeLki(sub, &head), 0);
    EXPECT_EQ(head, nullptr);
    EXPECT_EQ(VkeSubAllocLki(sub, 5, &head, 0), -9);
    EXPECT_EQ(VkeSubInitLki(sub, 5, &list, sizeof(Lke) - 1), -9);
    EXPECT_EQ(VkeSubInitLki(sub, 5, nullptr, sizeof(Item)), -9);
}

TEST_F(Lists, InitCopyAndDuplicateElements)
{
    Item a = {}, b = {};
    a.iValue = 7;
    ASSERT_EQ(VkeSubInitLke(sub, kItem, &a.lke, sizeof(a)), 0);
    EXPECT_EQ(a.iValue, 0); // the whole element is zeroed
    EXPECT_EQ(a.lke.iKind, kItem);
    a.iValue = 7;
    EXPECT_EQ(VkeSubInitLke(sub, kItem, &a.lke, sizeof(Lke) - 1), -9);

    // Copying into an element on a list keeps its place there.
    std::vector<Item*> items = Fill(3);
    ASSERT_EQ(VkeSubCopyLke(sub, &items[1]->lke, &a.lke, sizeof(Item)), 0);
    EXPECT_EQ(Values(), (V{1, 7, 3}));
    EXPECT_EQ(VkeSubCopyLke(sub, &items[1]->lke, &items[1]->lke, sizeof(Item)), 0); // onto itself
    EXPECT_EQ(Values(), (V{1, 7, 3}));

    // A duplicate carries the source's kind and none of its links.
    b.lke.iKind = 42;
    b.iValue = 9;
    Lke* dup = nullptr;
    ASSERT_EQ(VkeSubDupLke(sub, kItem, &dup, &items[2]->lke, sizeof(Item)), 0);
    EXPECT_EQ(dup->iKind, kItem);
    EXPECT_EQ(dup->pPrv, nullptr);
    EXPECT_EQ(reinterpret_cast<Item*>(dup)->iValue, 3);
    EXPECT_EQ(VkeSubFreeLke(sub, &dup), 0);
    ASSERT_EQ(VkeSubDupLke(sub, kItem, &dup, &b.lke, sizeof(Item)), 0);
    EXPECT_EQ(dup->iKind, 42);
    EXPECT_EQ(VkeSubDupLke(sub, kItem, &dup, &b.lke, sizeof(Item)), -7);
    EXPECT_EQ(VkeSubFreeLke(sub, &dup), 0);
    EXPECT_EQ(VkeSubDupLke(sub, kItem, &dup, nullptr, sizeof(Item)), -9);

    EXPECT_EQ(VkeSubTermLke(sub, &a.lke), 0);
    EXPECT_EQ(VkeSubTermLke(sub, nullptr), -9);
}

TEST_F(Lists, InsertIntoAnEmptyList)
{
    int zero = 0, one = 1;
    Item* a = New(1);
    Item* ref = New(9);
    EXPECT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_NO, &list, &one, &a->lke), -1);
    EXPECT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_ELM, &list, &ref->lke, &a->lke), -1);
    EXPECT_EQ(list.iCnt, 0);
    ASSERT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_NO, &list, &zero, &a->lke), 0);
    EXPECT_EQ(list.pHead, &a->lke);
    EXPECT_EQ(list.pTail, &a->lke);
    EXPECT_EQ(list.pCur, &a->lke);
    EXPECT_EQ(Values(), (V{1}));
    Free(ref);

    // In front with a null key (mode 2) on an empty list as well.
    Lki other = {};
    ASSERT_EQ(VkeSubInitLki(sub, 1, &other, sizeof(Item)), 0);
    Item* b = New(2);
    ASSERT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_ELM, &other, nullptr, &b->lke), 0);
    EXPECT_EQ(other.pCur, &b->lke);
    EXPECT_EQ(other.iCnt, 1);
    // An element that is the only one of a list is on it.
    EXPECT_EQ(VkeSubAddLke(sub, &other, &b->lke), -9);
    EXPECT_EQ(VkeSubTermLki(sub, &other), 0);
}

TEST_F(Lists, InsertBeforeAndAfterHeadTailAndCursor)
{
    struct Case {
        const char* what;
        int mode;
        int refValue; // mode 1: position; mode 2: value of the reference (0 = null key)
        V expect;
        int tail;     // value of the tail afterwards
    };
    const Case cases[] = {
        {"front by position", VKE_LKE_BY_NO, 0, {9, 1, 2, 3, 4}, 4},
        {"after head by position", VKE_LKE_BY_NO, 1, {1, 9, 2, 3, 4}, 4},
        {"after tail by position", VKE_LKE_BY_NO, 4, {1, 2, 3, 4, 9}, 9},
        {"front by null key", VKE_LKE_BY_ELM, 0, {9, 1, 2, 3, 4}, 4},
        {"after head by element", VKE_LKE_BY_ELM, 1, {1, 9, 2, 3, 4}, 4},
        {"after the cursor element", VKE_LKE_BY_ELM, 3, {1, 2, 3, 9, 4}, 4},
        {"after tail by element", VKE_LKE_BY_ELM, 4, {1, 2, 3, 4, 9}, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Item*> items = Fill(4);
        int two = 2;
        Lke* found = nullptr;
        ASSERT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &two, &found), 0); // cursor on 3
        ASSERT_EQ(Cursor(), 3);
        Item* x = New(9);
        void* key = c.mode == VKE_LKE_BY_NO ? static_cast<void*>(const_cast<int*>(&c.refValue))
                    : c.refValue ? static_cast<void*>(&items[c.refValue - 1]->lke)
                                 : nullptr;
        ASSERT_EQ(VkeSubInsLke(sub, c.mode, &list, key, &x->lke), 0);
        EXPECT_EQ(Values(), c.expect);
        EXPECT_EQ(reinterpret_cast<Item*>(list.pTail)->iValue, c.tail);
        EXPECT_EQ(reinterpret_cast<Item*>(list.pHead)->iValue, c.expect.front());
        ASSERT_EQ(VkeSubTermLki(sub, &list), 0);
    }
}

TEST_F(Lists, InsertRefusals)
{
    std::vector<Item*> items = Fill(2);
    Item* x = New(9);
    int three = 3, minus = -1;
    int before = Traced();
    EXPECT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_NO, &list, &three, &x->lke), -12); // past the tail
    EXPECT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_NO, &list, &minus, &x->lke), -9);
    EXPECT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_NO, &list, nullptr, &x->lke), -9);
    EXPECT_EQ(VkeSubInsLke(sub, 3, &list, nullptr, &x->lke), -9);
    EXPECT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_ELM, nullptr, nullptr, &x->lke), -9);
    EXPECT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_ELM, &list, nullptr, nullptr), -9);
    // A reference that is not on the list.
    Item* stranger = New(8);
    EXPECT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_ELM, &list, &stranger->lke, &x->lke), -12);
    Free(stranger);
    // The same element twice, and one already on the list.
    ASSERT_EQ(VkeSubAddLke(sub, &list, &x->lke), 0);
    EXPECT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_ELM, &list, nullptr, &x->lke), -9);
    EXPECT_EQ(VkeSubAddLke(sub, &list, &items[0]->lke), -9);
    EXPECT_EQ(Values(), (V{1, 2, 9}));
    EXPECT_EQ(Traced(), before + 9); // insertion traces every failure
    EXPECT_EQ(LastTraced(), std::string("VkeSubAddLke"));
}

TEST_F(Lists, SearchByPosition)
{
    std::vector<Item*> items = Fill(4);
    Lke* found = nullptr;
    int n = 4;
    ASSERT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &n, &found), 0);
    EXPECT_EQ(found, &items[3]->lke);
    EXPECT_EQ(Cursor(), 1); // the tail found: the cursor goes to the head
    n = 2;
    ASSERT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &n, &found), 0);
    EXPECT_EQ(found, &items[1]->lke);
    EXPECT_EQ(Cursor(), 3);

    int before = Traced();
    n = 5;
    found = nullptr;
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &n, &found), -12);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(Cursor(), 3);
    EXPECT_EQ(Traced(), before); // not found is not traced
    n = 0;
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &n, &found), -9);
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, nullptr, &found), -9);
    EXPECT_EQ(VkeSubSchLke(sub, 0, &list, &n, &found), -9);
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &n, nullptr), -9);
    EXPECT_EQ(Traced(), before + 4);
}

TEST_F(Lists, SearchByElementWrapsFromTheCursor)
{
    std::vector<Item*> items = Fill(5);
    Lke* found = nullptr;
    int three = 3;
    ASSERT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &three, &found), 0);
    ASSERT_EQ(Cursor(), 4);
    // Element 2 lies behind the cursor: found by going round.
    ASSERT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_ELM, &list, &items[1]->lke, &found), 0);
    EXPECT_EQ(found, &items[1]->lke);
    EXPECT_EQ(Cursor(), 3);
    // The cursor element itself.
    ASSERT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_ELM, &list, &items[2]->lke, &found), 0);
    EXPECT_EQ(Cursor(), 4);
    // Not on the list: the whole circle once, then -12, cursor unchanged.
    Item* stranger = New(0);
    int before = Traced();
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_ELM, &list, &stranger->lke, &found), -12);
    EXPECT_EQ(Cursor(), 4);
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_ELM, &list, nullptr, &found), -9);
    EXPECT_EQ(Traced(), before + 1);
    Free(stranger);
}

TEST_F(Lists, SearchOneAndNoElements)
{
    Lke* found = nullptr;
    int one = 1;
    Item stranger = {};
    int before = Traced();
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &one, &found), -12);
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_ELM, &list, &stranger.lke, &found), -12);
    EXPECT_EQ(Traced(), before);

    std::vector<Item*> items = Fill(1);
    // Twice in a row in a one-element list: the cursor wraps to the same element.
    ASSERT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_ELM, &list, &items[0]->lke, &found), 0);
    ASSERT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_ELM, &list, &items[0]->lke, &found), 0);
    EXPECT_EQ(found, &items[0]->lke);
    EXPECT_EQ(list.pCur, &items[0]->lke);
}

TEST_F(Lists, AppendingLeavesTheCursorAtTheHead)
{
    Fill(3);
    int three = 2;
    Lke* found = nullptr;
    ASSERT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &three, &found), 0);
    ASSERT_EQ(Cursor(), 3);
    ASSERT_EQ(VkeSubAddLke(sub, &list, &New(4)->lke), 0);
    EXPECT_EQ(Values(), (V{1, 2, 3, 4}));
    EXPECT_EQ(Cursor(), 1); // where the search for the old tail leaves it
}

TEST_F(Lists, DeleteHeadTailCursorAndTheOnlyElement)
{
    struct Case {
        const char* what;
        int mode;
        int which;   // position (mode 1) or value of the element (mode 2)
        int cursorAt; // value of the cursor before, set by a search
        V expect;
        int cursor;  // value of the cursor after
    };
    const Case cases[] = {
        {"head by position", VKE_LKE_BY_NO, 1, 3, {2, 3, 4}, 2},
        {"tail by position", VKE_LKE_BY_NO, 4, 2, {1, 2, 3}, 1},
        {"head by element", VKE_LKE_BY_ELM, 1, 3, {2, 3, 4}, 2},
        {"tail by element", VKE_LKE_BY_ELM, 4, 2, {1, 2, 3}, 1},
        {"the cursor element", VKE_LKE_BY_ELM, 3, 3, {1, 2, 4}, 4},
        {"the cursor on the tail", VKE_LKE_BY_ELM, 4, 4, {1, 2, 3}, 1},
        {"a middle one by position", VKE_LKE_BY_NO, 2, 2, {1, 3, 4}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Item*> items = Fill(4);
        Lke* found = nullptr;
        int before = c.cursorAt - 1;
        if (before == 0) before = 4; // the cursor on the head: found the tail
        ASSERT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &before, &found), 0);
        ASSERT_EQ(Cursor(), c.cursorAt);
        Lke* removed = nullptr;
        void* key = c.mode == VKE_LKE_BY_NO ? static_cast<void*>(const_cast<int*>(&c.which))
                                            : static_cast<void*>(&items[c.which - 1]->lke);
        ASSERT_EQ(VkeSubDelLke(sub, c.mode, &list, key, &removed), 0);
        EXPECT_EQ(removed, &items[c.which - 1]->lke);
        EXPECT_EQ(removed->pPrv, nullptr);
        EXPECT_EQ(removed->pNxt, nullptr);
        EXPECT_EQ(Values(), c.expect);
        EXPECT_EQ(Cursor(), c.cursor);
        Free(items[c.which - 1]); // handed back, not freed
        ASSERT_EQ(VkeSubTermLki(sub, &list), 0);
    }

    // The only element: the list is empty again.
    std::vector<Item*> items = Fill(1);
    Lke* removed = nullptr;
    int one = 1;
    ASSERT_EQ(VkeSubDelLke(sub, VKE_LKE_BY_NO, &list, &one, &removed), 0);
    EXPECT_EQ(list.iCnt, 0);
    EXPECT_EQ(list.pHead, nullptr);
    EXPECT_EQ(list.pTail, nullptr);
    EXPECT_EQ(list.pCur, nullptr);
    // Removing from the empty list finds nothing (traced: only the searches expect -12).
    int before = Traced();
    EXPECT_EQ(VkeSubDelLke(sub, VKE_LKE_BY_NO, &list, &one, &removed), -12);
    EXPECT_EQ(VkeSubDelLke(sub, VKE_LKE_BY_NO, &list, &one, nullptr), -9);
    EXPECT_EQ(Traced(), before + 2);
    Free(items[0]);
}

TEST_F(Lists, CountsStayRightThroughMixedEdits)
{
    std::vector<Item*> items = Fill(6);
    Lke* removed = nullptr;
    int pos = 3;
    ASSERT_EQ(VkeSubDelLke(sub, VKE_LKE_BY_NO, &list, &pos, &removed), 0);
    ASSERT_EQ(VkeSubInsLke(sub, VKE_LKE_BY_NO, &list, &pos, removed), 0); // back, after the new 3rd
    ASSERT_EQ(VkeSubDelLke(sub, VKE_LKE_BY_ELM, &list, &items[0]->lke, &removed), 0);
    ASSERT_EQ(VkeSubAddLke(sub, &list, removed), 0);
    EXPECT_EQ(Values(), (V{2, 4, 3, 5, 6, 1}));
}

TEST_F(Lists, EndFreeCopyAndDuplicateHeads)
{
    Fill(3);
    Lki* copy = nullptr;
    ASSERT_EQ(VkeSubDupLki(sub, 1, &copy, &list, sizeof(Lke)), 0);
    EXPECT_EQ(copy->iKind, list.iKind); // the source's kind and element size
    EXPECT_EQ(copy->iElmSize, list.iElmSize);
    ASSERT_EQ(copy->iCnt, 3);
    int i = 1;
    for (Lke* e = copy->pHead; e; e = e->pNxt, ++i) {
        EXPECT_EQ(reinterpret_cast<Item*>(e)->iValue, i);
        EXPECT_EQ(e->iKind, kItem);
        EXPECT_FALSE(e == list.pHead || e == list.pTail); // new elements
    }
    EXPECT_EQ(VkeSubDupLki(sub, 1, &copy, &list, sizeof(Lke)), -7);
    EXPECT_EQ(VkeSubDupLki(sub, 1, nullptr, &list, sizeof(Lke)), -9);

    // A head keeps kind and element size through an end; the copy of a head copies only those.
    Lki plain = {};
    ASSERT_EQ(VkeSubCopyLki(sub, &plain, copy), 0);
    EXPECT_EQ(plain.iKind, list.iKind);
    EXPECT_EQ(plain.iCnt, 0);
    EXPECT_EQ(plain.pHead, nullptr);
    ASSERT_EQ(VkeSubTermLki(sub, copy), 0);
    EXPECT_EQ(copy->iCnt, 0);
    EXPECT_EQ(copy->pHead, nullptr);
    EXPECT_EQ(copy->iKind, list.iKind);

    // Freeing a head that still holds elements frees them too.
    Lki* full = nullptr;
    ASSERT_EQ(VkeSubDupLki(sub, 1, &full, &list, sizeof(Lke)), 0);
    EXPECT_EQ(VkeSubFreeLki(sub, &full), 0);
    EXPECT_EQ(full, nullptr);
    EXPECT_EQ(VkeSubFreeLki(sub, &copy), 0);
    EXPECT_EQ(VkeSubFreeLki(sub, &copy), 0);
    EXPECT_EQ(VkeSubFreeLki(sub, nullptr), -9);
    EXPECT_EQ(VkeSubTermLki(sub, nullptr), -9);
}

TEST_F(Lists, AnElementStillOnAListIsNotFreed)
{
    std::vector<Item*> items = Fill(3);
    Lke* middle = &items[1]->lke;
    EXPECT_EQ(VkeSubFreeLke(sub, &middle), -9);
    EXPECT_EQ(middle, &items[1]->lke);
    EXPECT_EQ(Values(), (V{1, 2, 3}));
}

TEST_F(Lists, BrokenLinksAreReportedNotFollowed)
{
    std::vector<Item*> items = Fill(3);
    Item* stranger = New(0);
    Lke* found = nullptr;
    // A null link before the tail.
    items[1]->lke.pNxt = nullptr;
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_ELM, &list, &stranger->lke, &found), -1);
    int three = 3;
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &three, &found), -1);
    items[1]->lke.pNxt = &items[2]->lke;

    // A count above what the links hold.
    list.iCnt = 5;
    int four = 4;
    EXPECT_EQ(VkeSubSchLke(sub, VKE_LKE_BY_NO, &list, &four, &found), -1);
    Lki* copy = nullptr;
    EXPECT_EQ(VkeSubDupLki(sub, 1, &copy, &list, sizeof(Lke)), -1);
    EXPECT_EQ(copy, nullptr);
    EXPECT_EQ(VkeSubTermLki(sub, &list), -1); // every element is still freed
    EXPECT_EQ(list.iCnt, 0);
    EXPECT_EQ(list.pHead, nullptr);
    Free(stranger);
}

TEST_F(Lists, EditFlagsAndWindowMessages)
{
    EditFlag a, b;
    memset(&a, 0x55, sizeof(a));
    ASSERT_EQ(VkeSubInitEditFlag(sub, &a), 0);
    const int* words = &a.iUnd;
    for (size_t i = 0; i < sizeof(a) / sizeof(int); ++i) EXPECT_EQ(words[i], 0);
    EXPECT_EQ(sizeof(EditFlag), 41 * sizeof(int));
    a.iRdo = 1;
    a.aiRsv[34] = 7;
    ASSERT_EQ(VkeSubCopyEditFlag(sub, &b, &a), 0);
    EXPECT_EQ(b.iRdo, 1);
    EXPECT_EQ(b.aiRsv[34], 7);
    EXPECT_EQ(VkeSubInitEditFlag(sub, nullptr), -9);
    EXPECT_EQ(VkeSubCopyEditFlag(sub, &b, nullptr), -9);

    int result = 0;
    WndMsg m = {reinterpret_cast<HWND>(1), 2, 3, &result}, n;
    ASSERT_EQ(VkeSubCopyWndMsg(sub, &n, &m), 0);
    EXPECT_EQ(n.piResult, &result);
    EXPECT_EQ(n.iKind, 3);
    ASSERT_EQ(VkeSubInitWndMsg(sub, &n), 0);
    EXPECT_EQ(n.hWnd, nullptr);
    EXPECT_EQ(n.piResult, nullptr);
    EXPECT_EQ(VkeSubInitWndMsg(sub, nullptr), -9);
}

TEST(ListsUninitialised, NeedAnInitialisedObjectExceptFreeAndTerm)
{
    EXPECT_EQ(VkeSubAddLke(nullptr, nullptr, nullptr), -9);
    VkiSub* sub = nullptr;
    ASSERT_EQ(VkeSubAlloc(&sub), 0);
    Lke* e = nullptr;
    Lki list = {};
    EditFlag flags;
    EXPECT_EQ(VkeSubAllocLke(sub, 1, &e, sizeof(Lke)), -6);
    EXPECT_EQ(VkeSubInitLki(sub, 1, &list, sizeof(Lke)), -6);
    EXPECT_EQ(VkeSubAddLke(sub, &list, e), -6);
    EXPECT_EQ(VkeSubInitEditFlag(sub, &flags), -6);
    EXPECT_EQ(VkeSubFreeLke(sub, &e), 0);
    EXPECT_EQ(VkeSubTermLki(sub, &list), 0);
    VkeSubFree(&sub);
}
