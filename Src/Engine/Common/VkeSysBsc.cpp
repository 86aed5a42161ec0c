// The system object: owned utility and draw objects, start-up parameters, single instance.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSysBsc"
#include "VkiSys.h"
#include "VkiSub.h"
#include "VkeFrame.h"

VkiSys::~VkiSys()
{
    Term();
    FreeOwned();
}

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
    param.iMaxBufLen = bufferLength >= 1024 ? bufferLength : 1024;
    if (rc == VKE_OK) rc = VkeSubInit(sub, &param, &field, &messageNo);
    if (rc != VKE_OK) {
        VkeSubFree(&sub);
        return rc;
    }
    m_pSub = sub;
    m_iOwnsSub = 1;
    // The draw object is made here as well once its family exists.
    return VKE_OK;
}

void VkiSys::FreeOwned()
{
    // The draw object goes first, then the utility object, each only when owned.
    if (m_iOwnsSub) VkeSubFree(&m_pSub);
    m_iOwnsSub = 0;
    m_pSub = nullptr;
}

int VkiSys::Term()
{
    if (m_hSingleMap) CloseHandle(m_hSingleMap);
    m_hSingleMap = nullptr;
    m_iInit = 0;
    return VKE_OK;
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

VKE_API int VkeSysAllocByDefault(VkiSys** out) { return VkeSysAlloc(out, 1024); }

VKE_API int VkeSysFree(VkiSys** out) { return VkiFreeObj(out); }

// Nothing is traced, whatever the result.
VKE_API int VkeSysGetVkeSubPtr(VkiSys* sys, VkiSub** out) { return sys ? sys->GetVkeSubPtr(out) : VKE_ERR_ARG; }

VKE_API int VkeSysGetVkeDrwPtr(VkiSys* sys, VkiDrw** out) { VKE_FRAME(sys, sys->Sub(), sys->GetVkeDrwPtr(out)); }
