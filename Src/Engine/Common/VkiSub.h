// VkiSub: the utility object. Every other engine object reports its failures through one,
// and all text services of the VkeSub family run on it: one method per export, same verb.
#pragma once
#include "VkiObj.h"
#include <stdarg.h>

class VkiSub : public VkiObj {
public:
    VkiSub();
    ~VkiSub() override;

    // ---- Object (VkeSubBsc.cpp) ----
    int InitParam(VkeSubParam* param);
    int CheckParam(VkeSubParam* param, int* field, int* messageNo);
    int Init(VkeSubParam* param, int* field, int* messageNo);
    int Term();
    int SetProperty(int id, void* value);
    int GetProperty(int id, void* out);
    int GetName(char* buffer, int size);
    int SetVkeSysPtr(VkiSys* sys);
    int GetVkeSysPtr(VkiSys** out);
    int GetMaxBufLen(int* out);
    int GetVarArgBufPtr(char** out);
    int GetWkBufPtr(int index, char** out);
    // Formats into the var-arg buffer; -6, -7 (does not fit: buffer holds the cut text), -9.
    int VarArgMsg(const char* format, va_list args);
    // Formats into one of the buffers (0 var-arg, 1 work 0, 2 work 1); -7 when it does not fit.
    int FormatBuf(char* buffer, const char* format, va_list args);

    // ---- Character classes and code conversion (VkeSubChr.cpp) ----
    int IsCtlChr(int ch, int* is);
    int IsNmlChr(int ch, int* is);
    int IsSjsMbc1(int ch, int* is);
    int IsSjsMbc2(int ch, int* is);
    int IsSjsMbc(int first, int second, int* is);
    int IsEucMbc1(int ch, int* is);
    int IsEucMbc2(int ch, int* is);
    int IsEucMbc(int first, int second, int* is);
    int IsSjsUINT(UINT code, int* is);
    int IsEucUINT(UINT code, int* is);
    int ChkChr(const char* text, int pos);
    int SJSToEUC(char* dest, const char* src, int destSize);
    int EUCToSJS(char* dest, const char* src, int destSize);
    int ToLower(const char* ch, UINT* code);
    int ToUpper(const char* ch, UINT* code);
    int ToLowerStr(char* text);
    int ToUpperStr(char* text);
    int UINTToStr(char* dest, UINT code);
    int StrToUINT(UINT* code, const char* text);
    // Lower-case code of the character at p (no checks; the table must be filled).
    UINT LowerCode(const char* p) const;

    // ---- Arithmetic (VkeSubAri.cpp) ----
    int CalcGrtCmnDiv(int a, int b, int* out);
    int GetFraction(double scale, int precision, int* num, int* den);
    int GetStretchFixedScale(int boxW, int boxH, int srcW, int srcH, int* num, int* den);
    int GetStretchFixedScaleSize(int boxW, int boxH, int srcW, int srcH, int* outW, int* outH);
    int InitRand();
    int Rand01(float* out);
    int RandRange(float low, float high, float* out);
    int Exponent(float x, float* out);

    // ---- Error trace, log and function timer (VkeSubTrc.cpp) ----
    // Writes the trace record and reports to the main window; never reports its own failures.
    void TraceError(const char* sourcePath, int line, const char* name, int code);
    int InitTraceParam(TraceParam* param);
    int InitTrace(TraceParam* param);
    int TermTrace();
    int SetTraceFlag(int on, int clear);
    int GetTraceFlag(int* out);
    int GetTraceFilePtr(FILE** out);
    int Trace(const char* format, va_list args);
    int TraceDebug(const char* format, va_list args);
    int InitLogParam(LogParam* param);
    int InitLog(LogParam* param);
    int TermLog();
    int GetInitLogFlag(int* out);
    int GetLogPath(char* buffer, int size);
    int ClearLog();
    int WriteLog(const char* text);
    int InitFncTmrParam(FncTmrParam* param);
    int InitFncTmr(FncTmrParam* param);
    int TermFncTmr();
    int StartFncTmr(int slot, const char* module, const char* function, const char* procedure);
    int StopFncTmr(int slot);
    int GetFncTmrFlag(int* out);
    int SetDiagnosisFlag(int flag);
    int GetDiagnosisFlag(int* out);
    // Ends trace, log and timer; the first non-zero result of the three.
    int TermDiagnostics();
    // Helpers of the three: the absolute path of a diagnostics file (not a drive, not a folder),
    // the trace record and the report, the ends without the object check.
    int CheckDiagPath(char* out, const char* path);
    void WriteTraceRecord(const char* name, int code);
    void ReportTrace(const char* name, int code);
    int EndTrace();
    int EndLog();
    int EndFncTmr();
    int WriteFncTmrReport();
    void DeleteIfEmpty(const char* path);
    // ---- end: trace ----

    // ---- Strings, keywords and CSV fields (VkeSubStr.cpp) ----
    // Positions are 1-based bytes, counts bytes, sizes include the terminator. 1: a position or
    // range was moved off half a character; -13: the result was cut on a character boundary.
    int CopyStrMem(char* dest, const char* src, int srcCount, int destRoom, int* copied);
    int GetStrLen(const char* text, int* length);
    int CmpStr(const char* a, const char* b, int* order);
    int CopyStr(char* dest, const char* src, int size);
    int ConcatStr(char* dest, const char* src, int destSize);
    int MidStr(char* dest, const char* src, int start, int count, int destSize);
    int LeftStr(char* dest, const char* src, int count, int destSize);
    int RightStr(char* dest, const char* src, int count, int destSize);
    int InsStr(char* buf, const char* ins, int pos, int bufSize, int* atPos, int* inserted);
    int DelStr(char* buf, char* deleted, int pos, int count, int deletedSize, int* atPos, int* deletedCount);
    int UpdStr(char* buf, const char* newText, char* deleted, char* insertedCopy, int pos, int count, int bufSize,
               int deletedSize, int insertedSize, int* atPos, int* deletedCount, int* inserted);
    int InsStrUINT(char* buf, UINT code, int pos, int bufSize, int* atPos, int* inserted);
    int UpdStrUINT(char* buf, UINT code, char* deleted, char* insertedCopy, int pos, int count, int bufSize,
                   int deletedSize, int insertedSize, int* atPos, int* deletedCount, int* inserted);
    int TrimStr(char* buf);
    int TrimStrLeftZero(char* buf);
    int TrimStrRightZero(char* buf);
    // Mode 0 compares bytes, 1 lower-case character codes.
    int FindStr(const char* text, const char* pattern, int mode, int start, int* foundPos);
    int FindStrRev(const char* text, const char* pattern, int mode, int end, int* foundPos);
    int GetFindStrCnt(const char* text, const char* pattern, int mode, int start, int* count);
    int ChangeStr(char* buf, const char* pattern, const char* replacement, int mode, int start, int bufSize,
                  int* atPos, int* deleted, int* inserted);
    int ChangeStrRev(char* buf, const char* pattern, const char* replacement, int mode, int end, int bufSize,
                     int* atPos, int* deleted, int* inserted);
    int ChangeStrAll(char* buf, const char* pattern, const char* replacement, int mode, int start, int bufSize,
                     int* lastPos, int* lastDeleted, int* lastInserted, int* replaced);
    int ChangeStrRevAll(char* buf, const char* pattern, const char* replacement, int mode, int end, int bufSize,
                        int* lastPos, int* lastDeleted, int* lastInserted, int* replaced);
    int DeleteStr(char* buf, const char* pattern, int mode);
    int KwdGetLft(const char* text, const char* keyword, char* dest, int destSize, int start, int* foundPos);
    int KwdGetRgt(const char* text, const char* keyword, char* dest, int destSize, int start, int* foundPos);
    // Pairs (const char* keyword, char* dest) ending with the pair ("", dest).
    int KwdGetLftMulti(const char* text, int destSize, va_list pairs);
    int SplitStr(const char* text, int destSize, ...);
    int CsvSetFld(char* line, const char* separator, const char* field, int bufSize, int quote, int addSeparator);
    int CsvGetFld(const char* line, const char* separator, char* field, int destSize, int start, int* next);
    int ChangeAll(bool reverse, char* buf, const char* pattern, const char* replacement, int mode, int pos,
                  int bufSize, int* lastPos, int* lastDeleted, int* lastInserted, int* replaced);
    // ---- end: strings ----

    // ---- Application memory buffers (VkeSubMem.cpp) ----
    int AllocAppMem(AppMem** out);
    int FreeAppMem(AppMem** out);
    int InitAppMem(AppMem* mem);
    int TermAppMem(AppMem* mem);
    int AllocAppMemBuf(AppMem* mem, int n);
    int FreeAppMemBuf(AppMem* mem);
    int SetAppMemBuf(AppMem* mem, const void* data, int n);
    int GetAppMemBuf(AppMem* mem, void* out, int size, int* got);
    int SetAppMemStr(AppMem* mem, const char* text);
    int GetAppMemStr(AppMem* mem, char* out, int size);
    int ConcatAppMemStr(AppMem* mem, const char* text);
    int CopyAppMem(AppMem* dest, AppMem* src);
    int DupAppMem(AppMem** out, AppMem* src);
    int CmpAppMemStr(AppMem* a, AppMem* b, int* result);
    // ---- end: application memory ----

    // ---- Paths, files and folders (VkeSubFil.cpp) ----
    int GetPathName(char* dest, const char* path, int destSize);
    int GetFileName(char* dest, const char* path, int destSize);
    int GetBaseFileName(char* dest, const char* path, int destSize);
    int GetFileExtention(char* dest, const char* path, int destSize);
    int GetDirPath(char* dest, const char* path, int destSize);
    int GetFileSize(const char* path, double* size, int* known);
    int IsDrive(const char* path, int* is);
    int IsDirectory(const char* path, int* is);
    int IsExistPath(const char* path, int* is);
    int IsNormalFile(char* dest, const char* path, int destSize, int* is);
    int GetModuleName(char* dest, int destSize);
    int GetTempPathName(char* dest, const char* folder, int destSize, int create);
    int CheckSpecialPath(const char* path, int* special);
    int CreateDir(const char* path);
    int CopyDir(const char* to, const char* from, int allowUndo, int silent, HWND owner);
    int MoveDir(const char* to, const char* from, int allowUndo, int silent, HWND owner);
    int DeleteDir(const char* path, int allowUndo, int silent, HWND owner);
    int CopyFile(const char* to, const char* from, int allowUndo, int silent, HWND owner);
    int MoveFile(const char* to, const char* from, int allowUndo, int silent, HWND owner);
    int DeleteFile(const char* path, int allowUndo, int silent, HWND owner);
    int GenUniqueKey(const char* keyFile, int count, int* keys);
    int GetFldInfo(const char* line, char* separator, int sepSize, int* fields);
    int GetTxtFilInfo(const char* path, int* lines, int* longest);
    int GetCsvFilInfo(const char* path, char* separator, int sepSize, int* lines, int* longest, int* fields);
    // Normalises path into out (1024 bytes): 1 to 259 bytes, or the failure code.
    int NormalisePath(char* out, const char* path);
    int SplitFileName(char* dest, const char* path, int destSize, char* name, int* dot);
    // Normalises path and answers one test of the normalised path in *is.
    int TestPath(const char* path, int* is, bool (*test)(const char* norm));
    // Checks the flags and normalises both paths of a copy or move, then runs it.
    using PairOpFn = int (*)(UINT op, const char* dst, const char* src, int allowUndo, int silent, HWND owner);
    int PairOp(PairOpFn run, UINT op, const char* to, const char* from, int allowUndo, int silent, HWND owner);
    // ---- end: paths ----

    // ---- Message texts and message boxes (VkeSubMsg.cpp) ----
    int LoadMsg(const char* path);
    int GetMsg(int messageNo, char* out);
    int GetErrMsg(int code, char* out);
    int MsgBox(const char* text, unsigned type);
    int ShowMsg(int messageNo, unsigned type);
    int ShowErrMsg(int code, unsigned type);
    void FreeMsgTable();
    // Text of message no: the default entry for a number outside the table, "" with no file loaded.
    const char* MsgText(int no) const;
    // Message number of a status code: 0..4 give 1..5, -1..-36 give 13..48, others 0.
    static int ErrMsgNo(int code);
    // ---- end: messages ----

    // ---- Registry access and typed pointer values (VkeSubReg.cpp) ----
    int CreateReg(const char* rootName, const char* subKey, HKEY* out);
    int OpenReg(const char* rootName, const char* subKey, HKEY* out);
    int ReadReg(HKEY key, const char* valueName, char* buffer, unsigned* type, int size);
    int WriteReg(HKEY key, const char* valueName, const char* text);
    int CloseReg(HKEY key);
    int SetPtrVar(void* dest, const void* src, int type);
    int GetPtrVar(const void* src, void* dest, int type);
    // ---- end: registry ----

    // ---- Lists and typed records (VkeSubDat.cpp) ----
    int InitEditFlag(EditFlag* flags);
    int CopyEditFlag(EditFlag* dest, EditFlag* src);
    int InitWndMsg(WndMsg* msg);
    int CopyWndMsg(WndMsg* dest, WndMsg* src);
    int AllocLke(int kind, Lke** out, int size);
    int FreeLke(Lke** p);
    int InitLke(int kind, Lke* p, int size);
    int TermLke(Lke* p);
    int CopyLke(Lke* dest, Lke* src, int size);
    int DupLke(int kind, Lke** out, Lke* src, int size);
    int AllocLki(int kind, Lki** out, int elementSize);
    int FreeLki(Lki** p);
    int InitLki(int kind, Lki* p, int elementSize);
    int TermLki(Lki* p);
    int CopyLki(Lki* dest, Lki* src);
    int DupLki(int kind, Lki** out, Lki* src, int elementSize);
    int SchLke(int mode, Lki* list, void* key, Lke** found);
    int InsLke(int mode, Lki* list, void* key, Lke* element);
    int AddLke(Lki* list, Lke* element);
    int DelLke(int mode, Lki* list, void* key, Lke** removed);
    int AllocDat(HWND window, int kind, Dat** out);
    int FreeDat(HWND window, int kind, Dat** p);
    int InitDat(HWND window, int kind, Dat* p);
    int CopyDat(HWND window, int kind, Dat* dest, Dat* src);
    int SchDat(int kind, int mode, Lki* list, void* key, Dat** found);
    int InsDat(int kind, int mode, Lki* list, void* key, Dat* record);
    int AddDat(int kind, Lki* list, Dat* record);
    int DelDat(int kind, int mode, Lki* list, void* key, Dat** removed);
    // ---- end: lists ----

    // ---- Edit undo and redo (VkeSubEud.cpp) ----
    // The record operations that talk to the edit window about snapshots.
    int TermDat(HWND window, int kind, Dat* p);
    int DupDat(HWND window, int kind, Dat** out, Dat* src);
    int InitEui(HWND window, Eui** out);
    int TermEui(HWND window, Eui** p);
    int AddEud(HWND window, Eui* eui, Eud** out);
    int AddEue(HWND window, Eud* step, Eue** out);
    int SetEue(HWND window, Eue* entry, int stepValue, int kind, void* data);
    int SubEud(HWND window, Eui* eui, Eud* step);
    int SetEudPtrCur(HWND window, Eui* eui, Eud* step, int restore);
    int GetEudPtrCur(Eui* eui, Eud** out);
    int GetEudPtrBtm(Eui* eui, Eud** out);
    int GetEudPtrPrv(Eui* eui, Eud** out);
    int GetEudPtrNxt(Eui* eui, Eud** out);
    int GetEuePtrBtm(Eud* step, Eue** out);
    int SetEud(HWND window, Eui* eui, int stepCode, int stepValue, int kind, void* data, int notify);
    int GetEditFlag(Eui* eui, EditFlag* flags);
    int GetEditUndFlag(Eui* eui, int* available);
    int GetEditRdoFlag(Eui* eui, int* available);
    int EditUnd(HWND window, Eui* eui, int stepValue, int kind, void* data, int force);
    int EditRdo(HWND window, Eui* eui);
    // TermDat and release of a record of code 355-357 that is on no list; *p is cleared once
    // freed. A record that an operation further out works on is left alone (-7).
    int FreeRecord(HWND window, int kind, Dat** p);
    // ---- end: undo ----

    // ---- Typed text values (VkeSubFmt.cpp, VkeSubEd1.cpp, VkeSubEd2.cpp) ----
    // Every kind is read and written by the one reader and writer below, driven by the kind
    // table of VkiFmt.h; the methods of the exports only name their kind.
    // Common rules, formatter and calendar helpers (VkeSubFmt.cpp).
    int NmlYear(int* year);
    int CalcDayOfYear(const char* date, int* day);
    int CalcDayOfWeek(const char* date, int* weekday);
    int CalcWeekOfYear(const char* date, int* week);
    int CalcWeekOfMonth(const char* date, int* week);
    int ChkComma(const char* text);
    int SetComma(char* text, int size);
    // Writes the request's values through its edit format into its out buffer.
    int FormatValue(struct VkiFmtReq* req);
    // Check, parse in place and format of any kind but none, by EditType; val (may be null)
    // receives the numbers read.
    int ChkKind(int type, const char* text, struct VkiVal* val);
    int GetKind(int type, char* text, int size, struct VkiVal* val);
    int SetKind(int type, char* text, const char* format, int size);

    // Text and numbers (VkeSubEd1.cpp).
    int ChkText(const char* text);
    int GetText(char* text, int size);
    int SetText(char* text, const char* format, int size);
    int ChkInt(const char* text, int mode, int* value);
    int GetInt(char* text, int* value, int size);
    int SetInt(char* text, const char* format, int size);
    int ChkCur(const char* text, double* value);
    int GetCur(char* text, double* value, int size);
    int SetCur(char* text, const char* format, int size);
    int ChkDbl(const char* text, double* value);
    int GetDbl(char* text, double* value, int size);
    int SetDbl(char* text, const char* format, int size);

    // Calendar (VkeSubEd1.cpp).
    int ChkDate(const char* text);
    int GetDate(char* text, int size);
    int SetDate(char* text, const char* format, int size);
    int ChkYYMM(const char* text);
    int GetYYMM(char* text, int size);
    int SetYYMM(char* text, const char* format, int size);
    int ChkMMDD(const char* text);
    int GetMMDD(char* text, int size);
    int SetMMDD(char* text, const char* format, int size);
    int ChkYear(const char* text);
    int GetYear(char* text, int size);
    int SetYear(char* text, const char* format, int size);
    int ChkMonth(const char* text);
    int GetMonth(char* text, int size);
    int SetMonth(char* text, const char* format, int size);
    int ChkDay(const char* text);
    int GetDay(char* text, int size);
    int SetDay(char* text, const char* format, int size);
    int ChkWeekOfYear(const char* text);
    int GetWeekOfYear(char* text, int size);
    int SetWeekOfYear(char* text, const char* format, int size);
    int ChkWeekOfMonth(const char* text);
    int GetWeekOfMonth(char* text, int size);
    int SetWeekOfMonth(char* text, const char* format, int size);

    // Time (VkeSubEd2.cpp).
    int ChkTime(const char* text);
    int GetTime(char* text, int size);
    int SetTime(char* text, const char* format, int size);
    int ChkHHMM(const char* text);
    int GetHHMM(char* text, int size);
    int SetHHMM(char* text, const char* format, int size);
    int ChkMMSS(const char* text);
    int GetMMSS(char* text, int size);
    int SetMMSS(char* text, const char* format, int size);
    int ChkHour(const char* text);
    int GetHour(char* text, int size);
    int SetHour(char* text, const char* format, int size);
    int ChkMinute(const char* text);
    int GetMinute(char* text, int size);
    int SetMinute(char* text, const char* format, int size);
    int ChkSecond(const char* text);
    int GetSecond(char* text, int size);
    int SetSecond(char* text, const char* format, int size);

    // Hexadecimal strings, font and colour (VkeSubEd2.cpp).
    int GetHexStr(const char* hex, BYTE* out, int count);
    int SetHexStr(char* text, const BYTE* bytes, int count, int size);
    int GetFontStr(const char* text, VkeFontRec* out);
    int SetFontStr(char* text, int size, const VkeFontRec* font);
    int ChkFont(const char* text);
    int GetFont(char* text, int size);
    int SetFont(char* text, const char* format, int size);
    int GetColorStr(const char* text, BYTE* red, BYTE* green, BYTE* blue);
    int SetColorStr(char* text, int size, int red, int green, int blue);
    int ChkColor(const char* text);
    int GetColor(char* text, int size);
    int SetColor(char* text, const char* format, int size);

    // Steps of the reader (VkeSubFmt.cpp).
    int ParseKind(const struct VkiKind& kind, const char* text, char* canon, int canonSize, struct VkiVal* val);
    int ChkFields(const struct VkiKind& kind, const char* text, struct VkiVal* val);
    int ChkNumber(const struct VkiKind& kind, const char* text, struct VkiVal* val);
    int ParseFields(const struct VkiKind& kind, const char* text, struct VkiVal* val);
    int ParseNumber(const struct VkiKind& kind, const char* text, struct VkiVal* val);
    int CalcDate(const char* date, int what, int* out);
    // ---- end: typed text values ----

public:
    // ---- State ----
    VkiSys* m_pSys = nullptr;   // set once by the system object; survives Term
    VkiDrw* m_pDrw = nullptr;

    // Message table (VkeSubMsg.cpp): entries 0..m_iMsgCnt of VKE_MSG_SIZE bytes in one block,
    // entry 0 the default text; null when no file is loaded.
    int m_iMsgCnt = 0;
    char* m_pMsgTbl = nullptr;

    int m_iMaxBufLen = 1024;
    char* m_pVarArgBuf = nullptr;
    char* m_apWkBuf[2] = {nullptr, nullptr};

    unsigned char m_abChrCls[256] = {};

    // Trace, log and function timer (VkeSubTrc.cpp).
    struct TmrSlot;                  // one timing slot, numbered from 1
    int m_iTraceInit = 0;
    char m_amTracePath[1024] = {};   // absolute; empty: standard error
    FILE* m_pTraceFile = nullptr;    // null while tracing is off
    int m_iTraceOn = 0;
    int m_iLogInit = 0;
    char m_amLogPath[1024] = {};     // absolute; the file is open only while a line is written
    int m_iTmrInit = 0;
    char m_amTmrPath[1024] = {};     // absolute path of the report
    FILE* m_pTmrFile = nullptr;      // open from InitFncTmr to TermFncTmr
    int m_iTmrRunning = 0;
    int m_iTmrSlotCnt = 0;           // the requested count plus 500
    char m_amTmrTitle[1024] = {};
    TmrSlot* m_pTmrSlot = nullptr;
    char* m_pTmrNames = nullptr;     // the three name buffers of every slot, one block
    int m_iDiagnosis = 0;
    // ---- end: trace state ----

    // Lists, undo and typed values keep their state here (VkeSubDat.cpp, VkeSubEud.cpp).
    // ---- end: list and undo state ----

private:
    void FillChrCls();
    bool Cls(int ch, unsigned char bit) const { return (m_abChrCls[ch & 0xFF] & bit) != 0; }
};
