// The error trace, the log and the function timer, with real files and a real main window.
#include "VktSys.h"
#include <process.h>
#include <regex>
#include <string.h>

namespace {

std::string Record(const std::string& name, const std::string& text)
{
    return "<< TRACE >>  Func (" + name + ") : Error (" + text + ")\r\n\r\n";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Trace : public VktSysFixture {
protected:
    // Starts the trace on a file of the system folder.
    int StartTrace(int on = 1, int clear = 1, const std::string& name = "trace.txt")
    {
        path = *env / name;
        TraceParam param;
        VkeSubInitTraceParam(sub, &param);
        snprintf(param.amPath, sizeof(param.amPath), "%s", path.c_str());
        param.iOn = on;
        param.iClear = clear;
        return VkeSubInitTrace(sub, &param);
    }
    // A failure that VkeSubGetFraction always traces (-9, message 21).
    void Fail() { EXPECT_EQ(VkeSubGetFraction(sub, 0.5, 9, &num, &den), -9); }
    size_t Reports() const { return env->Reports().size(); }

    std::string path;
    int num = 0, den = 0;
};

} // namespace

TEST_F(Trace, ParameterDefaults)
{
    TraceParam t;
    memset(&t, 0x5A, sizeof(t));
    ASSERT_EQ(VkeSubInitTraceParam(sub, &t), 0);
    EXPECT_EQ(t.amPath[0], 0);
    EXPECT_EQ(t.amPath[1023], 0);
    EXPECT_EQ(t.iOn, 0);
    EXPECT_EQ(t.iClear, 1);
    LogParam l;
    memset(&l, 0x5A, sizeof(l));
    ASSERT_EQ(VkeSubInitLogParam(sub, &l), 0);
    EXPECT_EQ(l.amPath[0], 0);
    EXPECT_EQ(l.iClear, 0);
    FncTmrParam f;
    memset(&f, 0x5A, sizeof(f));
    ASSERT_EQ(VkeSubInitFncTmrParam(sub, &f), 0);
    EXPECT_EQ(f.amPath[0], 0);
    EXPECT_EQ(f.iSlotCnt, 0);
    EXPECT_EQ(f.amTitle[0], 0);
    EXPECT_EQ(f.iClear, 1);
    EXPECT_EQ(VkeSubInitTraceParam(sub, nullptr), -9);
    EXPECT_EQ(VkeSubInitLogParam(sub, nullptr), -9);
    EXPECT_EQ(VkeSubInitFncTmrParam(sub, nullptr), -9);
}

TEST_F(Trace, TracedFailureIsWrittenAndReported)
{
    ASSERT_EQ(StartTrace(), 0);
    env->ClearReports();
    Fail();
    EXPECT_EQ(VktReadFile(path), Record("VkeSubGetFraction", "msg 21"));
    ASSERT_EQ(Reports(), 1u);
    EXPECT_EQ(env->Reports()[0].name, "VkeSubGetFraction");
    EXPECT_EQ(env->Reports()[0].code, -9);

    // An expected outcome is neither written nor reported.
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 1, 1, 30000000, 1, &num, &den), -13);
    // Nor is anything for a null object.
    EXPECT_EQ(VkeSubGetFraction(nullptr, 0.5, 9, &num, &den), -9);
    VkeSubTraceError(nullptr, "x", 1, "y", -9);
    EXPECT_EQ(Reports(), 1u);

    // A second failure adds its record after the first.
    char name[2];
    EXPECT_EQ(VkeSubGetName(sub, name, sizeof(name)), -13);
    EXPECT_EQ(VktReadFile(path), Record("VkeSubGetFraction", "msg 21") + Record("VkeSubGetName", "msg 25"));
    EXPECT_EQ(Reports(), 2u);

    // The program's own reports go the same way; without a source path nothing is written.
    VkeSubTraceError(sub, "Src\\AplMfc\\x", 10, "CmnAppInit", -10);
    VkeSubTraceError(sub, nullptr, 10, "CmnAppInit", -1);
    EXPECT_EQ(VktReadFile(path), Record("VkeSubGetFraction", "msg 21") + Record("VkeSubGetName", "msg 25") +
                                     Record("CmnAppInit", "msg 22"));
    EXPECT_EQ(Reports(), 4u);
    EXPECT_EQ(env->Reports()[3].code, -1);
}

TEST_F(Trace, LongNameIsCutOnACharacterBoundary)
{
    ASSERT_EQ(StartTrace(), 0);
    std::string name;
    for (int i = 0; i < 600; ++i) name += "表";
    VkeSubTraceError(sub, "Src\\x", 1, name.c_str(), -9);
    std::string text = VktReadFile(path);
    ASSERT_LE(text.size(), 1023u); // within the maximum buffer length
    EXPECT_EQ(text.substr(0, 19), "<< TRACE >>  Func (");
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
    std::string cut = text.substr(19, text.size() - 23);
    EXPECT_EQ(cut.size() % 2, 0u);
    EXPECT_EQ(cut, name.substr(0, cut.size()));
}

TEST_F(Trace, OffStillReportsToTheWindow)
{
    ASSERT_EQ(StartTrace(0), 0);
    EXPECT_FALSE(Exists(path)); // on = 0 opens nothing
    int on = 9;
    EXPECT_EQ(VkeSubGetTraceFlag(sub, &on), 0);
    EXPECT_EQ(on, 0);
    FILE* f = stdout;
    EXPECT_EQ(VkeSubGetTraceFilePtr(sub, &f), 0);
    EXPECT_EQ(f, nullptr);
    env->ClearReports();
    Fail();
    EXPECT_EQ(Reports(), 1u);
    EXPECT_FALSE(Exists(path));

    // Switched on later, the file is made empty and then written.
    ASSERT_EQ(VkeSubSetTraceFlag(sub, 1, 1), 0);
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(VktReadFile(path), "");
    EXPECT_EQ(VkeSubGetTraceFilePtr(sub, &f), 0);
    EXPECT_NE(f, nullptr);
    EXPECT_EQ(VkeSubGetTraceFlag(sub, &on), 0);
    EXPECT_EQ(on, 1);
    Fail();
    EXPECT_EQ(VktReadFile(path), Record("VkeSubGetFraction", "msg 21"));
}

TEST_F(Trace, ClearOrAppendWhenSwitchedOn)
{
    ASSERT_EQ(VktWriteFile(*env / "trace.txt", "old\r\n"), true);
    ASSERT_EQ(StartTrace(1, 0), 0); // appended to what is there
    Fail();
    EXPECT_EQ(VktReadFile(path), "old\r\n" + Record("VkeSubGetFraction", "msg 21"));
    ASSERT_EQ(VkeSubSetTraceFlag(sub, 0, 0), 0);
    Fail(); // off: not written
    ASSERT_EQ(VkeSubSetTraceFlag(sub, 1, 0), 0);
    Fail();
    std::string twice = Record("VkeSubGetFraction", "msg 21") + Record("VkeSubGetFraction", "msg 21");
    EXPECT_EQ(VktReadFile(path), "old\r\n" + twice);
    ASSERT_EQ(VkeSubSetTraceFlag(sub, 1, 1), 0); // already on: nothing happens
    EXPECT_NE(VktReadFile(path), "");
    ASSERT_EQ(VkeSubSetTraceFlag(sub, 7, 0), 0); // any value but 1 switches off
    ASSERT_EQ(VkeSubSetTraceFlag(sub, 1, 1), 0);
    EXPECT_EQ(VktReadFile(path), "");
}

TEST_F(Trace, BadRecordsAndStates)
{
    TraceParam param;
    VkeSubInitTraceParam(sub, &param);
    EXPECT_EQ(VkeSubInitTrace(sub, nullptr), -9);
    memset(param.amPath, 'a', 260);
    EXPECT_EQ(VkeSubInitTrace(sub, &param), -9);
    memset(param.amPath, 'a', sizeof(param.amPath)); // no terminator at all
    EXPECT_EQ(VkeSubInitTrace(sub, &param), -9);
    VkeSubInitTraceParam(sub, &param);
    param.iOn = 2;
    EXPECT_EQ(VkeSubInitTrace(sub, &param), -9);
    param.iOn = 0;
    param.iClear = -1;
    EXPECT_EQ(VkeSubInitTrace(sub, &param), -9);
    param.iClear = 1;
    snprintf(param.amPath, sizeof(param.amPath), "%s", env->Dir().c_str()); // a folder
    EXPECT_EQ(VkeSubInitTrace(sub, &param), -9);
    snprintf(param.amPath, sizeof(param.amPath), "C:\\");
    EXPECT_EQ(VkeSubInitTrace(sub, &param), -9); // a drive
    int flag = 0;
    FILE* f = nullptr;
    EXPECT_EQ(VkeSubSetTraceFlag(sub, 1, 1), -6);
    EXPECT_EQ(VkeSubGetTraceFilePtr(sub, &f), -6);
    EXPECT_EQ(VkeSubGetTraceFlag(sub, nullptr), -9);

    ASSERT_EQ(StartTrace(0), 0);
    EXPECT_EQ(StartTrace(0), -7);
    EXPECT_EQ(VkeSubGetTraceFilePtr(sub, nullptr), -9);
    EXPECT_EQ(VkeSubTermTrace(sub), 0);
    EXPECT_EQ(VkeSubTermTrace(sub), 0);
    EXPECT_EQ(VkeSubGetTraceFilePtr(sub, &f), -6);

    VkiSub* fresh = nullptr;
    ASSERT_EQ(VkeSubAlloc(&fresh), 0);
    EXPECT_EQ(VkeSubInitTrace(fresh, &param), -6);
    EXPECT_EQ(VkeSubGetTraceFlag(fresh, &flag), -6);
    VkeSubFree(&fresh);
}

TEST_F(Trace, StandardErrorWhenThePathIsEmpty)
{
    TraceParam param;
    VkeSubInitTraceParam(sub, &param);
    param.iOn = 1;
    param.iClear = 0;
    ASSERT_EQ(VkeSubInitTrace(sub, &param), 0);
    FILE* f = nullptr;
    EXPECT_EQ(VkeSubGetTraceFilePtr(sub, &f), 0);
    EXPECT_EQ(f, stderr);
    EXPECT_EQ(VkeSubTermTrace(sub), 0); // standard error is not closed
    EXPECT_EQ(fflush(stderr), 0);
}

TEST_F(Trace, TermDeletesAnEmptyFileOnly)
{
    ASSERT_EQ(StartTrace(), 0);
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(VkeSubTermTrace(sub), 0);
    EXPECT_FALSE(Exists(path));

    ASSERT_EQ(StartTrace(), 0);
    Fail();
    EXPECT_EQ(VkeSubTermTrace(sub), 0);
    EXPECT_EQ(VktReadFile(path), Record("VkeSubGetFraction", "msg 21"));
}

TEST_F(Trace, FailureInsideTheReportIsNotReportedAgain)
{
    ASSERT_EQ(StartTrace(), 0);
    env->ClearReports();
    int inner = 0;
    env->OnReport = [&](const char*, int) {
        // The program's handler calls back into the engine, which fails.
        char small[2];
        inner = VkeSubGetName(sub, small, sizeof(small));
    };
    Fail();
    env->OnReport = nullptr;
    EXPECT_EQ(inner, -13);
    ASSERT_EQ(Reports(), 1u);
    EXPECT_EQ(VktReadFile(path), Record("VkeSubGetFraction", "msg 21"));
    // Once the report is over, failures are reported again.
    Fail();
    EXPECT_EQ(Reports(), 2u);
}

namespace {
struct Worker {
    VkiSub* sub;
    int result;
};

unsigned __stdcall FailOnWorker(void* arg)
{
    auto* w = static_cast<Worker*>(arg);
    int num = 0, den = 0;
    w->result = VkeSubGetFraction(w->sub, 0.5, 9, &num, &den);
    return 0;
}
} // namespace

TEST_F(Trace, WorkerThreadPostsAndNeverWaits)
{
    ASSERT_EQ(StartTrace(), 0);
    env->ClearReports();
    Worker w = {sub, 0};
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, FailOnWorker, &w, 0, nullptr));
    ASSERT_NE(thread, nullptr);
    // This thread owns the main window and does not pump: a sent report would never return.
    DWORD waited = WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "the worker blocked on the user-interface thread";
    EXPECT_EQ(w.result, -9);
    EXPECT_EQ(VktReadFile(path), Record("VkeSubGetFraction", "msg 21")); // written by the worker
    EXPECT_EQ(Reports(), 0u);
    VktSys::Pump(); // the posted report arrives with its name and code
    ASSERT_EQ(Reports(), 1u);
    EXPECT_EQ(env->Reports()[0].name, "VkeSubGetFraction");
    EXPECT_EQ(env->Reports()[0].code, -9);
}

TEST_F(Trace, WorkerFailsWhileTheWindowThreadPumps)
{
    env->ClearReports();
    Worker w = {sub, 0};
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, FailOnWorker, &w, 0, nullptr));
    ASSERT_NE(thread, nullptr);
    // A message-pumping wait, as the user-interface thread waits for its workers.
    DWORD start = GetTickCount();
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &thread, FALSE, 1000, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
        VktSys::Pump();
        ASSERT_LT(GetTickCount() - start, 20000u) << "the worker never finished";
    }
    CloseHandle(thread);
    VktSys::Pump();
    EXPECT_EQ(w.result, -9);
    ASSERT_EQ(Reports(), 1u);
    EXPECT_EQ(env->Reports()[0].code, -9);
}

TEST_F(Trace, UnwritableFolderIsReportedOnce)
{
    env->ClearReports();
    EXPECT_EQ(StartTrace(1, 1, "missing\\trace.txt"), -10);
    ASSERT_EQ(Reports(), 1u);
    EXPECT_EQ(env->Reports()[0].name, "VkeSubInitTrace");
    EXPECT_EQ(env->Reports()[0].code, -10);
    FILE* f = nullptr;
    EXPECT_EQ(VkeSubGetTraceFilePtr(sub, &f), -6); // the trace was terminated
}

TEST_F(Trace, TraceAndTraceDebug)
{
    env->ClearReports();
    VkeSubTraceDebug(sub, "x"); // the trace is not initialised
    ASSERT_EQ(Reports(), 1u);
    EXPECT_EQ(env->Reports()[0].name, "VkeSubTraceDebug");
    EXPECT_EQ(env->Reports()[0].code, -6);

    ASSERT_EQ(StartTrace(), 0);
    VkeSubTraceDebug(sub, "%s=%d;", "表", 5);
    VkeSubTraceDebug(sub, "\r\n");
    EXPECT_EQ(VktReadFile(path), "表=5;\r\n");
    VkeSubSetTraceFlag(sub, 0, 0);
    VkeSubTraceDebug(sub, "off");
    VkeSubSetTraceFlag(sub, 1, 0);
    EXPECT_EQ(VktReadFile(path), "表=5;\r\n");

    // VkeSubTrace formats into work buffer 0 and writes nothing.
    env->ClearReports();
    char* w0 = nullptr;
    ASSERT_EQ(VkeSubGetWkBufPtr(sub, 0, &w0), 0);
    VkeSubTrace(sub, "%d-%s", 12, "ソ");
    EXPECT_STREQ(w0, "12-ソ");
    EXPECT_EQ(Reports(), 0u);
    std::string exact(1023, 'x');
    VkeSubTrace(sub, "%s", exact.c_str());
    EXPECT_EQ(Reports(), 0u);
    std::string over(1024, 'y');
    VkeSubTrace(sub, "%s", over.c_str());
    VkeSubTrace(sub, nullptr);
    VkeSubTraceDebug(sub, nullptr);
    ASSERT_EQ(Reports(), 3u);
    EXPECT_EQ(env->Reports()[0].name, "VkeSubTrace");
    EXPECT_EQ(env->Reports()[0].code, -7);
    EXPECT_EQ(env->Reports()[1].code, -9);
    EXPECT_EQ(env->Reports()[2].name, "VkeSubTraceDebug");
    EXPECT_EQ(VktReadFile(path).find("yyy"), std::string::npos);
}

TEST_F(Trace, DiagnosisFlag)
{
    int flag = 9;
    EXPECT_EQ(VkeSubGetDiagnosisFlag(sub, &flag), 0);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(VkeSubSetDiagnosisFlag(sub, 1), 0);
    EXPECT_EQ(VkeSubGetDiagnosisFlag(sub, &flag), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(VkeSubSetDiagnosisFlag(sub, 2), -9);
    EXPECT_EQ(VkeSubSetDiagnosisFlag(sub, -1), -9);
    EXPECT_EQ(VkeSubGetDiagnosisFlag(sub, nullptr), -9);
    EXPECT_EQ(VkeSubGetDiagnosisFlag(sub, &flag), 0);
    EXPECT_EQ(flag, 1);
}

// ---- Log ----

namespace {
class Log : public VktSysFixture {
protected:
    int StartLog(int clear = 0, const std::string& name = "app.log")
    {
        path = *env / name;
        LogParam param;
        VkeSubInitLogParam(sub, &param);
        snprintf(param.amPath, sizeof(param.amPath), "%s", path.c_str());
        param.iClear = clear;
        return VkeSubInitLog(sub, &param);
    }
    std::string path;
};

// "YYYY/MM/DD hh:mm:ss --- " and the text and CR LF, once per line.
const std::regex kLine("(\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2} --- [^\\r\\n]*\\r\\n)");
} // namespace

TEST_F(Log, LinesAreTimeStamped)
{
    ASSERT_EQ(StartLog(), 0);
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(VktReadFile(path), "");
    SYSTEMTIME before;
    GetLocalTime(&before);
    ASSERT_EQ(VkeSubWriteLog(sub, "abc"), 0);
    ASSERT_EQ(VkeSubWriteLog(sub, "表示ソ"), 0);
    std::string text = VktReadFile(path);
    ASSERT_EQ(text.size(), 24u + 3 + 2 + 24 + 6 + 2);
    EXPECT_TRUE(std::regex_match(text.substr(0, 29), kLine)) << text;
    EXPECT_EQ(text.substr(19, 10), " --- abc\r\n");
    EXPECT_EQ(text.substr(29 + 19), " --- 表示ソ\r\n");
    char year[8];
    snprintf(year, sizeof(year), "%04d/", before.wYear);
    EXPECT_EQ(text.substr(0, 5), year);
    int flag = 0;
    EXPECT_EQ(VkeSubGetInitLogFlag(sub, &flag), 0);
    EXPECT_EQ(flag, 1);
}

TEST_F(Log, ClearKeepAndDelete)
{
    ASSERT_TRUE(VktWriteFile(*env / "app.log", "old\r\n"));
    ASSERT_EQ(StartLog(0), 0); // kept
    EXPECT_EQ(VktReadFile(path), "old\r\n");
    ASSERT_EQ(VkeSubWriteLog(sub, "x"), 0);
    EXPECT_EQ(VktReadFile(path).substr(0, 5), "old\r\n");
    EXPECT_EQ(VkeSubTermLog(sub), 0);
    EXPECT_TRUE(Exists(path)); // not empty: kept

    ASSERT_EQ(StartLog(1), 0); // emptied
    EXPECT_EQ(VktReadFile(path), "");
    ASSERT_EQ(VkeSubWriteLog(sub, "y"), 0);
    ASSERT_EQ(VkeSubClearLog(sub), 0);
    EXPECT_EQ(VktReadFile(path), "");
    EXPECT_EQ(VkeSubTermLog(sub), 0);
    EXPECT_FALSE(Exists(path)); // empty: deleted
    EXPECT_EQ(VkeSubTermLog(sub), 0);
}

TEST_F(Log, LineThatDoesNotFitIsNotWritten)
{
    ASSERT_EQ(StartLog(), 0);
    // 24 bytes of time stamp, the text and CR LF must leave the terminator's byte of 1024.
    std::string fits(1024 - 1 - 24 - 2, 'a');
    ASSERT_EQ(VkeSubWriteLog(sub, fits.c_str()), 0);
    std::string before = VktReadFile(path);
    EXPECT_EQ(before.size(), 1023u);
    env->ClearReports();
    std::string over = fits + "b";
    EXPECT_EQ(VkeSubWriteLog(sub, over.c_str()), -13);
    std::string huge(5000, 'c');
    EXPECT_EQ(VkeSubWriteLog(sub, huge.c_str()), -13);
    EXPECT_EQ(VktReadFile(path), before);
    EXPECT_EQ(env->Reports().size(), 2u); // -13 is no expected outcome of VkeSubWriteLog
    EXPECT_EQ(VkeSubWriteLog(sub, nullptr), -9);
}

TEST_F(Log, PathAndBadRecords)
{
    char buf[1024];
    int flag = 9;
    EXPECT_EQ(VkeSubGetLogPath(sub, buf, sizeof(buf)), -6);
    EXPECT_EQ(VkeSubWriteLog(sub, "x"), -6);
    EXPECT_EQ(VkeSubClearLog(sub), -6);
    EXPECT_EQ(VkeSubGetInitLogFlag(sub, &flag), 0);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(VkeSubGetInitLogFlag(sub, nullptr), -9);

    LogParam param;
    VkeSubInitLogParam(sub, &param);
    EXPECT_EQ(VkeSubInitLog(sub, &param), -9); // empty path
    EXPECT_EQ(VkeSubInitLog(sub, nullptr), -9);
    memset(param.amPath, 'a', 260);
    EXPECT_EQ(VkeSubInitLog(sub, &param), -9);
    memset(param.amPath, 'a', sizeof(param.amPath));
    EXPECT_EQ(VkeSubInitLog(sub, &param), -9);
    snprintf(param.amPath, sizeof(param.amPath), "%s", (*env / "a.log").c_str());
    param.iClear = 2;
    EXPECT_EQ(VkeSubInitLog(sub, &param), -9);
    param.iClear = 0;
    snprintf(param.amPath, sizeof(param.amPath), "%s", env->Dir().c_str());
    EXPECT_EQ(VkeSubInitLog(sub, &param), -9);
    EXPECT_EQ(StartLog(0, "missing\\a.log"), -10);
    EXPECT_EQ(VkeSubGetInitLogFlag(sub, &flag), 0);
    EXPECT_EQ(flag, 0);

    // A Japanese folder and name; the path comes back absolute and bounded.
    ASSERT_TRUE(CreateDirectoryA((*env / "表示").c_str(), nullptr));
    ASSERT_EQ(StartLog(0, "表示\\ソフト.log"), 0);
    EXPECT_EQ(StartLog(0), -7);
    ASSERT_EQ(VkeSubGetLogPath(sub, buf, sizeof(buf)), 0);
    EXPECT_EQ(std::string(buf).substr(std::string(buf).size() - 16), "\\表示\\ソフト.log");
    EXPECT_TRUE(Exists(buf));
    char small[8];
    EXPECT_EQ(VkeSubGetLogPath(sub, small, sizeof(small)), -13);
    EXPECT_EQ(strlen(small), 7u);
    EXPECT_EQ(VkeSubGetLogPath(sub, small, 0), -9);
}

// ---- Function timer ----

namespace {
class Timer : public VktSysFixture {
protected:
    int StartTimer(int slots = 10, const std::string& title = "タイマー", int clear = 1,
                   const std::string& name = "timer.txt")
    {
        path = *env / name;
        FncTmrParam param;
        VkeSubInitFncTmrParam(sub, &param);
        snprintf(param.amPath, sizeof(param.amPath), "%s", path.c_str());
        param.iSlotCnt = slots;
        snprintf(param.amTitle, sizeof(param.amTitle), "%s", title.c_str());
        param.iClear = clear;
        return VkeSubInitFncTmr(sub, &param);
    }
    std::string path;
};

const std::string kRule(120, '-');
const std::string kHeader = "Module Name         Function Name       Procedure Name      "
                            "Call Count    Total Time(ms)    Function Time(ms)";

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    EXPECT_EQ(at, text.size()) << "every line ends with CR LF";
    return lines;
}
} // namespace

TEST_F(Timer, ReportListsTheCountedSlots)
{
    ASSERT_EQ(StartTimer(), 0);
    int flag = 0;
    EXPECT_EQ(VkeSubGetFncTmrFlag(sub, &flag), 0);
    EXPECT_EQ(flag, 1);
    ASSERT_EQ(VkeSubStartFncTmr(sub, 3, "CmnImg", "OpenImage", "Decode"), 0);
    ASSERT_EQ(VkeSubStopFncTmr(sub, 3), 0);
    ASSERT_EQ(VkeSubStartFncTmr(sub, 1, "ModuleNameLongerThan20", "表表表表表表表表表表表", "p"), 0);
    ASSERT_EQ(VkeSubStartFncTmr(sub, 3, "CmnImg", "OpenImage", "Decode"), 0);
    Sleep(20);
    ASSERT_EQ(VkeSubStopFncTmr(sub, 3), 0);
    ASSERT_EQ(VkeSubStopFncTmr(sub, 1), 0);
    ASSERT_EQ(VkeSubStopFncTmr(sub, 7), 0); // never started: not reported
    ASSERT_EQ(VkeSubStartFncTmr(sub, 510, "Last", "Slot", "Ok"), 0); // slot count + 500
    ASSERT_EQ(VkeSubStopFncTmr(sub, 510), 0);
    ASSERT_EQ(VkeSubTermFncTmr(sub), 0);
    EXPECT_EQ(VkeSubGetFncTmrFlag(sub, &flag), 0);
    EXPECT_EQ(flag, 0);

    std::vector<std::string> lines = Lines(VktReadFile(path));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], kRule);
    EXPECT_EQ(lines[2], "タイマー");
    EXPECT_EQ(lines[3], kRule);
    EXPECT_EQ(lines[4], kHeader);
    EXPECT_EQ(lines[5], kRule);
    EXPECT_EQ(lines[9], kRule);
    // Slots in ascending order; names cut or padded to 20 bytes, never inside a character.
    EXPECT_EQ(lines[6].substr(0, 60), "ModuleNameLongerThan表表表表表表表表表表p                   ");
    EXPECT_EQ(lines[7].substr(0, 60), "CmnImg              OpenImage           Decode              ");
    EXPECT_EQ(lines[8].substr(0, 60), "Last                Slot                Ok                  ");
    for (int i = 6; i <= 8; ++i) {
        const std::string& line = lines[i];
        ASSERT_EQ(line.size(), 60u + 10 + 8 + 10 + 11 + 10) << line;
        unsigned count = 0;
        unsigned long total = 0, mean = 0;
        ASSERT_EQ(sscanf(line.c_str() + 60, "%u %lu %lu", &count, &total, &mean), 3) << line;
        EXPECT_EQ(count, i == 7 ? 2u : 1u);
        EXPECT_EQ(mean, (total + count / 2) / count) << line;
    }
}

TEST_F(Timer, AppendedAndEmptyReports)
{
    ASSERT_TRUE(VktWriteFile(*env / "timer.txt", "before\r\n"));
    ASSERT_EQ(StartTimer(1, "", 0), 0);
    ASSERT_EQ(VkeSubTermFncTmr(sub), 0);
    std::string text = VktReadFile(path);
    EXPECT_EQ(text.substr(0, 10), "before\r\n\r\n");
    EXPECT_EQ(Lines(text).size(), 8u); // no slot was counted
    EXPECT_EQ(VkeSubTermFncTmr(sub), 0); // nothing more is written
    EXPECT_EQ(VktReadFile(path), text);
}

TEST_F(Timer, BadRecordsSlotsAndNames)
{
    EXPECT_EQ(VkeSubStartFncTmr(sub, 1, "a", "b", "c"), -6);
    EXPECT_EQ(VkeSubStopFncTmr(sub, 1), -6);
    FncTmrParam param;
    VkeSubInitFncTmrParam(sub, &param);
    EXPECT_EQ(VkeSubInitFncTmr(sub, &param), -9); // the default record
    EXPECT_EQ(VkeSubInitFncTmr(sub, nullptr), -9);
    EXPECT_EQ(StartTimer(0), -9);
    EXPECT_EQ(StartTimer(501), -9);
    EXPECT_EQ(StartTimer(10, "t", 2), -9);
    snprintf(param.amPath, sizeof(param.amPath), "%s", (*env / "t.txt").c_str());
    param.iSlotCnt = 1;
    memset(param.amTitle, 't', sizeof(param.amTitle)); // no terminator
    EXPECT_EQ(VkeSubInitFncTmr(sub, &param), -9);
    memset(param.amTitle, 0, sizeof(param.amTitle));
    memset(param.amPath, 'a', 260);
    EXPECT_EQ(VkeSubInitFncTmr(sub, &param), -9);
    EXPECT_EQ(StartTimer(1, "t", 1, "missing\\t.txt"), -10);

    ASSERT_EQ(StartTimer(1), 0);
    EXPECT_EQ(StartTimer(1), -7);
    EXPECT_EQ(VkeSubStartFncTmr(sub, 0, "a", "b", "c"), -9);
    EXPECT_EQ(VkeSubStartFncTmr(sub, 502, "a", "b", "c"), -9);
    EXPECT_EQ(VkeSubStopFncTmr(sub, 502), -9);
    EXPECT_EQ(VkeSubStartFncTmr(sub, 501, "a", "b", "c"), 0);
    EXPECT_EQ(VkeSubStartFncTmr(sub, 1, nullptr, "b", "c"), -9);
    EXPECT_EQ(VkeSubStartFncTmr(sub, 1, "a", "b", nullptr), -9);
    std::string exact(1023, 'm'), over(1024, 'm');
    EXPECT_EQ(VkeSubStartFncTmr(sub, 2, exact.c_str(), "b", "c"), 0);
    EXPECT_EQ(VkeSubStartFncTmr(sub, 3, "a", over.c_str(), "c"), -13);
    EXPECT_EQ(VkeSubGetFncTmrFlag(sub, nullptr), -9);
}

// ---- Files that stay empty go at exit ----

TEST(DiagnosticsAtExit, EmptyFilesAreDeletedWhenTheSystemObjectIsFreed)
{
    VktSys env;
    ASSERT_EQ(env.started, 0);
    std::string trace = env / "t.txt", log = env / "l.txt", used = env / "u.txt";
    TraceParam t;
    VkeSubInitTraceParam(env.sub, &t);
    snprintf(t.amPath, sizeof(t.amPath), "%s", trace.c_str());
    t.iOn = 1;
    ASSERT_EQ(VkeSubInitTrace(env.sub, &t), 0);
    LogParam l;
    VkeSubInitLogParam(env.sub, &l);
    snprintf(l.amPath, sizeof(l.amPath), "%s", log.c_str());
    ASSERT_EQ(VkeSubInitLog(env.sub, &l), 0);
    FncTmrParam f;
    VkeSubInitFncTmrParam(env.sub, &f);
    snprintf(f.amPath, sizeof(f.amPath), "%s", used.c_str());
    f.iSlotCnt = 1;
    ASSERT_EQ(VkeSubInitFncTmr(env.sub, &f), 0);
    ASSERT_TRUE(Exists(trace));
    ASSERT_TRUE(Exists(log));
    VkeSysFree(&env.sys);
    EXPECT_FALSE(Exists(trace));
    EXPECT_FALSE(Exists(log));
    EXPECT_TRUE(Exists(used)); // the report was written into it
}
