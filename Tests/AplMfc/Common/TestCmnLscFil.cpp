// The file list: its rules apart from any window (the compare matrix, cells and frames, thumbnail
// scrolling, the filter's pattern), then a list hosted in a window that stands as the main frame
// and records its reports, over folders of a temporary folder on C: (filling, links and empty
// folders, sorting and column clicks, the filter, the settings, both workers stopped and waited
// for, the thumbnails painted from the cache).
#include "TestAplCmn.h"
#include "CmnLscFil.h"
#include "CmnVar.h"
#include <shlobj.h>
#include <algorithm>
#include <atomic>

namespace {

// Another thread holding the image service's lock from construction until Release (or the end).
class LockHolder {
public:
    LockHolder()
    {
        m_thread = CreateThread(nullptr, 0, Hold, &m_phase, 0, nullptr);
        while (m_phase == 0) Sleep(1);
    }
    ~LockHolder() { Release(); }
    void Release()
    {
        if (!m_thread) return;
        m_phase = 2;
        WaitForSingleObject(m_thread, 10000);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }

private:
    static DWORD WINAPI Hold(LPVOID p)
    {
        auto* phase = static_cast<std::atomic<int>*>(p);
        theCmnImg.LockCache(0);
        *phase = 1;
        while (*phase == 1) Sleep(1);
        theCmnImg.UnlockCache(0);
        return 0;
    }
    std::atomic<int> m_phase{0};
    HANDLE m_thread = nullptr;
};

// ---- Elements made by hand for the compare rule ----

class Elements {
public:
    ~Elements()
    {
        for (Dat* p : m_made) m_list.FreeDat(CmnLscFilCodElm, &p);
    }
    // path "" for an item outside the file system; type the type column's text.
    LscFilElm* Make(const char* path, bool folder, double size, int modified, const char* type)
    {
        Dat* p = nullptr;
        EXPECT_EQ(m_list.AllocDat(CmnLscFilCodElm, &p), 0);
        LscFilElm* e = static_cast<LscFilElm*>(p);
        VkeSubSetAppMemStr(theCmnAppInf.pSub, &e->amPath, path);
        VkeSubSetAppMemStr(theCmnAppInf.pSub, &e->amCol[1], type);
        e->bFolder = folder;
        e->bNormal = !folder && *path;
        e->dSize = size;
        e->iTimeMdf = modified;
        m_made.push_back(p);
        return e;
    }

private:
    CmnLscFil m_list;
    std::vector<Dat*> m_made;
};

// ---- A list in a window that stands as the main frame ----

struct Report {
    UINT message;
    std::string path;
};

class ListHost : public CWnd {
public:
    std::vector<Report> reports;
    int focusAsked = 0;

protected:
    LRESULT OnPath(WPARAM, LPARAM lParam)
    {
        reports.push_back({GetCurrentMessage()->message, lParam ? reinterpret_cast<const char*>(lParam) : ""});
        return 1;
    }
    LRESULT OnChgSel(WPARAM, LPARAM lParam)
    {
        const CmnVarItmIdl* sel = reinterpret_cast<const CmnVarItmIdl*>(lParam);
        reports.push_back({CmnWmChgSel, static_cast<const char*>(theCmnSub.GetPathName(sel->pIdl))});
        return 1;
    }
    LRESULT OnActImg(WPARAM, LPARAM)
    {
        reports.push_back({CmnWmActImg, ""});
        return 1;
    }
    LRESULT OnSetFcs(WPARAM, LPARAM)
    {
        ++focusAsked;
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListHost, CWnd)
    ON_MESSAGE(CmnWmOpnDir, &ThisClass::OnPath)
    ON_MESSAGE(CmnWmSelImg, &ThisClass::OnPath)
    ON_MESSAGE(CmnWmChgSel, &ThisClass::OnChgSel)
    ON_MESSAGE(CmnWmActImg, &ThisClass::OnActImg)
    ON_MESSAGE(CmnWmSetFcs, &ThisClass::OnSetFcs)
END_MESSAGE_MAP()

// A list that keeps the results of its workers' bodies.
class RecordingList : public CmnLscFil {
public:
    std::vector<int> fills, warms;
    std::atomic<int> sentBatches{0};
    int SetListCtrlBackground() override
    {
        int rc = CmnLscFil::SetListCtrlBackground();
        fills.push_back(rc);
        return rc;
    }
    int AddImageBackground() override
    {
        int rc = CmnLscFil::AddImageBackground();
        warms.push_back(rc);
        return rc;
    }
};

// A shortcut file to target.
void MakeLink(const std::string& link, const std::string& target)
{
    IShellLinkA* shell = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&shell))));
    shell->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
    EXPECT_TRUE(SUCCEEDED(file->Save(wide, TRUE)));
    file->Release();
    shell->Release();
}

class LscTest : public ImgTest {
protected:
    void SetUp() override
    {
        ImgTest::SetUp();
        LscFii& fii = theCmnAppInf.lscFii;
        const int kinds[6] = {1, 2, 3, 5, 4, 6};
        memcpy(fii.iTypLstCol, kinds, sizeof(kinds));
        for (int& width : fii.iWidthLstCol) width = 90;
        fii.iCntLstColTyp = 4;
        fii.iIdxLstColTyp = 0;
        fii.iModeLstViw = LscModeTmn;
        fii.iWidthTmnImg = fii.iHeightTmnImg = 100;
        fii.bAscent = 1;
        host = new ListHost;
        ASSERT_TRUE(host->CreateEx(0, nullptr, "list", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 620, 480, nullptr,
                                   nullptr));
        theCmnAppInf.pMainFrame = host;
        list = new RecordingList;
        ASSERT_TRUE(list->CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, nullptr,
                                   WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SHOWSELALWAYS | WS_TABSTOP, CRect(0, 0, 600, 440),
                                   host, 1002));
        ASSERT_EQ(list->Init(), 0);
    }
    void TearDown() override
    {
        if (list) {
            list->Term();
            list->DestroyWindow();
            delete list;
        }
        theCmnAppInf.pMainFrame = frame;
        host->DestroyWindow();
        delete host;
        ImgTest::TearDown();
    }
    // The list shows the folder and has ended its filling.
    int Show(const std::string& folder)
    {
        CmnIdl idl(theCmnSub.GetItemIdList(folder.c_str()));
        int rc = list->SetList(0, idl.Get());
        list->WaitThread(0, 0);
        VktPump(0);
        return rc;
    }
    // The thumbnail worker done, and at least that many thumbnails cached (a worker not started
    // yet is waited for so).
    void Thumbnails(int cached = 0)
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 20000;) {
            list->WaitThread(1, 0);
            VktPump(50);
            if (!list->IsActiveThread(1) && theCmnImg.GetCacheCount(0) >= cached) break;
        }
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (int i = 0; i < list->GetItemCount(); ++i) names.push_back(static_cast<const char*>(list->GetItemText(i, 0)));
        return names;
    }
    // As the options do: the list's state into the settings, a field changed, the settings back.
    void Apply(const std::function<void(LscFii&)>& change)
    {
        list->GetLscFii();
        change(theCmnAppInf.lscFii);
        list->SetLscFii();
    }

    VktTempDir dir;
    ListHost* host = nullptr;
    RecordingList* list = nullptr;
};

} // namespace

// ---- Rules ----

TEST_F(ImgTest, TheCompareRuleOrdersFoldersFirstAndTiesByTheShell)
{
    Elements e;
    LscFilElm* folder = e.Make("C:\\a\\sub", true, 0, 50, "フォルダ");
    LscFilElm* other = e.Make("C:\\a\\zzz", true, 0, 70, "フォルダ");
    LscFilElm* jpgSmall = e.Make("C:\\a\\b.jpg", false, 1, 90, "JPEG 画像");
    LscFilElm* jpgAgain = e.Make("C:\\a\\a.jpg", false, 1, 90, "JPEG 画像");
    LscFilElm* jpgBig = e.Make("C:\\a\\c.jpg", false, 3, 10, "JPEG 画像");
    LscFilElm* upper = e.Make("C:\\a\\d.JPG", false, 2, 20, "JPEG 画像");
    LscFilElm* png = e.Make("C:\\a\\e.png", false, 2, 20, "PNG 画像");
    LscFilElm* none = e.Make("", false, 0, 0, "システム フォルダ");
    struct Case {
        const char* what;
        LscFilElm *a, *b;
        int kind, ids, expected;
    } cases[] = {
        {"name: the shell's order", jpgSmall, jpgAgain, LscColNam, 2, 2},
        {"a folder before a file", folder, jpgBig, LscColSiz, 2, -1},
        {"a file after a folder", jpgBig, folder, LscColMdf, -2, 1},
        {"two folders by type: the shell", folder, other, LscColTyp, 7, 7},
        {"two folders by time", folder, other, LscColMdf, 2, -1},
        {"same extension by type: the shell", jpgBig, jpgAgain, LscColTyp, 3, 3},
        {"jpg against JPG: their type texts, then the shell", jpgBig, upper, LscColTyp, -4, -4},
        {"other types by their text", png, jpgBig, LscColTyp, -1, 1},
        {"sizes in KB: equal ones by the shell", jpgSmall, jpgAgain, LscColSiz, 5, 5},
        {"sizes: smaller first", jpgSmall, jpgBig, LscColSiz, 5, -1},
        {"times: later last", jpgBig, jpgSmall, LscColMdf, 5, -1},
        {"outside the file system: type texts", none, png, LscColTyp, 0, 1},
        {"outside the file system: sizes", none, png, LscColSiz, 0, -1},
    };
    for (const Case& c : cases) {
        int asked = 0;
        int r = CmnLscFil::CompareRule(c.a, c.b, c.kind, 1, [&] {
            ++asked;
            return c.ids;
        });
        EXPECT_EQ(r, c.expected) << c.what;
        EXPECT_LE(asked, 1) << c.what;
    }
}

TEST(LscGeometry, CellsFramesAndThePattern)
{
    RECT icon = {10, 20, 131, 160};
    RECT cell = CmnLscFil::CellRect(icon, 100, 100);
    EXPECT_EQ(cell.left, 20);
    EXPECT_EQ(cell.right, 121);
    EXPECT_EQ(cell.top, 40);
    EXPECT_EQ(cell.bottom, 140);
    RECT frame = CmnLscFil::FrameRect(cell), outer = CmnLscFil::OuterRect(cell);
    EXPECT_EQ(frame.left, 19);
    EXPECT_EQ(frame.top, 39);
    EXPECT_EQ(frame.right, 123);
    EXPECT_EQ(frame.bottom, 142);
    EXPECT_EQ(outer.left, 17);
    EXPECT_EQ(outer.top, 37);
    EXPECT_EQ(outer.right, 124);
    EXPECT_EQ(outer.bottom, 143);
    // One separator, found by characters (表 ends in the byte of a backslash).
    EXPECT_STREQ(CmnLscFil::MatchPattern("C:\\", "*.jpg"), "C:\\*.jpg");
    EXPECT_STREQ(CmnLscFil::MatchPattern("C:\\表", "*.jpg"), "C:\\表\\*.jpg");
    EXPECT_STREQ(CmnLscFil::MatchPattern("C:\\a", ""), "");
    EXPECT_STREQ(CmnLscFil::MatchPattern("", "*.jpg"), "");
}

TEST(LscGeometry, ThumbnailLinesCountOneMoreItemWhereTheControlFitsOne)
{
    // 350 x 270 with 110 x 130 spacing: 3 columns, 2 rows.
    LscScrGeo geo = {10, {350, 270}, {110, 130}, 0, 1, {0, 260}};
    SCROLLINFO info;
    int per = 0;
    CmnLscFil::ScrollInfo(geo, &info, &per);
    EXPECT_EQ(per, 3);
    EXPECT_EQ(info.nMax, 3);
    EXPECT_EQ(info.nPage, 6u);
    EXPECT_EQ(info.nPos, 2);
    geo.bNextStarts = 0; // the fourth item still stands in the first row
    CmnLscFil::ScrollInfo(geo, &info, &per);
    EXPECT_EQ(per, 4);
    EXPECT_EQ(info.nMax, 2);
    geo.bLeftToRight = 1; // columns: the rows of one column make a line
    geo.bNextStarts = 1;
    geo.ptOrigin = {220, 0};
    CmnLscFil::ScrollInfo(geo, &info, &per);
    EXPECT_EQ(per, 2);
    EXPECT_EQ(info.nMax, 4);
    EXPECT_EQ(info.nPos, 2);
}

TEST(LscGeometry, ScrollTargetsStayInRangeAndAPageMovesALineAtLeast)
{
    SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 9, 6, 4, 0};
    struct {
        int code, position, expected;
    } cases[] = {{SB_LINEDOWN, 0, 5}, {SB_LINEUP, 0, 3}, {SB_PAGEDOWN, 0, 6}, {SB_PAGEUP, 0, 2},
                 {SB_TOP, 0, 0},      {SB_BOTTOM, 0, 8}, {SB_THUMBPOSITION, 7, 2}, {SB_THUMBTRACK, 100, 8}};
    for (auto& c : cases) EXPECT_EQ(CmnLscFil::ScrollTarget(info, 3, c.code, c.position), c.expected) << c.code;
    // A page smaller than a line still moves one line.
    info.nPage = 2;
    EXPECT_EQ(CmnLscFil::ScrollTarget(info, 3, SB_PAGEDOWN, 0), 5);
    // Fewer lines than a page: the minimum wins over the maximum's limit.
    info.nMax = 1;
    info.nPage = 9;
    EXPECT_EQ(CmnLscFil::ScrollTarget(info, 3, SB_PAGEDOWN, 0), 0);
}

// ---- A hosted list ----

TEST_F(LscTest, AFolderShowsItsFilesAndFoldersButNoLinks)
{
    CreateDirectoryA((dir / "表").c_str(), nullptr);
    CreateDirectoryA((dir / "ソ").c_str(), nullptr);
    CreateDirectoryA((dir / "empty").c_str(), nullptr);
    MakeBmpFile(dir / "表\\a.bmp", 8, 8, RGB(255, 0, 0), RGB(255, 0, 0));
    MakeBmpFile(dir / "表\\b.bmp", 8, 8, RGB(0, 255, 0), RGB(0, 255, 0));
    VktWriteFile(dir / "表\\zero.jpg", "");
    MakeLink(dir / "表\\to b.lnk", dir / "表\\b.bmp");
    CreateDirectoryA((dir / "表\\ソ").c_str(), nullptr);
    ASSERT_EQ(Show(dir / "表"), 0);
    std::vector<std::string> names = Names();
    std::sort(names.begin(), names.end());
    const std::vector<std::string> expected = {"a.bmp", "b.bmp", "zero.jpg", "ソ"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(list->fills.back(), 0);
    CmnVarItmIdl sli = {};
    theCmnVar.InitDat(CmnVarCodItmIdl, &sli);
    ASSERT_EQ(list->GetItmSli(&sli), 0);
    EXPECT_EQ(theCmnSub.GetPathName(sli.pIdl), (dir / "表").c_str());
    theCmnVar.TermDat(CmnVarCodItmIdl, &sli);

    ASSERT_EQ(Show(dir / "empty"), 0);
    EXPECT_EQ(list->GetItemCount(), 0);
    // A folder gone before it is shown cannot be bound: nothing, quietly.
    CmnIdl gone(theCmnSub.GetItemIdList((dir / "ソ").c_str()));
    RemoveDirectoryA((dir / "ソ").c_str());
    size_t traced = Traced();
    int rc = list->SetList(0, gone.Get());
    EXPECT_TRUE(rc == VKE_STOPPED || rc == VKE_OK) << rc;
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(Traced(), traced);
}

// Each item keeps the path the shell gives its full list, though a file-system folder's items are
// named from the folder's path: in a folder (names with trail bytes 0x5C) and at a drive's root.
TEST_F(LscTest, EveryItemKeepsTheShellsPathOfItsList)
{
    CreateDirectoryA((dir / "表").c_str(), nullptr);
    CreateDirectoryA((dir / "表\\ソ").c_str(), nullptr);
    MakeBmpFile(dir / "表\\a.bmp", 8, 8, RGB(255, 0, 0), RGB(255, 0, 0));
    VktWriteFile(dir / "表\\表示.txt", "x");
    for (const std::string& folder : {dir / "表", std::string("C:\\")}) {
        ASSERT_EQ(Show(folder), 0) << folder;
        int items = 0;
        for (Lke* l = list->GetElements().pHead; l; l = l->pNxt, ++items) {
            const LscFilElm* e = static_cast<const LscFilElm*>(static_cast<void*>(l));
            EXPECT_STREQ(e->amPath.pBuffer ? e->amPath.pBuffer : "", theCmnSub.GetPathName(e->pIdl)) << folder;
        }
        EXPECT_GT(items, 2) << folder;
    }
}

TEST_F(LscTest, DescendingPutsFilesFirstAndAColumnClickToggles)
{
    list->SetListViewMode(LscModeRpt);
    CreateDirectoryA((dir / "m").c_str(), nullptr);
    MakeBmpFile(dir / "a.bmp", 8, 8, RGB(1, 2, 3), RGB(1, 2, 3));
    MakeBmpFile(dir / "b.bmp", 300, 300, RGB(1, 2, 3), RGB(1, 2, 3));
    MakeBmpFile(dir / "c.bmp", 60, 60, RGB(1, 2, 3), RGB(1, 2, 3));
    ASSERT_EQ(Show(dir.Path()), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"m", "a.bmp", "b.bmp", "c.bmp"}));
    ASSERT_EQ(list->SortList(LscColNam, 0), 0);
    list->WaitThread(0, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"c.bmp", "b.bmp", "a.bmp", "m"}));
    // The size column (column 2): ascending, then reversed, then ascending again.
    NMLISTVIEW click = {};
    click.hdr = {list->m_hWnd, 1002, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iSubItem = 2;
    const std::vector<std::string> bySize = {"m", "a.bmp", "c.bmp", "b.bmp"};
    for (int ascending : {1, 0, 1}) {
        LRESULT result = 0;
        list->OnLvnColumnClick(&click.hdr, &result);
        list->WaitThread(0, 0);
        std::vector<std::string> want = bySize;
        if (!ascending) std::reverse(want.begin(), want.end());
        EXPECT_EQ(Names(), want) << ascending;
        EXPECT_EQ(list->GetSettings().bAscent, ascending);
        EXPECT_EQ(list->GetSettings().iTypLstCol[list->GetSettings().iIdxLstColTyp], LscColSiz);
    }
    // Dragged, the size column shows first after the name: a click on it still sorts by size, and
    // the sort column follows its new place.
    int order[4] = {0, 2, 1, 3};
    list->SendMessage(LVM_SETCOLUMNORDERARRAY, 4, reinterpret_cast<LPARAM>(order));
    LRESULT result = 0;
    list->OnLvnColumnClick(&click.hdr, &result);
    list->WaitThread(0, 0);
    EXPECT_EQ(list->GetSettings().iIdxLstColTyp, 1);
    EXPECT_EQ(list->GetSettings().iTypLstCol[1], LscColSiz);
    EXPECT_EQ(list->GetSettings().bAscent, 0);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(LscTest, TheFilterShowsMatchingFilesAndEveryFolder)
{
    CreateDirectoryA((dir / "表").c_str(), nullptr);
    MakeBmpFile(dir / "a.bmp", 4, 4, RGB(1, 2, 3), RGB(1, 2, 3));
    VktWriteFile(dir / "b.jpg", "x");
    VktWriteFile(dir / "c.txt", "x");
    ASSERT_EQ(Show(dir.Path()), 0);
    EXPECT_EQ(list->GetItemCount(), 4);
    list->SetFilter(" *.jpg ");
    list->WaitThread(0, 0);
    EXPECT_STREQ(list->GetFilter(), "*.jpg");
    EXPECT_EQ(Names(), (std::vector<std::string>{"表", "b.jpg"}));
    // The same text again changes nothing: the items stay as they are.
    list->fills.clear();
    list->SetFilter("*.jpg");
    EXPECT_TRUE(list->fills.empty());
    list->SetFilter("*.bmp;*.txt");
    list->WaitThread(0, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"表", "a.bmp", "c.txt"}));
    list->SetFilter(std::string(1000, '*').c_str());
    list->WaitThread(0, 0);
    EXPECT_EQ(list->GetItemCount(), 4);
    list->SetFilter("");
    list->WaitThread(0, 0);
    EXPECT_EQ(list->GetItemCount(), 4);
}

TEST_F(LscTest, SettingsChangeOnlyWhatDiffers)
{
    list->SetListViewMode(LscModeRpt);
    for (int i = 0; i < 3; ++i) MakeBmpFile(dir / (std::to_string(i) + ".bmp"), 4, 4, RGB(1, 2, 3), RGB(1, 2, 3));
    ASSERT_EQ(Show(dir.Path()), 0);
    HWND header = list->GetHeaderCtrl();
    ASSERT_EQ(Header_GetItemCount(header), 4);
    // Widths only: the columns take them, nothing is filled again.
    list->fills.clear();
    Apply([](LscFii& f) { f.iWidthLstCol[1] = 150; });
    EXPECT_TRUE(list->fills.empty());
    EXPECT_EQ(list->GetColumnWidth(1), 150);
    // Another column set: the columns are made again and the folder filled again.
    Apply([](LscFii& f) { f.iCntLstColTyp = 2; });
    list->WaitThread(0, 0);
    EXPECT_EQ(Header_GetItemCount(header), 2);
    EXPECT_EQ(list->fills.size(), 1u);
    EXPECT_EQ(list->GetItemCount(), 3);
    // Another thumbnail size: the cache is emptied; in thumbnail mode the view is made again.
    list->SetListViewMode(LscModeTmn);
    Thumbnails(3);
    EXPECT_GT(theCmnImg.GetCacheCount(0), 0);
    Apply([](LscFii& f) { f.iWidthTmnImg = 64; });
    list->WaitThread(0, 0);
    EXPECT_EQ(list->GetListViewMode(), LscModeTmn);
    Thumbnails(3);
    HBITMAP image = nullptr;
    int w = 0, h = 0, cached = 0;
    ASSERT_EQ(theCmnImg.OpenTmnImage((dir / "0.bmp").c_str(), 1, nullptr, &image, &w, &h, &cached), 0);
    EXPECT_LE(w, 64);
    theCmnImg.CloseTmnImage(1, &image);
    // The mode alone.
    Apply([](LscFii& f) { f.iModeLstViw = LscModeLst; });
    list->WaitThread(0, 0);
    EXPECT_EQ(list->GetListViewMode(), LscModeLst);
    EXPECT_EQ(list->GetStyle() & LVS_TYPEMASK, static_cast<DWORD>(LVS_LIST));
    EXPECT_EQ(list->GetItemCount(), 3);
}

TEST_F(LscTest, AnotherSortInTheSettingsSortsTheListAgain)
{
    list->SetListViewMode(LscModeRpt);
    MakeBmpFile(dir / "a.bmp", 8, 8, RGB(1, 2, 3), RGB(1, 2, 3));
    MakeBmpFile(dir / "b.bmp", 300, 300, RGB(1, 2, 3), RGB(1, 2, 3));
    MakeBmpFile(dir / "c.bmp", 60, 60, RGB(1, 2, 3), RGB(1, 2, 3));
    ASSERT_EQ(Show(dir.Path()), 0);
    ASSERT_EQ(list->SortList(LscColSiz, 0), 0);
    list->WaitThread(0, 0);
    ASSERT_EQ(Names(), (std::vector<std::string>{"b.bmp", "c.bmp", "a.bmp"}));
    HWND header = list->GetHeaderCtrl();
    auto arrow = [&](int column) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        Header_GetItem(header, column, &item);
        return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
    };
    // As the options leave it: by name, ascending.
    Apply([](LscFii& f) { f.iIdxLstColTyp = 0, f.bAscent = 1; });
    list->WaitThread(0, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
    EXPECT_EQ(arrow(0), 0);
    EXPECT_EQ(arrow(2), -1);
    // The direction alone.
    Apply([](LscFii& f) { f.bAscent = 0; });
    list->WaitThread(0, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"c.bmp", "b.bmp", "a.bmp"}));
    EXPECT_EQ(arrow(0), 1);
    list->GetLscFii();
    EXPECT_EQ(theCmnAppInf.lscFii.iIdxLstColTyp, 0);
    EXPECT_EQ(theCmnAppInf.lscFii.bAscent, 0);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(LscTest, ARefillStopsBothWorkersWhileTheirMessagesAreAnswered)
{
    CreateDirectoryA((dir / "many").c_str(), nullptr);
    CreateDirectoryA((dir / "few").c_str(), nullptr);
    for (int i = 0; i < 500; ++i) VktWriteFile(dir / ("many\\" + std::to_string(i) + ".txt"), "x");
    MakeBmpFile(dir / "few\\a.bmp", 4, 4, RGB(1, 2, 3), RGB(1, 2, 3));
    CmnIdl many(theCmnSub.GetItemIdList((dir / "many").c_str()));
    CmnIdl few(theCmnSub.GetItemIdList((dir / "few").c_str()));
    // Worker 0 hands its items over in batches this thread takes while it waits.
    ASSERT_EQ(list->SetList(0, many.Get()), 0);
    ASSERT_EQ(list->SetList(0, few.Get()), 0);
    list->WaitThread(0, 0);
    ASSERT_EQ(list->fills.size(), 2u);
    EXPECT_EQ(list->fills[0], VKE_STOPPED);
    EXPECT_EQ(list->fills[1], 0);
    EXPECT_EQ(list->GetItemCount(), 1);
    EXPECT_TRUE(list->IsWindowEnabled());
    // Worker 1 warming the cache stops the same way.
    theCmnAppInf.iCntImgCacTmn = 40;
    list->SetLscFii();
    CreateDirectoryA((dir / "jpg").c_str(), nullptr);
    for (int i = 0; i < 60; ++i) CopyFileA(TmnData("s420.jpg").c_str(), (dir / ("jpg\\" + std::to_string(i) + ".jpg")).c_str(), FALSE);
    CmnIdl jpg(theCmnSub.GetItemIdList((dir / "jpg").c_str()));
    list->warms.clear();
    ASSERT_EQ(list->SetList(0, jpg.Get()), 0);
    list->WaitThread(0, 0);
    ASSERT_TRUE(list->IsActiveThread(1));
    ASSERT_EQ(list->SetList(0, few.Get()), 0);
    ASSERT_GE(list->warms.size(), 1u);
    EXPECT_EQ(list->warms[0], VKE_STOPPED);
    EXPECT_EQ(list->IsPumping(), 0);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(LscTest, TheThumbnailWorkerWarmsTheLastElementsOnly)
{
    for (int n : {3, 0}) {
        SCOPED_TRACE(n);
        theCmnAppInf.iCntImgCacTmn = n;
        list->SetLscFii();
        VktTempDir folder;
        for (int i = 0; i < 6; ++i) MakeBmpFile(folder / ("p" + std::to_string(i) + ".bmp"), 8, 8, RGB(9, 9, 9), RGB(9, 9, 9));
        ASSERT_EQ(Show(folder.Path()), 0);
        Thumbnails();
        int i = 0;
        for (Lke* l = list->GetElements().pHead; l; l = l->pNxt, ++i) {
            const LscFilElm* e = reinterpret_cast<const LscFilElm*>(l);
            EXPECT_EQ(e->aiImage[0], i >= 6 - n ? -2 : -1) << i;
        }
        Show(dir.Path());
    }
}

TEST(LscWarm, TheWorkerWarmsNoMoreThanTheCacheKeeps)
{
    // elements, setting, warmed; a setting above what a process may hold counts as the bound.
    const int cases[][3] = {{6, 3, 3}, {6, 0, 0}, {2, 300, 2}, {5000, 4000, 4000}, {5000, 1000000, 4000}, {0, 1000000, 0}};
    for (const auto& c : cases) EXPECT_EQ(CmnLscFil::WarmCount(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

TEST_F(LscTest, ThumbnailsArePaintedFromTheCacheOutlinesUntilThen)
{
    MakeBmpFile(dir / "a red.bmp", 40, 40, RGB(255, 0, 0), RGB(255, 0, 0));
    MakeBmpFile(dir / "b blue.bmp", 40, 40, RGB(0, 0, 255), RGB(0, 0, 255));
    ASSERT_EQ(Show(dir.Path()), 0);
    Thumbnails();
    // The list's painting into a bitmap of its client size.
    CRect client;
    list->GetClientRect(&client);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), client.Width(), -client.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, dib);
    PatBlt(dc, 0, 0, client.Width(), client.Height(), WHITENESS);
    auto pixel = [&](POINT p) { return static_cast<const DWORD*>(bits)[p.y * client.Width() + p.x] & 0xFFFFFF; };
    auto centre = [&](int item) {
        RECT icon;
        list->GetItemRect(item, &icon, LVIR_ICON);
        RECT cell = CmnLscFil::CellRect(icon, 100, 100);
        return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    };
    EXPECT_EQ(list->Draw(dc, &client), 0);
    EXPECT_EQ(pixel(centre(0)), 0xFF0000u); // red, as the DIB holds it (BGR)
    EXPECT_EQ(pixel(centre(1)), 0x0000FFu);
    // While another thread holds the image lock the cells keep their outlines and wait.
    theCmnImg.ClearCache(0);
    PatBlt(dc, 0, 0, client.Width(), client.Height(), WHITENESS);
    LockHolder holder;
    EXPECT_EQ(list->Draw(dc, &client), 0);
    holder.Release();
    EXPECT_EQ(pixel(centre(0)), 0xFFFFFFu) << "nothing drawn without the lock";
    // The requests made the thumbnails meanwhile.
    Thumbnails();
    EXPECT_EQ(list->Draw(dc, &client), 0);
    EXPECT_EQ(pixel(centre(1)), 0x0000FFu);
    // The elements hold the thumbnails made for their cells; one the filter hides gives its back.
    auto held = [&](const char* name) {
        for (Lke* l = list->GetElements().pHead; l; l = l->pNxt) {
            const LscFilElm* e = reinterpret_cast<const LscFilElm*>(l);
            if (strstr(e->amPath.pBuffer, name)) return e->hTmn != nullptr;
        }
        ADD_FAILURE() << name;
        return false;
    };
    EXPECT_TRUE(held("a red"));
    EXPECT_TRUE(held("b blue"));
    list->SetFilter("a*");
    list->WaitThread(0, 0);
    VktPump(0);
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->Draw(dc, &client), 0);
    EXPECT_TRUE(held("a red"));
    EXPECT_FALSE(held("b blue"));
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    EXPECT_EQ(Traced(), 0u);
}

// A scroll faster than the thumbnails come: wheel notches, each scroll painted, while another
// thread holds the image lock, past more cells than painting's requests could once hold at a
// time. Once the lock is free and the worker has answered, every cell in sight shows its picture.
TEST_F(LscTest, EveryCellInSightAfterAScrollFasterThanTheThumbnailsIsDrawn)
{
    // No cache and no warm-up: a cell shows only the thumbnail made for its own request.
    theCmnAppInf.iCntImgCacTmn = 0;
    list->SetLscFii();
    for (int i = 0; i < 640; ++i)
        MakeBmpFile(dir / ("p" + std::to_string(1000 + i) + ".bmp"), 8, 8, RGB(255, 0, 0), RGB(255, 0, 0));
    host->ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_EQ(Show(dir.Path()), 0);
    Thumbnails();
    auto settled = [&] {
        MSG msg;
        return !PeekMessageA(&msg, list->m_hWnd, WM_VSCROLL, WM_VSCROLL, PM_NOREMOVE) &&
               !GetUpdateRect(list->m_hWnd, nullptr, FALSE);
    };
    ASSERT_TRUE(VktPumpUntil(settled));
    CRect client;
    list->GetClientRect(&client);
    LockHolder holder;
    int passed = 0;
    for (int notch = 0; notch < 40; ++notch) {
        list->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(100, 100));
        ASSERT_TRUE(VktPumpUntil(settled));
        for (int i = 0; i < list->GetItemCount(); ++i) {
            RECT icon;
            if (list->GetItemRect(i, &icon, LVIR_ICON) && icon.bottom > 0 && icon.top < client.bottom) ++passed;
        }
    }
    holder.Release();
    ASSERT_GT(passed, 600) << "the scroll passes more cells than painting's requests once held";
    Thumbnails();
    ASSERT_TRUE(VktPumpUntil(settled));
    int shown = 0;
    HDC dc = GetDC(list->m_hWnd);
    for (int i = 0; i < list->GetItemCount(); ++i) {
        RECT icon;
        if (!list->GetItemRect(i, &icon, LVIR_ICON) || icon.top < 0 || icon.bottom > client.bottom) continue;
        RECT cell = CmnLscFil::CellRect(icon, 100, 100);
        ++shown;
        EXPECT_EQ(GetPixel(dc, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2), RGB(255, 0, 0))
            << "item " << i << " shows no picture";
    }
    ReleaseDC(list->m_hWnd, dc);
    EXPECT_GE(shown, 6);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(LscTest, APathIsSelectedAndPickedOrEmptied)
{
    list->SetListViewMode(LscModeRpt);
    MakeBmpFile(dir / "a.bmp", 4, 4, RGB(1, 2, 3), RGB(1, 2, 3));
    MakeBmpFile(dir / "表.bmp", 4, 4, RGB(1, 2, 3), RGB(1, 2, 3));
    CreateDirectoryA((dir / "sub").c_str(), nullptr);
    ASSERT_EQ(Show(dir.Path()), 0);
    host->reports.clear();
    ASSERT_EQ(list->SetCurPath((dir / "表.bmp").c_str(), 0), 0);
    int item = -1;
    ASSERT_EQ(list->GetCurSel(&item), 0);
    EXPECT_EQ(Names()[static_cast<size_t>(item)], "表.bmp");
    EXPECT_EQ(static_cast<const char*>(list->GetCurPathName()), dir / "表.bmp");
    ASSERT_FALSE(host->reports.empty());
    EXPECT_EQ(host->reports.back().message, static_cast<UINT>(CmnWmSelImg));
    EXPECT_EQ(host->reports.back().path, dir / "表.bmp");
    int selected = 0, folder = 0;
    EXPECT_EQ(static_cast<const char*>(list->IsSelected(&selected, &folder)), dir / "表.bmp");
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(folder, 0);
    // A path the list does not hold empties the current path.
    EXPECT_EQ(list->SetCurPath((dir / "gone.bmp").c_str(), 0), VKE_ERR_NOT_FOUND);
    EXPECT_EQ(list->GetCurPathName(), "");
    // A folder selected by the user: the frame hears of the selection; Return opens it.
    host->reports.clear();
    int sub = 0;
    ASSERT_EQ(list->Search((dir / "sub").c_str(), &sub), 0);
    list->SetItemState(sub, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_EQ(host->reports.size(), 1u);
    EXPECT_EQ(host->reports[0].message, static_cast<UINT>(CmnWmChgSel));
    EXPECT_EQ(host->reports[0].path, dir / "sub");
    list->OnWmKeyUp(WM_KEYUP, VK_RETURN, 0);
    ASSERT_EQ(host->reports.size(), 2u);
    EXPECT_EQ(host->reports[1].message, static_cast<UINT>(CmnWmOpnDir));
    EXPECT_EQ(host->reports[1].path, dir / "sub");
    EXPECT_EQ(list->SetCurSel(-1), 0);
    EXPECT_EQ(list->GetCurPathName(), "");
}

TEST_F(LscTest, WheelNotchesPostPagesAndPagesMoveByLinesOfItems)
{
    for (int i = 0; i < 30; ++i) MakeBmpFile(dir / (std::to_string(100 + i) + ".bmp"), 4, 4, RGB(1, 2, 3), RGB(1, 2, 3));
    ASSERT_EQ(Show(dir.Path()), 0);
    VktPump(0);
    EXPECT_EQ(list->MouseWheel(0, -3 * WHEEL_DELTA), 0);
    int pages = 0, ends = 0;
    MSG msg;
    while (PeekMessageA(&msg, list->m_hWnd, WM_VSCROLL, WM_VSCROLL, PM_REMOVE)) {
        if (LOWORD(msg.wParam) == SB_PAGEDOWN) ++pages;
        if (LOWORD(msg.wParam) == SB_ENDSCROLL) ++ends;
    }
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(ends, 3);
    EXPECT_EQ(list->MouseWheel(0, 60), VKE_NOT_DONE) << "no whole notch";
    // Three pages down, in lines of items.
    ASSERT_EQ(list->VScroll(SB_PAGEDOWN, 0), 0);
    EXPECT_GT(list->GetVScrPos(), 0);
    ASSERT_EQ(list->VScroll(SB_TOP, 0), 0);
    EXPECT_EQ(list->GetVScrPos(), 0);
}

TEST_F(LscTest, BadImagesAndAFolderGoneWhileThumbnailsAreMadeLeaveAUsableList)
{
    // Cut, zero-byte, lying and huge images among a good one: all listed, all painted.
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((Data("bad") + "\\*").c_str(), &data);
    int files = 0;
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &data)) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        CopyFileA((Data("bad") + "\\" + data.cFileName).c_str(), (dir / data.cFileName).c_str(), FALSE);
        ++files;
    }
    FindClose(find);
    MakeBmpFile(dir / "good.bmp", 8, 8, RGB(255, 0, 0), RGB(255, 0, 0));
    ASSERT_GT(files, 5);
    ASSERT_EQ(Show(dir.Path()), 0);
    EXPECT_EQ(list->GetItemCount(), files + 1);
    Thumbnails();
    CRect client;
    list->GetClientRect(&client);
    CClientDC dc(list);
    list->Draw(dc.m_hDC, &client);
    Thumbnails();
    EXPECT_TRUE(list->IsWindowEnabled());
    // A folder removed while worker 1 makes its thumbnails: the worker ends, the list goes on.
    CreateDirectoryA((dir / "gone").c_str(), nullptr);
    for (int i = 0; i < 30; ++i)
        CopyFileA(TmnData("s420.jpg").c_str(), (dir / ("gone\\" + std::to_string(i) + ".jpg")).c_str(), FALSE);
    ASSERT_EQ(Show(dir / "gone"), 0);
    for (int i = 0; i < 30; ++i) DeleteFileA((dir / ("gone\\" + std::to_string(i) + ".jpg")).c_str());
    RemoveDirectoryA((dir / "gone").c_str());
    Thumbnails();
    EXPECT_FALSE(list->IsActiveThread(1));
    ASSERT_EQ(Show(dir.Path()), 0);
    EXPECT_EQ(list->GetItemCount(), files + 1);
}

TEST_F(ImgTest, ThePlainListRefusesEveryOperationBeforeItsStart)
{
    CmnLscFil lone;
    POINT origin = {};
    SCROLLINFO info = {};
    int per = 0, item = 0;
    LscFilElm elm = {};
    RECT cell = {0, 0, 10, 10};
    const std::vector<std::pair<const char*, int>> results = {
        {"WaitThread", lone.WaitThread(0, 1)},
        {"BeginThread", lone.BeginThread(1)},
        {"SetListCtrl", lone.SetListCtrl()},
        {"SetListItem", lone.SetListItem(1, 0, "", &elm)},
        {"AddImageBackground", lone.AddImageBackground()},
        {"GetOrigin", lone.GetOrigin(&origin)},
        {"GetHScrInfo", lone.GetHScrInfo(&info, &per)},
        {"GetVScrInfo", lone.GetVScrInfo(&info, &per)},
        {"HScroll", lone.HScroll(SB_LINEDOWN, 0)},
        {"MouseWheel", lone.MouseWheel(0, WHEEL_DELTA)},
        {"SortList", lone.SortList(1, 1)},
        {"SetListViewMode", lone.SetListViewMode(2)},
        {"SetCurPath", lone.SetCurPath("C:\\", 1)},
        {"GetCurSel", lone.GetCurSel(&item)},
        {"DrawImage", lone.DrawImage(nullptr, &cell, &elm)},
    };
    for (const auto& r : results) EXPECT_EQ(r.second, VKE_ERR_NOT_INIT) << r.first;
    EXPECT_EQ(lone.NextFileItem(0, &item), -1);
    EXPECT_EQ(item, 0);
}

TEST_F(LscTest, APictureThatCannotBeFittedIsNotDrawnAndFails)
{
    MakeBmpFile(dir / "a red.bmp", 40, 40, RGB(255, 0, 0), RGB(255, 0, 0));
    ASSERT_EQ(Show(dir.Path()), 0);
    Thumbnails();
    VktDib dib(60, 60);
    LscFilElm* elm = reinterpret_cast<LscFilElm*>(list->GetElements().pHead);
    // A cell smaller than the picture (the cache's): fitted, drawn.
    RECT cell = {10, 10, 30, 30};
    PatBlt(dib.Dc(), 0, 0, 60, 60, WHITENESS);
    EXPECT_EQ(list->DrawImage(dib.Dc(), &cell, elm), 0);
    EXPECT_EQ(dib.At(20, 20), RGB(255, 0, 0));
    // The fit fails (no engine to ask): nothing drawn, the failure returned.
    VkiSub* sub = theCmnAppInf.pSub;
    theCmnAppInf.pSub = nullptr;
    PatBlt(dib.Dc(), 0, 0, 60, 60, WHITENESS);
    const int rc = list->DrawImage(dib.Dc(), &cell, elm);
    theCmnAppInf.pSub = sub;
    EXPECT_EQ(rc, VKE_ERR_ARG);
    EXPECT_EQ(dib.At(20, 20), RGB(255, 255, 255));
}

TEST_F(LscTest, KeysStillComingLeaveThePickToTheItemTheyStopAt)
{
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) MakeBmpFile(dir / name, 4, 4, RGB(1, 2, 3), RGB(1, 2, 3));
    ASSERT_EQ(Show(dir.Path()), 0);
    list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    host->reports.clear();
    // Another arrow waits: the release picks nothing yet.
    ASSERT_TRUE(PostMessageA(list->m_hWnd, WM_KEYDOWN, VK_DOWN, 0));
    list->OnWmKeyUp(WM_KEYUP, VK_DOWN, 0);
    EXPECT_TRUE(host->reports.empty());
    MSG msg;
    while (PeekMessageA(&msg, list->m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
    }
    list->SetItemState(1, 0, LVIS_SELECTED);
    list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    host->reports.clear();
    list->OnWmKeyUp(WM_KEYUP, VK_DOWN, 0);
    ASSERT_EQ(host->reports.size(), 1u);
    EXPECT_EQ(host->reports[0].message, static_cast<UINT>(CmnWmSelImg));
    EXPECT_EQ(host->reports[0].path, dir / "c.bmp");
    // The release of a Return that opened the selection picks and activates nothing.
    list->SetItemState(2, 0, LVIS_SELECTED);
    list->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    host->reports.clear();
    list->SetReturnOpened(1);
    list->OnWmKeyUp(WM_KEYUP, VK_RETURN, 0);
    EXPECT_TRUE(host->reports.empty());
    list->OnWmKeyUp(WM_KEYUP, VK_RETURN, 0);
    ASSERT_EQ(host->reports.size(), 1u) << "a later Return that opened nothing";
    EXPECT_EQ(host->reports[0].message, static_cast<UINT>(CmnWmActImg));
}

TEST_F(LscTest, EveryViewShowsEveryItemAndDetailsSortSizesByBytes)
{
    // Two files of 507 KB each (as shown): the bigger one by bytes named first.
    VktWriteFile(dir / "a.bin", std::string(519000, 'x'));
    VktWriteFile(dir / "b.bin", std::string(518500, 'x'));
    CreateDirectoryA((dir / "sub").c_str(), nullptr);
    ASSERT_EQ(Show(dir.Path()), 0);
    CRect client;
    list->GetClientRect(&client);
    for (int mode = LscModeTmn; mode <= LscModeRpt; ++mode) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(list->SetListViewMode(mode), 0);
        list->WaitThread(0, 0);
        VktPump(0);
        ASSERT_EQ(list->GetItemCount(), 3);
        for (int i = 0; i < 3; ++i) {
            RECT icon;
            ASSERT_TRUE(list->GetItemRect(i, &icon, LVIR_ICON));
            EXPECT_TRUE(icon.left >= 0 && icon.top >= 0 && icon.right <= client.right && icon.bottom <= client.bottom)
                << i << ": " << icon.left << " " << icon.top;
        }
    }
    ASSERT_EQ(list->SortList(LscColSiz, 1), 0);
    list->WaitThread(0, 0);
    VktPump(0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"sub", "b.bin", "a.bin"}));
    EXPECT_EQ(std::string(list->GetItemText(1, 2)), std::string(list->GetItemText(2, 2))) << "the same KB shown";
    // The modified time's column (the fourth) at the default width shows a time whole; a width
    // chosen is shown as it is.
    CString time = list->GetItemText(1, 3);
    EXPECT_EQ(list->GetColumnWidth(3), 90);
    Apply([](LscFii& f) { f.iWidthLstCol[3] = CmnLstColWidth; });
    EXPECT_GE(list->GetColumnWidth(3), list->GetStringWidth(time) + 12);
}

// A list whose settings say details from its start shows the stored widths and gives them back
// (the control's answer of 0 in the icon view it was made in never reaches the settings).
TEST_F(LscTest, AStartInTheDetailsViewShowsAndKeepsTheStoredWidths)
{
    list->Term();
    list->DestroyWindow();
    delete list;
    LscFii& fii = theCmnAppInf.lscFii;
    fii.iModeLstViw = LscModeRpt;
    const int widths[CmnLstColCnt] = {150, 70, 60, 140, 90, 90};
    memcpy(fii.iWidthLstCol, widths, sizeof(widths));
    list = new RecordingList;
    ASSERT_TRUE(list->CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, nullptr,
                               WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SHOWSELALWAYS | WS_TABSTOP, CRect(0, 0, 600, 440),
                               host, 1002));
    ASSERT_EQ(list->Init(), 0);
    MakeBmpFile(dir / "a.bmp", 4, 4, RGB(1, 2, 3), RGB(1, 2, 3));
    ASSERT_EQ(Show(dir.Path()), 0);
    ASSERT_EQ(list->GetStyle() & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    ASSERT_EQ(Header_GetItemCount(list->GetHeaderCtrl()), 4);
    for (int column = 0; column < 4; ++column) EXPECT_EQ(list->GetColumnWidth(column), widths[column]) << column;
    memset(fii.iWidthLstCol, 0, sizeof(fii.iWidthLstCol));
    list->GetLscFii();
    EXPECT_EQ(std::vector<int>(fii.iWidthLstCol, fii.iWidthLstCol + 6), std::vector<int>(widths, widths + 6));
    EXPECT_EQ(Traced(), 0u);
}

namespace {

// A window as drawn, frame and scroll bars included.
std::vector<COLORREF> WindowPixels(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<COLORREF> pixels;
    HDC dc = GetWindowDC(window);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return pixels;
}

} // namespace

// A shown list filled with more items than it holds: its end switches drawing on while the list is
// marked hidden, then paints list and frame once, enabled; the user sees the list shown, the
// scroll bar set, and what a full repaint of the window shows (scroll bars not left disabled).
TEST_F(LscTest, AFilledListIsShownAsAFullRepaintShowsIt)
{
    for (int i = 0; i < 60; ++i) VktWriteFile(dir / ("f" + std::to_string(100 + i) + ".txt"), "x");
    host->ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_EQ(Show(dir.Path()), 0);
    Thumbnails();
    EXPECT_TRUE(list->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(list->GetItemCount(), 60);
    SCROLLINFO vertical = {};
    vertical.cbSize = sizeof(vertical);
    vertical.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(list->m_hWnd, SB_VERT, &vertical));
    EXPECT_GT(vertical.nMax, static_cast<int>(vertical.nPage)) << "more items than the list holds";

    ASSERT_TRUE(VktPumpUntil([&] { return !GetUpdateRect(list->m_hWnd, nullptr, FALSE); }));
    std::vector<COLORREF> drawn = WindowPixels(list->m_hWnd);
    list->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    VktPump();
    EXPECT_TRUE(drawn == WindowPixels(list->m_hWnd)) << "the fill's end left something undrawn";
}
