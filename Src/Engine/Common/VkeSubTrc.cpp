// Error trace, log and function timer of the utility object.
//
// The trace may be raised on any thread: its re-entry flag and its buffers belong to the calling
// thread, and a thread that does not own the main window posts the report instead of sending it,
// so a worker never waits for the user-interface thread.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubBsc"
#include "VkiSub.h"
#include "VkiSys.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <memory>
#include <stdlib.h>
#include <string.h>
#include <time.h>

struct VkiSub::TmrSlot {
    int iUsed;
    char* pszModule;
    char* pszFunction;
    char* pszProcedure;
    unsigned uCount;
    unsigned long ulStart;
    unsigned long ulEnd;
    unsigned long ulTotal;
};

namespace {

const int kMaxPath = 259;    // bytes of a path without its terminator
const int kExtraSlots = 500; // slots beyond the requested count
const int kNameWidth = 20;   // report column of each name

// Set while a trace report runs on this thread.
thread_local int t_iTracing = 0;

bool IsFlag(int v) { return v == 0 || v == 1; }

// A heap block of the engine's own, released with the scope.
using Block = std::unique_ptr<char, decltype(&free)>;
Block NewBlock(size_t bytes) { return Block(static_cast<char*>(calloc(bytes, 1)), &free); }

// Opens a diagnostics file: emptied with clear 1, else appended (or made when that fails).
FILE* OpenDiagFile(const char* path, int clear)
{
    if (clear == 1) return fopen(path, "wb");
    FILE* f = fopen(path, "ab");
    return f ? f : fopen(path, "wb");
}

// Milliseconds of the process clock, which counts from the start of the program.
unsigned long TmrNow()
{
    return static_cast<unsigned long>(static_cast<unsigned long long>(clock()) * 1000ULL / CLOCKS_PER_SEC);
}

const char kRule[] = "------------------------------------------------------------"
                     "------------------------------------------------------------";

// One name of a report line: cut to the column on a character boundary, padded with blanks.
void PutName(FILE* f, const char* name)
{
    int keep = VkiFitLen(name, static_cast<int>(strlen(name)), kNameWidth);
    fprintf(f, "%-*.*s", kNameWidth, keep, name);
}

} // namespace

// ---- Shared helpers ----

int VkiSub::CheckDiagPath(char* out, const char* path)
{
    int rc = GetPathName(out, path, 1024);
    if (rc != VKE_OK) return rc;
    int is = 0;
    rc = IsDrive(out, &is);
    if (rc != VKE_OK) return rc;
    if (is) return VKE_ERR_ARG;
    rc = IsExistPath(out, &is);
    if (rc != VKE_OK || !is) return rc;
    rc = IsDirectory(out, &is);
    if (rc != VKE_OK) return rc;
    return is ? VKE_ERR_ARG : VKE_OK;
}

void VkiSub::DeleteIfEmpty(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path[0] || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
    if (data.nFileSizeLow == 0 && data.nFileSizeHigh == 0) DeleteFile(path, 0, 1, nullptr);
}

int VkiSub::TermDiagnostics()
{
    int rc = EndTrace();
    int rcLog = EndLog();
    int rcTmr = EndFncTmr();
    if (rc == VKE_OK) rc = rcLog;
    if (rc == VKE_OK) rc = rcTmr;
    return rc;
}

// ---- Error trace ----

void VkiSub::TraceError(const char* sourcePath, int line, const char* name, int code)
{
    (void)line; // the record holds only the export and its code
    if (t_iTracing) return;
    t_iTracing = 1;
    if (sourcePath && name) WriteTraceRecord(name, code);
    ReportTrace(name, code);
    t_iTracing = 0;
}

void VkiSub::WriteTraceRecord(const char* name, int code)
{
    if (!IsInit() || !m_iTraceInit || m_iTraceOn != 1 || !m_pTraceFile) return;
    char text[VKE_MSG_SIZE] = "";
    GetErrMsg(code, text);

    // "<< TRACE >>  Func (name) : Error (text)" and two line ends, within the maximum buffer
    // length; a long name is cut on a character boundary, the line ends always stay.
    static const char kHead[] = "<< TRACE >>  ";
    static const char kTail[] = "\r\n\r\n";
    const int len = m_iMaxBufLen;
    Block body = NewBlock(static_cast<size_t>(len));
    Block record = NewBlock(static_cast<size_t>(len));
    if (!body || !record) return;
    int need = snprintf(body.get(), static_cast<size_t>(len), "Func (%s) : Error (%s)", name, text);
    if (need < 0) return;
    int bodyLen = need < len ? need : len - 1;
    int room = len - 1 - static_cast<int>(sizeof(kHead) - 1) - static_cast<int>(sizeof(kTail) - 1);
    int keep = VkiFitLen(body.get(), bodyLen, room);
    int n = snprintf(record.get(), static_cast<size_t>(len), "%s%.*s%s", kHead, keep, body.get(), kTail);
    if (n <= 0) return;
    fwrite(record.get(), 1, static_cast<size_t>(n), m_pTraceFile);
    fflush(m_pTraceFile);
}

void VkiSub::ReportTrace(const char* name, int code)
{
    HWND wnd = nullptr;
    if (!m_pSys || m_pSys->GetMainWindowHandle(&wnd) != VKE_OK || !wnd) return;
    // On the window's own thread the report is sent and handled at once; any other thread posts
    // it (the name is the export's literal, so it outlives the call).
    if (GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId())
        SendMessageA(wnd, VkeWmTraceError, reinterpret_cast<WPARAM>(name), static_cast<LPARAM>(code));
    else
        PostMessageA(wnd, VkeWmTraceError, reinterpret_cast<WPARAM>(name), static_cast<LPARAM>(code));
}

int VkiSub::InitTraceParam(TraceParam* param)
{
    if (!param) return VKE_ERR_ARG;
    memset(param, 0, sizeof(*param));
    param->iClear = 1;
    return VKE_OK;
}

int VkiSub::InitTrace(TraceParam* param)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (m_iTraceInit) return VKE_ERR_EXISTS;
    if (!param || VkiStrLen(param->amPath, sizeof(param->amPath)) > kMaxPath) return VKE_ERR_ARG;
    if (!IsFlag(param->iOn) || !IsFlag(param->iClear)) return VKE_ERR_ARG;
    EndTrace();
    if (param->amPath[0]) {
        int rc = CheckDiagPath(m_amTracePath, param->amPath);
        if (rc != VKE_OK) {
            m_amTracePath[0] = '\0';
            return rc;
        }
    }
    m_iTraceInit = 1;
    int rc = SetTraceFlag(param->iOn, param->iClear);
    if (rc != VKE_OK) EndTrace();
    return rc;
}

int VkiSub::TermTrace()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return EndTrace();
}

int VkiSub::EndTrace()
{
    if (m_iTraceInit) {
        SetTraceFlag(0, 0);
        DeleteIfEmpty(m_amTracePath);
    }
    m_iTraceInit = 0;
    m_iTraceOn = 0;
    m_pTraceFile = nullptr;
    m_amTracePath[0] = '\0';
    return VKE_OK;
}

int VkiSub::SetTraceFlag(int on, int clear)
{
    if (!m_iTraceInit) return VKE_ERR_NOT_INIT;
    if (on != 1) {
        if (m_pTraceFile && m_pTraceFile != stderr) fclose(m_pTraceFile);
        m_pTraceFile = nullptr;
        m_iTraceOn = 0;
        return VKE_OK;
    }
    if (m_iTraceOn == 1) return VKE_OK;
    FILE* f = stderr;
    if (!m_amTracePath[0]) {
        if (clear == 1) rewind(stderr);
    } else {
        f = OpenDiagFile(m_amTracePath, clear);
        if (!f) return VKE_ERR_FILE;
    }
    m_pTraceFile = f;
    m_iTraceOn = 1;
    return VKE_OK;
}

int VkiSub::GetTraceFlag(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_iTraceOn;
    return VKE_OK;
}

int VkiSub::GetTraceFilePtr(FILE** out)
{
    if (!IsInit() || !m_iTraceInit) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_pTraceFile;
    return VKE_OK;
}

int VkiSub::Trace(const char* format, va_list args)
{
    if (!format) return VKE_ERR_ARG;
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return FormatBuf(m_apWkBuf[0], format, args);
}

int VkiSub::TraceDebug(const char* format, va_list args)
{
    int rc = Trace(format, args);
    if (rc != VKE_OK) return rc;
    if (!m_iTraceInit) return VKE_ERR_NOT_INIT;
    if (m_iTraceOn != 1 || !m_pTraceFile) return VKE_OK;
    size_t n = strlen(m_apWkBuf[0]);
    bool written = fwrite(m_apWkBuf[0], 1, n, m_pTraceFile) == n;
    if (fflush(m_pTraceFile) != 0) written = false;
    return written ? VKE_OK : VKE_ERR_FILE;
}

// ---- Log ----

int VkiSub::InitLogParam(LogParam* param)
{
    if (!param) return VKE_ERR_ARG;
    memset(param, 0, sizeof(*param));
    return VKE_OK;
}

int VkiSub::InitLog(LogParam* param)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (m_iLogInit) return VKE_ERR_EXISTS;
    if (!param) return VKE_ERR_ARG;
    int len = VkiStrLen(param->amPath, sizeof(param->amPath));
    if (len < 1 || len > kMaxPath || !IsFlag(param->iClear)) return VKE_ERR_ARG;
    EndLog();
    char path[1024];
    int rc = CheckDiagPath(path, param->amPath);
    if (rc != VKE_OK) return rc;
    FILE* f = OpenDiagFile(path, param->iClear);
    if (!f) return VKE_ERR_FILE;
    fclose(f);
    memcpy(m_amLogPath, path, sizeof(m_amLogPath));
    m_iLogInit = 1;
    return VKE_OK;
}

int VkiSub::TermLog()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return EndLog();
}

int VkiSub::EndLog()
{
    if (m_iLogInit) DeleteIfEmpty(m_amLogPath);
    m_iLogInit = 0;
    m_amLogPath[0] = '\0';
    return VKE_OK;
}

int VkiSub::GetInitLogFlag(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_iLogInit;
    return VKE_OK;
}

int VkiSub::GetLogPath(char* buffer, int size)
{
    if (!IsInit() || !m_iLogInit) return VKE_ERR_NOT_INIT;
    return VkiCopyStr(buffer, m_amLogPath, size);
}

int VkiSub::ClearLog()
{
    if (!IsInit() || !m_iLogInit) return VKE_ERR_NOT_INIT;
    FILE* f = fopen(m_amLogPath, "wb");
    if (!f) return VKE_ERR_FILE;
    return fclose(f) == 0 ? VKE_OK : VKE_ERR_FILE;
}

int VkiSub::WriteLog(const char* text)
{
    if (!IsInit() || !m_iLogInit) return VKE_ERR_NOT_INIT;
    if (!text) return VKE_ERR_ARG;
    // The line is built in a block of this call, so a log written while another thread works
    // inside the engine leaves the shared buffers alone.
    const int len = m_iMaxBufLen;
    Block line = NewBlock(static_cast<size_t>(len));
    if (!line) return VKE_ERR_MEMORY;
    time_t now = time(nullptr);
    struct tm* t = localtime(&now);
    struct tm zero = {};
    if (!t) t = &zero;
    int head = snprintf(line.get(), static_cast<size_t>(len), "%04d/%02d/%02d %02d:%02d:%02d --- ",
                        t->tm_year + 1900, t->tm_mon + 1, t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec);
    int textLen = VkiStrLen(text, len);
    if (head < 0 || head + textLen + 2 > len - 1) return VKE_ERR_CUT;
    memcpy(line.get() + head, text, static_cast<size_t>(textLen));
    memcpy(line.get() + head + textLen, "\r\n", 3);

    FILE* f = OpenDiagFile(m_amLogPath, 0);
    if (!f) return VKE_ERR_FILE;
    size_t n = static_cast<size_t>(head + textLen + 2);
    bool written = fwrite(line.get(), 1, n, f) == n;
    if (fclose(f) != 0) written = false;
    return written ? VKE_OK : VKE_ERR_FILE;
}

// ---- Function timer ----

int VkiSub::InitFncTmrParam(FncTmrParam* param)
{
    if (!param) return VKE_ERR_ARG;
    memset(param, 0, sizeof(*param));
    param->iClear = 1;
    return VKE_OK;
}

int VkiSub::InitFncTmr(FncTmrParam* param)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (m_iTmrInit) return VKE_ERR_EXISTS;
    if (!param) return VKE_ERR_ARG;
    int len = VkiStrLen(param->amPath, sizeof(param->amPath));
    if (len < 1 || len > kMaxPath) return VKE_ERR_ARG;
    if (param->iSlotCnt < 1 || param->iSlotCnt > 500) return VKE_ERR_ARG;
    if (VkiStrLen(param->amTitle, sizeof(param->amTitle)) >= static_cast<int>(sizeof(param->amTitle)))
        return VKE_ERR_ARG;
    if (!IsFlag(param->iClear)) return VKE_ERR_ARG;
    EndFncTmr();
    char path[1024];
    int rc = CheckDiagPath(path, param->amPath);
    if (rc != VKE_OK) return rc;

    int slots = param->iSlotCnt + kExtraSlots;
    size_t nameLen = static_cast<size_t>(m_iMaxBufLen);
    m_pTmrSlot = static_cast<TmrSlot*>(calloc(static_cast<size_t>(slots), sizeof(TmrSlot)));
    m_pTmrNames = static_cast<char*>(calloc(static_cast<size_t>(slots) * 3, nameLen));
    if (!m_pTmrSlot || !m_pTmrNames) {
        EndFncTmr();
        return VKE_ERR_MEMORY;
    }
    for (int i = 0; i < slots; ++i) {
        char* names = m_pTmrNames + static_cast<size_t>(i) * 3 * nameLen;
        m_pTmrSlot[i].pszModule = names;
        m_pTmrSlot[i].pszFunction = names + nameLen;
        m_pTmrSlot[i].pszProcedure = names + 2 * nameLen;
    }
    m_pTmrFile = OpenDiagFile(path, param->iClear);
    if (!m_pTmrFile) {
        EndFncTmr();
        return VKE_ERR_FILE;
    }
    m_iTmrSlotCnt = slots;
    memcpy(m_amTmrPath, path, sizeof(m_amTmrPath));
    memcpy(m_amTmrTitle, param->amTitle, sizeof(m_amTmrTitle));
    m_iTmrInit = 1;
    m_iTmrRunning = 1;
    return VKE_OK;
}

int VkiSub::TermFncTmr()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return EndFncTmr();
}

int VkiSub::EndFncTmr()
{
    int rc = VKE_OK;
    if (m_iTmrInit) rc = WriteFncTmrReport();
    if (m_pTmrFile && fclose(m_pTmrFile) != 0 && m_iTmrInit) rc = VKE_ERR_FILE;
    m_pTmrFile = nullptr;
    free(m_pTmrSlot);
    free(m_pTmrNames);
    m_pTmrSlot = nullptr;
    m_pTmrNames = nullptr;
    if (m_iTmrInit) DeleteIfEmpty(m_amTmrPath);
    m_iTmrInit = 0;
    m_iTmrRunning = 0;
    m_iTmrSlotCnt = 0;
    m_amTmrPath[0] = '\0';
    m_amTmrTitle[0] = '\0';
    return rc;
}

int VkiSub::WriteFncTmrReport()
{
    FILE* f = m_pTmrFile;
    fprintf(f, "\r\n%s\r\n%s\r\n%s\r\n", kRule, m_amTmrTitle, kRule);
    fprintf(f, "Module Name         Function Name       Procedure Name      "
               "Call Count    Total Time(ms)    Function Time(ms)\r\n%s\r\n",
            kRule);
    for (int i = 0; i < m_iTmrSlotCnt; ++i) {
        const TmrSlot& s = m_pTmrSlot[i];
        if (!s.iUsed || s.uCount == 0) continue;
        unsigned long mean = static_cast<unsigned long>((static_cast<unsigned long long>(s.ulTotal) + s.uCount / 2) /
                                                        s.uCount);
        PutName(f, s.pszModule);
        PutName(f, s.pszFunction);
        PutName(f, s.pszProcedure);
        fprintf(f, "%10u        %10lu           %10lu\r\n", s.uCount, s.ulTotal, mean);
    }
    fprintf(f, "%s\r\n", kRule);
    return (fflush(f) == 0 && !ferror(f)) ? VKE_OK : VKE_ERR_FILE;
}

int VkiSub::StartFncTmr(int slot, const char* module, const char* function, const char* procedure)
{
    if (!IsInit() || !m_iTmrInit) return VKE_ERR_NOT_INIT;
    if (!module || !function || !procedure || slot < 1 || slot > m_iTmrSlotCnt) return VKE_ERR_ARG;
    const char* names[3] = {module, function, procedure};
    int lens[3];
    for (int i = 0; i < 3; ++i) {
        lens[i] = VkiStrLen(names[i], m_iMaxBufLen);
        if (lens[i] > m_iMaxBufLen - 1) return VKE_ERR_CUT;
    }
    TmrSlot& s = m_pTmrSlot[slot - 1];
    char* dest[3] = {s.pszModule, s.pszFunction, s.pszProcedure};
    for (int i = 0; i < 3; ++i) memcpy(dest[i], names[i], static_cast<size_t>(lens[i]) + 1);
    s.iUsed = 1;
    ++s.uCount;
    s.ulStart = TmrNow();
    return VKE_OK;
}

int VkiSub::StopFncTmr(int slot)
{
    if (!IsInit() || !m_iTmrInit) return VKE_ERR_NOT_INIT;
    if (slot < 1 || slot > m_iTmrSlotCnt) return VKE_ERR_ARG;
    TmrSlot& s = m_pTmrSlot[slot - 1];
    s.ulEnd = TmrNow();
    s.ulTotal += s.ulEnd - s.ulStart;
    return VKE_OK;
}

int VkiSub::GetFncTmrFlag(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_iTmrInit;
    return VKE_OK;
}

// ---- Diagnosis flag ----

int VkiSub::SetDiagnosisFlag(int flag)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsFlag(flag)) return VKE_ERR_ARG;
    m_iDiagnosis = flag;
    return VKE_OK;
}

int VkiSub::GetDiagnosisFlag(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_iDiagnosis;
    return VKE_OK;
}

// ---- Exports ----

VKE_API void VkeSubTraceError(VkiSub* sub, const char* sourcePath, int line, const char* name, int code)
{
    if (sub) sub->TraceError(sourcePath, line, name, code);
}

VKE_API int VkeSubInitTraceParam(VkiSub* sub, TraceParam* param) { VKE_SUB_FRAME(sub, InitTraceParam(param)); }

VKE_API int VkeSubInitTrace(VkiSub* sub, TraceParam* param) { VKE_SUB_FRAME(sub, InitTrace(param)); }

VKE_API int VkeSubTermTrace(VkiSub* sub) { VKE_SUB_FRAME(sub, TermTrace()); }

VKE_API int VkeSubSetTraceFlag(VkiSub* sub, int on, int clear) { VKE_SUB_FRAME(sub, SetTraceFlag(on, clear)); }

VKE_API int VkeSubGetTraceFlag(VkiSub* sub, int* out) { VKE_SUB_FRAME(sub, GetTraceFlag(out)); }

VKE_API int VkeSubGetTraceFilePtr(VkiSub* sub, FILE** out) { VKE_SUB_FRAME(sub, GetTraceFilePtr(out)); }

VKE_API void VkeSubTrace(VkiSub* sub, const char* format, ...)
{
    if (!sub) return;
    va_list args;
    va_start(args, format);
    int rc = sub->Trace(format, args);
    va_end(args);
    if (rc != VKE_OK) VKE_TRACE(sub, rc);
}

VKE_API void VkeSubTraceDebug(VkiSub* sub, const char* format, ...)
{
    if (!sub) return;
    va_list args;
    va_start(args, format);
    int rc = sub->TraceDebug(format, args);
    va_end(args);
    if (rc != VKE_OK) VKE_TRACE(sub, rc);
}

VKE_API int VkeSubInitLogParam(VkiSub* sub, LogParam* param) { VKE_SUB_FRAME(sub, InitLogParam(param)); }

VKE_API int VkeSubInitLog(VkiSub* sub, LogParam* param) { VKE_SUB_FRAME(sub, InitLog(param)); }

VKE_API int VkeSubTermLog(VkiSub* sub) { VKE_SUB_FRAME(sub, TermLog()); }

VKE_API int VkeSubGetInitLogFlag(VkiSub* sub, int* out) { VKE_SUB_FRAME(sub, GetInitLogFlag(out)); }

VKE_API int VkeSubGetLogPath(VkiSub* sub, char* buffer, int size) { VKE_SUB_FRAME(sub, GetLogPath(buffer, size)); }

VKE_API int VkeSubClearLog(VkiSub* sub) { VKE_SUB_FRAME(sub, ClearLog()); }

VKE_API int VkeSubWriteLog(VkiSub* sub, const char* text) { VKE_SUB_FRAME(sub, WriteLog(text)); }

VKE_API int VkeSubInitFncTmrParam(VkiSub* sub, FncTmrParam* param) { VKE_SUB_FRAME(sub, InitFncTmrParam(param)); }

VKE_API int VkeSubInitFncTmr(VkiSub* sub, FncTmrParam* param) { VKE_SUB_FRAME(sub, InitFncTmr(param)); }

VKE_API int VkeSubTermFncTmr(VkiSub* sub) { VKE_SUB_FRAME(sub, TermFncTmr()); }

VKE_API int VkeSubStartFncTmr(VkiSub* sub, int slot, const char* module, const char* function,
                              const char* procedure)
{
    VKE_SUB_FRAME(sub, StartFncTmr(slot, module, function, procedure));
}

VKE_API int VkeSubStopFncTmr(VkiSub* sub, int slot) { VKE_SUB_FRAME(sub, StopFncTmr(slot)); }

VKE_API int VkeSubGetFncTmrFlag(VkiSub* sub, int* out) { VKE_SUB_FRAME(sub, GetFncTmrFlag(out)); }

VKE_API int VkeSubSetDiagnosisFlag(VkiSub* sub, int flag) { VKE_SUB_FRAME(sub, SetDiagnosisFlag(flag)); }

VKE_API int VkeSubGetDiagnosisFlag(VkiSub* sub, int* out) { VKE_SUB_FRAME(sub, GetDiagnosisFlag(out)); }
