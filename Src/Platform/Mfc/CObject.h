// Root of the class hierarchy and the run-time class information behind IsKindOf and
// dynamic creation.
#pragma once
#include "MfcWin.h"

class CObject;

// One per class that declares itself dynamic: its name, size, creator and base class.
struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)(); // null unless the class is dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    // A new object of the class, or null when the class cannot be created dynamically.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                  \
public:                                              \
    static const CRuntimeClass class##class_name;    \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_RUNTIMECLASS(class_name, base_name, creator)                                       \
    const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), \
                                                         creator, RUNTIME_CLASS(base_name)};           \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_name) IMPLEMENT_RUNTIMECLASS(class_name, base_name, nullptr)

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(class_name, base_name)                   \
    CObject* class_name::CreateObject() { return new class_name; }   \
    IMPLEMENT_RUNTIMECLASS(class_name, base_name, &class_name::CreateObject)

// The object as class_name when it is one (or derived from one), else null.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (AfxDynamicDownCast<class_name>(RUNTIME_CLASS(class_name), (object)))

template <class T>
T* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject)
{
    return (pObject && pObject->IsKindOf(pClass)) ? static_cast<T*>(pObject) : nullptr;
}

// A new object of pClass as a class_name; null, and nothing left made, when pClass is null, cannot
// be created dynamically or is no class_name.
#define DYNAMIC_CREATE_AS(class_name, pClass) \
    (AfxCreateObjectAs<class_name>(RUNTIME_CLASS(class_name), (pClass)))

template <class T>
T* AfxCreateObjectAs(const CRuntimeClass* pWanted, const CRuntimeClass* pClass)
{
    CObject* pObject = pClass ? pClass->CreateObject() : nullptr;
    if (pObject && pObject->IsKindOf(pWanted)) return static_cast<T*>(pObject);
    delete pObject;
    return nullptr;
}
