// The export frame shared by every family:
//   1. a null object gives -9 at once, untraced;
//   2. one internal method runs;
//   3. a result other than 0 and the export's expected outcomes is traced through
//      VkeSubTraceError with the module path, line, export name and code; the code is returned.
// Each source file defines VKE_MODULE (its module path) before including this header.
#pragma once
#include "VkeEng.h"

// The codes an export expects besides 0; they go back untraced. Listed in VkeFrame.cpp.
struct VkeUntraced {
    const char* name;
    int codes[4];
    int count;
};

// The expected outcomes of an export (an empty set when it lists none).
const VkeUntraced* VkeFindUntraced(const char* exportName);

inline bool VkeIsUntraced(const VkeUntraced* set, int code)
{
    for (int i = 0; i < set->count; ++i)
        if (set->codes[i] == code) return true;
    return false;
}

// Runs one method for an export and traces an unexpected result.
// obj: the object argument; sub: the utility object to trace through (evaluated only to trace).
#define VKE_FRAME(obj, sub, call)                                                          \
    do {                                                                                   \
        if (!(obj)) return VKE_ERR_ARG;                                                    \
        int vke_rc = (call);                                                               \
        if (vke_rc != VKE_OK) {                                                            \
            static const VkeUntraced* vke_set = VkeFindUntraced(__func__);                 \
            if (!VkeIsUntraced(vke_set, vke_rc))                                           \
                VkeSubTraceError((sub), VKE_MODULE, __LINE__, __func__, vke_rc);           \
        }                                                                                  \
        return vke_rc;                                                                     \
    } while (0)

// The VkeSub family traces through the object itself.
#define VKE_SUB_FRAME(sub, call) VKE_FRAME(sub, sub, (sub)->call)

// Traces a failure found inside an export that returns something other than a status.
#define VKE_TRACE(sub, code) VkeSubTraceError((sub), VKE_MODULE, __LINE__, __func__, (code))
