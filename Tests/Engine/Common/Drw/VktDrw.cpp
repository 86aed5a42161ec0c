#include "VktDrw.h"
#include "VkiDrw.h" // the work memories
#include <stdlib.h>
#include <string.h>

HBITMAP VktMakeDIB(int width, int height, int bits, const std::vector<RGBQUAD>& table)
{
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD c[256];
    } info;
    memset(&info, 0, sizeof(info));
    info.h.biSize = sizeof(BITMAPINFOHEADER);
    info.h.biWidth = width;
    info.h.biHeight = height;
    info.h.biPlanes = 1;
    info.h.biBitCount = static_cast<WORD>(bits);
    int entries = bits <= 8 ? 1 << bits : 0;
    for (int i = 0; i < entries; ++i) {
        if (i < static_cast<int>(table.size())) {
            info.c[i] = table[i];
        } else {
            BYTE v = static_cast<BYTE>(entries > 1 ? i * 255 / (entries - 1) : 0);
            info.c[i] = {v, v, v, 0};
        }
    }
    void* bitsPtr = nullptr;
    return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bitsPtr, nullptr, 0);
}

VktDIB::VktDIB(HBITMAP bitmap) : handle(bitmap)
{
    DIBSECTION ds;
    if (!bitmap || GetObjectA(bitmap, sizeof(ds), &ds) != sizeof(ds)) return;
    width = ds.dsBm.bmWidth;
    height = ds.dsBm.bmHeight;
    bits = ds.dsBm.bmBitsPixel;
    stride = ds.dsBm.bmWidthBytes;
    rows = static_cast<BYTE*>(ds.dsBm.bmBits);
    GdiFlush();
}

DWORD VktDIB::Raw(int x, int y) const
{
    const BYTE* r = Row(y);
    switch (bits) {
    case 1: return (r[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (x % 2 ? r[x / 2] : r[x / 2] >> 4) & 0xF;
    case 8: return r[x];
    case 16: return r[2 * x] | (r[2 * x + 1] << 8);
    case 24: return r[3 * x] | (r[3 * x + 1] << 8) | (r[3 * x + 2] << 16);
    default: return r[4 * x] | (r[4 * x + 1] << 8) | (r[4 * x + 2] << 16) | (static_cast<DWORD>(r[4 * x + 3]) << 24);
    }
}

void VktDIB::SetRaw(int x, int y, DWORD v)
{
    BYTE* r = Row(y);
    switch (bits) {
    case 1: r[x / 8] = static_cast<BYTE>((r[x / 8] & ~(0x80 >> (x % 8))) | ((v & 1) << (7 - x % 8))); break;
    case 4:
        r[x / 2] = static_cast<BYTE>(x % 2 ? (r[x / 2] & 0xF0) | (v & 0xF) : (r[x / 2] & 0x0F) | ((v & 0xF) << 4));
        break;
    case 8: r[x] = static_cast<BYTE>(v); break;
    case 16: memcpy(r + 2 * x, &v, 2); break;
    case 24: memcpy(r + 3 * x, &v, 3); break;
    default: memcpy(r + 4 * x, &v, 4); break;
    }
}

std::vector<RGBQUAD> VktDIB::Table() const
{
    std::vector<RGBQUAD> t;
    if (bits > 8) return t;
    t.resize(static_cast<size_t>(1) << bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, handle);
    UINT n = GetDIBColorTable(dc, 0, static_cast<UINT>(t.size()), t.data());
    SelectObject(dc, old);
    DeleteDC(dc);
    t.resize(n);
    return t;
}

DWORD VktDIB::Rgb(int x, int y) const
{
    DWORD v = Raw(x, y);
    if (bits <= 8) {
        std::vector<RGBQUAD> t = Table();
        if (v >= t.size()) return 0xFFFFFFFF;
        return (t[v].rgbRed << 16) | (t[v].rgbGreen << 8) | t[v].rgbBlue;
    }
    if (bits == 16) {
        DWORD r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        return ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (b << 3 | b >> 2);
    }
    return v & 0xFFFFFF;
}

void VktDrwFixture::SetUp()
{
    ASSERT_EQ(VkeDrwAlloc(&drw), 0);
    VkeDrwParam param;
    ASSERT_EQ(VkeDrwInitParam(drw, &param), 0);
    int field = -1, messageNo = -1;
    ASSERT_EQ(VkeDrwInit(drw, &param, &field, &messageNo), 0);
}

void VktDrwFixture::TearDown() { VkeDrwFree(&drw); }

void VktDrwSysFixture::SetUp()
{
    env = new VktSys;
    ASSERT_EQ(env->started, 0);
    sys = env->sys;
    sub = env->sub;
    drw = env->drw;
    ASSERT_NE(drw, nullptr);
}

void VktDrwSysFixture::TearDown()
{
    delete env;
    env = nullptr;
}

void VktDibFixture::TearDown()
{
    for (HBITMAP b : owned) DeleteObject(b);
    EXPECT_EQ(drw->m_aDrm[1].iAttached, 0);
    EXPECT_EQ(drw->m_aDrm[2].iAttached, 0);
    VktDrwSysFixture::TearDown();
}

bool VktNear(DWORD a, DWORD b, int tolerance)
{
    for (int s = 0; s < 24; s += 8)
        if (abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)) > tolerance) return false;
    return true;
}

bool VktIsBitmap(HBITMAP bitmap) { return bitmap && GetObjectType(bitmap) == OBJ_BITMAP; }

VktInfo VktInfoOf(HBITMAP bitmap)
{
    BITMAP bm = {};
    if (!bitmap || GetObjectA(bitmap, sizeof(bm), &bm) != sizeof(bm)) return {0, 0, 0};
    return {bm.bmWidth, bm.bmHeight, bm.bmBitsPixel};
}
