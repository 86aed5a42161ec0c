#include "VkiObj.h"
#include "VkiTxt.h"

int VkiObjHead::GetVersion(double* out) const { return VkiAnswer(true, out, VKE_VERSION); }

int VkiObjHead::SetExecVersion(double version)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!VkiExecVersionOk(version)) return VKE_ERR_VERSION;
    m_dExecVersion = version;
    return VKE_OK;
}

int VkiObjHead::GetExecVersion(double* out) const { return VkiAnswer(IsInit(), out, m_dExecVersion); }

int VkiObjHead::GetCommonProperty(int id, void* out, const char* name) const
{
    switch (id) {
    case VKE_PROP_NAME:
        if (!out) return VKE_ERR_ARG;
        return VkiCopyStr(static_cast<char*>(out), name, 1024);
    case VKE_PROP_VERSION:
        return GetVersion(static_cast<double*>(out));
    case VKE_PROP_EXEC_VERSION:
        return GetExecVersion(static_cast<double*>(out));
    default:
        return VKE_NOT_DONE;
    }
}

int VkiObjHead::SetCommonProperty(int id, void* value)
{
    if (id != VKE_PROP_EXEC_VERSION || !value) return VKE_ERR_ARG;
    return SetExecVersion(*static_cast<double*>(value));
}
