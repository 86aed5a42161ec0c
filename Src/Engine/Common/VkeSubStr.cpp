// Strings, keywords and CSV fields on Shift-JIS byte strings.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubStr"
#include "VkiSub.h"
#include "VkeFrame.h"
#include "VkiTxt.h"

int VkiSub::CopyStr(char* dest, const char* src, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCopyStr(dest, src, size);
}

// ---- Exports ----

VKE_API int VkeSubCopyStr(VkiSub* sub, char* dest, const char* src, int size) { VKE_SUB_FRAME(sub, CopyStr(dest, src, size)); }
