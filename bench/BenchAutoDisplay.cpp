// The automatic display over the file list, timed per step: Pictavo.exe started in the Tmn folder
// (its file list in details mode, filtered to the 50 JPEGs of 6 MP), with the display started by
// the folder's selection, an interval of 1 ms, no repetition and the preview in a tab. The list's
// selection is polled from here; a step is the time from the first file selected until the last
// file's page is painted, divided by the steps between them. Against it: the bare
// VkeDrwOpenImage (and close) of the same 50 files in this process, per file, plus the period the
// platform grants a timer of the same interval (each step waits it). Medians of 3, taken in turns,
// each with its range.
//
//   scripts/bench BenchAutoDisplay [runs]
#include "BenchProgram.h"
#include <vector>

namespace {

int g_runs = 3;
const int kFiles = 50;

// What a run has seen of the list's selection.
struct Display {
    HWND list = nullptr;
    int count = -1;     // the list's items once the display started
    int first = -1;     // the first selected item seen
    double start = 0;   // when it was seen
    double end = 0;     // when the last item's page was seen painted
    std::string last;   // the last item's name
};

// The text of a list view's item in another process (through a block allocated there); "" when it
// cannot be read.
std::string ItemText(HWND list, int index)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return "";
    char* block = static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    std::string text;
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = block + sizeof(item);
    item.cchTextMax = 1024;
    char buffer[1024] = {};
    SIZE_T n = 0;
    if (block && WriteProcessMemory(process, block, &item, sizeof(item), &n) &&
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block)) > 0 &&
        ReadProcessMemory(process, block + sizeof(item), buffer, sizeof(buffer) - 1, &n))
        text = buffer;
    if (block) VirtualFreeEx(process, block, 0, MEM_RELEASE);
    CloseHandle(process);
    return text;
}

// The frame's title holds the name.
bool TitleNames(HWND frame, const std::string& name)
{
    char title[1024] = {};
    GetWindowTextA(frame, title, sizeof(title));
    return !name.empty() && strstr(title, name.c_str()) != nullptr;
}

// The selected item, -1 when none or when the list does not answer.
int Selected(HWND list)
{
    DWORD_PTR item = static_cast<DWORD_PTR>(-1);
    if (!SendMessageTimeoutA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, SMTO_NORMAL, 10000, &item))
        return -1;
    return static_cast<int>(static_cast<INT_PTR>(item));
}

// The last item is selected and its page painted with the program idle: the frame names its file
// (the page has read it), and a message sent to the drawing area is answered before the area is
// looked at (the image laid out after the title changed invalidates it by then). While the page
// reads the file the program answers, and the area still shows the file before.
bool LastShown(HWND frame, HANDLE process, Display* d, BenchSeen* seen)
{
    if (!d->list) d->list = BenchDescendant(frame, "SysListView32");
    if (!d->list) return false;
    int item = Selected(d->list);
    if (item < 0) return false;
    if (d->first < 0) {
        d->first = item;
        d->start = BenchNow();
        d->count = static_cast<int>(SendMessageA(d->list, LVM_GETITEMCOUNT, 0, 0));
        d->last = ItemText(d->list, d->count - 1);
    }
    if (item != d->count - 1 || !TitleNames(frame, d->last)) return false;
    DWORD_PTR answer = 0;
    HWND area = seen->Area(frame);
    if (!area || !SendMessageTimeoutA(area, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer)) return false;
    if (!BenchShown(frame, process, seen)) return false;
    d->end = BenchNow();
    return true;
}

// Seconds per step of one run (-1 on failure, said).
double RunOnce(const BenchCopy& copy)
{
    Display d;
    BenchSeen seen;
    double took = BenchRunProgram(copy, "", 120, [&](HWND frame, HANDLE process) { return LastShown(frame, process, &d, &seen); });
    if (took < 0 || d.count != kFiles || d.first >= kFiles - 1) {
        fprintf(stderr, "the display did not reach the last file (list of %d, first selection %d, last %s)\n", d.count,
                d.first, d.last.c_str());
        return -1;
    }
    return (d.end - d.start) / (kFiles - 1 - d.first);
}

// Seconds of one bare open and close of each file, per file (-1 when one fails).
double OpenEach(VkiDrw* drw, const std::vector<std::string>& files)
{
    double sum = 0;
    for (const std::string& f : files) {
        double start = BenchNow();
        HBITMAP picture = BenchOpenPicture(drw, f);
        if (!picture) return -1;
        VkeDrwCloseImage(drw, &picture);
        sum += BenchNow() - start;
    }
    return sum / static_cast<double>(files.size());
}

// Seconds between the ticks of a timer of the display's interval (1 ms) in this process: the wait
// the platform grants such a timer, which every step of the display also waits (median of 30).
double TimerPeriod()
{
    UINT_PTR timer = SetTimer(nullptr, 0, 1, nullptr);
    std::vector<double> gaps;
    double last = -1;
    MSG msg;
    while (gaps.size() < 30 && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message != WM_TIMER || msg.wParam != timer) {
            DispatchMessageA(&msg);
            continue;
        }
        const double now = BenchNow();
        if (last >= 0) gaps.push_back(now - last);
        last = now;
    }
    KillTimer(nullptr, timer);
    return BenchMedian(gaps);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1) g_runs = atoi(argv[1]) < 1 ? 1 : atoi(argv[1]);
    BenchEngine engine;
    if (!engine.drw) return 1;
    const std::string tmn = BenchFullBeside("Tmn");
    std::vector<std::string> files;
    for (int i = 1; i <= kFiles; ++i) {
        char name[32];
        snprintf(name, sizeof(name), "\\tmn%02d.jpg", i);
        files.push_back(tmn + name);
    }
    BenchCopy copy;
    copy.SetSettings("SopBsi_bChgDir=1\r\nSopPni_bPrvImgTab=1\r\nPciAii_bRunOnSelDir=1\r\nPciAii_iPerInd=1\r\n"
                     "PciAii_bRepeat=0\r\n[Common Information]\r\nbPrvImg=1\r\nLscFii_iModeLstViw=5\r\n"
                     "LscFii_amFilter=tmn*.jpg\r\nstrCurDir=" +
                     tmn + "\r\n");
    // The first start of a session also loads Wine's libraries and reads the files once.
    if (OpenEach(engine.drw, files) < 0 || RunOnce(copy) < 0) return 1;
    std::vector<double> steps, opens;
    for (int i = 0; i < g_runs; ++i) {
        steps.push_back(RunOnce(copy));
        opens.push_back(OpenEach(engine.drw, files));
        if (steps.back() < 0 || opens.back() < 0) return 1;
    }
    const double s = BenchMedian(steps), o = BenchMedian(opens), t = TimerPeriod();
    printf("automatic display, %d JPEGs of 6 MP, 1 ms interval, per step:  %s\n", kFiles, BenchSpread(steps).c_str());
    printf("bare VkeDrwOpenImage of the same files, per file:            %s\n", BenchSpread(opens).c_str());
    printf("a 1 ms timer's period as the platform grants it:             %.1f ms\n", t * 1000);
    printf("step / bare open:                                             %.2f x\n", s / o);
    printf("step / (bare open + the timer's period):                      %.2f x (at most 1.2)\n", s / (o + t));
    BenchTarget("automatic display, a step / the bare open of its file and the interval's wait", s / (o + t), 1.2, "x");
    return 0;
}
