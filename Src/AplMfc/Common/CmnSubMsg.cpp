// Message texts and boxes, and the focus given directly or through the main frame's queue.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnSub"
#include "CmnSub.h"
#include "CmnApp.h"
#include "CmnRes.h"

namespace {

const char kTitle[] = "Pictavo";

CString LoadText(int id)
{
    CString text;
    text.LoadString(static_cast<UINT>(id));
    return text;
}

// The main frame's window, or null.
HWND MainFrameWnd()
{
    CmnApp* app = CmnGetApp();
    CWnd* pFrame = app ? app->GetMainFrame() : nullptr;
    return pFrame ? pFrame->m_hWnd : nullptr;
}

} // namespace

CString CmnSub::GetMsgStr(int id)
{
    const CmnAppInf& inf = theCmnAppInf;
    // Only the start-up messages are shown before the engine exists.
    if (!inf.pSys && (id < IDS_CMN_SYS_MEMORY || id > IDS_CMN_SYS_RUNNING)) return CString();
    char text[VKE_MSG_SIZE] = {};
    if (id >= -36 && id <= -1) {
        if (!inf.pSub) return LoadText(id <= VKE_ERR_REQUIRED ? IDS_CMN_INPUT_WRONG : IDS_CMN_SYS_MEMORY);
        // The message of a failed parameter check names the bad field.
        if (inf.iChkMsg) VkeSubGetMsg(inf.pSub, inf.iChkMsg, text);
        else VkeSubGetErrMsg(inf.pSub, id, text);
        return text;
    }
    if (id >= 0 && id <= 4) {
        if (inf.pSub) VkeSubGetErrMsg(inf.pSub, id, text);
        return text;
    }
    if (id >= 5 && id <= 169) {
        if (inf.pSub) VkeSubGetMsg(inf.pSub, id, text);
        return text;
    }
    return LoadText(id);
}

int CmnSub::MsgBox(const char* text, UINT type)
{
    if (!text || m_bMsgBox) return 0;
    m_bMsgBox = 1;
    VkiSub* sub = theCmnAppInf.pSub;
    int result = sub ? VkeSubMsgBox(sub, text, type) : ::MessageBoxA(nullptr, text, kTitle, type);
    m_bMsgBox = 0;
    return result;
}

int CmnSub::MsgBoxById(int id, UINT type)
{
    CString text = GetMsgStr(id);
    return text.IsEmpty() ? IDOK : MsgBox(text, type);
}

void CmnSub::ShowMsgAndFocus(HWND wnd, int id)
{
    MsgBoxById(id, MB_OK);
    SetFocusWnd(wnd);
}

void CmnSub::SetFocusWnd(HWND wnd)
{
    if (!wnd || !::IsWindow(wnd)) return;
    if (theCmnAppInf.pDrw) VkeDrwSetFocusWnd(theCmnAppInf.pDrw, wnd);
    else ::SetFocus(wnd);
}

void CmnSub::PostSetFocus(HWND wnd)
{
    HWND frame = MainFrameWnd();
    if (frame) ::PostMessageA(frame, CmnWmSetFcs, reinterpret_cast<WPARAM>(wnd), 0);
}

void CmnSub::PostMsgAndFocus(HWND wnd, int id)
{
    HWND frame = MainFrameWnd();
    if (frame) ::PostMessageA(frame, CmnWmMsgFcs, reinterpret_cast<WPARAM>(wnd), static_cast<LPARAM>(id));
}
