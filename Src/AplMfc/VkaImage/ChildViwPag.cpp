// The image tab view's page services: finding a page by its path, opening a path into a page,
// closing pages with their save prompts, the current page's title, and the tab hooks that move
// the operation panel's values between the pages.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildViw"
#include "ChildViw.h"
#include "CmnDlb.h"
#include "CmnImg.h"
#include "CmnSub.h"
#include "DlgImg.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "VkaSubOpi.h"
#include <vector>

namespace {

bool IsFlag(int value) { return value == 0 || value == 1; }

// What other threads sent meanwhile is answered: a batch of openings runs without a message
// loop, and the wait for the progress dialog's answer need not take them. Before and after each
// page, so that no sender waits much longer than one image takes to load. The peek runs only
// when a message waits: a look at the queue does less.
void AnswerSentMessages()
{
    if (!(HIWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) return;
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// The decode of the file a page opens, started on the image service's worker before the page
// is made (its window and tab are made meanwhile); a decode the page did not take goes at the
// end of the scope.
class QueuedDecode {
public:
    explicit QueuedDecode(const char* path)
    {
        int normal = 0;
        if (*path && theCmnSub.IsNormalFile(path, m_amFile, sizeof(m_amFile), &normal) == VKE_OK && normal &&
            theCmnImg.QueueOpenImage(m_amFile) == VKE_OK)
            return;
        m_amFile[0] = '\0';
    }
    ~QueuedDecode()
    {
        if (m_amFile[0]) theCmnImg.DropOpenImages(m_amFile);
    }
    QueuedDecode(const QueuedDecode&) = delete;
    QueuedDecode& operator=(const QueuedDecode&) = delete;

private:
    char m_amFile[CmnPathSize] = {};
};

} // namespace

bool ChildViw::FoldClose(int* result, int rc)
{
    if (rc == VKE_OK) return true;
    if (rc == VKE_NOT_DONE) {
        if (*result == VKE_OK) *result = rc;
        return true;
    }
    if (rc == VKE_STOPPED || *result >= VKE_OK) *result = rc;
    return false;
}

// ---- Finding pages ----

int ChildViw::SchTbvElmByPth(const char* path, TbvElm** out)
{
    if (out) *out = nullptr;
    if (!CheckReady("SchTbvElmByPth")) return VKE_ERR_NOT_INIT;
    if (!path || !*path || !out) return Fail("SchTbvElmByPth", VKE_ERR_ARG);
    char full[CmnPathSize] = {};
    int rc = VkeSubGetPathName(theCmnAppInf.pSub, full, path, sizeof(full));
    if (rc != VKE_OK) return Fail("SchTbvElmByPth", rc);
    for (Lke* p = m_pag.lki.pHead; p; p = p->pNxt) {
        TbvElm* e = reinterpret_cast<TbvElm*>(p);
        if (e->iTyp != CmnTypImg || !e->pPage || e->pPage == m_pPageSelImg) continue;
        // Byte for byte: paths that differ only in case are different pages.
        if (static_cast<DlgImg*>(e->pPage)->GetPathName().Compare(full) != 0) continue;
        m_pag.lki.pCur = p->pNxt ? p->pNxt : m_pag.lki.pHead;
        *out = e;
        return VKE_OK;
    }
    return VKE_ERR_NOT_FOUND;
}

int ChildViw::SchPageByPth(const char* path, int* index)
{
    if (index) *index = -1;
    TbvElm* e = nullptr;
    int rc = SchTbvElmByPth(path, &e);
    if (rc == VKE_OK) rc = SchPageByHdl(e->hWnd, index);
    if (rc != VKE_OK && rc != VKE_ERR_NOT_FOUND) CMN_TRACE("SchPageByPth", rc);
    return rc;
}

// ---- Opening ----

int ChildViw::OpenPageByPth(const char* path, int pasted, int locked)
{
    if (!CheckReady("OpenPageByPth")) return VKE_ERR_NOT_INIT;
    if (!path || !IsFlag(pasted) || !IsFlag(locked)) return Fail("OpenPageByPth", VKE_ERR_ARG);
    HalcorApp* app = HalcorGetApp();
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    if (!frame) return Fail("OpenPageByPth", VKE_ERR_SYSTEM);
    AnswerSentMessages();
    char full[CmnPathSize] = {};
    int rc = *path ? VkeSubGetPathName(theCmnAppInf.pSub, full, path, sizeof(full)) : VKE_OK;
    DlgImg* page = nullptr;
    if (rc == VKE_OK && *full) {
        // A page that shows the path already loads it again; the state before is an undo step.
        int index = -1;
        rc = SchPageByPth(full, &index);
        if (rc == VKE_OK) {
            page = GetImgPage(index);
            if (!page) return Fail("OpenPageByPth", VKE_ERR_SYSTEM);
            rc = page->SetEud(14);
            int now = locked;
            if (rc == VKE_OK && m_pag.bLockOpt && GetLockedFlag(index, &now) == VKE_OK && now != locked)
                rc = SetLockedFlag(index, locked);
        } else if (rc == VKE_ERR_NOT_FOUND) {
            rc = VKE_OK;
        }
    }
    if (rc != VKE_OK) return Fail("OpenPageByPth", rc);

    QueuedDecode decode(full);
    app->SetFlgSelImg(1);
    bool made = false;
    if (!page) {
        rc = MakeImgPage(&page);
        if (rc == VKE_OK) rc = OpenPage(page, -1, app->NextPageNo(), CmnTypImg, locked, "");
        if (rc != VKE_OK && page) DeletePage(page);
        made = rc == VKE_OK;
    }
    if (rc == VKE_OK) rc = page->OpenImageFile(full, pasted);
    app->SetFlgSelImg(0);
    if (rc == VKE_OK) {
        // The file the selected-image page shows opens with that page's turn, flips, frame and
        // print settings; the rows of an open-information file bring their own.
        int reading = 0;
        app->GetFlgOpnInf(&reading);
        if (reading != 1 && *full && m_pPageSelImg && page != m_pPageSelImg &&
            m_pPageSelImg->GetPathName().Compare(full) == 0)
            VkaSubOpi::CopyPageSettings(*m_pPageSelImg, *page);
        ::SetWindowPos(frame->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // What the opening changed is invalid already (the new tab, a page shown or loaded again):
        // painted now, the rest of the frame as it was. The status line counts the new page
        // although the current page does not repaint.
        OnIdleStep();
        frame->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        // A batch's next file is decoded once a page that shows has drawn its image (the decode
        // holds the image service's lock, which the drawing takes).
        theCmnImg.QueueNextOpenImage();
        AnswerSentMessages();
        return rc;
    }
    // A page that failed to load never stays behind as an empty tab.
    if (made) {
        int index = -1;
        if (SchPageByKey(page, &index) == VKE_OK) ClosePage(index, 1, 1, 0);
        else DeletePage(page);
    }
    return rc == VKE_NOT_DONE ? rc : Fail("OpenPageByPth", rc);
}

int ChildViw::MakeImgPage(DlgImg** out)
{
    *out = nullptr;
    DlgImg* page = new DlgImg;
    if (!page->Create(IDD_DLGIMG, CWnd::FromHandle(m_pag.hTabWnd))) {
        DeletePage(page);
        return VKE_ERR_MEMORY;
    }
    *out = page;
    return VKE_OK;
}

void ChildViw::DeletePage(DlgImg* page)
{
    if (page->m_hWnd) page->DestroyWindow();
    delete page;
}

// ---- Closing ----

int ChildViw::ClosePage(int index, int answer, int tabClose, int prompt)
{
    if (!CheckReady("ClosePage")) return VKE_ERR_NOT_INIT;
    if (!IsFlag(prompt) || !IsFlag(tabClose)) return Fail("ClosePage", VKE_ERR_ARG);
    HalcorApp* app = HalcorGetApp();
    if (!app || !app->GetMainFrame()) return Fail("ClosePage", VKE_ERR_SYSTEM);
    TbvElm* e = nullptr;
    int rc = SchTbvElm(index, &e);
    if (rc != VKE_OK) return Fail("ClosePage", rc == VKE_ERR_NOT_FOUND ? VKE_ERR_ARG : rc);
    // The selected-image page goes only with the frame.
    bool selImg = m_pPageSelImg && e->pPage == m_pPageSelImg;
    int closing = 0;
    app->GetFlgClsFrm(&closing);
    if (selImg && !closing) return VKE_OK;
    if (prompt && e->iTyp == CmnTypImg && static_cast<DlgImg*>(e->pPage)->SaveModified(answer) != 1) return VKE_STOPPED;

    rc = VkeTabClosePage(m_pag.pTab, index, tabClose);
    if (rc == VKE_NOT_DONE) return rc;
    if (rc != VKE_OK) return Fail("ClosePage", rc);
    if (selImg) {
        // The view keeps the page until it ends; the element forgets it.
        m_pPageSelImg->ShowWindow(SW_HIDE);
        rc = ForgetElm(e);
    } else {
        rc = RemoveElm(e);
    }
    app->SetFlgTabChg(0);
    int walk = 0;
    app->GetFlgClsAll(&walk);
    if (walk) {
        // A walk of closes: what other threads send is answered between the pages.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    } else {
        UpdateDocTitle();
    }
    if (m_pag.lki.iCnt == 0) app->FocusAfterHide();
    return rc == VKE_OK ? rc : Fail("ClosePage", rc);
}

// A walk of closes runs under the closing-all flag: the selection changes of its closes do no
// page work (the page left current, its values in the operation panel and the title follow
// once at the end), so a walk over many pages is one pass.
void ChildViw::BeginCloses()
{
    // The current page takes the panel's values back first: it may stay.
    int keep = 0;
    if (DlgImg* page = CurImgPage()) page->SelChanging(&keep);
    if (HalcorApp* app = HalcorGetApp()) app->SetFlgClsAll(1);
}

void ChildViw::EndCloses()
{
    if (HalcorApp* app = HalcorGetApp()) app->SetFlgClsAll(0);
    OnTcnSelChange();
    Redraw(0);
}

bool ChildViw::IsClosingAll()
{
    HalcorApp* app = HalcorGetApp();
    int all = 0;
    if (app) app->GetFlgClsAll(&all);
    return all == 1;
}

int ChildViw::SaveModifiedAll(int answer)
{
    if (!CheckReady("SaveModifiedAll")) return VKE_ERR_NOT_INIT;
    // In the order the close walks: from the last tab back, the selected-image page last.
    std::vector<DlgImg*> pages = ImgPages();
    for (auto p = pages.rbegin(); p != pages.rend(); ++p)
        if (*p != m_pPageSelImg && (*p)->SaveModified(answer) != 1) return VKE_STOPPED;
    if (m_pPageSelImg && IsShownPageSelImg() && m_pPageSelImg->SaveModified(answer) != 1) return VKE_STOPPED;
    return VKE_OK;
}

int ChildViw::ClosePageAll(int answer, int tabClose, int prompt)
{
    if (!CheckReady("ClosePageAll")) return VKE_ERR_NOT_INIT;
    HalcorApp* app = HalcorGetApp();
    if (!app) return Fail("ClosePageAll", VKE_ERR_SYSTEM);
    BeginCloses();
    int result = VKE_OK;
    // From the last element back to the first; the selected-image page stays for now.
    for (Lke* p = m_pag.lki.pTail; p;) {
        TbvElm* e = reinterpret_cast<TbvElm*>(p);
        p = p->pPrv;
        int index = -1;
        if (e->pPage == m_pPageSelImg || SchPageByHdl(e->hWnd, &index) != VKE_OK) continue;
        if (!FoldClose(&result, ClosePage(index, answer, tabClose, prompt))) break;
    }
    int closing = 0;
    app->GetFlgClsFrm(&closing);
    int index = -1;
    if (result == VKE_OK && closing && m_pPageSelImg && SchPageByKey(m_pPageSelImg, &index) == VKE_OK)
        FoldClose(&result, ClosePage(index, answer, tabClose, prompt));
    EndCloses();
    if (result != VKE_OK && result != VKE_NOT_DONE && result != VKE_STOPPED) CMN_TRACE("ClosePageAll", result);
    return result;
}

int ChildViw::ForgetElm(TbvElm* e)
{
    e->pPage = nullptr;
    e->hWnd = nullptr;
    return RemoveElm(e);
}

int ChildViw::RemoveElm(TbvElm* e)
{
    Dat* d = nullptr;
    int rc = m_dat.DelDat(m_iElmCode, VKE_LKE_BY_ELM, &m_pag.lki, e, &d);
    int freed = m_dat.FreeDat(m_iElmCode, &d);
    return rc == VKE_OK ? freed : rc;
}

// ---- Titles ----

int ChildViw::SetTitle(int index, const char* title)
{
    int rc = CmnTbv::SetTitle(index, title);
    if (rc != VKE_OK) return rc;
    if (!GetDocument()) {
        CMN_TRACE("SetTitle", VKE_ERR_SYSTEM);
        return VKE_ERR_SYSTEM;
    }
    UpdateDocTitle();
    return VKE_OK;
}

int ChildViw::SetTitle()
{
    if (!CheckReady("SetTitle")) return VKE_ERR_NOT_INIT;
    int current = -1;
    GetCurSel(&current);
    DlgImg* page = GetImgPage(current);
    if (!page) return Fail("SetTitle", VKE_ERR_EXISTS);
    return SetTitle(current, page->GetTitle());
}

void ChildViw::UpdateDocTitle()
{
    CDocument* doc = GetDocument();
    if (!doc) return;
    int current = -1;
    GetCurSel(&current);
    DlgImg* page = GetImgPage(current);
    doc->SetTitle(!page ? "" : page->IsNamed() ? page->GetPathName() : page->GetTitle());
}

// ---- Tab hooks ----

int ChildViw::OnTcnSelChanging()
{
    if (IsClosingAll()) return 0;
    HalcorApp* app = HalcorGetApp();
    CmnDlb* opr = app ? app->GetPanel(VkaPnlOpr) : nullptr;
    if (!opr || !opr->m_hWnd) {
        CMN_TRACE("OnTcnSelChanging", VKE_ERR_SYSTEM);
        return 0;
    }
    int current = -1;
    GetCurSel(&current);
    DlgImg* page = GetImgPage(current);
    if (!page) return 0;
    app->SetFlgTabChg(1);
    int keep = 0;
    page->SelChanging(&keep);
    if (keep) app->SetFlgTabChg(0);
    return keep ? 1 : 0;
}

int ChildViw::OnTcnSelChange()
{
    if (IsClosingAll()) return 0;
    HalcorApp* app = HalcorGetApp();
    if (app) app->SetFlgTabChg(0);
    UpdateDocTitle();
    CmnDlb* opr = app ? app->GetPanel(VkaPnlOpr) : nullptr;
    if (!opr || !opr->m_hWnd) {
        CMN_TRACE("OnTcnSelChange", VKE_ERR_SYSTEM);
        return 0;
    }
    int current = -1;
    GetCurSel(&current);
    DlgImg* page = GetImgPage(current);
    if (!page) return 0;
    bool visible = opr->IsWindowVisible() != FALSE;
    if (visible) opr->SetRedraw(FALSE);
    page->SelChange();
    if (visible) {
        opr->SetRedraw(TRUE);
        opr->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return 0;
}

void ChildViw::OnIdleStep()
{
    if (!m_pag.bReady) return;
    int current = -1;
    GetCurSel(&current);
    if (DlgImg* page = GetImgPage(current)) page->ShowStatus();
}
