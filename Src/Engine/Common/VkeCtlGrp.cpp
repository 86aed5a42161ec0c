// The radio-group walk: the auto radio buttons of a control's group in the dialog-group order of
// its parent, which passes over hidden and disabled windows. Only "BUTTON" windows count: an
// edit of ES_CENTER | ES_UPPERCASE has the low style bits of an auto radio button, and the
// platform's group order may run on into other controls where no WS_GROUP ends a group.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlBsc"
#include "VkiCtl.h"
#include "VkeFrame.h"
#include <algorithm>
#include <string.h>

namespace {

// Steps that bound a walk whose group order never comes back to where it began.
const int kMaxSteps = 0x10000;

// The group order's own test: visible and enabled by the window's style.
bool IsUsable(HWND wnd)
{
    return (GetWindowLongPtrA(wnd, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

bool IsAutoRadioWnd(HWND wnd, int engineOnly)
{
    char name[16] = {};
    if (!GetClassNameA(wnd, name, sizeof(name)) || lstrcmpiA(name, "Button") != 0) return false;
    if ((GetWindowLongPtrA(wnd, GWL_STYLE) & BS_TYPEMASK) != BS_AUTORADIOBUTTON) return false;
    if (!engineOnly) return true;
    VkiCtl* ctl = VkiCtlOf(wnd);
    return ctl && ctl->IsButton();
}

HWND Next(HWND parent, HWND wnd) { return GetNextDlgGroupItem(parent, wnd, FALSE); }

bool IsGroupStart(HWND wnd) { return (GetWindowLongPtrA(wnd, GWL_STYLE) & WS_GROUP) != 0; }

bool IsControlParent(HWND wnd) { return (GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0; }

// The windows of self's group in their order, read from the siblings around self by the group
// order's rules: from the nearest WS_GROUP window at or before self up to the next WS_GROUP
// window after it. Each step of the platform's own order reads the whole sibling list, this reads
// the group and its two ends. False, and nothing in out, where the rules need more than that:
// no such window before or after self (the order wraps round the list), or a control parent at
// or next to the group (the order descends into its children); the platform walks then.
bool ListGroup(HWND self, std::vector<HWND>* out, size_t* selfAt)
{
    std::vector<HWND> before; // self's predecessors in the group, nearest first
    HWND w = self;
    for (int steps = 0; !IsGroupStart(w); ++steps) {
        w = GetWindow(w, GW_HWNDPREV);
        if (!w || steps >= kMaxSteps) return false;
        before.push_back(w);
    }
    std::vector<HWND> group(before.rbegin(), before.rend());
    *selfAt = group.size();
    group.push_back(self);
    for (w = GetWindow(self, GW_HWNDNEXT); w && !IsGroupStart(w); w = GetWindow(w, GW_HWNDNEXT)) {
        if (group.size() >= static_cast<size_t>(kMaxSteps)) return false;
        group.push_back(w);
    }
    if (!w || IsControlParent(w)) return false;
    for (HWND member : group)
        if (IsControlParent(member)) return false;
    out->swap(group);
    return true;
}

// True when target comes up in the group order after from, before the walk is back.
bool Reachable(HWND parent, HWND from, HWND target)
{
    HWND first = Next(parent, from);
    HWND w = first;
    for (int steps = 0; w && steps < kMaxSteps; ++steps) {
        if (w == target) return true;
        w = Next(parent, w);
        if (w == from || w == first) break;
    }
    return false;
}

} // namespace

int VkiCtl::SchAutoRdoBtn(HWND* cursor, int engineOnly)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!cursor || !VkiCtlIsFlag(engineOnly)) return VKE_ERR_ARG;
    if (!IsAutoRadio()) return VKE_ERR_EXISTS;
    HWND self = m_hWnd;
    HWND parent = ::GetParent(self);
    HWND start = self;
    if (*cursor) {
        start = *cursor;
        if (start && !IsUsable(start)) start = ::IsWindow(start) && parent ? Next(parent, start) : nullptr;
    }
    *cursor = nullptr;
    if (!parent || !::IsWindow(parent) || !start) return VKE_ERR_NOT_FOUND;
    if (start != self && !Reachable(parent, self, start)) return VKE_ERR_NOT_FOUND;

    HWND stop = IsUsable(self) ? self : Next(parent, self);
    bool startUsable = IsUsable(start);
    int stopSeen = 0;
    HWND w = Next(parent, start);
    for (int steps = 0; w && steps < kMaxSteps; ++steps, w = Next(parent, w)) {
        if (w == self || w == start) break;
        if (w == stop && (++stopSeen > 1 || startUsable)) break;
        if (IsAutoRadioWnd(w, engineOnly)) {
            *cursor = w;
            return VKE_OK;
        }
    }
    return VKE_ERR_NOT_FOUND;
}

std::vector<HWND> VkiCtl::GroupRadios(int engineOnly)
{
    if (m_pHeld) {
        if (!engineOnly) return m_pHeld->radios;
        std::vector<HWND> engine;
        for (HWND w : m_pHeld->radios)
            if (IsAutoRadioWnd(w, 1)) engine.push_back(w);
        return engine;
    }
    std::vector<HWND> radios;
    HWND self = m_hWnd;
    HWND parent = self ? ::GetParent(self) : nullptr;
    if (!IsInit() || !IsAutoRadio() || !parent || !::IsWindow(parent)) return radios;
    // The platform's order runs round the group's usable windows from the one after self.
    std::vector<HWND> group;
    size_t at = 0;
    if (ListGroup(self, &group, &at)) {
        for (size_t i = 1; i < group.size(); ++i) {
            HWND member = group[(at + i) % group.size()];
            if (IsUsable(member) && IsAutoRadioWnd(member, engineOnly)) radios.push_back(member);
        }
        return radios;
    }
    // Every step of the platform's order costs a walk of the parent's children: each is taken once.
    std::vector<HWND> met;
    HWND w = Next(parent, self);
    for (int steps = 0; w && w != self && steps < kMaxSteps; ++steps, w = Next(parent, w)) {
        if (std::find(met.begin(), met.end(), w) != met.end()) break;
        met.push_back(w);
        if (IsAutoRadioWnd(w, engineOnly)) radios.push_back(w);
    }
    return radios;
}

std::vector<VkiCtl*> VkiCtl::Group()
{
    if (m_pHeld) return m_pHeld->group;
    std::vector<VkiCtl*> group{this};
    for (HWND w : GroupRadios(1)) {
        VkiCtl* member = VkiCtlOf(w);
        if (member && member != this && member->IsInit() && member->m_pCtd) group.push_back(member);
    }
    return group;
}

VkiCtl::GroupHold::GroupHold(VkiCtl* ctl) : m_ctl(ctl->m_pHeld ? nullptr : ctl)
{
    if (!m_ctl) return;
    // One walk: every auto radio button of the group, the engine's members taken from them.
    m_held.radios = ctl->GroupRadios(0);
    m_held.group = {ctl};
    for (HWND w : m_held.radios) {
        VkiCtl* member = IsAutoRadioWnd(w, 1) ? VkiCtlOf(w) : nullptr;
        if (member && member != ctl && member->IsInit() && member->m_pCtd) m_held.group.push_back(member);
    }
    ctl->m_pHeld = &m_held;
}

VkiCtl::GroupHold::~GroupHold()
{
    if (m_ctl) m_ctl->m_pHeld = nullptr;
}

VKE_API int VkeCtlSchAutoRdoBtn(VkiCtl* ctl, HWND* cursor, int engineOnly) { VKE_FRAME(ctl, ctl->Sub(), ctl->SchAutoRdoBtn(cursor, engineOnly)); }
