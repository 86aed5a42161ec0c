// The head every engine object shares and the life-cycle steps every family reuses.
#pragma once
#include "VkeEng.h"
#include "Mfc.h"
#include <new>

// Initialised flag, execution version and the common properties of every engine object. An
// engine window object takes it beside its framework window class; the others through VkiObj.
class VkiObjHead {
public:
    int m_iInit = 0;                   // 1 only between a successful Init and Term
    double m_dExecVersion = VKE_VERSION;

    bool IsInit() const { return m_iInit == 1; }

    int GetVersion(double* out) const;
    int SetExecVersion(double version);
    int GetExecVersion(double* out) const;
    // Properties 1 to 3; 1 when the id is not one of them.
    int GetCommonProperty(int id, void* out, const char* name) const;
    int SetCommonProperty(int id, void* value);
};

// The base of the engine objects that are no windows.
class VkiObj : public CObject, public VkiObjHead {};

// The execution-version rule: refused only when it compares greater than the engine's.
inline bool VkiExecVersionOk(double version) { return !(version > VKE_VERSION); }

// A getter of an object's state: -6 before Init, -9 for a null out, else the value.
template <class T>
int VkiAnswer(bool init, T* out, const T& value)
{
    if (!init) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = value;
    return VKE_OK;
}

// Alloc: -9 out null; -7 *out set; -8 no memory; else a new object.
template <class T>
int VkiAllocObj(T** out)
{
    if (!out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    T* obj = new (std::nothrow) T;
    if (!obj) return VKE_ERR_MEMORY;
    *out = obj;
    return VKE_OK;
}

// Free: -9 out null; destroys *out (its destructor terminates it) and clears it.
template <class T>
int VkiFreeObj(T** out)
{
    if (!out) return VKE_ERR_ARG;
    delete *out;
    *out = nullptr;
    return VKE_OK;
}

// CheckParam's report of the first bad field.
inline int VkiBadField(int* field, int* messageNo, int f, int m, int code)
{
    *field = f;
    *messageNo = m;
    return code;
}

inline bool VkiIsFlag(int v) { return v == 0 || v == 1; }

// A popup menu of a window object: one with a submenu at position 0.
inline bool VkiHasSubmenu(HMENU menu) { return IsMenu(menu) && GetSubMenu(menu, 0); }

// The fields a window object's record begins with, as a dialog or tab control starts them: this
// version, the button face's text and back colours, no popup menu.
template <class P>
void VkiInitParamHead(P* param)
{
    param->dExecVersion = VKE_VERSION;
    param->uTextColor = GetSysColor(COLOR_BTNTEXT);
    param->uBackColor = GetSysColor(COLOR_BTNFACE);
    param->hMenu = nullptr;
}

// The fields a window object's record begins with, checked in order: the record itself (field 1,
// message 59), the execution version (2, 17) and the popup menu (5, 67). 0 when they pass (the
// report is left to the rest of the check).
template <class P>
int VkiCheckParamHead(const P* param, int* field, int* messageNo)
{
    if (!param) return VkiBadField(field, messageNo, 1, 59, VKE_ERR_ARG);
    if (!VkiExecVersionOk(param->dExecVersion)) return VkiBadField(field, messageNo, 2, 17, VKE_ERR_VERSION);
    if (param->hMenu && !VkiHasSubmenu(param->hMenu)) return VkiBadField(field, messageNo, 5, 67, VKE_ERR_ARG);
    return VKE_OK;
}
