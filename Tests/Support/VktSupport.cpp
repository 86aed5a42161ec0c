#include "VktSupport.h"
#include <commctrl.h>
#include <shellapi.h>
#include <stdio.h>

VktTempDir::VktTempDir()
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof(base), base);
    static LONG s_serial = 0;
    char name[MAX_PATH];
    snprintf(name, sizeof(name), "%svkt%lu_%ld", base, GetCurrentProcessId(), InterlockedIncrement(&s_serial));
    m_path = name;
    // Process ids come again: a folder a stopped run left behind goes first.
    if (GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES) VktRemoveTree(m_path);
    CreateDirectoryA(m_path.c_str(), nullptr);
}

VktTempDir::~VktTempDir() { VktRemoveTree(m_path); }

std::string VktBesideExe(const std::string& name)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof(exe));
    std::string dir = exe;
    dir.resize(dir.find_last_of('\\'));
    return dir + "\\" + name;
}

void VktRemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                VktRemoveTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

bool VktWriteFile(const std::string& path, const std::string& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    size_t n = fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return n == bytes.size();
}

std::string VktReadFile(const std::string& path)
{
    std::string out;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0) out.append(buf, n);
    fclose(f);
    return out;
}

std::string VktLongFullPath(const std::string& path)
{
    char full[MAX_PATH] = {}, longer[MAX_PATH] = {};
    if (GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr) == 0) return "";
    if (GetLongPathNameA(full, longer, sizeof(longer))) return longer;
    // Not there (yet): the folder's long form and the name as written.
    const char* last = nullptr;
    for (const char* p = full; *p; p = CharNextExA(932, p, 0))
        if (*p == '\\') last = p;
    if (!last) return full;
    std::string dir(full, static_cast<size_t>(last - full));
    return GetLongPathNameA(dir.c_str(), longer, sizeof(longer)) ? longer + std::string(last) : full;
}

namespace {

// The path with its single-byte letters in capitals (upper) or small letters.
std::string WithCase(const std::string& path, bool upper)
{
    std::string out = path;
    for (const char* p = path.c_str(); *p; p = CharNextExA(932, p, 0)) {
        char& c = out[p - path.c_str()];
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

} // namespace

std::vector<std::string> VktPathSpellings(const std::string& path)
{
    char shortPath[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), shortPath, sizeof(shortPath));
    return {path, shortPath, WithCase(path, true), WithCase(path, false)};
}

void VktSubFixture::SetUp()
{
    ASSERT_EQ(VkeSubAlloc(&sub), 0);
    VkeSubParam param;
    ASSERT_EQ(VkeSubInitParam(sub, &param), 0);
    int field = -1, messageNo = -1;
    ASSERT_EQ(VkeSubInit(sub, &param, &field, &messageNo), 0);
    TraceParam trace;
    ASSERT_EQ(VkeSubInitTraceParam(sub, &trace), 0);
    snprintf(trace.amPath, sizeof(trace.amPath), "%s", (m_traceDir / "trace.txt").c_str());
    trace.iOn = 1;
    ASSERT_EQ(VkeSubInitTrace(sub, &trace), 0);
}

namespace {
const char kRecordMark[] = "<< TRACE >>";
const char kNameMark[] = "Func (";
} // namespace

int VktSubFixture::Traced() const
{
    std::string text = VktReadFile(m_traceDir / "trace.txt");
    int count = 0;
    for (size_t at = text.find(kRecordMark); at != std::string::npos; at = text.find(kRecordMark, at + 1)) ++count;
    return count;
}

std::string VktSubFixture::LastTraced() const
{
    std::string text = VktReadFile(m_traceDir / "trace.txt");
    size_t at = text.rfind(kNameMark);
    if (at == std::string::npos) return "";
    at += sizeof(kNameMark) - 1;
    size_t end = text.find(") : Error (", at);
    return end == std::string::npos ? "" : text.substr(at, end - at);
}

void VktSubFixture::TearDown() { VkeSubFree(&sub); }

void VktPump(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms) Sleep(2);
    } while (GetTickCount() - start < ms);
}

bool VktPumpUntil(const std::function<bool()>& done, DWORD cap)
{
    const DWORD start = GetTickCount();
    for (;;) {
        VktPump();
        if (done()) return true;
        if (GetTickCount() - start >= cap) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

namespace {
DWORD GdiObjectsNow()
{
    DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n) return n;
    // Each live object answers GetObjectType through the low 16 bits of its handle.
    DWORD live = 0;
    for (UINT_PTR v = 1; v <= 0xFFFF; ++v)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(v))) ++live;
    return live;
}
} // namespace

DWORD VktGdiObjects()
{
    // The same count twice in a row: objects another thread of the process is still releasing
    // (a window ended under load) are not counted half.
    DWORD last = GdiObjectsNow();
    for (int i = 0; i < 25; ++i) {
        Sleep(10);
        const DWORD now = GdiObjectsNow();
        if (now == last) break;
        last = now;
    }
    return last;
}

namespace {
VktMenuCloser* g_closer = nullptr;
} // namespace

VktMenuCloser::VktMenuCloser()
{
    g_closer = this;
    m_timer = SetTimer(nullptr, 0, 30, &VktMenuCloser::Tick);
}

VktMenuCloser::~VktMenuCloser()
{
    KillTimer(nullptr, m_timer);
    g_closer = nullptr;
}

void CALLBACK VktMenuCloser::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND open = FindWindowA("#32768", nullptr);
    if (!g_closer || !open || !IsWindowVisible(open)) return;
    ++g_closer->m_count;
    EndMenu();
}

VktDib::VktDib(int width, int height) : m_width(width)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<DWORD*>(bits);
    m_dc = CreateCompatibleDC(nullptr);
    m_old = SelectObject(m_dc, m_dib);
}

VktDib::~VktDib()
{
    SelectObject(m_dc, m_old);
    DeleteDC(m_dc);
    DeleteObject(m_dib);
}

COLORREF VktDib::At(int x, int y) const
{
    GdiFlush();
    DWORD bgr = m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

namespace {

void PumpWaiting()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

} // namespace

void FocusItem(HWND dialog, HWND item)
{
    ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
    PumpWaiting();
}

void VktClick(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    PumpWaiting();
}

void TypeInto(HWND edit, const char* text)
{
    FocusItem(::GetParent(edit), edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    for (const char* p = text; *p; ++p) ::SendMessageA(edit, WM_CHAR, static_cast<BYTE>(*p), 1);
    PumpWaiting();
}

namespace {

BOOL CALLBACK FindTree(HWND wnd, LPARAM found)
{
    char cls[32] = {};
    GetClassNameA(wnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, WC_TREEVIEWA) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = wnd;
    return FALSE;
}

} // namespace

std::string VktSelectedFolder(HWND browser)
{
    HWND tree = nullptr;
    EnumChildWindows(browser, FindTree, reinterpret_cast<LPARAM>(&tree));
    char text[MAX_PATH] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = tree ? TreeView_GetSelection(tree) : nullptr;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    if (item.hItem) SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

void MakeBmpFile(const std::string& path, int width, int height, COLORREF left, COLORREF right)
{
    MakeBmpFile(path, width, height, [=](int x, int) { return x < width / 2 ? left : right; });
}

void MakeBmpFile(const std::string& path, int width, int height, const std::function<COLORREF(int, int)>& colour)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    // Rows bottom-up.
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            row[static_cast<size_t>(x) * 3] = static_cast<char>(GetBValue(c));
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>(GetGValue(c));
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>(GetRValue(c));
        }
        bytes += row;
    }
    ASSERT_TRUE(VktWriteFile(path, bytes));
}
