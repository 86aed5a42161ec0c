// The folder tree over the Wine prefix's real shell namespace: folders of a temporary folder on C:
// (the Unix root, Z:, is never expanded), found through lazy expansion, selected by path with its
// reports to the main frame, the back-and-forward history through the engine's undo, filling,
// sorting and releasing the items' records.
#include "TestAplCmn.h"
#include "CmnHold.h"
#include "CmnTrcFld.h"
#include "CmnVar.h"
#include <algorithm>

namespace {

// The main frame for the tree's reports: each one in order, with what its record says.
struct Report {
    UINT message;
    std::string path; // CmnWmOpnDir's path, or the path of CmnWmChgSel's list
    HTREEITEM item;
    int root;
};

class TreeHost : public CWnd {
public:
    std::vector<Report> reports;

protected:
    LRESULT OnOpnDir(WPARAM, LPARAM lParam)
    {
        reports.push_back({CmnWmOpnDir, lParam ? reinterpret_cast<const char*>(lParam) : "(none)", nullptr, -1});
        return 1;
    }
    LRESULT OnChgSel(WPARAM, LPARAM lParam)
    {
        const CmnVarItmIdl* sel = reinterpret_cast<const CmnVarItmIdl*>(lParam);
        reports.push_back({CmnWmChgSel, static_cast<const char*>(theCmnSub.GetPathName(sel->pIdl)), sel->hItem,
                           sel->bRoot});
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TreeHost, CWnd)
    ON_MESSAGE(CmnWmOpnDir, &ThisClass::OnOpnDir)
    ON_MESSAGE(CmnWmChgSel, &ThisClass::OnChgSel)
END_MESSAGE_MAP()

// A tree that counts the records it releases.
class CountingTree : public CmnTrcFld {
public:
    int released = 0;
    BOOL OnTvnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult) override
    {
        ++released;
        return CmnTrcFld::OnTvnDeleteItem(pNMHDR, pResult);
    }
};

std::string PathOf(const AppMem& text) { return text.pBuffer ? text.pBuffer : ""; }

class TrcTest : public ImgTest {
protected:
    void SetUp() override
    {
        ImgTest::SetUp();
        host = new TreeHost;
        ASSERT_TRUE(host->CreateEx(0, nullptr, "tree", WS_OVERLAPPEDWINDOW, 0, 0, 400, 600, nullptr, nullptr));
        theCmnAppInf.pMainFrame = host;
        tree = new CountingTree;
        ASSERT_TRUE(tree->CreateEx(WS_EX_CLIENTEDGE, WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                   CRect(0, 0, 380, 560), host, 1001));
        ASSERT_EQ(tree->Init(), 0);
        for (const char* name : {"A", "B", "C", "表", "表\\ソ", "a.jpg"}) CreateDirectoryA((dir / name).c_str(), nullptr);
        traced = Traced();
    }
    void TearDown() override
    {
        if (tree) {
            tree->Term();
            tree->DestroyWindow();
            delete tree;
        }
        theCmnAppInf.pMainFrame = frame;
        host->DestroyWindow();
        delete host;
        ImgTest::TearDown();
    }
    // The selected item's path, and the tree's item of a path (none when it holds none).
    std::string Selected() { return static_cast<const char*>(tree->GetPathName(tree->GetSelectedItem())); }
    HTREEITEM Item(const std::string& path)
    {
        HTREEITEM item = nullptr;
        return tree->Search(path.c_str(), &item) == 0 ? item : nullptr;
    }
    std::vector<std::string> Children(HTREEITEM item)
    {
        std::vector<std::string> names;
        for (HTREEITEM child = tree->GetChildItem(item); child; child = tree->GetNextSiblingItem(child))
            names.push_back(static_cast<const char*>(tree->GetItemText(child)));
        return names;
    }
    EditFlag Flags()
    {
        EditFlag flags = {};
        EXPECT_EQ(tree->GetHistoryFlag(&flags), 0);
        return flags;
    }
    // The computer folder's item.
    HTREEITEM Computer()
    {
        LPITEMIDLIST list = nullptr;
        EXPECT_TRUE(SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, &list)));
        CmnIdl hold(list);
        HTREEITEM item = nullptr;
        EXPECT_EQ(tree->Search(nullptr, list, &item), 0);
        return item;
    }

    VktTempDir dir;
    TreeHost* host = nullptr;
    CountingTree* tree = nullptr;
    size_t traced = 0;
};

} // namespace

TEST_F(TrcTest, TheDesktopIsTheRootWithItsChildrenAndNoShortcuts)
{
    HTREEITEM root = tree->GetRootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(tree->GetNextSiblingItem(root), nullptr);
    EXPECT_NE(tree->GetItemState(root, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE, 0u);
    std::vector<std::string> top = Children(root);
    EXPECT_NE(std::find(top.begin(), top.end(), "マイ コンピューター"), top.end());
    EXPECT_EQ(tree->GetCurPathName(), "");
    CmnVarItmIdl sli = {};
    ASSERT_EQ(theCmnVar.InitDat(CmnVarCodItmIdl, &sli), 0);
    EXPECT_EQ(tree->GetItmSli(&sli), 0);
    EXPECT_EQ(sli.hItem, root) << "the folder filled last";
    EXPECT_EQ(sli.bRoot, 1);
    theCmnVar.TermDat(CmnVarCodItmIdl, &sli);

    // A shortcut to a folder is no folder of the tree.
    CmnCom<IShellLinkA> link;
    CmnCom<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out())));
    link->SetPath((dir / "A").c_str());
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())));
    wchar_t name[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, (dir / "近道.lnk").c_str(), -1, name, MAX_PATH);
    ASSERT_TRUE(SUCCEEDED(file->Save(name, TRUE)));
    HTREEITEM folder = Item(dir.Path());
    ASSERT_NE(folder, nullptr);
    ASSERT_TRUE(tree->Expand(folder, TVE_EXPAND));
    EXPECT_EQ(Children(folder), (std::vector<std::string>{"A", "a.jpg", "B", "C", "表"}));
    EXPECT_EQ(Traced(), traced);
}

TEST_F(TrcTest, SearchDescendsIntoDrivesAndNamesWithTrailBytes)
{
    // C:'s root is no path prefix of a folder below it: the lists decide.
    HTREEITEM found = nullptr;
    ASSERT_EQ(tree->Search((dir / "表\\ソ").c_str(), &found), 0);
    EXPECT_EQ(static_cast<const char*>(tree->GetPathName(found)), dir / "表\\ソ");
    EXPECT_EQ(static_cast<const char*>(tree->GetItemText(found)), std::string("ソ"));
    EXPECT_EQ(static_cast<const char*>(tree->GetItemText(tree->GetParentItem(found))), std::string("表"));
    HTREEITEM drive = nullptr;
    ASSERT_EQ(tree->Search("C:\\", &drive), 0);
    EXPECT_EQ(static_cast<const char*>(tree->GetPathName(drive)), std::string("C:\\"));
    EXPECT_EQ(tree->Search("", &found), VKE_ERR_NOT_FOUND);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(tree->Search(nullptr, nullptr, &found), VKE_ERR_NOT_FOUND);
    EXPECT_EQ(Traced(), traced);
}

TEST_F(TrcTest, SetCurPathSelectsTheNearestFolderTheTreeHolds)
{
    CreateDirectoryA((dir / "H").c_str(), nullptr);
    CreateDirectoryA((dir / "H\\x").c_str(), nullptr);
    SetFileAttributesA((dir / "H").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CloseHandle(CreateFileA((dir / "A\\f.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::string root = static_cast<const char*>(tree->GetPathName(tree->GetRootItem()));
    const struct {
        std::string path;
        int result;
        std::string selected; // the selected item's path
        std::string current;  // the tree's current path afterwards
    } cases[] = {
        {dir / "A", 0, dir / "A", dir / "A"},
        {dir / "A\\f.txt", 0, dir / "A", dir / "A"},                   // a file: its folder
        {dir / "B\\gone\\deeper", 0, dir / "B", dir / "B"},            // the nearest existing folder
        {dir / "H\\x", 1, dir.Path(), dir.Path()},                     // only an ancestor listed
        {"\\\\", VKE_ERR_NOT_FOUND, root, ""},                         // no folder: the root
        {"\\\\\\server", VKE_ERR_NOT_FOUND, root, ""},
        {"Q:\\nothing", VKE_ERR_NOT_FOUND, root, ""},                  // no such drive
        {"C:\\" + std::string(300, 'x'), VKE_ERR_NOT_FOUND, root, ""}, // too long to be a path
        {dir / "C", 0, dir / "C", dir / "C"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tree->SetCurPath(c.path.c_str(), 1), c.result) << c.path;
        EXPECT_EQ(Selected(), c.selected) << c.path;
        EXPECT_EQ(static_cast<const char*>(tree->GetCurPathName()), c.current) << c.path;
    }
    // The same path again without force: nothing happens.
    size_t reports = host->reports.size();
    EXPECT_EQ(tree->SetCurPath((dir / "C").c_str(), 0), 0);
    EXPECT_EQ(host->reports.size(), reports);
    EXPECT_EQ(tree->SetCurPath(nullptr, 0), VKE_ERR_ARG);
    EXPECT_EQ(tree->SetCurPath("C:\\", 2), VKE_ERR_ARG);
    EXPECT_EQ(Traced(), traced + 2) << "only the refused arguments";
    // With the computer selected (no path of its own), a path naming no folder still selects
    // the root, forced or not.
    LPITEMIDLIST drives = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, &drives)));
    CmnIdl hold(drives);
    HTREEITEM computer = nullptr;
    ASSERT_EQ(tree->Search(nullptr, drives, &computer), 0);
    ASSERT_TRUE(tree->SelectItem(computer));
    ASSERT_EQ(static_cast<const char*>(tree->GetCurPathName()), std::string());
    EXPECT_EQ(tree->SetCurPath("\\\\", 0), VKE_ERR_NOT_FOUND);
    EXPECT_EQ(Selected(), root);
}

TEST_F(TrcTest, ASelectionTellsTheFrameTheFolderThenTheSelection)
{
    ASSERT_EQ(tree->SetCurPath((dir / "A").c_str(), 1), 0);
    ASSERT_GE(host->reports.size(), 2u);
    const Report* r = &host->reports[host->reports.size() - 2];
    EXPECT_EQ(r[0].message, static_cast<UINT>(CmnWmOpnDir));
    EXPECT_EQ(r[0].path, dir / "A");
    EXPECT_EQ(r[1].message, static_cast<UINT>(CmnWmChgSel));
    EXPECT_EQ(r[1].path, dir / "A");
    EXPECT_EQ(r[1].item, tree->GetSelectedItem());
    EXPECT_EQ(r[1].root, 0);

    host->reports.clear();
    HTREEITEM root = tree->GetRootItem();
    ASSERT_TRUE(tree->SelectItem(root));
    ASSERT_EQ(host->reports.size(), 2u);
    EXPECT_EQ(host->reports[1].item, root);
    EXPECT_EQ(host->reports[1].root, 1);
    EXPECT_EQ(host->reports[1].path, static_cast<const char*>(tree->GetPathName(root)));
    EXPECT_EQ(host->reports[0].path, host->reports[1].path) << "the desktop's own folder";
}

TEST_F(TrcTest, BackAndForwardWalkTheHistoryWithoutNewSteps)
{
    int can = -1;
    EXPECT_EQ(tree->ViewBkw(), VKE_NOT_DONE) << "no history yet";
    for (const char* name : {"A", "B", "C"}) ASSERT_EQ(tree->SetCurPath((dir / name).c_str(), 1), 0);
    EXPECT_EQ(Flags().iRdo, 0);
    const struct {
        int (CmnTrcFld::*step)();
        const char* folder;
    } walk[] = {{&CmnTrcFld::ViewBkw, "B"}, {&CmnTrcFld::ViewBkw, "A"}, {&CmnTrcFld::ViewFrw, "B"}};
    for (const auto& w : walk) {
        EXPECT_EQ((tree->*w.step)(), 0);
        EXPECT_EQ(Selected(), dir / w.folder);
        EXPECT_EQ(static_cast<const char*>(tree->GetCurPathName()), dir / w.folder);
        // A new step would have dropped the way forward.
        EXPECT_EQ(Flags().iRdo, 1) << w.folder;
        EXPECT_EQ(Flags().iUnd, 1) << w.folder;
    }
    EXPECT_EQ(tree->ViewFrw(), 0);
    EXPECT_EQ(Selected(), dir / "C");
    EXPECT_EQ(tree->IsEnableViewFrw(&can), 0);
    EXPECT_EQ(can, 0);
    EXPECT_EQ(tree->ViewFrw(), VKE_NOT_DONE) << "nothing ahead";

    // A step back onto the computer folder, which has no path, selects it and keeps the way on.
    ASSERT_EQ(tree->SetCurPath((dir / "A").c_str(), 1), 0);
    HTREEITEM computer = Computer();
    ASSERT_NE(computer, nullptr);
    ASSERT_TRUE(tree->SelectItem(computer));
    EXPECT_EQ(tree->GetCurPathName(), "");
    ASSERT_EQ(tree->SetCurPath((dir / "B").c_str(), 1), 0);
    EXPECT_EQ(tree->ViewBkw(), 0);
    EXPECT_EQ(tree->GetSelectedItem(), computer);
    EXPECT_EQ(tree->GetCurPathName(), "");
    EXPECT_EQ(tree->IsEnableViewFrw(&can), 0);
    EXPECT_EQ(can, 1);
    EXPECT_EQ(tree->ViewFrw(), 0);
    EXPECT_EQ(Selected(), dir / "B");
    EXPECT_EQ(Traced(), traced);
}

TEST_F(TrcTest, HistoryRecordsAndTheEngineRequests)
{
    Dat* a = nullptr;
    ASSERT_EQ(tree->AllocDat(CmnTrcFldCodHst, &a), 0);
    TrcFldHst* hst = static_cast<TrcFldHst*>(a);
    ASSERT_EQ(VkeSubSetAppMemStr(theCmnAppInf.pSub, &hst->amPath, (dir / "B").c_str()), 0);
    Dat* none = nullptr;
    EXPECT_EQ(tree->AllocDat(355, &none), VKE_ERR_ARG);
    EXPECT_EQ(none, nullptr);

    // Requests 1 to 7 on records of their own.
    Dat* p = nullptr;
    Dat* q = nullptr;
    TrcFldHst plain = {};
    Dat* pp = &plain;
    EXPECT_EQ(tree->EditDat(1, CmnTrcFldCodHst, &p, nullptr, nullptr), 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(tree->EditDat(5, CmnTrcFldCodHst, &p, &a, nullptr), 0);
    EXPECT_EQ(PathOf(static_cast<TrcFldHst*>(p)->amPath), dir / "B");
    EXPECT_EQ(tree->EditDat(6, CmnTrcFldCodHst, &q, &a, nullptr), 0);
    EXPECT_EQ(PathOf(static_cast<TrcFldHst*>(q)->amPath), dir / "B");
    EXPECT_EQ(tree->EditDat(3, CmnTrcFldCodHst, &pp, nullptr, nullptr), 0);
    EXPECT_EQ(tree->EditDat(7, CmnTrcFldCodHst, &pp, &a, nullptr), 0);
    EXPECT_EQ(PathOf(plain.amPath), dir / "B");
    EXPECT_EQ(tree->EditDat(4, CmnTrcFldCodHst, &pp, nullptr, nullptr), 0);
    EXPECT_EQ(plain.amPath.pBuffer, nullptr);
    for (Dat** r : {&p, &q}) {
        EXPECT_EQ(tree->EditDat(2, CmnTrcFldCodHst, r, nullptr, nullptr), 0);
        EXPECT_EQ(*r, nullptr);
    }
    EXPECT_EQ(tree->EditDat(9, CmnTrcFldCodHst, &p, &a, nullptr), VKE_ERR_ARG);
    EXPECT_EQ(tree->EditDat(0, CmnTrcFldCodHst, &p, &a, nullptr), VKE_ERR_ARG);
    EXPECT_EQ(tree->EditDat(6, 355, &q, &a, nullptr), VKE_ERR_ARG);
    EXPECT_EQ(Traced(), traced + 4);

    // Request 8 as the engine sends it: the snapshot becomes the history's folder and is selected,
    // and no step is added.
    ASSERT_EQ(tree->SetCurPath((dir / "C").c_str(), 1), 0);
    ASSERT_EQ(tree->SetCurPath((dir / "A").c_str(), 1), 0);
    EditFlag before = Flags();
    void* slot2 = a;
    EudReq req = {VKE_EUD_RESTORE, CmnTrcFldCodHst, nullptr, &slot2, 0};
    EXPECT_EQ(tree->SendMessage(VkeWmEudDat, reinterpret_cast<WPARAM>(&req)), 1);
    EXPECT_EQ(req.iResult, 0);
    EXPECT_EQ(Selected(), dir / "B");
    EditFlag after = Flags();
    EXPECT_EQ(after.iUnd, before.iUnd);
    EXPECT_EQ(after.iRdo, before.iRdo);
    EXPECT_EQ(tree->ViewBkw(), 0);
    EXPECT_EQ(Selected(), dir / "C") << "the step before A's selection is still the last";
    EXPECT_EQ(tree->FreeDat(CmnTrcFldCodHst, &a), 0);
}

TEST_F(TrcTest, AFolderIsFilledOnceAndARefreshShowsTheDiskAgain)
{
    HTREEITEM folder = Item(dir.Path());
    ASSERT_NE(folder, nullptr);
    ASSERT_TRUE(tree->Expand(folder, TVE_EXPAND));
    std::vector<std::string> first = Children(folder);
    CreateDirectoryA((dir / "D").c_str(), nullptr);
    RemoveDirectoryA((dir / "C").c_str());
    ASSERT_TRUE(tree->Expand(folder, TVE_COLLAPSE));
    ASSERT_TRUE(tree->Expand(folder, TVE_EXPAND));
    EXPECT_EQ(Children(folder), first) << "a second expansion lists nothing";

    // A folder gone since: its filling finds nothing to list, quietly.
    HTREEITEM gone = tree->GetChildItem(folder);
    while (gone && tree->GetItemText(gone) != "C") gone = tree->GetNextSiblingItem(gone);
    ASSERT_NE(gone, nullptr);
    VktMsgBox answer({IDOK});
    tree->Expand(gone, TVE_EXPAND);
    EXPECT_EQ(tree->GetChildItem(gone), nullptr);
    // One that cannot be bound as a folder at all (no access, a lost drive; here a file): 3.
    CloseHandle(CreateFileA((dir / "f.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CmnIdl file(theCmnSub.GetItemIdList((dir / "f.txt").c_str()));
    EXPECT_EQ(tree->SetTree(gone, file), VKE_STOPPED);
    EXPECT_EQ(tree->GetChildItem(gone), nullptr);
    EXPECT_EQ(answer.Count(), 0);

    ASSERT_EQ(tree->SetTree(nullptr, nullptr), 0);
    folder = Item(dir.Path());
    ASSERT_NE(folder, nullptr);
    ASSERT_TRUE(tree->Expand(folder, TVE_EXPAND));
    EXPECT_EQ(Children(folder), (std::vector<std::string>{"A", "a.jpg", "B", "D", "表"}));
    EXPECT_EQ(Traced(), traced) << "a refresh reports nothing";
}

// A folder made after the tree read its parent is reached by its path (typed in the places box,
// opened from the list): the tree asks the disk again for the parent's children it lacks, keeps
// the ones it has (their expansion too) and lists each folder once, in the shell's order.
TEST_F(TrcTest, AFolderMadeSinceIsReachedByItsPath)
{
    HTREEITEM folder = Item(dir.Path());
    ASSERT_NE(folder, nullptr);
    HTREEITEM deep = Item(dir / "表\\ソ");
    ASSERT_NE(deep, nullptr);
    // A read without children; B not read, as the shell says of a folder without subfolders
    // (Wine's shell says every folder may have some).
    HTREEITEM a = Item(dir / "A");
    ASSERT_NE(a, nullptr);
    tree->Expand(a, TVE_EXPAND);
    ASSERT_EQ(tree->GetChildItem(a), nullptr);
    TVITEMA none = {};
    none.mask = TVIF_CHILDREN;
    none.hItem = Item(dir / "B");
    ASSERT_TRUE(tree->SetItem(&none));
    for (const char* name : {"D", "A\\x", "B\\z", "E", "E\\y"}) CreateDirectoryA((dir / name).c_str(), nullptr);
    const char* cases[] = {
        "D",    // beside folders read before
        "A\\x", // below a folder read without children
        "B\\z", // below a folder not read
        "E\\y", // two levels made since
        "D",    // known now
    };
    for (const char* name : cases) {
        SCOPED_TRACE(name);
        host->reports.clear();
        EXPECT_EQ(tree->SetCurPath((dir / name).c_str(), 1), 0);
        EXPECT_EQ(Selected(), dir / name);
        EXPECT_EQ(static_cast<const char*>(tree->GetCurPathName()), dir / name);
        ASSERT_EQ(host->reports.size(), 2u);
        EXPECT_EQ(host->reports[1].path, dir / name) << "the list shows the new folder";
    }
    EXPECT_EQ(Children(folder), (std::vector<std::string>{"A", "a.jpg", "B", "C", "D", "E", "表"}));
    EXPECT_EQ(Children(a), (std::vector<std::string>{"x"}));
    EXPECT_EQ(Children(Item(dir / "B")), (std::vector<std::string>{"z"}));
    EXPECT_EQ(Item(dir / "表\\ソ"), deep) << "the items read before stay";
    EXPECT_TRUE(tree->GetItemState(tree->GetParentItem(deep), TVIS_EXPANDED) & TVIS_EXPANDED);

    // A folder the shell does not list is still not found: its nearest listed ancestor.
    CreateDirectoryA((dir / "H").c_str(), nullptr);
    SetFileAttributesA((dir / "H").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(tree->SetCurPath((dir / "H").c_str(), 1), 1);
    EXPECT_EQ(Selected(), dir.Path());
    EXPECT_EQ(Children(folder).size(), 7u);
    EXPECT_EQ(Traced(), traced);
}

TEST_F(TrcTest, TwoThousandFoldersInTheShellsOrderEitherWay)
{
    CreateDirectoryA((dir / "Many").c_str(), nullptr);
    char name[32];
    for (int i = 1999; i >= 0; --i) {
        snprintf(name, sizeof(name), "Many\\n%04d", i);
        CreateDirectoryA((dir / name).c_str(), nullptr);
    }
    HTREEITEM many = Item(dir / "Many");
    ASSERT_NE(many, nullptr);
    ASSERT_TRUE(tree->Expand(many, TVE_EXPAND));
    std::vector<std::string> names = Children(many);
    ASSERT_EQ(names.size(), 2000u);
    EXPECT_EQ(names.front(), "n0000");
    EXPECT_EQ(names.back(), "n1999");
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    ASSERT_EQ(tree->SortTree(many, 0), 0);
    names = Children(many);
    EXPECT_EQ(names.front(), "n1999");
    EXPECT_EQ(names.back(), "n0000");
    // Plain folders share one icon pair.
    int image = -1, selected = -1;
    tree->GetItemImage(tree->GetChildItem(many), image, selected);
    EXPECT_GE(image, 0);
    EXPECT_GE(selected, 0);
    EXPECT_EQ(Traced(), traced);
}

TEST_F(TrcTest, TermReleasesEveryItemsRecord)
{
    ASSERT_NE(Item(dir / "表\\ソ"), nullptr);
    int items = static_cast<int>(tree->GetCount());
    ASSERT_GT(items, 10);
    EXPECT_EQ(tree->Term(), 0);
    EXPECT_EQ(tree->released, items);
    EXPECT_EQ(tree->GetCount(), 0u);
    EXPECT_EQ(tree->Term(), VKE_NOT_DONE);
    HTREEITEM none = nullptr;
    EXPECT_EQ(tree->Search("C:\\", &none), VKE_ERR_NOT_INIT);
    Dat* record = nullptr;
    int flag = 0;
    for (int rc : {tree->ViewBkw(), tree->ViewFrw(), tree->IsEnableViewBkw(&flag), tree->SetCurPath("C:\\", 1),
                   tree->EditDat(1, CmnTrcFldCodHst, &record, nullptr, nullptr), tree->SetHistory(14), tree->SetTree(nullptr, nullptr),
                   tree->Redraw(0), tree->SetPathName("C:\\")})
        EXPECT_EQ(rc, VKE_ERR_NOT_INIT);
    // A second start works like the first.
    ASSERT_EQ(tree->Init(), 0);
    EXPECT_EQ(tree->Init(), VKE_ERR_EXISTS);
    EXPECT_NE(Item(dir.Path()), nullptr);
}

namespace {

// The tree's window as drawn, frame and scroll bars included.
std::vector<COLORREF> Drawn(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<COLORREF> pixels;
    HDC dc = GetWindowDC(window);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(mem, x, y));
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(window, dc);
    return pixels;
}

} // namespace

// A start at a folder deep below, in a narrow tree shown on screen: the search draws nothing on
// the way, and afterwards the user sees the path expanded, the folder selected in view, and what
// a full repaint of the window (frame and scroll bars too) shows.
TEST_F(TrcTest, ADeepFolderIsShownAsAFullRepaintShowsIt)
{
    std::string deep = dir.Path();
    char name[16];
    for (int level = 0; level < 8; ++level) {
        for (int i = 0; i < 30; ++i) {
            snprintf(name, sizeof(name), "\\f%02d", i);
            CreateDirectoryA((deep + name).c_str(), nullptr);
        }
        deep += "\\f15";
    }
    tree->MoveWindow(0, 0, 160, 180);
    host->ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_TRUE(VktPumpUntil([&] { return !GetUpdateRect(tree->m_hWnd, nullptr, FALSE); }));

    ASSERT_EQ(tree->SetCurPath(deep.c_str(), 1), 0);
    EXPECT_TRUE(tree->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(Selected(), deep);
    HTREEITEM item = tree->GetSelectedItem();
    for (HTREEITEM up = tree->GetParentItem(item); up; up = tree->GetParentItem(up))
        EXPECT_TRUE(tree->GetItemState(up, TVIS_EXPANDED) & TVIS_EXPANDED);
    CRect shown, client;
    ASSERT_TRUE(tree->GetItemRect(item, &shown, TRUE));
    tree->GetClientRect(&client);
    EXPECT_TRUE(shown.top >= 0 && shown.bottom <= client.bottom) << shown.top << " " << shown.bottom;
    SCROLLINFO vertical = {};
    vertical.cbSize = sizeof(vertical);
    vertical.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(tree->m_hWnd, SB_VERT, &vertical));
    EXPECT_GT(vertical.nPos, 0) << "scrolled down to the folder";

    ASSERT_TRUE(VktPumpUntil([&] { return !GetUpdateRect(tree->m_hWnd, nullptr, FALSE); }));
    std::vector<COLORREF> drawn = Drawn(tree->m_hWnd);
    tree->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    VktPump();
    EXPECT_TRUE(drawn == Drawn(tree->m_hWnd)) << "the search's end left something undrawn";
    EXPECT_EQ(Traced(), traced);
}
