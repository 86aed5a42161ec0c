// The folder tree: a tree-view control that shows the shell's folders from the desktop down,
// fills a folder's children when it is first expanded and keeps a back-and-forward history of
// the folders selected, through the engine's edit undo (VkeWmEudDat asks the tree for the
// snapshots of its history, records of code 354 holding one folder path each).
//
// A selection sends the main frame CmnWmOpnDir (lParam the current path), then CmnWmChgSel
// (lParam a CmnVarItmIdl: the item, its item-id list and the root flag). The main frame makes it
// select a folder the file list opens with Search and SetCurPath.
//
//   CmnTrcFld* tree = new CmnTrcFld;
//   tree->CreateEx(exStyle, style, rect, panel, id);
//   tree->Init();                  // the desktop and its children
//   tree->SetCurPath(path, 1);     // selects the path's nearest folder the tree holds
//   ...
//   tree->Term(); tree->DestroyWindow(); delete tree;
//
// Every operation but Init refuses with -6 while the tree is not initialised; failures are traced
// under the operation's name.
#pragma once
#include "CmnDat.h"
#include "CmnVar.h"
#include <shlobj.h>

enum { CmnTrcFldCodHst = 354 }; // the folder-history record

// The data of every item of the tree; released when the control deletes the item.
struct TrcFldItm {
    HTREEITEM hParent;        // the item it was inserted under; none for the root
    LPITEMIDLIST pIdlParent;  // the parent folder's full list (owned); none for the root
    LPITEMIDLIST pIdl;        // the folder's full list (owned)
    AppMem amName;            // the shell's in-folder name
    int bHasSubFolder;        // the shell's has-subfolder attribute
};

// A folder-history record (code 354).
struct TrcFldHst {
    AppMem amPath; // a folder path; empty for a folder without one (the computer)
};

class CmnTrcFld : public CTreeCtrl {
    DECLARE_DYNAMIC(CmnTrcFld)

public:
    CmnTrcFld();
    ~CmnTrcFld() override;

    // ---- Reflected notifications: TRUE when handled ----
    // The context menu's first sub-menu at the cursor, owned by the parent.
    virtual BOOL OnNmRClick(NMHDR* pNMHDR, LRESULT* pResult);
    // Releases the item's record.
    virtual BOOL OnTvnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    // A folder's first expansion fills its children.
    virtual BOOL OnTvnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    // The history step, then CmnWmOpnDir and CmnWmChgSel to the main frame.
    virtual BOOL OnTvnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);

    // ---- The folder-history records: code 354 only (else -9) ----
    virtual int AllocDat(int code, Dat** out);
    virtual int FreeDat(int code, Dat** p);
    virtual int InitDat(int code, Dat* p);
    virtual int TermDat(int code, Dat* p);
    virtual int CopyDat(int code, Dat* to, Dat* from);
    virtual int DupDat(int code, Dat** out, Dat* from);
    virtual int SetDat(int code, Dat* to, Dat* from);
    // The engine's snapshot requests: 1 allocate *p, 2 free *p, 3 initialise *p, 4 terminate *p,
    // 5 copy *q into *p, 6 *p a duplicate of *q, 7 set *p from *q, 8 set current from *q and
    // select that folder. Another request or code: -9.
    virtual int EditDat(int request, int code, Dat** p, Dat** q, Dat* current);
    // Records the history's current path as a step.
    virtual int SetHistory(int step);

    // ---- The shell's small-icon image list ----
    virtual int OpenImageList();
    // The list held before; it is forgotten.
    virtual HIMAGELIST CloseImageList();
    // The list as the tree's normal image list; -1 without one.
    virtual int SetImageList();

    // A folder path becomes the current path and a history step (see the source); -9 for null.
    virtual int SetPathName(const char* path);

    // ---- Start and end ----
    // The history, the current folder, the image list, the desktop with its children; -7 when
    // initialised already.
    virtual int Init();
    // Every item and its record, the image list, the history. Also on WM_DESTROY.
    virtual int Term();
    int IsInit() const { return m_bInit; }
    // 1 while the selection the keyboard made is being reported: the keys walk on in the tree.
    int IsSelByKey() const { return m_bSelByKey; }

    // ---- Font, colours and menu ----
    virtual int SetFont(const char* face, int points);
    virtual int SetFontByLogFont(const LOGFONTA* pFont);
    virtual int GetFontName(char* buffer, int size);
    virtual int GetFontSize(int* points);
    virtual int GetLogFont(LOGFONTA* pFont);
    virtual int SetTextColor(COLORREF color);
    virtual int GetTextColor(COLORREF* color);
    virtual int SetBackColor(COLORREF color);
    virtual int GetBackColor(COLORREF* color);
    virtual int SetMenuHandle(HMENU menu);
    virtual int GetMenuHandle(HMENU* menu);

    // ---- Back and forward ----
    virtual int GetHistoryFlag(EditFlag* flags);
    virtual int IsEnableViewBkw(int* out);
    virtual int ViewBkw();
    virtual int IsEnableViewFrw(int* out);
    virtual int ViewFrw();

    // erase 0 or 1 (else -9).
    virtual int Redraw(int erase);

    // ---- Items ----
    // Fills the children of parent (whose full list is parentList) from the shell; both null
    // rebuild the tree: the desktop alone, then expanded. 3 (untraced) when the folder cannot be
    // bound or listed; the first failure of an item after the others were added.
    virtual int SetTree(HTREEITEM parent, LPCITEMIDLIST parentList);
    // The children of parent (none: the root item) in the shell's order; direction 1 ascending,
    // 0 descending, kept for later fillings.
    virtual int SortTree(HTREEITEM parent, int direction);
    virtual int ScrollTree(HTREEITEM item);
    // A copy of the current folder (the item last filled) into an initialised record.
    virtual int GetItmSli(CmnVarItmIdl* out);
    // The file-system path of the item's folder; empty without one.
    virtual CString GetPathName(HTREEITEM item);
    virtual CString GetCurPathName();
    // The item of list among start's descendants (none: the root's), expanding its ancestors:
    // 0 found; 1 *out the deepest ancestor the tree holds; -12 none (untraced).
    virtual int Search(HTREEITEM start, LPCITEMIDLIST list, HTREEITEM* out);
    virtual int Search(const char* path, HTREEITEM* out);
    // Selects path's nearest existing folder: 0 found, 1 an ancestor of it selected, -12 nothing
    // of it found (the root selected); without force a path equal to the current one is 0.
    virtual int SetCurPath(const char* path, int force);
    // The selected item's path; *selected 1 when an item is selected, *folder 1 when the path is
    // an existing folder.
    virtual CString GetSelPathName(int* selected, int* folder);

protected:
    afx_msg void OnDestroy();
    afx_msg LRESULT OnVkeWmEudDat(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct SortCtx;
    class QuietDraw;
    static int CALLBACK GF_CmnTrcFldCmpPrc(LPARAM a, LPARAM b, LPARAM ctx);

    bool CheckInit(const char* name);
    int TakeColor(const char* name, COLORREF color);
    static int Fail(const char* name, int code);
    TrcFldItm* Record(HTREEITEM item) const;
    // Inserts one shell item of folder under parent; see the source.
    int AddItem(IShellFolder* folder, LPCITEMIDLIST parentList, HTREEITEM parent, LPCITEMIDLIST child,
                bool plainParent);
    // The subfolders of a folder under its item (onlyNew: those it lacks); see the source.
    int AddChildren(IShellFolder* folder, HTREEITEM parent, LPCITEMIDLIST parentList, bool root, bool onlyNew,
                    int* added);
    // The item's children asked of the disk again; 1 when any came.
    int AddNewChildren(HTREEITEM item);
    int FreeItem(TrcFldItm** p);
    // Search below from, key the list's path (asked once: the shell binds its folder for it).
    int SearchBelow(HTREEITEM from, LPCITEMIDLIST list, const char* key, HTREEITEM* out);
    // Deletes every item; selection notices meanwhile are ignored.
    void DeleteAll();
    // The computer folder's item (its list searched from the root), or none.
    HTREEITEM ComputerItem();
    // Selects the history's current folder after a step back or forward.
    int SelectHistory();

    int m_bInit;
    int m_bTerminating;
    int m_bDeleting;       // items are being deleted: selection notices are ignored
    int m_iQuiet;          // fillings and searches running, which draw nothing meanwhile
    int m_bSelByKey;       // a selection made by the keyboard is being reported
    HMENU m_hMenu;         // the context menu
    Eui* m_pEui;           // the history
    TrcFldHst m_hstCur;    // the folder last entered into the history
    CFont m_font;
    LOGFONTA m_lf;
    int m_iSortDir;        // 1 ascending, 0 descending
    HIMAGELIST m_hImgLst;  // the system image list with small icons
    int m_aiIcoPlain[2];   // a plain folder's icon and open icon in it, -1 until asked
    CmnVarItmIdl m_sli;    // the current folder: the item last filled, its list, the desktop flag
    CString m_strCurPath;  // the path of the selected folder
};
