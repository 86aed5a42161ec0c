// The pages of the last run restored at start: Pictavo.exe started with 50 JPEGs of 6 MP on the
// command line until 50 tabs stand and the frame is painted, against a start that reads the same
// 50 from Vkt\Pictavo.csv (SopBsi_bOpnOpd=1, no arguments) until the same. The file is the one
// the command-line run's own exit wrote. Medians of 3, taken in turns.
//
//   scripts/wine-run build/bench/BenchOpenInfo.exe     (needs an X display)
#include "BenchProgram.h"
#include <vector>

namespace {

const int kRuns = 3;
const int kFiles = 50;

// The tabs stand and nothing waits to be painted on the frame or the current page.
bool Restored(HWND frame, HANDLE process, BenchSeen* seen)
{
    if (!BenchTabsStand(frame, process, kFiles, seen) || GetUpdateRect(frame, nullptr, FALSE)) return false;
    HWND area = seen->Area(frame);
    return area && !GetUpdateRect(area, nullptr, FALSE);
}

double RunOnce(BenchCopy& copy, const std::string& args, const std::string& settings)
{
    copy.SetSettings(settings);
    BenchSeen seen;
    return BenchRunProgram(copy, args, 120, [&seen](HWND frame, HANDLE process) { return Restored(frame, process, &seen); });
}

std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &n, nullptr) && n > 0) bytes.append(buffer, n);
    CloseHandle(file);
    return bytes;
}

} // namespace

int main()
{
    BenchCopy copy;
    std::string args;
    for (int i = 1; i <= kFiles; ++i) {
        char name[32];
        snprintf(name, sizeof(name), "Tmn\\tmn%02d.jpg", i);
        args += " \"" + BenchBeside(name) + "\"";
    }
    const std::string csv = copy.Dir() + "\\Vkt\\Pictavo.csv";
    const std::string restore = "SopBsi_bOpnOpd=1\r\n";
    // The first start of a session also loads Wine's libraries; its exit writes the file.
    DeleteFileA(csv.c_str());
    if (RunOnce(copy, args, "") < 0) {
        fprintf(stderr, "the program did not open the %d files\n", kFiles);
        return 1;
    }
    const std::string rows = ReadBytes(csv);
    size_t lines = 0;
    for (char c : rows) lines += c == '\n';
    if (lines != kFiles + 1) {
        fprintf(stderr, "the exit wrote %zu lines into %s, not %d\n", lines, csv.c_str(), kFiles + 1);
        return 1;
    }
    std::vector<double> opens, reads;
    for (int i = 0; i < kRuns; ++i) {
        opens.push_back(RunOnce(copy, args, ""));
        // Each exit writes the file again: every restore reads the same rows.
        if (!BenchWriteFile(csv, rows)) return 1;
        reads.push_back(RunOnce(copy, "", restore));
    }
    for (const std::vector<double>* v : {&opens, &reads}) {
        for (double t : *v) {
            if (t < 0) {
                fprintf(stderr, "a run did not reach %d painted tabs\n", kFiles);
                return 1;
            }
        }
    }
    double o = BenchMedian(opens) * 1000, r = BenchMedian(reads) * 1000;
    printf("%d files of 6 MP on the command line:         median %.0f ms to %d painted tabs\n", kFiles, o, kFiles);
    printf("the same %d restored from Pictavo.csv:         median %.0f ms\n", kFiles, r);
    BenchTarget("50 pages restored / opened from the command line", o > 0 ? r / o : 0.0, 1.1, "x");
    return 0;
}
