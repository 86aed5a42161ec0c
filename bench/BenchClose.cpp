// Closing pages, timed as the user meets it. Pictavo.exe is started with 200 JPEGs of 6 MP on
// the command line (the file-list benchmark's Jpg1000 folder) until 200 tabs stand, then File >
// "すべて閉じる" (45057) runs until no tab stands and the program is idle. Both times a second
// thread sends the frame a message every few milliseconds: the longest wait for an answer is how
// long the program did not answer. Beside the opening, the bare VkeDrwOpenImage (and close) of
// 20 of its files in this process right after it, per file: a page's time is that decode and the
// page's set-up. Then the exit with 13 pages of 6 MP (the thumbnail images): from the system
// menu's close, as Alt+F4 gives it, to the end of the process; median of 3.
//
//   scripts/bench BenchClose [pages]
#include "BenchProgram.h"
#include <stdlib.h>
#include <vector>

namespace {

const int kExitPages = 13;
const int kExitRuns = 3;
const UINT kCloseAll = 45057;

// Sends the frame WM_NULL over and over while it runs; the longest wait for an answer.
class Pinger {
public:
    explicit Pinger(HWND frame) : m_frame(frame)
    {
        m_thread = CreateThread(nullptr, 0, &Pinger::Run, this, 0, nullptr);
    }
    ~Pinger() { Stop(); }
    Pinger(const Pinger&) = delete;
    Pinger& operator=(const Pinger&) = delete;
    // Seconds of the longest wait.
    double Stop()
    {
        if (m_thread) {
            InterlockedExchange(&m_stop, 1);
            WaitForSingleObject(m_thread, INFINITE);
            CloseHandle(m_thread);
            m_thread = nullptr;
        }
        return m_longest;
    }

private:
    static DWORD WINAPI Run(void* p)
    {
        Pinger* self = static_cast<Pinger*>(p);
        while (!InterlockedCompareExchange(&self->m_stop, 0, 0)) {
            DWORD_PTR answer = 0;
            double start = BenchNow();
            if (!SendMessageTimeoutA(self->m_frame, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer)) break;
            double waited = BenchNow() - start;
            if (waited > self->m_longest) self->m_longest = waited;
            Sleep(5);
        }
        return 0;
    }

    HWND m_frame;
    HANDLE m_thread = nullptr;
    volatile LONG m_stop = 0;
    double m_longest = 0;
};

std::string Args(const char* format, int count)
{
    std::string args;
    for (int i = 1; i <= count; ++i) {
        char name[64];
        snprintf(name, sizeof(name), format, i);
        args += " \"" + BenchFullBeside(name) + "\"";
    }
    return args;
}

// Seconds of one bare open and close of every tenth of the pages' files (at most 20), per file;
// -1 when one fails.
double BareDecode(VkiDrw* drw, int pages)
{
    double sum = 0;
    int count = 0;
    for (int i = 1; i <= pages && count < 20; i += pages >= 200 ? 10 : 1, ++count) {
        char name[64];
        snprintf(name, sizeof(name), "List\\Jpg1000\\p%04d.jpg", i);
        double start = BenchNow();
        HBITMAP picture = BenchOpenPicture(drw, BenchFullBeside(name));
        if (!picture) return -1;
        VkeDrwCloseImage(drw, &picture);
        sum += BenchNow() - start;
    }
    return sum / count;
}

int TabCount(HWND frame, BenchSeen* seen)
{
    HWND tab = seen->Tab(frame);
    return tab ? static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)) : -1;
}

// The pages of a command line opened, then all closed by the command. Seconds of the opening and
// of the close, and the longest unanswered waits of each; false when a step did not happen.
struct CloseAllRun {
    double open = -1, openPing = 0, close = -1, closePing = 0;
};

bool RunCloseAll(const BenchCopy& copy, int pages, CloseAllRun* out)
{
    BenchProcess run(copy, Args("List\\Jpg1000\\p%04d.jpg", pages));
    BenchSeen seen;
    // The first page stands: the start-up is over, the batch of openings runs.
    if (run.WaitFor(run.Started(), 60, [&](HWND frame, HANDLE) { return TabCount(frame, &seen) > 0; }) < 0)
        return false;
    {
        Pinger ping(run.Frame());
        out->open = run.WaitFor(run.Started(), 30 + pages * 1.0, [&](HWND frame, HANDLE process) {
            return BenchTabsStand(frame, process, pages, &seen);
        });
        out->openPing = ping.Stop();
    }
    if (out->open < 0) return false;
    Pinger ping(run.Frame());
    double start = BenchNow();
    PostMessageA(run.Frame(), WM_COMMAND, kCloseAll, 0);
    out->close = run.WaitFor(start, 120, [&](HWND frame, HANDLE process) {
        return TabCount(frame, &seen) == 0 && WaitForInputIdle(process, 0) == 0;
    });
    out->closePing = ping.Stop();
    return out->close >= 0;
}

// Seconds from the system menu's close of a frame with that many pages to the process's end.
double RunExit(const BenchCopy& copy, int pages)
{
    BenchProcess run(copy, Args("Tmn\\tmn%02d.jpg", pages));
    BenchSeen seen;
    if (run.WaitFor(run.Started(), 120, [&](HWND frame, HANDLE process) {
            return BenchTabsStand(frame, process, pages, &seen);
        }) < 0)
        return -1;
    double start = BenchNow();
    PostMessageA(run.Frame(), WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(run.Process(), 30000) != WAIT_OBJECT_0) return -1;
    return BenchNow() - start;
}

} // namespace

int main(int argc, char** argv)
{
    const int pages = argc > 1 ? atoi(argv[1]) : 200;
    if (pages < 1 || pages > 1000) {
        fprintf(stderr, "usage: BenchClose [pages 1-1000]\n");
        return 2;
    }
    BenchEngine engine;
    if (!engine.drw) return 1;
    BenchCopy copy;
    // The first start of a session also loads Wine's libraries.
    BenchRunProgram(copy, "", 60, [](HWND frame, HANDLE process) {
        return WaitForInputIdle(process, 0) == 0 && !GetUpdateRect(frame, nullptr, FALSE);
    });
    std::vector<double> exits;
    for (int i = 0; i < kExitRuns; ++i) {
        exits.push_back(RunExit(copy, kExitPages));
        if (exits.back() < 0) {
            fprintf(stderr, "the program did not end after the close with %d pages\n", kExitPages);
            return 1;
        }
    }
    CloseAllRun all;
    if (!RunCloseAll(copy, pages, &all)) {
        fprintf(stderr, "the program did not open and close the %d pages\n", pages);
        return 1;
    }
    const double bare = BareDecode(engine.drw, pages);
    if (bare < 0) return 1;
    printf("exit with %d pages of 6 MP:                 %s\n", kExitPages, BenchSpread(exits).c_str());
    printf("%d pages of 6 MP opened from the command line: %.0f ms, %.0f ms a page, longest unanswered %.0f ms\n",
           pages, all.open * 1000, all.open * 1000 / pages, all.openPing * 1000);
    printf("bare VkeDrwOpenImage of its files, per file:   %.0f ms\n", bare * 1000);
    printf("close all (command %u) of the %d pages:     %.0f ms, longest unanswered %.0f ms\n", kCloseAll, pages,
           all.close * 1000, all.closePing * 1000);
    char what[96];
    snprintf(what, sizeof(what), "exit with %d pages, close to the process's end", kExitPages);
    BenchTarget(what, BenchMedian(exits) * 1000, 1000, "ms");
    snprintf(what, sizeof(what), "close all of %d pages", pages);
    BenchTarget(what, all.close * 1000, 2000.0 * pages / 200, "ms");
    snprintf(what, sizeof(what), "close all of %d pages, longest unanswered", pages);
    BenchTarget(what, all.closePing * 1000, 200, "ms");
    snprintf(what, sizeof(what), "open %d pages from the command line, a page", pages);
    BenchTarget(what, all.open * 1000 / pages, 200, "ms");
    snprintf(what, sizeof(what), "open %d pages from the command line, longest unanswered", pages);
    BenchTarget(what, all.openPing * 1000, 200, "ms");
    return 0;
}
