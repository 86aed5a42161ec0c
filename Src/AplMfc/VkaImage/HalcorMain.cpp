// Program entry: starts and stops the engine's utility object.
#include "VkeEng.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    VkiSub* sub = nullptr;
    if (VkeSubAlloc(&sub) != VKE_OK) return 1;
    VkeSubParam param;
    int field = 0, messageNo = 0;
    int rc = VkeSubInitParam(sub, &param);
    if (rc == VKE_OK) rc = VkeSubInit(sub, &param, &field, &messageNo);
    if (rc == VKE_OK) rc = VkeSubTerm(sub);
    VkeSubFree(&sub);
    return rc == VKE_OK ? 0 : 1;
}
