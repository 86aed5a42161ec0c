#include "VktDlg.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(wnd, DWLP_USER, lParam);
        return TRUE;
    }
    auto* log = reinterpret_cast<VktDlgLog*>(GetWindowLongPtrA(wnd, DWLP_USER));
    if (!log) return FALSE;
    if (msg == WM_COMMAND && HIWORD(wParam) == 0) {
        log->commands.push_back(LOWORD(wParam));
        if (log->closes && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) DestroyWindow(wnd);
        return TRUE;
    }
    if (msg == VkeWmCtlColor) {
        SetWindowLongPtrA(wnd, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(log->ctlColor));
        return TRUE;
    }
    return FALSE;
}

} // namespace

void VktDlgFixture::SetUp()
{
    env = new VktSys();
    ASSERT_EQ(env->started, 0);
    sys = env->sys;
    wnd = MakeDialog();
    ASSERT_NE(wnd, nullptr);
}

void VktDlgFixture::TearDown()
{
    BYTE state[256] = {};
    SetKeyboardState(state);
    for (VkiCtl*& ctl : ctls) VkeCtlFree(&ctl);
    VkeDlgFree(&dlg);
    if (IsWindow(wnd)) DestroyWindow(wnd);
    VktSys::Pump();
    delete env;
}

HWND VktDlgFixture::MakeDialog()
{
    HWND made = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VKT_DLG), nullptr, DialogProc,
                                   reinterpret_cast<LPARAM>(&log));
    SetForegroundWindow(made);
    return made;
}

VkiDlg* VktDlgFixture::Adopt(HWND dialog, const std::function<void(VkeDlgParam&)>& tweak)
{
    VkiDlg* made = nullptr;
    EXPECT_EQ(VkeDlgAlloc(sys, &made), 0);
    EXPECT_EQ(VkeDlgSubclassWindow(made, dialog), 0);
    VkeDlgParam param;
    VkeDlgInitParam(made, &param);
    if (tweak) tweak(param);
    int field = -1, messageNo = -1;
    EXPECT_EQ(VkeDlgInit(made, &param, &field, &messageNo), 0) << "field " << field;
    return made;
}

VkiCtl* VktDlgFixture::Control(int id, int type, const std::function<void(VkeCtlParam&)>& tweak)
{
    VkiCtl* ctl = nullptr;
    EXPECT_EQ(VkeCtlAlloc(sys, type, &ctl), 0);
    if (!ctl) return nullptr;
    ctls.push_back(ctl);
    EXPECT_EQ(VkeCtlSubclassDlgItem(ctl, wnd, id), 0) << id;
    VkeCtlParam param;
    VkeCtlInitParam(ctl, &param);
    if (tweak) tweak(param);
    int field = -1, messageNo = -1;
    EXPECT_EQ(VkeCtlInit(ctl, &param, &field, &messageNo), 0) << id << " field " << field;
    return ctl;
}

void VktDlgFixture::AdoptAll()
{
    auto number = [](VkeCtlParam& p) {
        p.iEditType = VKE_EDIT_INT;
        p.iCtlError = 1;
    };
    Control(IDC_NAME, VKE_CTL_EDIT);
    Control(IDC_OFF, VKE_CTL_EDIT);
    for (int id : {IDC_N1, IDC_N2, IDC_N3, IDC_N4}) Control(id, VKE_CTL_EDIT, number);
    Control(IDC_PUSH, VKE_CTL_BUTTON);
    Control(IDC_FONT, VKE_CTL_BUTTON, [](VkeCtlParam& p) { p.iEditType = VKE_EDIT_FONT; });
    Control(IDC_COLOR, VKE_CTL_BUTTON, [](VkeCtlParam& p) { p.iEditType = VKE_EDIT_COLOR; });
    for (int id : {IDC_CHECK, IDC_THREE, IDC_A1, IDC_A2, IDC_B1, IDC_B2}) Control(id, VKE_CTL_BUTTON);
    Control(IDC_LIST, VKE_CTL_LISTBOX);
    for (int id : {IDC_SIMPLE, IDC_DROP, IDC_DROPLIST}) Control(id, VKE_CTL_COMBOBOX);
    Control(IDOK, VKE_CTL_BUTTON);
    Control(IDCANCEL, VKE_CTL_BUTTON);
}

void VktDlgFixture::Press(UINT vk, std::initializer_list<int> held)
{
    BYTE state[256] = {};
    for (int key : held) state[key] = 0x80;
    state[vk] = 0x80;
    SetKeyboardState(state);
    MSG msg = {GetFocus(), WM_KEYDOWN, vk, 1, 0, {}};
    IsDialogMessageA(wnd, &msg);
    BYTE none[256] = {};
    SetKeyboardState(none);
}

void VktDlgFixture::FocusItem(int id)
{
    SendMessageA(wnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(wnd, id)), TRUE);
}

int VktDlgFixture::FocusId() const { return GetDlgCtrlID(GetFocus()); }

COLORREF VktDlgFixture::Pixel(HWND target, int x, int y)
{
    RedrawWindow(target, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(target);
    COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(target, dc);
    return color;
}
