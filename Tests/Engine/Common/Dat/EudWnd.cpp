#include "EudWnd.h"

namespace {

const char kEditClass[] = "VktEudEdit";
const char kParentClass[] = "VktEudParent";

AppMem* Snap(void** slot) { return slot ? static_cast<AppMem*>(*slot) : nullptr; }

int Perform(EudWndState& st, EudReq* req)
{
    VkiSub* sub = st.sub;
    switch (req->iRequest) {
    case VKE_EUD_FREE: {
        AppMem* snap = Snap(req->ppSlot1);
        int rc = VkeSubFreeAppMem(sub, &snap);
        if (rc == 0) {
            *req->ppSlot1 = nullptr;
            --st.live;
        }
        return rc;
    }
    case VKE_EUD_MAKE: {
        if (st.nullCopy) return 0;
        AppMem* copy = nullptr;
        int rc = VkeSubDupAppMem(sub, &copy, Snap(req->ppSlot2));
        if (rc == 0) {
            *req->ppSlot1 = copy;
            ++st.live;
        }
        return rc;
    }
    case VKE_EUD_REFRESH:
        return VkeSubCopyAppMem(sub, Snap(req->ppSlot1), Snap(req->ppSlot2));
    case VKE_EUD_RESTORE:
        return VkeSubCopyAppMem(sub, &st.text, Snap(req->ppSlot2));
    default:
        return -9;
    }
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* st = reinterpret_cast<EudWndState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == VkeWmEudDat && st) {
        auto* req = reinterpret_cast<EudReq*>(wp);
        if (req->iRequest >= 0 && req->iRequest <= 8) ++st->seen[req->iRequest];
        st->kinds.push_back(req->iKind);
        if (st->inside) st->inside(req);
        if (!st->handled) return 0;
        req->iResult = (st->refuse == req->iRequest) ? st->refuseCode : Perform(*st, req);
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* st = reinterpret_cast<ParentState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == VkeWmSetEud && st) {
        ++st->notices;
        st->wParam = wp;
        auto* wm = reinterpret_cast<WndMsg*>(lp);
        st->last = *wm;
        if (st->inside) st->inside();
        *wm->piResult = st->answer;
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void Register(const char* name, WNDPROC proc)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    RegisterClassA(&wc); // a second registration fails harmlessly
}

} // namespace

EudWnd::EudWnd(VkiSub* sub, bool withParent)
{
    m_state.sub = sub;
    VkeSubInitAppMem(sub, &m_state.text);
    Register(kEditClass, EditProc);
    Register(kParentClass, ParentProc);
    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (withParent) {
        m_hParent = CreateWindowA(kParentClass, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  inst, nullptr);
        SetWindowLongPtrA(m_hParent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_parent));
    }
    m_hWnd = CreateWindowA(kEditClass, "edit", withParent ? WS_CHILD : WS_POPUP, 0, 0, 100, 20, m_hParent,
                           nullptr, inst, nullptr);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_state));
}

EudWnd::~EudWnd()
{
    DestroyWindow(m_hWnd);
    if (m_hParent) DestroyWindow(m_hParent);
    VkeSubTermAppMem(m_state.sub, &m_state.text);
}

std::string EudWnd::Text() { return m_state.text.pBuffer ? m_state.text.pBuffer : ""; }

void EudWnd::SetText(const char* text) { VkeSubSetAppMemStr(m_state.sub, &m_state.text, text); }

std::string SnapText(VkiSub* sub, void* snapshot)
{
    char buf[256] = {};
    if (!snapshot || VkeSubGetAppMemStr(sub, static_cast<AppMem*>(snapshot), buf, sizeof(buf)) != 0) return "?";
    return buf;
}
