#include "VkiTxt.h"
#include "VkeEng.h"
#include <stdlib.h>

int VkiChkChr(const char* text, int pos)
{
    if (!text || pos < 1) return VKE_ERR_ARG;
    int i = 0;
    while (text[i]) {
        int n = VkiChrLen(text + i);
        if (pos - 1 < i + n) return (n == 1) ? 0 : (pos - 1 == i ? 1 : 2);
        i += n;
    }
    return VKE_ERR_ARG;
}

int VkiFitLen(const char* text, int len, int room)
{
    if (room >= len) return len;
    int i = 0;
    while (i < len) {
        int n = VkiChrLen(text + i);
        if (n == 0 || i + n > room) break;
        i += n;
    }
    return i;
}

int VkiCopyStr(char* dest, const char* src, int destSize)
{
    if (!dest || !src || destSize < 1) return VKE_ERR_ARG;
    int len = VkiStrLen(src, destSize);
    if (len < destSize) {
        memmove(dest, src, static_cast<size_t>(len) + 1);
        return VKE_OK;
    }
    int keep = VkiFitLen(src, len, destSize - 1);
    memmove(dest, src, static_cast<size_t>(keep));
    dest[keep] = '\0';
    return VKE_ERR_CUT;
}

VkiWorkCopy::~VkiWorkCopy() { free(m_heap); }

char* VkiWorkCopy::Room(int n)
{
    free(m_heap);
    m_heap = nullptr;
    if (n <= static_cast<int>(sizeof(m_local))) return m_local;
    m_heap = static_cast<char*>(malloc(static_cast<size_t>(n)));
    return m_heap;
}

char* VkiWorkCopy::Copy(const char* src, int n)
{
    char* p = Room(n + 1);
    if (!p) return nullptr;
    memcpy(p, src, static_cast<size_t>(n));
    p[n] = 0;
    return p;
}
