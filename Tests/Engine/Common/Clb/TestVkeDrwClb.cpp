// The clipboard through the real X clipboard of the test display: text and images both ways,
// what other programs may leave there, a clipboard held by another thread, and failed calls
// that must leave nothing behind.
#include "VktDrw.h"
#include <string.h>
#include <thread>

namespace {

class Clb : public VktDrwSysFixture {
protected:
    void SetUp() override
    {
        VktDrwSysFixture::SetUp();
        Put(0, nullptr, 0);
    }
    // Empties the clipboard and puts size bytes there as format (a handle when size is 0).
    static void Put(UINT format, const void* data, size_t size)
    {
        HANDLE h = const_cast<void*>(data);
        if (size) {
            h = GlobalAlloc(GMEM_MOVEABLE, size);
            memcpy(GlobalLock(h), data, size);
            GlobalUnlock(h);
        }
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        if (format) SetClipboardData(format, h);
        CloseClipboard();
    }
    struct Image {
        int rc;
        HBITMAP bitmap;
        int type;
        float xRes, yRes;
    };
    Image Read()
    {
        Image got = {99, nullptr, -1, -1, -1};
        got.rc = VkeDrwCopyClbToDIB(drw, env->Window(), &got.bitmap, &got.type, &got.xRes, &got.yRes);
        return got;
    }
    // The header and colour table of the packed DIB on the clipboard.
    static BITMAPINFOHEADER ClbHeader(RGBQUAD* table)
    {
        BITMAPINFOHEADER h = {};
        OpenClipboard(nullptr);
        if (HANDLE data = GetClipboardData(CF_DIB)) {
            const BYTE* p = static_cast<const BYTE*>(GlobalLock(data));
            memcpy(&h, p, sizeof(h));
            memcpy(table, p + sizeof(h), 256 * sizeof(RGBQUAD));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return h;
    }
};

// Blocks in use on the process heap, where the global memory blocks live.
int HeapBlocks()
{
    PROCESS_HEAP_ENTRY e = {};
    int n = 0;
    HeapLock(GetProcessHeap());
    while (HeapWalk(GetProcessHeap(), &e)) n += (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0;
    HeapUnlock(GetProcessHeap());
    return n;
}

// Holds the clipboard from another thread for ms milliseconds once it is open. It opens it for
// a window of its own: Wine lets a second thread in while the clipboard is open for no window.
class Holder {
public:
    explicit Holder(DWORD ms) : m_open(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        m_thread = std::thread([this, ms] {
            HWND own = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
            OpenClipboard(own);
            SetEvent(m_open);
            Sleep(ms);
            CloseClipboard();
            DestroyWindow(own);
        });
        WaitForSingleObject(m_open, 5000);
    }
    ~Holder()
    {
        m_thread.join();
        CloseHandle(m_open);
    }

private:
    HANDLE m_open;
    std::thread m_thread;
};

} // namespace

TEST_F(Clb, TextRoundTripsByteForByte)
{
    // Trail bytes 0x5C and 0x7C (表, ソ, 能, ポ), a line break, and 100 KB.
    std::string big(100 * 1024, 'x');
    for (size_t i = 0; i < big.size(); i += 7) big[i] = static_cast<char>('a' + i % 26);
    for (const std::string& text : {std::string("表ソ能ポ\r\nabc"), big}) {
        ASSERT_EQ(VkeDrwCopyStrToClb(drw, env->Window(), text.c_str()), 0);
        int exists = -1;
        EXPECT_EQ(VkeDrwIsExistClbStr(drw, &exists), 0);
        EXPECT_EQ(exists, 1);
        char* got = nullptr;
        ASSERT_EQ(VkeDrwCopyClbToStr(drw, nullptr, &got), 0);
        EXPECT_EQ(std::string(got), text);
        EXPECT_EQ(VkeDrwFreeClbStr(drw, &got), 0);
        EXPECT_EQ(got, nullptr);
    }
    EXPECT_EQ(Read().rc, -12); // text where an image is asked for
    EXPECT_EQ(VkeDrwCopyStrToClb(drw, nullptr, ""), -9);
    EXPECT_EQ(VkeDrwCopyStrToClb(drw, nullptr, nullptr), -9);
    EXPECT_EQ(VkeDrwFreeClbStr(drw, nullptr), -9);
}

TEST_F(Clb, EmptyOrOddContents)
{
    int text = -1, image = -1;
    VkeDrwIsExistClbStr(drw, &text);
    VkeDrwIsExistClbDIB(drw, &image);
    EXPECT_EQ(text + image, 0);
    char* got = reinterpret_cast<char*>(1);
    EXPECT_EQ(VkeDrwCopyClbToStr(drw, nullptr, &got), -12);
    EXPECT_EQ(got, nullptr);
    Image r = Read();
    EXPECT_EQ(r.rc, -12);
    EXPECT_EQ(r.bitmap, nullptr);
    EXPECT_EQ(r.type + r.xRes + r.yRes, 0);
    EXPECT_EQ(Traced(), 0);

    // Another program's text without a terminator. Wine ends such a block itself (its last byte
    // becomes 0); Windows hands it over as it is. Either way the copy ends within the block.
    Put(CF_TEXT, "ABCD", 4);
    ASSERT_EQ(VkeDrwCopyClbToStr(drw, nullptr, &got), 0);
    EXPECT_GE(strlen(got), 3u);
    EXPECT_EQ(std::string("ABCD", strlen(got)), got);
    VkeDrwFreeClbStr(drw, &got);

    // Packed DIBs whose header lies, or whose block is too short.
    BITMAPINFOHEADER fine = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> good(sizeof(fine) + 48, 0x40);
    struct Row {
        DWORD size, colours;
        size_t bytes;
    } rows[] = {{4000, 0, good.size()}, {40, 300, good.size()}, {40, 0, good.size() - 9}, {40, 0, 20}};
    for (const Row& row : rows) {
        BITMAPINFOHEADER h = fine;
        h.biSize = row.size;
        h.biClrUsed = row.colours;
        h.biBitCount = static_cast<WORD>(row.colours ? 8 : 24);
        memcpy(good.data(), &h, sizeof(h));
        Put(CF_DIB, good.data(), row.bytes);
        r = Read();
        EXPECT_EQ(r.rc, -9) << row.size << " " << row.colours << " " << row.bytes;
        EXPECT_EQ(r.bitmap, nullptr);
    }
    EXPECT_EQ(VkeDrwCopyClbToStr(drw, nullptr, &got), -12); // an image where text is asked for
}

TEST_F(Clb, ImagesOfEveryBitCount)
{
    struct Row {
        int bits, onClb;
    } rows[] = {{1, 1}, {4, 4}, {8, 8}, {16, 24}, {24, 24}, {32, 24}};
    std::vector<RGBQUAD> table(256);
    for (int i = 0; i < 256; ++i) table[i] = {static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 7, 0};
    for (const Row& row : rows) {
        HBITMAP src = VktMakeDIB(9, 5, row.bits, table);
        VktDIB d(src);
        // Values every depth holds exactly: indices, or full and empty 5-bit components.
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 9; ++x)
                d.SetRaw(x, y, row.bits <= 8 ? (x + y) % (1 << (row.bits < 8 ? row.bits : 8))
                                             : (row.bits == 16 ? 0x7C1F * ((x + y) % 2) : 0x10203 * (x + 3 * y)));
        ASSERT_EQ(VkeDrwCopyDIBToClb(drw, env->Window(), src), 0) << row.bits;
        RGBQUAD onClb[256];
        EXPECT_EQ(ClbHeader(onClb).biBitCount, row.onClb) << row.bits;
        EXPECT_TRUE(row.bits != 8 || memcmp(onClb, table.data(), sizeof(onClb)) == 0);
        Image r = Read();
        ASSERT_EQ(r.rc, 0) << row.bits;
        EXPECT_EQ(r.type, 2);
        VktDIB back(r.bitmap);
        EXPECT_EQ(back.bits, row.onClb);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 9; ++x) ASSERT_EQ(back.Rgb(x, y), d.Rgb(x, y)) << row.bits << " " << x << "," << y;
        EXPECT_EQ(VkeDrwFreeClbDIB(drw, &r.bitmap), 0);
        EXPECT_EQ(r.bitmap, nullptr);
        DeleteObject(src);
    }
    Image set = {0, VktMakeDIB(1, 1, 24), 0, 0, 0};
    EXPECT_EQ(VkeDrwCopyClbToDIB(drw, nullptr, &set.bitmap, &set.type, &set.xRes, &set.yRes), -7);
    EXPECT_TRUE(VktIsBitmap(set.bitmap));
    DeleteObject(set.bitmap);
    EXPECT_EQ(VkeDrwCopyDIBToClb(drw, nullptr, nullptr), -9);
}

TEST_F(Clb, DrawMemoriesAndWhatOtherProgramsLeave)
{
    Drm* drm = nullptr;
    ASSERT_EQ(VkeDrwAllocDrm(drw, &drm), 0);
    EXPECT_EQ(VkeDrwCopyDrmToClb(drw, nullptr, drm), -7); // nothing attached
    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 30, 20, 24), 0);
    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 12, 8, 24), 0); // the used part of a larger DIB
    PatBlt(drm->hDC, 0, 0, 30, 20, DSTINVERT);
    ASSERT_EQ(VkeDrwCopyDrmToClbWithColor(drw, nullptr, drm, RGB(255, 0, 0)), 0);
    EXPECT_EQ(GetCurrentObject(drm->hDC, OBJ_BITMAP), drm->hDIB); // back in its DC
    Drm* into = nullptr;
    ASSERT_EQ(VkeDrwAllocDrm(drw, &into), 0);
    int type = 0;
    float xr = -1, yr = -1;
    ASSERT_EQ(VkeDrwCopyClbToDrm(drw, nullptr, into, &type, &xr, &yr), 0);
    EXPECT_EQ(into->iDIBWidth, 12);
    EXPECT_EQ(into->iDIBHeight, 8);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(GetPixel(into->hDC, 3, 3), RGB(255, 255, 255));
    VkeDrwFreeDrm(drw, &into);
    VkeDrwFreeDrm(drw, &drm);

    // A device-dependent bitmap alone: resolutions 0, type 2.
    DWORD red[24];
    for (DWORD& p : red) p = 0xFF0000;
    Put(CF_BITMAP, CreateBitmap(6, 4, 1, 32, red), 0);
    Image r = Read();
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(r.type, 2);
    EXPECT_EQ(r.xRes + r.yRes, 0);
    EXPECT_EQ(VktDIB(r.bitmap).Rgb(5, 3), 0xFF0000u);
    DeleteObject(r.bitmap);

    // A 124-byte header alone, top-down 32-bit rows with masks.
    DWORD v5[31 + 2] = {124, 1, static_cast<DWORD>(-2), 1 | 32 << 16, BI_BITFIELDS, 0, 3780, 3780, 0, 0,
                        0xFF0000, 0xFF00, 0xFF};
    v5[31] = 0x112233;
    v5[32] = 0x445566;
    Put(CF_DIBV5, v5, sizeof(v5));
    r = Read();
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(VktDIB(r.bitmap).Rgb(0, 0), 0x112233u);
    EXPECT_EQ(VktDIB(r.bitmap).Rgb(0, 1), 0x445566u);
    DeleteObject(r.bitmap);
}

TEST_F(Clb, BusyClipboardIsRetriedThenGivesUp)
{
    HBITMAP src = VktMakeDIB(16, 16, 32);
    int heap = HeapBlocks();
    {
        Holder hold(2500);
        DWORD start = GetTickCount();
        EXPECT_EQ(VkeDrwCopyDIBToClb(drw, nullptr, src), -8);
        EXPECT_GE(GetTickCount() - start, 1700u);
    }
    EXPECT_EQ(HeapBlocks(), heap); // the packed block made for the clipboard is gone again
    {
        Holder hold(500);
        EXPECT_EQ(VkeDrwCopyStrToClb(drw, nullptr, "retried"), 0);
    }
    char* got = nullptr;
    ASSERT_EQ(VkeDrwCopyClbToStr(drw, nullptr, &got), 0);
    EXPECT_STREQ(got, "retried");
    VkeDrwFreeClbStr(drw, &got);
    DeleteObject(src);
}

TEST_F(Clb, FailedCallsLeaveNothingBehind)
{
    HBITMAP src = VktMakeDIB(8, 8, 24);
    ASSERT_EQ(VkeDrwCopyDIBToClb(drw, nullptr, src), 0);
    Drm broken = {}; // no DC: nothing can be attached to it
    BITMAPINFOHEADER lying = {4000, 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    DWORD gdi = VktGdiObjects();
    int heap = HeapBlocks();
    int type = 0;
    float xr = 0, yr = 0;
    for (int i = 0; i < 500; ++i) ASSERT_EQ(VkeDrwCopyClbToDrm(drw, nullptr, &broken, &type, &xr, &yr), -9);
    Put(CF_DIB, &lying, sizeof(lying));
    for (int i = 0; i < 500; ++i) ASSERT_EQ(Read().rc, -9);
    EXPECT_EQ(VktGdiObjects(), gdi);
    EXPECT_LT(HeapBlocks(), heap + 50);
    DeleteObject(src);
}
