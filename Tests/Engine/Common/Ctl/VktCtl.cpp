#include "VktCtl.h"

namespace {

const char kParentClass[] = "VktCtlParent";

// The answer of the parent or the dialog; false when the message is left to the default.
bool Answer(VktParentLog* log, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (!log) return false;
    bool command = msg == WM_COMMAND && HIWORD(wParam) == 0 && lParam;
    if (command || msg == VkeWmWndToDti || msg == VkeWmDtiToWnd || msg == VkeWmSetChk || msg == VkeWmSetEud ||
        msg == VkeWmCtlColor) {
        log->notices.push_back({msg, wParam, lParam});
        if (log->inside) log->inside(msg, wParam, lParam);
        *result = msg == VkeWmWndToDti ? log->wndToDti
                  : msg == VkeWmDtiToWnd ? log->dtiToWnd
                  : msg == VkeWmCtlColor ? reinterpret_cast<LRESULT>(log->ctlColor)
                                         : 0;
        return true;
    }
    // Owner-drawn buttons draw themselves when asked, as the program's panels ask them.
    if (msg == WM_DRAWITEM && lParam) {
        *result = SendMessageA(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem, msg, wParam, lParam);
        return true;
    }
    if (msg >= WM_CTLCOLOREDIT && msg <= WM_CTLCOLORSTATIC && lParam) {
        *result = SendMessageA(reinterpret_cast<HWND>(lParam), msg, wParam, lParam);
        return *result != 0;
    }
    return false;
}

LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (Answer(reinterpret_cast<VktParentLog*>(GetWindowLongPtrA(wnd, GWLP_USERDATA)), msg, wParam, lParam, &result))
        return result;
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(wnd, DWLP_USER, lParam);
        return TRUE;
    }
    LRESULT result = 0;
    if (!Answer(reinterpret_cast<VktParentLog*>(GetWindowLongPtrA(wnd, DWLP_USER)), msg, wParam, lParam, &result))
        return FALSE;
    // Colour requests give their brush as the procedure's result; the rest through DWLP_MSGRESULT.
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(wnd, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace

int VktParentLog::Count(UINT msg) const
{
    int n = 0;
    for (const Notice& notice : notices) n += notice.msg == msg;
    return n;
}

std::vector<std::pair<UINT, HWND>> VktParentLog::Commands() const
{
    std::vector<std::pair<UINT, HWND>> commands;
    for (const Notice& notice : notices)
        if (notice.msg == WM_COMMAND)
            commands.emplace_back(LOWORD(notice.wParam), reinterpret_cast<HWND>(notice.lParam));
    return commands;
}

void VktCtlFixture::SetUp()
{
    env = new VktSys();
    ASSERT_EQ(env->started, 0);
    sys = env->sys;
    sub = env->sub;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
    parent = CreateWindowA(kParentClass, "VktCtl", WS_POPUP | WS_VISIBLE, 20, 20, 640, 600, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
}

void VktCtlFixture::TearDown()
{
    Hold({});
    for (VkiCtl*& ctl : made) VkeCtlFree(&ctl);
    DestroyWindow(parent);
    VktSys::Pump();
    delete env;
}

VkiCtl* VktCtlFixture::Make(int type, DWORD style, const char* caption,
                            const std::function<void(VkeCtlParam&)>& tweak)
{
    VkiCtl* ctl = nullptr;
    EXPECT_EQ(VkeCtlAlloc(sys, type, &ctl), 0);
    if (!ctl) return nullptr;
    made.push_back(ctl);
    int height = type == VKE_CTL_COMBOBOX || type == VKE_CTL_LISTBOX ? 120 : 24;
    EXPECT_EQ(VkeCtlCreate(ctl, caption, style | WS_VISIBLE, 10, nextY, 300, height, host ? host : parent,
                           100 + made.size()),
              0);
    nextY += type == VKE_CTL_LISTBOX ? 124 : 28;
    VkeCtlParam param;
    VkeCtlInitParam(ctl, &param);
    if (tweak) tweak(param);
    int field = -1, messageNo = -1;
    int rc = VkeCtlInit(ctl, &param, &field, &messageNo);
    EXPECT_EQ(rc, 0) << "field " << field << " message " << messageNo;
    return rc == 0 ? ctl : nullptr;
}

HWND VktCtlFixture::Plain(const char* cls, DWORD style, const char* caption)
{
    HWND wnd = CreateWindowA(cls, caption, WS_CHILD | WS_VISIBLE | style, 330, nextY, 280, 24, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    nextY += 28;
    return wnd;
}

void VktCtlFixture::Focus(HWND wnd)
{
    SetForegroundWindow(GetAncestor(wnd, GA_ROOT));
    SetFocus(wnd);
}

HWND VktCtlFixture::Wnd(VkiCtl* ctl)
{
    HWND wnd = nullptr;
    VkeCtlGetCtlHandle(ctl, &wnd);
    return wnd;
}

std::string VktCtlFixture::Text(HWND wnd)
{
    char text[2048] = {};
    GetWindowTextA(wnd, text, sizeof(text));
    return text;
}

std::string VktCtlFixture::Value(VkiCtl* ctl)
{
    char text[1024] = {};
    VkeCtlGetDataValue(ctl, text, sizeof(text));
    return text;
}

Dti& VktCtlFixture::DtiOf(VkiCtl* ctl)
{
    Ctd* ctd = nullptr;
    VkeCtlGetCtdPtr(ctl, &ctd);
    return ctd->dti;
}

HWND VktCtlFixture::Dialog()
{
    // A template of a visible popup dialog with no items, and its class, menu and title words.
    struct {
        DLGTEMPLATE head;
        WORD menu, cls, title;
    } tpl = {};
    tpl.head.style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    tpl.head.cx = 300;
    tpl.head.cy = 200;
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &tpl.head, parent, DialogProc,
                                             reinterpret_cast<LPARAM>(&log));
    nextY = 0;
    return dialog;
}

void VktCtlFixture::RunEditCommands()
{
    log.inside = [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg != WM_COMMAND) return;
        for (VkiCtl* ctl : made) {
            if (Wnd(ctl) != reinterpret_cast<HWND>(lParam)) continue;
            switch (LOWORD(wParam)) {
            case ID_EDIT_UNDO: rcs.push_back(VkeCtlEditUnd(ctl)); break;
            case ID_EDIT_REDO: rcs.push_back(VkeCtlEditRdo(ctl)); break;
            case ID_EDIT_CUT: rcs.push_back(VkeCtlEditCut(ctl)); break;
            case ID_EDIT_COPY: rcs.push_back(VkeCtlEditCpy(ctl)); break;
            case ID_EDIT_PASTE: rcs.push_back(VkeCtlEditPst(ctl)); break;
            case ID_EDIT_CLEAR: rcs.push_back(VkeCtlEditCle(ctl)); break;
            default: break;
            }
        }
    };
}

void VktCtlFixture::Hold(std::initializer_list<int> keys)
{
    BYTE state[256] = {};
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
}

void VktCtlFixture::Key(HWND wnd, UINT vk) { SendMessageA(wnd, WM_KEYDOWN, vk, 1); }

void VktCtlFixture::Type(HWND wnd, const std::string& bytes)
{
    for (unsigned char byte : bytes) SendMessageA(wnd, WM_CHAR, byte, 1);
}

COLORREF VktCtlFixture::Pixel(HWND wnd, int x, int y)
{
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    VktDib dib(1, 1);
    HDC dc = GetDC(wnd);
    BitBlt(dib.Dc(), 0, 0, 1, 1, dc, x, y, SRCCOPY);
    ReleaseDC(wnd, dc);
    return dib.At(0, 0);
}

std::string VktCtlFixture::Selection(HWND wnd)
{
    DWORD start = 0, end = 0;
    SendMessageA(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return std::to_string(start) + "," + std::to_string(end);
}
