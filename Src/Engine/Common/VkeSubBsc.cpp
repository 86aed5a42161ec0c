// The utility object: parameters, buffers, properties, the formatted-message buffer, plain memory.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubBsc"
#include "VkiSub.h"
#include "VkiSys.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

namespace {
const char kSubName[] = "VkeSub";
const int kMinBufLen = 1024;
char kEmpty[1] = {0};
} // namespace

VkiSub::VkiSub() = default;

VkiSub::~VkiSub() { Term(); }

int VkiSub::InitParam(VkeSubParam* param)
{
    if (!param) return VKE_ERR_ARG;
    param->dExecVersion = VKE_VERSION;
    param->iMaxBufLen = kMinBufLen;
    return VKE_OK;
}

int VkiSub::CheckParam(VkeSubParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (!param) return VkiBadField(field, messageNo, 1, 59, VKE_ERR_ARG);
    if (!VkiExecVersionOk(param->dExecVersion)) return VkiBadField(field, messageNo, 2, 17, VKE_ERR_VERSION);
    if (param->iMaxBufLen < 0) return VkiBadField(field, messageNo, 3, 65, VKE_ERR_ARG);
    return VkiBadField(field, messageNo, 0, 0, VKE_OK);
}


int VkiSub::Init(VkeSubParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (IsInit()) return VkiBadField(field, messageNo, 0, 0, VKE_ERR_EXISTS);
    int rc = CheckParam(param, field, messageNo);
    if (rc != VKE_OK) return rc;

    Term(); // everything as at creation
    m_iDiagnosis = 0;
    m_dExecVersion = param->dExecVersion;
    m_iMaxBufLen = param->iMaxBufLen < kMinBufLen ? kMinBufLen : param->iMaxBufLen;

    size_t len = static_cast<size_t>(m_iMaxBufLen);
    m_pVarArgBuf = static_cast<char*>(calloc(len, 1));
    m_apWkBuf[0] = static_cast<char*>(calloc(len, 1));
    m_apWkBuf[1] = static_cast<char*>(calloc(len, 1));
    if (!m_pVarArgBuf || !m_apWkBuf[0] || !m_apWkBuf[1]) {
        Term();
        return VKE_ERR_MEMORY;
    }
    m_iInit = 1;
    FillChrCls();
    return VKE_OK;
}

int VkiSub::Term()
{
    int rc = TermDiagnostics();
    FreeMsgTable();
    free(m_pVarArgBuf);
    free(m_apWkBuf[0]);
    free(m_apWkBuf[1]);
    m_pVarArgBuf = nullptr;
    m_apWkBuf[0] = m_apWkBuf[1] = nullptr;
    m_iInit = 0;
    return rc;
}

int VkiSub::SetProperty(int id, void* value) { return SetCommonProperty(id, value); }

int VkiSub::GetProperty(int id, void* out)
{
    if (!out) return VKE_ERR_ARG;
    int rc = GetCommonProperty(id, out, kSubName);
    if (rc != VKE_NOT_DONE) return rc;
    if (id == VKE_SUB_PROP_MAX_BUF_LEN) return GetMaxBufLen(static_cast<int*>(out));
    return VKE_ERR_ARG;
}

int VkiSub::GetName(char* buffer, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCopyStr(buffer, kSubName, size);
}

int VkiSub::SetVkeSysPtr(VkiSys* sys)
{
    if (!sys) return VKE_ERR_ARG;
    m_pSys = sys;
    // The draw object comes from the system object, which must be initialised (-6).
    VkiDrw* drw = nullptr;
    int rc = sys->GetVkeDrwPtr(&drw);
    if (rc == VKE_OK) m_pDrw = drw;
    return rc;
}

int VkiSub::GetVkeSysPtr(VkiSys** out)
{
    if (!out) return VKE_ERR_ARG;
    *out = m_pSys;
    return VKE_OK;
}

int VkiSub::GetMaxBufLen(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_iMaxBufLen;
    return VKE_OK;
}

int VkiSub::GetVarArgBufPtr(char** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_pVarArgBuf;
    return VKE_OK;
}

int VkiSub::GetWkBufPtr(int index, char** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if ((index != 0 && index != 1) || !out) return VKE_ERR_ARG;
    *out = m_apWkBuf[index];
    return VKE_OK;
}

int VkiSub::FormatBuf(char* buffer, const char* format, va_list args)
{
    if (!format) return VKE_ERR_ARG;
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    // At most L - 1 bytes and the terminator: the last byte of the buffer always ends up 0.
    int need = vsnprintf(buffer, static_cast<size_t>(m_iMaxBufLen), format, args);
    if (need < 0 || need > m_iMaxBufLen - 1) return VKE_ERR_EXISTS;
    return VKE_OK;
}

int VkiSub::VarArgMsg(const char* format, va_list args)
{
    if (!format) return VKE_ERR_ARG;
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return FormatBuf(m_pVarArgBuf, format, args);
}

// ---- Exports ----

VKE_API int VkeSubAlloc(VkiSub** out) { return VkiAllocObj(out); }

VKE_API int VkeSubFree(VkiSub** out) { return VkiFreeObj(out); }

VKE_API int VkeSubInitParam(VkiSub* sub, VkeSubParam* param) { VKE_SUB_FRAME(sub, InitParam(param)); }

VKE_API int VkeSubCheckParam(VkiSub* sub, VkeSubParam* param, int* field, int* messageNo)
{
    VKE_SUB_FRAME(sub, CheckParam(param, field, messageNo));
}

VKE_API int VkeSubInit(VkiSub* sub, VkeSubParam* param, int* field, int* messageNo)
{
    VKE_SUB_FRAME(sub, Init(param, field, messageNo));
}

VKE_API int VkeSubTerm(VkiSub* sub) { VKE_SUB_FRAME(sub, Term()); }

VKE_API int VkeSubSetProperty(VkiSub* sub, int id, void* value) { VKE_SUB_FRAME(sub, SetProperty(id, value)); }

VKE_API int VkeSubGetProperty(VkiSub* sub, int id, void* out) { VKE_SUB_FRAME(sub, GetProperty(id, out)); }

VKE_API int VkeSubGetName(VkiSub* sub, char* buffer, int size) { VKE_SUB_FRAME(sub, GetName(buffer, size)); }

VKE_API int VkeSubGetVersion(VkiSub* sub, double* out) { VKE_SUB_FRAME(sub, GetVersion(out)); }

VKE_API int VkeSubSetExecVersion(VkiSub* sub, double version) { VKE_SUB_FRAME(sub, SetExecVersion(version)); }

VKE_API int VkeSubGetExecVersion(VkiSub* sub, double* out) { VKE_SUB_FRAME(sub, GetExecVersion(out)); }

VKE_API int VkeSubSetVkeSysPtr(VkiSub* sub, VkiSys* sys) { VKE_SUB_FRAME(sub, SetVkeSysPtr(sys)); }

VKE_API int VkeSubGetVkeSysPtr(VkiSub* sub, VkiSys** out) { VKE_SUB_FRAME(sub, GetVkeSysPtr(out)); }

VKE_API int VkeSubGetMaxBufLen(VkiSub* sub, int* out) { VKE_SUB_FRAME(sub, GetMaxBufLen(out)); }

VKE_API int VkeSubGetVarArgBufPtr(VkiSub* sub, char** out) { VKE_SUB_FRAME(sub, GetVarArgBufPtr(out)); }

VKE_API int VkeSubGetWkBufPtr(VkiSub* sub, int index, char** out) { VKE_SUB_FRAME(sub, GetWkBufPtr(index, out)); }

VKE_API char* VkeSubVarArgMsgPtr(VkiSub* sub, const char* format, ...)
{
    if (!sub) return kEmpty; // the trace of a null object does nothing
    va_list args;
    va_start(args, format);
    int rc = sub->VarArgMsg(format, args);
    va_end(args);
    if (rc != VKE_OK) {
        VKE_TRACE(sub, rc);
        return kEmpty;
    }
    return sub->m_pVarArgBuf;
}

VKE_API void* VkeSubAllocMemory(VkiSub* sub, unsigned count, unsigned size)
{
    if (!sub) return nullptr;
    uint64_t bytes = static_cast<uint64_t>(count) * size;
    if (bytes > SIZE_MAX) return nullptr;
    // calloc refuses a product that overflows; a zero-sized request still gives a block.
    return calloc(count ? count : 1, size ? size : 1);
}

VKE_API void VkeSubFreeMemory(VkiSub* sub, void* block)
{
    if (sub) free(block);
}

VKE_API void VkeSubCopyMemory(VkiSub* sub, void* dest, const void* src, unsigned n)
{
    if (sub && dest && src) memmove(dest, src, n);
}

VKE_API int VkeSubGetCPtr(VkiSub* sub, int value) { return sub ? value : 0; }

VKE_API int VkeSubGetCPtrByCPtrPtr(VkiSub* sub, int* where) { return (sub && where) ? *where : 0; }
