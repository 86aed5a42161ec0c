// A sampling profiler for the program's user-interface thread: starts a copy of Pictavo.exe with
// arguments, stops its main thread about every millisecond, and writes for each stop the time, the
// instruction's address and the return addresses of its frames, unwound by the modules' own unwind
// tables. scripts/profile runs it and names the functions (scripts/profile-report.py).
//
//   Sampler.exe OUT (start | SECONDS) RUNS EXE [ARGS...]
//     start    sample each run until the main frame is shown, painted and idle
//     SECONDS  sample each run for that long after its start
//
// Each run starts from the same settings (Pictavo.ini of the copy's folder, as the caller left it
// in Pictavo.ini.keep). The output holds "run N", "mod BASE SIZE NAME" and
// "s TIME RIP ADDR..." lines (hexadecimal addresses, time in ms since the run's start).
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Module {
    ULONG_PTR base;
    ULONG_PTR size;
    std::string name;
};

// The program's and the engine's modules, once both are loaded.
bool FindModules(HANDLE process, std::vector<Module>* mods, FILE* out)
{
    HMODULE list[512];
    DWORD bytes = 0;
    if (!EnumProcessModules(process, list, sizeof(list), &bytes)) return false;
    std::vector<Module> found;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
        char name[MAX_PATH] = {};
        MODULEINFO info = {};
        if (!GetModuleBaseNameA(process, list[i], name, sizeof(name))) continue;
        if (!GetModuleInformation(process, list[i], &info, sizeof(info))) continue;
        if (_stricmp(name, "Pictavo.exe") != 0 && _stricmp(name, "VkeEng.dll") != 0) continue;
        found.push_back({reinterpret_cast<ULONG_PTR>(info.lpBaseOfDll), info.SizeOfImage, name});
    }
    if (found.size() < 2) return false;
    *mods = found;
    for (const Module& m : found) fprintf(out, "mod %llx %llx %s\n", (unsigned long long)m.base,
                                          (unsigned long long)m.size, m.name.c_str());
    return true;
}

// Every module of the process, for naming the instruction's module ("lib" lines).
void ListModules(HANDLE process, FILE* out)
{
    HMODULE list[512];
    DWORD bytes = 0;
    if (!EnumProcessModules(process, list, sizeof(list), &bytes)) return;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        char name[MAX_PATH] = {};
        MODULEINFO info = {};
        if (GetModuleBaseNameA(process, list[i], name, sizeof(name)) &&
            GetModuleInformation(process, list[i], &info, sizeof(info)))
            fprintf(out, "lib %llx %llx %s\n", (unsigned long long)reinterpret_cast<ULONG_PTR>(info.lpBaseOfDll),
                    (unsigned long long)info.SizeOfImage, name);
    }
}

struct FrameSearch {
    DWORD pid;
    HWND wnd;
};

BOOL CALLBACK FindFrame(HWND wnd, LPARAM lParam)
{
    FrameSearch* s = reinterpret_cast<FrameSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char cls[32] = {};
    GetClassNameA(wnd, cls, sizeof(cls));
    if (pid != s->pid || !IsWindowVisible(wnd) || strncmp(cls, "Afx", 3) != 0) return TRUE;
    s->wnd = wnd;
    return FALSE;
}

// A module's unwind table, read once from the process: its function entries (begin, end, unwind
// information, relative to its base), sorted as the image keeps them.
struct Table {
    ULONG_PTR base = 0;
    ULONG_PTR size = 0;
    std::vector<RUNTIME_FUNCTION> entries;
};

std::vector<Table> g_tables;

const Table* TableOf(HANDLE process, ULONG_PTR pc)
{
    for (const Table& t : g_tables)
        if (pc >= t.base && pc < t.base + t.size) return &t;
    MEMORY_BASIC_INFORMATION mbi = {};
    if (!VirtualQueryEx(process, reinterpret_cast<void*>(pc), &mbi, sizeof(mbi)) || !mbi.AllocationBase) return nullptr;
    ULONG_PTR base = reinterpret_cast<ULONG_PTR>(mbi.AllocationBase);
    IMAGE_DOS_HEADER dos = {};
    IMAGE_NT_HEADERS64 nt = {};
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, mbi.AllocationBase, &dos, sizeof(dos), &got) || dos.e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(base + dos.e_lfanew), &nt, sizeof(nt), &got) ||
        nt.Signature != IMAGE_NT_SIGNATURE)
        return nullptr;
    Table t;
    t.base = base;
    t.size = nt.OptionalHeader.SizeOfImage;
    const IMAGE_DATA_DIRECTORY& dir = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXCEPTION];
    t.entries.resize(dir.Size / sizeof(RUNTIME_FUNCTION));
    if (!t.entries.empty() &&
        !ReadProcessMemory(process, reinterpret_cast<void*>(base + dir.VirtualAddress), t.entries.data(),
                           t.entries.size() * sizeof(RUNTIME_FUNCTION), &got))
        t.entries.clear();
    g_tables.push_back(t);
    return &g_tables.back();
}

// The stack as read: a copy of [low, low + bytes) of the thread's stack.
struct Stack {
    ULONG_PTR low = 0;
    std::vector<unsigned char> bytes;
    bool Read(ULONG_PTR at, ULONG_PTR* value) const
    {
        if (at < low || at + 8 > low + bytes.size()) return false;
        memcpy(value, &bytes[at - low], 8);
        return true;
    }
};

// Reads process memory of the unwind information (small, cached by address).
bool ReadUnwind(HANDLE process, ULONG_PTR at, unsigned char* buf, SIZE_T n)
{
    SIZE_T got = 0;
    return ReadProcessMemory(process, reinterpret_cast<void*>(at), buf, n, &got) && got == n;
}

// One frame up: from pc and the registers to the caller's pc; false at the end of the stack.
bool Unwind(HANDLE process, const Stack& stack, ULONG_PTR* pc, ULONG_PTR regs[16])
{
    ULONG_PTR& rsp = regs[4];
    const Table* t = TableOf(process, *pc);
    const RUNTIME_FUNCTION* fn = nullptr;
    if (t) {
        DWORD rva = static_cast<DWORD>(*pc - t->base);
        size_t lo = 0, hi = t->entries.size();
        while (lo < hi) {
            size_t mid = (lo + hi) / 2;
            if (rva < t->entries[mid].BeginAddress) hi = mid;
            else if (rva >= t->entries[mid].EndAddress) lo = mid + 1;
            else {
                fn = &t->entries[mid];
                break;
            }
        }
    }
    if (!t) return false;
    DWORD offset = fn ? static_cast<DWORD>(*pc - t->base - fn->BeginAddress) : 0;
    for (int chain = 0; fn && chain < 8; ++chain) {
        unsigned char info[4 + 2 * 256 + 16];
        ULONG_PTR at = t->base + fn->UnwindData;
        if (!ReadUnwind(process, at, info, 4)) return false;
        int count = info[2], frameReg = info[3] & 15, frameOff = info[3] >> 4, flags = info[0] >> 3;
        if (!ReadUnwind(process, at + 4, info + 4, 2 * ((count + 1) & ~1) + sizeof(RUNTIME_FUNCTION))) return false;
        bool inProlog = chain == 0 && offset < info[1];
        for (int i = 0; i < count;) {
            int codeOffset = info[4 + 2 * i], op = info[5 + 2 * i] & 15, opInfo = info[5 + 2 * i] >> 4;
            int slots = op == 1 ? (opInfo == 0 ? 2 : 3) : (op == 4 || op == 8 || op == 6) ? 2 : (op == 5 || op == 9) ? 3 : 1;
            bool applies = !inProlog || codeOffset <= static_cast<int>(offset);
            USHORT u16 = 0;
            DWORD u32 = 0;
            if (slots >= 2) memcpy(&u16, info + 4 + 2 * (i + 1), 2);
            if (slots >= 3 || (op == 1 && opInfo == 1)) memcpy(&u32, info + 4 + 2 * (i + 1), 4);
            if (applies) {
                ULONG_PTR v = 0;
                switch (op) {
                case 0:  // push a register
                    if (!stack.Read(rsp, &v)) return false;
                    regs[opInfo] = v;
                    rsp += 8;
                    break;
                case 1:  // a large allocation
                    rsp += opInfo == 0 ? static_cast<ULONG_PTR>(u16) * 8 : u32;
                    break;
                case 2:  // a small allocation
                    rsp += static_cast<ULONG_PTR>(opInfo) * 8 + 8;
                    break;
                case 3:  // the frame register set
                    rsp = regs[frameReg] - static_cast<ULONG_PTR>(frameOff) * 16;
                    break;
                case 4:  // a register saved in the frame
                    if (stack.Read(rsp + static_cast<ULONG_PTR>(u16) * 8, &v)) regs[opInfo] = v;
                    break;
                case 5:
                    if (stack.Read(rsp + u32, &v)) regs[opInfo] = v;
                    break;
                case 10: {  // a machine frame: the pc and stack pointer it pushed
                    ULONG_PTR base = rsp + (opInfo ? 8 : 0), sp = 0;
                    if (!stack.Read(base, pc) || !stack.Read(base + 24, &sp)) return false;
                    rsp = sp;
                    return *pc != 0;
                }
                default:
                    break;
                }
            }
            i += slots;
        }
        if (!(flags & UNW_FLAG_CHAININFO)) break;
        RUNTIME_FUNCTION next;
        memcpy(&next, info + 4 + 2 * ((count + 1) & ~1), sizeof(next));
        static RUNTIME_FUNCTION chained;
        chained = next;
        fn = &chained;
        offset = 0xFFFFFFFF;
    }
    ULONG_PTR ret = 0;
    if (!stack.Read(rsp, &ret)) return false;
    rsp += 8;
    *pc = ret;
    return ret != 0;
}

// One stop of the thread: its instruction and the return addresses of its frames, unwound by the
// modules' unwind tables over a copy of its stack.
// Where the frames cannot be unwound further (the platform's callback frames), the rest of the
// stack's words that point into the program or the engine follow a "|" (candidates: the report
// keeps those that follow a call instruction).
void Sample(HANDLE process, HANDLE thread, const std::vector<Module>& mods, ULONG_PTR stackTop, double t, FILE* out)
{
    if (SuspendThread(thread) == static_cast<DWORD>(-1)) return;
    CONTEXT ctx = {};
    ctx.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
    static Stack stack;
    bool ok = GetThreadContext(thread, &ctx) != 0;
    if (ok) {
        stack.low = ctx.Rsp;
        SIZE_T want = stackTop > ctx.Rsp && stackTop - ctx.Rsp < (4u << 20) ? stackTop - ctx.Rsp : 65536;
        stack.bytes.resize(want);
        SIZE_T got = 0;
        if (!ReadProcessMemory(process, reinterpret_cast<void*>(ctx.Rsp), stack.bytes.data(), want, &got)) got = 0;
        stack.bytes.resize(got);
    }
    ResumeThread(thread);
    if (!ok) return;
    fprintf(out, "s %.3f %llx", t * 1000, (unsigned long long)ctx.Rip);
    ULONG_PTR regs[16] = {ctx.Rax, ctx.Rcx, ctx.Rdx, ctx.Rbx, ctx.Rsp, ctx.Rbp, ctx.Rsi, ctx.Rdi,
                          ctx.R8,  ctx.R9,  ctx.R10, ctx.R11, ctx.R12, ctx.R13, ctx.R14, ctx.R15};
    ULONG_PTR pc = ctx.Rip;
    for (int depth = 0; depth < 256 && Unwind(process, stack, &pc, regs); ++depth)
        fprintf(out, " %llx", (unsigned long long)pc);
    fputs(" |", out);
    for (ULONG_PTR at = regs[4] & ~static_cast<ULONG_PTR>(7); at >= stack.low && at + 8 <= stack.low + stack.bytes.size();
         at += 8) {
        ULONG_PTR v = 0;
        stack.Read(at, &v);
        for (const Module& m : mods)
            if (v >= m.base && v < m.base + m.size) fprintf(out, " %llx", (unsigned long long)v);
    }
    fputc('\n', out);
}

// The top of a thread's stack (its TEB's stack base).
ULONG_PTR StackTop(HANDLE process, HANDLE thread)
{
    typedef LONG(WINAPI * QueryThread)(HANDLE, int, void*, ULONG, ULONG*);
    struct {
        LONG status;
        void* teb;
        void* ids[2];
        ULONG_PTR mask;
        LONG prio, base;
    } basic = {};
    QueryThread query = reinterpret_cast<QueryThread>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
    if (!query || query(thread, 0, &basic, sizeof(basic), nullptr) != 0 || !basic.teb) return 0;
    ULONG_PTR top = 0;
    SIZE_T got = 0;
    ReadProcessMemory(process, static_cast<char*>(basic.teb) + 8, &top, sizeof(top), &got);
    return top;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        fprintf(stderr, "usage: Sampler OUT (start | SECONDS) RUNS EXE [ARGS...]\n");
        return 2;
    }
    FILE* out = fopen(argv[1], "w");
    if (!out) return 2;
    bool untilIdle = strcmp(argv[2], "start") == 0;
    double seconds = untilIdle ? 60 : atof(argv[2]);
    int runs = atoi(argv[3]);
    std::string exe = argv[4];
    std::string cmd = "\"" + exe + "\"";
    for (int i = 5; i < argc; ++i) cmd += std::string(" ") + argv[i];
    std::string dir = exe.substr(0, exe.find_last_of('\\'));
    timeBeginPeriod(1);
    for (int run = 0; run < runs; ++run) {
        CopyFileA((dir + "\\Pictavo.ini.keep").c_str(), (dir + "\\Pictavo.ini").c_str(), FALSE);
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        std::string line = cmd;
        double start = Now();
        if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
            fprintf(stderr, "cannot start %s\n", exe.c_str());
            return 1;
        }
        fprintf(out, "run %d\n", run + 1);
        std::vector<Module> mods;
        FrameSearch frame = {pi.dwProcessId, nullptr};
        double lastPoll = 0, reached = -1;
        ULONG_PTR stackTop = 0;
        g_tables.clear();
        while (Now() - start < seconds && WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
            double t = Now() - start;
            if (mods.empty()) FindModules(pi.hProcess, &mods, out);
            if (!stackTop) stackTop = StackTop(pi.hProcess, pi.hThread);
            Sample(pi.hProcess, pi.hThread, mods, stackTop, t, out);
            if (untilIdle && t - lastPoll > 0.01) {
                lastPoll = t;
                if (!frame.wnd) EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&frame));
                if (frame.wnd && WaitForInputIdle(pi.hProcess, 0) == 0 && !GetUpdateRect(frame.wnd, nullptr, FALSE)) {
                    reached = t;
                    break;
                }
            }
            Sleep(1);
        }
        ListModules(pi.hProcess, out);
        fprintf(out, "end %.3f\n", (reached >= 0 ? reached : Now() - start) * 1000);
        if (!frame.wnd) EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&frame));
        if (frame.wnd) PostMessageA(frame.wnd, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    timeEndPeriod(1);
    fclose(out);
    return 0;
}
