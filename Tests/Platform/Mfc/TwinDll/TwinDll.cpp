#define TWIN_BUILD_DLL
#include "TwinDll.h"
#include "Mfc.h"

namespace {

class CTwinEdit : public CEdit {
public:
    TwinLogFn m_log = nullptr;

protected:
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        m_log("twin:probe;");
        return Default() + 10;
    }
    LRESULT OnSetText(WPARAM, LPARAM)
    {
        m_log("twin:settext;");
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTwinEdit, CEdit)
    ON_MESSAGE(WM_APP + 1, &ThisClass::OnProbe)
    ON_MESSAGE(WM_SETTEXT, &ThisClass::OnSetText)
END_MESSAGE_MAP()

CTwinEdit* g_edit = nullptr;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) { return AfxDllMain(instance, reason); }

TWIN_API int TwinSubclass(HWND hWnd, TwinLogFn log)
{
    if (g_edit) return 0;
    g_edit = new CTwinEdit;
    g_edit->m_log = log;
    if (g_edit->SubclassWindow(hWnd)) return 1;
    delete g_edit;
    g_edit = nullptr;
    return 0;
}

TWIN_API int TwinUnsubclass()
{
    if (!g_edit) return 0;
    g_edit->UnsubclassWindow();
    delete g_edit;
    g_edit = nullptr;
    return 1;
}

TWIN_API WNDPROC TwinWndProc() { return AfxGetAfxWndProc(); }

TWIN_API int TwinOwns(HWND hWnd) { return CWnd::FromHandlePermanent(hWnd) ? 1 : 0; }
