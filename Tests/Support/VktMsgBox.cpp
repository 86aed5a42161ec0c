#include "VktMsgBox.h"

namespace {

thread_local VktMsgBox* t_current = nullptr;

const UINT kTickMs = 20;
const int kRepress = 25; // ticks before a box that stayed open is pressed again

std::string WindowText(HWND hwnd)
{
    char buf[2048] = {};
    GetWindowTextA(hwnd, buf, sizeof(buf));
    return buf;
}

bool IsClass(HWND hwnd, const char* name)
{
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof(cls));
    return lstrcmpiA(cls, name) == 0;
}

// The dialog a person would answer now: the topmost visible and enabled one of this thread
// (a box above a dialog has disabled the dialog).
BOOL CALLBACK FindBox(HWND hwnd, LPARAM lp)
{
    if (!IsClass(hwnd, "#32770") || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(lp) = hwnd;
    return FALSE;
}

BOOL CALLBACK CollectStatic(HWND hwnd, LPARAM lp)
{
    if (IsClass(hwnd, "Static")) {
        std::string text = WindowText(hwnd);
        std::string* all = reinterpret_cast<std::string*>(lp);
        if (!text.empty()) *all += (all->empty() ? "" : "\n") + text;
    }
    return TRUE;
}

// A message box keeps its text in the static control 0xFFFF; other dialogs give all static texts.
std::string BoxText(HWND box)
{
    HWND item = GetDlgItem(box, 0xFFFF);
    if (item) return WindowText(item);
    std::string all;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&all));
    return all;
}

} // namespace

VktMsgBox::VktMsgBox(std::initializer_list<int> buttons) : VktMsgBox(std::vector<int>(buttons)) {}

VktMsgBox::VktMsgBox(const std::vector<int>& buttons) : m_script(buttons)
{
    if (m_script.empty()) m_script.push_back(IDOK);
    t_current = this;
    m_timer = SetTimer(nullptr, 0, kTickMs, Tick);
}

VktMsgBox::~VktMsgBox()
{
    KillTimer(nullptr, m_timer);
    if (t_current == this) t_current = nullptr;
}

void CALLBACK VktMsgBox::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    VktMsgBox* self = t_current;
    if (!self || self->m_busy) return;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (box) self->Answer(box);
}

void VktMsgBox::Answer(HWND box)
{
    if (box == m_last && IsWindow(box)) {
        // Still open after the press: press once more after a while.
        if (++m_waited < kRepress) return;
        m_waited = 0;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(m_seen.back().button, BN_CLICKED), 0);
        return;
    }
    m_busy = true;
    int button = m_script[m_next < m_script.size() ? m_next : m_script.size() - 1];
    ++m_next;
    m_seen.push_back({box, WindowText(box), BoxText(box), button});
    if (OnOpen) OnOpen(box);
    m_last = box;
    m_waited = 0;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    m_busy = false;
}

std::vector<VktMsgBox::Box> VktDrive(const std::function<void()>& run, const std::vector<VktStep>& steps,
                                     const std::vector<int>& buttons)
{
    VktMsgBox answer(buttons);
    size_t next = 0;
    answer.OnOpen = [&](HWND box) {
        if (next < steps.size() && steps[next]) steps[next](box);
        ++next;
    };
    run();
    return answer.Seen();
}
