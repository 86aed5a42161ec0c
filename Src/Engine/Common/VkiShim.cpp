#include "VkiShim.h"

VkiShimText::VkiShimText(HWND edit)
{
    int n = edit ? GetWindowTextLengthW(edit) : 0;
    if (n < 1) return;
    m_text.resize(static_cast<size_t>(n) + 1);
    n = GetWindowTextW(edit, m_text.data(), n + 1);
    m_text.resize(static_cast<size_t>(n > 0 ? n : 0));
    int bytes = WideCharToMultiByte(CP_ACP, 0, m_text.data(), n, nullptr, 0, nullptr, nullptr);
    if (n < 1 || bytes == n) return; // single-byte text: both counts agree
    // The end of the last line in the control's own unit.
    LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    LRESULT last = SendMessageA(edit, EM_LINEINDEX, lines > 0 ? lines - 1 : 0, 0);
    LRESULT end = last + SendMessageA(edit, EM_LINELENGTH, last, 0);
    m_chars = end == n;
}

void VkiShimText::CharAt(int i, int* bytes, int* units) const
{
    int n = static_cast<int>(m_text.size());
    *units = IS_HIGH_SURROGATE(m_text[i]) && i + 1 < n && IS_LOW_SURROGATE(m_text[i + 1]) ? 2 : 1;
    *bytes = WideCharToMultiByte(CP_ACP, 0, &m_text[i], *units, nullptr, 0, nullptr, nullptr);
    if (*bytes < 1) *bytes = 1;
}

int VkiShimText::ToCtl(int bytePos) const
{
    if (!m_chars || bytePos < 0) return bytePos;
    int n = static_cast<int>(m_text.size()), seen = 0, i = 0;
    while (i < n) {
        int bytes = 0, units = 0;
        CharAt(i, &bytes, &units);
        if (seen + bytes > bytePos) break;
        seen += bytes;
        i += units;
    }
    return i;
}

int VkiShimText::ToByte(int ctlPos) const
{
    if (!m_chars || ctlPos < 0) return ctlPos;
    int n = static_cast<int>(m_text.size()), seen = 0;
    for (int i = 0; i < n && i < ctlPos;) {
        int bytes = 0, units = 0;
        CharAt(i, &bytes, &units);
        seen += bytes;
        i += units;
    }
    return seen;
}

HWND VkiShimEditOf(HWND ctl)
{
    char name[16] = {};
    if (!GetClassNameA(ctl, name, sizeof(name))) return nullptr;
    if (lstrcmpiA(name, "Edit") == 0) return ctl;
    if (lstrcmpiA(name, "ComboBox") == 0) return FindWindowExA(ctl, nullptr, "Edit", nullptr);
    return nullptr;
}
