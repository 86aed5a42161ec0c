// Folders and shell items: the current folder, normal files, the system image list, icons, type
// names, paths of item-id lists and the folder browser.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnSub"
#include "CmnSub.h"
#include "CmnApp.h"
#include "CmnHold.h"
#include "CmnRes.h"
#include <commctrl.h>
#include <string.h>
#include <string>
#include <vector>
#include <type_traits>

namespace {

// "\\" (the network root) and paths beginning "\\\" name no folder.
bool IsNoFolder(const char* path) { return strcmp(path, "\\\\") == 0 || strncmp(path, "\\\\\\", 3) == 0; }

// SHGetFileInfoA on an item-id list; false when the shell answers nothing.
bool ShellInfo(LPCITEMIDLIST list, UINT flags, SHFILEINFOA* info)
{
    memset(info, 0, sizeof(*info));
    return list && ::SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, info, sizeof(*info), flags | SHGFI_PIDL);
}

// The browser's folder tree.
HWND FindTree(HWND dialog)
{
    HWND tree = nullptr;
    ::EnumChildWindows(
        dialog,
        [](HWND wnd, LPARAM found) {
            char name[32] = {};
            ::GetClassNameA(wnd, name, sizeof(name));
            if (strcmp(name, WC_TREEVIEWA) != 0) return TRUE;
            *reinterpret_cast<HWND*>(found) = wnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tree));
    return tree;
}

// The text of a tree item (the browser's tree lives in this process).
std::string ItemText(HWND tree, HTREEITEM item)
{
    char text[MAX_PATH] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof(text);
    return ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) ? std::string(text) : std::string();
}

// The shell's name of the list's first depth items (their folder as the browser names it).
std::string PrefixName(LPCITEMIDLIST list, int depth)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(list);
    size_t size = 0;
    for (int i = 0; i < depth; ++i) size += reinterpret_cast<LPCITEMIDLIST>(bytes + size)->mkid.cb;
    std::vector<BYTE> prefix(bytes, bytes + size);
    prefix.resize(size + sizeof(USHORT), 0);
    SHFILEINFOA info;
    return ShellInfo(reinterpret_cast<LPCITEMIDLIST>(prefix.data()), SHGFI_DISPLAYNAME, &info) ? std::string(info.szDisplayName)
                                                                                               : std::string();
}

// The browser's tree walked from the desktop by the shell's names of the path's folders, each
// folder expanded on the way, and the deepest one found selected. Wine's browser, told a path,
// may stop at a folder above it (always below the Unix /tmp, whose contents keep changing): its
// item-id lists compare byte for byte, and a folder's list carries its access time.
void SelectByNames(HWND dialog, const char* path)
{
    HWND tree = FindTree(dialog);
    CmnIdl list(theCmnSub.GetItemIdList(path));
    HTREEITEM item = tree ? TreeView_GetRoot(tree) : nullptr;
    if (!item || !list.Get()) return;
    int depth = 0;
    for (LPCITEMIDLIST p = list.Get(); p; p = theCmnSub.GetItemIdNext(p)) ++depth;
    HTREEITEM selected = TreeView_GetSelection(tree);
    if (selected && ItemText(tree, selected) == PrefixName(list.Get(), depth)) return;
    for (int level = 1; level <= depth; ++level) {
        std::string name = PrefixName(list.Get(), level);
        TreeView_Expand(tree, item, TVE_EXPAND);
        HTREEITEM child = TreeView_GetChild(tree, item);
        while (child && ItemText(tree, child) != name) child = TreeView_GetNextSibling(tree, child);
        if (!child) break;
        item = child;
    }
    TreeView_SelectItem(tree, item);
}

// The browser's selection brought into sight once the browser has laid itself out (it sizes its
// tree after the start): a timer of its window, once.
const UINT_PTR kShowTimer = 0x5642;
void CALLBACK ShowSelection(HWND dialog, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(dialog, id);
    HWND tree = FindTree(dialog);
    HTREEITEM item = tree ? TreeView_GetSelection(tree) : nullptr;
    if (item) TreeView_EnsureVisible(tree, item);
}

// The browser's start: the path in lParam selected when it opens; a name typed that is no
// folder keeps it open.
int CALLBACK BrowseProc(HWND wnd, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED) {
        // The tree takes no new names: a click on its selected folder would start renaming that
        // folder on the disk.
        if (HWND tree = FindTree(wnd)) {
            LONG_PTR style = ::GetWindowLongPtrA(tree, GWL_STYLE);
            ::SetWindowLongPtrA(tree, GWL_STYLE, style & ~static_cast<LONG_PTR>(TVS_EDITLABELS));
        }
        const char* path = reinterpret_cast<const char*>(data);
        if (path && *path) {
            ::SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, data);
            SelectByNames(wnd, path);
            ::SetTimer(wnd, kShowTimer, 100, ShowSelection);
        }
    }
    return message == BFFM_VALIDATEFAILEDA ? 1 : 0;
}

// The folder whose items a thread asked last for their paths, bound as a shell folder: the
// shell answers the paths of a folder's items in microseconds through the folder, in
// milliseconds (growing with the folder) through their full lists. Not released by the thread's
// end: that runs under the loader's lock, where releasing a shell folder deadlocks under Wine
// (checked); a thread releases it itself (ReleasePathBinding). It holds no object with a
// destructor: a thread's end frees its thread-local storage before such destructors run, so one
// would free a pointer read from freed memory.
struct PathBinding {
    static const size_t kMax = 4096; // a longer folder list is bound for one question only
    BYTE parent[kMax];               // the folder's list, terminator excluded
    size_t size;                     // kMax + 1: nothing to compare with
    IShellFolder* folder;
    bool Holds(const BYTE* list, size_t n) const { return folder && size == n && memcmp(parent, list, n) == 0; }
    void Forget()
    {
        if (folder) folder->Release();
        folder = nullptr;
        size = 0;
    }
};
static_assert(std::is_trivially_destructible<PathBinding>::value, "a thread's end must not run code on its binding");
thread_local PathBinding t_binding = {};

// The folder that holds list's last item (*last), bound through the thread's binding; null when
// list has no item or the folder cannot be bound.
IShellFolder* BindParent(LPCITEMIDLIST list, LPCITEMIDLIST* last)
{
    const BYTE* head = reinterpret_cast<const BYTE*>(list);
    const BYTE* item = head;
    if (!item || !reinterpret_cast<LPCITEMIDLIST>(item)->mkid.cb) return nullptr;
    for (const BYTE* next = item + reinterpret_cast<LPCITEMIDLIST>(item)->mkid.cb;
         reinterpret_cast<LPCITEMIDLIST>(next)->mkid.cb; next += reinterpret_cast<LPCITEMIDLIST>(next)->mkid.cb)
        item = next;
    *last = reinterpret_cast<LPCITEMIDLIST>(item);
    const size_t size = static_cast<size_t>(item - head);
    if (t_binding.Holds(head, size)) return t_binding.folder;
    t_binding.Forget();
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop)) || !desktop) return nullptr;
    IShellFolder* folder = nullptr;
    if (size == 0) {
        folder = desktop;
    } else {
        std::string terminated(reinterpret_cast<const char*>(head), size);
        terminated.append(sizeof(USHORT), '\0');
        HRESULT hr = desktop->BindToObject(reinterpret_cast<LPCITEMIDLIST>(terminated.data()), nullptr,
                                           IID_IShellFolder, reinterpret_cast<void**>(&folder));
        desktop->Release();
        if (FAILED(hr)) folder = nullptr;
    }
    if (!folder) return nullptr;
    t_binding.folder = folder;
    t_binding.size = size <= PathBinding::kMax ? size : PathBinding::kMax + 1;
    if (size <= PathBinding::kMax) memcpy(t_binding.parent, head, size);
    return folder;
}

} // namespace

// ---- The current folder ----

int CmnSub::SetCurDir(const char* path)
{
    VkiSub* sub = theCmnAppInf.pSub;
    if (!path) {
        CMN_TRACE("SetCurDir", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    char dir[CmnPathSize];
    snprintf(dir, sizeof(dir), "%s", IsNoFolder(path) ? "" : path);
    // Upward from the path to the first folder that exists; a drive that does not exist changes
    // nothing. A path holds fewer components than its length.
    bool found = false;
    for (int step = 0; !found && dir[0] && strcmp(dir, "\\\\") != 0 && step < CmnPathSize; ++step) {
        int drive = 0, exists = 0, folder = 0;
        int rc = VkeSubIsDrive(sub, dir, &drive);
        if (rc == VKE_OK) rc = VkeSubIsExistPath(sub, dir, &exists);
        if (rc != VKE_OK || (drive && !exists)) return rc == VKE_OK ? VKE_NOT_DONE : rc;
        if (drive) {
            strcat(dir, "\\");
            found = true;
        } else if (exists && VkeSubIsDirectory(sub, dir, &folder) == VKE_OK && folder) {
            found = true;
        } else {
            char parent[CmnPathSize];
            if (VkeSubGetDirPath(sub, parent, dir, sizeof(parent)) != VKE_OK) return VKE_NOT_DONE;
            memcpy(dir, parent, sizeof(dir));
        }
    }
    if (!found) return VKE_NOT_DONE;
    if (!::SetCurrentDirectoryA(dir)) {
        CMN_TRACE("SetCurDir", VKE_ERR_SYSTEM);
        return VKE_ERR_SYSTEM;
    }
    DWORD n = ::GetCurrentDirectoryA(CmnPathSize, theCmnAppInf.strCurDir);
    if (n == 0 || n >= CmnPathSize) theCmnAppInf.strCurDir[0] = '\0';
    return VKE_OK;
}

CString CmnSub::GetCurDir() { return theCmnAppInf.strCurDir; }

int CmnSub::IsNormalFile(const char* path, char* buffer, int size, int* out)
{
    int rc = VkeSubIsNormalFile(theCmnAppInf.pSub, buffer, path, size, out);
    if (rc != VKE_OK) CMN_TRACE("IsNormalFile", rc);
    return rc;
}

int CmnSub::IsNormalFile(LPCITEMIDLIST list, char* buffer, int size, int* out)
{
    if (!list || !buffer || !out || size < 1) {
        CMN_TRACE("IsNormalFile", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    return IsNormalFile(GetPathName(list), buffer, size, out);
}

// ---- Icons, type names, paths ----

namespace {

// The small icon of an item, shut or open, as the tree asks for it, into the shell's cache.
void WarmIcon(LPCITEMIDLIST list, bool open)
{
    SHFILEINFOA info;
    if (ShellInfo(list, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_ICON | (open ? SHGFI_OPENICON : 0), &info) &&
        info.hIcon)
        ::DestroyIcon(info.hIcon);
}

DWORD WINAPI WarmUpIcons(void*)
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    LPITEMIDLIST desktop = nullptr;
    IShellFolder* folder = nullptr;
    if (SUCCEEDED(::SHGetFolderLocation(nullptr, CSIDL_DESKTOP, nullptr, 0, &desktop)) &&
        SUCCEEDED(::SHGetDesktopFolder(&folder))) {
        WarmIcon(desktop, false);
        WarmIcon(desktop, true);
        IEnumIDList* items = nullptr;
        if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS, &items) == S_OK && items) {
            LPITEMIDLIST child = nullptr;
            ULONG got = 0;
            while (items->Next(1, &child, &got) == S_OK && got == 1) {
                // Only the folders the tree shows: of the file system or above it, no shortcut.
                SFGAOF attributes = SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_LINK;
                LPCITEMIDLIST one = child;
                if (SUCCEEDED(folder->GetAttributesOf(1, &one, &attributes)) &&
                    (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) && !(attributes & SFGAO_LINK)) {
                    WarmIcon(child, false);
                    WarmIcon(child, true);
                }
                ::CoTaskMemFree(child);
            }
            items->Release();
        }
    }
    if (folder) folder->Release();
    ::CoTaskMemFree(desktop);
    ::CoUninitialize();
    return 0;
}

// A warm-up that has not ended by then has hung: the start goes on without it.
const DWORD kWarmUpWait = 10000;

} // namespace

void CmnSub::BeginIconWarmUp()
{
    if (!m_hWarmUp) m_hWarmUp = ::CreateThread(nullptr, 0, WarmUpIcons, nullptr, 0, nullptr);
}

void CmnSub::EndIconWarmUp()
{
    if (!m_hWarmUp) return;
    ::WaitForSingleObject(m_hWarmUp, kWarmUpWait);
    ::CloseHandle(m_hWarmUp);
    m_hWarmUp = nullptr;
}

HIMAGELIST CmnSub::GetSystemImageList(UINT flags)
{
    EndIconWarmUp();
    CmnApp* app = CmnGetApp();
    CWnd* pFrame = app ? app->GetMainFrame() : nullptr;
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(::SHGetFolderLocation(pFrame ? pFrame->m_hWnd : nullptr, CSIDL_DESKTOP, nullptr, 0, &desktop))) {
        CMN_TRACE("GetSystemImageList", VKE_ERR_SYSTEM);
        return nullptr;
    }
    CmnIdl hold(desktop);
    SHFILEINFOA info = {};
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoA(
        reinterpret_cast<LPCSTR>(desktop), 0, &info, sizeof(info), flags | SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_PIDL));
    // The icon the shell made along with the answer is not wanted.
    if (info.hIcon) ::DestroyIcon(info.hIcon);
    if (!list) CMN_TRACE("GetSystemImageList", VKE_ERR_ARG);
    return list;
}

int CmnSub::GetSysImgLstIcoIdx(LPCITEMIDLIST list, UINT flags)
{
    SHFILEINFOA info;
    if (!ShellInfo(list, flags | SHGFI_ICON, &info)) return -1;
    if (info.hIcon) ::DestroyIcon(info.hIcon);
    return info.iIcon;
}

int CmnSub::GetSysImgLstIcoIdx(const char* path, UINT flags)
{
    CmnIdl list(GetItemIdList(path));
    return GetSysImgLstIcoIdx(list.Get(), flags);
}

HICON CmnSub::GetIcon(LPCITEMIDLIST list, UINT flags)
{
    SHFILEINFOA info;
    return ShellInfo(list, flags | SHGFI_ICON, &info) ? info.hIcon : nullptr;
}

HICON CmnSub::GetIcon(const char* path, UINT flags)
{
    CmnIdl list(GetItemIdList(path));
    return GetIcon(list.Get(), flags);
}

CString CmnSub::GetTypeName(LPCITEMIDLIST list)
{
    SHFILEINFOA info;
    if (!ShellInfo(list, SHGFI_TYPENAME | SHGFI_ATTRIBUTES, &info)) return CString();
    return LocalTypeName(info.szTypeName, (info.dwAttributes & SFGAO_FOLDER) != 0, GetLastName(GetPathName(list)));
}

CString CmnSub::LocalTypeName(const char* shell, bool folder, const char* name)
{
    // Wine's shell names unregistered types in English whatever the language: "Folder",
    // "<extension> file" (or "-file"), "File". Windows names them in the user's language.
    CString text(shell ? shell : "");
    CString format;
    if (folder) {
        if (text.CompareNoCase("Folder") == 0 || text.CompareNoCase("File folder") == 0) format.LoadString(IDS_CMN_TYPE_FOLDER);
        return format.IsEmpty() ? text : format;
    }
    // The extension: after the name's last dot, walked by characters.
    const char* dot = nullptr;
    for (const char* p = name ? name : ""; *p; p = ::CharNextExA(932, p, 0))
        if (*p == '.') dot = p;
    CString ext = dot && dot[1] ? CString(dot + 1) : CString();
    if (ext.IsEmpty()) {
        if (text.CompareNoCase("File") == 0) format.LoadString(IDS_CMN_TYPE_FILE);
        return format.IsEmpty() ? text : format;
    }
    if (text.CompareNoCase(ext + " file") != 0 && text.CompareNoCase(ext + "-file") != 0) return text;
    format.LoadString(IDS_CMN_TYPE_EXT);
    if (format.IsEmpty()) return text;
    // Capitals of the ASCII letters only: a double-byte character keeps both bytes.
    CString upper;
    for (const char* p = ext; *p;) {
        const char* next = ::CharNextExA(932, p, 0);
        if (next == p) break;
        if (next - p == 1 && *p >= 'a' && *p <= 'z') upper += static_cast<char>(*p - 'a' + 'A');
        else upper += CString(p, static_cast<int>(next - p));
        p = next;
    }
    CString local;
    local.Format(format, static_cast<const char*>(upper));
    return local;
}

CString CmnSub::GetTypeName(const char* path)
{
    CmnIdl list(GetItemIdList(path));
    return GetTypeName(list.Get());
}

// Only items of the file system have a path; the desktop's own (empty) list asks the shell.
CString CmnSub::GetPathName(LPCITEMIDLIST list)
{
    LPCITEMIDLIST last = nullptr;
    IShellFolder* folder = BindParent(list, &last);
    if (!folder) {
        char path[MAX_PATH] = {};
        return list && !list->mkid.cb && ::SHGetPathFromIDListA(list, path) ? CString(path) : CString();
    }
    SFGAOF attributes = SFGAO_FILESYSTEM;
    if (FAILED(folder->GetAttributesOf(1, &last, &attributes)) || !(attributes & SFGAO_FILESYSTEM)) return CString();
    return GetDisplayName(folder, last, SHGDN_FORPARSING);
}

void CmnSub::ReleasePathBinding() { t_binding.Forget(); }

CString CmnSub::GetDisplayName(IShellFolder* folder, LPCITEMIDLIST item, DWORD flags)
{
    STRRET name = {};
    if (!folder || !item || FAILED(folder->GetDisplayNameOf(item, flags, &name))) return CString();
    char text[CmnPathSize] = {};
    switch (name.uType) {
    case STRRET_WSTR:
        if (!::WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, text, sizeof(text), nullptr, nullptr)) text[0] = '\0';
        ::CoTaskMemFree(name.pOleStr);
        break;
    case STRRET_CSTR:
        VkeSubCopyStr(theCmnAppInf.pSub, text, name.cStr, sizeof(text));
        break;
    case STRRET_OFFSET:
        VkeSubCopyStr(theCmnAppInf.pSub, text, reinterpret_cast<const char*>(item) + name.uOffset, sizeof(text));
        break;
    default: break;
    }
    return text;
}

// ---- The folder browser ----

CString CmnSub::SelectDirectory(HWND owner, const char* startPath, int mode, UINT flags)
{
    if (!startPath || !*startPath || (mode != 0 && mode != 1)) {
        CMN_TRACE("SelectDirectory", VKE_ERR_ARG);
        return CString();
    }
    VkiSub* sub = theCmnAppInf.pSub;
    CString at = startPath;
    for (;;) {
        char name[MAX_PATH] = {};
        BROWSEINFOA info = {};
        info.hwndOwner = owner;
        info.pszDisplayName = name;
        info.lpszTitle = "";
        info.ulFlags = flags ? flags : BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_UAHINT;
        info.lpfn = BrowseProc;
        info.lParam = reinterpret_cast<LPARAM>(static_cast<const char*>(at));
        CmnIdl chosen(::SHBrowseForFolderA(&info));
        if (!chosen.Get()) return CString();
        CString path = GetPathName(chosen);
        path.Trim();
        int exists = 0, folder = 0, drive = 0;
        if (!path.IsEmpty() && VkeSubIsExistPath(sub, path, &exists) == VKE_OK && exists &&
            VkeSubIsDrive(sub, path, &drive) == VKE_OK && VkeSubIsDirectory(sub, path, &folder) == VKE_OK &&
            (folder || (drive && mode == 1))) {
            SetCurDir(path);
            return path;
        }
        // Not a folder that may be chosen: the browser again, at what was chosen.
        at = path.IsEmpty() ? CString(startPath) : path;
    }
}
