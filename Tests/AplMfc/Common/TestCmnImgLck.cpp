// The image service's lock: recursive per thread, refused to non-owners, shared by plain threads,
// framework workers and the user-interface thread, which keeps answering sent messages while it
// waits.
#include "TestAplCmn.h"
#include <atomic>

namespace {

std::atomic<int> g_sunk{0};

LRESULT CALLBACK SinkProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP) return DefWindowProcA(wnd, message, wParam, lParam);
    ++g_sunk;
    return 1;
}

// A window of the calling thread that counts the WM_APP messages sent to it.
class Sink {
public:
    Sink()
    {
        static const ATOM cls = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = SinkProc;
            wc.lpszClassName = "TestAplCmnSink";
            return RegisterClassA(&wc);
        }();
        wnd = cls ? CreateWindowExA(0, "TestAplCmnSink", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)
                  : nullptr;
    }
    ~Sink() { DestroyWindow(wnd); }
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;
    HWND wnd;
};

// Waits for a thread to end, answering the messages other threads send this one meanwhile.
void Join(HANDLE thread)
{
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// A thread of the framework (auto-delete off, so it can be joined).
class Worker {
public:
    Worker(AFX_THREADPROC proc, void* param)
    {
        thread = AfxBeginThread(proc, param, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        if (!thread) return;
        thread->m_bAutoDelete = FALSE;
        thread->ResumeThread();
    }
    ~Worker()
    {
        Join(thread->m_hThread);
        delete thread;
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;
    CWinThread* thread;
};

// A plain thread of the platform.
class Plain {
public:
    Plain(LPTHREAD_START_ROUTINE proc, void* param) : handle(CreateThread(nullptr, 0, proc, param, 0, nullptr)) {}
    ~Plain()
    {
        Join(handle);
        CloseHandle(handle);
    }
    Plain(const Plain&) = delete;
    Plain& operator=(const Plain&) = delete;
    HANDLE handle;
};

struct Event {
    Event() : h(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { CloseHandle(h); }
    bool Wait(DWORD ms) const { return WaitForSingleObject(h, ms) == WAIT_OBJECT_0; }
    HANDLE h;
};

struct HolderArgs {
    HWND sink;
    Event held, go;
};

DWORD WINAPI HoldAndSend(LPVOID param)
{
    HolderArgs* a = static_cast<HolderArgs*>(param);
    theCmnImg.LockCache(0);
    SetEvent(a->held.h);
    a->go.Wait(INFINITE);
    SendMessageA(a->sink, WM_APP, 0, 0);
    theCmnImg.UnlockCache(0);
    return 0;
}

// Two threads in turn: the first holds the lock until it is let go; the second takes it.
struct Pair {
    Event held, release;
    std::atomic<bool> secondGot{false};
    bool firstSaw = true;
};

void HoldFirst(Pair* p)
{
    theCmnImg.LockCache(0);
    SetEvent(p->held.h);
    p->release.Wait(10000);
    p->firstSaw = p->secondGot;
    theCmnImg.UnlockCache(0);
}

void TakeSecond(Pair* p)
{
    p->held.Wait(10000);
    theCmnImg.LockCache(0);
    p->secondGot = true;
    theCmnImg.UnlockCache(0);
}

DWORD WINAPI PlainFirst(LPVOID p) { return HoldFirst(static_cast<Pair*>(p)), 0; }
DWORD WINAPI PlainSecond(LPVOID p) { return TakeSecond(static_cast<Pair*>(p)), 0; }
UINT WorkerFirst(LPVOID p) { return HoldFirst(static_cast<Pair*>(p)), 0; }
UINT WorkerSecond(LPVOID p) { return TakeSecond(static_cast<Pair*>(p)), 0; }

// One open of a thumbnail: sends the user-interface thread's window a message while the
// thumbnail is held (with mode 0 while the lock is held too), and checks that it is still whole
// and still counted, whatever the other threads did to the cache meanwhile. False on any fault.
bool UseThumbnail(LPCITEMIDLIST item, int mode, HWND sink)
{
    if (mode == 0) theCmnImg.LockCache(0);
    HBITMAP image = nullptr;
    int width = 0, height = 0, cached = 0;
    bool ok = theCmnImg.OpenTmnImage(item, mode, nullptr, &image, &width, &height, &cached) == 0;
    SendMessageA(sink, WM_APP, 0, 0);
    Sleep(0);
    CmnImgLock hold(theCmnImg, mode == 1);
    BITMAP bm = {};
    ok = ok && GetObjectA(image, sizeof(bm), &bm) == sizeof(bm) && bm.bmWidth == width && bm.bmHeight == height;
    CmnImgElm* e = nullptr;
    if (ok && cached) ok = theCmnImg.SchCmnImgElmByHdl(0, image, &e) == 0 && e->iCntUse > 0;
    ok = theCmnImg.CloseTmnImage(0, &image) == 0 && ok;
    if (mode == 0) theCmnImg.UnlockCache(0);
    return ok;
}

struct Share {
    Items* items;
    HWND sink;
    int seed;
    std::atomic<int>* faults;
};

UINT ShareCache(LPVOID param)
{
    Share* s = static_cast<Share*>(param);
    const int n = static_cast<int>(s->items->lists.size());
    for (int i = 0; i < 200; ++i)
        if (!UseThumbnail(s->items->lists[(s->seed + i * 7) % n], i % 2, s->sink)) ++*s->faults;
    return 0;
}

// A thumbnail opened on a thread of its own, which has a window that counts what is sent to it.
struct Aside {
    CmnImg* img = &theCmnImg;
    std::string path;
    HWND sink = nullptr;
    Event ready;
    std::atomic<bool> done{false};
    HBITMAP image = nullptr;
    int rc = -1, cached = 0;
};

DWORD WINAPI OpenAside(LPVOID param)
{
    Aside* a = static_cast<Aside*>(param);
    Sink sink;
    a->sink = sink.wnd;
    SetEvent(a->ready.h);
    int width = 0, height = 0;
    a->rc = a->img->OpenTmnImage(a->path.c_str(), 1, nullptr, &a->image, &width, &height, &a->cached);
    a->done = true;
    return 0;
}

// An image service of its own that tells when a thread other than the one that made it gives the
// lock back the first time (after a miss's look into the cache, before the file is read), and
// holds that thread there until the lock is taken again.
class LookedImg : public CmnImg {
public:
    Event looked, retaken;
    void UnlockCache(int index) override
    {
        const bool other = GetCurrentThreadId() != m_maker;
        CmnImg::UnlockCache(index);
        if (other && !m_told.exchange(true)) {
            SetEvent(looked.h);
            retaken.Wait(10000);
        }
    }

private:
    const DWORD m_maker = GetCurrentThreadId();
    std::atomic<bool> m_told{false};
};

// Whether the thread of the window took a message sent to it: it does so only where it waits
// for the lock (or once it has ended).
bool Answered(HWND wnd)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(wnd, WM_APP, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
}

} // namespace

bool WaitedForLock(const std::function<void()>& call)
{
    Sink sink;
    HolderArgs args;
    args.sink = sink.wnd;
    HANDLE thread = CreateThread(nullptr, 0, HoldAndSend, &args, 0, nullptr);
    args.held.Wait(INFINITE);
    const int before = g_sunk;
    SetEvent(args.go.h);
    call();
    const bool waited = g_sunk != before;
    Join(thread);
    CloseHandle(thread);
    return waited;
}

TEST_F(ImgTest, TheOwnerTakesTheLockTwiceAndOthersWaitForTheSecondRelease)
{
    EXPECT_EQ(theCmnImg.IsLocked(0), 0);
    theCmnImg.LockCache(0);
    theCmnImg.LockCache(0);
    EXPECT_EQ(theCmnImg.IsLocked(0), 1);
    EXPECT_EQ(theCmnImg.IsLocked(0), 1) << "asking takes nothing";
    // A thread the framework did not start is another thread, not the owner.
    Event got;
    Plain other(
        [](LPVOID p) -> DWORD {
            theCmnImg.LockCache(0);
            SetEvent(static_cast<Event*>(p)->h);
            theCmnImg.UnlockCache(0);
            return 0;
        },
        &got);
    theCmnImg.UnlockCache(0);
    EXPECT_FALSE(got.Wait(100));
    EXPECT_EQ(theCmnImg.IsLocked(0), 1);
    theCmnImg.UnlockCache(0);
    EXPECT_TRUE(got.Wait(10000));
    Join(other.handle);
    EXPECT_EQ(theCmnImg.IsLocked(0), 0);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(ImgTest, ATryTakesAFreeLockOnlyAndTheUserInterfaceThreadGoesFirst)
{
    EXPECT_EQ(theCmnImg.TryLockCache(0), 1);
    EXPECT_EQ(theCmnImg.TryLockCache(0), 1) << "the owner, once more";
    theCmnImg.UnlockCache(0);
    theCmnImg.UnlockCache(0);
    EXPECT_EQ(theCmnImg.IsLocked(0), 0);
    // Held by another thread: the try fails at once. This thread then waits for it; a third
    // thread that asks while this one waits (it has answered a message the third sent it) gets it
    // only after this one.
    Pair first;
    Plain holder(PlainFirst, &first);
    ASSERT_TRUE(first.held.Wait(10000));
    EXPECT_EQ(theCmnImg.TryLockCache(0), 0);
    struct Third {
        HWND waiter;
        Event asking;
        std::atomic<bool> got{false};
        Pair* first;
    };
    Sink sink;
    Third t;
    t.waiter = sink.wnd;
    t.first = &first;
    std::atomic<bool>& thirdGot = t.got;
    Plain third(
        [](LPVOID p) -> DWORD {
            Third* t = static_cast<Third*>(p);
            SendMessageA(t->waiter, WM_APP, 0, 0); // answered once this thread waits
            SetEvent(t->asking.h);
            theCmnImg.LockCache(0);
            t->got = true;
            theCmnImg.UnlockCache(0);
            return 0;
        },
        &t);
    Plain releaser(
        [](LPVOID p) -> DWORD {
            Third* t = static_cast<Third*>(p);
            t->asking.Wait(10000);
            Sleep(50); // the third is in its own wait by then, or will ask after the first
            SetEvent(t->first->release.h);
            return 0;
        },
        &t);
    theCmnImg.LockCache(0);
    EXPECT_FALSE(thirdGot);
    theCmnImg.UnlockCache(0);
    Join(third.handle);
    EXPECT_TRUE(thirdGot);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(ImgTest, ANonOwnersReleaseIsRefusedAndTraced)
{
    theCmnImg.LockCache(0);
    Plain other(
        [](LPVOID) -> DWORD {
            theCmnImg.UnlockCache(0);
            return 0;
        },
        nullptr);
    Join(other.handle);
    ASSERT_EQ(Traced(), 1u);
    EXPECT_EQ(frame->traces[0], "UnlockCache");
    EXPECT_EQ(theCmnImg.IsLocked(0), 1);
    theCmnImg.UnlockCache(0);
    EXPECT_EQ(theCmnImg.IsLocked(0), 0);
    theCmnImg.UnlockCache(0); // free already: this thread owns nothing
    theCmnImg.LockCache(1);
    EXPECT_EQ(theCmnImg.IsLocked(1), 0);
    EXPECT_EQ(theCmnImg.IsLocked(0), 0);
    EXPECT_EQ(theCmnImg.GetCacheCount(1), 0);
    const std::vector<std::string> expected = {"UnlockCache", "UnlockCache", "LockCache", "IsLocked", "GetCacheCount"};
    EXPECT_EQ(Traced(), expected.size());
    EXPECT_EQ(frame->traces, expected);
}

TEST_F(ImgTest, APlainThreadAndAFrameworkWorkerExcludeEachOther)
{
    for (bool plainFirst : {true, false}) {
        SCOPED_TRACE(plainFirst ? "plain thread first" : "framework worker first");
        Pair pair;
        {
            Plain plain(plainFirst ? PlainFirst : PlainSecond, &pair);
            Worker worker(plainFirst ? WorkerSecond : WorkerFirst, &pair);
            ASSERT_NE(worker.thread, nullptr);
            ASSERT_TRUE(pair.held.Wait(10000));
            Sleep(50);
            EXPECT_FALSE(pair.secondGot);
            SetEvent(pair.release.h);
        }
        EXPECT_FALSE(pair.firstSaw);
        EXPECT_TRUE(pair.secondGot);
    }
    EXPECT_EQ(theCmnImg.IsLocked(0), 0);
}

TEST_F(ImgTest, ThreadsShareTheCacheWithoutDeadlockOrEvictingWhatIsInUse)
{
    VktTempDir dir;
    Items items(dir, Data("blocks.png"), 40);
    theCmnAppInf.iCntImgCacTmn = 20;
    Sink sink;
    std::atomic<int> faults{0};
    Share a = {&items, sink.wnd, 0, &faults}, b = {&items, sink.wnd, 3, &faults};
    const int before = g_sunk;
    {
        Worker first(ShareCache, &a), second(ShareCache, &b);
        // This thread, meanwhile, waits for the lock while the workers send it messages holding it.
        for (int i = 0; i < 200; ++i) {
            if (!UseThumbnail(items.lists[(i * 11) % 40], 1, sink.wnd)) ++faults;
            if (i % 50 == 49) {
                EXPECT_EQ(theCmnImg.ClearCache(0), 0);
            }
        }
    }
    EXPECT_EQ(faults, 0);
    EXPECT_EQ(g_sunk - before, 600);
    EXPECT_LE(theCmnImg.GetCacheCount(0), 20);
    for (int i = 1; i <= theCmnImg.GetCacheCount(0); ++i) {
        CmnImgElm* e = nullptr;
        ASSERT_EQ(theCmnImg.SchCmnImgElm(0, i, &e), 0);
        EXPECT_EQ(e->iCntUse, 0) << i;
        EXPECT_EQ(e->bStale, 0) << i;
    }
    EXPECT_EQ(theCmnImg.IsLocked(0), 0);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(ImgTest, AJpegIsDecodedWithoutTheLockWhileHitsAnswer)
{
    VktTempDir dir;
    const std::string photo = dir / "写真.jpg";
    ASSERT_TRUE(CopyFileA(TmnData("red.jpg").c_str(), photo.c_str(), FALSE));
    LookedImg img;
    ASSERT_EQ(img.Init(), 0);
    // Another thumbnail, cached.
    const std::string other = Data("blocks.png");
    HBITMAP hit = nullptr;
    int width = 0, height = 0, cached = 0;
    ASSERT_EQ(img.OpenTmnImage(other.c_str(), 1, nullptr, &hit, &width, &height, &cached), 0);
    EXPECT_EQ(img.CloseTmnImage(1, &hit), 0);

    img.LockCache(0);
    Aside a;
    a.img = &img;
    a.path = photo;
    HANDLE thread = CreateThread(nullptr, 0, OpenAside, &a, 0, nullptr);
    EXPECT_TRUE(a.ready.Wait(10000));
    EXPECT_TRUE(Answered(a.sink)); // it waits to look into the cache
    // Once the lock is free the thread looks (a miss) and gives the lock back to read and decode
    // the file; this one takes it again meanwhile.
    img.UnlockCache(0);
    EXPECT_TRUE(img.looked.Wait(10000));
    img.LockCache(0);
    SetEvent(img.retaken.h);
    EXPECT_FALSE(a.done);
    // A hit answers meanwhile.
    EXPECT_EQ(img.OpenTmnImage(other.c_str(), 1, nullptr, &hit, &width, &height, &cached), 0);
    EXPECT_EQ(cached, 1);
    EXPECT_EQ(img.CloseTmnImage(1, &hit), 0);
    // The decode is over when the thread waits for the lock again, to stretch and cache: the file
    // changed now is not what its thumbnail shows.
    EXPECT_TRUE(Answered(a.sink));
    EXPECT_FALSE(a.done);
    EXPECT_TRUE(CopyFileA(TmnData("blue.jpg").c_str(), photo.c_str(), FALSE));
    img.UnlockCache(0);
    Join(thread);
    CloseHandle(thread);
    ASSERT_EQ(a.rc, 0);
    EXPECT_EQ(a.cached, 1);
    BITMAP bm = {};
    ASSERT_EQ(GetObjectA(a.image, sizeof(bm), &bm), int(sizeof(bm)));
    const COLORREF centre = [&] {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, a.image);
        COLORREF c = GetPixel(dc, bm.bmWidth / 2, bm.bmHeight / 2);
        SelectObject(dc, old);
        DeleteDC(dc);
        return c;
    }();
    EXPECT_GT(GetRValue(centre), 180) << std::hex << centre;
    EXPECT_LT(GetBValue(centre), 80) << std::hex << centre;
    EXPECT_EQ(img.CloseTmnImage(1, &a.image), 0);
    EXPECT_EQ(img.IsLocked(0), 0);
    EXPECT_EQ(Traced(), 0u);
}
