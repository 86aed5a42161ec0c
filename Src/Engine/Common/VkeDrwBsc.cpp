// The draw object: parameters, GDI+ start-up and encoder list, state colours and brushes.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwBsc"
#include "VkiDrw.h"
#include "VkiGdp.h"
#include "VkiSys.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <stdlib.h>

namespace {
const char kDrwName[] = "VkeDrw";
const COLORREF kDefaultColor[VkiDrw::kStateCount] = {VKI_DRW_ERROR_COLOR, VKI_DRW_MODIFIED_COLOR,
                                                     VKI_DRW_SELECTED_COLOR, VKI_DRW_HDR_SELECTED_COLOR};
} // namespace

VkiDrw::VkiDrw()
{
    for (int i = 0; i < kStateCount; ++i) m_auStateColor[i] = kDefaultColor[i];
}

VkiDrw::~VkiDrw()
{
    Term();
    DeleteBrushes();
}

int VkiDrw::InitParam(VkeDrwParam* param)
{
    if (!param) return VKE_ERR_ARG;
    param->dExecVersion = VKE_VERSION;
    param->uErrorColor = VKI_DRW_ERROR_COLOR;
    param->uModifiedColor = VKI_DRW_MODIFIED_COLOR;
    param->uSelectedColor = VKI_DRW_SELECTED_COLOR;
    param->uHdrSelectedColor = VKI_DRW_HDR_SELECTED_COLOR;
    return VKE_OK;
}

int VkiDrw::CheckParam(VkeDrwParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (!param) return VkiBadField(field, messageNo, 1, 59, VKE_ERR_ARG);
    if (!VkiExecVersionOk(param->dExecVersion)) return VkiBadField(field, messageNo, 2, 17, VKE_ERR_VERSION);
    return VkiBadField(field, messageNo, 0, 0, VKE_OK);
}

void VkiDrw::Reset()
{
    m_iInit = 0;
    m_dExecVersion = VKE_VERSION;
    for (int i = 0; i < kStateCount; ++i) m_auStateColor[i] = kDefaultColor[i];
    m_uGdipToken = 0;
    m_iEncCnt = 0;
    m_pEncList = nullptr;
    m_iColorCnt = 0;
    memset(m_auColor, 0, sizeof(m_auColor));
    m_iDriCapacity = m_iPrintDepth = m_iDriCnt = 0;
    m_pDri = nullptr;
    memset(m_aDrm, 0, sizeof(m_aDrm));
    m_iPrinting = 0;
    m_pPrintInfo = nullptr;
}

int VkiDrw::StartGdiplus()
{
    Gdiplus::GdiplusStartupInput input; // version 1, no callback, background thread, external codecs
    if (Gdiplus::GdiplusStartup(&m_uGdipToken, &input, nullptr) != Gdiplus::Ok) {
        m_uGdipToken = 0;
        return VKE_ERR_SYSTEM;
    }
    UINT count = 0, size = 0;
    if (Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || count == 0 || size == 0)
        return VKE_ERR_SYSTEM;
    auto* list = static_cast<Gdiplus::ImageCodecInfo*>(calloc(1, size));
    if (!list) return VKE_ERR_MEMORY;
    if (Gdiplus::DllExports::GdipGetImageEncoders(count, size, list) != Gdiplus::Ok) {
        free(list);
        return VKE_ERR_SYSTEM;
    }
    m_pEncList = list;
    m_iEncCnt = static_cast<int>(count);
    return VKE_OK;
}

void VkiDrw::StopGdiplus()
{
    free(m_pEncList);
    m_pEncList = nullptr;
    m_iEncCnt = 0;
    if (m_uGdipToken) Gdiplus::GdiplusShutdown(m_uGdipToken);
    m_uGdipToken = 0;
}

int VkiDrw::FillColorList()
{
    // Every system colour index that has a brush, then sixteen fixed colours.
    for (int i = 0; i < 256; ++i) {
        if (!GetSysColorBrush(i)) continue;
        int rc = SetColor(GetSysColor(i));
        if (rc != VKE_OK) return rc;
    }
    const COLORREF fixed[] = {0x000000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF,
                              0x00FFFF, 0xFFFFFF, GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE),
                              0x606060, 0x5A78FF, 0x80FF80, 0xFFA0A0, 0x3C5A60, 0x808080};
    for (COLORREF c : fixed) {
        int rc = SetColor(c);
        if (rc != VKE_OK) return rc;
    }
    return VKE_OK;
}

int VkiDrw::Init(VkeDrwParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (IsInit()) return VkiBadField(field, messageNo, 0, 0, VKE_ERR_EXISTS);
    int rc = CheckParam(param, field, messageNo);
    if (rc != VKE_OK) return rc;

    Term();
    Reset();
    rc = StartGdiplus();
    if (rc == VKE_OK) {
        m_dExecVersion = param->dExecVersion;
        m_iInit = 1;
        rc = FillColorList();
    }
    const COLORREF wanted[kStateCount] = {param->uErrorColor, param->uModifiedColor, param->uSelectedColor,
                                          param->uHdrSelectedColor};
    for (int i = 0; i < kStateCount && rc == VKE_OK; ++i) rc = SetStateColor(i, wanted[i]);
    for (int i = 0; i < 3 && rc == VKE_OK; ++i) rc = InitDrm(&m_aDrm[i]);
    if (rc != VKE_OK) Term();
    return rc;
}

int VkiDrw::Term()
{
    int rc = VKE_OK;
    const int order[] = {1, 2, 0};
    for (int slot : order) {
        int r = TermDrm(&m_aDrm[slot]);
        if (rc == VKE_OK) rc = r;
    }
    free(m_pDri);
    m_pDri = nullptr;
    m_iDriCnt = m_iDriCapacity = 0;
    DeleteBrushes();
    StopGdiplus();
    m_iInit = 0;
    return rc;
}

int VkiDrw::SetProperty(int id, void* value)
{
    if (!value) return VKE_ERR_ARG;
    if (id >= VKE_DRW_PROP_ERROR_COLOR && id <= VKE_DRW_PROP_HDR_SELECTED_COLOR)
        return SetStateColor(id - VKE_DRW_PROP_ERROR_COLOR, *static_cast<COLORREF*>(value));
    return SetCommonProperty(id, value);
}

int VkiDrw::GetProperty(int id, void* out)
{
    if (!out) return VKE_ERR_ARG;
    int rc = GetCommonProperty(id, out, kDrwName);
    if (rc != VKE_NOT_DONE) return rc;
    if (id >= VKE_DRW_PROP_ERROR_COLOR && id <= VKE_DRW_PROP_HDR_SELECTED_COLOR)
        return GetStateColor(id - VKE_DRW_PROP_ERROR_COLOR, static_cast<COLORREF*>(out));
    return VKE_ERR_ARG;
}

int VkiDrw::GetName(char* buffer, int size) { return VkiCopyStr(buffer, kDrwName, size); }

int VkiDrw::SetVkeSysPtr(VkiSys* sys)
{
    if (!sys) return VKE_ERR_ARG;
    m_pSys = sys;
    VkiSub* sub = nullptr;
    int rc = VkeSysGetVkeSubPtr(sys, &sub);
    if (rc == VKE_OK) m_pSub = sub;
    return rc;
}

int VkiDrw::GetVkeSysPtr(VkiSys** out)
{
    if (!out) return VKE_ERR_ARG;
    *out = m_pSys;
    return VKE_OK;
}

bool VkiDrw::IsPrinting() const
{
    if (m_iPrinting == 1) return true;
    return m_pSys && (m_pSys->m_iPrinting == 1 || m_pSys->m_iPrintPreview == 1);
}

int VkiDrw::SetStateColor(int state, COLORREF color)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (IsPrinting()) return VKE_ERR_EXISTS;
    int rc = SetColor(color);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    m_ahStateBrush[state].Reset(CreateSolidBrush(color));
    if (!m_ahStateBrush[state]) return VKE_ERR_MEMORY;
    m_auStateColor[state] = color;
    return VKE_OK;
}

int VkiDrw::GetStateColor(int state, COLORREF* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_auStateColor[state];
    return VKE_OK;
}

int VkiDrw::GetStateBrush(int state, HBRUSH* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_ahStateBrush[state];
    return VKE_OK;
}

void VkiDrw::DeleteBrushes()
{
    for (VkiGdiObj<HBRUSH>& brush : m_ahStateBrush) brush.Reset();
}

// ---- Exports ----

VKE_API int VkeDrwAlloc(VkiDrw** out) { return VkiAllocObj(out); }
VKE_API int VkeDrwFree(VkiDrw** out) { return VkiFreeObj(out); }
VKE_API int VkeDrwInitParam(VkiDrw* drw, VkeDrwParam* param) { VKE_FRAME(drw, drw->Sub(), drw->InitParam(param)); }
VKE_API int VkeDrwCheckParam(VkiDrw* drw, VkeDrwParam* param, int* field, int* messageNo) { VKE_FRAME(drw, drw->Sub(), drw->CheckParam(param, field, messageNo)); }
VKE_API int VkeDrwInit(VkiDrw* drw, VkeDrwParam* param, int* field, int* messageNo) { VKE_FRAME(drw, drw->Sub(), drw->Init(param, field, messageNo)); }
VKE_API int VkeDrwTerm(VkiDrw* drw) { VKE_FRAME(drw, drw->Sub(), drw->Term()); }
VKE_API int VkeDrwSetProperty(VkiDrw* drw, int id, void* value) { VKE_FRAME(drw, drw->Sub(), drw->SetProperty(id, value)); }
VKE_API int VkeDrwGetProperty(VkiDrw* drw, int id, void* out) { VKE_FRAME(drw, drw->Sub(), drw->GetProperty(id, out)); }
VKE_API int VkeDrwGetName(VkiDrw* drw, char* buffer, int size) { VKE_FRAME(drw, drw->Sub(), drw->GetName(buffer, size)); }
VKE_API int VkeDrwGetVersion(VkiDrw* drw, double* out) { VKE_FRAME(drw, drw->Sub(), drw->GetVersion(out)); }
VKE_API int VkeDrwSetExecVersion(VkiDrw* drw, double version) { VKE_FRAME(drw, drw->Sub(), drw->SetExecVersion(version)); }
VKE_API int VkeDrwGetExecVersion(VkiDrw* drw, double* out) { VKE_FRAME(drw, drw->Sub(), drw->GetExecVersion(out)); }
VKE_API int VkeDrwSetVkeSysPtr(VkiDrw* drw, VkiSys* sys) { VKE_FRAME(drw, drw->Sub(), drw->SetVkeSysPtr(sys)); }
VKE_API int VkeDrwGetVkeSysPtr(VkiDrw* drw, VkiSys** out) { VKE_FRAME(drw, drw->Sub(), drw->GetVkeSysPtr(out)); }
VKE_API int VkeDrwSetErrorColor(VkiDrw* drw, COLORREF color) { VKE_FRAME(drw, drw->Sub(), drw->SetErrorColor(color)); }
VKE_API int VkeDrwSetModifiedColor(VkiDrw* drw, COLORREF color) { VKE_FRAME(drw, drw->Sub(), drw->SetModifiedColor(color)); }
VKE_API int VkeDrwSetSelectedColor(VkiDrw* drw, COLORREF color) { VKE_FRAME(drw, drw->Sub(), drw->SetSelectedColor(color)); }
VKE_API int VkeDrwSetHdrSelectedColor(VkiDrw* drw, COLORREF color) { VKE_FRAME(drw, drw->Sub(), drw->SetHdrSelectedColor(color)); }
VKE_API int VkeDrwGetErrorColor(VkiDrw* drw, COLORREF* out) { VKE_FRAME(drw, drw->Sub(), drw->GetErrorColor(out)); }
VKE_API int VkeDrwGetModifiedColor(VkiDrw* drw, COLORREF* out) { VKE_FRAME(drw, drw->Sub(), drw->GetModifiedColor(out)); }
VKE_API int VkeDrwGetSelectedColor(VkiDrw* drw, COLORREF* out) { VKE_FRAME(drw, drw->Sub(), drw->GetSelectedColor(out)); }
VKE_API int VkeDrwGetHdrSelectedColor(VkiDrw* drw, COLORREF* out) { VKE_FRAME(drw, drw->Sub(), drw->GetHdrSelectedColor(out)); }
VKE_API int VkeDrwGetErrorBrushHandle(VkiDrw* drw, HBRUSH* out) { VKE_FRAME(drw, drw->Sub(), drw->GetErrorBrushHandle(out)); }
VKE_API int VkeDrwGetModifiedBrushHandle(VkiDrw* drw, HBRUSH* out) { VKE_FRAME(drw, drw->Sub(), drw->GetModifiedBrushHandle(out)); }
VKE_API int VkeDrwGetSelectedBrushHandle(VkiDrw* drw, HBRUSH* out) { VKE_FRAME(drw, drw->Sub(), drw->GetSelectedBrushHandle(out)); }
VKE_API int VkeDrwGetHdrSelectedBrushHandle(VkiDrw* drw, HBRUSH* out) { VKE_FRAME(drw, drw->Sub(), drw->GetHdrSelectedBrushHandle(out)); }
