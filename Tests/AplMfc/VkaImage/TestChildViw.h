// The image tab view in the real main frame, with tabs made from a string of letters: plain
// image pages (opened as the view opens a path) and test pages that answer as their test says.
#pragma once
#include "TestChildFrm.h"
#include "ChildViw.h"
#include "DlgImg.h"
#include "HalcorRes.h"
#include <algorithm>

// An image page whose answers its test sets: the save prompt (1 may close, 0 cancels; each
// question counted), whether it prints (a print marks it printed) and what its save gives.
class TestPage : public DlgImg {
public:
    int SaveModified(int) override
    {
        ++asked;
        return answer;
    }
    int IsPrintable() override { return printable; }
    int SaveAsImage() override
    {
        ++saves;
        return saveResult;
    }
    char kind = 'c';
    int answer = 1;
    int printable = 0;
    int saveResult = 0;
    int saves = 0;
    int asked = 0; // save questions put to it
};

class SelTest : public FrmTest {
protected:
    void SetUp() override
    {
        FrmTest::SetUp();
        a = dir / "a.bmp";
        MakeBmpFile(a, 32, 16, RGB(255, 0, 0), RGB(0, 0, 255));
    }
    void TearDown() override
    {
        for (TestPage* p : tests) p->answer = 1; // the frame may close
        FrmTest::TearDown();
    }
    ChildViw* View() { return DYNAMIC_DOWNCAST(ChildViw, main->GetActiveView()); }
    int Count()
    {
        int n = -1;
        View()->GetPageCnt(&n);
        return n;
    }
    // Tabs from a string: 'o' an empty page, 'l' a locked one, 'c' a test page whose prompt
    // cancels, 'p' a test page that prints, 'P' the same locked.
    void Open(const char* kinds)
    {
        for (const char* k = kinds; *k; ++k) {
            if (*k == 'o' || *k == 'l') {
                ASSERT_EQ(View()->OpenPageByPth("", 0, *k == 'l'), 0);
                continue;
            }
            TestPage* page = new TestPage;
            ASSERT_TRUE(page->Create(IDD_DLGIMG, CWnd::FromHandle(TabWnd())));
            ASSERT_EQ(View()->OpenPage(page, -1, app->NextPageNo(), CmnTypImg, *k == 'P', ""), 0);
            page->kind = *k;
            page->answer = *k == 'c' ? 0 : 1;
            page->printable = *k == 'p' || *k == 'P';
            tests.push_back(page);
        }
    }
    // The page an image opens into, current, shown and painted.
    DlgImg* OpenShown(const std::string& path)
    {
        ChildViw* view = View();
        if (view->OpenPageByPth(path.c_str(), 0, 0) != 0) return nullptr;
        const int index = Count() - 1;
        view->SetCurSel(index);
        DlgImg* page = view->GetImgPage(index);
        main->SetForegroundWindow();
        VktPump(100);
        if (page) ::UpdateWindow(page->GetDraWnd());
        return page;
    }
    TestPage* Test(int index)
    {
        DlgImg* page = View()->GetImgPage(index);
        auto it = std::find(tests.begin(), tests.end(), page);
        return it == tests.end() ? nullptr : *it;
    }
    // The tab control's window, the parent of every page.
    HWND TabWnd()
    {
        if (tabWnd) return tabWnd;
        int n = Count();
        if (View()->OpenPageByPth("", 0, 0) != 0) return nullptr;
        tabWnd = ::GetParent(View()->GetImgPage(n)->m_hWnd);
        View()->ClosePage(n, 1, 1, 0);
        return tabWnd;
    }
    // What is left: a letter per tab as Open names them.
    std::string Left()
    {
        std::string s;
        for (int i = 0; i < Count(); ++i) {
            int locked = 0;
            View()->GetLockedFlag(i, &locked);
            TestPage* test = Test(i);
            s += test ? test->kind : locked ? 'l' : 'o';
        }
        return s;
    }
    // Every tab closed, test pages and locked ones too.
    void CloseAll()
    {
        for (TestPage* p : tests) p->answer = 1;
        tests.clear();
        ASSERT_EQ(View()->ClosePageAll(1, 1, 1), 0);
    }

    VktTempDir dir;
    std::string a;
    std::vector<TestPage*> tests;
    HWND tabWnd = nullptr;
};
