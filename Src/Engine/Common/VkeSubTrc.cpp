// Error trace, log and function timer of the utility object.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubBsc"
#include "VkiSub.h"
#include "VkeFrame.h"

void VkiSub::TraceError(const char* sourcePath, int line, const char* name, int code)
{
    (void)sourcePath;
    (void)line;
    // Until the trace file and the main-window report exist, the last report is kept.
    m_pszLastTraceName = name;
    m_iLastTraceCode = code;
    ++m_iTraceCount;
}

int VkiSub::TermDiagnostics() { return VKE_OK; }

VKE_API void VkeSubTraceError(VkiSub* sub, const char* sourcePath, int line, const char* name, int code)
{
    if (sub) sub->TraceError(sourcePath, line, name, code);
}
