// The folder tree's items: filling a folder from the shell, sorting, searching by item-id list
// and by path, and selecting a path.
//
// The shell answers names, paths and comparisons of a folder's items in microseconds when asked
// through the folder bound as a shell folder, and in milliseconds (growing with the folder) when
// asked through full item-id lists; icons through full lists take the longest. So a folder's
// children are named, compared and sorted through the folder, and plain folders (neither system
// nor read-only: a folder needs one of those to carry a name or icon of its own) of a file-system
// folder take their name from their parsing name and share the icons asked once for the first of
// them, for the whole tree.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnTrcFld"
#include "CmnTrcFld.h"
#include "CmnApp.h"
#include "CmnHold.h"
#include "CmnSub.h"
#include <set>
#include <string>
#include <string.h>

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

// The attributes the tree asks of every item.
const SFGAOF kAttributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_LINK |
                           SFGAO_READONLY | SFGAO_SYSTEM;

// The last item of a list (the list itself when it has none).
LPCITEMIDLIST LastItem(LPCITEMIDLIST list)
{
    LPCITEMIDLIST last = list;
    for (LPCITEMIDLIST next = theCmnSub.GetItemIdNext(list); next; next = theCmnSub.GetItemIdNext(next)) last = next;
    return last;
}

// A small icon of the shell's system image list, normal or open; -1 when the shell gives none.
int SmallIcon(LPCITEMIDLIST list, bool open)
{
    return theCmnSub.GetSysImgLstIcoIdx(list, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0));
}

// The shell folder of a tree item's list: the desktop for the root; null when it cannot be bound.
IShellFolder* BindFolder(LPCITEMIDLIST list, bool root)
{
    CmnApp* app = CmnGetApp();
    IShellFolder* desktop = app ? app->GetDesktopFolder() : nullptr;
    if (!desktop) return nullptr;
    if (root) {
        desktop->AddRef();
        return desktop;
    }
    IShellFolder* folder = nullptr;
    return list && SUCCEEDED(desktop->BindToObject(list, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)))
               ? folder
               : nullptr;
}

bool IsFolder(const char* path)
{
    int folder = 0;
    return path && *path && VkeSubIsDirectory(Sub(), path, &folder) == VKE_OK && folder;
}

} // namespace

// Filling, searching and selecting draw nothing until the outermost of them ends: under Wine every
// insertion and scroll of a visible tree repaints it at once. The tree's own redraw switch leaves
// its scroll bars drawn at every change of them (a few each expansion, some 6 ms each), so the
// window is also marked hidden meanwhile by the system's redraw switch (the default handling of
// WM_SETREDRAW, which sends nothing: a style set through SetWindowLongPtr would send the tree
// WM_STYLECHANGED, which lays every item out again, some 15 ms for 1,600 shown items); at the end
// it is shown again and repainted with its frame.
class CmnTrcFld::QuietDraw {
public:
    explicit QuietDraw(CmnTrcFld& tree) : m_tree(tree), m_bHidden(false)
    {
        if (m_tree.m_iQuiet++ > 0) return;
        m_tree.SetRedraw(FALSE);
        if (m_tree.GetStyle() & WS_VISIBLE) {
            ::DefWindowProcA(m_tree.m_hWnd, WM_SETREDRAW, FALSE, 0);
            m_bHidden = true;
        }
    }
    ~QuietDraw()
    {
        if (--m_tree.m_iQuiet > 0) return;
        // The redraw switch lays the tree out anew and sets its scroll bars: still unseen.
        m_tree.SetRedraw(TRUE);
        if (m_bHidden) ::DefWindowProcA(m_tree.m_hWnd, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(m_tree.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    QuietDraw(const QuietDraw&) = delete;
    QuietDraw& operator=(const QuietDraw&) = delete;

private:
    CmnTrcFld& m_tree;
    bool m_bHidden; // this one marked the window hidden
};

// What the compare procedure gets: the folder whose children it compares.
struct CmnTrcFld::SortCtx {
    CmnTrcFld* tree;
    HTREEITEM parent;
    int direction;
    IShellFolder* folder;
};

// ---- Filling ----

int CmnTrcFld::SetTree(HTREEITEM parent, LPCITEMIDLIST parentList)
{
    if (!CheckInit("SetTree")) return VKE_ERR_NOT_INIT;
    if (!parent != !parentList) return Fail("SetTree", VKE_ERR_ARG);
    LPITEMIDLIST dup = parentList ? theCmnSub.DupItemIdList(parentList) : nullptr;
    if (parentList && !dup) return Fail("SetTree", VKE_ERR_MEMORY);
    theCmnVar.TermDat(CmnVarCodItmIdl, &m_sli);
    theCmnVar.InitDat(CmnVarCodItmIdl, &m_sli);

    CmnWaitCursor wait;
    QuietDraw quiet(*this);
    bool root = !parent || parent == GetRootItem();
    CmnCom<IShellFolder> folder(BindFolder(parentList, root));
    int first = VKE_OK;
    if (!parent) {
        DeleteAll();
        LPITEMIDLIST desktop = nullptr;
        if (!folder.Get() || FAILED(::SHGetFolderLocation(m_hWnd, CSIDL_DESKTOP, nullptr, 0, &desktop))) {
            first = VKE_ERR_SYSTEM;
        } else {
            CmnIdl hold(desktop);
            m_aiIcoPlain[0] = m_aiIcoPlain[1] = -1;
            first = AddItem(folder.Get(), nullptr, nullptr, desktop, false);
        }
    } else {
        first = AddChildren(folder.Get(), parent, parentList, root, false, nullptr);
        if (first == VKE_STOPPED) {
            theCmnSub.FreeItemIdList(&dup);
            return VKE_STOPPED;
        }
    }
    m_sli.hItem = parent;
    m_sli.pIdl = dup;
    m_sli.bRoot = root ? 1 : 0;
    if (first == VKE_OK) first = SortTree(parent, m_iSortDir);
    if (first == VKE_OK && !parent && !Expand(GetRootItem(), TVE_EXPAND)) first = VKE_ERR_SYSTEM;
    if (first != VKE_OK) {
        theCmnVar.TermDat(CmnVarCodItmIdl, &m_sli);
        theCmnVar.InitDat(CmnVarCodItmIdl, &m_sli);
        CMN_TRACE("SetTree", first);
    }
    return first;
}

// The subfolders of folder (parent's, whose full list is parentList) inserted under parent, or
// with onlyNew only those it does not hold yet, known by their in-folder parsing names. 3 when
// the folder cannot be listed; else the first failure of an item, the others added. *added (when
// given) counts the items inserted.
int CmnTrcFld::AddChildren(IShellFolder* folder, HTREEITEM parent, LPCITEMIDLIST parentList, bool root, bool onlyNew,
                           int* added)
{
    if (added) *added = 0;
    CmnCom<IEnumIDList> items;
    IEnumIDList** out = reinterpret_cast<IEnumIDList**>(items.Out());
    if (!folder || folder->EnumObjects(m_hWnd, SHCONTF_FOLDERS, out) != S_OK || !items.Get()) return VKE_STOPPED;
    const DWORD parsing = SHGDN_INFOLDER | SHGDN_FORPARSING;
    std::set<std::string> held;
    for (HTREEITEM item = onlyNew ? GetChildItem(parent) : nullptr; item; item = GetNextSiblingItem(item)) {
        const TrcFldItm* rec = Record(item);
        if (rec && rec->pIdl) held.insert(std::string(theCmnSub.GetDisplayName(folder, LastItem(rec->pIdl), parsing)));
    }
    // The shell's own names and icons for the desktop's and the drives' children.
    bool plainParent = !root && !theCmnSub.GetPathName(parentList).IsEmpty();
    int first = VKE_OK, before = static_cast<int>(GetCount());
    LPITEMIDLIST child = nullptr;
    ULONG got = 0;
    HRESULT hr;
    while ((hr = items->Next(1, &child, &got)) == S_OK && got == 1) {
        CmnIdl hold(child);
        if (onlyNew && held.count(std::string(theCmnSub.GetDisplayName(folder, child, parsing)))) continue;
        int rc = AddItem(folder, parentList, parent, child, plainParent);
        if (first == VKE_OK) first = rc;
    }
    if (hr != S_FALSE && first == VKE_OK) first = VKE_ERR_SYSTEM;
    if (added) *added = static_cast<int>(GetCount()) - before;
    return first;
}

// A folder made after the tree read its parent: the parent's children are asked of the disk
// again. One never filled (the shell said it had no subfolders) is filled as it expands; a filled
// one takes the children it lacks, in the shell's order. 1 when any child came, else 0.
int CmnTrcFld::AddNewChildren(HTREEITEM item)
{
    TrcFldItm* rec = Record(item);
    if (!rec || !rec->pIdl) return 0;
    TVITEMA children = {};
    children.mask = TVIF_CHILDREN;
    children.hItem = item;
    if (!(GetItemState(item, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE)) {
        children.cChildren = 1;
        SetItem(&children);
        if (Expand(item, TVE_EXPAND) && GetChildItem(item)) return 1;
        children.cChildren = 0;
        SetItem(&children);
        return 0;
    }
    CmnWaitCursor wait;
    QuietDraw quiet(*this);
    bool root = item == GetRootItem();
    CmnCom<IShellFolder> folder(BindFolder(rec->pIdl, root));
    int added = 0;
    int rc = AddChildren(folder.Get(), item, rec->pIdl, root, true, &added);
    if (rc != VKE_OK && rc != VKE_STOPPED) CMN_TRACE("Search", rc);
    if (added < 1) return 0;
    children.cChildren = 1;
    SetItem(&children);
    SortTree(item, m_iSortDir);
    if (!(GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED)) Expand(item, TVE_EXPAND);
    return 1;
}

// One shell item: skipped (0) unless it is of the file system or above it, and no shortcut; the
// first failure of its name, icons or record leaves it out.
int CmnTrcFld::AddItem(IShellFolder* folder, LPCITEMIDLIST parentList, HTREEITEM parent, LPCITEMIDLIST child,
                       bool plainParent)
{
    SFGAOF attributes = kAttributes;
    if (FAILED(folder->GetAttributesOf(1, &child, &attributes))) return VKE_ERR_SYSTEM;
    if (!(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) || (attributes & SFGAO_LINK)) return VKE_OK;
    bool plain = plainParent && (attributes & SFGAO_FILESYSTEM) && !(attributes & (SFGAO_READONLY | SFGAO_SYSTEM));
    CString name = plain ? theCmnSub.GetLastName(theCmnSub.GetDisplayName(folder, child, SHGDN_INFOLDER | SHGDN_FORPARSING))
                         : theCmnSub.GetDisplayName(folder, child, SHGDN_INFOLDER);
    TrcFldItm* rec = new TrcFldItm();
    rec->hParent = parent;
    rec->bHasSubFolder = (attributes & SFGAO_HASSUBFOLDER) ? 1 : 0;
    rec->pIdl = parentList ? theCmnSub.GetItemIdListFull(parentList, child) : theCmnSub.DupItemIdList(child);
    int rc = rec->pIdl ? VkeSubInitAppMem(Sub(), &rec->amName) : VKE_ERR_MEMORY;
    if (rc == VKE_OK && parentList && !(rec->pIdlParent = theCmnSub.DupItemIdList(parentList))) rc = VKE_ERR_MEMORY;
    if (rc == VKE_OK) rc = name.IsEmpty() ? VKE_ERR_SYSTEM : VkeSubSetAppMemStr(Sub(), &rec->amName, name);

    int image = plain ? m_aiIcoPlain[0] : -1, selected = plain ? m_aiIcoPlain[1] : -1;
    if (rc == VKE_OK && (image < 0 || selected < 0)) {
        image = SmallIcon(rec->pIdl, false);
        selected = SmallIcon(rec->pIdl, true);
        if (plain) {
            m_aiIcoPlain[0] = image;
            m_aiIcoPlain[1] = selected;
        }
        if (image < 0 || selected < 0) rc = VKE_ERR_SYSTEM;
    }
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = rec->amName.pBuffer;
    insert.item.iImage = image;
    insert.item.iSelectedImage = selected;
    insert.item.lParam = reinterpret_cast<LPARAM>(rec);
    insert.item.cChildren = rec->bHasSubFolder;
    if (rc == VKE_OK && !InsertItem(&insert)) rc = VKE_ERR_SYSTEM;
    if (rc != VKE_OK) FreeItem(&rec);
    return rc;
}

// ---- Sorting ----

int CmnTrcFld::SortTree(HTREEITEM parent, int direction)
{
    if (!CheckInit("SortTree")) return VKE_ERR_NOT_INIT;
    if (direction != 0 && direction != 1) return Fail("SortTree", VKE_ERR_ARG);
    HTREEITEM item = parent ? parent : GetRootItem();
    TrcFldItm* rec = Record(item);
    if (!rec) return Fail("SortTree", VKE_ERR_SYSTEM);
    m_iSortDir = direction;
    CmnCom<IShellFolder> folder(BindFolder(rec->pIdl, item == GetRootItem()));
    SortCtx ctx = {this, item, direction, folder.Get()};
    TVSORTCB sort = {item, GF_CmnTrcFldCmpPrc, reinterpret_cast<LPARAM>(&ctx)};
    // The control answers FALSE for fewer than two children (Wine): nothing to sort.
    SortChildrenCB(&sort);
    return VKE_OK;
}

// The children of one folder in the order the shell gives its items, asked of that folder with
// their last items (the same order the desktop gives their full lists), reversed for descending.
int CALLBACK CmnTrcFld::GF_CmnTrcFldCmpPrc(LPARAM a, LPARAM b, LPARAM context)
{
    const SortCtx* ctx = reinterpret_cast<const SortCtx*>(context);
    const TrcFldItm* x = reinterpret_cast<const TrcFldItm*>(a);
    const TrcFldItm* y = reinterpret_cast<const TrcFldItm*>(b);
    if (!ctx || !x || !y || !x->pIdl || !y->pIdl) {
        CMN_TRACE("GF_CmnTrcFldCmpPrc", VKE_ERR_ARG);
        return 0;
    }
    HRESULT hr;
    if (ctx->folder) {
        hr = ctx->folder->CompareIDs(0, LastItem(x->pIdl), LastItem(y->pIdl));
    } else {
        CmnApp* app = CmnGetApp();
        IShellFolder* desktop = app ? app->GetDesktopFolder() : nullptr;
        if (!desktop) return 0;
        hr = desktop->CompareIDs(0, x->pIdl, y->pIdl);
    }
    int order = static_cast<short>(HRESULT_CODE(hr));
    return ctx->direction == 1 ? order : -order;
}

int CmnTrcFld::ScrollTree(HTREEITEM item)
{
    if (!CheckInit("ScrollTree")) return VKE_ERR_NOT_INIT;
    HTREEITEM shown = item ? item : GetRootItem();
    if (shown) EnsureVisible(shown);
    return VKE_OK;
}

// ---- Paths ----

int CmnTrcFld::GetItmSli(CmnVarItmIdl* out)
{
    if (!CheckInit("GetItmSli")) return VKE_ERR_NOT_INIT;
    if (!out) return Fail("GetItmSli", VKE_ERR_ARG);
    return theCmnVar.CopyDat(CmnVarCodItmIdl, out, &m_sli);
}

CString CmnTrcFld::GetPathName(HTREEITEM item)
{
    if (!CheckInit("GetPathName")) return CString();
    TrcFldItm* rec = Record(item);
    return rec && rec->pIdl ? theCmnSub.GetPathName(rec->pIdl) : CString();
}

CString CmnTrcFld::GetCurPathName() { return CheckInit("GetCurPathName") ? m_strCurPath : CString(); }

CString CmnTrcFld::GetSelPathName(int* selected, int* folder)
{
    if (selected) *selected = 0;
    if (folder) *folder = 0;
    if (!CheckInit("GetSelPathName")) return CString();
    HTREEITEM item = GetSelectedItem();
    CString path = item ? GetPathName(item) : CString();
    if (selected) *selected = item ? 1 : 0;
    if (folder) *folder = IsFolder(path) ? 1 : 0;
    return path;
}

// ---- Searching ----

// Siblings are compared by path first: equal, or an ancestor of the key, decides. Any other
// answer (a drive's root is no path prefix of a path below it; items without a path) compares
// the lists.
int CmnTrcFld::Search(HTREEITEM start, LPCITEMIDLIST list, HTREEITEM* out)
{
    if (out) *out = nullptr;
    if (!CheckInit("Search")) return VKE_ERR_NOT_INIT;
    if (!out) return Fail("Search", VKE_ERR_ARG);
    if (!list) return VKE_ERR_NOT_FOUND;
    HTREEITEM from = start ? start : GetRootItem();
    if (!from) return Fail("Search", VKE_ERR_SYSTEM);
    QuietDraw quiet(*this);
    int rc = SearchBelow(from, list, theCmnSub.GetPathName(list), out);
    return rc == VKE_OK || rc == VKE_NOT_DONE || rc == VKE_ERR_NOT_FOUND ? rc : Fail("Search", rc);
}

int CmnTrcFld::SearchBelow(HTREEITEM from, LPCITEMIDLIST list, const char* key, HTREEITEM* out)
{
    for (HTREEITEM item = GetChildItem(from); item; item = GetNextSiblingItem(item)) {
        TrcFldItm* rec = Record(item);
        if (!rec || !rec->pIdl) continue;
        int order = theCmnSub.CmpPathName(theCmnSub.GetPathName(rec->pIdl), key);
        if (order != 0 && order != -1) order = theCmnSub.CmpItemIdList(rec->pIdl, list);
        if (order == 0) {
            *out = item;
            return VKE_OK;
        }
        if (order != -1) continue;
        // An ancestor: its children, filled as it expands (an expanded one is left as it is). A
        // folder made since they were read is not among them: the disk is asked again, unless
        // they were read just now.
        HTREEITEM found = nullptr;
        bool filled = (GetItemState(item, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE) != 0;
        bool open = (GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) ||
                    (ItemHasChildren(item) && Expand(item, TVE_EXPAND));
        int rc = open ? SearchBelow(item, list, key, &found) : VKE_ERR_NOT_FOUND;
        if (rc == VKE_ERR_NOT_FOUND && (filled || !open) && AddNewChildren(item))
            rc = SearchBelow(item, list, key, &found);
        if (rc == VKE_OK || rc == VKE_NOT_DONE) {
            *out = found;
            return rc;
        }
        if (rc == VKE_ERR_NOT_FOUND) {
            *out = item;
            return VKE_NOT_DONE;
        }
        return rc;
    }
    return VKE_ERR_NOT_FOUND;
}

int CmnTrcFld::Search(const char* path, HTREEITEM* out)
{
    if (out) *out = nullptr;
    if (!CheckInit("Search")) return VKE_ERR_NOT_INIT;
    if (!path || !out) return Fail("Search", VKE_ERR_ARG);
    if (!*path) return VKE_ERR_NOT_FOUND;
    CmnIdl list(theCmnSub.GetItemIdList(path));
    return Search(nullptr, list.Get(), out);
}

int CmnTrcFld::SetCurPath(const char* path, int force)
{
    if (!CheckInit("SetCurPath")) return VKE_ERR_NOT_INIT;
    if (!path || (force != 0 && force != 1)) return Fail("SetCurPath", VKE_ERR_ARG);
    char dir[CmnPathSize] = {};
    // "\\" and paths beginning "\\\" name no folder, nor does a path longer than any path.
    bool noFolder = strcmp(path, "\\\\") == 0 || strncmp(path, "\\\\\\", 3) == 0 || strlen(path) > VKE_PATH_MAX;
    if (!noFolder && *path && VkeSubGetPathName(Sub(), dir, path, sizeof(dir)) != VKE_OK) dir[0] = '\0';
    // Without force a folder already current is done; a path naming none always selects the root.
    if (!force && dir[0] && m_strCurPath == dir) return VKE_OK;

    // The nearest existing folder or drive; none found leaves dir empty.
    for (int step = 0; dir[0] && step < CmnPathSize; ++step) {
        int drive = 0, exists = 0;
        if (VkeSubIsDrive(Sub(), dir, &drive) != VKE_OK) dir[0] = '\0';
        else if (drive) {
            if (VkeSubIsExistPath(Sub(), dir, &exists) != VKE_OK || !exists) dir[0] = '\0';
            break;
        } else if (IsFolder(dir)) {
            break;
        } else {
            char parent[CmnPathSize];
            if (VkeSubGetDirPath(Sub(), parent, dir, sizeof(parent)) != VKE_OK) dir[0] = '\0';
            else memcpy(dir, parent, sizeof(dir));
        }
    }
    HTREEITEM item = nullptr;
    int rc;
    {
        // The search, the selection and its scrolls are drawn once, at the end.
        QuietDraw quiet(*this);
        rc = dir[0] ? Search(dir, &item) : VKE_ERR_NOT_FOUND;
        if (rc != VKE_OK && rc != VKE_NOT_DONE) {
            item = GetRootItem();
            rc = item ? VKE_ERR_NOT_FOUND : VKE_ERR_SYSTEM;
        }
        if (item) {
            if (!SelectItem(item) && rc == VKE_ERR_NOT_FOUND) rc = VKE_ERR_SYSTEM;
            SelectSetFirstVisible(item);
        }
    }
    if (rc == VKE_OK || rc == VKE_NOT_DONE) {
        SetPathName(GetPathName(item));
    } else if (rc == VKE_ERR_NOT_FOUND) {
        SetPathName("");
    }
    if (IsWindowVisible() && IsWindowEnabled()) theCmnSub.SetFocusWnd(m_hWnd);
    if (rc != VKE_OK && rc != VKE_NOT_DONE && rc != VKE_ERR_NOT_FOUND) CMN_TRACE("SetCurPath", rc);
    return rc;
}
