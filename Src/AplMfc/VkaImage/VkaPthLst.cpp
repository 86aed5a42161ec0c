#define CMN_MODULE "Src\\AplMfc\\VkaImage\\VkaPthLst"
#include "VkaPthLst.h"
#include "CmnDef.h"
#include "CmnSub.h"
#include "HalcorRes.h"
#include <algorithm>
#include <string.h>

VkaPthLst VkaPthLst::Fpi(int list)
{
    PciFpi& f = theAppInf.pciFpi;
    return VkaPthLst(&f.iCntPathName[list], &f.iCurPathName[list], &f.iIdxPathName[list], f.amPathName[list]);
}

VkaPthLst VkaPthLst::Eti()
{
    PciEti& e = theAppInf.pciEti;
    return VkaPthLst(&e.iCntPathName, &e.iCurPathName, &e.iIdxPathName, e.amPathName);
}

int VkaPthLst::Select(int index)
{
    if (index < -1 || index >= Count()) return VKE_ERR_ARG;
    *m_pIdx = index;
    return VKE_OK;
}

CString VkaPthLst::At(int index) const
{
    if (index < 0 || index >= Count() || !m_pPaths || !m_pPaths[index].pBuffer) return CString();
    return CString(m_pPaths[index].pBuffer);
}

int VkaPthLst::Find(const char* path) const
{
    for (int i = 0; path && i < Count(); ++i)
        if (m_pPaths[i].pBuffer && strcmp(m_pPaths[i].pBuffer, path) == 0) return i;
    return -1;
}

int VkaPthLst::Put(int index, const char* path)
{
    int rc = VkeSubSetAppMemStr(theCmnAppInf.pSub, &m_pPaths[index], path);
    if (rc != VKE_OK) CMN_TRACE("Put", rc);
    return rc;
}

int VkaPthLst::Append(const char* path)
{
    if (!path || !*path || !m_pPaths) return VKE_ERR_ARG;
    if (IsFull()) return VKE_ERR_EXISTS;
    int rc = Put(Count(), path);
    if (rc != VKE_OK) return rc;
    *m_pIdx = (*m_pCur)++;
    return Index();
}

int VkaPthLst::Push(const char* path)
{
    if (!path || !*path || !m_pPaths) return VKE_ERR_ARG;
    if (!IsFull()) return Append(path);
    // The buffers move as they are: the first one's block takes the new path in the last place.
    std::rotate(m_pPaths, m_pPaths + 1, m_pPaths + Count());
    int rc = Put(Count() - 1, path);
    if (rc != VKE_OK) return rc;
    *m_pIdx = Count() - 1;
    return Index();
}

int VkaPthLst::Replace(int index, const char* path)
{
    if (index < 0 || index >= Count() || !path || !*path) return VKE_ERR_ARG;
    int rc = Put(index, path);
    if (rc == VKE_OK) *m_pIdx = index;
    return rc;
}

int VkaPthLst::Remove(int index)
{
    if (index < 0 || index >= Count()) return VKE_ERR_ARG;
    std::rotate(m_pPaths + index, m_pPaths + index + 1, m_pPaths + Count());
    --*m_pCur;
    Put(Count(), "");
    *m_pIdx = std::min(index, Count() - 1);
    return VKE_OK;
}

int VkaPthLst::Choose(const std::function<CString(const char* start)>& choose, const char* start, CString* out) const
{
    CString at = start ? start : "";
    for (;;) {
        CString path = choose(at);
        if (path.IsEmpty()) return VKE_NOT_DONE;
        if (Find(path) < 0) {
            *out = path;
            return VKE_OK;
        }
        theCmnSub.MsgBoxById(IDS_VKA_REGISTERED, MB_OK | MB_ICONEXCLAMATION);
        at = path;
    }
}
