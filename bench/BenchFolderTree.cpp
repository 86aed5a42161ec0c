// The folder tree over a deep, wide folder made at build time: a chain 8 deep with 200 folders
// at every level, its last folder holding 2,000. Pictavo.exe starts with the settings' folder the
// chain's end (SopBsi_bChgDir=1, strCurDir), beside the bare start-up (no folder to show): the
// start until the tree's selection stands at the chain's depth and the program is idle. Then, in
// the same run, the selected folder expanded (TVM_EXPAND) until the tree holds 2,000 items more;
// its parent selected (TVM_SELECTITEM), back (0xC0E9) and forward (0xC0EA) sent to the frame,
// each until the selection moved. The tree is read with messages that carry handles only (they
// cross the process boundary). Medians of 3. Targets: the deep folder adds at most 0.5 s to the
// start, the expansion takes under 1 s, a history step under 0.2 s.
//
//   scripts/bench BenchFolderTree
#include "BenchProgram.h"
#include <vector>

namespace {

const int kRuns = 3;
const int kWide = 2000;

// The tree's selected item and how many parents it has.
HTREEITEM Caret(HWND tree) { return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)); }

HTREEITEM Parent(HWND tree, HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
}

int Depth(HWND tree, HTREEITEM item)
{
    int depth = -1;
    for (; item; item = Parent(tree, item)) ++depth;
    return depth;
}

int Count(HWND tree) { return static_cast<int>(SendMessageA(tree, TVM_GETCOUNT, 0, 0)); }

// One run through its phases; the seconds of each phase, -1 where it was not reached.
struct Phases {
    double start = -1, expand = -1, select = -1, back = -1, forward = -1;
};

// The phases as a predicate of BenchRunProgram: each step is started once the one before it was
// reached, and timed to its own goal.
class Walk {
public:
    Walk(int depth, Phases* out) : m_depth(depth), m_out(out), m_begin(BenchNow()) {}
    bool operator()(HWND frame, HANDLE process)
    {
        if (!m_tree) m_tree = BenchDescendant(frame, "SysTreeView32");
        if (!m_tree) return false;
        HTREEITEM caret = Caret(m_tree);
        bool idle = WaitForInputIdle(process, 0) == 0;
        switch (m_step) {
        case 0:
            if (!idle || !caret || Depth(m_tree, caret) != m_depth) return false;
            m_out->start = BenchNow() - m_begin;
            m_deep = caret;
            m_count = Count(m_tree);
            Next();
            SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(m_deep));
            return false;
        case 1:
            if (Count(m_tree) < m_count + kWide || !idle) return false;
            m_out->expand = Took();
            Next();
            SendMessageA(m_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Parent(m_tree, m_deep)));
            return false;
        case 2:
            if (caret != Parent(m_tree, m_deep) || !idle) return false;
            m_out->select = Took();
            Next();
            PostMessageA(frame, WM_COMMAND, 0xC0E9, 0);
            return false;
        case 3:
            if (caret != m_deep || !idle) return false;
            m_out->back = Took();
            Next();
            PostMessageA(frame, WM_COMMAND, 0xC0EA, 0);
            return false;
        default:
            if (caret != Parent(m_tree, m_deep) || !idle) return false;
            m_out->forward = Took();
            return true;
        }
    }

private:
    void Next()
    {
        ++m_step;
        m_stepBegin = BenchNow();
    }
    double Took() const { return BenchNow() - m_stepBegin; }

    int m_depth;
    Phases* m_out;
    double m_begin;
    double m_stepBegin = 0;
    int m_step = 0;
    HWND m_tree = nullptr;
    HTREEITEM m_deep = nullptr;
    int m_count = 0;
};

// The bare start-up: the frame idle and painted.
double BareStart(BenchCopy& copy)
{
    copy.SetSettings("");
    auto idle = [](HWND frame, HANDLE process) {
        return WaitForInputIdle(process, 0) == 0 && !GetUpdateRect(frame, nullptr, FALSE);
    };
    return BenchRunProgram(copy, "", 60, idle);
}

Phases DeepRun(BenchCopy& copy, const std::string& folder, int depth)
{
    copy.SetSettings("SopBsi_bChgDir=1\r\n[Common Information]\r\nstrCurDir=" + folder + "\r\n");
    Phases phases;
    Walk walk(depth, &phases);
    BenchRunProgram(copy, "", 120, walk);
    return phases;
}

std::string Ms(const std::vector<double>& v)
{
    std::string text;
    for (double t : v) text += (text.empty() ? "" : " ") + std::to_string(static_cast<int>(t * 1000 + 0.5));
    return text;
}

} // namespace

int main()
{
    char full[MAX_PATH] = {};
    GetFullPathNameA(BenchBeside("Tree\\c1\\c2\\c3\\c4\\c5\\c6\\c7\\c8").c_str(), sizeof(full), full, nullptr);
    std::string folder = full;
    if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "%s is missing (made at build time)\n", folder.c_str());
        return 1;
    }
    // Below the desktop: the computer, the drive, then one item a part of the path.
    int depth = 2;
    for (const char* p = folder.c_str() + 3; *p; p = CharNextExA(932, p, 0))
        if (*p == '\\') ++depth;
    ++depth;

    BenchCopy copy;
    BareStart(copy); // the first start of a session also loads Wine's libraries
    std::vector<double> bare, start, expand, select, back, forward;
    for (int i = 0; i < kRuns; ++i) {
        double t = BareStart(copy);
        Phases p = DeepRun(copy, folder, depth);
        if (t < 0 || p.forward < 0) {
            fprintf(stderr, "run %d did not reach its goals (start %.3f, deep %.3f, expand %.3f, select %.3f, "
                    "back %.3f, forward %.3f)\n", i + 1, t, p.start, p.expand, p.select, p.back, p.forward);
            return 1;
        }
        bare.push_back(t);
        start.push_back(p.start);
        expand.push_back(p.expand);
        select.push_back(p.select);
        back.push_back(p.back);
        forward.push_back(p.forward);
    }
    double b = BenchMedian(bare), s = BenchMedian(start);
    printf("folder: %s (depth %d in the tree)\n", folder.c_str(), depth);
    printf("bare start-up, idle and painted:                median %5.0f ms (%s)\n", b * 1000, Ms(bare).c_str());
    printf("start-up selecting the deep folder, idle:       median %5.0f ms (%s)\n", s * 1000, Ms(start).c_str());
    printf("the deep folder adds:                                  %5.0f ms (target at most 500)\n", (s - b) * 1000);
    printf("expanding the 2,000 subfolders:                 median %5.0f ms (%s; target under 1000)\n",
           BenchMedian(expand) * 1000, Ms(expand).c_str());
    printf("selecting its parent:                           median %5.0f ms (%s)\n", BenchMedian(select) * 1000,
           Ms(select).c_str());
    printf("back:                                           median %5.0f ms (%s; target under 200)\n",
           BenchMedian(back) * 1000, Ms(back).c_str());
    printf("forward:                                        median %5.0f ms (%s; target under 200)\n",
           BenchMedian(forward) * 1000, Ms(forward).c_str());
    BenchTarget("the deep start folder adds", (s - b) * 1000, 500, "ms");
    BenchTarget("expanding 2,000 subfolders", BenchMedian(expand) * 1000, 1000, "ms");
    BenchTarget("back", BenchMedian(back) * 1000, 200, "ms");
    BenchTarget("forward", BenchMedian(forward) * 1000, 200, "ms");
    return 0;
}
