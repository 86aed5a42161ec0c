// The open-information file: its header and rows, reading it into pages of the test view (the
// read rules, rows of pages open already, bad input), writing the pages (the filters, appending
// in a file's own version, the backup and what a failed write leaves), the start and the command
// line reading it, and the direct image changes a row brings.
#include "TestVkaOpn.h"
#include "CmnImg.h"
#include "VkaSubOpi.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
const char kTail[] = ",0,0,0,0,0,0,0,0\r\n"; // margins and frame all 0

std::string Full(const std::string& path)
{
    char full[CmnPathSize] = {};
    VkeSubGetPathName(theCmnAppInf.pSub, full, path.c_str(), sizeof(full));
    return full;
}

std::string Header() { return std::string(VkaSubOpi::GetHeader()); }

// A row of the record as this program writes it (version 1.02, or 1.0's order).
std::string Row(Opi* opi, double version = VkaSubOpi::Version)
{
    CString line;
    EXPECT_EQ(VkaSubOpi::WriteRow(opi, version, &line), VKE_OK);
    return std::string(line);
}

COLORREF Pixel(HBITMAP image, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

// An Opi record for the test's scope.
class TestOpi {
public:
    TestOpi() { EXPECT_EQ(theVkaSubDat.AllocDat(VkaCodOpi, reinterpret_cast<Dat**>(&p)), VKE_OK); }
    ~TestOpi() { theVkaSubDat.FreeDat(VkaCodOpi, reinterpret_cast<Dat**>(&p)); }
    // The row read into a fresh record, then written back (empty when the row was refused).
    std::string Read(const char* line, double version = VkaSubOpi::Version)
    {
        theVkaSubDat.TermDat(VkaCodOpi, p);
        theVkaSubDat.InitDat(VkaCodOpi, p);
        rc = VkaSubOpi::ReadRow(line, version, p, &bad);
        return rc == VKE_OK ? Row(p) : "";
    }
    Opi* p = nullptr;
    int rc = 0;
    bool bad = true; // a value was no number
};

} // namespace

class OpiTest : public OpnTest {
protected:
    void SetUp() override
    {
        OpnTest::SetUp();
        a = dir / "a.bmp";
        b = dir / "b.bmp";
        c = dir / "表ソ.bmp";
        for (const std::string& path : {a, b, c}) MakeBmp(path, 40, 20, kRed, kBlue);
        csv = dir / "open.csv";
        // The page set-up's margins as the printer's start leaves them.
        theCmnAppInf.rctPrintMargin = RECT{0, 0, 0, 0};
    }
    // A file of the header and the rows (each ended by CR LF).
    void Write(const std::vector<std::string>& rows, const std::string& header = Header())
    {
        std::string text = header;
        for (const std::string& row : rows) text += row + "\r\n";
        ASSERT_TRUE(VktWriteFile(csv, text));
    }
    int Read(int onlyLocked = 0, int openLocked = 1) { return view->ReadOpenInfo(csv.c_str(), 0, onlyLocked, openLocked); }
    std::string Quoted(const std::string& path) { return "\"" + Full(path) + "\""; }

    std::string a, b, c, csv;
};

TEST_F(OpiTest, TheHeaderAndTheRowsOfTheFormat)
{
    EXPECT_EQ(Header(), "//*** (Version 1.02) *** 画像のフルパス名,頁ロック,回転,左右反転,上下反転,枠線モード,枠線表示,"
                        "頁設定の値,横に合わせる,横,縦,用紙方向,印刷時の余白（左）,印刷時の余白（上）,印刷時の余白（右）,"
                        "印刷時の余白（下）,枠線（左）,枠線（上）,枠線（右）,枠線（下）\r\n");
    const struct {
        const char* line;
        int rc;
        double version;
    } headers[] = {{"//*** (Version 1.02) *** 画像のフルパス名,頁ロック", VKE_OK, 1.02},
                   {"//*** (Version 1.0) *** x", VKE_OK, 1.0},
                   {"//*** (Version ,1.02", VKE_ERR_MSGFILE, 0},
                   {"\"C:\\a.jpg\",1", VKE_ERR_MSGFILE, 0}};
    for (const auto& h : headers) {
        double version = -1;
        EXPECT_EQ(VkaSubOpi::ReadVersion(h.line, &version), h.rc) << h.line;
        EXPECT_EQ(version, h.version) << h.line;
    }

    // Rows read, then written back: the read rules bring each value into its range.
    const struct {
        const char* line;
        const char* row;
    } rows[] = {
        // A path alone: the record's defaults, a frame size of at least 1.
        {"\"C:\\a.jpg\"", "\"C:\\a.jpg\",0,0.000000,0,0,3,0,0,0,1,1,3,0,0,0,0,0,0,0,0\r\n"},
        // Margins are distances: equal ones stay.
        {"\"C:\\b.jpg\",1,90,1,0,2,1,1,0,640,480,4,1000,1000,1000,1000,10,20,110,220",
         "\"C:\\b.jpg\",1,90.000000,1,0,2,1,1,0,640,480,4,1000,1000,1000,1000,10,20,110,220\r\n"},
        {"\"C:\\c.jpg\",2,45,3,-1,7,5,2,9,0,-5,0,-1,-2,-3,-4,-1,0,0,0",
         "\"C:\\c.jpg\",0,0.000000,0,0,3,0,1,1,1,1,3,0,0,0,0,0,0,0,0\r\n"},
        // A frame narrower than a pixel is none, nor shown.
        {"\"C:\\d.jpg\",0,270,0,1,1,1,0,1,5,5,1,0,0,0,0,30,5,30,50",
         "\"C:\\d.jpg\",0,270.000000,0,1,1,0,0,1,5,5,1,0,0,0,0,0,0,0,0\r\n"},
        // Quotes honoured, blanks trimmed, extra fields ignored, a path without quotes.
        {" \" C:\\e,\"\"f\"\".jpg \" , 1 ,180,,,,,,,,,,,,,,,,,,99,99",
         "\"C:\\e,\"\"f\"\".jpg\",1,180.000000,0,0,3,0,0,0,1,1,3,0,0,0,0,0,0,0,0\r\n"},
        {"C:\\画像\\表.jpg,1", "\"C:\\画像\\表.jpg\",1,0.000000,0,0,3,0,0,0,1,1,3,0,0,0,0,0,0,0,0\r\n"},
        {",1,90", ""},
        {"\"\",1", ""},
    };
    TestOpi opi;
    for (const auto& r : rows) {
        EXPECT_EQ(opi.Read(r.line), r.row) << r.line;
        EXPECT_EQ(opi.rc, *r.row ? VKE_OK : VKE_ERR_MSGFILE) << r.line;
        EXPECT_FALSE(opi.bad) << r.line;
    }
    // A value that is no number (letters, a fraction, past an int) reads as one out of range,
    // and the row says so.
    const struct {
        const char* line;
        const char* row;
    } odd[] = {
        {"\"C:\\f.jpg\",x,abc,y,1,z,1,q,0,w,h,o,-,1e3,0x10,5,a,b,c,d",
         "\"C:\\f.jpg\",0,0.000000,0,1,3,0,1,0,1,1,3,0,0,0,5,0,0,0,0\r\n"},
        {"\"C:\\g.jpg\",1,90.5,1,0,2,0,0,1,1.5,99999999999,4",
         "\"C:\\g.jpg\",1,0.000000,1,0,2,0,0,1,1,1,4,0,0,0,0,0,0,0,0\r\n"},
    };
    for (const auto& r : odd) {
        EXPECT_EQ(opi.Read(r.line), r.row) << r.line;
        EXPECT_EQ(opi.rc, VKE_OK) << r.line;
        EXPECT_TRUE(opi.bad) << r.line;
    }
    // The column titled "左右反転" holds the top-bottom flag.
    opi.Read("\"C:\\a.jpg\",0,0,1,0");
    EXPECT_EQ(opi.p->bFlpTb, 1);
    EXPECT_EQ(opi.p->bFlpLr, 0);

    // Version 1.0 holds margins and frame left, right, top, bottom.
    const char* v10 = "\"C:\\v.jpg\",0,0,0,0,3,1,1,1,5,5,3,11,13,12,14,21,23,22,24";
    EXPECT_EQ(opi.Read(v10, 1.0), "\"C:\\v.jpg\",0,0.000000,0,0,3,1,1,1,5,5,3,11,12,13,14,21,22,23,24\r\n");
    EXPECT_EQ(opi.p->rctMargin.top, 12);
    EXPECT_EQ(Row(opi.p, 1.0), std::string(v10).replace(13, 1, "0.000000") + "\r\n");
}

TEST_F(OpiTest, ReadingOpensTheRowsAndAppliesEachToItsPage)
{
    Write({"// a comment", Quoted(a) + ",1", Quoted(b) + ",0,90,1,0,1,1,0,0,16,9,4,100,200,300,400,2,3,12,8",
           Quoted(dir / "無い.bmp") + ",1", "", ",0,90", Quoted(c)});
    std::vector<int> reading;
    view->onOpen = [&](const char*) {
        int flag = -1;
        app->GetFlgOpnInf(&flag);
        reading.push_back(flag);
    };
    VktMsgBox answer({IDOK, IDNO, IDYES, IDCANCEL});
    EXPECT_EQ(view->ReadOpenInfo(csv.c_str(), 1, 0, 1), VKE_ERR_MSGFILE) << "the row without a path";
    // Said once, naming the file; the missing image is skipped silently.
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "正しく読み込めなかった行があります。\n\n" + Full(csv));
    ASSERT_EQ(view->pages.size(), 3u);
    EXPECT_EQ(reading, (std::vector<int>{1, 1, 1}));
    int flag = -1;
    app->GetFlgOpnInf(&flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(Text(theAppInf.ooi.amOpiPathName), csv);
    EXPECT_EQ(view->locks, (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(view->cur, 0) << "the first page opened is selected";

    // Turned clockwise, then flipped top to bottom: blue on top of red. The row's values are the
    // page's (the frame is kept shown on a page that is not current).
    const Ici& ici = *view->pages[1]->GetIci();
    ASSERT_EQ(ici.pthImg.iWidth, 20);
    EXPECT_EQ(Pixel(ici.pthImg.hImg, 10, 5), kBlue);
    EXPECT_EQ(Pixel(ici.pthImg.hImg, 10, 35), kRed);
    EXPECT_EQ(ici.dRotate, 90);
    EXPECT_EQ(ici.bFlpTb, 1);
    EXPECT_EQ(ici.poi.fri.bShwFrm, 1);
    EXPECT_EQ(ici.poi.fri.iWidth, 16);
    EXPECT_EQ(ici.poi.pri.iOrientation, 4);
    EXPECT_EQ(CRect(ici.rctMargin), CRect(100, 200, 300, 400));
    EXPECT_EQ(CRect(ici.rctFrm), CRect(2, 3, 12, 8));

    // A row of a page open already asks: No leaves the page, Yes reloads it and applies the row
    // once; Cancel stops.
    Write({Quoted(b) + ",0,90"});
    EXPECT_EQ(Read(), VKE_OK);
    EXPECT_EQ(ici.pthImg.iWidth, 20);
    EXPECT_EQ(ici.bFlpTb, 1);
    EXPECT_EQ(Read(), VKE_OK);
    EXPECT_EQ(ici.pthImg.iWidth, 20) << "turned once from the file";
    EXPECT_EQ(ici.bFlpTb, 0);
    EXPECT_EQ(Read(), VKE_STOPPED);
    ASSERT_EQ(answer.Count(), 4);
    EXPECT_EQ(answer.Seen()[1].text.rfind("ファイルを既に開いています。", 0), 0u);
    EXPECT_EQ(view->pages.size(), 3u);

    // Only the locked rows, opened unlocked.
    view->CloseAll();
    Write({Quoted(a) + ",0", Quoted(b) + ",1"});
    EXPECT_EQ(Read(1, 0), VKE_OK);
    ASSERT_EQ(view->pages.size(), 1u);
    EXPECT_EQ(std::string(view->pages[0]->GetPathName()), Full(b));
    EXPECT_EQ(view->locks[0], 0);

    // A row's turn and flips of 0 are the page's too.
    TestOpi unturned;
    unturned.Read((Quoted(b) + ",0,0,0,0").c_str());
    Ici& own = *view->pages[0]->GetIci();
    own.dRotate = 90;
    own.bFlpTb = own.bFlpLr = 1;
    ASSERT_EQ(view->pages[0]->GetOpi(unturned.p), VKE_OK);
    EXPECT_EQ(own.dRotate, 0);
    EXPECT_EQ(own.bFlpTb + own.bFlpLr, 0);

    EXPECT_EQ(view->ReadOpenInfo((dir / "none.csv").c_str(), 0, 0, 0), VKE_NOT_DONE);
    EXPECT_EQ(view->ReadOpenInfo(csv.c_str(), 0, 2, 0), VKE_ERR_ARG);
    EXPECT_EQ(answer.Count(), 4);
}

// Damaged files: the good rows open, and a file with lines that could not be used (a missing
// header, a row without a path, a line too long or binary, a value that is no number) says so
// once, naming the file. A row whose image is gone is left out without a word.
TEST_F(OpiTest, BadInputOpensWhatItCanAndSaysSoOnce)
{
    const std::string row = Quoted(c) + ",1,90";
    const struct {
        std::string text;
        int rc;
        size_t pages;
    } files[] = {
        {"", VKE_OK, 0},
        {"\r\n  \r\n" + Header() + "//" + row + "\r\n", VKE_OK, 0},
        // The header's line is not read as a row.
        {row + "\r\n" + Quoted(a) + "\r\n", VKE_ERR_MSGFILE, 1},
        {"//\r\n" + row + "\r\n", VKE_ERR_MSGFILE, 1},
        // A line past 2047 bytes and one holding binary bytes are malformed; the rows around them
        // are read (LF alone ends a line too).
        {Header() + "\"" + std::string(5000, 'x') + "\"\r\n" + row + "\n", VKE_ERR_MSGFILE, 1},
        {Header() + std::string("\x01\x00\xff\x81", 4) + "\r\n" + row, VKE_ERR_MSGFILE, 1},
        {Header() + "\"" + Full(dir / "無い.bmp") + "\"\r\n\"" + Full(dir.Path()) + "\"\r\n", VKE_OK, 0},
        // Several bad lines: one message.
        {Header() + Quoted(a) + ",x,abc\r\n,1\r\n\"\"\r\n" + Quoted(b) + "\r\n", VKE_ERR_MSGFILE, 2},
        {Header() + row + "\x1a", VKE_OK, 1},
    };
    VktMsgBox answer({IDOK});
    for (const auto& f : files) {
        view->CloseAll();
        ASSERT_TRUE(VktWriteFile(csv, f.text));
        const int told = answer.Count();
        EXPECT_EQ(Read(), f.rc) << f.text.substr(0, 80);
        EXPECT_EQ(view->pages.size(), f.pages) << f.text.substr(0, 80);
        ASSERT_EQ(answer.Count() - told, f.rc == VKE_ERR_MSGFILE ? 1 : 0) << f.text.substr(0, 80);
        if (f.rc == VKE_ERR_MSGFILE) {
            EXPECT_EQ(answer.Seen().back().text, "正しく読み込めなかった行があります。\n\n" + Full(csv));
        }
    }
    const int told = answer.Count();
    EXPECT_EQ(view->pages[0]->GetIci()->pthImg.iWidth, 20) << "the Japanese path's row applied";

    // Asked for while an opening runs: nothing is read (3), and the file is not said to be bad.
    view->CloseAll();
    ASSERT_TRUE(VktWriteFile(csv, Header() + row + "\r\n"));
    ASSERT_EQ(app->BeginOpenFile(), VKE_OK);
    EXPECT_EQ(Read(), VKE_STOPPED);
    app->EndOpenFile(VKE_OK);
    EXPECT_EQ(view->pages.size(), 0u);
    EXPECT_EQ(answer.Count(), told);
}

TEST_F(OpiTest, WritingListsThePagesInTabOrderWithItsFilters)
{
    for (const std::string& path : {a, b, c}) ASSERT_NE(Open(path), nullptr);
    ASSERT_NE(Open(""), nullptr) << "a page without a file has no row";
    view->locks[1] = 1;
    // The selected-image page's tab is locked; its row says 0.
    view->selImg = view->pages[2];
    view->locks[2] = 1;
    Ici& ici = *view->pages[1]->GetIci();
    ici.dRotate = 180;
    ici.bFlpLr = 1;
    ici.poi.fri.iMode = 2;
    ici.poi.fri.bPagSet = 1; // written 0 unless the mode is 3
    ici.rctMargin = RECT{1, 2, 3, 4};
    ici.rctFrm = RECT{5, 6, 7, 8};
    const std::string out = dir / "out.csv", bak = dir / "out.bak";
    const std::string rowA = Quoted(a) + ",0,0.000000,0,0,3,0,1,1,40,20,3" + kTail;
    const std::string rowB = Quoted(b) + ",1,180.000000,0,1,2,0,0,1,40,20,3,1,2,3,4,5,6,7,8\r\n";
    const std::string rowC = Quoted(c) + ",0,0.000000,0,0,3,0,1,1,40,20,3" + kTail;
    const struct {
        int onlyLocked, withSelImg;
        std::string rows;
    } filters[] = {{0, 0, rowA + rowB}, {0, 1, rowA + rowB + rowC}, {1, 0, rowB}, {1, 1, rowB + rowC}};
    for (const auto& f : filters) {
        EXPECT_EQ(view->WriteOpenInfo(out.c_str(), 0, f.onlyLocked, 0, f.withSelImg, 0), VKE_OK);
        EXPECT_EQ(VktReadFile(out), Header() + f.rows) << f.onlyLocked << f.withSelImg;
    }
    view->locks[1] = 0;
    EXPECT_EQ(view->WriteOpenInfo(out.c_str(), 1, 1, 0, 0, 0), VKE_OK);
    EXPECT_EQ(VktReadFile(out), Header()) << "no locked page: the header alone";
    EXPECT_EQ(Text(theAppInf.ooi.amOpiPathName), out);

    // A saved page's file holds its turn already, but not its cut frame: shown or not, it stays.
    view->pages[1]->SetSavedFlag(1);
    ici.poi.fri.bShwFrm = 1;
    EXPECT_EQ(view->WriteOpenInfo(out.c_str(), 0, 0, 0, 0, 0), VKE_OK);
    EXPECT_EQ(VktReadFile(out), Header() + rowA + Quoted(b) + ",0,0.000000,0,0,2,1,0,1,40,20,3,1,2,3,4" +
                                    ",5,6,7,8\r\n");
    ici.poi.fri.bShwFrm = 0;

    // Appending: no header; a version-1.0 file gets its own column order.
    const std::string v10 = "//*** (Version 1.0) *** old\r\n";
    ASSERT_TRUE(VktWriteFile(out, v10));
    view->locks[1] = 1;
    EXPECT_EQ(view->WriteOpenInfo(out.c_str(), 0, 1, 1, 0, 0), VKE_OK);
    EXPECT_EQ(VktReadFile(out), v10 + Quoted(b) + ",1,0.000000,0,0,2,0,0,1,40,20,3,1,3,2,4,5,7,6,8\r\n");

    EXPECT_EQ(view->WriteOpenInfo("", 0, 0, 0, 0, 0), VKE_ERR_ARG);
    EXPECT_EQ(view->WriteOpenInfo(out.c_str(), 0, 0, 2, 0, 0), VKE_ERR_ARG);
    EXPECT_EQ(Traced("WriteOpenInfo"), 2);
}

TEST_F(OpiTest, TheBackupKeepsTheOldFileAndAFailedWriteLosesNothing)
{
    ASSERT_NE(Open(a), nullptr);
    const std::string out = dir / "保存.csv", bak = dir / "保存.bak", old = Header() + "old\r\n";
    const std::string rowA = Quoted(a) + ",0,0.000000,0,0,3,0,1,1,40,20,3" + kTail;
    ASSERT_TRUE(VktWriteFile(out, old));
    ASSERT_TRUE(VktWriteFile(bak, "older"));
    // A new file: the old one becomes the backup.
    EXPECT_EQ(view->WriteOpenInfo(out.c_str(), 0, 0, 0, 0, 1), VKE_OK);
    EXPECT_EQ(VktReadFile(bak), old);
    EXPECT_EQ(VktReadFile(out), Header() + rowA);
    // Appending: the backup is a copy.
    EXPECT_EQ(view->WriteOpenInfo(out.c_str(), 0, 0, 1, 0, 1), VKE_OK);
    EXPECT_EQ(VktReadFile(bak), Header() + rowA);
    EXPECT_EQ(VktReadFile(out), Header() + rowA + rowA);

    // A row that fails: the file and its backup are as they were, whichever way it was written.
    ASSERT_TRUE(VktWriteFile(out, old));
    view->lockFail = VKE_ERR_SYSTEM;
    for (int append : {0, 1}) {
        for (int backup : {0, 1}) {
            EXPECT_EQ(view->WriteOpenInfo(out.c_str(), 0, 1, append, 0, backup), VKE_ERR_SYSTEM);
            EXPECT_EQ(VktReadFile(out), old) << append << backup;
        }
    }
    EXPECT_EQ(VktReadFile(bak), Header() + rowA);
    const std::string fresh = dir / "new.csv";
    EXPECT_EQ(view->WriteOpenInfo(fresh.c_str(), 0, 1, 0, 0, 1), VKE_ERR_SYSTEM);
    EXPECT_EQ(GetFileAttributesA(fresh.c_str()), INVALID_FILE_ATTRIBUTES) << "a file made is deleted";
    view->lockFail = 0;

    // A read-only target, or a folder, is not written: it and its backup stay.
    ASSERT_TRUE(VktWriteFile(bak, "older"));
    ASSERT_TRUE(SetFileAttributesA(out.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(view->WriteOpenInfo(out.c_str(), 0, 0, 0, 0, 1), VKE_NOT_DONE);
    SetFileAttributesA(out.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(VktReadFile(out), old);
    EXPECT_EQ(VktReadFile(bak), "older");
    EXPECT_EQ(view->WriteOpenInfo(dir.Path().c_str(), 0, 0, 0, 0, 1), VKE_NOT_DONE);
    EXPECT_EQ(Traced("WriteOpenInfo"), 5) << "the failed rows only";
}

TEST_F(OpiTest, TheNextStartAndTheCommandLineReopenThePages)
{
    ASSERT_NE(Open(a), nullptr);
    DlgImg* second = Open(b);
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(second->RotateImageDirect(90), VKE_OK);
    second->GetIci()->dRotate = 90;
    second->GetIci()->rctFrm = RECT{1, 2, 11, 12};
    second->GetIci()->poi.fri.bShwFrm = 1;
    view->locks[1] = 1;
    // The exit's write, then a start that reopens what it wrote.
    ASSERT_EQ(view->WriteOpenInfo(VkaSubOpi::GetExitPath(), 0, 0, 0, 0, 1), VKE_OK);
    view->CloseAll();
    theAppInf.sopBsi.bOpnOpd = 1;
    theAppInf.sopBsi.bOpnLck = 1;
    theAppInf.bOpnSmpImg = 0; // a later run
    VktMsgBox answer({IDOK});
    EXPECT_EQ(app->InitApp(), VKE_OK);
    EXPECT_EQ(answer.Count(), 0);
    ASSERT_EQ(view->pages.size(), 2u);
    EXPECT_EQ(view->locks, (std::vector<int>{0, 1}));
    const Ici& ici = *view->pages[1]->GetIci();
    EXPECT_EQ(ici.pthImg.iWidth, 20);
    EXPECT_EQ(ici.dRotate, 90);
    EXPECT_EQ(CRect(ici.rctFrm), CRect(1, 2, 11, 12));
    EXPECT_EQ(ici.poi.fri.bShwFrm, 1);
    EXPECT_EQ(Pixel(ici.pthImg.hImg, 10, 5), kRed) << "turned clockwise: the left half on top";

    // "-ik": the file read with the locked pages opened locked.
    view->CloseAll();
    std::string exitPath(VkaSubOpi::GetExitPath());
    std::vector<std::string> args = {"Pictavo.exe", "-ik", exitPath};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(&arg[0]);
    EXPECT_EQ(app->ParseCommandLine(static_cast<int>(argv.size()), argv.data()), VKE_OK);
    EXPECT_EQ(view->locks, (std::vector<int>{0, 1}));
}

TEST_F(OpiTest, DirectTurnsAndFlipsAreUndoStepsOfTheImage)
{
    DlgImg* page = Open(a);
    ASSERT_NE(page, nullptr);
    const CmnVarPthImg& img = page->GetIci()->pthImg;
    VkiSub* sub = theCmnAppInf.pSub;
    int undo = 1;
    EXPECT_EQ(page->RotateImageDirect(45), VKE_ERR_ARG);
    EXPECT_EQ(page->ReflectImageDirect(2), VKE_ERR_ARG);
    VkeSubGetEditUndFlag(sub, page->GetEui(), &undo);
    EXPECT_EQ(undo, 0) << "a refused turn is no step";

    for (int i = 0; i < 4; ++i) ASSERT_EQ(page->RotateImageDirect(90), VKE_OK);
    EXPECT_EQ(Pixel(img.hImg, 5, 10), kRed);
    ASSERT_EQ(page->ReflectImageDirect(0), VKE_OK);
    EXPECT_EQ(Pixel(img.hImg, 5, 10), kBlue) << "flipped left to right";
    ASSERT_EQ(page->RotateImageDirect(90), VKE_OK);
    EXPECT_EQ(Pixel(img.hImg, 10, 5), kBlue) << "turned clockwise: the left half on top";
    ASSERT_EQ(page->ReflectImageDirect(1), VKE_OK);
    EXPECT_EQ(Pixel(img.hImg, 10, 5), kRed);
    EXPECT_EQ(page->GetModifiedFlag(), 0);
    ASSERT_EQ(VkeSubEditUnd(sub, page->m_hWnd, page->GetEui(), 14, VkaCodIci, page->GetIci(), 0), VKE_OK);
    EXPECT_EQ(Pixel(img.hImg, 10, 5), kBlue) << "one step back: before the last flip";

    DlgImg* empty = Open("");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->RotateImageDirect(90), VKE_NOT_DONE);
    EXPECT_EQ(Traced("RotateImageDirect") + Traced("ReflectImageDirect"), 2);
}
