// The frame, the view and the fixture of the page and bracket tests.
#include "TestVkaOpn.h"
#include "CmnWin.h"
#include "HalcorRes.h"
#include "VkaSubOpi.h"

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// ---- The frame ----

IMPLEMENT_DYNCREATE(TestDoc, CDocument)
IMPLEMENT_DYNCREATE(TestFrm, CFrameWnd)

BEGIN_MESSAGE_MAP(TestFrm, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_MESSAGE(CmnWmBusyClose, &ThisClass::OnBusyClose)
    ON_MESSAGE(VkeWmTraceError, &ThisClass::OnTraceError)
END_MESSAGE_MAP()

int TestFrm::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_PAGE};
    if (!status.Create(this) || !status.SetIndicators(indicators, 2)) return -1;
    theCmnWin.SetStatusBar(&status);
    HalcorApp* app = HalcorGetApp();
    return app && app->Init(m_hWnd) == VKE_OK ? 0 : -1;
}

void TestFrm::OnClose()
{
    HalcorApp* app = HalcorGetApp();
    if (app && app->IsPumping()) {
        PostMessage(CmnWmBusyClose);
        PostMessage(WM_CLOSE);
        return;
    }
    ++closes;
    if (app && app->IsOpening()) ++closesOpening;
}

LRESULT TestFrm::OnTraceError(WPARAM wParam, LPARAM)
{
    traces.push_back(wParam ? reinterpret_cast<const char*>(wParam) : "");
    return 0;
}

// ---- The view ----

IMPLEMENT_DYNCREATE(TestViw, CView)

BEGIN_MESSAGE_MAP(TestViw, CView)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

int TestViw::GetPageCnt(int* out)
{
    *out = static_cast<int>(pages.size());
    return VKE_OK;
}

int TestViw::GetCurSel(int* out)
{
    *out = cur;
    return VKE_OK;
}

int TestViw::SetCurSel(int index)
{
    if (index < 0 || index >= static_cast<int>(pages.size())) return VKE_ERR_ARG;
    cur = index;
    for (size_t i = 0; i < pages.size(); ++i) pages[i]->ShowWindow(static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
    return VKE_OK;
}

DlgImg* TestViw::GetImgPage(int index)
{
    return index >= 0 && index < static_cast<int>(pages.size()) ? pages[static_cast<size_t>(index)] : nullptr;
}

int TestViw::SchPageByHdl(HWND wnd, int* index)
{
    for (size_t i = 0; i < pages.size(); ++i) {
        if (pages[i]->m_hWnd != wnd) continue;
        *index = static_cast<int>(i);
        return VKE_OK;
    }
    *index = -1;
    return VKE_ERR_NOT_FOUND;
}

int TestViw::SetTitle(int index, const char* title)
{
    titles[static_cast<size_t>(index)] = title;
    return VKE_OK;
}

int TestViw::GetLockedFlag(int index, int* out)
{
    if (lockFail) return lockFail;
    if (index < 0 || index >= static_cast<int>(locks.size())) return VKE_ERR_ARG;
    *out = locks[static_cast<size_t>(index)];
    return VKE_OK;
}

int TestViw::SchPageByPth(const char* path, int* index)
{
    char full[CmnPathSize] = {};
    VkeSubGetPathName(theCmnAppInf.pSub, full, path, sizeof(full));
    for (size_t i = 0; i < pages.size(); ++i) {
        if (pages[i]->GetPathName() != full) continue;
        *index = static_cast<int>(i);
        return VKE_OK;
    }
    *index = -1;
    return VKE_ERR_NOT_FOUND;
}

int TestViw::OpenPageByPth(const char* path, int pasted, int locked)
{
    if (onOpen) onOpen(path);
    auto fail = fails.find(path);
    if (fail != fails.end()) return fail->second;
    int index = -1;
    DlgImg* page = nullptr;
    if (*path && SchPageByPth(path, &index) == VKE_OK) {
        page = pages[static_cast<size_t>(index)];
        page->SetEud(14);
        locks[static_cast<size_t>(index)] = locked;
    } else {
        page = new DlgImg;
        if (!page->Create(IDD_DLGIMG, this)) {
            delete page;
            return VKE_ERR_MEMORY;
        }
        CRect client;
        GetClientRect(&client);
        page->MoveWindow(&client);
        pages.push_back(page);
        titles.emplace_back();
        locks.push_back(locked);
        index = static_cast<int>(pages.size()) - 1;
        if (cur < 0) SetCurSel(index);
    }
    int rc = page->OpenImageFile(path, pasted);
    if (rc != VKE_OK && page->GetIci() && !page->IsExistDIBHandle() && index == static_cast<int>(pages.size()) - 1)
        ClosePage(index, 1, 1, 0);
    return rc;
}

int TestViw::ClosePage(int index, int, int, int)
{
    if (index < 0 || index >= static_cast<int>(pages.size())) return VKE_ERR_ARG;
    DlgImg* page = pages[static_cast<size_t>(index)];
    pages.erase(pages.begin() + index);
    titles.erase(titles.begin() + index);
    locks.erase(locks.begin() + index);
    page->DestroyWindow();
    delete page;
    if (cur >= static_cast<int>(pages.size())) cur = static_cast<int>(pages.size()) - 1;
    if (cur >= 0) SetCurSel(cur);
    return VKE_OK;
}

void TestViw::CloseAll()
{
    while (!pages.empty()) ClosePage(static_cast<int>(pages.size()) - 1, 1, 1, 0);
}

int TestViw::SetFocusCurPage()
{
    DlgImg* page = GetImgPage(cur);
    return page ? page->SetFocusDra() : VKE_NOT_DONE;
}

int TestViw::SetClbMonFlag(int flag)
{
    monitor = flag;
    return VKE_OK;
}

int TestViw::ReadOpenInfo(const char* path, int remember, int onlyLocked, int openLocked)
{
    opi = std::string(path) + " " + std::to_string(onlyLocked) + " " + std::to_string(openLocked);
    return VkaSubOpi::ReadOpenInfo(*this, path, remember, onlyLocked, openLocked);
}

int TestViw::WriteOpenInfo(const char* path, int remember, int onlyLocked, int append, int withSelImg, int backup)
{
    return VkaSubOpi::WriteOpenInfo(*this, path, remember, onlyLocked, append, withSelImg, backup);
}

void TestViw::OnSize(UINT, int cx, int cy)
{
    for (DlgImg* page : pages) page->MoveWindow(0, 0, cx, cy);
}

void TestViw::OnDestroy()
{
    CloseAll();
    CView::OnDestroy();
}

// ---- The fixture ----

void OpnTest::SetUp()
{
    Clean();
    app = new TestHalcor;
    ASSERT_EQ(app->CmnApp::InitInstance(10), 1);
    app->ReadIni();
    theCmnWin.Term();
    app->AddDocTemplate(
        new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrm), RUNTIME_CLASS(TestViw)));
    app->OnFileNew();
    main = DYNAMIC_DOWNCAST(TestFrm, app->m_pMainWnd);
    ASSERT_NE(main, nullptr);
    view = dynamic_cast<TestViw*>(main->GetActiveView());
    ASSERT_NE(view, nullptr);
    main->MoveWindow(0, 0, 640, 480);
    main->ShowWindow(SW_SHOW);
    Pump();
}

void OpnTest::TearDown()
{
    if (app) {
        if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
        app->HalcorApp::ExitInstance();
        delete app;
        app = nullptr;
    }
    theCmnWin.Term();
    Pump();
    Clean();
}

int OpnTest::Traced(const char* name)
{
    Pump();
    int count = 0;
    for (const std::string& trace : main->traces) count += trace == name;
    return count;
}

void OpnTest::MakeBmp(const std::string& path, int width, int height, COLORREF left, COLORREF right)
{
    MakeBmpFile(path, width, height, left, right);
}

DlgImg* OpnTest::Open(const std::string& path)
{
    int before = static_cast<int>(view->pages.size());
    int rc = view->OpenPageByPth(path.c_str(), 0, 0);
    return rc == VKE_OK && static_cast<int>(view->pages.size()) > before ? view->pages.back() : nullptr;
}

int OpnTest::OpenInBracket(const std::string& path)
{
    EXPECT_EQ(app->BeginOpenFile(), VKE_OK);
    int rc = app->OpenFile(path.c_str(), 0, 0, 0);
    EXPECT_EQ(app->EndOpenFile(rc), VKE_OK);
    return rc;
}
