// The image service's opens on worker threads: the same image and the same results and reports as
// the open on the calling thread, the messages other threads send answered while it waits, the
// decodes in their order, a file named next taken when unchanged and decoded again when changed,
// and what is not taken closed when dropped.
#include "TestAplCmn.h"
#include <atomic>

namespace {

std::atomic<int> g_answered{0};
std::atomic<int> g_lockedMeanwhile{0};

// Counts the WM_APP messages it takes; each time, whether another thread held the lock then
// (this thread cannot take it at once).
LRESULT CALLBACK AnswerProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP) return DefWindowProcA(wnd, message, wParam, lParam);
    ++g_answered;
    if (theCmnImg.TryLockCache(0)) theCmnImg.UnlockCache(0);
    else ++g_lockedMeanwhile;
    return 1;
}

class Answerer {
public:
    Answerer()
    {
        static const ATOM cls = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = AnswerProc;
            wc.lpszClassName = "TestCmnImgOpnAnswerer";
            return RegisterClassA(&wc);
        }();
        wnd = cls ? CreateWindowExA(0, "TestCmnImgOpnAnswerer", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                    nullptr)
                  : nullptr;
    }
    ~Answerer() { DestroyWindow(wnd); }
    Answerer(const Answerer&) = delete;
    Answerer& operator=(const Answerer&) = delete;
    HWND wnd;
};

// What an open gave: its result and outputs, and the image's header and bits.
struct Opened {
    int rc = 99, type = -1, known = -1;
    float xRes = -1, yRes = -1;
    int width = 0, height = 0, bits = 0;
    std::string pixels;
    bool operator==(const Opened& o) const
    {
        return rc == o.rc && type == o.type && known == o.known && xRes == o.xRes && yRes == o.yRes &&
               width == o.width && height == o.height && bits == o.bits && pixels == o.pixels;
    }
};

// Takes the image (closed here) into the record.
Opened Keep(int rc, HBITMAP* image, int type, int known, float xRes, float yRes)
{
    Opened o;
    o.rc = rc;
    o.type = type;
    o.known = known;
    o.xRes = xRes;
    o.yRes = yRes;
    DIBSECTION ds = {};
    if (*image && GetObjectA(*image, sizeof(ds), &ds) == sizeof(ds)) {
        o.width = ds.dsBm.bmWidth;
        o.height = ds.dsBm.bmHeight;
        o.bits = ds.dsBm.bmBitsPixel;
        o.pixels.assign(static_cast<const char*>(ds.dsBm.bmBits),
                        static_cast<size_t>(ds.dsBm.bmWidthBytes) * static_cast<size_t>(ds.dsBm.bmHeight));
    }
    theCmnImg.CloseImage(image);
    return o;
}

Opened OpenHere(const std::string& path)
{
    HBITMAP image = nullptr;
    int type = -1, known = -1;
    float xr = -1, yr = -1;
    int rc = theCmnImg.OpenImage(path.c_str(), &image, &type, &xr, &yr, &known);
    return Keep(rc, &image, type, known, xr, yr);
}

Opened OpenAnswering(const std::string& path)
{
    HBITMAP image = nullptr;
    int type = -1, known = -1;
    float xr = -1, yr = -1;
    int rc = theCmnImg.OpenImageAnswering(path.c_str(), &image, &type, &xr, &yr, &known);
    return Keep(rc, &image, type, known, xr, yr);
}

// Holds the lock from another thread until told, then sends the answerer a message and lets go.
struct Holder {
    HWND answerer = nullptr;
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = nullptr;
    DWORD_PTR answer = 0;
    explicit Holder(HWND wnd) : answerer(wnd)
    {
        thread = CreateThread(nullptr, 0, &Holder::Run, this, 0, nullptr);
        WaitForSingleObject(held, 10000);
    }
    ~Holder()
    {
        SetEvent(go);
        WaitForSingleObject(thread, 30000);
        CloseHandle(thread);
        CloseHandle(held);
        CloseHandle(go);
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    static DWORD WINAPI Run(void* p)
    {
        Holder* h = static_cast<Holder*>(p);
        theCmnImg.LockCache(0);
        SetEvent(h->held);
        WaitForSingleObject(h->go, INFINITE);
        SendMessageTimeoutA(h->answerer, WM_APP, 0, 0, SMTO_NORMAL, 10000, &h->answer);
        theCmnImg.UnlockCache(0);
        return 0;
    }
};

// Opens a file with the file named next queued behind it, as a batch's page does.
Opened OpenWithNext(const std::string& path, const std::string& next)
{
    theCmnImg.SetNextOpenImage(next.c_str());
    EXPECT_EQ(theCmnImg.QueueOpenImage(path.c_str()), 0);
    theCmnImg.QueueNextOpenImage();
    return OpenAnswering(path);
}

} // namespace

TEST_F(ImgTest, AnOpenOnAWorkerGivesWhatTheOpenHereGivesWithTheSameReports)
{
    VktTempDir dir;
    const struct Row {
        const char* what;
        std::string path;
        bool traced;
    } rows[] = {
        {"JPEG", Data("blocks.jpg"), false},
        {"PNG with alpha", Data("alpha.png"), false},
        {"8-bit bitmap", Data("pal24.bmp"), false},
        {"GIF", Data("pal24.gif"), false},
        {"Shift-JIS name", Data("表ソ能ポ.png"), false},
        {"no image the codecs read (1)", Data("bad\\text.jpg"), false},
        {"missing", dir / "none.jpg", true},
        {"a folder", dir.Path(), true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ASSERT_EQ(Traced(), 0u);
        const Opened here = OpenHere(r.path);
        const std::vector<std::string> reports = frame->traces;
        EXPECT_EQ(reports.empty(), !r.traced);
        frame->traces.clear();
        const Opened worker = OpenAnswering(r.path);
        // The reports have reached the frame before the open returns, as the open's own do.
        EXPECT_EQ(frame->traces, reports);
        EXPECT_TRUE(worker == here) << "rc " << worker.rc << " / " << here.rc;
        EXPECT_EQ(Traced(), reports.size());
        frame->traces.clear();
    }
    EXPECT_EQ(theCmnImg.IsLocked(0), 0);
}

TEST_F(ImgTest, AnOpenOnAWorkerAnswersWhatOtherThreadsSendWithoutTheLock)
{
    Answerer answerer;
    const Opened expected = OpenHere(Data("blocks.jpg"));
    g_answered = g_lockedMeanwhile = 0;
    Opened got;
    {
        // The decode waits for the lock another thread holds; that thread sends this one a message
        // and lets go only once it is answered.
        Holder holder(answerer.wnd);
        SetEvent(holder.go);
        got = OpenAnswering(Data("blocks.jpg"));
        EXPECT_EQ(holder.answer, 1u);
    }
    EXPECT_EQ(g_answered, 1);
    EXPECT_EQ(g_lockedMeanwhile, 1) << "this thread did not hold the lock while it waited";
    EXPECT_TRUE(got == expected);
    EXPECT_EQ(theCmnImg.IsLocked(0), 0);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(ImgTest, AFileNamedNextIsDecodedAfterTheNextOneAndTakenOnlyAsItIsNow)
{
    VktTempDir dir;
    const std::string next = dir / "次.jpg";
    ASSERT_TRUE(CopyFileA(TmnData("red.jpg").c_str(), next.c_str(), FALSE));
    const Opened red = OpenHere(next);
    const Opened blocks = OpenHere(Data("blocks.jpg"));
    // Queued behind the open before it, decoded while its caller goes on, taken by its own open.
    EXPECT_TRUE(OpenWithNext(Data("blocks.jpg"), next) == blocks);
    EXPECT_TRUE(OpenAnswering(next) == red);
    // Changed after it was decoded ahead (another size and time): the open reads it again.
    EXPECT_TRUE(OpenWithNext(Data("blocks.jpg"), next) == blocks);
    ASSERT_TRUE(CopyFileA(Data("blocks.jpg").c_str(), next.c_str(), FALSE));
    EXPECT_TRUE(OpenAnswering(next) == blocks);
    // Named with other letter case: the same file.
    std::string upper = next;
    upper.replace(upper.size() - 3, 3, "JPG");
    EXPECT_TRUE(OpenWithNext(TmnData("red.jpg"), upper) == red);
    EXPECT_TRUE(OpenAnswering(next) == blocks);
    // Only a plain file is named next; a folder or a missing file is not decoded.
    EXPECT_TRUE(OpenWithNext(TmnData("red.jpg"), dir.Path()) == red);
    EXPECT_TRUE(OpenWithNext(next, dir / "none.jpg") == blocks);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(ImgTest, DecodesNotTakenAreClosedWhenDropped)
{
    const DWORD before = VktGdiObjects();
    // Queued, and named next and queued, never taken.
    theCmnImg.SetNextOpenImage(Data("blocks.png").c_str());
    ASSERT_EQ(theCmnImg.QueueOpenImage(Data("blocks.jpg").c_str()), 0);
    ASSERT_EQ(theCmnImg.QueueOpenImage(Data("blocks.jpg").c_str()), 0) << "queued once";
    theCmnImg.QueueNextOpenImage();
    theCmnImg.DropOpenImages(Data("blocks.jpg").c_str());
    theCmnImg.DropOpenImages();
    EXPECT_EQ(VktGdiObjects(), before);
    // A name next not queued yet is forgotten with them.
    theCmnImg.SetNextOpenImage(Data("blocks.png").c_str());
    theCmnImg.DropOpenImages();
    theCmnImg.QueueNextOpenImage();
    theCmnImg.DropOpenImages(Data("blocks.png").c_str());
    EXPECT_TRUE(OpenAnswering(Data("blocks.jpg")) == OpenHere(Data("blocks.jpg")));
    EXPECT_EQ(VktGdiObjects(), before);
    EXPECT_EQ(Traced(), 0u);
    // The end of the service drops what is left.
    theCmnImg.SetNextOpenImage(Data("blocks.png").c_str());
    ASSERT_EQ(theCmnImg.QueueOpenImage(Data("blocks.jpg").c_str()), 0);
    theCmnImg.QueueNextOpenImage();
    theCmnImg.Term();
    EXPECT_EQ(VktGdiObjects(), before);
}
