// A page's image changes timed to what the user sees: Pictavo.exe started with the 6000 x 4000
// JPEG fitted; the commands 32774 (turn by 90), 32777 (flip), 32773 (size conversion: the
// stored setting is 50 %, the dialog's OK posted to it), 57643 (undo of the conversion) and
// 57644 (its redo, then undone again untimed) given to the frame (sent, so that they return once
// handled; the dialog's OK posted, then the frame waited for), each timed until the program is
// idle with nothing of the drawing area left to paint. Against each: the bare engine call on the
// same picture in this process plus one snapshot (VkeDrwCopyDIB, the undo step; for the undo a
// copy of the converted image, which it keeps, and of the full-sized one, which it puts back; for
// the redo a copy of the converted one), plus a full redraw of
// the area (InvalidateRect) timed in the program (at most 1.3 x). Then a fresh start takes ten
// turns: its working set's growth beside ten bitmaps' bytes (at most 1.05 x). Medians of 3; a
// run that stops names the step that did not end.
//
//   scripts/bench BenchImageChange     (needs an X display)
#include "BenchProgram.h"
#include <functional>
#include <vector>

namespace {

const int kRuns = 3;
const UINT kTurn = 32774, kFlip = 32777, kConvert = 32773, kUndo = 57643, kRedo = 57644;

struct Times {
    std::vector<double> turn, flip, convert, undo, redo, redraw;
    bool done = false;
    const char* stopped = "the first painted page"; // the step that did not end
};

// What a timed step waited for last (said when it did not end).
const char* g_waited = "";

// Waits as BenchUntilQuiet does, saying what it waits for; seconds since start, -1 after 10 s.
double UntilQuiet(HANDLE process, HWND area, double start)
{
    g_waited = "the drawing area's update region to empty";
    while (GetUpdateRect(area, nullptr, FALSE)) {
        if (BenchNow() - start > 10) return -1;
        Sleep(0);
    }
    g_waited = "the drawing area's answer";
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(area, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer)) return -1;
    g_waited = "the program's idle";
    if (WaitForInputIdle(process, 10000) != 0) return -1;
    return BenchNow() - start;
}

// A command sent to the frame (it returns once handled), timed until quiet (ms, into times);
// false on a timeout.
bool Timed(HWND frame, HANDLE process, HWND area, UINT id, std::vector<double>* times)
{
    const double start = BenchNow();
    DWORD_PTR answer = 0;
    g_waited = "the command's end";
    if (!SendMessageTimeoutA(frame, WM_COMMAND, id, 0, SMTO_NORMAL, 30000, &answer)) return false;
    const double took = UntilQuiet(process, area, start);
    if (took >= 0) times->push_back(took * 1000);
    return took >= 0;
}

// The convert-size dialog's OK posted, its window gone, the frame's command that opened it
// finished (a message sent to the frame is answered after it), then quiet.
bool TimedOk(HWND frame, HANDLE process, HWND area, HWND dialog, std::vector<double>* times)
{
    const double start = BenchNow();
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    g_waited = "the dialog's end";
    while (IsWindow(dialog)) {
        if (BenchNow() - start > 10) return false;
        Sleep(0);
    }
    DWORD_PTR answer = 0;
    g_waited = "the command's end";
    if (!SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer)) return false;
    const double took = UntilQuiet(process, area, start);
    if (took >= 0) times->push_back(took * 1000);
    return took >= 0;
}

bool Measure(HWND frame, HANDLE process, BenchSeen* seen, Times* t)
{
    if (!BenchShown(frame, process, seen)) return false;
    HWND area = seen->Area(frame);
    for (int i = 0; i < kRuns; ++i) {
        t->stopped = "the full redraw";
        double start = BenchNow();
        InvalidateRect(area, nullptr, FALSE);
        double took = UntilQuiet(process, area, start);
        if (took < 0) return true;
        t->redraw.push_back(took * 1000);
        t->stopped = "the turn";
        if (!Timed(frame, process, area, kTurn, &t->turn)) return true;
        t->stopped = "the flip";
        if (!Timed(frame, process, area, kFlip, &t->flip)) return true;
        t->stopped = "the convert-size dialog's showing";
        PostMessageA(frame, WM_COMMAND, kConvert, 0);
        HWND dialog = BenchWaitDialog(process, L"サイズ変換");
        if (!dialog) return true;
        t->stopped = "the conversion";
        if (!TimedOk(frame, process, area, dialog, &t->convert)) return true;
        t->stopped = "the undo";
        if (!Timed(frame, process, area, kUndo, &t->undo)) return true;
        t->stopped = "the redo";
        if (!Timed(frame, process, area, kRedo, &t->redo)) return true;
        // Back to the full-sized picture for the next round.
        std::vector<double> untimed;
        t->stopped = "the undo after the redo";
        if (!Timed(frame, process, area, kUndo, &untimed)) return true;
    }
    t->done = true;
    return true;
}

double WorkingSetMB(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(process, &pmc, sizeof(pmc));
    return static_cast<double>(pmc.WorkingSetSize) / (1024.0 * 1024.0);
}

// Ten turns: the working set before and after them (MB); false on a timeout.
bool TenTurns(HWND frame, HANDLE process, BenchSeen* seen, double* before, double* after, bool* done)
{
    if (!BenchShown(frame, process, seen)) return false;
    HWND area = seen->Area(frame);
    *before = WorkingSetMB(process);
    std::vector<double> turns;
    for (int i = 0; i < 10; ++i)
        if (!Timed(frame, process, area, kTurn, &turns)) return true;
    *after = WorkingSetMB(process);
    *done = true;
    return true;
}

// Milliseconds of the bare calls: make(out) and then one snapshot copy of each source, all
// closed again.
double Bare(VkiDrw* drw, const std::vector<HBITMAP>& sources, const std::function<int(HBITMAP*)>& make)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        HBITMAP out = nullptr;
        std::vector<HBITMAP> copies(sources.size(), nullptr);
        const double start = BenchNow();
        int rc = make ? make(&out) : 0;
        for (size_t k = 0; k < copies.size(); ++k)
            if (rc == 0) rc = VkeDrwCopyDIB(drw, &copies[k], sources[k]);
        times.push_back((BenchNow() - start) * 1000);
        VkeDrwCloseImage(drw, &out);
        for (HBITMAP& c : copies) VkeDrwCloseImage(drw, &c);
        if (rc != 0) return -1;
    }
    return BenchMedian(times);
}

} // namespace

int main()
{
    BenchEngine engine;
    if (!engine.drw) return 1;
    BenchCopy copy;
    const std::string big = BenchBeside("big.jpg");
    HBITMAP picture = BenchOpenPicture(engine.drw, big);
    if (!picture) return 1;
    VkiDrw* drw = engine.drw;
    const double turn = Bare(drw, {picture}, [&](HBITMAP* out) { return VkeDrwRotateImage(drw, out, picture, 90); });
    const double flip = Bare(drw, {picture}, [&](HBITMAP* out) { return VkeDrwReflectImage(drw, out, picture, 1); });
    auto convert = [&](HBITMAP* out) {
        return VkeDrwStretchDIB(drw, out, 3000, 2000, picture, 0, 0, 6000, 4000, 0, nullptr, HALFTONE);
    };
    const double stretch = Bare(drw, {picture}, convert);
    // The undo of the conversion keeps the converted image and puts the full-sized one back; its
    // redo puts the converted one back.
    HBITMAP converted = nullptr;
    const double copies = convert(&converted) == 0 ? Bare(drw, {converted, picture}, nullptr) : -1;
    const double copy1 = converted ? Bare(drw, {converted}, nullptr) : -1;
    VkeDrwCloseImage(drw, &converted);
    DIBSECTION ds = {};
    GetObjectA(picture, sizeof(ds), &ds);
    const double bitmapMB = static_cast<double>(ds.dsBm.bmWidthBytes) * ds.dsBm.bmHeight / (1024.0 * 1024.0);
    VkeDrwCloseImage(drw, &picture);
    if (turn < 0 || flip < 0 || stretch < 0 || copies < 0 || copy1 < 0) {
        fprintf(stderr, "a bare call failed\n");
        return 1;
    }

    // The first start of a session also loads Wine's libraries.
    BenchRunProgram(copy, "", 60, [](HWND, HANDLE process) { return WaitForInputIdle(process, 0) == 0; });
    copy.SetSettings("SopShi_iModeSca=2\r\nCnvSzi_iTypSca=1\r\nCnvSzi_dScale=0.5\r\n");
    Times t;
    BenchSeen seen;
    BenchRunProgram(copy, " \"" + big + "\"", 300, [&](HWND frame, HANDLE process) { return Measure(frame, process, &seen, &t); });
    if (!t.done) {
        fprintf(stderr, "the program did not show the page or finish its changes: %s did not end (waited for %s)\n",
                t.stopped, g_waited);
        return 1;
    }
    const double redraw = BenchMedian(t.redraw);
    printf("full redraw of the fitted page:          median %.0f ms\n", redraw);
    const struct {
        const char* what;
        const std::vector<double>& times;
        double bare;
        const char* bareWhat;
    } rows[] = {{"turn by 90 (32774)", t.turn, turn, "VkeDrwRotateImage + CopyDIB"},
                {"flip (32777)", t.flip, flip, "VkeDrwReflectImage + CopyDIB"},
                {"convert to 50 % (32773, OK)", t.convert, stretch, "VkeDrwStretchDIB + CopyDIB"},
                {"undo (57643)", t.undo, copies, "CopyDIB of 50 % and of 100 %"},
                {"redo (57644)", t.redo, copy1, "CopyDIB of 50 %"}};
    bool met = true;
    for (const auto& r : rows) {
        const double took = BenchMedian(r.times), base = r.bare + redraw;
        printf("%-28s median %5.0f ms; %-29s %5.0f ms + redraw: %.2f x (at most 1.3)\n", r.what, took, r.bareWhat,
               r.bare, base > 0 ? took / base : 0.0);
        met = BenchTarget(r.what, base > 0 ? took / base : 0.0, 1.3, "x") && met;
    }
    printf("every change within 1.3 x: %s\n", met ? "yes" : "no");

    double before = 0, after = 0;
    bool done = false;
    BenchSeen fresh;
    BenchRunProgram(copy, " \"" + big + "\"", 300,
                    [&](HWND frame, HANDLE process) { return TenTurns(frame, process, &fresh, &before, &after, &done); });
    if (!done) {
        fprintf(stderr, "the program did not take ten turns (waited for %s)\n", g_waited);
        return 1;
    }
    const double growth = (after - before) / (10 * bitmapMB);
    printf("working set before ten turns %.0f MB, after %.0f MB; ten bitmaps %.0f MB: growth %.2f x ten bitmaps\n",
           before, after, 10 * bitmapMB, growth);
    BenchTarget("working set growth over ten turns / ten bitmaps", growth, 1.05, "x");
    return 0;
}
