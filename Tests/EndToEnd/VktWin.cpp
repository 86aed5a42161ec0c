// What the end-to-end scripts cannot read from X: the Windows side of the windows of the Wine
// session it runs in. Prints UTF-8 lines on stdout; exit code 0, or 1 when the window or control
// is not there.
//
//   VktWin list              every visible top-level window: hwnd, pid, class, x y w h, title
//   VktWin text HWND         the texts of the window's static controls, one per line
//   VktWin children HWND     every visible descendant window: class, x y w h (screen), text
//   VktWin button HWND ID    the screen point at the middle of the control with that id
//   VktWin close HWND        the screen point at the middle of the window's close button
//   VktWin show HWND N       ShowWindow(N) from this process (6 minimises, 9 restores)
//   VktWin raise HWND        the window put at the top of its z-order band from this process, as
//                            its own program does when it takes the activation
//   VktWin iconic HWND       1 when the window is minimised, else 0
//   VktWin repaint HWND      the window and its descendants invalidated whole (their program paints)
//   VktWin tabs HWND         every visible tab control among the descendants: x y w h (screen),
//                            then its titles, one line each tab after a tab character
//   VktWin tab-rects HWND    the same with each tab's x y w h (screen) instead of its title, or
//                            "-" for a tab scrolled out of sight
//   VktWin current HWND      the first visible tab control's selected tab: its index and title,
//                            tab-separated (exit code 1: no tab selected)
//   VktWin combos HWND       every visible combo box among the descendants: x y w h (screen) and
//                            its line height, its text after a tab, then its lines, one line each
//                            after a tab character
//   VktWin tree HWND         the first visible tree view among the descendants: its item count,
//                            then the texts from its root down to its selected item, one line
//                            each after a tab character
//   VktWin items HWND        the first visible list view among the descendants: one line per item
//                            in index order, its name, x y w h of its icon (screen) and 1 when it
//                            is selected, tab-separated
//   VktWin columns HWND      the first visible list view among the descendants in the details
//                            view: one line per column in the order shown, its title and its
//                            width, tab-separated (exit code 1: none shows)
//   VktWin focus HWND        the window that holds the focus in the window's thread: its class,
//                            then its parent's class (nothing when no window of it has the focus)
//   VktWin selection HWND    that window's text selection (EM_GETSEL) as "start end", then its
//                            text after a tab (exit code 1: no window of it has the focus)
//   VktWin enabled HWND ID   1 when the button of that command id on a tool bar among the
//                            descendants is enabled, 0 when disabled (exit code 1: no such button)
//   VktWin command HWND ID   posts WM_COMMAND with the command id to the window
//   VktWin set-text HWND ID TEXT  the visible control of that id takes the text (session code page)
//   VktWin idle HWND         1 when the window's process waits for input and the window has
//                            nothing left to paint, else 0
//   VktWin copy-bitmap       a 16 x 16 red device-independent bitmap onto the clipboard, owned
//                            by a window of this process
//   VktWin save-bitmap PATH  the clipboard's device-independent bitmap written as a bitmap file
//                            (exit code 1: none there)
#include <windows.h>
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>

namespace {

std::string Utf8(const wchar_t* text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? static_cast<size_t>(n) : 1, '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(out.size() - 1);
    // One line per item: line breaks inside a text are written as "\n".
    std::string flat;
    for (char c : out) flat += c == '\n' ? std::string("\\n") : c == '\r' ? std::string() : std::string(1, c);
    return flat;
}

std::string Text(HWND wnd)
{
    wchar_t text[4096] = {};
    GetWindowTextW(wnd, text, 4096);
    return Utf8(text);
}

std::string Class(HWND wnd)
{
    wchar_t name[256] = {};
    GetClassNameW(wnd, name, 256);
    return Utf8(name);
}

void Line(const std::string& text) { printf("%s\n", text.c_str()); }

BOOL CALLBACK ListTop(HWND wnd, LPARAM)
{
    if (!IsWindowVisible(wnd)) return TRUE;
    RECT r;
    GetWindowRect(wnd, &r);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char head[128];
    snprintf(head, sizeof(head), "%llx\t%lu\t", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(wnd)),
             pid);
    char rect[64];
    snprintf(rect, sizeof(rect), "\t%ld %ld %ld %ld\t", r.left, r.top, r.right - r.left, r.bottom - r.top);
    Line(head + Class(wnd) + rect + Text(wnd));
    return TRUE;
}

BOOL CALLBACK ListStatic(HWND wnd, LPARAM)
{
    if (_stricmp(Class(wnd).c_str(), "Static") == 0 && !Text(wnd).empty()) Line(Text(wnd));
    return TRUE;
}

BOOL CALLBACK ListChild(HWND wnd, LPARAM)
{
    if (!IsWindowVisible(wnd)) return TRUE;
    RECT r;
    GetWindowRect(wnd, &r);
    char rect[64];
    snprintf(rect, sizeof(rect), "\t%ld %ld %ld %ld\t", r.left, r.top, r.right - r.left, r.bottom - r.top);
    Line(Class(wnd) + rect + Text(wnd));
    return TRUE;
}

// An item's text of a control of another process: the item record goes into a block of that
// process with its text pointer aimed behind it, and the message fills the text there.
template <class Item>
std::string RemoteItemText(HWND wnd, HANDLE process, UINT message, WPARAM wParam, Item item)
{
    const SIZE_T size = sizeof(Item) + 512;
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    if (!remote) return "?";
    item.pszText = remote + sizeof(Item);
    item.cchTextMax = 511;
    char text[512] = {};
    SIZE_T n = 0;
    if (WriteProcessMemory(process, remote, &item, sizeof(item), &n) &&
        SendMessageA(wnd, message, wParam, reinterpret_cast<LPARAM>(remote)))
        ReadProcessMemory(process, remote + sizeof(Item), text, sizeof(text) - 1, &n);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    wchar_t wide[512] = {};
    MultiByteToWideChar(932, 0, text, -1, wide, 512);
    return Utf8(wide);
}

std::string TabTitle(HWND tab, HANDLE process, int index)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    return RemoteItemText(tab, process, TCM_GETITEMA, index, item);
}

// The selected tab of the first visible tab control: its index and title.
BOOL CALLBACK CurrentTab(HWND wnd, LPARAM found)
{
    if (!IsWindowVisible(wnd) || Class(wnd) != "SysTabControl32") return TRUE;
    int index = static_cast<int>(SendMessageA(wnd, TCM_GETCURSEL, 0, 0));
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (index >= 0 && process) {
        Line(std::to_string(index) + "\t" + TabTitle(wnd, process, index));
        *reinterpret_cast<bool*>(found) = true;
    }
    if (process) CloseHandle(process);
    return FALSE;
}

// A tab's rectangle on the screen as "x y w h", through a block of the control's process; "-"
// when the control gives none (a tab scrolled out of sight).
std::string TabRect(HWND tab, HANDLE process, int index)
{
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return "?";
    RECT r = {};
    SIZE_T n = 0;
    const bool got = SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)) &&
                     ReadProcessMemory(process, remote, &r, sizeof(r), &n);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (!got) return "-";
    MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&r), 2);
    char text[64];
    snprintf(text, sizeof(text), "%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return text;
}

// lParam 0: each tab's title; 1: each tab's rectangle.
BOOL CALLBACK ListTabs(HWND wnd, LPARAM rects)
{
    if (!IsWindowVisible(wnd) || Class(wnd) != "SysTabControl32") return TRUE;
    RECT r;
    GetWindowRect(wnd, &r);
    char rect[64];
    snprintf(rect, sizeof(rect), "%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
    Line(rect);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return TRUE;
    int count = static_cast<int>(SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) Line("\t" + (rects ? TabRect(wnd, process, i) : TabTitle(wnd, process, i)));
    CloseHandle(process);
    return TRUE;
}

// A visible combo box: "x y w h" (screen) and the height of its lines, its text after a tab, then
// its lines, one each after a tab. The messages carry their texts across processes themselves.
BOOL CALLBACK ListCombos(HWND wnd, LPARAM)
{
    if (!IsWindowVisible(wnd) || Class(wnd) != "ComboBox") return TRUE;
    RECT r;
    GetWindowRect(wnd, &r);
    char head[96];
    snprintf(head, sizeof(head), "%ld %ld %ld %ld %ld\t", r.left, r.top, r.right - r.left, r.bottom - r.top,
             static_cast<long>(SendMessageW(wnd, CB_GETITEMHEIGHT, 0, 0)));
    wchar_t text[1024] = {};
    SendMessageW(wnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    Line(head + Utf8(text));
    int count = static_cast<int>(SendMessageW(wnd, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t line[1024] = {};
        if (SendMessageW(wnd, CB_GETLBTEXTLEN, i, 0) < 1024) SendMessageW(wnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(line));
        Line("\t" + Utf8(line));
    }
    return TRUE;
}

// A rectangle of a list view's item, read through a block of the list's process.
RECT RemoteItemRect(HWND list, HANDLE process, int index)
{
    RECT r = {LVIR_ICON, 0, 0, 0};
    void* remote = VirtualAllocEx(process, nullptr, sizeof(r), MEM_COMMIT, PAGE_READWRITE);
    SIZE_T n = 0;
    if (remote && WriteProcessMemory(process, remote, &r, sizeof(r), &n) &&
        SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)))
        ReadProcessMemory(process, remote, &r, sizeof(r), &n);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

BOOL CALLBACK ListItems(HWND wnd, LPARAM lParam)
{
    if (!IsWindowVisible(wnd) || Class(wnd) != "SysListView32") return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return FALSE;
    int count = static_cast<int>(SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LVITEMA item = {};
        item.iSubItem = 0;
        std::string text = RemoteItemText(wnd, process, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), item);
        RECT r = RemoteItemRect(wnd, process, i);
        bool selected = (SendMessageA(wnd, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_SELECTED) & LVIS_SELECTED) != 0;
        char rect[96];
        snprintf(rect, sizeof(rect), "\t%ld %ld %ld %ld\t%d", r.left, r.top, r.right - r.left, r.bottom - r.top, selected ? 1 : 0);
        Line(text + rect);
    }
    CloseHandle(process);
    return FALSE;
}

// The columns of the first visible list view in the details view, in the order shown.
BOOL CALLBACK ListColumns(HWND wnd, LPARAM lParam)
{
    if (!IsWindowVisible(wnd) || Class(wnd) != "SysListView32" ||
        (GetWindowLongW(wnd, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT)
        return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    HWND header = reinterpret_cast<HWND>(SendMessageA(wnd, LVM_GETHEADER, 0, 0));
    const int count = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process || count <= 0 || count > 64) {
        if (process) CloseHandle(process);
        return FALSE;
    }
    int order[64] = {};
    void* remote = VirtualAllocEx(process, nullptr, sizeof(order), MEM_COMMIT, PAGE_READWRITE);
    SIZE_T n = 0;
    const bool read =
        remote &&
        SendMessageA(wnd, LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(remote)) &&
        ReadProcessMemory(process, remote, order, sizeof(int) * static_cast<size_t>(count), &n);
    if (!read)
        for (int i = 0; i < count; ++i) order[i] = i;
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    for (int i = 0; i < count; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        std::string title = RemoteItemText(wnd, process, LVM_GETCOLUMNA, static_cast<WPARAM>(order[i]), column);
        Line(title + "\t" + std::to_string(SendMessageA(wnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(order[i]), 0)));
    }
    CloseHandle(process);
    return FALSE;
}

std::string TreeText(HWND tree, HANDLE process, HTREEITEM hItem)
{
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    return RemoteItemText(tree, process, TVM_GETITEMA, 0, item);
}

BOOL CALLBACK ListTree(HWND wnd, LPARAM lParam)
{
    if (!IsWindowVisible(wnd) || Class(wnd) != "SysTreeView32") return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    Line(std::to_string(SendMessageA(wnd, TVM_GETCOUNT, 0, 0)));
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return FALSE;
    std::string lines;
    for (LPARAM item = SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_CARET, 0); item;
         item = SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_PARENT, item))
        lines = "\t" + TreeText(wnd, process, reinterpret_cast<HTREEITEM>(item)) + "\n" + lines;
    printf("%s", lines.c_str());
    CloseHandle(process);
    return FALSE;
}

// The first visible tool bar among the descendants that holds a button of the command id.
struct BarButton {
    int id;
    HWND bar;
};

BOOL CALLBACK FindBarButton(HWND wnd, LPARAM lParam)
{
    BarButton* b = reinterpret_cast<BarButton*>(lParam);
    if (!IsWindowVisible(wnd) || Class(wnd) != "ToolbarWindow32") return TRUE;
    if (SendMessageA(wnd, TB_COMMANDTOINDEX, b->id, 0) < 0) return TRUE;
    b->bar = wnd;
    return FALSE;
}

int Focus(HWND wnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &info)) return 1;
    if (info.hwndFocus) Line(Class(info.hwndFocus) + "\t" + Class(GetParent(info.hwndFocus)));
    return 0;
}

int Selection(HWND wnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &info) || !info.hwndFocus) return 1;
    DWORD sel = static_cast<DWORD>(SendMessageW(info.hwndFocus, EM_GETSEL, 0, 0));
    wchar_t text[1024] = {};
    SendMessageW(info.hwndFocus, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    printf("%u %u\t%s\n", LOWORD(sel), HIWORD(sel), Utf8(text).c_str());
    return 0;
}

HWND Window(const char* arg)
{
    HWND wnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(strtoull(arg, nullptr, 16)));
    return IsWindow(wnd) ? wnd : nullptr;
}

void Point(int x, int y) { printf("%d %d\n", x, y); }

// The middle of the run of points along the caption that hit the close button.
int CloseButton(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    int border = GetSystemMetrics((GetWindowLongW(wnd, GWL_STYLE) & WS_THICKFRAME) ? SM_CYSIZEFRAME : SM_CYFIXEDFRAME);
    int y = r.top + border + GetSystemMetrics(SM_CYCAPTION) / 2;
    int last = -1, first = -1;
    for (int x = r.right - 1; x > r.left; --x) {
        bool hit = SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE;
        if (hit && last < 0) last = x;
        if (hit) first = x;
        if (!hit && last >= 0) break;
    }
    if (last < 0) return 1;
    Point((first + last) / 2, y);
    return 0;
}

// Puts a 16 x 16 red 24-bit DIB on the clipboard for a window of this process.
int CopyBitmap()
{
    HWND owner = CreateWindowExA(0, "STATIC", "VktWin", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const int side = 16, row = side * 3;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + row * side);
    BYTE* p = static_cast<BYTE*>(GlobalLock(block));
    BITMAPINFOHEADER head = {sizeof(head), side, side, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    memcpy(p, &head, sizeof(head));
    for (int i = 0; i < row * side; i += 3) {
        p[sizeof(head) + i] = 0;
        p[sizeof(head) + i + 1] = 0;
        p[sizeof(head) + i + 2] = 255;
    }
    GlobalUnlock(block);
    bool done = false;
    for (int i = 0; i < 10 && !done; ++i) {
        if (!OpenClipboard(owner)) {
            Sleep(200);
            continue;
        }
        EmptyClipboard();
        done = SetClipboardData(CF_DIB, block) != nullptr;
        CloseClipboard();
    }
    if (!done) GlobalFree(block);
    // The owner stays until the viewers have heard of the change.
    MSG msg;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 500;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    DestroyWindow(owner);
    return done ? 0 : 1;
}

// Writes the clipboard's CF_DIB as a bitmap file: a file header before the packed DIB.
int SaveBitmap(const char* path)
{
    if (!OpenClipboard(nullptr)) return 1;
    HGLOBAL block = GetClipboardData(CF_DIB);
    const BYTE* dib = block ? static_cast<const BYTE*>(GlobalLock(block)) : nullptr;
    int rc = 1;
    if (dib) {
        const BITMAPINFOHEADER* h = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
        DWORD entries = h->biBitCount <= 8 ? (h->biClrUsed ? h->biClrUsed : 1u << h->biBitCount) : 0;
        if (h->biCompression == BI_BITFIELDS) entries += 3;
        const DWORD size = static_cast<DWORD>(GlobalSize(block));
        const DWORD head = sizeof(BITMAPFILEHEADER);
        BITMAPFILEHEADER file = {0x4D42, head + size, 0, 0, head + h->biSize + entries * 4};
        FILE* f = fopen(path, "wb");
        if (f) {
            rc = fwrite(&file, sizeof(file), 1, f) == 1 && fwrite(dib, size, 1, f) == 1 ? 0 : 1;
            if (fclose(f) != 0) rc = 1;
        }
        GlobalUnlock(block);
    }
    CloseClipboard();
    return rc;
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "list") {
        EnumWindows(ListTop, 0);
        return 0;
    }
    if (verb == "copy-bitmap") return CopyBitmap();
    if (verb == "save-bitmap" && argc > 2) return SaveBitmap(argv[2]);
    HWND wnd = argc > 2 ? Window(argv[2]) : nullptr;
    if (!wnd) return 1;
    if (verb == "text") {
        EnumChildWindows(wnd, ListStatic, 0);
        return 0;
    }
    if (verb == "children") {
        EnumChildWindows(wnd, ListChild, 0);
        return 0;
    }
    if (verb == "button" && argc > 3) {
        HWND control = GetDlgItem(wnd, atoi(argv[3]));
        if (!control) return 1;
        RECT r;
        GetWindowRect(control, &r);
        Point((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    if (verb == "tabs" || verb == "tab-rects") {
        EnumChildWindows(wnd, ListTabs, verb == "tabs" ? 0 : 1);
        return 0;
    }
    if (verb == "current") {
        bool found = false;
        EnumChildWindows(wnd, CurrentTab, reinterpret_cast<LPARAM>(&found));
        return found ? 0 : 1;
    }
    if (verb == "combos") {
        EnumChildWindows(wnd, ListCombos, 0);
        return 0;
    }
    if (verb == "tree") {
        bool found = false;
        EnumChildWindows(wnd, ListTree, reinterpret_cast<LPARAM>(&found));
        return found ? 0 : 1;
    }
    if (verb == "items") {
        bool found = false;
        EnumChildWindows(wnd, ListItems, reinterpret_cast<LPARAM>(&found));
        return found ? 0 : 1;
    }
    if (verb == "columns") {
        bool found = false;
        EnumChildWindows(wnd, ListColumns, reinterpret_cast<LPARAM>(&found));
        return found ? 0 : 1;
    }
    if (verb == "close") return CloseButton(wnd);
    if (verb == "focus") return Focus(wnd);
    if (verb == "selection") return Selection(wnd);
    if (verb == "idle") {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
        bool idle = process && WaitForInputIdle(process, 0) == 0 && !GetUpdateRect(wnd, nullptr, FALSE);
        if (process) CloseHandle(process);
        Line(idle ? "1" : "0");
        return 0;
    }
    if (verb == "command" && argc > 3)
        return PostMessageA(wnd, WM_COMMAND, static_cast<WPARAM>(strtoul(argv[3], nullptr, 0)), 0) ? 0 : 1;
    if (verb == "enabled" && argc > 3) {
        BarButton b = {atoi(argv[3]), nullptr};
        EnumChildWindows(wnd, FindBarButton, reinterpret_cast<LPARAM>(&b));
        if (!b.bar) return 1;
        Line(SendMessageA(b.bar, TB_ISBUTTONENABLED, b.id, 0) ? "1" : "0");
        return 0;
    }
    if (verb == "set-text" && argc > 4) {
        // The control's text (the argument in the session's code page), as a person types it.
        HWND control = GetDlgItem(wnd, atoi(argv[3]));
        if (!control || !IsWindowVisible(control)) return 1;
        return SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
    }
    if (verb == "show" && argc > 3) return ShowWindowAsync(wnd, atoi(argv[3])) ? 0 : 1;
    if (verb == "raise")
        return SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) ? 0 : 1;
    if (verb == "repaint") return RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN) ? 0 : 1;
    if (verb == "iconic") {
        Line(IsIconic(wnd) ? "1" : "0");
        return 0;
    }
    return 1;
}
