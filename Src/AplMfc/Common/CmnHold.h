// Scoped owners of what the framework's services hold for a moment: each releases it at the end
// of its scope, on every path.
//
//   CmnGlobalLock lock(block);        // locked through the engine's system object
//   CmnFile file(path, "rb");         // fclose at the end
//   CmnIdl list(theCmnSub.GetItemIdList(path)); // freed through the shell allocator
//   CmnIcon icon(theCmnSub.GetIcon(list, 0));     // DestroyIcon at the end
//   CmnWaitCursor wait;                           // the wait cursor until the end
#pragma once
#include "CmnAppInf.h"
#include "CmnSub.h"
#include <stdio.h>

// A global memory block locked through the engine; unlocked at the end of the scope.
class CmnGlobalLock {
public:
    explicit CmnGlobalLock(HGLOBAL h) : m_h(h)
    {
        m_rc = VkeSysLockHGlobal(theCmnAppInf.pSys, h, &m_p);
        if (m_rc == VKE_OK) VkeSysGetGlobalSize(theCmnAppInf.pSys, h, &m_size);
    }
    ~CmnGlobalLock()
    {
        if (m_rc == VKE_OK) VkeSysUnlockHGlobal(theCmnAppInf.pSys, m_h);
    }
    CmnGlobalLock(const CmnGlobalLock&) = delete;
    CmnGlobalLock& operator=(const CmnGlobalLock&) = delete;
    // The lock's status code; the bytes and their count while it is 0.
    int Result() const { return m_rc; }
    void* Get() const { return m_p; }
    unsigned Size() const { return m_size; }

private:
    HGLOBAL m_h;
    void* m_p = nullptr;
    unsigned m_size = 0;
    int m_rc;
};

// A C stream, closed at the end of the scope.
class CmnFile {
public:
    CmnFile(const char* path, const char* mode) : m_f(fopen(path, mode)) {}
    ~CmnFile() { Close(); }
    CmnFile(const CmnFile&) = delete;
    CmnFile& operator=(const CmnFile&) = delete;
    FILE* Get() const { return m_f; }
    explicit operator bool() const { return m_f != nullptr; }
    // False when the stream could not be flushed and closed.
    bool Close()
    {
        bool ok = !m_f || fclose(m_f) == 0;
        m_f = nullptr;
        return ok;
    }

private:
    FILE* m_f;
};

// An item-id list of the shell allocator, freed at the end of the scope.
class CmnIdl {
public:
    explicit CmnIdl(LPITEMIDLIST list = nullptr) : m_list(list) {}
    ~CmnIdl() { theCmnSub.FreeItemIdList(&m_list); }
    CmnIdl(const CmnIdl&) = delete;
    CmnIdl& operator=(const CmnIdl&) = delete;
    LPITEMIDLIST Get() const { return m_list; }
    operator LPITEMIDLIST() const { return m_list; }

private:
    LPITEMIDLIST m_list;
};

// An icon the caller must destroy, destroyed at the end of the scope.
class CmnIcon {
public:
    explicit CmnIcon(HICON icon) : m_icon(icon) {}
    ~CmnIcon()
    {
        if (m_icon) ::DestroyIcon(m_icon);
    }
    CmnIcon(const CmnIcon&) = delete;
    CmnIcon& operator=(const CmnIcon&) = delete;
    HICON Get() const { return m_icon; }

private:
    HICON m_icon;
};

// One reference of a COM interface (a shell folder, an enumerator), released at the end of the
// scope.
//
//   CmnCom<IShellFolder> folder;
//   desktop->BindToObject(list, nullptr, IID_IShellFolder, folder.Out());
template <class T>
class CmnCom {
public:
    explicit CmnCom(T* p = nullptr) : m_p(p) {}
    ~CmnCom() { Reset(); }
    CmnCom(const CmnCom&) = delete;
    CmnCom& operator=(const CmnCom&) = delete;
    // Where a call stores a new reference; the one held is released first.
    void** Out()
    {
        Reset();
        return reinterpret_cast<void**>(&m_p);
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    void Reset()
    {
        if (m_p) m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p;
};

// The wait cursor while a long step runs; the cursor before it comes back at the end.
class CmnWaitCursor {
public:
    CmnWaitCursor() : m_old(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CmnWaitCursor() { ::SetCursor(m_old); }
    CmnWaitCursor(const CmnWaitCursor&) = delete;
    CmnWaitCursor& operator=(const CmnWaitCursor&) = delete;

private:
    HCURSOR m_old;
};
