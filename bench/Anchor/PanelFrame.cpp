// The platform's share of the program's start-up: the same main frame, menu, tool bar, status
// bar, view form and panel dialog templates, made from Pictavo's own resources without any of
// the program's logic (no engine, no settings, no control slots), laid out as the program's first
// run lays them out, shown and painted once, then a plain message loop until it is closed.
// BenchStartUp starts it the same way as the program and the bare window. With "-shell" it also
// shows what the shell gives the program's first frame: COM started, the desktop and its folders
// in the tree with their small icons (shut and open) and the desktop's items in the list with
// their large icons, all from the system image list.
#include "AnchorFrame.h"
#include "CmnRes.h"
#include "HalcorRes.h"
#include "MfcIds.h"
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <string.h>

namespace {

HINSTANCE g_inst;
HWND g_toolBar, g_status, g_view, g_tab;
// The panels in the program's order: folder tree, file list, preview (hidden), file commands,
// operations.
HWND g_panels[5];

// The tool bar's default buttons as the program shows them (0 a separator, else the image's index).
const int kButtons[] = {1, 2, 3, 4, 5, 6, 7, 8, 0, 9, 10, 11, 12, 0, 13, 14, 15, 16, 17, 18, 0, 19, 20, 21, 22, 0,
                        23, 24, 0, 25, 26, 27, 28, 29, 30, 0, 31, 0, 32};

INT_PTR CALLBACK PanelProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

int Width(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return r.right - r.left;
}

int Height(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return r.bottom - r.top;
}

// The program's first-run layout: the tree above the list in the left column, the file commands
// beside them, the operations at the right, the view between; the tool bar above, the status bar
// below.
void Layout(HWND frame)
{
    RECT client;
    GetClientRect(frame, &client);
    SendMessageA(g_toolBar, TB_AUTOSIZE, 0, 0);
    SendMessageA(g_status, WM_SIZE, 0, 0);
    int top = Height(g_toolBar), bottom = client.bottom - Height(g_status);
    int height = bottom - top;
    int tree = Height(g_panels[0]) < height / 2 ? Height(g_panels[0]) : height / 2;
    int column = Width(g_panels[0]) > Width(g_panels[1]) ? Width(g_panels[0]) : Width(g_panels[1]);
    SetWindowPos(g_panels[0], nullptr, 0, top, column, tree, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(g_panels[1], nullptr, 0, top + tree, column, height - tree, SWP_NOZORDER | SWP_NOACTIVATE);
    int commands = Width(g_panels[3]);
    SetWindowPos(g_panels[3], nullptr, column, top, commands, height, SWP_NOZORDER | SWP_NOACTIVATE);
    int operations = Width(g_panels[4]);
    SetWindowPos(g_panels[4], nullptr, client.right - operations, top, operations, height, SWP_NOZORDER | SWP_NOACTIVATE);
    int left = column + commands, right = client.right - operations;
    SetWindowPos(g_view, nullptr, left, top, right - left, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(g_tab, nullptr, 0, 0, right - left, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MakeChildren(HWND frame)
{
    g_toolBar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | TBSTYLE_TOOLTIPS |
                                    CCS_ADJUSTABLE | CCS_NODIVIDER,
                                0, 0, 0, 0, frame, reinterpret_cast<HMENU>(AFX_IDW_TOOLBAR), g_inst, nullptr);
    if (!g_toolBar) return false;
    SendMessageA(g_toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(g_toolBar, TB_SETBITMAPSIZE, 0, MAKELONG(16, 15));
    TBADDBITMAP bitmap = {g_inst, IDR_MAINFRAME};
    SendMessageA(g_toolBar, TB_ADDBITMAP, 40, reinterpret_cast<LPARAM>(&bitmap));
    TBBUTTON buttons[sizeof(kButtons) / sizeof(kButtons[0])] = {};
    for (size_t i = 0; i < sizeof(kButtons) / sizeof(kButtons[0]); ++i) {
        buttons[i].iBitmap = kButtons[i] ? kButtons[i] - 1 : 0;
        buttons[i].idCommand = kButtons[i] ? 40000 + kButtons[i] : 0;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = kButtons[i] ? BTNS_BUTTON : BTNS_SEP;
    }
    SendMessageA(g_toolBar, TB_ADDBUTTONSA, sizeof(buttons) / sizeof(buttons[0]), reinterpret_cast<LPARAM>(buttons));

    g_status = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                               frame, reinterpret_cast<HMENU>(AFX_IDW_STATUS_BAR), g_inst, nullptr);
    if (!g_status) return false;
    int parts[2] = {400, -1};
    SendMessageA(g_status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));

    g_view = CreateDialogParamA(g_inst, MAKEINTRESOURCEA(IDD_CHILDVIW), frame, PanelProc, 0);
    if (!g_view) return false;
    g_tab = GetDlgItem(g_view, IDC_CHILDVIW_TAB);
    ShowWindow(g_tab, SW_SHOWNA);
    ShowWindow(g_view, SW_SHOWNA);
    const int ids[5] = {IDD_DLBPNL_TRCFLD, IDD_DLBPNL_LSCFIL, IDD_DLBPNL_PRV, IDD_DLBPNL_FILCMD, IDD_DLBPNL_OPR};
    for (int i = 0; i < 5; ++i) {
        g_panels[i] = CreateDialogParamA(g_inst, MAKEINTRESOURCEA(ids[i]), frame, PanelProc, 0);
        if (!g_panels[i]) return false;
        if (i != 2) ShowWindow(g_panels[i], SW_SHOWNA);
    }
    return true;
}

// The system image list's index of an item's icon (SHGFI_SMALLICON, SHGFI_LARGEICON, SHGFI_OPENICON).
int IconOf(LPCITEMIDLIST item, UINT flags)
{
    SHFILEINFOA info = {};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(item), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_SYSICONINDEX | flags);
    return info.iIcon;
}

HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, LPCITEMIDLIST item, char* name, bool children)
{
    TVINSERTSTRUCTA ins = {};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    ins.item.pszText = name;
    ins.item.iImage = IconOf(item, SHGFI_SMALLICON);
    ins.item.iSelectedImage = IconOf(item, SHGFI_SMALLICON | SHGFI_OPENICON);
    ins.item.cChildren = children ? 1 : 0;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

// The desktop in the tree, expanded to its folders, and its items in the list.
void FillShell()
{
    HWND tree = GetDlgItem(g_panels[0], IDC_DLBPNL_TRCFLD), list = GetDlgItem(g_panels[1], IDC_DLBPNL_LSCFIL);
    LPITEMIDLIST desktop = nullptr;
    IShellFolder* folder = nullptr;
    if (FAILED(SHGetFolderLocation(nullptr, CSIDL_DESKTOP, nullptr, 0, &desktop)) || FAILED(SHGetDesktopFolder(&folder)))
        return;
    SHFILEINFOA info = {};
    auto small = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(reinterpret_cast<LPCSTR>(desktop), 0, &info, sizeof(info),
                                                             SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME));
    auto large = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(desktop), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(small));
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
    HTREEITEM root = AddTreeItem(tree, TVI_ROOT, desktop, info.szDisplayName, true);
    IEnumIDList* items = nullptr;
    if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK && items) {
        LPITEMIDLIST child = nullptr;
        ULONG got = 0;
        for (int n = 0; items->Next(1, &child, &got) == S_OK && got == 1; ++n) {
            LPITEMIDLIST full = ILCombine(desktop, child);
            STRRET ret = {};
            char name[MAX_PATH] = {};
            if (SUCCEEDED(folder->GetDisplayNameOf(child, SHGDN_NORMAL, &ret))) StrRetToBufA(&ret, child, name, sizeof(name));
            ULONG attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
            LPCITEMIDLIST one = child;
            if (FAILED(folder->GetAttributesOf(1, &one, &attributes))) attributes = 0;
            if (attributes & SFGAO_FOLDER) AddTreeItem(tree, root, full, name, (attributes & SFGAO_HASSUBFOLDER) != 0);
            LVITEMA item = {};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = n;
            item.pszText = name;
            item.iImage = IconOf(full, SHGFI_LARGEICON);
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            ILFree(full);
            CoTaskMemFree(child);
        }
        items->Release();
    }
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
    folder->Release();
    CoTaskMemFree(desktop);
}

LRESULT CALLBACK FrameProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (g_status) Layout(wnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(wnd, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int show)
{
    g_inst = instance;
    bool shell = strstr(cmdLine, "-shell") != nullptr;
    if (shell && FAILED(CoInitialize(nullptr))) return 1;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = "PanelFrame";
    if (!RegisterClassA(&wc)) return 1;
    HWND wnd = AnchorCreateFrame("PanelFrame", LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME)), instance);
    if (!wnd || !MakeChildren(wnd)) return 1;
    if (shell) FillShell();
    Layout(wnd);
    return AnchorRun(wnd, show);
}
