// The file dialogs' shared base: the own name buffer and its copy back, the start, the name box
// and its procedure, the path check.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgFil"
#include "DlgFil.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "HalcorRes.h"
#include <dlgs.h>
#include <string.h>

IMPLEMENT_DYNAMIC(DlgFil, CFileDialog)

namespace {

// A window's previous procedure and its dialog, kept on the window (the name box, the system
// dialog) while a procedure of the dialog's stands in front of it.
const char kPrevProc[] = "DlgFilPrevProc";
const char kOwner[] = "DlgFilOwner";

VkiSub* Sub() { return theCmnAppInf.pSub; }

BOOL CALLBACK FindEdit(HWND hWnd, LPARAM lParam)
{
    char cls[16] = {};
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The file-name box: edt1 where it shows, else the edit inside the name combo cmb13 (Wine and
// the newer system dialogs), else a hidden edt1.
HWND FindNameBox(HWND sys)
{
    HWND edit = sys ? ::GetDlgItem(sys, edt1) : nullptr;
    if (edit && ::IsWindowVisible(edit)) return edit;
    HWND combo = sys ? ::GetDlgItem(sys, cmb13) : nullptr;
    HWND inner = nullptr;
    if (combo) ::EnumChildWindows(combo, FindEdit, reinterpret_cast<LPARAM>(&inner));
    return inner ? inner : edit;
}

} // namespace

DlgFil::DlgFil(UINT nIDTemplate, int bufSize, BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
               DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd), m_bInit(0),
      m_hSysDlg(nullptr), m_hFilNam(nullptr), m_buf(static_cast<size_t>(bufSize) + 2, '\0')
{
    m_ofn.Flags |= OFN_ENABLETEMPLATE;
    m_ofn.lpTemplateName = MAKEINTRESOURCEA(nIDTemplate);
}

DlgFil::~DlgFil() { Term(); }

int DlgFil::Fail(const char* name, int code)
{
    CMN_TRACE(name, code);
    return code;
}

bool DlgFil::IsEmptyPath(const char* text)
{
    return !text || !*text || strcmp(text, "\\") == 0 || strncmp(text, "\\\\\\", 3) == 0;
}

// ---- The run ----

INT_PTR DlgFil::DoModal()
{
    char* caller = m_ofn.lpstrFile;
    const DWORD callerSize = m_ofn.nMaxFile;
    LPCSTR callerDir = m_ofn.lpstrInitialDir;
    const int size = static_cast<int>(m_buf.size()) - 2;
    std::fill(m_buf.begin(), m_buf.end(), '\0');
    if (caller && callerSize > 0) {
        CString name(caller, static_cast<int>(strnlen(caller, callerSize)));
        name.Trim();
        if (!IsEmptyPath(name) && name.GetLength() < size) memcpy(m_buf.data(), name, static_cast<size_t>(name.GetLength()));
    }
    PrepareName(m_buf.data(), size);
    if (!callerDir || !*callerDir) {
        m_strInitDir = InitialDir();
        m_ofn.lpstrInitialDir = m_strInitDir.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strInitDir);
    }
    m_strChosen.Empty();
    m_bFailed = 0;
    m_ofn.lpstrFile = m_buf.data();
    m_ofn.nMaxFile = static_cast<DWORD>(size);
    INT_PTR rc = CFileDialog::DoModal();
    DlgFil::Term(); // the run's end; a derived dialog keeps its own state until it goes
    m_ofn.lpstrFile = caller;
    m_ofn.nMaxFile = callerSize;
    m_ofn.lpstrInitialDir = callerDir;
    // A failed start ends the system dialog, which may then report OK.
    if (rc != IDOK || m_bFailed) return 2;
    int copied = caller ? CopyResult(caller, callerSize) : VKE_ERR_ARG;
    if (copied != VKE_OK) {
        Fail("DoModal", copied);
        return 2;
    }
    return 1;
}

// A path the dialog checked, else the system's answer: one path, or the folder and its names.
int DlgFil::CopyResult(char* dest, DWORD size) const
{
    const bool many = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
    const char* src = m_strChosen.IsEmpty() ? m_buf.data() : static_cast<const char*>(m_strChosen);
    const size_t first = strlen(src);
    if (!m_strChosen.IsEmpty() || !many || !src[first + 1]) {
        // One path: whole, closed by a second zero where a list is read.
        if (first + (many ? 2 : 1) > size) return VKE_ERR_CUT;
        memcpy(dest, src, first + 1);
        if (first + 2 <= size) dest[first + 1] = '\0';
        return VKE_OK;
    }
    // The folder and the whole names that fit, with room for the closing zero.
    size_t at = 0;
    int parts = 0;
    for (const char* p = src; *p; p += strlen(p) + 1) {
        size_t n = strlen(p) + 1;
        if (at + n + 1 > size) break;
        memcpy(dest + at, p, n);
        at += n;
        ++parts;
    }
    if (parts < 2) return VKE_ERR_CUT;
    dest[at] = '\0';
    return VKE_OK;
}

void DlgFil::PrepareName(char*, int) {}

CString DlgFil::InitialDir()
{
    return CString(theCmnAppInf.strOpnDir[0] ? theCmnAppInf.strOpnDir : theCmnAppInf.strCurDir);
}

// ---- Start and end ----

BOOL DlgFil::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    m_bInit = 0;
    m_bSelPending = 0;
    m_hSysDlg = m_hFilNam = nullptr;
    m_strDir.Empty();
    if (Init() != VKE_OK) {
        m_bFailed = 1;
        theCmnSub.MsgBoxById(IDS_CMN_SYS_MEMORY, MB_OK | MB_ICONSTOP);
        ::EndDialog(GetSystemDialog(), 3);
    }
    return TRUE;
}

int DlgFil::Init()
{
    if (m_bInit) return Fail("Init", VKE_ERR_EXISTS);
    m_hSysDlg = GetSystemDialog();
    m_hFilNam = FindNameBox(m_hSysDlg);
    if (!m_hSysDlg || !m_hFilNam) return Fail("Init", VKE_ERR_SYSTEM);
    if (InstallProc(m_hSysDlg, SysDlgProc) != VKE_OK) return Fail("Init", VKE_ERR_SYSTEM);
    m_bSysHook = 1;
    int rc = InitOwn();
    if (rc != VKE_OK) return Fail("Init", rc);
    SetControlText(IDCANCEL, theCmnSub.GetMsgStr(IDS_VKA_CLOSE_BTN));
    HideControl(chx1);
    m_bInit = 1;
    return VKE_OK;
}

void DlgFil::OnInitDone()
{
    if (!m_bInit) return;
    m_strDir = GetFolderPath();
    InitDone();
}

void DlgFil::OnFolderChange()
{
    if (m_bInit) m_strDir = GetFolderPath();
}

int DlgFil::Term()
{
    UnhookNameBox();
    if (m_bSysHook) RemoveProc(m_hSysDlg, SysDlgProc);
    m_bSysHook = 0;
    m_bSelPending = 0;
    if (!m_bInit) return VKE_NOT_DONE;
    m_bInit = 0;
    m_hSysDlg = m_hFilNam = nullptr;
    return VKE_OK;
}

// ---- The procedures in front of the name box and the system dialog ----

int DlgFil::InstallProc(HWND wnd, WNDPROC proc)
{
    if (!wnd || !proc) return VKE_ERR_ARG;
    LONG_PTR prev = ::GetWindowLongPtrA(wnd, GWLP_WNDPROC);
    if (!prev || !::SetPropA(wnd, kPrevProc, reinterpret_cast<HANDLE>(prev)) || !::SetPropA(wnd, kOwner, this) ||
        !::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc))) {
        ::RemovePropA(wnd, kPrevProc);
        ::RemovePropA(wnd, kOwner);
        return VKE_ERR_SYSTEM;
    }
    return VKE_OK;
}

void DlgFil::RemoveProc(HWND wnd, WNDPROC proc)
{
    if (!wnd || !::IsWindow(wnd)) return;
    HANDLE prev = ::GetPropA(wnd, kPrevProc);
    if (!prev || ::GetWindowLongPtrA(wnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(proc)) return;
    ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev));
    ::RemovePropA(wnd, kPrevProc);
    ::RemovePropA(wnd, kOwner);
}

LRESULT DlgFil::CallPrevProc(WNDPROC prev, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) {
        // The window goes before the dialog lets go of it: its own procedure again.
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev));
        ::RemovePropA(hWnd, kPrevProc);
        ::RemovePropA(hWnd, kOwner);
    }
    return ::CallWindowProcA(prev, hWnd, message, wParam, lParam);
}

int DlgFil::HookNameBox(WNDPROC proc)
{
    if (!m_hFilNam || !proc) return VKE_ERR_ARG;
    int rc = InstallProc(m_hFilNam, proc);
    if (rc == VKE_OK) m_pfnHook = proc;
    return rc;
}

void DlgFil::UnhookNameBox()
{
    if (m_pfnHook) RemoveProc(m_hFilNam, m_pfnHook);
    m_pfnHook = nullptr;
}

LRESULT DlgFil::RunNameBoxProc(const char* name, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC prev = reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kPrevProc));
    if (!prev) {
        Fail(name, VKE_ERR_SYSTEM);
        return 0;
    }
    // The box takes the focus first while the system dialog is still hidden: its base name is
    // selected once the dialog shows.
    if (message == WM_SETFOCUS)
        if (DlgFil* owner = static_cast<DlgFil*>(::GetPropA(hWnd, kOwner))) owner->SelectName();
    return CallPrevProc(prev, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK DlgFil::SysDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC prev = reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kPrevProc));
    DlgFil* owner = static_cast<DlgFil*>(::GetPropA(hWnd, kOwner));
    if (!prev) return ::DefDlgProcA(hWnd, message, wParam, lParam);
    // OK (its button or Return) reaches the system dialog only with names it can take.
    if (owner && owner->m_bInit && message == WM_COMMAND && LOWORD(wParam) == IDOK && !owner->CheckNameLength())
        return 0;
    LRESULT rc = CallPrevProc(prev, hWnd, message, wParam, lParam);
    if (owner && message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW))
        owner->SelectPending();
    return rc;
}

void DlgFil::SelectName()
{
    if (!m_hFilNam) return;
    if (::IsWindowVisible(m_hFilNam)) theCmnWin.SetSelFilNam(m_hFilNam);
    else m_bSelPending = 1;
}

void DlgFil::SelectPending()
{
    if (!m_bSelPending || !m_hFilNam || !::IsWindowVisible(m_hFilNam)) return;
    m_bSelPending = 0;
    theCmnWin.SetSelFilNam(m_hFilNam);
}

// ---- The name box ----

CString DlgFil::GetNameText() const
{
    CString text;
    if (!m_hFilNam) return text;
    int n = ::GetWindowTextLengthA(m_hFilNam);
    ::GetWindowTextA(m_hFilNam, text.GetBuffer(n + 1), n + 1);
    text.ReleaseBuffer();
    return text;
}

void DlgFil::SetNameText(const char* text)
{
    if (m_hFilNam) ::SetWindowTextA(m_hFilNam, text);
}

void DlgFil::FocusNameBox()
{
    if (m_hSysDlg && m_hFilNam) ::PostMessageA(m_hSysDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hFilNam), TRUE);
}

CString DlgFil::GetDlgPath() const
{
    CString path = GetPathName();
    return path.Trim();
}

// ---- The path check ----

int DlgFil::Box(const char* text, UINT type)
{
    HWND sys = m_hSysDlg;
    const bool enabled = sys && ::IsWindowEnabled(sys);
    if (enabled) ::EnableWindow(sys, FALSE);
    int answer = theCmnSub.MsgBox(text, type);
    if (enabled) {
        ::EnableWindow(sys, TRUE);
        ::SetActiveWindow(sys);
    }
    return answer;
}

int DlgFil::Box(int id, const char* path, UINT type)
{
    CString text = theCmnSub.GetMsgStr(id);
    if (path) text.Format(theCmnSub.GetMsgStr(id), path);
    return Box(text, type);
}

bool DlgFil::AskOverwrite(const char* path) { return Box(IDS_VKA_OVERWRITE, path, MB_YESNO | MB_ICONQUESTION) == IDYES; }

int DlgFil::RefusePath()
{
    Box(IDS_VKA_BAD_PATH, nullptr, MB_OK | MB_ICONEXCLAMATION);
    FocusNameBox();
    return IDS_VKA_BAD_PATH;
}

int DlgFil::RefuseLong()
{
    Box(IDS_VKA_PATH_LONG, nullptr, MB_OK | MB_ICONEXCLAMATION);
    FocusNameBox();
    return IDS_VKA_PATH_LONG;
}

std::vector<CString> DlgFil::TypedNames(const CString& typed)
{
    std::vector<CString> names;
    if (typed.Find('"') < 0) {
        names.push_back(typed);
        return names;
    }
    // A list of quoted names ('"' is never a trail byte); an unclosed quote runs to the end.
    const char* p = typed;
    while (*p) {
        if (*p != '"') {
            ++p;
            continue;
        }
        const char* end = strchr(p + 1, '"');
        const size_t n = end ? static_cast<size_t>(end - p - 1) : strlen(p + 1);
        if (n > 0) names.push_back(CString(p + 1, static_cast<int>(n)));
        if (!end) break;
        p = end + 1;
    }
    return names;
}

int DlgFil::JoinedLength(const CString& folder, const CString& name)
{
    const char* n = name;
    const int length = name.GetLength();
    if ((length > 1 && n[1] == ':') || strncmp(n, "\\\\", 2) == 0) return length; // a full path
    if (n[0] == '\\') return 2 + length;                                        // from the drive's root
    const bool slash = !folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\';
    return folder.GetLength() + (slash ? 0 : 1) + length;
}

bool DlgFil::CheckNameLength()
{
    CString typed = GetNameText().Trim();
    if (typed.IsEmpty()) return true;
    CString folder = GetFolderPath();
    if (folder.IsEmpty()) folder = m_strDir;
    for (const CString& name : TypedNames(typed)) {
        if (JoinedLength(folder, name) <= VKE_PATH_MAX) continue;
        RefuseLong();
        return false;
    }
    return true;
}

int DlgFil::AdjustPath(char*, int) { return VKE_OK; }

int DlgFil::SetPathName(char* path, int size, int* exists)
{
    if (!m_bInit) return Fail("SetPathName", VKE_ERR_NOT_INIT);
    if (!path || !exists || size < 1) return Fail("SetPathName", VKE_ERR_ARG);
    *path = '\0';
    *exists = 0;
    m_strChosen.Empty();
    CString typed = GetDlgPath();
    // A refusal the user is told about is not traced: it is an answer, not a fault.
    if (IsEmptyPath(typed)) return RefusePath();
    char full[CmnPathSize] = {};
    int drive = 0, folder = 0, there = 0;
    int rc = VkeSubGetPathName(Sub(), full, typed, sizeof(full));
    if (rc != VKE_OK && typed.GetLength() > VKE_PATH_MAX) return RefuseLong();
    if (rc == VKE_OK) rc = AdjustPath(full, sizeof(full));
    if (rc == VKE_ERR_CUT || (rc == VKE_OK && static_cast<int>(strlen(full)) > VKE_PATH_MAX)) return RefuseLong();
    if (rc == VKE_OK) rc = VkeSubIsDrive(Sub(), full, &drive);
    if (rc == VKE_OK && !drive) rc = VkeSubIsDirectory(Sub(), full, &folder);
    if (rc == VKE_OK && (drive || folder)) return RefusePath();
    if (rc == VKE_OK) rc = VkeSubIsExistPath(Sub(), full, &there);
    if (rc == VKE_OK && static_cast<int>(strlen(full)) >= size) rc = VKE_ERR_CUT;
    if (rc != VKE_OK) {
        FocusNameBox();
        return Fail("SetPathName", rc);
    }
    strcpy(path, full);
    m_strChosen = full;
    *exists = there;
    return VKE_OK;
}

bool DlgFil::CheckSavePath()
{
    char path[CmnPathSize] = {};
    int exists = 0;
    if (SetPathName(path, sizeof(path), &exists) != VKE_OK) return false;
    if (exists && !AskOverwrite(path)) {
        FocusNameBox();
        return false;
    }
    return true;
}
