// The image tab view's page services over the real view in the real main frame: pages found by
// path, paths opened into pages (again into the same page, never an empty tab for a file without
// an image), closes with their locks, the document's title after the current page, the tab hooks
// and the clipboard monitor opening another program's copy as a page.
#include "TestChildFrm.h"
#include "ChildViw.h"
#include "CmnImg.h"
#include "DlgImg.h"
#include <set>

class PagTest : public FrmTest {
protected:
    void SetUp() override
    {
        FrmTest::SetUp();
        a = dir / "\x95\x5C.bmp"; // 表.bmp
        b = dir / "b.bmp";
        MakeBmpFile(a, 64, 32, RGB(255, 0, 0), RGB(0, 0, 255));
        MakeBmpFile(b, 16, 16, RGB(0, 255, 0), RGB(0, 255, 0));
    }
    ChildViw* View() { return DYNAMIC_DOWNCAST(ChildViw, main->GetActiveView()); }
    int Count()
    {
        int n = -1;
        View()->GetPageCnt(&n);
        return n;
    }
    std::string DocTitle() { return std::string(main->GetActiveDocument()->GetTitle()); }
    std::string TabTitle(int index)
    {
        char text[CmnPathSize] = {};
        View()->GetTitle(index, text, sizeof(text));
        return text;
    }

    VktTempDir dir;
    std::string a, b;
};

TEST_F(PagTest, PathsOpenIntoPagesFoundByPathAndNeverLeaveAnEmptyTab)
{
    Run();
    ChildViw* view = View();
    // Three pages opened and closed first, one alone and the others together: what the first
    // pages and selection changes make once stays (fonts, cursors, the tab control's scroll
    // arrows once its tabs overflow).
    for (const char* path : {a.c_str(), b.c_str(), ""}) ASSERT_EQ(view->OpenPageByPth(path, 0, 0), 0);
    ASSERT_EQ(view->ClosePage(2, 1, 1, 1), 0);
    ASSERT_EQ(view->ClosePageAll(1, 1, 1), 0);
    DWORD gdi = SettledGdiObjects();
    int index = -1;
    EXPECT_EQ(view->SchPageByPth(a.c_str(), &index), -12);
    EXPECT_EQ(view->SchPageByPth("", &index), -9);
    ASSERT_EQ(view->OpenPageByPth(a.c_str(), 0, 0), 0);
    ASSERT_EQ(view->OpenPageByPth(b.c_str(), 0, 0), 0);
    ASSERT_EQ(Count(), 2);
    ASSERT_EQ(view->SchPageByPth(a.c_str(), &index), 0);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(view->GetImgPage(0)->GetIci()->pthImg.iWidth, 64);
    std::string upper = a;
    upper.replace(upper.size() - 3, 3, "BMP");
    EXPECT_EQ(view->SchPageByPth(upper.c_str(), &index), -12) << "case matters";

    // The same path again: the same page, the state before an undo step, the lock as asked.
    int steps = view->GetImgPage(0)->GetEui()->lkiEud.iCnt;
    MakeBmpFile(a, 40, 20, RGB(255, 0, 0), RGB(0, 0, 255));
    ASSERT_EQ(view->OpenPageByPth(a.c_str(), 0, 1), 0);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(view->GetImgPage(0)->GetIci()->pthImg.iWidth, 40);
    EXPECT_GT(view->GetImgPage(0)->GetEui()->lkiEud.iCnt, steps);
    int locked = 0;
    view->GetLockedFlag(0, &locked);
    EXPECT_EQ(locked, 1);

    // A file without an image the codecs read leaves no tab; an empty path is an empty page.
    std::string text = dir / "text.bmp";
    ASSERT_TRUE(VktWriteFile(text, "not an image"));
    EXPECT_EQ(view->OpenPageByPth(text.c_str(), 0, 0), 1);
    EXPECT_EQ(Count(), 2);
    ASSERT_EQ(view->OpenPageByPth("", 0, 0), 0);
    EXPECT_EQ(Count(), 3);
    EXPECT_FALSE(view->GetImgPage(2)->IsNamed());
    EXPECT_EQ(view->OpenPageByPth(nullptr, 0, 0), -9);
    EXPECT_EQ(view->OpenPageByPth(a.c_str(), 2, 0), -9);

    // Closes: a locked tab declines unless forced; all of them back to the GDI count.
    EXPECT_EQ(view->ClosePage(2, 1, 1, 2), -9);
    EXPECT_EQ(view->ClosePage(5, 1, 1, 0), -9);
    ASSERT_EQ(view->ClosePage(2, 1, 1, 1), 0);
    EXPECT_EQ(view->ClosePage(0, 1, 0, 1), 1);
    EXPECT_EQ(view->ClosePageAll(1, 0, 1), 1) << "the locked page declined";
    EXPECT_EQ(Count(), 1);
    int all = 0;
    app->GetFlgClsAll(&all);
    EXPECT_EQ(all, 0);
    ASSERT_EQ(view->ClosePageAll(1, 1, 1), 0);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(DocTitle(), "");
    // The frame's panels may still be giving back a thumbnail or a repaint's bitmap: a leak stays.
    for (int i = 0; i < 20 && VktGdiObjects() > gdi; ++i) VktPump(100);
    EXPECT_EQ(VktGdiObjects(), gdi);
}

TEST_F(PagTest, EverySpellingOfAFileOpensThePageOfItsFullPath)
{
    Run();
    ChildViw* view = View();
    // Short (8.3) names, Japanese names and letter case. An opened file's page has the full path
    // of its folder as given and its name as the folder lists it; a page is found by every
    // spelling whose full path is its path, byte for byte.
    std::string folder = dir / "A Long Folder 写真";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    std::vector<std::string> spellings;
    std::set<std::string> opened;
    ASSERT_EQ(app->BeginOpenFile(), 0);
    for (const char* name : {"ソ表 Photo.bmp", "Mixed.Bmp"}) {
        MakeBmpFile(folder + "\\" + name, 8, 8, RGB(255, 0, 0), RGB(0, 0, 255));
        for (const std::string& spelling : VktPathSpellings(folder + "\\" + name)) {
            spellings.push_back(spelling);
            std::string full = VktLongFullPath(VktLongFullPath(spelling + "\\..") + "\\" + name);
            opened.insert(full);
            EXPECT_EQ(app->OpenFile(spelling.c_str(), 0, 0, 1), 0) << spelling;
            int index = -1;
            ASSERT_EQ(view->SchPageByPth(full.c_str(), &index), 0) << spelling;
            EXPECT_EQ(std::string(view->GetImgPage(index)->GetPathName()), full);
        }
    }
    app->EndOpenFile(0);
    EXPECT_EQ(Count(), static_cast<int>(opened.size()));
    for (const std::string& spelling : spellings) {
        int index = -1;
        EXPECT_EQ(view->SchPageByPth(spelling.c_str(), &index), opened.count(VktLongFullPath(spelling)) ? 0 : -12)
            << spelling;
    }
}

namespace {

// Counts the paints of a window whose procedure it takes.
WNDPROC g_oldAreaPrc = nullptr;
int g_areaPaints = 0;

LRESULT CALLBACK CountAreaPaints(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) ++g_areaPaints;
    return ::CallWindowProcA(g_oldAreaPrc, wnd, msg, wParam, lParam);
}

} // namespace

TEST_F(PagTest, AnOpenPaintsWhatItChangedButNotTheShownPageAgain)
{
    Run();
    ChildViw* view = View();
    ASSERT_EQ(view->OpenPageByPth(a.c_str(), 0, 0), 0);
    HWND area = view->GetImgPage(0)->GetDraWnd();
    HWND tabs = view->GetImgPage(0)->GetParent()->m_hWnd;
    EXPECT_FALSE(::GetUpdateRect(area, nullptr, FALSE)) << "the first page shows when the call returns";
    g_areaPaints = 0;
    g_oldAreaPrc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(area, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountAreaPaints)));
    ASSERT_EQ(view->OpenPageByPth(b.c_str(), 0, 0), 0);
    EXPECT_FALSE(::GetUpdateRect(tabs, nullptr, FALSE)) << "the new tab shows when the call returns";
    EXPECT_FALSE(::GetUpdateRect(area, nullptr, FALSE));
    EXPECT_EQ(g_areaPaints, 0) << "the shown page did not change";
    ::SetWindowLongPtrA(area, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_oldAreaPrc));
}

// A batch of openings runs without a message loop: a message another thread sends the frame
// meanwhile is answered by the next page's open, not only when the batch ends.
TEST_F(PagTest, AMessageSentFromAnotherThreadIsAnsweredByTheNextOpen)
{
    Run();
    ChildViw* view = View();
    struct Sender {
        HWND frame;
        static DWORD WINAPI Run(void* p)
        {
            DWORD_PTR answer = 0;
            ::SendMessageTimeoutA(static_cast<Sender*>(p)->frame, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
            return 0;
        }
    } sender = {main->m_hWnd};
    HANDLE thread = ::CreateThread(nullptr, 0, &Sender::Run, &sender, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // The message waits in the frame's queue of sent messages before the open starts.
    auto waiting = [] { return (HIWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0; };
    for (int i = 0; i < 200 && !waiting(); ++i) ::Sleep(5);
    ASSERT_TRUE(waiting()) << "nothing was sent";
    ASSERT_EQ(view->OpenPageByPth(a.c_str(), 0, 0), 0);
    EXPECT_EQ(::WaitForSingleObject(thread, 1000), WAIT_OBJECT_0) << "the sender still waits";
    ::WaitForSingleObject(thread, 10000);
    ::CloseHandle(thread);
}

namespace {

// An image's size and bits (empty for none).
std::string Bits(HBITMAP image)
{
    DIBSECTION ds = {};
    if (!image || ::GetObjectA(image, sizeof(ds), &ds) != sizeof(ds)) return "";
    return std::to_string(ds.dsBm.bmWidth) + "x" + std::to_string(ds.dsBm.bmHeight) + ":" +
           std::string(static_cast<const char*>(ds.dsBm.bmBits),
                       static_cast<size_t>(ds.dsBm.bmWidthBytes) * static_cast<size_t>(ds.dsBm.bmHeight));
}

// A file's image as the image service opens it on this thread.
std::string BitsOf(const std::string& path)
{
    HBITMAP image = nullptr;
    int type = 0, known = 0;
    float xr = 0, yr = 0;
    theCmnImg.OpenImage(path.c_str(), &image, &type, &xr, &yr, &known);
    std::string bits = Bits(image);
    theCmnImg.CloseImage(&image);
    return bits;
}

} // namespace

// A batch decodes each next file on a worker while the page before is set up: its pages, their
// order, titles and images are those the files give one by one, a file that holds no image still
// leaves no tab, and nothing decoded ahead stays behind once the batch ends, stopped or not.
TEST_F(PagTest, ABatchThatDecodesAheadOpensEveryFileAsItIs)
{
    Run();
    ChildViw* view = View();
    VktTempDir folder;
    const struct {
        const char* name;
        int width, height;
        COLORREF left, right;
    } files[] = {{"1.bmp", 24, 8, RGB(255, 0, 0), RGB(0, 0, 255)},
                 {"2写真.bmp", 8, 30, RGB(0, 255, 0), RGB(255, 255, 0)},
                 {"3.bmp", 50, 50, RGB(0, 0, 0), RGB(255, 255, 255)},
                 {"5.bmp", 9, 9, RGB(1, 2, 3), RGB(4, 5, 6)}};
    for (const auto& f : files) MakeBmpFile(folder / f.name, f.width, f.height, f.left, f.right);
    ASSERT_TRUE(VktWriteFile(folder / "4.bmp", "not an image"));
    // The folder's own order, which its opening follows.
    std::vector<std::string> order;
    WIN32_FIND_DATAA data = {};
    HANDLE search = ::FindFirstFileA((folder / "*.bmp").c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        if (strcmp(data.cFileName, "4.bmp") != 0) order.push_back(data.cFileName);
    } while (::FindNextFileA(search, &data));
    ::FindClose(search);
    ASSERT_EQ(order.size(), 4u);

    ASSERT_EQ(app->BeginOpenFile(), 0);
    EXPECT_EQ(app->OpenFile(folder.Path().c_str(), 0, 0, 1), 1) << "the file without an image is skipped";
    EXPECT_EQ(app->EndOpenFile(1), 0);
    ASSERT_EQ(Count(), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(order[i]);
        DlgImg* page = view->GetImgPage(i);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(TabTitle(i), order[i]);
        EXPECT_EQ(Bits(page->GetIci()->pthImg.hImg), BitsOf(folder / order[i]));
    }
    // What the first pages and the progress dialog make once stays (as in the test above).
    ASSERT_EQ(view->ClosePageAll(1, 1, 1), 0);
    const DWORD gdi = SettledGdiObjects();

    // The same files named one by one, as the command line names them; stopped after the second.
    std::vector<std::string> args = {"Pictavo.exe"};
    for (const auto& f : files) args.push_back(folder / f.name);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(&arg[0]);
    EXPECT_EQ(app->ParseCommandLine(static_cast<int>(argv.size()), argv.data()), 0);
    ASSERT_EQ(Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Bits(view->GetImgPage(i)->GetIci()->pthImg.hImg), BitsOf(folder / files[i].name)) << i;
    ASSERT_EQ(view->ClosePageAll(1, 1, 1), 0);
    ASSERT_EQ(app->BeginOpenFile(), 0);
    for (int i = 0; i < 2; ++i) {
        theCmnImg.SetNextOpenImage((folder / files[i + 1].name).c_str());
        EXPECT_EQ(app->OpenFile((folder / files[i].name).c_str(), 0, 0, 1), 0);
    }
    EXPECT_EQ(app->EndOpenFile(3), 0);
    EXPECT_EQ(Count(), 2);
    ASSERT_EQ(view->ClosePageAll(1, 1, 1), 0);
    for (int i = 0; i < 20 && VktGdiObjects() > gdi; ++i) VktPump(100);
    EXPECT_EQ(VktGdiObjects(), gdi);
}

TEST_F(PagTest, TheTitleFollowsTheCurrentPageAtEveryChangeAndClose)
{
    Run();
    ChildViw* view = View();
    ASSERT_EQ(view->OpenPageByPth(a.c_str(), 0, 0), 0);
    ASSERT_EQ(view->OpenPageByPth(b.c_str(), 0, 0), 0);
    ASSERT_EQ(view->SetCurSel(1), 0);
    VktPump();
    EXPECT_EQ(DocTitle(), b);
    int changing = 1;
    app->GetFlgTabChg(&changing);
    EXPECT_EQ(changing, 0) << "cleared once the new page shows";
    ASSERT_EQ(view->SetCurSel(0), 0);
    VktPump();
    EXPECT_EQ(DocTitle(), a);
    EXPECT_EQ(TabTitle(0), "\x95\x5C.bmp");

    // The title from the page's own title, and after a close the new current page's.
    ASSERT_EQ(view->GetImgPage(0)->SetTitle("x"), 0);
    ASSERT_EQ(view->SetTitle(0, "y"), 0);
    ASSERT_EQ(view->SetTitle(), 0);
    EXPECT_EQ(TabTitle(0), "x");
    ASSERT_EQ(view->ClosePage(0, 1, 1, 1), 0);
    VktPump();
    int current = -1;
    view->GetCurSel(&current);
    ASSERT_EQ(current, 0);
    EXPECT_EQ(DocTitle(), b);

    // The idle step puts the current page's line in the status bar.
    CStatusBar* bar = DYNAMIC_DOWNCAST(CStatusBar, main->GetDescendantWindow(AFX_IDW_STATUS_BAR));
    ASSERT_NE(bar, nullptr);
    bar->SetPaneText(bar->CommandToIndex(32771), "");
    app->OnIdle(1);
    EXPECT_NE(std::string(bar->GetPaneText(bar->CommandToIndex(32771))), "");
}

TEST_F(PagTest, TheMonitorOpensAnotherProgramsCopyButNotWhileFilesOpen)
{
    Put("PoiFri_bClbMon", "1");
    Run();
    ChildViw* view = View();
    ASSERT_EQ(app->BeginOpenFile(), 0);
    CopyBitmapElsewhere();
    EXPECT_EQ(Count(), 0) << "brackets never nest";
    app->EndOpenFile(0);
    CopyBitmapElsewhere();
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(TabTitle(0), "\x90\x56\x8B\x4B_1"); // 新規_1
    EXPECT_TRUE(view->GetImgPage(0)->IsExistDIBHandle());
    EXPECT_EQ(view->GetImgPage(0)->GetPastedFlag(), 1);
}
