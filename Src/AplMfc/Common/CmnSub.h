// The program's utility services (one process-wide object, theCmnSub): message texts and boxes,
// deferred focus, colours and fonts by window kind, numbers and texts, folders, shell items and
// item-id lists. They use the engine objects of theCmnAppInf and work, in a reduced way that
// each one states, while those are missing. Failures are traced under the service's name.
#pragma once
#include "Mfc.h"
#include "CmnAppInf.h"
#include <shlobj.h>

class CmnSub : public CObject {
public:
    CmnSub() = default;

    // ---- Messages and focus ----
    // A message text by id: -36..-1 and 0..4 status texts, 5..169 engine messages, 170 and above
    // (and codes below -36) the program's strings. Empty without the engine, except 27576..27579.
    CString GetMsgStr(int id);
    // A box titled with the program's name; 0 without a box for a null text or while another box
    // of this service is open.
    int MsgBox(const char* text, UINT type);
    int MsgBox(const CString& text, UINT type) { return MsgBox(static_cast<const char*>(text), type); }
    // The text of an id in a box; 1 without a box when the text is empty.
    int MsgBoxById(int id, UINT type);
    void ShowMsg(int id, UINT type) { MsgBoxById(id, type); }
    void ShowMsgAndFocus(HWND wnd, int id);
    void SetFocusWnd(HWND wnd);
    // The focus (CmnWmSetFcs), or a message and then the focus (CmnWmMsgFcs), through the main
    // frame's queue.
    void PostSetFocus(HWND wnd);
    void PostMsgAndFocus(HWND wnd, int id);

    // ---- Colours and fonts ----
    int GetColor(const char* text, COLORREF* out);
    int SetColor(char* buffer, int size, COLORREF color);
    // By window kind (CmnDef.h) and, for engine controls, the control type 1..5.
    int GetTextColor(int kind, int subKind, COLORREF* out);
    int GetBackColor(int kind, int subKind, COLORREF* out);
    int GetTextBackColor(int kind, int subKind, COLORREF* out);
    // Drawing areas only.
    int GetSetFocusColor(int kind, int subKind, COLORREF* out);
    int GetKillFocusColor(int kind, int subKind, COLORREF* out);
    // The default of strColor_<index + 1>, written into buffer as colour text; the first four
    // also become the engine's state colours (error, modified, selected, selected header).
    int GetDflColor(int index, char* buffer, int size, COLORREF* out);
    // The same default without handing it to the engine (the built-in values a dialog offers).
    int ReadDflColor(int index, char* buffer, int size, COLORREF* out);
    // strColor_1 .. strColor_4 of the settings become the engine's state colours (one that
    // cannot be read stays as it was).
    int SetStateColors();
    int GetFont(const char* text, LOGFONTA* out);
    int GetFont(int kind, int subKind, LOGFONTA* out);
    int SetFont(char* buffer, int size, const LOGFONTA* font);
    // The default of strFont_<index + 1>, written into buffer as font text.
    int GetDflFont(int index, char* buffer, int size);

    // ---- Numbers and texts ----
    int GetFraction(double value, int places, int* num, int* den);
    // width x height scaled by num / den: mode 1 rounded, 2 truncated, 3 rounded away from zero.
    int GetSize(int mode, int num, int den, int width, int height, int* outWidth, int* outHeight);
    // A file's size (mode 0 in KB, mode 1 in the largest fitting unit) or a drive's, as text;
    // *outSize is the number shown.
    CString GetFileSizeStr(const char* path, int mode, double* outSize);
    // The size text of a normal file of that many bytes, as GetFileSizeStr gives it.
    CString GetSizeStr(double bytes, int mode, double* outSize);
    // The folder, one backslash (none added after one that ends it), then name.
    CString JoinPath(const char* folder, const char* name);
    // The part of a path after its last backslash, a trailing one left out.
    CString GetLastName(const char* path);
    // The text left-aligned in width bytes: padded with blanks, cut on a character boundary.
    CString GetFixedLenStr(const char* text, int width);
    // The text followed by the tabs that take it to the tab stop after width.
    CString GetTabbedStr(const char* text, int width);

    // ---- Folders and shell items ----
    // Makes the nearest existing folder of path the current directory and remembers it.
    int SetCurDir(const char* path);
    CString GetCurDir();
    int IsNormalFile(const char* path, char* buffer, int size, int* out);
    int IsNormalFile(LPCITEMIDLIST list, char* buffer, int size, int* out);
    // The system image list; it waits for the icons' warm-up first.
    HIMAGELIST GetSystemImageList(UINT flags);
    // The small icons the folder tree starts with (the desktop's and its folders', shut and open)
    // made on a worker while the main window comes up, so that the shell's cache holds them when
    // the tree asks: the worker keeps nothing, draws nothing and sends no message. The end waits
    // for it (every user of the system image list does first).
    void BeginIconWarmUp();
    void EndIconWarmUp();
    int GetSysImgLstIcoIdx(LPCITEMIDLIST list, UINT flags);
    int GetSysImgLstIcoIdx(const char* path, UINT flags);
    // An icon the caller destroys, or null.
    HICON GetIcon(LPCITEMIDLIST list, UINT flags);
    HICON GetIcon(const char* path, UINT flags);
    // The shell's type name of an item, in Japanese also where the shell has only an English
    // fallback (LocalTypeName).
    CString GetTypeName(LPCITEMIDLIST list);
    CString GetTypeName(const char* path);
    // The name Windows gives in place of the shell's untranslated fallback for an unregistered
    // type (a folder's "Folder", "jpg file", "File"); any other shell text as it is. name: the
    // item's last name.
    static CString LocalTypeName(const char* shell, bool folder, const char* name);
    // The file-system path of a shell item; empty for any other. Asked of the item's folder,
    // which each thread keeps bound while it asks for items of the same folder.
    CString GetPathName(LPCITEMIDLIST list);
    // The folder this thread keeps bound for GetPathName let go: a worker thread calls it before
    // it ends (its end cannot: releasing a shell folder there deadlocks under Wine).
    void ReleasePathBinding();
    // The name the folder gives its item (SHGDN_... flags); empty when it gives none.
    CString GetDisplayName(IShellFolder* folder, LPCITEMIDLIST item, DWORD flags);
    // The folder browser from startPath; mode 1 accepts drives too. Empty when cancelled.
    CString SelectDirectory(HWND owner, const char* startPath, int mode, UINT flags);

    // ---- Item-id lists (the shell allocator's memory) ----
    LPITEMIDLIST GetItemIdNext(LPCITEMIDLIST list);
    UINT GetItemIdListSize(LPCITEMIDLIST list);
    int FreeItemIdList(LPITEMIDLIST* list);
    LPITEMIDLIST DupItemIdList(LPCITEMIDLIST list);
    LPITEMIDLIST GetItemIdList(const char* path);
    LPITEMIDLIST GetItemIdListFull(LPCITEMIDLIST parent, LPCITEMIDLIST child);
    LPITEMIDLIST GetItemIdListParent(LPCITEMIDLIST list);
    // 0 equal, -1 / 1 the first / second an ancestor of the other, -2 / 2 the first / second
    // sorts first.
    int CmpItemIdList(LPCITEMIDLIST a, LPCITEMIDLIST b);
    int CmpItemIdListByPath(LPCITEMIDLIST a, LPCITEMIDLIST b);
    // As CmpItemIdList for two paths; -3 both empty, -4 / -5 the first / second empty.
    int CmpPathName(const char* p, const char* q);

private:
    int m_bMsgBox = 0; // 1 while a box of MsgBox is open
    HANDLE m_hWarmUp = nullptr; // the icons' warm-up, until it has ended
};

extern CmnSub theCmnSub;
