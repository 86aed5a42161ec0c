// The library application object and its two exports. Exactly one instance exists, built when
// the library is loaded; the library runs no message loop of its own, so the program reaches
// its pre-translation and idle work through the exports. Both go to the library's current
// thread object: the application object, unless the library started the thread itself.
#include "VkeEngApp.h"

VkeEng theVkeEng;

BOOL VkeEng::InitInstance() { return TRUE; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    return AfxDllMain(instance, reason);
}

VKE_API BOOL VkeEngPreTranslateMessage(MSG* msg)
{
    CWinThread* thread = AfxGetThread();
    if (!msg || !thread) return FALSE;
    return thread->PreTranslateMessage(msg);
}

VKE_API int VkeEngOnIdle(void)
{
    CWinThread* thread = AfxGetThread();
    for (LONG count = 0; thread && thread->OnIdle(count); ++count) {
    }
    return VKE_OK;
}
