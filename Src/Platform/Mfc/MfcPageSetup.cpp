#include "MfcPageSetup.h"
#include <stddef.h>
#include <string.h>

namespace {

static_assert(sizeof(PAGESETUPDLGA) == sizeof(PAGESETUPDLGW), "the two records lie alike");

// A locked block's bytes, unlocked on every path.
class Locked {
public:
    explicit Locked(HGLOBAL h) : m_h(h), m_p(h ? static_cast<BYTE*>(::GlobalLock(h)) : nullptr),
                                   m_size(m_p ? ::GlobalSize(h) : 0) {}
    ~Locked()
    {
        if (m_p) ::GlobalUnlock(m_h);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    BYTE* Bytes() const { return m_p; }
    SIZE_T Size() const { return m_size; }

private:
    HGLOBAL m_h;
    BYTE* m_p;
    SIZE_T m_size;
};

HGLOBAL NewBlock(SIZE_T size) { return ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size); }

// A text of at most n characters that need not end in a terminator, as the other width: the
// result ends in a terminator within n characters, cut on a character boundary.
void ToWide(WCHAR* out, const char* in, int n)
{
    int len = 0;
    while (len < n && in[len]) ++len;
    int got = ::MultiByteToWideChar(CP_ACP, 0, in, len, out, n - 1);
    out[got > 0 ? got : 0] = L'\0';
}

void ToAnsi(char* out, const WCHAR* in, int n)
{
    int len = 0;
    while (len < n && in[len]) ++len;
    char wide[256] = {};
    int got = ::WideCharToMultiByte(CP_ACP, 0, in, len, wide, sizeof(wide) - 1, nullptr, nullptr);
    // Whole characters only, within n - 1 bytes.
    int keep = 0;
    for (const char* p = wide; p < wide + got;) {
        const char* next = ::CharNextExA(CP_ACP, p, 0);
        if (next == p || next - wide > n - 1) break;
        keep = static_cast<int>(next - wide);
        p = next;
    }
    memset(out, 0, n);
    memcpy(out, wide, keep);
}

// The three texts of a device-names block (offsets in characters of width C); false when one
// lies outside the block.
template <class C>
bool ReadNames(const Locked& block, const C* names[3])
{
    if (block.Size() < sizeof(DEVNAMES)) return false;
    const DEVNAMES* dn = reinterpret_cast<const DEVNAMES*>(block.Bytes());
    const WORD offsets[3] = {dn->wDriverOffset, dn->wDeviceOffset, dn->wOutputOffset};
    const SIZE_T count = block.Size() / sizeof(C);
    const C* chars = reinterpret_cast<const C*>(block.Bytes());
    for (int i = 0; i < 3; ++i) {
        SIZE_T at = offsets[i], end = at;
        while (end < count && chars[end]) ++end;
        if (at * sizeof(C) < sizeof(DEVNAMES) || end >= count) return false;
        names[i] = chars + at;
    }
    return true;
}

} // namespace

HGLOBAL AfxDevNamesToWide(HGLOBAL names)
{
    Locked in(names);
    const char* texts[3];
    if (!in.Bytes() || !ReadNames(in, texts)) return nullptr;
    int lens[3], total = 0;
    for (int i = 0; i < 3; ++i) {
        lens[i] = ::MultiByteToWideChar(CP_ACP, 0, texts[i], -1, nullptr, 0);
        if (lens[i] <= 0) return nullptr;
        total += lens[i];
    }
    const int head = sizeof(DEVNAMES) / sizeof(WCHAR);
    HGLOBAL out = NewBlock((head + total) * sizeof(WCHAR));
    Locked block(out);
    if (!block.Bytes()) return out ? ::GlobalFree(out) : nullptr;
    DEVNAMES* dn = reinterpret_cast<DEVNAMES*>(block.Bytes());
    WCHAR* chars = reinterpret_cast<WCHAR*>(block.Bytes());
    WORD* offsets[3] = {&dn->wDriverOffset, &dn->wDeviceOffset, &dn->wOutputOffset};
    int at = head;
    for (int i = 0; i < 3; ++i) {
        *offsets[i] = static_cast<WORD>(at);
        ::MultiByteToWideChar(CP_ACP, 0, texts[i], -1, chars + at, lens[i]);
        at += lens[i];
    }
    dn->wDefault = reinterpret_cast<const DEVNAMES*>(in.Bytes())->wDefault;
    return out;
}

HGLOBAL AfxDevNamesToAnsi(HGLOBAL names)
{
    Locked in(names);
    const WCHAR* texts[3];
    if (!in.Bytes() || !ReadNames(in, texts)) return nullptr;
    int lens[3], total = 0;
    for (int i = 0; i < 3; ++i) {
        lens[i] = ::WideCharToMultiByte(CP_ACP, 0, texts[i], -1, nullptr, 0, nullptr, nullptr);
        if (lens[i] <= 0) return nullptr;
        total += lens[i];
    }
    const int head = sizeof(DEVNAMES);
    HGLOBAL out = NewBlock(head + total);
    Locked block(out);
    if (!block.Bytes()) return out ? ::GlobalFree(out) : nullptr;
    DEVNAMES* dn = reinterpret_cast<DEVNAMES*>(block.Bytes());
    char* chars = reinterpret_cast<char*>(block.Bytes());
    WORD* offsets[3] = {&dn->wDriverOffset, &dn->wDeviceOffset, &dn->wOutputOffset};
    int at = head;
    for (int i = 0; i < 3; ++i) {
        *offsets[i] = static_cast<WORD>(at);
        ::WideCharToMultiByte(CP_ACP, 0, texts[i], -1, chars + at, lens[i], nullptr, nullptr);
        at += lens[i];
    }
    dn->wDefault = reinterpret_cast<const DEVNAMES*>(in.Bytes())->wDefault;
    return out;
}

namespace {

// The two records differ only in their two names' widths: the device name first, the form name
// after dmCollate. Sizes of the fixed part (dmSize) and the driver's bytes after it.
const SIZE_T kFormA = offsetof(DEVMODEA, dmFormName), kFormW = offsetof(DEVMODEW, dmFormName);
const SIZE_T kHeadA = offsetof(DEVMODEA, dmSpecVersion), kHeadW = offsetof(DEVMODEW, dmSpecVersion);

// The fixed size of the other width for a record of this width and fixed size.
SIZE_T OtherSize(SIZE_T size, bool toWide)
{
    const SIZE_T form = toWide ? kFormA : kFormW;
    const SIZE_T grow = CCHDEVICENAME + (size >= form + CCHFORMNAME * (toWide ? 1 : 2) ? CCHFORMNAME : 0);
    return toWide ? size + grow : size - grow;
}

} // namespace

HGLOBAL AfxDevModeToWide(HGLOBAL mode)
{
    Locked in(mode);
    if (!in.Bytes() || in.Size() < kFormA) return nullptr;
    const DEVMODEA* a = reinterpret_cast<const DEVMODEA*>(in.Bytes());
    const SIZE_T size = a->dmSize, extra = a->dmDriverExtra;
    if (size < kFormA || size > sizeof(DEVMODEA) || size + extra > in.Size()) return nullptr;
    const SIZE_T wsize = OtherSize(size, true);
    HGLOBAL out = NewBlock(wsize + extra);
    Locked block(out);
    if (!block.Bytes()) return out ? ::GlobalFree(out) : nullptr;
    DEVMODEW* w = reinterpret_cast<DEVMODEW*>(block.Bytes());
    ToWide(w->dmDeviceName, reinterpret_cast<const char*>(a->dmDeviceName), CCHDEVICENAME);
    memcpy(block.Bytes() + kHeadW, in.Bytes() + kHeadA, kFormA - kHeadA);
    if (size >= kFormA + CCHFORMNAME) {
        ToWide(w->dmFormName, reinterpret_cast<const char*>(a->dmFormName), CCHFORMNAME);
        memcpy(block.Bytes() + kFormW + CCHFORMNAME * 2, in.Bytes() + kFormA + CCHFORMNAME,
               size - kFormA - CCHFORMNAME);
    }
    w->dmSize = static_cast<WORD>(wsize);
    memcpy(block.Bytes() + wsize, in.Bytes() + size, extra);
    return out;
}

HGLOBAL AfxDevModeToAnsi(HGLOBAL mode)
{
    Locked in(mode);
    if (!in.Bytes() || in.Size() < kFormW) return nullptr;
    const DEVMODEW* w = reinterpret_cast<const DEVMODEW*>(in.Bytes());
    const SIZE_T wsize = w->dmSize, extra = w->dmDriverExtra;
    if (wsize < kFormW || wsize > sizeof(DEVMODEW) || wsize + extra > in.Size()) return nullptr;
    const SIZE_T size = OtherSize(wsize, false);
    HGLOBAL out = NewBlock(size + extra);
    Locked block(out);
    if (!block.Bytes()) return out ? ::GlobalFree(out) : nullptr;
    DEVMODEA* a = reinterpret_cast<DEVMODEA*>(block.Bytes());
    ToAnsi(reinterpret_cast<char*>(a->dmDeviceName), w->dmDeviceName, CCHDEVICENAME);
    memcpy(block.Bytes() + kHeadA, in.Bytes() + kHeadW, kFormA - kHeadA);
    if (wsize >= kFormW + CCHFORMNAME * 2) {
        ToAnsi(reinterpret_cast<char*>(a->dmFormName), w->dmFormName, CCHFORMNAME);
        memcpy(block.Bytes() + kFormA + CCHFORMNAME, in.Bytes() + kFormW + CCHFORMNAME * 2,
               wsize - kFormW - CCHFORMNAME * 2);
    }
    a->dmSize = static_cast<WORD>(size);
    memcpy(block.Bytes() + size, in.Bytes() + wsize, extra);
    return out;
}

namespace {

// The caller's block, made to hold the bytes of fresh (which is freed); a new block when the
// caller held none. Null when memory is short (then fresh is freed and the caller's left alone).
HGLOBAL Refill(HGLOBAL held, HGLOBAL fresh)
{
    if (!fresh || !held) return fresh;
    const SIZE_T size = ::GlobalSize(fresh);
    HGLOBAL grown = ::GlobalReAlloc(held, size, GMEM_MOVEABLE);
    if (grown) {
        Locked to(grown), from(fresh);
        if (to.Bytes() && from.Bytes()) memcpy(to.Bytes(), from.Bytes(), size);
    }
    ::GlobalFree(fresh);
    return grown;
}

// Frees the wide blocks of a run: what the dialog answered and the copy given to it, once each.
void FreeWide(HGLOBAL given, HGLOBAL answered)
{
    if (answered) ::GlobalFree(answered);
    if (given && given != answered && ::GlobalFlags(given) != GMEM_INVALID_HANDLE) ::GlobalFree(given);
}

} // namespace

BOOL AfxPageSetupDlg(PAGESETUPDLGA* psd)
{
    PAGESETUPDLGW w;
    memcpy(&w, psd, sizeof(w));
    w.lStructSize = sizeof(w);
    WCHAR name[256];
    if ((psd->Flags & PSD_ENABLEPAGESETUPTEMPLATE) && !IS_INTRESOURCE(psd->lpPageSetupTemplateName)) {
        ToWide(name, psd->lpPageSetupTemplateName, 256);
        w.lpPageSetupTemplateName = name;
    }
    const HGLOBAL givenNames = psd->hDevNames ? AfxDevNamesToWide(psd->hDevNames) : nullptr;
    const HGLOBAL givenMode = psd->hDevMode ? AfxDevModeToWide(psd->hDevMode) : nullptr;
    w.hDevNames = givenNames;
    w.hDevMode = givenMode;
    BOOL ok = ::PageSetupDlgW(&w);
    if (ok) {
        HGLOBAL names = w.hDevNames ? AfxDevNamesToAnsi(w.hDevNames) : nullptr;
        HGLOBAL mode = w.hDevMode ? AfxDevModeToAnsi(w.hDevMode) : nullptr;
        ok = (names || !w.hDevNames) && (mode || !w.hDevMode);
        if (ok) {
            psd->Flags = w.Flags;
            psd->ptPaperSize = w.ptPaperSize;
            psd->rtMinMargin = w.rtMinMargin;
            psd->rtMargin = w.rtMargin;
            if (names) psd->hDevNames = Refill(psd->hDevNames, names);
            if (mode) psd->hDevMode = Refill(psd->hDevMode, mode);
        } else {
            if (names) ::GlobalFree(names);
            if (mode) ::GlobalFree(mode);
        }
    }
    FreeWide(givenNames, w.hDevNames);
    FreeWide(givenMode, w.hDevMode);
    return ok;
}
