// The system object: owned utility and draw objects, start-up parameters, single instance,
// names and folders, printing flags.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSysBsc"
#include "VkiSys.h"
#include "VkiSub.h"
#include "VkiDrw.h"
#include "VkiDlgPrtSts.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <limits.h>
#include <locale.h>
#include <math.h>
#include <string.h>

namespace {
const char kSysName[] = "VkeSys";
const int kMinBufLen = 1024;

// A flag value of the printing and print-preview flags.
bool IsFlag(int v) { return v == 0 || v == 1; }
} // namespace

VkiSys::~VkiSys()
{
    Term();
    FreeOwned();
}

// ---- Owned objects ----

int VkiSys::AllocOwned(int bufferLength)
{
    if (bufferLength < 0) return VKE_ERR_ARG;
    if (m_iOwnsSub) return VKE_ERR_EXISTS;
    VkiSub* sub = nullptr;
    int rc = VkeSubAlloc(&sub);
    if (rc != VKE_OK) return rc;
    VkeSubParam param;
    int field = 0, messageNo = 0;
    rc = VkeSubInitParam(sub, &param);
    param.iMaxBufLen = bufferLength >= kMinBufLen ? bufferLength : kMinBufLen;
    if (rc == VKE_OK) rc = VkeSubInit(sub, &param, &field, &messageNo);
    if (rc != VKE_OK) {
        VkeSubFree(&sub);
        return rc;
    }
    m_pSub = sub;
    m_iOwnsSub = 1;
    return AllocDrw();
}

int VkiSys::AllocDrw()
{
    if (m_iOwnsDrw || !m_pSub) return VKE_ERR_EXISTS;
    VkiDrw* drw = nullptr;
    int rc = VkeDrwAlloc(&drw);
    if (rc != VKE_OK) return rc;
    VkeDrwParam param;
    int field = 0, messageNo = 0;
    rc = VkeDrwInitParam(drw, &param);
    if (rc == VKE_OK) rc = VkeDrwInit(drw, &param, &field, &messageNo);
    if (rc != VKE_OK) {
        VkeDrwFree(&drw);
        return rc;
    }
    m_pDrw = drw;
    m_iOwnsDrw = 1;
    return VKE_OK;
}

void VkiSys::FreeOwned()
{
    // The draw object goes first, then the utility object, each only when owned.
    if (m_iOwnsDrw) VkeDrwFree(&m_pDrw);
    m_iOwnsDrw = 0;
    m_pDrw = nullptr;
    if (m_iOwnsSub) VkeSubFree(&m_pSub);
    m_iOwnsSub = 0;
    m_pSub = nullptr;
}

// ---- Parameters and life cycle ----

int VkiSys::InitParam(VkeSysParam* param)
{
    if (!param) return VKE_ERR_ARG;
    memset(param, 0, sizeof(*param));
    param->dExecVersion = VKE_VERSION;
    return VKE_OK;
}

int VkiSys::CheckParam(VkeSysParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (!param) return VkiBadField(field, messageNo, 1, 59, VKE_ERR_ARG);
    if (!VkiExecVersionOk(param->dExecVersion)) return VkiBadField(field, messageNo, 2, 17, VKE_ERR_VERSION);
    // The text fields are measured within their arrays: a field with no terminator is too long.
    if (VkiStrLen(param->amSystemDir, sizeof(param->amSystemDir)) > MAX_PATH - 1)
        return VkiBadField(field, messageNo, 3, 60, VKE_ERR_ARG);
    int nameLen = VkiStrLen(param->amSystemName, sizeof(param->amSystemName));
    if (nameLen < 1 || nameLen >= static_cast<int>(sizeof(param->amSystemName)))
        return VkiBadField(field, messageNo, 4, 61, VKE_ERR_ARG);
    if (!param->hMainWnd) return VkiBadField(field, messageNo, 6, 63, VKE_ERR_ARG);
    if (!IsFlag(param->iSingleInstance)) return VkiBadField(field, messageNo, 7, 64, VKE_ERR_ARG);
    return VkiBadField(field, messageNo, 0, 0, VKE_OK);
}

int VkiSys::Init(VkeSysParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (IsInit()) return VkiBadField(field, messageNo, 0, 0, VKE_ERR_EXISTS);
    // The runtime library speaks Japanese from here on (its own name for it where it lacks this one).
    if (!setlocale(LC_ALL, "japanese")) setlocale(LC_ALL, ".932");
    int rc = CheckParam(param, field, messageNo);
    if (rc != VKE_OK) return rc;

    Term();
    m_dExecVersion = param->dExecVersion;
    VkiCopyStr(m_amSystemDir, param->amSystemDir, sizeof(m_amSystemDir));
    VkiCopyStr(m_amSystemName, param->amSystemName, sizeof(m_amSystemName));
    m_amModuleName[0] = '\0';
    m_hMainWnd = param->hMainWnd;
    m_iPrinting = m_iPrintPreview = 0;

    rc = FindSystemDir();
    if (rc == VKE_OK) rc = m_pSub->GetModuleName(m_amModuleName, sizeof(m_amModuleName));
    if (rc == VKE_OK && param->iSingleInstance == 1) rc = GuardSingleInstance(param);
    if (rc == VKE_OK) {
        m_iInit = 1;
        rc = PrepareTempDir();
    }
    if (rc == VKE_OK) rc = ProbeWrite();
    if (rc == VKE_OK) {
        char path[sizeof(m_amSystemDir) + 16];
        snprintf(path, sizeof(path), "%s\\Quorvane.vmg", m_amSystemDir);
        rc = m_pSub->LoadMsg(path);
    }
    if (rc == VKE_OK) rc = BindOwned();
    if (rc != VKE_OK) Term();
    return rc;
}

int VkiSys::FindSystemDir()
{
    char dir[sizeof(m_amSystemDir)];
    if (m_amSystemDir[0]) {
        VkiCopyStr(dir, m_amSystemDir, sizeof(dir));
    } else {
        // The folder of the program's file, not that of the library.
        char exe[sizeof(m_amSystemDir)];
        DWORD n = GetModuleFileNameA(nullptr, exe, sizeof(exe));
        if (n == 0 || n >= sizeof(exe)) return VKE_ERR_SYSTEM;
        int rc = m_pSub->GetDirPath(dir, exe, sizeof(dir));
        if (rc != VKE_OK) return rc;
    }
    int rc = m_pSub->GetPathName(m_amSystemDir, dir, sizeof(m_amSystemDir));
    if (rc != VKE_OK) return rc;
    int exists = 0, drive = 0, folder = 0;
    rc = m_pSub->IsExistPath(m_amSystemDir, &exists);
    if (rc == VKE_OK) rc = m_pSub->IsDrive(m_amSystemDir, &drive);
    if (rc == VKE_OK) rc = m_pSub->IsDirectory(m_amSystemDir, &folder);
    if (rc != VKE_OK) return rc;
    return (exists && (drive || folder)) ? VKE_OK : VKE_ERR_ARG;
}

int VkiSys::GuardSingleInstance(VkeSysParam* param)
{
    // The section holds the first instance's main window; it lives as long as that instance
    // keeps its handle, that is until its Term. A window handle is pointer-sized.
    SetLastError(ERROR_SUCCESS);
    HANDLE map = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HWND), m_amModuleName);
    if (!map) return VKE_ERR_MEMORY;
    if (GetLastError() == ERROR_ALREADY_EXISTS) return WakeFirstInstance(map, param);
    m_hSingleMap = map;
    HWND* view = static_cast<HWND*>(MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, sizeof(HWND)));
    if (!view) return VKE_ERR_SYSTEM;
    *view = m_hMainWnd;
    UnmapViewOfFile(view);
    return VKE_OK;
}

namespace {
// The end of a window's owner chain.
HWND TopOwner(HWND wnd)
{
    for (HWND owner = GetWindow(wnd, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) wnd = owner;
    return wnd;
}
} // namespace

int VkiSys::WakeFirstInstance(HANDLE map, VkeSysParam* param)
{
    HWND* view = static_cast<HWND*>(MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(HWND)));
    if (!view) {
        CloseHandle(map);
        return VKE_ERR_SYSTEM;
    }
    HWND first = *view;
    UnmapViewOfFile(view);
    CloseHandle(map);
    if (!first) return VKE_ERR_SYSTEM;

    // The first instance's topmost visible and enabled window of its own family (a modal dialog,
    // say) is the one to bring forward; the walk goes up the z-order while the owner is the same.
    HWND top = TopOwner(first);
    HWND front = nullptr;
    for (HWND w = GetWindow(first, GW_HWNDPREV); w && w != first; w = GetWindow(w, GW_HWNDPREV)) {
        if (TopOwner(w) != top) break;
        if (IsWindowVisible(w) && IsWindowEnabled(w)) front = w;
    }
    BringWindowToTop(first);
    if (IsIconic(first)) ShowWindow(first, SW_RESTORE);
    if (front) {
        BringWindowToTop(front);
        SetForegroundWindow(front);
    } else {
        SetForegroundWindow(first);
    }
    param->hMainWnd = first;
    return VKE_ERR_EXISTS;
}

int VkiSys::PrepareTempDir()
{
    char dir[sizeof(m_amSystemDir) + 8];
    int rc = GetTempDir(dir, sizeof(dir));
    if (rc != VKE_OK) return rc;
    int exists = 0, folder = 0;
    rc = m_pSub->IsExistPath(dir, &exists);
    if (rc == VKE_OK && exists) rc = m_pSub->IsDirectory(dir, &folder);
    if (rc != VKE_OK || folder) return rc;
    // Something else under the name goes to the recycle bin without questions.
    if (exists) rc = m_pSub->DeleteFile(dir, 1, 1, m_hMainWnd);
    if (rc == VKE_OK) rc = m_pSub->CreateDir(dir);
    return rc;
}

int VkiSys::ProbeWrite()
{
    // A file made and deleted again in the system folder and in the temporary folder.
    char path[sizeof(m_amSystemDir)];
    if (m_pSub->GetTempPathName(path, m_amSystemDir, sizeof(path), 1) != VKE_OK) return VKE_ERR_SYSTEM;
    int rc = m_pSub->DeleteFile(path, 0, 1, nullptr);
    if (rc != VKE_OK) return rc;
    if (GetTempPathName(path, sizeof(path), 1) != VKE_OK) return VKE_ERR_SYSTEM;
    return m_pSub->DeleteFile(path, 0, 1, nullptr);
}

int VkiSys::BindOwned()
{
    int rc = m_pSub->SetVkeSysPtr(this);
    if (rc == VKE_OK && m_pDrw) rc = VkeDrwSetVkeSysPtr(m_pDrw, this);
    if (rc == VKE_OK) rc = theVkiDlgPrtSts.Bind(this);
    return rc;
}

int VkiSys::Term()
{
    if (m_hSingleMap) CloseHandle(m_hSingleMap);
    m_hSingleMap = nullptr;
    m_iInit = 0;
    // The printing-status dialog keeps no pointers into an object that may be freed next.
    theVkiDlgPrtSts.Unbind(this);
    return VKE_OK;
}

// ---- Properties and names ----

int VkiSys::SetProperty(int id, void* value)
{
    if (!value) return VKE_ERR_ARG;
    switch (id) {
    case VKE_PROP_EXEC_VERSION: return SetCommonProperty(id, value);
    case VKE_SYS_PROP_PRINTING: return SetPrintingFlag(*static_cast<int*>(value));
    case VKE_SYS_PROP_PRINT_PREVIEW: return SetPrintPreviewFlag(*static_cast<int*>(value));
    default: return VKE_ERR_ARG;
    }
}

int VkiSys::GetProperty(int id, void* out)
{
    if (!out) return VKE_ERR_ARG;
    int rc = GetCommonProperty(id, out, kSysName);
    if (rc != VKE_NOT_DONE) return rc;
    char* text = static_cast<char*>(out);
    switch (id) {
    // The owned objects are known from allocation on.
    case VKE_SYS_PROP_SUB: *static_cast<VkiSub**>(out) = m_pSub; return VKE_OK;
    case VKE_SYS_PROP_DRW: *static_cast<VkiDrw**>(out) = m_pDrw; return VKE_OK;
    case VKE_SYS_PROP_SYSTEM_DIR: return GetSystemDir(text, sizeof(m_amSystemDir));
    case VKE_SYS_PROP_SYSTEM_NAME: return GetSystemName(text, sizeof(m_amSystemName));
    case VKE_SYS_PROP_MODULE_NAME: return GetModuleName(text, sizeof(m_amModuleName));
    case VKE_SYS_PROP_MAIN_WND: return GetMainWindowHandle(static_cast<HWND*>(out));
    case VKE_SYS_PROP_PRINTING: return GetPrintingFlag(static_cast<int*>(out));
    case VKE_SYS_PROP_PRINT_PREVIEW: return GetPrintPreviewFlag(static_cast<int*>(out));
    default: return VKE_ERR_ARG;
    }
}

int VkiSys::GetName(char* buffer, int size)
{
    // The copy runs through the utility object, which must be initialised.
    if (!m_pSub) return VKE_ERR_NOT_INIT;
    return m_pSub->CopyStr(buffer, kSysName, size);
}

int VkiSys::GetVkeSubPtr(VkiSub** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_pSub;
    return VKE_OK;
}

int VkiSys::GetVkeDrwPtr(VkiDrw** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_pDrw;
    return VKE_OK;
}

int VkiSys::GetSystemDir(char* buffer, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCopyStr(buffer, m_amSystemDir, size);
}

int VkiSys::GetTempDir(char* buffer, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!buffer || size < 1) return VKE_ERR_ARG;
    char dir[sizeof(m_amSystemDir) + 8];
    snprintf(dir, sizeof(dir), "%s\\Tmp", m_amSystemDir);
    return VkiCopyStr(buffer, dir, size);
}

int VkiSys::GetTempPathName(char* buffer, int size, int flag)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    char dir[sizeof(m_amSystemDir) + 8];
    int rc = GetTempDir(dir, sizeof(dir));
    if (rc != VKE_OK) return rc;
    return m_pSub->GetTempPathName(buffer, dir, size, flag);
}

int VkiSys::GetSystemName(char* buffer, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCopyStr(buffer, m_amSystemName, size);
}

int VkiSys::GetModuleName(char* buffer, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCopyStr(buffer, m_amModuleName, size);
}

int VkiSys::GetMainWindowHandle(HWND* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_hMainWnd;
    return VKE_OK;
}

// ---- Printing flags and print sizes ----

int VkiSys::SetPrintingFlag(int flag)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsFlag(flag)) return VKE_ERR_ARG;
    m_iPrinting = flag;
    return VKE_OK;
}

int VkiSys::SetPrintPreviewFlag(int flag)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsFlag(flag)) return VKE_ERR_ARG;
    m_iPrintPreview = flag;
    return VKE_OK;
}

int VkiSys::GetPrintingFlag(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_iPrinting;
    return VKE_OK;
}

int VkiSys::GetPrintPreviewFlag(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_iPrintPreview;
    return VKE_OK;
}

namespace {
// a x b / c cut toward zero into *out; false when that leaves the int range (then *out is INT_MAX).
bool ScaleSide(int a, int b, int c, int* out)
{
    double v = floor(static_cast<double>(a) * b / c);
    *out = v > INT_MAX ? INT_MAX : static_cast<int>(v);
    return v <= INT_MAX;
}
} // namespace

int VkiSys::GetPrintScaleSize(int mode, int boxW, int boxH, int srcW, int srcH, int* outW, int* outH)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!outW || !outH || mode < 1 || mode > 6) return VKE_ERR_ARG;
    if (boxW < 1 || boxH < 1 || srcW < 1 || srcH < 1) return VKE_ERR_ARG;
    if (mode == 4) return m_pSub->GetStretchFixedScaleSize(boxW, boxH, srcW, srcH, outW, outH);
    int w = srcW, h = srcH;
    bool inRange = true;
    if (mode == 3) {
        w = boxW;
        h = boxH;
    } else if (mode == 5) {
        w = boxW;
        inRange = ScaleSide(boxW, srcH, srcW, &h);
    } else if (mode == 6) {
        h = boxH;
        inRange = ScaleSide(boxH, srcW, srcH, &w);
    }
    if (w < 1 || h < 1) {
        w = h = 1;
        inRange = false;
    }
    *outW = w;
    *outH = h;
    return inRange ? VKE_OK : VKE_ERR_CUT;
}

// ---- Exports ----

VKE_API int VkeSysAlloc(VkiSys** out, int bufferLength)
{
    if (!out || bufferLength < 0) return VKE_ERR_ARG;
    int rc = VkiAllocObj(out);
    if (rc != VKE_OK) return rc;
    rc = (*out)->AllocOwned(bufferLength);
    if (rc != VKE_OK) VkiFreeObj(out);
    return rc;
}

VKE_API int VkeSysAllocByDefault(VkiSys** out) { return VkeSysAlloc(out, kMinBufLen); }

VKE_API int VkeSysFree(VkiSys** out) { return VkiFreeObj(out); }

VKE_API int VkeSysInitParam(VkiSys* sys, VkeSysParam* param) { VKE_FRAME(sys, sys->Sub(), sys->InitParam(param)); }

VKE_API int VkeSysCheckParam(VkiSys* sys, VkeSysParam* param, int* field, int* messageNo)
{
    VKE_FRAME(sys, sys->Sub(), sys->CheckParam(param, field, messageNo));
}

VKE_API int VkeSysInit(VkiSys* sys, VkeSysParam* param, int* field, int* messageNo)
{
    VKE_FRAME(sys, sys->Sub(), sys->Init(param, field, messageNo));
}

VKE_API int VkeSysTerm(VkiSys* sys) { VKE_FRAME(sys, sys->Sub(), sys->Term()); }

VKE_API int VkeSysSetProperty(VkiSys* sys, int id, void* value)
{
    VKE_FRAME(sys, sys->Sub(), sys->SetProperty(id, value));
}

VKE_API int VkeSysGetProperty(VkiSys* sys, int id, void* out) { VKE_FRAME(sys, sys->Sub(), sys->GetProperty(id, out)); }

VKE_API int VkeSysGetName(VkiSys* sys, char* buffer, int size)
{
    VKE_FRAME(sys, sys->Sub(), sys->GetName(buffer, size));
}

VKE_API int VkeSysGetVersion(VkiSys* sys, double* out) { VKE_FRAME(sys, sys->Sub(), sys->GetVersion(out)); }

VKE_API int VkeSysSetExecVersion(VkiSys* sys, double version)
{
    VKE_FRAME(sys, sys->Sub(), sys->SetExecVersion(version));
}

VKE_API int VkeSysGetExecVersion(VkiSys* sys, double* out) { VKE_FRAME(sys, sys->Sub(), sys->GetExecVersion(out)); }

// Nothing is traced, whatever the result.
VKE_API int VkeSysGetVkeSubPtr(VkiSys* sys, VkiSub** out) { return sys ? sys->GetVkeSubPtr(out) : VKE_ERR_ARG; }

VKE_API int VkeSysGetVkeDrwPtr(VkiSys* sys, VkiDrw** out) { VKE_FRAME(sys, sys->Sub(), sys->GetVkeDrwPtr(out)); }

VKE_API int VkeSysGetSystemDir(VkiSys* sys, char* buffer, int size)
{
    VKE_FRAME(sys, sys->Sub(), sys->GetSystemDir(buffer, size));
}

VKE_API int VkeSysGetTempDir(VkiSys* sys, char* buffer, int size)
{
    VKE_FRAME(sys, sys->Sub(), sys->GetTempDir(buffer, size));
}

VKE_API int VkeSysGetTempPathName(VkiSys* sys, char* buffer, int size, int flag)
{
    VKE_FRAME(sys, sys->Sub(), sys->GetTempPathName(buffer, size, flag));
}

VKE_API int VkeSysGetSystemName(VkiSys* sys, char* buffer, int size)
{
    VKE_FRAME(sys, sys->Sub(), sys->GetSystemName(buffer, size));
}

VKE_API int VkeSysGetModuleName(VkiSys* sys, char* buffer, int size)
{
    VKE_FRAME(sys, sys->Sub(), sys->GetModuleName(buffer, size));
}

VKE_API int VkeSysGetMainWindowHandle(VkiSys* sys, HWND* out)
{
    VKE_FRAME(sys, sys->Sub(), sys->GetMainWindowHandle(out));
}

VKE_API int VkeSysSetPrintingFlag(VkiSys* sys, int flag) { VKE_FRAME(sys, sys->Sub(), sys->SetPrintingFlag(flag)); }

VKE_API int VkeSysSetPrintPreviewFlag(VkiSys* sys, int flag)
{
    VKE_FRAME(sys, sys->Sub(), sys->SetPrintPreviewFlag(flag));
}

VKE_API int VkeSysGetPrintingFlag(VkiSys* sys, int* out) { VKE_FRAME(sys, sys->Sub(), sys->GetPrintingFlag(out)); }

VKE_API int VkeSysGetPrintPreviewFlag(VkiSys* sys, int* out)
{
    VKE_FRAME(sys, sys->Sub(), sys->GetPrintPreviewFlag(out));
}

VKE_API int VkeSysGetPrintScaleSize(VkiSys* sys, int mode, int boxW, int boxH, int srcW, int srcH, int* outW,
                                    int* outH)
{
    VKE_FRAME(sys, sys->Sub(), sys->GetPrintScaleSize(mode, boxW, boxH, srcW, srcH, outW, outH));
}
