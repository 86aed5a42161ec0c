#include "CFormView.h"
#include "CDialog.h"
#include "CFrameWnd.h"
#include "MsgThunks.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_INITDIALOG, &ThisClass::HandleInitDialog)
END_MESSAGE_MAP()

CFormView::CFormView(UINT nIDTemplate) : CFormView(MAKEINTRESOURCEA(nIDTemplate)) {}

CFormView::CFormView(LPCSTR lpszTemplateName)
    : m_lpszTemplateName(lpszTemplateName), m_pCreateContext(nullptr), m_hWndFocus(nullptr)
{
}

BOOL CFormView::Create(LPCSTR, LPCSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, void* pContext)
{
    // The styles a view asks for (a sunken edge rather than a border), on a dialog window.
    CREATESTRUCTA cs = {};
    cs.lpszClass = "#32770";
    cs.style = static_cast<LONG>(dwStyle | WS_CHILD);
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    m_pCreateContext = static_cast<CCreateContext*>(pContext);
    BOOL made = AfxCreateChildDialog(this, m_lpszTemplateName, pParentWnd, static_cast<DWORD>(cs.style), cs.dwExStyle);
    if (!made) return FALSE; // the object is gone
    m_pCreateContext = nullptr;
    SetDlgCtrlID(static_cast<int>(nID));
    CRect client;
    GetClientRect(&client);
    SetScrollSizes(MM_TEXT, client.Size());
    if (!::IsRectEmpty(&rect)) MoveWindow(&rect);
    return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCTA lpcs)
{
    // The dialog manager does not carry the creation context: the view joins its document here.
    CREATESTRUCTA cs = *lpcs;
    cs.lpCreateParams = m_pCreateContext;
    return CScrollView::OnCreate(&cs);
}

LRESULT CFormView::HandleInitDialog(WPARAM, LPARAM)
{
    Default();
    UpdateData(FALSE);
    return FALSE; // the focus comes with the view's activation
}

BOOL CFormView::SaveFocusControl()
{
    HWND focus = ::GetFocus();
    if (!focus || !::IsChild(m_hWnd, focus)) return FALSE;
    m_hWndFocus = focus;
    return TRUE;
}

void CFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (SaveFocusControl()) return;
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CFormView::OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd)
{
    if (nState == WA_INACTIVE) SaveFocusControl();
    CScrollView::OnActivateFrame(nState, pFrameWnd);
}

void CFormView::OnSetFocus(CWnd*)
{
    HWND last = m_hWndFocus;
    if (last && ::IsChild(m_hWnd, last) && ::IsWindowVisible(last) && ::IsWindowEnabled(last)) {
        ::SetFocus(last);
        return;
    }
    m_hWndFocus = nullptr;
    Default(); // the dialog's first control
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CScrollView::PreTranslateMessage(pMsg)) return TRUE;
    // The frames first: IsDialogMessage would take their accelerator keys.
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame; pFrame = pFrame->GetParentFrame())
        if (pFrame->PreTranslateMessage(pMsg)) return TRUE;
    return PreTranslateInput(pMsg);
}
