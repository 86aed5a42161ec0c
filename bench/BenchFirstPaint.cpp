// Images opened from the command line, timed to what the user sees: Pictavo.exe started with a
// 6000 x 4000 JPEG until its page's drawing area has painted the image, against the start-up
// without a file plus the bare VkeDrwOpenImage of the file in this process. Then 50 JPEGs of
// 6 MP in one command line until 50 tabs stand, against the start-up plus 50 bare opens, and the
// program's working set then against the bitmaps' bytes. Medians of 3, each with its range.
//
//   scripts/bench BenchFirstPaint
#include "BenchProgram.h"
#include <algorithm>
#include <vector>

namespace {

const int kRuns = 3;
const int kFiles = 50;

// What a run waits for: the frame idle and painted; the page's drawing area painted; or that many tabs with the frame enabled again (the progress dialog gone).
struct Goal {
    bool page;
    int tabs;
    const char* file = ""; // the page's file name, which the frame's title then shows
};

// The frame's title holds the name.
bool TitleNames(HWND frame, const char* name)
{
    char title[1024] = {};
    GetWindowTextA(frame, title, sizeof(title));
    return strstr(title, name) != nullptr;
}

bool Reached(HWND frame, HANDLE process, const Goal& goal, BenchSeen* seen)
{
    if (goal.page) {
        // The frame names the file (the page has read it), the page's drawing area shows and
        // nothing waits to be painted, before and after a message sent to the area is answered
        // (the program answers between its steps: a paint under way, or the image laid out
        // after the title changed, has ended then). (Wine's screen DC answers no pixel of
        // another process's window to poll.) The area is made before the file is read, blank,
        // and hidden while its image is laid out: neither counts. The platform's input-idle
        // state alone does not tell: it stays set once the program has waited for messages.
        HWND area = seen->Area(frame);
        auto painted = [&] {
            return IsWindowVisible(area) && TitleNames(frame, goal.file) && !GetUpdateRect(frame, nullptr, FALSE) &&
                   !GetUpdateRect(area, nullptr, FALSE);
        };
        DWORD_PTR answer = 0;
        return area && painted() && SendMessageTimeoutA(area, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer) &&
               painted() && WaitForInputIdle(process, 0) == 0;
    }
    if (goal.tabs) return BenchTabsStand(frame, process, goal.tabs, seen);
    return WaitForInputIdle(process, 0) == 0 && !GetUpdateRect(frame, nullptr, FALSE);
}

// Seconds from the process's start to the goal (-1 on failure); the working set then in *mb.
double RunOnce(const BenchCopy& copy, const std::string& args, const Goal& goal, double* mb = nullptr)
{
    BenchSeen seen;
    auto reached = [&goal, &seen](HWND frame, HANDLE process) { return Reached(frame, process, goal, &seen); };
    return BenchRunProgram(copy, args, 120, reached, mb);
}

// Seconds of one bare open and close; the bitmap's bytes in *bytes.
double OpenOnce(VkiDrw* drw, const std::string& path, double* bytes = nullptr)
{
    HBITMAP bitmap = nullptr;
    int type = 0, known = 0;
    float xr = 0, yr = 0;
    double start = BenchNow();
    int rc = VkeDrwOpenImage(drw, path.c_str(), &bitmap, &type, &xr, &yr, &known);
    double took = BenchNow() - start;
    if (rc != 0) return -1;
    DIBSECTION ds = {};
    GetObjectA(bitmap, sizeof(ds), &ds);
    if (bytes) *bytes = static_cast<double>(ds.dsBm.bmWidthBytes) * ds.dsBm.bmHeight;
    VkeDrwCloseImage(drw, &bitmap);
    return took;
}

std::string Quoted(const std::string& path) { return " \"" + path + "\""; }

// Seconds of one bare open of each file (-1 when one fails); the bitmaps' bytes in *bytes.
double OpenAll(VkiDrw* drw, const std::vector<std::string>& files, double* bytes)
{
    double sum = 0;
    *bytes = 0;
    for (const std::string& f : files) {
        double b = 0, t = OpenOnce(drw, f, &b);
        if (t < 0) {
            fprintf(stderr, "%s cannot be opened\n", f.c_str());
            return -1;
        }
        sum += t;
        *bytes += b;
    }
    return sum;
}

bool AnyFailed(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()) < 0; }

} // namespace

int main()
{
    BenchEngine engine;
    if (!engine.drw) return 1;
    BenchCopy copy;
    std::string big = BenchBeside("big.jpg");
    if (OpenOnce(engine.drw, big) < 0) {
        fprintf(stderr, "%s cannot be opened\n", big.c_str());
        return 1;
    }
    RunOnce(copy, "", Goal{false, 0}); // the first start of a session also loads Wine's libraries
    std::vector<double> starts, paints, opens;
    for (int i = 0; i < kRuns; ++i) {
        starts.push_back(RunOnce(copy, "", Goal{false, 0}));
        paints.push_back(RunOnce(copy, Quoted(big), Goal{true, 0, "big.jpg"}));
        opens.push_back(OpenOnce(engine.drw, big));
    }
    if (AnyFailed(paints) || AnyFailed(starts) || AnyFailed(opens)) {
        fprintf(stderr, "the program did not show the image\n");
        return 1;
    }
    double s = BenchMedian(starts), p = BenchMedian(paints), o = BenchMedian(opens);
    printf("start-up without a file:                %s\n", BenchSpread(starts).c_str());
    printf("first paint of a 6000 x 4000 JPEG:      %s\n", BenchSpread(paints).c_str());
    printf("bare VkeDrwOpenImage of it:             %s\n", BenchSpread(opens).c_str());
    printf("first paint / (start-up + bare open):   %.2f x (at most 1.15)\n", p / (s + o));

    std::string args;
    std::vector<std::string> files;
    for (int i = 1; i <= kFiles; ++i) {
        char name[32];
        snprintf(name, sizeof(name), "Tmn\\tmn%02d.jpg", i);
        files.push_back(BenchBeside(name));
        args += Quoted(files.back());
    }
    std::vector<double> bares, alls;
    double bytes = 0, mb = 0;
    for (int i = 0; i < kRuns; ++i) {
        bares.push_back(OpenAll(engine.drw, files, &bytes));
        if (bares.back() < 0) return 1;
        alls.push_back(RunOnce(copy, args, Goal{false, kFiles}, &mb));
    }
    if (AnyFailed(alls)) {
        fprintf(stderr, "the program did not open the %d files\n", kFiles);
        return 1;
    }
    double all = BenchMedian(alls), bare = BenchMedian(bares);
    double bitmaps = bytes / (1024.0 * 1024.0);
    printf("%d files of 6 MP to %d tabs:             %s\n", kFiles, kFiles, BenchSpread(alls).c_str());
    printf("%d bare opens:                          %s\n", kFiles, BenchSpread(bares).c_str());
    printf("%d files / (start-up + bare opens):     %.2f x (at most 1.15)\n", kFiles, all / (s + bare));
    printf("working set %.0f MB, bitmaps %.0f MB:     %.2f x (at most 1.2)\n", mb, bitmaps,
           bitmaps > 0 ? mb / bitmaps : 0.0);
    BenchTarget("first paint of a 6000 x 4000 JPEG / (start-up + bare open)", p / (s + o), 1.15, "x");
    char what[96];
    snprintf(what, sizeof(what), "%d files of 6 MP to %d tabs / (start-up + %d bare opens)", kFiles, kFiles, kFiles);
    BenchTarget(what, all / (s + bare), 1.15, "x");
    snprintf(what, sizeof(what), "working set of %d pages / their bitmaps", kFiles);
    BenchTarget(what, bitmaps > 0 ? mb / bitmaps : 0.0, 1.2, "x");
    return 0;
}
