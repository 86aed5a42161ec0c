// The file-command panel's places (history and favourites) and external tools: the combos that
// show names and keep paths, run, add, change and delete.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnlFilCmd"
#include "DlbPnlFilCmd.h"
#include "ChildFrm.h"
#include "ChildViw.h"
#include "DlbPnlPrv.h"
#include "DlgImg.h"
#include "DlgOpn.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "VkaBatch.h"
#include "VkaPthLst.h"
#include <shellapi.h>
#include <string.h>

namespace {

// The flags of the favourites' folder browser: file-system folders, the new style with its hint,
// no new-folder button.
const UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_UAHINT | BIF_NONEWFOLDERBUTTON;
// The tool dialog's flags: explorer style, resizable, file and path must exist, the template.
const DWORD kToolFlags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLETEMPLATE;

VkiSub* Sub() { return theCmnAppInf.pSub; }

HWND FrameWnd()
{
    HalcorApp* app = HalcorGetApp();
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    return frame ? frame->m_hWnd : nullptr;
}

bool IsFile(const char* path)
{
    char full[CmnPathSize] = {};
    int file = 0;
    return path && *path && VkeSubIsNormalFile(Sub(), full, path, sizeof(full), &file) == VKE_OK && file;
}

CString LastName(const CString& path)
{
    char name[CmnPathSize] = {};
    return VkeSubGetFileName(Sub(), name, path, sizeof(name)) == VKE_OK ? CString(name) : path;
}

CString FolderOf(const CString& path)
{
    char folder[CmnPathSize] = {};
    return !path.IsEmpty() && VkeSubGetDirPath(Sub(), folder, path, sizeof(folder)) == VKE_OK ? CString(folder) : CString();
}

// The folder browser of the favourites, started at start.
CString BrowseFolder(const char* start)
{
    CString at = start && *start ? CString(start) : theCmnSub.GetCurDir();
    return theCmnSub.SelectDirectory(FrameWnd(), at, 0, kBrowseFlags);
}

// The tool dialog, started in folder (none: the system's choice).
CString BrowseTool(const char* folder)
{
    CString filter = theCmnSub.GetMsgStr(IDS_VKA_TOOL_FILTER);
    HalcorApp* app = HalcorGetApp();
    DlgOpn dialog(TRUE, nullptr, nullptr, kToolFlags, filter, app ? app->GetMainFrame() : nullptr);
    char name[DlgOpn::kBufSize] = "*.exe";
    dialog.m_ofn.lpstrFile = name;
    dialog.m_ofn.nMaxFile = sizeof(name);
    dialog.m_ofn.nFilterIndex = 1;
    dialog.m_ofn.lpstrInitialDir = folder && *folder ? folder : nullptr;
    return dialog.DoModal() == 1 ? CString(name) : CString();
}

// A tool that did not start: one message with its path (32823 when it is gone).
void ToolFailed(const CString& path)
{
    HalcorApp::MsgPath(IsFile(path) ? IDS_VKA_CANNOT_OPEN : IDS_VKA_NOT_FOUND, path, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

int DlbPnlFilCmd::ShownList() const
{
    int mode = theAppInf.pciFpi.iMode;
    return mode == 1 || mode == 2 ? mode - 1 : -1;
}

// ---- Combos ----

void DlbPnlFilCmd::FillCombo(int slot, const char* first, VkaPthLst& list, int offset)
{
    HWND combo = CtlWnd(slot);
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    if (first) ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(first));
    for (int i = 0; i < list.Count(); ++i) {
        CString name = LastName(list.At(i));
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(name)));
    }
    ShowLine(slot, list.Index() >= 0 || first ? list.Index() + offset : -1);
}

void DlbPnlFilCmd::LineText(int slot, int line, char* out, int size)
{
    HWND combo = CtlWnd(slot);
    *out = '\0';
    if (line >= 0 && ::SendMessageA(combo, CB_GETLBTEXTLEN, line, 0) < static_cast<LRESULT>(size))
        ::SendMessageA(combo, CB_GETLBTEXT, line, reinterpret_cast<LPARAM>(out));
}

void DlbPnlFilCmd::ShowLine(int slot, int line, int undo)
{
    HWND combo = CtlWnd(slot);
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(line), 0);
    char text[CmnPathSize] = {};
    LineText(slot, line, text, sizeof(text));
    VkeCtlSetDataValue(Ctl(slot), text, undo);
    VkeCtlSetModifiedFlag(Ctl(slot), 0);
}

int DlbPnlFilCmd::SetCmbFilPla()
{
    HWND combo = CtlWnd(SlotPlace);
    if (!combo) return VKE_ERR_NOT_INIT;
    if (ShownList() < 0) {
        ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        ShowLine(SlotPlace, -1);
        return VKE_OK;
    }
    VkaPthLst list = VkaPthLst::Fpi(ShownList());
    FillCombo(SlotPlace, nullptr, list, 0);
    return VKE_OK;
}

int DlbPnlFilCmd::SetCmbExtTol()
{
    if (!CtlWnd(SlotTool)) return VKE_ERR_NOT_INIT;
    VkaPthLst tools = VkaPthLst::Eti();
    FillCombo(SlotTool, theCmnSub.GetMsgStr(IDS_VKA_DFL_TOOL), tools, 1);
    return VKE_OK;
}

int DlbPnlFilCmd::GetCmbPath(int slot, CString* path, int* entry)
{
    char text[CmnPathSize] = {};
    ::GetWindowTextA(CtlWnd(slot), text, sizeof(text));
    *entry = -1;
    if (!*text) {
        theCmnSub.ShowMsgAndFocus(CtlWnd(slot), VKE_ERR_NOT_FOUND);
        *path = CString();
        return VKE_ERR_NOT_FOUND;
    }
    *path = text;
    const int line = ExactLine(slot, text), first = slot == SlotTool ? 1 : 0;
    if (line < first) return VKE_OK;
    VkaPthLst list = slot == SlotTool ? VkaPthLst::Eti() : VkaPthLst::Fpi(ShownList());
    *entry = line - first;
    *path = list.At(*entry);
    return VKE_OK;
}

int DlbPnlFilCmd::ExactLine(int slot, const char* text)
{
    // The search ignores letter case and goes round from the line after the one given: each line
    // it finds is compared byte for byte until the search comes back to the first one found.
    HWND combo = CtlWnd(slot);
    const int hit = static_cast<int>(::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
    for (int line = hit; line != CB_ERR;) {
        char found[CmnPathSize] = {};
        LineText(slot, line, found, sizeof(found));
        if (strcmp(found, text) == 0) return line;
        line = static_cast<int>(::SendMessageA(combo, CB_FINDSTRINGEXACT, line, reinterpret_cast<LPARAM>(text)));
        if (line == hit) break;
    }
    return -1;
}

CString DlbPnlFilCmd::ResolvePlace(const char* text, const char* tree)
{
    int at = 0;
    if (VkeSubFindStrRev(Sub(), text, "\\", VKE_FIND_EXACT, static_cast<int>(strlen(text)), &at) != VKE_ERR_NOT_FOUND)
        return text;
    const char* base = tree && *tree ? tree : theCmnAppInf.strOpnDir[0] ? theCmnAppInf.strOpnDir : theCmnAppInf.strCurDir;
    return theCmnSub.JoinPath(base, text);
}

// ---- Places ----

int DlbPnlFilCmd::RunFilPla()
{
    HalcorApp* app = HalcorGetApp();
    DlbPnlTrcFld* tree = app ? app->GetPnlTrcFld() : nullptr;
    DlbPnlLscFil* files = app ? app->GetPnlLscFil() : nullptr;
    if (!m_bInit || ShownList() < 0) return Fail("RunFilPla", VKE_ERR_SYSTEM);
    if (!tree || !tree->m_hWnd || !files || !files->m_hWnd) return VKE_NOT_DONE;
    CString path;
    int entry = -1;
    if (GetCmbPath(SlotPlace, &path, &entry) != VKE_OK) return VKE_ERR_NOT_FOUND;
    path = ResolvePlace(path, tree->GetCurPathName());
    VkaPthLst list = VkaPthLst::Fpi(ShownList());
    int shown = list.Find(path);
    if (shown >= 0) {
        list.Select(shown);
        ShowLine(SlotPlace, shown);
    }
    if (!IsFile(path)) {
        // A folder, or one since gone: the tree takes it, or its nearest folder.
        tree->Search(path);
        tree->SetCurPath(path, 1);
        return VKE_OK;
    }
    if (app->IsOpeningBusy()) return VKE_OK;
    VkaBatch batch({VKE_OK, VKE_NOT_DONE, VKE_STOPPED});
    batch.Add(app->BeginOpenFile());
    if (batch.Going()) batch.Add(app->OpenFile(path, 0, 0, 0));
    batch.End(app->EndOpenFile(batch.Result()));
    if (!batch.IsQuiet()) Fail("RunFilPla", batch.Result());
    return batch.Result();
}

int DlbPnlFilCmd::AddFilPla()
{
    VkaPthLst list = VkaPthLst::Fpi(1);
    if (!m_bInit || ShownList() != 1 || list.IsFull()) return VKE_NOT_DONE;
    CString start = list.Selected(), path;
    if (list.Choose(BrowseFolder, start, &path) != VKE_OK) return VKE_NOT_DONE;
    int rc = list.Append(path);
    SetCmbFilPla();
    return rc < 0 ? Fail("AddFilPla", rc) : VKE_OK;
}

int DlbPnlFilCmd::ChgFilPla()
{
    VkaPthLst list = VkaPthLst::Fpi(1);
    if (!m_bInit || ShownList() != 1 || list.Count() < 1) return VKE_NOT_DONE;
    CString old, path;
    int entry = -1;
    if (GetCmbPath(SlotPlace, &old, &entry) != VKE_OK) return VKE_ERR_NOT_FOUND;
    if (entry < 0) return theCmnSub.ShowMsgAndFocus(CtlWnd(SlotPlace), VKE_ERR_NOT_FOUND), VKE_ERR_NOT_FOUND;
    if (list.Choose(BrowseFolder, old, &path) != VKE_OK) return VKE_NOT_DONE;
    int rc = list.Replace(entry, path);
    SetCmbFilPla();
    return rc < 0 ? Fail("ChgFilPla", rc) : VKE_OK;
}

int DlbPnlFilCmd::DelFilPla()
{
    VkaPthLst list = VkaPthLst::Fpi(1);
    if (!m_bInit || ShownList() != 1) return VKE_NOT_DONE;
    int rc = RemoveCmbEntry(&list, SlotPlace);
    if (rc == VKE_OK) SetCmbFilPla();
    return rc;
}

// The entry the combo in slot shows removed from list: not done when the list is empty, not
// found (told, the focus on the combo) when the text names no entry.
int DlbPnlFilCmd::RemoveCmbEntry(VkaPthLst* list, int slot)
{
    if (list->Count() < 1) return VKE_NOT_DONE;
    CString old;
    int entry = -1;
    if (GetCmbPath(slot, &old, &entry) != VKE_OK) return VKE_ERR_NOT_FOUND;
    if (entry < 0) return theCmnSub.ShowMsgAndFocus(CtlWnd(slot), VKE_ERR_NOT_FOUND), VKE_ERR_NOT_FOUND;
    list->Remove(entry);
    return VKE_OK;
}

// ---- Tools ----

CString DlbPnlFilCmd::GetToolImage()
{
    HalcorApp* app = HalcorGetApp();
    if (!app) return CString();
    DlbPnlPrv* preview = app->GetPnlPrv();
    // The window the focus came from, while its panel or page still exists.
    CmnDlgOpr* from = CmnDlgOpr::FromWindow(m_hOrgWnd);
    CWnd* origin = from ? &from->GetWnd() : nullptr;
    if (origin && origin == preview) return preview->GetPathName();
    if (DlgImg* page = DYNAMIC_DOWNCAST(DlgImg, origin)) return page->GetPathName();
    HalcorViw* view = app->GetChildViw();
    int current = -1;
    DlgImg* page = view && view->GetCurSel(&current) == VKE_OK && current >= 0 ? view->GetImgPage(current) : nullptr;
    if (page) return page->GetPathName();
    int shown = 0;
    app->IsPnlPrv(&shown);
    return shown && preview ? preview->GetPathName() : CString();
}

int DlbPnlFilCmd::RunExtTol()
{
    HalcorApp* app = HalcorGetApp();
    if (!m_bInit || !app || !app->GetChildViw()) return VKE_NOT_DONE;
    HWND back = m_hOrgCtl;
    CString tool, image = GetToolImage();
    int entry = -1, rc = GetCmbPath(SlotTool, &tool, &entry);
    m_hOrgWnd = m_hOrgCtl = nullptr;
    if (rc != VKE_OK) return rc;
    VkaPthLst tools = VkaPthLst::Eti();
    bool dflTool = entry < 0 && ExactLine(SlotTool, tool) == 0;
    if (entry >= 0) tools.Select(entry);
    CString quoted = "\"" + image + "\"";
    bool haveImage = IsFile(image);
    rc = VKE_OK;
    if (!dflTool) {
        HINSTANCE done = ::ShellExecuteA(FrameWnd(), nullptr, tool, haveImage ? static_cast<const char*>(quoted) : nullptr,
                                         nullptr, SW_SHOWNORMAL);
        if (reinterpret_cast<INT_PTR>(done) <= 32) {
            ToolFailed(tool);
            rc = VKE_ERR_SYSTEM;
        }
    } else if (haveImage) {
        HINSTANCE done = ::ShellExecuteA(FrameWnd(), nullptr, quoted, nullptr, nullptr, SW_SHOWNORMAL);
        if (reinterpret_cast<INT_PTR>(done) <= 32) {
            ToolFailed(image);
            rc = VKE_ERR_SYSTEM;
        }
    }
    if (back && ::IsWindow(back)) theCmnSub.SetFocusWnd(back);
    return rc;
}

int DlbPnlFilCmd::AddExtTol()
{
    VkaPthLst tools = VkaPthLst::Eti();
    if (!m_bInit || tools.IsFull()) return VKE_NOT_DONE;
    CString path;
    if (tools.Choose(BrowseTool, FolderOf(tools.Selected()), &path) != VKE_OK) return VKE_NOT_DONE;
    int rc = tools.Append(path);
    SetCmbExtTol();
    return rc < 0 ? Fail("AddExtTol", rc) : VKE_OK;
}

int DlbPnlFilCmd::ChgExtTol()
{
    VkaPthLst tools = VkaPthLst::Eti();
    if (!m_bInit || tools.Count() < 1) return VKE_NOT_DONE;
    CString old, path;
    int entry = -1;
    if (GetCmbPath(SlotTool, &old, &entry) != VKE_OK) return VKE_ERR_NOT_FOUND;
    if (entry < 0) return theCmnSub.ShowMsgAndFocus(CtlWnd(SlotTool), VKE_ERR_NOT_FOUND), VKE_ERR_NOT_FOUND;
    if (tools.Choose(BrowseTool, FolderOf(old), &path) != VKE_OK) return VKE_NOT_DONE;
    int rc = tools.Replace(entry, path);
    SetCmbExtTol();
    return rc < 0 ? Fail("ChgExtTol", rc) : VKE_OK;
}

int DlbPnlFilCmd::DelExtTol()
{
    VkaPthLst tools = VkaPthLst::Eti();
    if (!m_bInit) return VKE_NOT_DONE;
    int rc = RemoveCmbEntry(&tools, SlotTool);
    if (rc == VKE_OK) SetCmbExtTol();
    return rc;
}
