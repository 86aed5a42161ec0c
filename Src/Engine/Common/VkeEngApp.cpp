// The library application object and its two exports. Exactly one instance exists, built
// when the library is loaded; the program reaches its pre-translation and idle work through
// the exports, since the library runs no message loop of its own.
#include "VkeEngApp.h"

VkeEng theVkeEng;

BOOL VkeEng::InitInstance() { return TRUE; }

BOOL VkeEng::PreTranslateMessage(MSG* msg)
{
    (void)msg;
    return FALSE;
}

BOOL VkeEng::OnIdle(LONG count)
{
    (void)count;
    return FALSE;
}

VKE_API BOOL VkeEngPreTranslateMessage(MSG* msg) { return theVkeEng.PreTranslateMessage(msg); }

VKE_API int VkeEngOnIdle(void)
{
    for (LONG count = 0; theVkeEng.OnIdle(count); ++count) {
    }
    return VKE_OK;
}
