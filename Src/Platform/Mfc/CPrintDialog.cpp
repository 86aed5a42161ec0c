#include "CPrintDialog.h"
#include "MfcState.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace {
// Locks a global block for one statement block.
class GlobalLockHolder {
public:
    explicit GlobalLockHolder(HGLOBAL h) : m_h(h), m_p(h ? ::GlobalLock(h) : nullptr) {}
    ~GlobalLockHolder() { if (m_p) ::GlobalUnlock(m_h); }
    GlobalLockHolder(const GlobalLockHolder&) = delete;
    GlobalLockHolder& operator=(const GlobalLockHolder&) = delete;
    void* Get() const { return m_p; }

private:
    HGLOBAL m_h;
    void* m_p;
};

// The name at offset, when it starts past the header and ends inside the block.
CString NameAt(const char* block, SIZE_T size, WORD offset)
{
    if (offset < sizeof(DEVNAMES) || offset >= size || !memchr(block + offset, 0, size - offset)) return CString();
    return CString(block + offset);
}
} // namespace

BOOL AfxGetDevNames(HGLOBAL hDevNames, CString* pDriver, CString* pDevice, CString* pPort)
{
    CString* names[3] = {pDriver, pDevice, pPort};
    for (CString* p : names)
        if (p) p->Empty();
    GlobalLockHolder lock(hDevNames);
    SIZE_T size = hDevNames ? ::GlobalSize(hDevNames) : 0;
    const char* block = static_cast<const char*>(lock.Get());
    if (!block || size < sizeof(DEVNAMES)) return FALSE;
    const DEVNAMES* dn = reinterpret_cast<const DEVNAMES*>(block);
    const WORD offsets[3] = {dn->wDriverOffset, dn->wDeviceOffset, dn->wOutputOffset};
    for (int i = 0; i < 3; ++i)
        if (names[i]) *names[i] = NameAt(block, size, offsets[i]);
    return !NameAt(block, size, dn->wDeviceOffset).IsEmpty();
}

HGLOBAL AfxMakeDevNames(LPCSTR lpszDriver, LPCSTR lpszDevice, LPCSTR lpszPort)
{
    LPCSTR names[3] = {lpszDriver ? lpszDriver : "", lpszDevice ? lpszDevice : "", lpszPort ? lpszPort : ""};
    size_t size = sizeof(DEVNAMES);
    for (LPCSTR name : names) size += strlen(name) + 1;
    if (size > 0xFFFF) return nullptr;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    GlobalLockHolder lock(block);
    char* p = static_cast<char*>(lock.Get());
    if (!p) {
        if (block) ::GlobalFree(block);
        return nullptr;
    }
    DEVNAMES* dn = reinterpret_cast<DEVNAMES*>(p);
    WORD* offsets[3] = {&dn->wDriverOffset, &dn->wDeviceOffset, &dn->wOutputOffset};
    size_t at = sizeof(DEVNAMES);
    for (int i = 0; i < 3; ++i) {
        *offsets[i] = static_cast<WORD>(at);
        memcpy(p + at, names[i], strlen(names[i]) + 1);
        at += strlen(names[i]) + 1;
    }
    return block;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd), m_pd()
{
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags | PD_RETURNDC | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
    if (bPrintSetupOnly) m_pd.Flags |= PD_PRINTSETUP;
    m_pd.nCopies = 1;
    m_pd.hInstance = AfxGetResourceHandle();
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = GetModalOwner();
    m_pd.Flags |= PD_RETURNDC | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
    m_pd.lpfnPrintHook = &HookProc<PRINTDLGA>;
    m_pd.lpfnSetupHook = &HookProc<PRINTDLGA>;
    m_pd.lCustData = HookData();
    if (!m_pd.hInstance) m_pd.hInstance = AfxGetResourceHandle();
    BOOL ok = ::PrintDlgA(&m_pd);
    if (m_hWnd) Detach();
    return ok ? IDOK : IDCANCEL;
}

HDC CPrintDialog::CreatePrinterDC()
{
    CString driver, device, port;
    if (!AfxGetDevNames(m_pd.hDevNames, &driver, &device, &port)) return nullptr;
    GlobalLockHolder mode(m_pd.hDevMode);
    HDC dc = ::CreateDCA(driver, device, port.IsEmpty() ? nullptr : static_cast<LPCSTR>(port),
                         static_cast<const DEVMODEA*>(mode.Get()));
    if (dc) m_pd.hDC = dc;
    return dc;
}

LPDEVMODEA CPrintDialog::GetDevMode() const
{
    // The blocks the print dialog makes do not move once made; the pointer stays good while
    // the block lives.
    GlobalLockHolder lock(m_pd.hDevMode);
    return static_cast<LPDEVMODEA>(lock.Get());
}

CString CPrintDialog::GetDeviceName() const
{
    CString name;
    AfxGetDevNames(m_pd.hDevNames, nullptr, &name, nullptr);
    return name;
}

CString CPrintDialog::GetPortName() const
{
    CString name;
    AfxGetDevNames(m_pd.hDevNames, nullptr, nullptr, &name);
    return name;
}
