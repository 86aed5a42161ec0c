// The image tab view's selected-image page (the page that follows the file list), the range
// closes, and the image queries over the pages.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildViw"
#include "ChildViw.h"
#include "DlgImg.h"
#include "Halcor.h"
#include "HalcorRes.h"

namespace {

// The selected-image page exists only while the preview is on and shown in a tab.
bool PreviewInTab(HalcorApp* app) { return app && app->GetPrvImg() == 1 && app->GetPrvImgTab() == 1; }

} // namespace

// ---- The selected-image page ----

int ChildViw::PutPageSelImg(int* index)
{
    // Tab 0, number 1, locked, no title; an existing tab is only selected.
    int rc = OpenPage(m_pPageSelImg, 0, 1, CmnTypImg, 1, "");
    if (rc == VKE_OK) rc = SchPageByKey(m_pPageSelImg, index);
    return rc;
}

// A tab that is current already is not selected again: the page took the new image's values
// into the panel and the application as it loaded, so the selection's round of the values
// (the panel's read into the page, then the page's shown again and the whole panel repainted)
// would only repeat them. What else the selection does follows: the tab-change flag, the
// frame's title, the page's values and printer made the application's, the focus on the page.
int ChildViw::SelectPageSelImg(int index)
{
    int current = -1;
    GetCurSel(&current);
    if (current != index || index < 0) return SetCurSel(index);
    if (HalcorApp* app = HalcorGetApp()) app->SetFlgTabChg(0);
    UpdateDocTitle();
    int rc = m_pPageSelImg->SelChange();
    if (rc == VKE_OK) rc = SetFocusPage();
    return rc;
}

int ChildViw::OpenPageSelImg(const char* path)
{
    if (!CheckReady("OpenPageSelImg")) return VKE_ERR_NOT_INIT;
    if (!path || !*path) return Fail("OpenPageSelImg", VKE_ERR_ARG);
    HalcorApp* app = HalcorGetApp();
    if (!PreviewInTab(app)) return Fail("OpenPageSelImg", VKE_ERR_SYSTEM);
    char full[CmnPathSize] = {};
    int rc = VkeSubGetPathName(theCmnAppInf.pSub, full, path, sizeof(full));
    if (rc != VKE_OK) return Fail("OpenPageSelImg", rc);
    // A file gone since the list showed it is named, and the page stays as it was.
    int exists = 0;
    rc = VkeSubIsExistPath(theCmnAppInf.pSub, full, &exists);
    if (rc != VKE_OK) return Fail("OpenPageSelImg", rc);
    if (!exists) {
        HalcorApp::MsgPath(IDS_VKA_NOT_FOUND, full, MB_OK | MB_ICONEXCLAMATION);
        return VKE_NOT_DONE;
    }
    app->SetFlgSelImg(1);
    bool made = false;
    if (!m_pPageSelImg) {
        rc = MakeImgPage(&m_pPageSelImg);
        made = rc == VKE_OK;
    }
    int index = -1;
    if (rc == VKE_OK) rc = PutPageSelImg(&index);
    if (rc != VKE_OK && made) {
        DeletePage(m_pPageSelImg);
        m_pPageSelImg = nullptr;
    }
    int loaded = rc == VKE_OK ? m_pPageSelImg->OpenImageFile(full, 0) : rc;
    app->SetFlgSelImg(0);
    if (rc != VKE_OK) return Fail("OpenPageSelImg", rc);
    rc = SelectPageSelImg(index);
    if (loaded == VKE_NOT_DONE) return loaded;
    if (loaded != VKE_OK) return Fail("OpenPageSelImg", loaded);
    return rc == VKE_OK || rc == VKE_NOT_DONE ? rc : Fail("OpenPageSelImg", rc);
}

int ChildViw::ShowPageSelImg()
{
    if (!CheckReady("ShowPageSelImg")) return VKE_ERR_NOT_INIT;
    HalcorApp* app = HalcorGetApp();
    if (!PreviewInTab(app)) return Fail("ShowPageSelImg", VKE_ERR_SYSTEM);
    if (!m_pPageSelImg) return VKE_OK;
    app->SetFlgSelImg(1);
    int index = -1;
    int rc = PutPageSelImg(&index);
    app->SetFlgSelImg(0);
    if (rc != VKE_OK) return Fail("ShowPageSelImg", rc);
    int count = 0;
    GetPageCnt(&count);
    if (count > 1) {
        rc = SetCurSel(index);
        if (rc == VKE_NOT_DONE) return rc;
        if (rc != VKE_OK) return Fail("ShowPageSelImg", rc);
    } else {
        // The only tab: the selection does not change, so the page is activated as after a click.
        NMHDR hdr = {m_pag.hTabWnd, static_cast<UINT_PTR>(::GetDlgCtrlID(m_pag.hTabWnd)),
                     static_cast<UINT>(TCN_SELCHANGE)};
        SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    }
    return SetTitle(index, m_pPageSelImg->GetTitle());
}

int ChildViw::HidePageSelImg()
{
    if (!CheckReady("HidePageSelImg")) return VKE_ERR_NOT_INIT;
    HalcorApp* app = HalcorGetApp();
    if (!PreviewInTab(app)) return Fail("HidePageSelImg", VKE_ERR_SYSTEM);
    if (!m_pPageSelImg) return VKE_OK;
    if (!app->GetMainFrame()) return Fail("HidePageSelImg", VKE_ERR_SYSTEM);
    if (m_pPageSelImg->IsCurPage()) {
        int keep = 0;
        m_pPageSelImg->SelChanging(&keep);
    }
    m_pPageSelImg->ShowWindow(SW_HIDE);
    TbvElm* e = nullptr;
    int index = -1;
    int rc = SchPageByKey(m_pPageSelImg, &index);
    if (rc == VKE_OK) rc = SchTbvElm(index, &e);
    if (rc == VKE_ERR_NOT_FOUND) return VKE_OK; // hidden already
    if (rc == VKE_OK) rc = VkeTabClosePage(m_pag.pTab, index, 1);
    if (rc == VKE_NOT_DONE) return rc;
    if (rc != VKE_OK) return Fail("HidePageSelImg", rc);
    rc = ForgetElm(e);
    app->SetFlgTabChg(0);
    UpdateDocTitle();
    return rc == VKE_OK ? rc : Fail("HidePageSelImg", rc);
}

bool ChildViw::IsShownPageSelImg()
{
    int index = -1;
    return m_pag.bReady && m_pPageSelImg && SchPageByKey(m_pPageSelImg, &index) == VKE_OK;
}

// ---- Range closes ----

int ChildViw::ClosePageRange(const char* name, int index, bool next, int answer, int tabClose, int prompt)
{
    if (!CheckReady(name)) return VKE_ERR_NOT_INIT;
    HalcorApp* app = HalcorGetApp();
    if (!app) return Fail(name, VKE_ERR_SYSTEM);
    int count = 0;
    GetPageCnt(&count);
    if (index < 0 || index >= count) return Fail(name, VKE_ERR_ARG);
    BeginCloses();
    int result = VKE_OK;
    // Downwards, so the tabs still to come keep their indexes.
    int from = next ? count - 1 : index - 1;
    int to = next ? index + 1 : 0;
    for (int i = from; i >= to; --i)
        if (!FoldClose(&result, ClosePage(i, answer, tabClose, prompt))) break;
    EndCloses();
    if (result != VKE_OK && result != VKE_NOT_DONE && result != VKE_STOPPED) CMN_TRACE(name, result);
    return result;
}

int ChildViw::ClosePagePrevAll(int index, int answer, int tabClose, int prompt)
{
    return ClosePageRange("ClosePagePrevAll", index, false, answer, tabClose, prompt);
}

int ChildViw::ClosePageNextAll(int index, int answer, int tabClose, int prompt)
{
    return ClosePageRange("ClosePageNextAll", index, true, answer, tabClose, prompt);
}

int ChildViw::ClosePageOtherAll(int index, int answer, int tabClose, int prompt)
{
    int result = ClosePageNextAll(index, answer, tabClose, prompt);
    if (result != VKE_OK && result != VKE_NOT_DONE) return result;
    int rc = ClosePagePrevAll(index, answer, tabClose, prompt);
    return rc == VKE_OK ? result : rc;
}

// ---- Images of the pages ----

std::vector<DlgImg*> ChildViw::ImgPages()
{
    std::vector<DlgImg*> pages;
    for (Lke* p = m_pag.lki.pHead; p; p = p->pNxt) {
        TbvElm* e = reinterpret_cast<TbvElm*>(p);
        if (e->iTyp == CmnTypImg && e->pPage) pages.push_back(static_cast<DlgImg*>(e->pPage));
    }
    return pages;
}

DlgImg* ChildViw::CurImgPage()
{
    int current = -1;
    GetCurSel(&current);
    return GetImgPage(current);
}

DlgImg* ChildViw::AddressedImgPage(int which)
{
    if (which == 0) return CurImgPage();
    int index = -1;
    GetRbcIdx(&index);
    return GetImgPage(index);
}

int ChildViw::IsExistDIBHandle(int which)
{
    if (which != 0 && which != 1) {
        CMN_TRACE("IsExistDIBHandle", VKE_ERR_ARG);
        return 0;
    }
    DlgImg* page = m_pag.bReady ? AddressedImgPage(which) : nullptr;
    return page && page->IsExistDIBHandle() ? 1 : 0;
}

int ChildViw::ChkExistDIBHandleAll()
{
    if (!m_pag.bReady) return 0;
    for (DlgImg* page : ImgPages())
        if (page->IsExistDIBHandle()) return 1;
    return 0;
}
