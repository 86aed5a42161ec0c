#include "VkiShim.h"
#include "VkiTxt.h"

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

void VkiShimLimitText(HWND ctl, int bytes)
{
    char name[16] = {};
    if (!GetClassNameA(ctl, name, sizeof(name))) return;
    if (lstrcmpiA(name, "Edit") == 0) SendMessageA(ctl, EM_LIMITTEXT, static_cast<WPARAM>(bytes), 0);
    if (lstrcmpiA(name, "ComboBox") == 0) SendMessageA(ctl, CB_LIMITTEXT, static_cast<WPARAM>(bytes), 0);
}

bool VkiShimEditsText(UINT message)
{
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_UNICHAR:
    case WM_PASTE:
    case EM_REPLACESEL:
    case WM_IME_COMPOSITION:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        return true;
    default:
        return false;
    }
}

void VkiShimKeepLimit(HWND edit)
{
    // The removal below is input too: it must not come back here.
    static thread_local bool t_busy = false;
    if (t_busy || !edit) return;
    int limit = static_cast<int>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    int n = GetWindowTextLengthA(edit);
    if (limit < 0 || n <= limit) return;
    std::vector<char> text(static_cast<size_t>(n) + 2, '\0');
    n = GetWindowTextA(edit, text.data(), n + 1);
    if (n <= limit) return;
    VkiShimText shim(edit);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    int caret = shim.ToByte(static_cast<int>(end));
    if (caret > n) caret = n;
    int excess = n - limit;
    // The last character start from which the caret is at least excess bytes away.
    int from = -1;
    for (int i = 0; i <= caret - excess && i < n; i += VkiChrLen(text.data() + i)) from = i;
    int to = caret;
    if (from < 0) {
        // Too little before the caret: the text's end goes instead.
        from = VkiFitLen(text.data(), n, limit);
        to = n;
    }
    t_busy = true;
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(shim.ToCtl(from)), static_cast<LPARAM>(shim.ToCtl(to)));
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    t_busy = false;
}
