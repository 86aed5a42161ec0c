// The application records: their initial values and refusals, the key searches of the file-type
// list, an image page's undo data with its bitmap, the list made from the image service's filters
// and the files it calls images.
#include "TestAplVka.h"
#include "CmnImg.h"

namespace {

class DatTest : public VkaTest {
protected:
    void SetUp() override
    {
        VkaTest::SetUp();
        ASSERT_EQ(Start(), 0);
    }
    static Dat** Out(void* p) { return reinterpret_cast<Dat**>(p); }
    // The busy blocks of every heap of the process (the engine's and the program's included).
    static int HeapBlocks()
    {
        HANDLE heaps[64];
        DWORD n = GetProcessHeaps(64, heaps);
        int blocks = 0;
        for (DWORD i = 0; i < n && i < 64; ++i) {
            PROCESS_HEAP_ENTRY e = {};
            HeapLock(heaps[i]);
            while (HeapWalk(heaps[i], &e)) blocks += (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0;
            HeapUnlock(heaps[i]);
        }
        return blocks;
    }
};

COLORREF Pixel(HBITMAP b)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    COLORREF c = GetPixel(dc, 0, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

} // namespace

TEST_F(DatTest, RecordsStartWithTheirValuesAndRefuseASetPointer)
{
    const int codes[] = {VkaCodFei, VkaCodFte, VkaCodFti, VkaCodFri, VkaCodPri, VkaCodPoi, VkaCodIci, VkaCodOpi};
    for (int code : codes) {
        Dat* p = nullptr;
        ASSERT_EQ(theVkaSubDat.AllocDat(code, &p), 0) << std::hex << code;
        Dat* kept = p;
        EXPECT_EQ(theVkaSubDat.AllocDat(code, &p), -7);
        EXPECT_EQ(p, kept);
        // A record that holds texts (all but the cut frame's) is ended before it starts again.
        EXPECT_EQ(theVkaSubDat.InitDat(code, p), code == VkaCodFri ? 0 : -7) << std::hex << code;
        switch (code) {
        case VkaCodFri:
            EXPECT_EQ(static_cast<Fri*>(p)->iMode, 3);
            break;
        case VkaCodPoi:
            EXPECT_EQ(static_cast<Poi*>(p)->fri.iMode, 3);
            EXPECT_EQ(static_cast<Poi*>(p)->pri.iMode, 4);
            EXPECT_EQ(static_cast<Poi*>(p)->pri.iOrientation, 3);
            break;
        case VkaCodIci: {
            Ici* r = static_cast<Ici*>(p);
            EXPECT_EQ(r->iModeSca * r->lScaNum * r->lScaDen, 1);
            EXPECT_EQ(r->poi.pri.iMode, 4);
            break;
        }
        case VkaCodOpi:
            EXPECT_EQ(static_cast<Opi*>(p)->iFrmMode, 3);
            EXPECT_EQ(static_cast<Opi*>(p)->iOrientation, 3);
            break;
        }
        EXPECT_EQ(theVkaSubDat.FreeDat(code, &p), 0);
        EXPECT_EQ(p, nullptr);
    }
    Dat* p = nullptr;
    EXPECT_EQ(theVkaSubDat.AllocDat(0x1000009, &p), -9);
    EXPECT_EQ(theVkaSubDat.AllocDat(VkaCodFri, nullptr), -9);
    EXPECT_EQ(Traced().size(), 8u + 7u + 2u) << "each refusal reported";
}

TEST_F(DatTest, AnImagePageRecordWithPrinterBlocksIsEndedBeforeItStartsAgain)
{
    Ici* ici = nullptr;
    ASSERT_EQ(theVkaSubDat.AllocDat(VkaCodIci, Out(&ici)), 0);
    ASSERT_EQ(theVkaSubDat.TermDat(VkaCodIci, ici), 0);
    ici->hDevNames = GlobalAlloc(GMEM_MOVEABLE, 64);
    EXPECT_EQ(theVkaSubDat.InitDat(VkaCodIci, ici), -7);
    EXPECT_NE(ici->hDevNames, nullptr) << "the blocks are left alone";
    ASSERT_EQ(theVkaSubDat.TermDat(VkaCodIci, ici), 0);
    EXPECT_EQ(ici->hDevNames, nullptr) << "ended: the blocks freed";
    EXPECT_EQ(theVkaSubDat.InitDat(VkaCodIci, ici), 0);
    theVkaSubDat.FreeDat(VkaCodIci, Out(&ici));
}

TEST_F(DatTest, KeySearchesGoRoundFromTheCursor)
{
    Lki* types = &theAppInf.fti.lkiFte;
    Fte* jpeg = nullptr;
    ASSERT_EQ(theVkaSubDat.SchFteByKey(1, &jpeg), 0);
    EXPECT_EQ(jpeg->iFmtCod, 1);
    EXPECT_EQ(types->pCur, jpeg->lke.pNxt) << "the cursor after the match";
    Fte* again = nullptr;
    ASSERT_EQ(theVkaSubDat.SchFteByKey(1, &again), 0) << "found again, round from the tail";
    EXPECT_EQ(again, jpeg);
    Fte* first = nullptr;
    ASSERT_EQ(theVkaSubDat.SchFte(1, &first), 0);
    EXPECT_EQ(first->iFmtCod, VkaFmtAllImg) << "every image first";

    // An extension in a type's own list; none gives -12, untraced.
    Dat* fei = nullptr;
    ASSERT_EQ(theVkaSubDat.SchDat(VkaCodFei, VkaSchKey, &jpeg->lkiFei, const_cast<char*>("jpg"), &fei), 0);
    EXPECT_EQ(jpeg->lkiFei.pCur, static_cast<Fei*>(fei)->lke.pNxt ? static_cast<Fei*>(fei)->lke.pNxt : jpeg->lkiFei.pHead);
    EXPECT_EQ(theVkaSubDat.SchDat(VkaCodFei, VkaSchKey, &jpeg->lkiFei, const_cast<char*>("png"), &fei), -12);
    EXPECT_EQ(fei, nullptr);
    size_t traced = Traced().size();
    EXPECT_EQ(traced, 0u);
    int bad = 6;
    EXPECT_EQ(theVkaSubDat.SchDat(VkaCodFte, VkaSchKey, types, &bad, &fei), -9);
    EXPECT_EQ(theVkaSubDat.SchFteByKey(0, &jpeg), -9);
    EXPECT_EQ(theVkaSubDat.SchFte(0, &jpeg), -9);
    EXPECT_EQ(theVkaSubDat.SchDat(VkaCodFei, VkaSchKey, types, const_cast<char*>("jpg"), &fei), -9)
        << "a Fei is searched in a type's list only";
    EXPECT_EQ(Traced().size(), 4u);
}

TEST_F(DatTest, ATypeCopiesItsExtensionsAndRemovalFrees)
{
    Fte* png = nullptr;
    ASSERT_EQ(theVkaSubDat.SchFteByKey(5, &png), 0);
    Fte* copy = nullptr;
    ASSERT_EQ(theVkaSubDat.DupDat(VkaCodFte, Out(&copy), png), 0);
    EXPECT_EQ(copy->lkiFei.iCnt, png->lkiFei.iCnt);
    EXPECT_EQ(copy->lkiFei.iKind, VkaCodFte);
    EXPECT_EQ(Text(copy->amExtLst), Text(png->amExtLst));
    EXPECT_NE(copy->lkiFei.pHead, png->lkiFei.pHead);
    Dat* none = nullptr;
    ASSERT_EQ(theVkaSubDat.DelDat(VkaCodFei, VkaSchKey, &copy->lkiFei, const_cast<char*>("png"), &none), 0);
    EXPECT_EQ(none, nullptr) << "removed and freed";
    EXPECT_EQ(copy->lkiFei.iCnt, png->lkiFei.iCnt - 1);
    EXPECT_EQ(theVkaSubDat.FreeDat(VkaCodFte, Out(&copy)), 0);
}

TEST_F(DatTest, UndoDataOfAPageRecordTakesItsBitmapBack)
{
    Ici* page = nullptr;
    ASSERT_EQ(theVkaSubDat.EditDat(1, VkaCodIci, Out(&page), nullptr, nullptr), 0);
    page->pthImg.hImg = MakeDib(30, 20, RGB(200, 10, 10));
    page->pthImg.iWidth = 30;
    page->iModeSca = 2;
    page->dRotate = 90;
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &page->pthImg.amPath, "C:\\画像\\表示.png");
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &page->poi.pri.amHeader, "見出し");
    Ici* snapshot = nullptr;
    ASSERT_EQ(theVkaSubDat.EditDat(6, VkaCodIci, Out(&snapshot), Out(&page), nullptr), 0);
    ASSERT_NE(snapshot->pthImg.hImg, page->pthImg.hImg) << "the snapshot has its own bitmap";

    // The page changes: another image and values; then the snapshot is put back.
    theCmnImg.CloseImage(&page->pthImg.hImg);
    page->pthImg.hImg = MakeDib(5, 5, RGB(0, 0, 255));
    page->iModeSca = 1;
    page->dRotate = 0;
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &page->poi.pri.amHeader, "");
    ASSERT_EQ(theVkaSubDat.EditDat(8, VkaCodIci, nullptr, Out(&snapshot), page), 0);
    int width = 0, height = 0, bits = 0;
    ASSERT_EQ(theCmnImg.GetImageInf(page->pthImg.hImg, &width, &height, &bits), 0);
    EXPECT_EQ(width, 30);
    EXPECT_EQ(height, 20);
    EXPECT_EQ(Pixel(page->pthImg.hImg), RGB(200, 10, 10));
    EXPECT_EQ(page->iModeSca, 2);
    EXPECT_EQ(page->dRotate, 90);
    EXPECT_EQ(Text(page->pthImg.amPath), "C:\\画像\\表示.png");
    EXPECT_EQ(Text(page->poi.pri.amHeader), "見出し");

    EXPECT_EQ(theVkaSubDat.EditDat(0, VkaCodIci, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(theVkaSubDat.EditDat(9, VkaCodIci, Out(&page), Out(&snapshot), nullptr), -9);
    EXPECT_EQ(theVkaSubDat.EditDat(6, VkaCodOpi, Out(&page), Out(&snapshot), nullptr), -9);
    EXPECT_EQ(theVkaSubDat.EditDat(2, VkaCodIci, Out(&snapshot), nullptr, nullptr), 0);
    EXPECT_EQ(snapshot, nullptr);
    EXPECT_EQ(theVkaSubDat.EditDat(2, VkaCodIci, Out(&page), nullptr, nullptr), 0);
}

TEST_F(DatTest, TheFileTypeListKnowsTheImageExtensions)
{
    const struct {
        const char* path;
        int supported;
    } rows[] = {
        {"C:\\写真\\X.JPG", 1}, {"a.jpeg", 1}, {"a.png", 1}, {"a.bmp", 1}, {"a.gif", 1},
        {"a.tif", 1},           {"a.ico", 1},  {"a.txt", 0}, {"a", 0},     {"a.", 0},
        // "*" stands only under every file (-3), which no search of images looks at.
        {"a.*", 0},
    };
    for (const auto& r : rows) EXPECT_EQ(theVkaSubDat.IsSupportedFile(r.path), r.supported) << r.path;
    EXPECT_EQ(theVkaSubDat.IsFileOfType("a.JPEG", 1), 1);
    EXPECT_EQ(theVkaSubDat.IsFileOfType("a.png", 1), 0);
    EXPECT_EQ(theVkaSubDat.IsFileOfType("a.ico", -1), 0) << "types 1 to 5 only";
    EXPECT_EQ(std::string(theVkaSubDat.GetFmtExt(5)), "png");
    EXPECT_FALSE(theVkaSubDat.GetFmtDes(1).IsEmpty());
    EXPECT_TRUE(theVkaSubDat.GetFmtExt(0).IsEmpty());

    // The filter: every image first, each entry "description (list)|list|", closed by "|".
    const std::string filter = Text(theAppInf.fti.amFilter);
    EXPECT_EQ(filter.rfind("すべての画像ファイル (*.", 0), 0u) << filter;
    EXPECT_NE(filter.find("|*.*||"), std::string::npos) << "every file last";
    EXPECT_EQ(filter.find("*.;"), std::string::npos) << "no empty extension";
    EXPECT_TRUE(Traced().empty());
}

TEST_F(DatTest, MakingAndEndingTheTypeListLeaksNothing)
{
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(theVkaSubDat.TermFti(), 0);
        ASSERT_EQ(theVkaSubDat.InitFti(), 0);
    }
    const int blocks = HeapBlocks();
    const DWORD gdi = VktGdiObjects();
    for (int round = 0; round < 1000; ++round) {
        ASSERT_EQ(theVkaSubDat.TermFti(), 0);
        ASSERT_EQ(theVkaSubDat.InitFti(), 0);
    }
    EXPECT_LE(HeapBlocks(), blocks);
    EXPECT_LE(VktGdiObjects(), gdi);
}
