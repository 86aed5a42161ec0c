// VkeEng: the engine library's public interface.
//
// Every export is a flat C function named Vke + family + verb. The first argument is the
// engine object (an opaque handle from the family's Alloc); the result is a status code
// (0 done, 1 not done, 2 cancelled, 3 stopped, negative an error) unless noted.
// Records crossing the boundary use native types: sizes always come from sizeof.
// The program and the library include this same file.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <stdio.h>

#ifdef VKE_BUILD_DLL
#define VKE_API extern "C" __declspec(dllexport)
#else
#define VKE_API extern "C" __declspec(dllimport)
#endif

// ==== Common: status codes, messages, objects ====

// Status codes.
enum {
    VKE_OK = 0,            // done
    VKE_NOT_DONE = 1,      // not done, without an error
    VKE_CANCELLED = 2,     // cancelled by the user in a dialog
    VKE_STOPPED = 3,       // stopped by the user while running
    VKE_ERR_SYSTEM = -1,   // an operating-system call failed
    VKE_ERR_VERSION = -5,  // execution version above the engine's
    VKE_ERR_NOT_INIT = -6, // object or facility not initialised
    VKE_ERR_EXISTS = -7,   // already there, busy, another instance, or a formatted text too long
    VKE_ERR_MEMORY = -8,   // memory could not be had
    VKE_ERR_ARG = -9,      // invalid argument
    VKE_ERR_FILE = -10,    // a file could not be opened, written or created
    VKE_ERR_MSGFILE = -11, // the message file is malformed
    VKE_ERR_NOT_FOUND = -12,
    VKE_ERR_CUT = -13,     // cut to fit, clamped, or a table is full
    VKE_ERR_REQUIRED = -14 // a required input is empty
    // -17 .. -36: a typed text value is malformed, one code per kind
};

// The engine's own version; an execution version above it is refused.
#define VKE_VERSION 1.0

// Engine window messages.
#define VkeWmCtlColor   0x8112 // wParam HDC, lParam HWND; a non-zero reply is the brush
#define VkeWmTraceError 0x8161 // wParam const char* export name, lParam status code
#define VkeWmEudDat     0x8162 // wParam request block, lParam 0
#define VkeWmWndToDti   0x8201
#define VkeWmDtiToWnd   0x8202
#define VkeWmSetEud     0x8203
#define VkeWmSetChk     0x8204
#define VkeWmSetLocked  0x8401
#define VkeWmMovePage   0x8402
#define VkeWmDrw        0x8501
#define VkeWmPrtPage    0x8502

// Standard edit command ids the engine's windows send to their parent.
#ifndef ID_EDIT_CLEAR
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_COPY  0xE122
#define ID_EDIT_CUT   0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_UNDO  0xE12B
#define ID_EDIT_REDO  0xE12C
#endif

// Property ids every family shares; higher ids are the family's own.
enum {
    VKE_PROP_NAME = 1,         // name string (char buffer of 1024, or as the family says)
    VKE_PROP_VERSION = 2,      // engine version (double)
    VKE_PROP_EXEC_VERSION = 3  // execution version (double), the only settable one of the three
};

// Opaque engine objects.
class VkiSys;
class VkiSub;
class VkiDrw;
class VkiDra;
class VkiCtl;
class VkiDlg;
class VkiTab;

// ==== End: common ====

// ==== Utility object (VkeSubBsc) ====

// Parameters of a utility object.
struct VkeSubParam {
    double dExecVersion; // 1.0
    int iMaxBufLen;      // 1024; 0 or more, raised to 1024 when below
};

// Utility-object property ids besides 1-3.
enum { VKE_SUB_PROP_MAX_BUF_LEN = 4 };

VKE_API int VkeSubAlloc(VkiSub** out);
VKE_API int VkeSubFree(VkiSub** out);
VKE_API int VkeSubInitParam(VkiSub* sub, VkeSubParam* param);
VKE_API int VkeSubCheckParam(VkiSub* sub, VkeSubParam* param, int* field, int* messageNo);
VKE_API int VkeSubInit(VkiSub* sub, VkeSubParam* param, int* field, int* messageNo);
VKE_API int VkeSubTerm(VkiSub* sub);
VKE_API int VkeSubSetProperty(VkiSub* sub, int id, void* value);
VKE_API int VkeSubGetProperty(VkiSub* sub, int id, void* out);
VKE_API int VkeSubGetName(VkiSub* sub, char* buffer, int size);
VKE_API int VkeSubGetVersion(VkiSub* sub, double* out);
VKE_API int VkeSubSetExecVersion(VkiSub* sub, double version);
VKE_API int VkeSubGetExecVersion(VkiSub* sub, double* out);
VKE_API int VkeSubSetVkeSysPtr(VkiSub* sub, VkiSys* sys);
VKE_API int VkeSubGetVkeSysPtr(VkiSub* sub, VkiSys** out);
VKE_API int VkeSubGetMaxBufLen(VkiSub* sub, int* out);
VKE_API int VkeSubGetVarArgBufPtr(VkiSub* sub, char** out);
VKE_API int VkeSubGetWkBufPtr(VkiSub* sub, int index, char** out);

// Formats printf-style into the shared var-arg buffer and returns it ("" on failure, never null).
VKE_API char* VkeSubVarArgMsgPtr(VkiSub* sub, const char* format, ...);

// Plain memory from the library's heap; free only with VkeSubFreeMemory.
VKE_API void* VkeSubAllocMemory(VkiSub* sub, unsigned count, unsigned size);
VKE_API void VkeSubFreeMemory(VkiSub* sub, void* block);
VKE_API void VkeSubCopyMemory(VkiSub* sub, void* dest, const void* src, unsigned n);
VKE_API int VkeSubGetCPtr(VkiSub* sub, int value);
VKE_API int VkeSubGetCPtrByCPtrPtr(VkiSub* sub, int* where);

// ==== End: utility object ====

// ==== Character classes and code conversion (VkeSubBsc) ====

// Class bits of the 256-entry byte table.
enum {
    VKE_CHR_CTL = 0x01,      // control: 0x00-0x1F, 0x7F
    VKE_CHR_NML = 0x02,      // displayable single byte: 0x20-0x7E, 0xA1-0xDF
    VKE_CHR_SJS1 = 0x10,     // Shift-JIS first byte: 0x81-0x9F, 0xE0-0xFC
    VKE_CHR_SJS2 = 0x20,     // Shift-JIS second byte: 0x40-0x7E, 0x80-0xFC
    VKE_CHR_EUC1 = 0x40,     // EUC first byte: 0xA1-0xFE
    VKE_CHR_EUC2 = 0x80      // EUC second byte: 0xA1-0xFE
};

VKE_API int VkeSubIsCtlChr(VkiSub* sub, int ch, int* is);
VKE_API int VkeSubIsNmlChr(VkiSub* sub, int ch, int* is);
VKE_API int VkeSubIsSjsMbc1(VkiSub* sub, int ch, int* is);
VKE_API int VkeSubIsSjsMbc2(VkiSub* sub, int ch, int* is);
VKE_API int VkeSubIsSjsMbc(VkiSub* sub, int first, int second, int* is);
VKE_API int VkeSubIsEucMbc1(VkiSub* sub, int ch, int* is);
VKE_API int VkeSubIsEucMbc2(VkiSub* sub, int ch, int* is);
VKE_API int VkeSubIsEucMbc(VkiSub* sub, int first, int second, int* is);
VKE_API int VkeSubIsSjsUINT(VkiSub* sub, UINT code, int* is);
VKE_API int VkeSubIsEucUINT(VkiSub* sub, UINT code, int* is);
// 0 single-byte character, 1 first byte, 2 second byte of a double-byte character at pos (1-based).
VKE_API int VkeSubChkChr(VkiSub* sub, const char* text, int pos);
VKE_API int VkeSubSJSToEUC(VkiSub* sub, char* dest, const char* src, int destSize);
VKE_API int VkeSubEUCToSJS(VkiSub* sub, char* dest, const char* src, int destSize);
VKE_API int VkeSubToLower(VkiSub* sub, const char* ch, UINT* code);
VKE_API int VkeSubToUpper(VkiSub* sub, const char* ch, UINT* code);
VKE_API int VkeSubToLowerStr(VkiSub* sub, char* text);
VKE_API int VkeSubToUpperStr(VkiSub* sub, char* text);
VKE_API int VkeSubUINTToStr(VkiSub* sub, char* dest, UINT code);
VKE_API int VkeSubStrToUINT(VkiSub* sub, UINT* code, const char* text);

// ==== End: character classes ====

// ==== Arithmetic helpers (VkeSubStr) ====

VKE_API int VkeSubCalcGrtCmnDiv(VkiSub* sub, int a, int b, int* out);
VKE_API int VkeSubGetFraction(VkiSub* sub, double scale, int precision, int* num, int* den);
VKE_API int VkeSubGetStretchFixedScale(VkiSub* sub, int boxW, int boxH, int srcW, int srcH, int* num, int* den);
VKE_API int VkeSubGetStretchFixedScaleSize(VkiSub* sub, int boxW, int boxH, int srcW, int srcH, int* outW,
                                           int* outH);
VKE_API int VkeSubInitRand(VkiSub* sub);
VKE_API int VkeSubRand01(VkiSub* sub, float* out);
VKE_API int VkeSubRandRange(VkiSub* sub, float low, float high, float* out);
VKE_API int VkeSubExponent(VkiSub* sub, float x, float* out);

// ==== End: arithmetic ====

// ==== Error trace, log and function timer (VkeSubBsc) ====

// The error trace: one record per failed export. An empty path writes to standard error.
struct TraceParam {
    char amPath[1024]; // 0 to 259 bytes; empty: standard error
    int iOn;           // 0; 0 or 1
    int iClear;        // 1; 1 empties the file when tracing is switched on
};

// The log: time-stamped lines, the file opened only while a line is written.
struct LogParam {
    char amPath[1024]; // 1 to 259 bytes
    int iClear;        // 0; 1 empties the file at InitLog
};

// The function timer: named slots whose totals are reported when the timer ends.
struct FncTmrParam {
    char amPath[1024];  // report file, 1 to 259 bytes
    int iSlotCnt;       // 0; 1 to 500 (slots 1 to iSlotCnt + 500 are usable)
    char amTitle[1024]; // 0 to 1023 bytes
    int iClear;         // 1; 1 empties the report file at InitFncTmr
};

// Reports a failed export: the trace file when tracing is on, VkeWmTraceError to the main window
// (sent on the window's own thread, posted from any other). A null object does nothing; a
// failure while a report runs on the same thread is not reported again.
VKE_API void VkeSubTraceError(VkiSub* sub, const char* sourcePath, int line, const char* name, int code);

VKE_API int VkeSubInitTraceParam(VkiSub* sub, TraceParam* param);
VKE_API int VkeSubInitTrace(VkiSub* sub, TraceParam* param);
VKE_API int VkeSubTermTrace(VkiSub* sub);
VKE_API int VkeSubSetTraceFlag(VkiSub* sub, int on, int clear);
VKE_API int VkeSubGetTraceFlag(VkiSub* sub, int* out);
// The open trace file (the runtime library's stream); null while tracing is off.
VKE_API int VkeSubGetTraceFilePtr(VkiSub* sub, FILE** out);
// Formats printf-style into work buffer 0 and writes it nowhere.
VKE_API void VkeSubTrace(VkiSub* sub, const char* format, ...);
// Formats like VkeSubTrace and writes the text to the trace file while tracing is on.
VKE_API void VkeSubTraceDebug(VkiSub* sub, const char* format, ...);

VKE_API int VkeSubInitLogParam(VkiSub* sub, LogParam* param);
VKE_API int VkeSubInitLog(VkiSub* sub, LogParam* param);
VKE_API int VkeSubTermLog(VkiSub* sub);
VKE_API int VkeSubGetInitLogFlag(VkiSub* sub, int* out);
VKE_API int VkeSubGetLogPath(VkiSub* sub, char* buffer, int size);
VKE_API int VkeSubClearLog(VkiSub* sub);
// Appends "YYYY/MM/DD hh:mm:ss --- text" and CR LF; -13 (nothing written) when the line is too long.
VKE_API int VkeSubWriteLog(VkiSub* sub, const char* text);

VKE_API int VkeSubInitFncTmrParam(VkiSub* sub, FncTmrParam* param);
VKE_API int VkeSubInitFncTmr(VkiSub* sub, FncTmrParam* param);
// Writes the report of the counted slots, closes the file and releases the slots.
VKE_API int VkeSubTermFncTmr(VkiSub* sub);
VKE_API int VkeSubStartFncTmr(VkiSub* sub, int slot, const char* module, const char* function,
                              const char* procedure);
VKE_API int VkeSubStopFncTmr(VkiSub* sub, int slot);
VKE_API int VkeSubGetFncTmrFlag(VkiSub* sub, int* out);

// A flag the program keeps in the engine; the engine itself does not read it.
VKE_API int VkeSubSetDiagnosisFlag(VkiSub* sub, int flag);
VKE_API int VkeSubGetDiagnosisFlag(VkiSub* sub, int* out);

// ==== End: trace ====

// ==== Strings, keywords and CSV fields (VkeSubStr) ====

// Shift-JIS byte strings in buffers of the caller's. Positions are 1-based bytes, counts are
// bytes, sizes are buffer sizes including the terminator; nothing is written past a size.
// 1: a position or range that fell inside a double-byte character was moved past it;
// -13: the result was cut to fit, on a character boundary; -12: nothing found.
// A destination may overlap its source.

// Copies at most srcCount bytes of src (up to its terminator) into destRoom bytes of dest,
// no terminator written; *copied bytes.
VKE_API int VkeSubCopyStrMem(VkiSub* sub, char* dest, const char* src, int srcCount, int destRoom, int* copied);
VKE_API int VkeSubGetStrLen(VkiSub* sub, const char* text, int* length);
// *order = -1, 0 or 1, bytes compared as unsigned values.
VKE_API int VkeSubCmpStr(VkiSub* sub, const char* a, const char* b, int* order);
// Bounded copy: at most size - 1 bytes, never half a double-byte character; -13 when cut.
VKE_API int VkeSubCopyStr(VkiSub* sub, char* dest, const char* src, int size);
VKE_API int VkeSubConcatStr(VkiSub* sub, char* dest, const char* src, int destSize);
VKE_API int VkeSubMidStr(VkiSub* sub, char* dest, const char* src, int start, int count, int destSize);
VKE_API int VkeSubLeftStr(VkiSub* sub, char* dest, const char* src, int count, int destSize);
VKE_API int VkeSubRightStr(VkiSub* sub, char* dest, const char* src, int count, int destSize);
// Inserts ins at pos (length + 1 appends); *atPos the position used, *inserted the bytes.
VKE_API int VkeSubInsStr(VkiSub* sub, char* buf, const char* ins, int pos, int bufSize, int* atPos, int* inserted);
// Deletes count bytes at pos, a copy of them into deleted when it is not null.
VKE_API int VkeSubDelStr(VkiSub* sub, char* buf, char* deleted, int pos, int count, int deletedSize, int* atPos,
                         int* deletedCount);
// Replaces count bytes at pos by newText; deleted and insertedCopy may be null.
VKE_API int VkeSubUpdStr(VkiSub* sub, char* buf, const char* newText, char* deleted, char* insertedCopy, int pos,
                         int count, int bufSize, int deletedSize, int insertedSize, int* atPos, int* deletedCount,
                         int* inserted);
VKE_API int VkeSubInsStrUINT(VkiSub* sub, char* buf, UINT code, int pos, int bufSize, int* atPos, int* inserted);
VKE_API int VkeSubUpdStrUINT(VkiSub* sub, char* buf, UINT code, char* deleted, char* insertedCopy, int pos,
                             int count, int bufSize, int deletedSize, int insertedSize, int* atPos,
                             int* deletedCount, int* inserted);
// Drops trailing and leading blanks (space, TAB, CR, LF, 0x1A).
VKE_API int VkeSubTrimStr(VkiSub* sub, char* buf);
// Drops leading zero digits up to the first digit 1-9 or point; a last zero stays ("000" gives "0").
VKE_API int VkeSubTrimStrLeftZero(VkiSub* sub, char* buf);
// Drops trailing zero digits after a point, keeping one digit after it ("1.500" gives "1.5").
VKE_API int VkeSubTrimStrRightZero(VkiSub* sub, char* buf);

// Search modes of the find and change exports.
enum {
    VKE_FIND_EXACT = 0, // bytes compared exactly
    VKE_FIND_NOCASE = 1 // ASCII and full-width Latin letters match regardless of case
};

// First match at or after start; -12 and *foundPos 0 when none. -9 in an empty text.
VKE_API int VkeSubFindStr(VkiSub* sub, const char* text, const char* pattern, int mode, int start, int* foundPos);
// Last of the non-overlapping matches from the start that ends at or before end.
VKE_API int VkeSubFindStrRev(VkiSub* sub, const char* text, const char* pattern, int mode, int end, int* foundPos);
// Number of non-overlapping matches from start.
VKE_API int VkeSubGetFindStrCnt(VkiSub* sub, const char* text, const char* pattern, int mode, int start,
                                int* count);
// Replaces the first match from start; -12 when none.
VKE_API int VkeSubChangeStr(VkiSub* sub, char* buf, const char* pattern, const char* replacement, int mode,
                            int start, int bufSize, int* atPos, int* deleted, int* inserted);
// Replaces the match that FindStrRev finds from end.
VKE_API int VkeSubChangeStrRev(VkiSub* sub, char* buf, const char* pattern, const char* replacement, int mode,
                               int end, int bufSize, int* atPos, int* deleted, int* inserted);
// Replaces every match from start, never searching inside a replacement; no match is 0 with
// *replaced 0. A step that fails (-13 when full) ends the run with its outputs and the count so far.
VKE_API int VkeSubChangeStrAll(VkiSub* sub, char* buf, const char* pattern, const char* replacement, int mode,
                               int start, int bufSize, int* lastPos, int* lastDeleted, int* lastInserted,
                               int* replaced);
VKE_API int VkeSubChangeStrRevAll(VkiSub* sub, char* buf, const char* pattern, const char* replacement, int mode,
                                  int end, int bufSize, int* lastPos, int* lastDeleted, int* lastInserted,
                                  int* replaced);
// Deletes every occurrence of pattern.
VKE_API int VkeSubDeleteStr(VkiSub* sub, char* buf, const char* pattern, int mode);

// dest gets the text before the first keyword at or after start (from the text's beginning).
VKE_API int VkeSubKwdGetLft(VkiSub* sub, const char* text, const char* keyword, char* dest, int destSize, int start,
                            int* foundPos);
// dest gets the text after the first keyword at or after start.
VKE_API int VkeSubKwdGetRgt(VkiSub* sub, const char* text, const char* keyword, char* dest, int destSize, int start,
                            int* foundPos);
// Splits text at successive keywords: pairs (const char* keyword, char* dest), each dest of
// destSize bytes, ending with the pair ("", dest) that takes the rest.
VKE_API int VkeSubKwdGetLftMulti(VkiSub* sub, const char* text, int destSize, ...);

// Appends one field to line: quoted when quote is 1 (a double quote inside is always doubled),
// then the separator when addSeparator is 1.
VKE_API int VkeSubCsvSetFld(VkiSub* sub, char* line, const char* separator, const char* field, int bufSize,
                            int quote, int addSeparator);
// Reads the field that begins at start; *next is the position after its separator, or
// length + 1 at the end of the line. A line that ends with a separator ends with that field:
// its next is length + 1 like a line without one, and a read at length + 1 is -9, so a
// trailing empty field is not reported.
VKE_API int VkeSubCsvGetFld(VkiSub* sub, const char* line, const char* separator, char* field, int destSize,
                            int start, int* next);

// ==== End: strings ====

// ==== Application memory buffers (VkeSubStr) ====

// A growable byte buffer whose block only the engine allocates, grows and frees.
// After every successful operation that leaves a block: iLength + 1 <= iCapacity and
// pBuffer[iLength] == 0. A record of the caller's own is zero-filled before VkeSubInitAppMem.
struct AppMem {
    int iCapacity; // bytes of the block, terminator included; 0 without a block
    int iLength;   // data bytes, terminator excluded
    char* pBuffer; // the block (engine heap), null without one
};

// A new record holding the empty text; *out must be null.
VKE_API int VkeSubAllocAppMem(VkiSub* sub, AppMem** out);
// Frees the block and the record and clears *out; nothing when *out is already null.
VKE_API int VkeSubFreeAppMem(VkiSub* sub, AppMem** out);
// Prepares a record of the caller's own as the empty text; -7 when it still has a block.
VKE_API int VkeSubInitAppMem(VkiSub* sub, AppMem* mem);
// Frees the block; the record is kept, empty and without a block.
VKE_API int VkeSubTermAppMem(VkiSub* sub, AppMem* mem);
// Replaces the block by a zero-filled one of n + 1 bytes; length 0.
VKE_API int VkeSubAllocAppMemBuf(VkiSub* sub, AppMem* mem, int n);
VKE_API int VkeSubFreeAppMemBuf(VkiSub* sub, AppMem* mem);
// Holds n bytes of data (0 bytes allowed) and a 0 after them; data may lie in the record's block.
VKE_API int VkeSubSetAppMemBuf(VkiSub* sub, AppMem* mem, const void* data, int n);
// Copies min(size, length) data bytes into out and reports them in *got; -13 when size > length.
VKE_API int VkeSubGetAppMemBuf(VkiSub* sub, AppMem* mem, void* out, int size, int* got);
VKE_API int VkeSubSetAppMemStr(VkiSub* sub, AppMem* mem, const char* text);
// The text (up to its first 0 byte) into out of size bytes; -13 when cut.
VKE_API int VkeSubGetAppMemStr(VkiSub* sub, AppMem* mem, char* out, int size);
// Appends text to the record's text; text may lie in the record's block.
VKE_API int VkeSubConcatAppMemStr(VkiSub* sub, AppMem* mem, const char* text);
// dest gets the data bytes of src; -9 when src has no block.
VKE_API int VkeSubCopyAppMem(VkiSub* sub, AppMem* dest, AppMem* src);
// A new record with a copy of src; on failure *out stays null.
VKE_API int VkeSubDupAppMem(VkiSub* sub, AppMem** out, AppMem* src);
// *result = -1, 0 or 1: the texts compared as unsigned bytes; no block counts as the empty text.
VKE_API int VkeSubCmpAppMemStr(VkiSub* sub, AppMem* a, AppMem* b, int* result);

// ==== End: application memory ====

// ==== Paths, files and folders (VkeSubFil) ====

// Every path given to the engine is normalised first: trimmed, slashes made backslashes, made
// absolute and long, without a trailing backslash (a drive stays "C:", the network root is "\\").
// A normalised path has 1 to 259 bytes; separators are found by walking characters.
enum { VKE_PATH_MAX = 259 };

VKE_API int VkeSubGetPathName(VkiSub* sub, char* dest, const char* path, int destSize);
// The part after the last backslash; -12 for a drive or the network root.
VKE_API int VkeSubGetFileName(VkiSub* sub, char* dest, const char* path, int destSize);
// The file name without its last dot and what follows.
VKE_API int VkeSubGetBaseFileName(VkiSub* sub, char* dest, const char* path, int destSize);
// The text after the file name's last dot ("" and 0 when there is none).
VKE_API int VkeSubGetFileExtention(VkiSub* sub, char* dest, const char* path, int destSize);
// The part before the last backslash (the folder of C:\a is C:).
VKE_API int VkeSubGetDirPath(VkiSub* sub, char* dest, const char* path, int destSize);
// Size on disk of a file, or a drive's total size; known 0 (and 0 returned) when the system cannot tell.
VKE_API int VkeSubGetFileSize(VkiSub* sub, const char* path, double* size, int* known);
VKE_API int VkeSubIsDrive(VkiSub* sub, const char* path, int* is);
// An existing folder; a drive is not one.
VKE_API int VkeSubIsDirectory(VkiSub* sub, const char* path, int* is);
VKE_API int VkeSubIsExistPath(VkiSub* sub, const char* path, int* is);
// dest receives the normalised path; is = 1 for an existing file that is neither a drive nor a folder.
VKE_API int VkeSubIsNormalFile(VkiSub* sub, char* dest, const char* path, int destSize, int* is);
// Base name of the running program's file.
VKE_API int VkeSubGetModuleName(VkiSub* sub, char* dest, int destSize);
// An unused file name in folder (null: the system's temporary folder); create 1 makes it, empty.
VKE_API int VkeSubGetTempPathName(VkiSub* sub, char* dest, const char* folder, int destSize, int create);
// special = 1 for a drive, the network root, a system file, or a place of the system's own folders.
VKE_API int VkeSubCheckSpecialPath(VkiSub* sub, const char* path, int* special);
// Creates a folder with its missing parents.
VKE_API int VkeSubCreateDir(VkiSub* sub, const char* path);
// Shell file operations. allowUndo 1 lets the shell keep an undo (deletion to the recycle bin);
// silent 1 asks nothing, shows no progress and gives a new name on a collision. owner is the parent
// of the shell's windows. 3: the user stopped the operation.
// A folder copied or moved onto an existing folder (or a drive) puts its contents into it.
VKE_API int VkeSubCopyDir(VkiSub* sub, const char* to, const char* from, int allowUndo, int silent, HWND owner);
VKE_API int VkeSubMoveDir(VkiSub* sub, const char* to, const char* from, int allowUndo, int silent, HWND owner);
VKE_API int VkeSubDeleteDir(VkiSub* sub, const char* path, int allowUndo, int silent, HWND owner);
// A file copied or moved onto an existing folder (or a drive) goes into it.
VKE_API int VkeSubCopyFile(VkiSub* sub, const char* to, const char* from, int allowUndo, int silent, HWND owner);
VKE_API int VkeSubMoveFile(VkiSub* sub, const char* to, const char* from, int allowUndo, int silent, HWND owner);
VKE_API int VkeSubDeleteFile(VkiSub* sub, const char* path, int allowUndo, int silent, HWND owner);
// Hands out count consecutive keys from the 4-byte key file (the next key, little-endian; a new
// file starts at 1). Safe between threads and processes.
VKE_API int VkeSubGenUniqueKey(VkiSub* sub, const char* keyFile, int count, int* keys);
// Number of CSV fields of one line. An empty separator is chosen: "," or else TAB when one of them
// ends a field, "," when neither does; the choice is written back. -12 for an empty line.
VKE_API int VkeSubGetFldInfo(VkiSub* sub, const char* line, char* separator, int sepSize, int* fields);
// Lines of a text file (CR LF or LF ends a line) and the buffer size its longest line needs to be
// read with its line end and a terminator. -12 for a missing or empty file.
VKE_API int VkeSubGetTxtFilInfo(VkiSub* sub, const char* path, int* lines, int* longest);
// The above for a CSV file, and the fields and separator of its first line.
VKE_API int VkeSubGetCsvFilInfo(VkiSub* sub, const char* path, char* separator, int sepSize, int* lines, int* longest,
                                int* fields);

// ==== End: paths ====

// ==== Message texts and message boxes (VkeSubFil) ====

// Byte size of one message text with its terminator (the buffer VkeSubGetMsg fills).
enum { VKE_MSG_SIZE = 128 };

// Loads the message file: a count line N, the default text, then messages 1 to N, one per
// non-blank line (a backslash and n stand for a line feed, a backslash and t for a tab).
// -11: the file is malformed; a failure after the file was found leaves no messages.
VKE_API int VkeSubLoadMsg(VkiSub* sub, const char* path);
// Text of messageNo (the default text outside 1..N, "" with no file loaded) into VKE_MSG_SIZE bytes.
VKE_API int VkeSubGetMsg(VkiSub* sub, int messageNo, char* out);
// Text of a status code's message into VKE_MSG_SIZE bytes.
VKE_API int VkeSubGetErrMsg(VkiSub* sub, int code, char* out);
// The engine's message box, titled with the program's name and owned by the main window; returns
// the box's result, or 0 when text is null or another engine box is open (boxes never nest).
VKE_API int VkeSubMsgBox(VkiSub* sub, const char* text, unsigned type);
VKE_API int VkeSubShowMsg(VkiSub* sub, int messageNo, unsigned type);
VKE_API int VkeSubShowErrMsg(VkiSub* sub, int code, unsigned type);

// ==== End: messages ====

// ==== Registry access and typed pointer values (VkeSubBsc) ====

// Root keys by name: "HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
// "HKEY_LOCAL_MACHINE", "HKEY_USERS" (exact case).
VKE_API int VkeSubCreateReg(VkiSub* sub, const char* rootName, const char* subKey, HKEY* out);
VKE_API int VkeSubOpenReg(VkiSub* sub, const char* rootName, const char* subKey, HKEY* out);
// Reads a value into buffer (size bytes, always terminated) and its registry type; on failure
// buffer is empty and *type 0: -13 when the value does not fit, -9 otherwise.
VKE_API int VkeSubReadReg(VkiSub* sub, HKEY key, const char* valueName, char* buffer, unsigned* type, int size);
// Writes text as a string value.
VKE_API int VkeSubWriteReg(VkiSub* sub, HKEY key, const char* valueName, const char* text);
VKE_API int VkeSubCloseReg(VkiSub* sub, HKEY key);

// Copies one value of a type code (1 to 19) from src to dest: 2 one byte; 4, 7 two bytes;
// 1, 5, 6, 8, 9, 12, 13, 14, 18 four bytes; 10, 11, 15, 17 eight bytes; 16, 19 sixteen bytes;
// 3 a terminated text with its terminator.
VKE_API int VkeSubSetPtrVar(VkiSub* sub, void* dest, const void* src, int type);
// The same copy, from the first pointer to the second.
VKE_API int VkeSubGetPtrVar(VkiSub* sub, const void* src, void* dest, int type);

// ==== End: registry ====

// ==== Lists and typed records (VkeSubDat) ====

// Header of every list element; the caller's own fields follow it.
struct Lke {
    int iKind; // record code
    Lke* pPrv;
    Lke* pNxt;
};

// Head of a doubly linked list. An empty list has count 0 and all three pointers null.
struct Lki {
    int iKind;    // the list's record code
    int iElmSize; // bytes of one element, at least sizeof(Lke)
    int iCnt;
    Lke* pHead;
    Lke* pTail;
    Lke* pCur;    // where the next search by element starts
};

// Search, insertion and removal modes of the list exports.
enum {
    VKE_LKE_BY_NO = 1, // key points to an int: the 1-based position (0 = in front, for insertion)
    VKE_LKE_BY_ELM = 2 // key is the element itself (null = in front, for insertion)
};

// Record codes of the engine's own records.
enum {
    VKE_DAT_NONE = 352, // no kind
    VKE_DAT_EUE = 355,  // undo entry
    VKE_DAT_EUD = 356,  // undo step
    VKE_DAT_EUI = 357   // undo information of one window
};

// A typed record on an engine list, told apart by its record code (an Eue, Eud or Eui for the
// engine's codes). The record exports take it untyped, as the program's record families do.
typedef void Dat;

// Which edit commands are available: 1 available, 0 not.
struct EditFlag {
    int iUnd;
    int iRdo;
    int iCut;
    int iCpy;
    int iPst;
    int iCle;
    int aiRsv[35];
};

// A message sent to a window: the receiver writes its answer through piResult.
struct WndMsg {
    HWND hWnd;
    UINT uMsg;
    int iKind; // the record or step code the message speaks of
    int* piResult;
};

VKE_API int VkeSubInitEditFlag(VkiSub* sub, EditFlag* flags);
VKE_API int VkeSubCopyEditFlag(VkiSub* sub, EditFlag* dest, EditFlag* src);
VKE_API int VkeSubInitWndMsg(VkiSub* sub, WndMsg* msg);
VKE_API int VkeSubCopyWndMsg(VkiSub* sub, WndMsg* dest, WndMsg* src);

// Elements: size is the element's size in bytes, at least sizeof(Lke).
VKE_API int VkeSubAllocLke(VkiSub* sub, int kind, Lke** out, int size);
VKE_API int VkeSubFreeLke(VkiSub* sub, Lke** p);
VKE_API int VkeSubInitLke(VkiSub* sub, int kind, Lke* p, int size);
VKE_API int VkeSubTermLke(VkiSub* sub, Lke* p);
// Copies size bytes but keeps dest's own links.
VKE_API int VkeSubCopyLke(VkiSub* sub, Lke* dest, Lke* src, int size);
VKE_API int VkeSubDupLke(VkiSub* sub, int kind, Lke** out, Lke* src, int size);

// List heads. Freeing or ending a list frees its elements with the engine's heap.
VKE_API int VkeSubAllocLki(VkiSub* sub, int kind, Lki** out, int elementSize);
VKE_API int VkeSubFreeLki(VkiSub* sub, Lki** p);
VKE_API int VkeSubInitLki(VkiSub* sub, int kind, Lki* p, int elementSize);
VKE_API int VkeSubTermLki(VkiSub* sub, Lki* p);
VKE_API int VkeSubCopyLki(VkiSub* sub, Lki* dest, Lki* src);
VKE_API int VkeSubDupLki(VkiSub* sub, int kind, Lki** out, Lki* src, int elementSize);

// Searching moves the cursor past the element found; -12 when there is none (untraced).
VKE_API int VkeSubSchLke(VkiSub* sub, int mode, Lki* list, void* key, Lke** found);
// Inserts after the element that mode and key name; an element already linked is refused.
VKE_API int VkeSubInsLke(VkiSub* sub, int mode, Lki* list, void* key, Lke* element);
VKE_API int VkeSubAddLke(VkiSub* sub, Lki* list, Lke* element);
// Unlinks the element and hands it back; the caller frees it.
VKE_API int VkeSubDelLke(VkiSub* sub, int mode, Lki* list, void* key, Lke** removed);

// Records of the codes 355, 356 and 357 for the edit window `window`.
VKE_API int VkeSubAllocDat(VkiSub* sub, HWND window, int kind, Dat** out);
VKE_API int VkeSubFreeDat(VkiSub* sub, HWND window, int kind, Dat** p);
VKE_API int VkeSubInitDat(VkiSub* sub, HWND window, int kind, Dat* p);
VKE_API int VkeSubTermDat(VkiSub* sub, HWND window, int kind, Dat* p);
VKE_API int VkeSubCopyDat(VkiSub* sub, HWND window, int kind, Dat* dest, Dat* src);
VKE_API int VkeSubDupDat(VkiSub* sub, HWND window, int kind, Dat** out, Dat* src);
// Entries (355) go on a step's list (356), steps (356) on an undo information list (357).
VKE_API int VkeSubSchDat(VkiSub* sub, int kind, int mode, Lki* list, void* key, Dat** found);
VKE_API int VkeSubInsDat(VkiSub* sub, int kind, int mode, Lki* list, void* key, Dat* record);
VKE_API int VkeSubAddDat(VkiSub* sub, int kind, Lki* list, Dat* record);
VKE_API int VkeSubDelDat(VkiSub* sub, int kind, int mode, Lki* list, void* key, Dat** removed);

// ==== End: lists ====

// ==== Edit undo and redo (VkeSubDat) ====

// Undo keeps whole snapshots of an edit window's data. The window makes, refreshes, restores and
// frees them when the engine sends it VkeWmEudDat; the engine never looks inside a snapshot.

// Undo entry (code 355): one snapshot.
struct Eue {
    Lke lke;         // kind 355
    int iStepValue;  // the caller's value
    int iKind;       // the snapshot's record code, VKE_DAT_NONE when none
    void* pData;     // the snapshot, owned through the window; null when none
};

// Undo step (code 356): the entries of one recorded edit.
struct Eud {
    Lke lke;        // kind 356
    Lki lkiEue;     // entries: kind 356, element size sizeof(Eue)
    int iStepCode;  // the caller's code for the edit this step records
};

// Undo information of one window (code 357). The current step is always the last one right
// after VkeSubInitEui and VkeSubSetEud; undo goes to the step before it, redo to the one after.
struct Eui {
    Lki lkiEud;    // steps: kind 357, element size sizeof(Eud)
    int iFlag;     // 1 right after VkeSubInitEui, cleared by every VkeSubSetEud
    Eud* pEudCur;
};

// Requests of VkeWmEudDat.
enum {
    VKE_EUD_FREE = 2,    // free the snapshot *ppSlot1 and clear it
    VKE_EUD_MAKE = 6,    // store a new snapshot through ppSlot1: of the window's data (*ppSlot2 is
                         // the caller's data argument) or a copy of the snapshot *ppSlot2
    VKE_EUD_REFRESH = 7, // refresh the snapshot *ppSlot1 from the window's data (*ppSlot2 the data)
    VKE_EUD_RESTORE = 8  // make the snapshot *ppSlot2 the window's data again (ppSlot1 null)
};

// The request block of VkeWmEudDat, sent with SendMessageA: wParam its address, lParam 0.
// The window answers non-zero when it handled the request (0: not handled, the engine gives
// up with -1) and writes a non-zero iResult to refuse, which the engine returns.
struct EudReq {
    int iRequest;   // VKE_EUD_...
    int iKind;      // the entry's record code
    void** ppSlot1; // the snapshot pointer the window writes or works on
    void** ppSlot2; // the input the window reads
    int iResult;    // 0 from the engine
};

// After a step is recorded with notify 1, VkeWmSetEud goes to the edit window's parent:
// wParam the edit window (HWND), lParam a WndMsg {window, VkeWmSetEud, step code, &result}.
// A non-zero result written by the parent becomes the recording's result.

VKE_API int VkeSubInitEui(VkiSub* sub, HWND window, Eui** out);
VKE_API int VkeSubTermEui(VkiSub* sub, HWND window, Eui** p);
VKE_API int VkeSubAddEud(VkiSub* sub, HWND window, Eui* eui, Eud** out);
VKE_API int VkeSubAddEue(VkiSub* sub, HWND window, Eud* step, Eue** out);
// Snapshots the window's data into the entry; data (not null) goes to the window by address.
VKE_API int VkeSubSetEue(VkiSub* sub, HWND window, Eue* entry, int stepValue, int kind, void* data);
// Removes and frees step and every step after it.
VKE_API int VkeSubSubEud(VkiSub* sub, HWND window, Eui* eui, Eud* step);
// Makes step current; with restore 1 the window takes back the step's last snapshot.
VKE_API int VkeSubSetEudPtrCur(VkiSub* sub, HWND window, Eui* eui, Eud* step, int restore);
VKE_API int VkeSubGetEudPtrCur(VkiSub* sub, Eui* eui, Eud** out);
VKE_API int VkeSubGetEudPtrBtm(VkiSub* sub, Eui* eui, Eud** out);
VKE_API int VkeSubGetEudPtrPrv(VkiSub* sub, Eui* eui, Eud** out);
VKE_API int VkeSubGetEudPtrNxt(VkiSub* sub, Eui* eui, Eud** out);
VKE_API int VkeSubGetEuePtrBtm(VkiSub* sub, Eud* step, Eue** out);
// Records one step before the window applies a change; drops the redo steps.
VKE_API int VkeSubSetEud(VkiSub* sub, HWND window, Eui* eui, int stepCode, int stepValue, int kind, void* data,
                         int notify);
VKE_API int VkeSubGetEditFlag(VkiSub* sub, Eui* eui, EditFlag* flags);
VKE_API int VkeSubGetEditUndFlag(VkiSub* sub, Eui* eui, int* available);
VKE_API int VkeSubGetEditRdoFlag(VkiSub* sub, Eui* eui, int* available);
// Undo: -12 (untraced) when there is nothing to undo. The present data is kept first (always with
// force 1, else only when the current step holds no snapshot yet) so that redo can return to it.
VKE_API int VkeSubEditUnd(VkiSub* sub, HWND window, Eui* eui, int stepValue, int kind, void* data, int force);
// Redo: -12 (untraced) when there is nothing to redo.
VKE_API int VkeSubEditRdo(VkiSub* sub, HWND window, Eui* eui);

// ==== End: undo ====

// ==== Typed text values (VkeSubFmt, VkeSubEd1, VkeSubEd2) ====

// Every value of the data-bound controls is held as text of one kind (EditType). For each kind
// the utility object offers a check (Chk), a parse into the kind's canonical text in place (Get)
// and a display format through an edit format (Set). The canonical texts are also the form in
// which the program stores values in its settings file.

// Kinds of typed text values.
enum {
    VKE_EDIT_NONE = 1,          // free text, never parsed
    VKE_EDIT_TEXT = 2,          // trimmed text
    VKE_EDIT_INT = 3,           // "%d"
    VKE_EDIT_CUR = 4,           // whole amount, "%.0lf"
    VKE_EDIT_DBL = 5,           // "%.6lf" less trailing zeros (one decimal kept)
    VKE_EDIT_DATE = 6,          // YYYYMMDD
    VKE_EDIT_YYMM = 7,          // YYYYMM
    VKE_EDIT_MMDD = 8,          // MMDD
    VKE_EDIT_YEAR = 9,          // YYYY
    VKE_EDIT_MONTH = 10,        // MM
    VKE_EDIT_DAY = 11,          // DD
    VKE_EDIT_WEEK_OF_YEAR = 12, // two digits, 01..54
    VKE_EDIT_WEEK_OF_MONTH = 13,// one digit, 1..6
    VKE_EDIT_TIME = 14,         // HHMMSS
    VKE_EDIT_HHMM = 15,         // HHMM
    VKE_EDIT_MMSS = 16,         // MMSS
    VKE_EDIT_HOUR = 17,         // HH
    VKE_EDIT_MINUTE = 18,       // MM
    VKE_EDIT_SECOND = 19,       // SS
    VKE_EDIT_FONT = 20,         // 128 upper-case hexadecimal digits of a VkeFontRec
    VKE_EDIT_COLOR = 21         // "%3d, %3d, %3d": red, green, blue
};

// Status code of a malformed text, one per kind (-12: the text is empty, for every kind).
enum {
    VKE_ERR_TEXT = -17,
    VKE_ERR_INT = -18,
    VKE_ERR_CUR = -19,
    VKE_ERR_DBL = -20,
    VKE_ERR_DATE = -21,
    VKE_ERR_YYMM = -22,
    VKE_ERR_MMDD = -23,
    VKE_ERR_YEAR = -24,
    VKE_ERR_MONTH = -25,
    VKE_ERR_DAY = -26,
    VKE_ERR_WEEK_OF_YEAR = -27,
    VKE_ERR_WEEK_OF_MONTH = -28,
    VKE_ERR_TIME = -29,
    VKE_ERR_HHMM = -30,
    VKE_ERR_MMSS = -31,
    VKE_ERR_HOUR = -32,
    VKE_ERR_MINUTE = -33,
    VKE_ERR_SECOND = -34,
    VKE_ERR_FONT = -35,
    VKE_ERR_COLOR = -36
};

// Modes of VkeSubChkInt.
enum {
    VKE_INT_SIGNED = 0, // optional sign, thousands separators
    VKE_INT_DIGITS = 1  // digits only, 0..2147483647
};

// Message numbers of the marker words read after each part ("2024年1月5日", "9時30分").
enum {
    VKE_MSG_MARK_YEAR = 52,
    VKE_MSG_MARK_MONTH = 53,
    VKE_MSG_MARK_DAY = 54,
    VKE_MSG_MARK_HOUR = 55,
    VKE_MSG_MARK_MINUTE = 56,
    VKE_MSG_MARK_SECOND = 57
};

// The record form of a Font value: a LOGFONTA and 4 reserved bytes, carried unchanged.
// Stored as 128 hexadecimal digits, so its layout is fixed: every buffer that receives one
// holds 64 bytes.
struct VkeFontRec {
    LOGFONTA lf;
    BYTE abReserved[4];
};
static_assert(sizeof(LOGFONTA) == 60 && sizeof(VkeFontRec) == 64, "the font record is a stored format");

// Common shape of the kind operations:
//   Chk (text): 0 valid, -12 empty, the kind's code when malformed; the text is not modified.
//   Get (text, size): 0 and the text replaced by its canonical form; -12 and the text emptied;
//     the kind's code and the text unchanged; -13 (text unchanged) when the canonical text does
//     not fit size.
//   Set (text, format, size): parses in place as Get, then writes the value through the edit
//     format; -9 for a format the kind cannot use (the text then holds the canonical form).
// Edit formats: literal text, "%%" for "%", and conversions of the kind's letters:
//   Text "%t"; Int, Cur, Dbl, weeks "%v"; Font "%x"; Color "%r" "%g" "%b" (red, green, blue);
//   printf-like kinds take "%" [","] ["-"] ["0"] [width] ["." [precision]] letter, where ","
//   (Int, Cur, Dbl only) inserts thousands separators; calendar and time kinds take a run of
//   one letter: "y" year, "m" month, "d" day, "h" hour, "n" minute, "s" second; a run of 1 prints
//   the number, 2 two digits, 4 four digits ("yy" and "y" print the last two digits of a year).

// Common rules and calendar helpers (VkeSubFmt).
// Two-digit years: 0..49 become 2000..2049, 50..99 1950..1999; -24 outside 0..9999.
VKE_API int VkeSubNmlYear(VkiSub* sub, int* year);
// Date texts are any Date input; days and weeks use the proleptic Gregorian calendar, weeks
// begin on Sunday and count from 1.
VKE_API int VkeSubCalcDayOfYear(VkiSub* sub, const char* date, int* day);     // 0-based
VKE_API int VkeSubCalcDayOfWeek(VkiSub* sub, const char* date, int* weekday); // 0 Sunday
VKE_API int VkeSubCalcWeekOfYear(VkiSub* sub, const char* date, int* week);
VKE_API int VkeSubCalcWeekOfMonth(VkiSub* sub, const char* date, int* week);
// 0 thousands separators correct or absent, 1 misplaced.
VKE_API int VkeSubChkComma(VkiSub* sub, const char* text);
// Inserts thousands separators into the integer part.
VKE_API int VkeSubSetComma(VkiSub* sub, char* text, int size);

// Numbers and text (VkeSubEd1).
VKE_API int VkeSubChkText(VkiSub* sub, const char* text);
VKE_API int VkeSubGetText(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetText(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkInt(VkiSub* sub, const char* text, int mode, int* value);
VKE_API int VkeSubGetInt(VkiSub* sub, char* text, int* value, int size);
VKE_API int VkeSubSetInt(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkCur(VkiSub* sub, const char* text, double* value);
VKE_API int VkeSubGetCur(VkiSub* sub, char* text, double* value, int size);
VKE_API int VkeSubSetCur(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkDbl(VkiSub* sub, const char* text, double* value);
VKE_API int VkeSubGetDbl(VkiSub* sub, char* text, double* value, int size);
VKE_API int VkeSubSetDbl(VkiSub* sub, char* text, const char* format, int size);

// Calendar (VkeSubEd1). Checks take the fixed-width digits only; parses also take the marker
// form (2024年1月5日) and the separator forms (2024/1/5, 24.1.5).
VKE_API int VkeSubChkDate(VkiSub* sub, const char* text);
VKE_API int VkeSubGetDate(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetDate(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkYYMM(VkiSub* sub, const char* text);
VKE_API int VkeSubGetYYMM(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetYYMM(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkMMDD(VkiSub* sub, const char* text);
VKE_API int VkeSubGetMMDD(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetMMDD(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkYear(VkiSub* sub, const char* text);
VKE_API int VkeSubGetYear(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetYear(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkMonth(VkiSub* sub, const char* text);
VKE_API int VkeSubGetMonth(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetMonth(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkDay(VkiSub* sub, const char* text);
VKE_API int VkeSubGetDay(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetDay(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkWeekOfYear(VkiSub* sub, const char* text);
VKE_API int VkeSubGetWeekOfYear(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetWeekOfYear(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkWeekOfMonth(VkiSub* sub, const char* text);
VKE_API int VkeSubGetWeekOfMonth(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetWeekOfMonth(VkiSub* sub, char* text, const char* format, int size);

// Time of day (VkeSubEd2): 00:00:00 to 23:59:59; separators ":" and ".".
VKE_API int VkeSubChkTime(VkiSub* sub, const char* text);
VKE_API int VkeSubGetTime(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetTime(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkHHMM(VkiSub* sub, const char* text);
VKE_API int VkeSubGetHHMM(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetHHMM(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkMMSS(VkiSub* sub, const char* text);
VKE_API int VkeSubGetMMSS(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetMMSS(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkHour(VkiSub* sub, const char* text);
VKE_API int VkeSubGetHour(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetHour(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkMinute(VkiSub* sub, const char* text);
VKE_API int VkeSubGetMinute(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetMinute(VkiSub* sub, char* text, const char* format, int size);
VKE_API int VkeSubChkSecond(VkiSub* sub, const char* text);
VKE_API int VkeSubGetSecond(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetSecond(VkiSub* sub, char* text, const char* format, int size);

// Hexadecimal byte strings (VkeSubEd2): two upper-case digits per byte in memory order, at most
// 511 bytes per call.
VKE_API int VkeSubGetHexStr(VkiSub* sub, const char* hex, BYTE* out, int count);
VKE_API int VkeSubSetHexStr(VkiSub* sub, char* text, const BYTE* bytes, int count, int size);

// Font (VkeSubEd2): a VkeFontRec as 128 hexadecimal digits; -35 for a text that is no usable font.
VKE_API int VkeSubGetFontStr(VkiSub* sub, const char* text, VkeFontRec* out);
VKE_API int VkeSubSetFontStr(VkiSub* sub, char* text, int size, const VkeFontRec* font);
VKE_API int VkeSubChkFont(VkiSub* sub, const char* text);
VKE_API int VkeSubGetFont(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetFont(VkiSub* sub, char* text, const char* format, int size);

// Colour (VkeSubEd2): three components 0..255, "red, green, blue".
VKE_API int VkeSubGetColorStr(VkiSub* sub, const char* text, BYTE* red, BYTE* green, BYTE* blue);
// Writes the low eight bits of each component.
VKE_API int VkeSubSetColorStr(VkiSub* sub, char* text, int size, int red, int green, int blue);
VKE_API int VkeSubChkColor(VkiSub* sub, const char* text);
VKE_API int VkeSubGetColor(VkiSub* sub, char* text, int size);
VKE_API int VkeSubSetColor(VkiSub* sub, char* text, const char* format, int size);

// ==== End: typed text values ====

// ==== System object (VkeSysBsc) ====

// Parameters of the system object.
struct VkeSysParam {
    double dExecVersion;     // 1.0
    char amSystemDir[1024];  // 0 to 259 bytes; empty: the folder of the program file
    char amSystemName[32];   // 1 to 31 bytes
    HWND hMainWnd;           // not null; Init writes the running instance's window here when it finds one
    int iSingleInstance;     // 0; 1 refuses a second instance of the program
};

// System-object property ids besides 1-3.
enum {
    VKE_SYS_PROP_SUB = 4,           // VkiSub* (get)
    VKE_SYS_PROP_DRW = 5,           // VkiDrw* (get)
    VKE_SYS_PROP_SYSTEM_DIR = 6,    // char[1024] (get)
    VKE_SYS_PROP_SYSTEM_NAME = 7,   // char[32] (get)
    VKE_SYS_PROP_MODULE_NAME = 8,   // char[1024] (get)
    VKE_SYS_PROP_MAIN_WND = 10,     // HWND (get)
    VKE_SYS_PROP_PRINTING = 11,     // int 0/1 (get, set)
    VKE_SYS_PROP_PRINT_PREVIEW = 12 // int 0/1 (get, set)
};

// Makes a system object with its utility object (maximum buffer length bufferLength, at least
// 1024) and its draw object.
VKE_API int VkeSysAlloc(VkiSys** out, int bufferLength);
VKE_API int VkeSysAllocByDefault(VkiSys** out);
VKE_API int VkeSysFree(VkiSys** out);
VKE_API int VkeSysInitParam(VkiSys* sys, VkeSysParam* param);
VKE_API int VkeSysCheckParam(VkiSys* sys, VkeSysParam* param, int* field, int* messageNo);
// Fixes the system folder, names and main window, guards the single instance (-7, untraced, when
// another instance runs: its window comes to the front and goes into param->hMainWnd), makes the
// temporary folder "Tmp" and loads the message file "Quorvane.vmg" of the system folder.
VKE_API int VkeSysInit(VkiSys* sys, VkeSysParam* param, int* field, int* messageNo);
VKE_API int VkeSysTerm(VkiSys* sys);
VKE_API int VkeSysSetProperty(VkiSys* sys, int id, void* value);
VKE_API int VkeSysGetProperty(VkiSys* sys, int id, void* out);
VKE_API int VkeSysGetName(VkiSys* sys, char* buffer, int size);
VKE_API int VkeSysGetVersion(VkiSys* sys, double* out);
VKE_API int VkeSysSetExecVersion(VkiSys* sys, double version);
VKE_API int VkeSysGetExecVersion(VkiSys* sys, double* out);
VKE_API int VkeSysGetVkeSubPtr(VkiSys* sys, VkiSub** out);
VKE_API int VkeSysGetVkeDrwPtr(VkiSys* sys, VkiDrw** out);
VKE_API int VkeSysGetSystemDir(VkiSys* sys, char* buffer, int size);
VKE_API int VkeSysGetTempDir(VkiSys* sys, char* buffer, int size);
// A new file name in the temporary folder; flag 1 also creates the file empty.
VKE_API int VkeSysGetTempPathName(VkiSys* sys, char* buffer, int size, int flag);
VKE_API int VkeSysGetSystemName(VkiSys* sys, char* buffer, int size);
VKE_API int VkeSysGetModuleName(VkiSys* sys, char* buffer, int size);
VKE_API int VkeSysGetMainWindowHandle(VkiSys* sys, HWND* out);
VKE_API int VkeSysSetPrintingFlag(VkiSys* sys, int flag);
VKE_API int VkeSysSetPrintPreviewFlag(VkiSys* sys, int flag);
VKE_API int VkeSysGetPrintingFlag(VkiSys* sys, int* out);
VKE_API int VkeSysGetPrintPreviewFlag(VkiSys* sys, int* out);
// Output size of a source in a box by print scale mode: 1, 2 the source; 3 the box; 4 fixed-scale
// stretch into the box; 5 the box width; 6 the box height. -13 (both 1) when a side falls below 1.
VKE_API int VkeSysGetPrintScaleSize(VkiSys* sys, int mode, int boxW, int boxH, int srcW, int srcH, int* outW,
                                    int* outH);
// ==== End: system object ====

// ==== Global memory blocks (VkeSysBsc) ====

// Movable, zero-filled global blocks (printer settings, packed bitmaps on the clipboard).
VKE_API int VkeSysLockHGlobal(VkiSys* sys, HGLOBAL h, void** out);
VKE_API int VkeSysUnlockHGlobal(VkiSys* sys, HGLOBAL h);
VKE_API int VkeSysGetGlobalSize(VkiSys* sys, HGLOBAL h, unsigned* out);
VKE_API int VkeSysAllocHGlobal(VkiSys* sys, HGLOBAL* out, unsigned size);
// Unlocks the block as often as it is locked and frees it; works before Init.
VKE_API int VkeSysFreeHGlobal(VkiSys* sys, HGLOBAL* h);
VKE_API int VkeSysCopyHGlobal(VkiSys* sys, HGLOBAL dest, HGLOBAL src);
VKE_API int VkeSysDupHGlobal(VkiSys* sys, HGLOBAL* out, HGLOBAL src);
// *result: 0 same handle, both null or equal bytes; 1 same size, other bytes; -1 one null or sizes differ.
VKE_API int VkeSysCmpHGlobal(VkiSys* sys, HGLOBAL a, HGLOBAL b, int* result);
// Makes *target equal to src: copied in place, replaced by a duplicate, or freed for a null src.
VKE_API int VkeSysSynHGlobal(VkiSys* sys, HGLOBAL* target, HGLOBAL src);
// ==== End: global memory blocks ====

// ==== Printing services (VkeSysBsc) ====

// Print-dialog information: the caller's record of one printer choice and its job.
// VkeSysPrintInitPdi zero-fills it with mode 1 and pages 1 to 65535.
struct Pdi {
    HDC hDC;              // printer DC of the last dialog; the library owns it (0 when none)
    char amDriver[128];   // driver name
    char amDevice[128];   // printer name
    char amPort[128];     // port (output) name
    char amDocName[128];  // name of the print job; the caller fills it
    int iMode;            // 1 default printer, no dialog; 2 print dialog; 3 page-setup dialog
    int iMinPage;         // page range offered in the print dialog
    int iMaxPage;
    int iFromPage;        // range chosen
    int iToPage;
    int iCurPage;         // page shown by the printing-status dialog
    int iCopies;
    RECT rctMargin;       // margins in 0.01 mm
    RECT rctPrint;        // printable rectangle in device pixels; 0, 0 is the first printable pixel
};

// Makes *devNames and *devMode copies of srcNames and srcMode (a null source frees its target).
// -9 when a target already holds the other pair's source; null handles are not compared.
VKE_API int VkeSysPrintSynHandle(VkiSys* sys, HGLOBAL* devNames, HGLOBAL* devMode, HGLOBAL srcNames,
                                 HGLOBAL srcMode);
// Frees both blocks and clears both handles; works before Init.
VKE_API int VkeSysPrintFreeHandle(VkiSys* sys, HGLOBAL* devNames, HGLOBAL* devMode);
// The printable rectangle of dc for margins in 0.01 mm: each margin less the unprintable strip on
// its side. -13 (rectangle stored) when it is empty; -9 for a DC without a physical page.
VKE_API int VkeSysPrintCalcRect(VkiSys* sys, HDC dc, const RECT* margins, RECT* out);
VKE_API int VkeSysPrintInitPdi(VkiSys* sys, Pdi* pdi);
// Clears the DC field; the DC itself stays with the library.
VKE_API int VkeSysPrintTermPdi(VkiSys* sys, Pdi* pdi);
VKE_API int VkeSysPrintCopyPdi(VkiSys* sys, Pdi* dest, const Pdi* src);
// A printer DC for the names of devNames and the optional devMode; a null devNames gives 0 and a
// null DC. -9 (*out = 0) for names outside their block or a printer that cannot be had.
VKE_API int VkeSysPrintCreateDC(VkiSys* sys, HGLOBAL devNames, HGLOBAL devMode, HDC* out);
VKE_API int VkeSysPrintDeleteDC(VkiSys* sys, HDC* dc);
// Orientation of a device mode: landscape 1, portrait 0. 1 (untraced; Get gives 0) when devMode
// is null or has no orientation field.
VKE_API int VkeSysPrintSetOrient(VkiSys* sys, HGLOBAL devMode, int landscape);
VKE_API int VkeSysPrintGetOrient(VkiSys* sys, HGLOBAL devMode, int* landscape);
// Hands a printer's blocks to the library's print dialog with a new DC; the blocks and DC of the
// printer attached before are freed (blocks only where they are other handles).
VKE_API int VkeSysPrintDialogAttach(VkiSys* sys, HGLOBAL devNames, HGLOBAL devMode);
// Deletes the attached DC and hands the attached blocks back to the caller.
VKE_API int VkeSysPrintDialogDetach(VkiSys* sys, HGLOBAL* devNames, HGLOBAL* devMode);
// The orientation of the attached device mode; pdi must not be null and is not read.
VKE_API int VkeSysPrintDialogSetOrient(VkiSys* sys, Pdi* pdi, int landscape);
VKE_API int VkeSysPrintDialogGetOrient(VkiSys* sys, Pdi* pdi, int* landscape);
// By pdi->iMode: 1 the default printer without a dialog, 2 the print dialog, 3 the page-setup
// dialog. Fills the names, the current page 1 and the DC; pages and copies (modes 1, 2); margins
// and the printable rectangle (modes 1, 3). 2 cancelled; -13 the printable rectangle is empty.
VKE_API int VkeSysPrintDialogShow(VkiSys* sys, Pdi* pdi);
// A print job on pdi->hDC named pdi->amDocName: the main window is disabled and the status dialog
// shown until EndDoc or AbortDoc. -7 while another job runs.
VKE_API int VkeSysPrintStartDoc(VkiSys* sys, Pdi* pdi);
// Shows pdi->iCurPage in the status dialog and starts a page; a refused page aborts the job (-9).
VKE_API int VkeSysPrintStartPage(VkiSys* sys, Pdi* pdi);
// Ends the page and lets waiting messages through; 3 (job aborted) when the user pressed Stop or
// the program is quitting; a refused page aborts the job (-9).
VKE_API int VkeSysPrintEndPage(VkiSys* sys, Pdi* pdi);
VKE_API int VkeSysPrintEndDoc(VkiSys* sys, Pdi* pdi);
VKE_API int VkeSysPrintAbortDoc(VkiSys* sys, Pdi* pdi);
// ==== End: printing services ====

// ==== Draw object (VkeDrwBsc) ====

// Parameters of a draw object: the four state colours (any value) after the version.
struct VkeDrwParam {
    double dExecVersion;          // 1.0
    COLORREF uErrorColor;         // 0x5A78FF
    COLORREF uModifiedColor;      // 0x80FF80
    COLORREF uSelectedColor;      // 0xFFA0A0
    COLORREF uHdrSelectedColor;   // 0x3C5A60
};

// Draw-object property ids besides 1-3 (value: COLORREF).
enum {
    VKE_DRW_PROP_ERROR_COLOR = 4,
    VKE_DRW_PROP_MODIFIED_COLOR = 5,
    VKE_DRW_PROP_SELECTED_COLOR = 6,
    VKE_DRW_PROP_HDR_SELECTED_COLOR = 7
};

// Most colours the draw object's colour list holds.
#define VKE_DRW_MAX_COLORS 256

VKE_API int VkeDrwAlloc(VkiDrw** out);
VKE_API int VkeDrwFree(VkiDrw** out);
VKE_API int VkeDrwInitParam(VkiDrw* drw, VkeDrwParam* param);
VKE_API int VkeDrwCheckParam(VkiDrw* drw, VkeDrwParam* param, int* field, int* messageNo);
// Starts GDI+, reads the encoder list, fills the colour list, makes the brushes and work memories.
VKE_API int VkeDrwInit(VkiDrw* drw, VkeDrwParam* param, int* field, int* messageNo);
VKE_API int VkeDrwTerm(VkiDrw* drw);
VKE_API int VkeDrwSetProperty(VkiDrw* drw, int id, void* value);
VKE_API int VkeDrwGetProperty(VkiDrw* drw, int id, void* out);
VKE_API int VkeDrwGetName(VkiDrw* drw, char* buffer, int size);
VKE_API int VkeDrwGetVersion(VkiDrw* drw, double* out);
VKE_API int VkeDrwSetExecVersion(VkiDrw* drw, double version);
VKE_API int VkeDrwGetExecVersion(VkiDrw* drw, double* out);
// Binds the draw object to its system object and takes that one's utility object.
VKE_API int VkeDrwSetVkeSysPtr(VkiDrw* drw, VkiSys* sys);
VKE_API int VkeDrwGetVkeSysPtr(VkiDrw* drw, VkiSys** out);

// State colours; a change is refused (-7) while printing. Brushes belong to the draw object.
VKE_API int VkeDrwSetErrorColor(VkiDrw* drw, COLORREF color);
VKE_API int VkeDrwSetModifiedColor(VkiDrw* drw, COLORREF color);
VKE_API int VkeDrwSetSelectedColor(VkiDrw* drw, COLORREF color);
VKE_API int VkeDrwSetHdrSelectedColor(VkiDrw* drw, COLORREF color);
VKE_API int VkeDrwGetErrorColor(VkiDrw* drw, COLORREF* out);
VKE_API int VkeDrwGetModifiedColor(VkiDrw* drw, COLORREF* out);
VKE_API int VkeDrwGetSelectedColor(VkiDrw* drw, COLORREF* out);
VKE_API int VkeDrwGetHdrSelectedColor(VkiDrw* drw, COLORREF* out);
VKE_API int VkeDrwGetErrorBrushHandle(VkiDrw* drw, HBRUSH* out);
VKE_API int VkeDrwGetModifiedBrushHandle(VkiDrw* drw, HBRUSH* out);
VKE_API int VkeDrwGetSelectedBrushHandle(VkiDrw* drw, HBRUSH* out);
VKE_API int VkeDrwGetHdrSelectedBrushHandle(VkiDrw* drw, HBRUSH* out);

// Colour list and palettes (VkeDrwOpr).
// Adds a colour to the list (0 when already there; -13 when 256 are held).
VKE_API int VkeDrwSetColor(VkiDrw* drw, COLORREF color);
// A logical palette: the halftone palette (halftone 1), the bitmap's colour table, or the colour
// list alone; withList 1 puts the colour list first. *out must be null; free with VkeDrwClosePalette.
VKE_API int VkeDrwOpenPalette(VkiDrw* drw, HPALETTE* out, HBITMAP bitmap, int halftone, int withList);
VKE_API int VkeDrwClosePalette(VkiDrw* drw, HPALETTE* palette);

// ==== End: draw object ====

// ==== Draw memory and the draw-info stack (VkeDrwDrm) ====

// A draw memory: a memory DC with a DIB section selected into it. Wherever a Drm* may be null the
// draw object's default draw memory is meant.
struct Drm {
    HDC hDC;             // memory DC; null = not initialised
    HBITMAP hDIB;        // the attached DIB section, null when none (owned by the Drm)
    HBITMAP hOwnBitmap;  // the bitmap the DC held before the first attach
    int iUsedWidth;      // the size being drawn (may be smaller than the DIB)
    int iUsedHeight;
    int iDIBWidth;       // the DIB's real size
    int iDIBHeight;
    int iBitCount;       // 1, 4, 8, 16, 24 or 32
    int iAttached;       // 1 while a DIB is attached
};

// One saved mapping state of a device context; a clip rectangle of four zeros means none.
struct DrawInfo {
    HDC hDC;
    int iMapMode;
    int iWindowOrgX, iWindowOrgY;
    int iWindowExtCx, iWindowExtCy;
    int iViewportOrgX, iViewportOrgY;
    int iViewportExtCx, iViewportExtCy;
    int iClipLeft, iClipTop, iClipRight, iClipBottom;
};

VKE_API int VkeDrwAllocDrm(VkiDrw* drw, Drm** out);
VKE_API int VkeDrwFreeDrm(VkiDrw* drw, Drm** drm);
VKE_API int VkeDrwInitDrm(VkiDrw* drw, Drm* drm);
VKE_API int VkeDrwTermDrm(VkiDrw* drw, Drm* drm);
// Copies src's used rectangle into a new DIB attached to dst, with src's draw-info records.
VKE_API int VkeDrwCopyDrm(VkiDrw* drw, Drm* dst, Drm* src);
VKE_API int VkeDrwDupDrm(VkiDrw* drw, Drm** out, Drm* src);
// Copies src into the default draw memory / the default draw memory into dst.
VKE_API int VkeDrwSetDrm(VkiDrw* drw, Drm* src);
VKE_API int VkeDrwGetDrm(VkiDrw* drw, Drm* dst);
// The Drm takes ownership of the DIB and pushes a one-to-one mapping of its size.
VKE_API int VkeDrwAttachDrmDIB(VkiDrw* drw, Drm* drm, HBITMAP dib);
// Hands the attached DIB back to the caller (*out must be null) and clears the DC's mappings.
VKE_API int VkeDrwDetachDrmDIB(VkiDrw* drw, Drm* drm, HBITMAP* out);
// Makes (or reuses when large enough at the same bit count) the draw memory's DIB.
// Bit counts: 1, 4, 8, 16, 24, 32; 0 and -1 the screen's.
VKE_API int VkeDrwCreateDrawMemory(VkiDrw* drw, Drm* drm, int width, int height, int bitCount);
VKE_API int VkeDrwCopyScreen(VkiDrw* drw, Drm* drm, int x, int y, int width, int height, int bitCount);
VKE_API int VkeDrwWriteScreenDIB(VkiDrw* drw, const char* path, Drm* drm, int x, int y, int width, int height,
                                 int bitCount);

// The draw-info stack: per DC, a base record (the state before the first push) and the pushes.
// Pushes the record onto its DC's stack and applies it.
VKE_API int VkeDrwSetDrawInfoLast(VkiDrw* drw, DrawInfo* info);
VKE_API int VkeDrwGetDrawInfoCnt(VkiDrw* drw, HDC dc, int* count);
// The n-th record of the DC, from 1; -12 when the DC has fewer (out zeroed).
VKE_API int VkeDrwGetDrawInfo(VkiDrw* drw, HDC dc, int n, DrawInfo* out);
VKE_API int VkeDrwGetDrawInfoLast(VkiDrw* drw, HDC dc, DrawInfo* out);
// Drops the DC's last n records and re-applies the rest (n = all: back to the base state).
VKE_API int VkeDrwResetDrawInfo(VkiDrw* drw, HDC dc, int n);
VKE_API int VkeDrwClearDrawInfo(VkiDrw* drw, HDC dc);
VKE_API int VkeDrwCopyDrawInfo(VkiDrw* drw, DrawInfo* dst, const DrawInfo* src);

// ==== End: draw memory ====

// ==== DIB operations (VkeDrwDrm) ====
// (Their failures are reported with the module path of the image files, VkeDrwImg.)

// Bit-count arguments: 1, 4, 8, 16, 24, 32; 0 the source's (the screen's where there is none);
// -1 the screen's. Copies and stretches take HBITMAP* in-out: a bitmap there of the result's size
// and depth is reused, any other is deleted and replaced; on failure it is null. A result handle
// that is also the source is never reused or deleted.
VKE_API int VkeDrwGetDefaultBitCnt(VkiDrw* drw, int* bits);
// A blank DIB section (dc null = the screen) with the screen's colour table at that depth.
VKE_API int VkeDrwCreateDIB(VkiDrw* drw, HDC dc, int width, int height, int bits, HBITMAP* out);
// A packed DIB (40-byte header, full colour table, rows) in a global block; *out must be null.
VKE_API int VkeDrwDIBToMemDIB(VkiDrw* drw, HDC dc, HBITMAP bitmap, int bits, HGLOBAL* out);
VKE_API int VkeDrwFreeMemDIB(VkiDrw* drw, HGLOBAL* mem);
// A DIB from a packed DIB, checked against the block's size; type is 2 and the resolutions come
// from the header. *out must be null.
VKE_API int VkeDrwMemDIBToDIB(VkiDrw* drw, HDC dc, HGLOBAL mem, int bits, HBITMAP* out, int* type, float* xRes,
                              float* yRes);
// The icon or cursor drawn into a DIB of its size and depth over the brush (may be null).
VKE_API int VkeDrwCopyDIBByIcon(VkiDrw* drw, HBITMAP* inOut, HICON icon, HBRUSH brush);
VKE_API int VkeDrwCopyDIB(VkiDrw* drw, HBITMAP* inOut, HBITMAP src);
VKE_API int VkeDrwCopyDIBRgn(VkiDrw* drw, HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height);
VKE_API int VkeDrwCopyDIBWithBitCnt(VkiDrw* drw, HBITMAP* inOut, HBITMAP src, int bits);
VKE_API int VkeDrwCopyDIBRgnWithBitCnt(VkiDrw* drw, HBITMAP* inOut, HBITMAP src, int x, int y, int width,
                                       int height, int bits);
// Stretches the source rectangle to dstWidth x dstHeight; keepRatio 1 fits it inside, centred
// over the brush when one is given (else the result has the fitted size). mode: 0 keep, else a
// StretchBlt mode. -13 (still a result) when a fitted side falls below one pixel.
VKE_API int VkeDrwStretchDIB(VkiDrw* drw, HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y,
                             int width, int height, int keepRatio, HBRUSH brush, int mode);
VKE_API int VkeDrwStretchDIBWithBitCnt(VkiDrw* drw, HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x,
                                       int y, int width, int height, int bits, int keepRatio, HBRUSH brush,
                                       int mode);
// The parts of a .bmp file in separate blocks; free them with VkeDrwFreeDIBData.
VKE_API int VkeDrwGetDIBData(VkiDrw* drw, HDC dc, HBITMAP bitmap, int bits, BITMAPFILEHEADER** fileHeader,
                             BITMAPINFOHEADER** infoHeader, int* tableSize, RGBQUAD** table, int* imageSize,
                             BYTE** pixels);
VKE_API int VkeDrwFreeDIBData(VkiDrw* drw, BITMAPFILEHEADER** fileHeader, BITMAPINFOHEADER** infoHeader,
                              RGBQUAD** table, BYTE** pixels);
VKE_API int VkeDrwWriteDIBData(VkiDrw* drw, const char* path, const BITMAPFILEHEADER* fileHeader,
                               const BITMAPINFOHEADER* infoHeader, int tableSize, const RGBQUAD* table,
                               int imageSize, const BYTE* pixels);
VKE_API int VkeDrwWriteDIB(VkiDrw* drw, const char* path, HDC dc, HBITMAP bitmap, int bits);
// Blits between device contexts (the source is an HDC); 1 when GDI refused.
VKE_API int VkeDrwCopyImage(VkiDrw* drw, HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height);
VKE_API int VkeDrwCopyImageWithMode(VkiDrw* drw, HDC dst, int dx, int dy, HDC src, int sx, int sy, int width,
                                    int height, int mode);
VKE_API int VkeDrwStretchImage(VkiDrw* drw, HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy,
                               int sw, int sh);
VKE_API int VkeDrwStretchImageWithMode(VkiDrw* drw, HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx,
                                       int sy, int sw, int sh, int mode);

// ==== End: DIB operations ====

// ==== Image files (VkeDrwImg) ====

// The GDI+ encoder parameter list of gdiplus.h.
namespace Gdiplus {
struct EncoderParameters;
}

// Image types.
enum {
    VKE_IMG_OTHER = 0,
    VKE_IMG_JPEG = 1,
    VKE_IMG_BMP = 2,
    VKE_IMG_GIF = 3,
    VKE_IMG_TIFF = 4,
    VKE_IMG_PNG = 5
};

// The class id of the GDI+ encoder with that MIME type / of an image type 1..5; -12 none.
VKE_API int VkeDrwGetEncClsId(VkiDrw* drw, const char* mimeType, CLSID* out);
VKE_API int VkeDrwGetEncClsIdByImgTyp(VkiDrw* drw, int type, CLSID* out);
// The image type of a file (0 when GDI+ cannot read it).
VKE_API int VkeDrwGetImageType(VkiDrw* drw, const char* path, int* type);
// Dialog filter texts: kind -1 open, -2 all readable types, -3 all files, 1..5 one type.
VKE_API int VkeDrwGetFilter(VkiDrw* drw, int kind, char* filter, char* extensions, int filterSize,
                            int extensionsSize);
// Width, height and bit count of a bitmap; -9 (all zero) for anything else.
VKE_API int VkeDrwGetImageInf(VkiDrw* drw, HBITMAP bitmap, int* width, int* height, int* bitCount);
// Reads an image file into a DIB section (*out must be null); 1 when it is no image that can be
// read. type 2 with typeKnown 0 for a readable file of no known type. Resolutions in dpi.
VKE_API int VkeDrwOpenImage(VkiDrw* drw, const char* path, HBITMAP* out, int* type, float* xRes, float* yRes,
                            int* typeKnown);
VKE_API int VkeDrwCloseImage(VkiDrw* drw, HBITMAP* bitmap);
// Writes a bitmap as type 1..5; quality -1 (encoder default) or 0..100 for JPEG; resolution 0
// takes the screen's. 1 when GDI+ refused or the file does not read back.
VKE_API int VkeDrwSaveImage(VkiDrw* drw, const char* path, HBITMAP bitmap, int type, float xRes, float yRes,
                            int quality);
VKE_API int VkeDrwSaveImageWithEncPrm(VkiDrw* drw, const char* path, HBITMAP bitmap, int type, float xRes,
                                      float yRes, const Gdiplus::EncoderParameters* params);
// A copy turned clockwise by 90, 180 or 270 degrees / mirrored (0 left-right, 1 top-bottom):
// the source's pixels moved, so depth, bits, colour table or masks and alpha stay exact (the
// platform's codecs would match colours again and drop alpha); *out must be null. 1 is kept as
// the refusal's code of the export but no longer given.
VKE_API int VkeDrwRotateImage(VkiDrw* drw, HBITMAP* out, HBITMAP src, double angle);
VKE_API int VkeDrwReflectImage(VkiDrw* drw, HBITMAP* out, HBITMAP src, int direction);

// ==== End: image files ====

// ==== Clipboard (VkeDrwDrm) ====

// owner is the window passed to OpenClipboard (may be null). The clipboard is opened with up to
// 10 tries 200 ms apart (-8 when it stays busy) and always closed again. Whatever a failed call
// allocated is released before it returns.
// *exists = 1 when CF_TEXT is on the clipboard.
VKE_API int VkeDrwIsExistClbStr(VkiDrw* drw, int* exists);
// Puts a non-empty text on the clipboard as CF_TEXT.
VKE_API int VkeDrwCopyStrToClb(VkiDrw* drw, HWND owner, const char* text);
// A copy of the clipboard's CF_TEXT (read no further than its block, always terminated); free it
// with VkeDrwFreeClbStr. -12 (untraced, *out null) when there is none.
VKE_API int VkeDrwCopyClbToStr(VkiDrw* drw, HWND owner, char** out);
VKE_API int VkeDrwFreeClbStr(VkiDrw* drw, char** text);
// *exists = 1 when CF_DIB or CF_BITMAP is on the clipboard.
VKE_API int VkeDrwIsExistClbDIB(VkiDrw* drw, int* exists);
// Puts the bitmap on the clipboard as CF_DIB: 16 and 32 bits packed at 24, others at their own
// depth with their colour table. The colour takes no part in the copy.
VKE_API int VkeDrwCopyDIBToClb(VkiDrw* drw, HWND owner, HBITMAP bitmap);
VKE_API int VkeDrwCopyDIBToClbWithColor(VkiDrw* drw, HWND owner, HBITMAP bitmap, COLORREF color);
// The clipboard's image as a new DIB section (*out must be null; free with VkeDrwFreeClbDIB):
// CF_DIB at its stored depth with its resolutions, else CF_BITMAP at its own depth with
// resolutions 0; type is 2. -12 when there is neither. On failure the outputs are zero.
VKE_API int VkeDrwCopyClbToDIB(VkiDrw* drw, HWND owner, HBITMAP* out, int* type, float* xRes, float* yRes);
VKE_API int VkeDrwFreeClbDIB(VkiDrw* drw, HBITMAP* bitmap);
// Puts the used rectangle of an attached draw memory (null: the default one) on the clipboard;
// -7 when it has no DIB attached.
VKE_API int VkeDrwCopyDrmToClb(VkiDrw* drw, HWND owner, Drm* drm);
VKE_API int VkeDrwCopyDrmToClbWithColor(VkiDrw* drw, HWND owner, Drm* drm, COLORREF color);
// Reads the clipboard's image as VkeDrwCopyClbToDIB does and attaches it to the draw memory.
VKE_API int VkeDrwCopyClbToDrm(VkiDrw* drw, HWND owner, Drm* drm, int* type, float* xRes, float* yRes);

// ==== End: clipboard ====

// ==== Text drawing (VkeDrwDrw; VkeDrwDrawText and VkeDrwFillRectangle: VkeDrwImg) ====

// Positions are logical units of the DC. alpha 0 draws with GDI in the DC's font and colours;
// 1..255 draws through GDI+ in the LOGFONT's font with that alpha for the text colour (the
// program passes 255). flip 1: the DC's y axis grows upward and the text must still read
// upright. With the DC's background mode OPAQUE the text's box is filled with its background
// colour. The DC's font, brush, viewport and colours are as before after every call.

// The primitive: length -1 is the whole text; a length below 1 draws nothing. Through GDI+ the
// text holds at most 1023 bytes, the angle (degrees from the x axis toward the y axis: clockwise
// as seen on a y-down DC, counter-clockwise with flip 1) lies in -360..360, and centreX / centreY
// move the text so that it sits where GDI would draw it.
VKE_API int VkeDrwDrawText(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, int length,
                           BYTE alpha, double angle, int flip, int centreX, int centreY);
// Fills the rectangle with the colour: plainly with alpha 0, else through GDI+ at that alpha.
VKE_API int VkeDrwFillRectangle(VkiDrw* drw, HDC dc, const RECT* rect, COLORREF color, BYTE alpha);
// One line of text: top-left at (x, y); centred on (x, y); centred on x with its top at y;
// left at x centred on y. font may be null with alpha 0 (the DC's own font).
VKE_API int VkeDrwDrawStr(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha,
                          int flip);
VKE_API int VkeDrwDrawStrCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text,
                                BYTE alpha, int flip);
VKE_API int VkeDrwDrawStrHCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text,
                                 BYTE alpha, int flip);
VKE_API int VkeDrwDrawStrVCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text,
                                 BYTE alpha, int flip);
// One character under the other (double-byte characters kept whole), each centred in a column as
// wide as the widest; downward 1 runs toward growing y. The column's left edge is at x, or it is
// centred on x (Center, HCenter); it starts at y, or it is centred on y (Center, VCenter).
VKE_API int VkeDrwDrawVStr(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha,
                           int flip, int downward);
VKE_API int VkeDrwDrawVStrCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text,
                                 BYTE alpha, int flip, int downward);
VKE_API int VkeDrwDrawVStrHCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text,
                                  BYTE alpha, int flip, int downward);
VKE_API int VkeDrwDrawVStrVCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text,
                                  BYTE alpha, int flip, int downward);
// The text with its origin (x, y) turned by angle degrees about (centreX, centreY), the text
// turned with it (the primitive's sense of the angle).
VKE_API int VkeDrwDrawAngleStr(VkiDrw* drw, HDC dc, const LOGFONTA* font, int centreX, int centreY, int x, int y,
                               const char* text, BYTE alpha, double angle, int flip);
// The text along the line between two points, turned about the first (fromFirst 1) or the second.
VKE_API int VkeDrwDrawSlopeStr(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x1, int y1, int x2, int y2, int x,
                               int y, const char* text, BYTE alpha, int flip, int fromFirst);
// The path made absolute and, when it is not narrower than width pixels in the DC's font,
// shortened to root, "...", as many folders before the file name as fit, and the file name
// ("C:\a\...\file.txt", "\\...\f.txt"). Cut to outSize like every bounded copy (-13).
VKE_API int VkeDrwGetCompactPath(VkiDrw* drw, char* out, const char* path, int outSize, HDC dc, int width);

// ==== End: text drawing ====

// ==== Geometry, device-context scale and focus helpers (VkeDrwOpr) ====

// Rounding is half away from zero. Angles are degrees, -360..360 where an angle is taken.
// The scale of target against reference (null: the screen) by dots per inch: the pair (target,
// reference) of the direction whose integer quotient is smaller; -13 (0/1) when that quotient
// lies outside 1..100.
VKE_API int VkeDrwGetDCScale(VkiDrw* drw, HDC target, HDC reference, int* num, int* den);
// The LOGFONT of a font of face (1..31 bytes) and size points as made for the DC (null: the screen).
VKE_API int VkeDrwGetLogFont(VkiDrw* drw, HDC dc, const char* face, int size, LOGFONTA* out);
// src with its height (and a non-zero width) scaled by num/den, at least 1 in size, sign kept;
// a height of 0 is first taken from the font's metrics on the screen. -13 outside 1e-6..100.
VKE_API int VkeDrwGetLogFontSca(VkiDrw* drw, LOGFONTA* out, const LOGFONTA* src, int num, int den);
// The character cell of the window's font: height, and width (half the height when the font
// gives none), each at least 1.
VKE_API int VkeDrwGetCharSize(VkiDrw* drw, HWND wnd, int* width, int* height);
VKE_API int VkeDrwChangePointToPixel(VkiDrw* drw, HDC dc, int* pixels, int points);
VKE_API int VkeDrwChangePixelToPoint(VkiDrw* drw, HDC dc, int* points, int pixels);
// The degrees are written even when they fall outside -360..360 (-9).
VKE_API int VkeDrwChangeRadToAng(VkiDrw* drw, double* degrees, double radians);
VKE_API int VkeDrwChangeAngToRad(VkiDrw* drw, double* radians, double degrees);
// The angle of the line from point 1 to point 2 in 0 <= a < 360, measured from the x axis
// toward the y axis.
VKE_API int VkeDrwChangeSlpToAng(VkiDrw* drw, double* degrees, int x1, int y1, int x2, int y2);
// Turns count points in place about (centreX, centreY), counter-clockwise as seen for a positive
// angle; yUp 1 when the y axis grows upward.
VKE_API int VkeDrwRotatePoint(VkiDrw* drw, double angle, int centreX, int centreY, int* xs, int* ys, int count,
                              int yUp);
// Multiplies count points in place by num/den (both at least 1).
VKE_API int VkeDrwScalePoint(VkiDrw* drw, int num, int den, int* xs, int* ys, int count);
VKE_API int VkeDrwGetDistance(VkiDrw* drw, int* distance, int x1, int y1, int x2, int y2);
// Direction from point 1 to point 2 in mode 8 (45-degree sectors centred on the axes and the
// diagonals) or 4 (90-degree sectors): 1 up, 2 down, 3 left, 4 right, 5 up-left, 6 up-right,
// 7 down-left, 8 down-right. Equal points: 4.
VKE_API int VkeDrwGetDirection(VkiDrw* drw, int* code, int mode, int x1, int y1, int x2, int y2, int yUp);
// Selection of an edit or combo box in byte positions of its Shift-JIS text (0-based; -1 as the
// controls take it); any other window: nothing set, (0, 0).
VKE_API int VkeDrwSetSelectionCtl(VkiDrw* drw, HWND wnd, int start, int end);
VKE_API int VkeDrwGetSelectionCtl(VkiDrw* drw, HWND wnd, int* start, int* end);
// The first visible and enabled control in the dialog's tab order; -12 (untraced) when none.
VKE_API int VkeDrwGetFstFcsCtlHandle(VkiDrw* drw, HWND dialog, HWND* out);
// Gives the window the focus (0 when it has it already or a call for it is running): a dialog
// left gets WM_ACTIVATE inactive; a control of a dialog is reached through the dialog
// (WM_ACTIVATE active, WM_NEXTDLGCTL); any other window gets its text selected and the focus.
VKE_API int VkeDrwSetFocusWnd(VkiDrw* drw, HWND wnd);

// ==== End: geometry ====

// ==== Print page record and layout (VkeDrwDrw, VkeDraDrw) ====

// One printed page set of a drawing: the caller owns the record; InitPrintInfo fills the
// defaults, SetPrintInfoRect lays the page out, SetPrintPageInfo scales the drawing and splits
// it into pages, and Print prints the current page. Rectangles are printer device units unless
// said; source units are the drawing area's displayed pixels (the draw object's: its default
// draw memory's pixels).
struct PrintInfo {
    HDC hDC;                   // 1  printer DC
    int iHeader;               // 2  1: a header line is printed
    RECT rctHeader;            // 3  set by SetPrintInfoRect
    LOGFONTA lfHeader;         // 4  in screen terms; scaled to the printer when printed
    COLORREF uHeaderColor;     // 5
    char amHeader[1024];       // 6  empty: the system object's module name
    int iPageNo;               // 7  1: a page-number line is printed at the bottom
    RECT rctPageNo;            // 8  set by SetPrintInfoRect
    LOGFONTA lfPageNo;         // 9
    COLORREF uPageNoColor;     // 10
    char amPageNo[1024];       // 11 empty: "%d / %d" (current page, page count); else as it is
    RECT rctImage;             // 12 where the drawing goes; SetPrintPageInfo narrows it
    int iScaleMode;            // 13 VKE_PRT_SCALE_*
    int iAlignH;               // 14 VKE_PRT_ALIGN_LEFT, _RIGHT, _HCENTRE
    int iAlignV;               // 15 VKE_PRT_ALIGN_TOP, _BOTTOM, _VCENTRE
    int iCurPage;              // 16 from 1, set by the caller before each Print
    RECT rctPagePart;          // 17 source units: the part printed on the current page
    int iEmpty;                // 18 1: the current page has nothing to print
    int iPageInfo;             // 19 1: SetPrintPageInfo has completed
    RECT rctSource;            // 20 source units: the part to print; all zero: the whole drawing
    RECT rctPrinted;           // 21 the image rectangle's left and top plus the full printed size
    int iPagesAcross;          // 22
    int iPagesDown;            // 23
    int iPageCount;            // 24 across x down
    int iPrintedWidth;         // 25 the print's scale as two fractions: printed / source
    int iSourceWidth;
    int iPrintedHeight;
    int iSourceHeight;
    RECT rctImageSrc;          // 26 the image rectangle in source units (the current page's grid cell)
};

// Print scale modes: the drawing's base size, the displayed size, stretched to the image
// rectangle, fitted into it, fitted to its width (pages run down), to its height (pages across).
enum {
    VKE_PRT_SCALE_BASE = 1,
    VKE_PRT_SCALE_SHOWN = 2,
    VKE_PRT_SCALE_STRETCH = 3,
    VKE_PRT_SCALE_FIT = 4,
    VKE_PRT_SCALE_FIT_WIDTH = 5,
    VKE_PRT_SCALE_FIT_HEIGHT = 6
};

// Alignment of a printed image smaller than the image rectangle.
enum {
    VKE_PRT_ALIGN_LEFT = 1,
    VKE_PRT_ALIGN_RIGHT = 2,
    VKE_PRT_ALIGN_HCENTRE = 4,
    VKE_PRT_ALIGN_TOP = 16,
    VKE_PRT_ALIGN_BOTTOM = 32,
    VKE_PRT_ALIGN_VCENTRE = 64
};

// Zeroes the record, then: header and page number on, both fonts from messages 49 and 51,
// black, scale 1/1; the area's: mode 4, centred; the draw object's: mode 1, left and top.
// Needs no initialised object.
VKE_API int VkeDrwInitPrintInfo(VkiDrw* drw, PrintInfo* info);
VKE_API int VkeDrwCopyPrintInfo(VkiDrw* drw, PrintInfo* dst, const PrintInfo* src);
// Header, page-number and image rectangles within the page rectangle (printer device units):
// each line twice its font's printer height. -13 (untraced) when a line leaves no room: its
// flag is cleared, the rest stays laid out.
VKE_API int VkeDrwSetPrintInfoRect(VkiDrw* drw, PrintInfo* info, const RECT* page);
// -9 for a missing or inconsistent record, -7 before SetPrintPageInfo.
VKE_API int VkeDrwCheckPrintInfo(VkiDrw* drw, PrintInfo* info);
// Scale, page grid and alignment for the default draw memory; 1 (untraced) when nothing can be
// printed (the page-info flag stays 0). -7 without an attached default draw memory or while
// printing. Run it on a record freshly laid out by SetPrintInfoRect.
VKE_API int VkeDrwSetPrintPageInfo(VkiDrw* drw, PrintInfo* info);
// 1 (untraced) while the draw object prints a page or its system object prints or previews.
VKE_API int VkeDrwCheckPrinting(VkiDrw* drw);
// Prints the current page of the default draw memory with the header and the page number
// (both also on a page that turns out empty).
VKE_API int VkeDrwPrint(VkiDrw* drw, PrintInfo* info);

// The drawing area's counterparts: the area's own scale and print font enter the layout.
VKE_API int VkeDraInitPrintInfo(VkiDra* dra, PrintInfo* info);
VKE_API int VkeDraCopyPrintInfo(VkiDra* dra, PrintInfo* dst, const PrintInfo* src);
VKE_API int VkeDraSetPrintInfoRect(VkiDra* dra, PrintInfo* info, const RECT* page);
VKE_API int VkeDraCheckPrintInfo(VkiDra* dra, PrintInfo* info);
VKE_API int VkeDraSetPrintPageInfo(VkiDra* dra, PrintInfo* info);

// ==== End: print page layout ====

// ==== Drawing area (VkeDraBsc, VkeDraOpr) ====

// A drawing area is an "EDIT" window of the library that shows a drawing at a scale, with a
// horizontal and a vertical scroll bar beside it in the same parent (made by Init unless given)
// and a focus frame drawn round it on the parent. The parent receives the bars' WM_HSCROLL and
// WM_VSCROLL and answers them with VkeDraHScroll / VkeDraVScroll.

// Parameters of a drawing area; VkeDraInitParam fills the defaults, and the steps (fields 20 to
// 23) must be set by the caller. Rectangles are in the parent's client coordinates.
struct VkeDraParam {
    double dExecVersion;       // 1  1.0
    COLORREF uTextColor;       // 2  0
    COLORREF uBackColor;       // 3  0xFFFFFF
    COLORREF uSetFocusColor;   // 4  0xFF0000: the frame while the area has the focus
    COLORREF uKillFocusColor;  // 5  COLOR_BTNFACE: the frame otherwise
    int iFrameWidth;           // 6  3; 0 or more
    HMENU hMenu;               // 7  null, or a menu with a submenu 0 (the popup menu)
    HPALETTE hPalette;         // 8  null, or a palette with entries (the area keeps a copy)
    HWND hHScrBar;             // 9  null, or an existing bar; Init writes the bar it made here
    HWND hVScrBar;             // 10 as field 9
    UINT uHScrBarId;           // 11 id of the bar Init makes: 1 or more
    UINT uVScrBarId;           // 12 id of the bar Init makes: 1 or more, not field 11
    RECT rctDra;               // 13 the window with its bars; not empty
    RECT rctInrDra;            // 14 the drawing's extent at 1:1; not empty
    int iScaleBase;            // 15 5; VKE_DRA_BASE_*
    int iScaleMode;            // 16 1; VKE_DRA_SCALE_*
    int iScaleNum;             // 17 1; 1 or more with mode 1
    int iScaleDen;             // 18 1; 1 or more with mode 1
    int iStretchMode;          // 19 4; 0 to 4, handed to the stretch copies
    int iArrowScrSizeH;        // 20 0; 1 or more: an arrow step
    int iArrowScrSizeV;        // 21
    int iWheelScrSizeH;        // 22 0; 1 or more: a wheel notch
    int iWheelScrSizeV;        // 23
    double dWheelScale;        // 24 0.1; 0.01 to 0.9: the ratio change of one zoom notch
    int iOwnScrBarLayout;      // 25 1: the area places, shows and hides the bars itself
    int iHScrBarAlways;        // 26 0: the horizontal bar even when not needed
    int iVScrBarAlways;        // 27 0
    int iFlipY;                // 28 0: the drawing's y axis points up
    int iDrawMemory;           // 29 0: the area paints from its own draw memory
    int iCtlEditing;           // 30 0: the area offers copy and paste
    int iDragAccept;           // 31 0: files may be dropped on the area
    int iGrabScroll;           // 32 0: dragging with the left button scrolls
};

// Scale bases: the point of the visible part that stays in place when the scale changes.
enum {
    VKE_DRA_BASE_TOP_LEFT = 1,
    VKE_DRA_BASE_TOP_RIGHT = 2,
    VKE_DRA_BASE_BOTTOM_RIGHT = 3,
    VKE_DRA_BASE_BOTTOM_LEFT = 4,
    VKE_DRA_BASE_CENTRE = 5
};

// Scale modes: the fraction given; fitted to the window; fitted only when larger than it.
enum { VKE_DRA_SCALE_FRACTION = 1, VKE_DRA_SCALE_FIT = 2, VKE_DRA_SCALE_FIT_LARGER = 3 };

// Drawing-area property ids besides 1-3 (the value is passed by pointer; (S) settable).
enum {
    VKE_DRA_PROP_WND = 4,             // HWND
    VKE_DRA_PROP_LOGFONT = 5,         // LOGFONTA (S): the screen font
    VKE_DRA_PROP_FONT_NAME = 6,       // char[1024]
    VKE_DRA_PROP_FONT_SIZE = 7,       // int points
    VKE_DRA_PROP_TEXT_COLOR = 8,      // COLORREF (S)
    VKE_DRA_PROP_BACK_COLOR = 9,      // COLORREF (S)
    VKE_DRA_PROP_SET_FOCUS_COLOR = 10,  // COLORREF (S)
    VKE_DRA_PROP_KILL_FOCUS_COLOR = 11, // COLORREF (S)
    VKE_DRA_PROP_MENU = 12,           // HMENU (S)
    VKE_DRA_PROP_PALETTE = 13,        // HPALETTE (S)
    VKE_DRA_PROP_HSCRBAR = 14,        // HWND
    VKE_DRA_PROP_VSCRBAR = 15,        // HWND
    VKE_DRA_PROP_DRA_RECT = 16,       // RECT
    VKE_DRA_PROP_SCALE_BASE = 17,     // int (S)
    VKE_DRA_PROP_SCALE_MODE = 18,     // int (S, with the scale 1/1)
    VKE_DRA_PROP_STRETCH_MODE = 19,   // int (S)
    VKE_DRA_PROP_DRAW_MEMORY = 20,    // int 0/1 (S)
    VKE_DRA_PROP_CTL_EDITING = 21,    // int 0/1 (S)
    VKE_DRA_PROP_DRAG_ACCEPT = 22,    // int 0/1 (S)
    VKE_DRA_PROP_GRAB_SCROLL = 23,    // int 0/1 (S)
    VKE_DRA_PROP_DRAWING = 24,        // int 0/1
    VKE_DRA_PROP_PRINTING = 25,       // int 0/1
    VKE_DRA_PROP_TRACKING = 26,       // int 0/1
    VKE_DRA_PROP_PASTED = 27,         // int 0/1
    VKE_DRA_PROP_CREATED_MEMORY = 28, // int 0/1
    VKE_DRA_PROP_DRA_HSCR_POS = 29,   // int: the drawing coordinate at the left edge
    VKE_DRA_PROP_DRA_VSCR_POS = 30    // int: at the top edge (the bottom edge with y up)
};

// Setters of what is shown, and the font and draw-memory operations, refuse with -7 while the
// area (or the system object) prints or previews or a drawing pass runs; they end a grab first.

// Makes an area bound to an initialised system object (its utility and draw objects).
VKE_API int VkeDraAlloc(VkiSys* sys, VkiDra** out);
// Destroys the window and the object.
VKE_API int VkeDraFree(VkiDra** out);
// Makes the area's window: WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP with
// WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, or the given styles (kept: visible, disabled, clip
// children, scroll, group, tab stop and the low 16 bits; child and clip siblings forced).
// -9 for an empty rectangle, -8 when the window cannot be made, -7 when there is one.
VKE_API int VkeDraCreate(VkiDra* dra, int x, int y, int width, int height, HWND parent, UINT id);
VKE_API int VkeDraCreateByRect(VkiDra* dra, const RECT* rect, HWND parent, UINT id);
VKE_API int VkeDraCreateEx(VkiDra* dra, DWORD style, DWORD exStyle, int x, int y, int width, int height, HWND parent,
                           UINT id);
VKE_API int VkeDraCreateExByRect(VkiDra* dra, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id);
VKE_API int VkeDraDestroy(VkiDra* dra);
// Adopts an existing "EDIT" window (-9 for any other class) / a dialog's item of that id.
VKE_API int VkeDraSubclassWindow(VkiDra* dra, HWND wnd);
VKE_API int VkeDraSubclassDlgItem(VkiDra* dra, HWND dialog, int id);
// Gives the window back and hands it out.
VKE_API int VkeDraUnsubclassWindow(VkiDra* dra, HWND* out);
// Puts the caller's procedure in front of the area's; it passes what it does not handle to
// *old. The first procedure replaced comes back with VkeDraResetWindowProc or when the window
// is destroyed.
VKE_API int VkeDraSetWindowProc(VkiDra* dra, WNDPROC proc, WNDPROC* old);
VKE_API int VkeDraResetWindowProc(VkiDra* dra);
VKE_API int VkeDraInitParam(VkiDra* dra, VkeDraParam* param);
VKE_API int VkeDraCheckParam(VkiDra* dra, VkeDraParam* param, int* field, int* messageNo);
// Sets the area up over its window: bars (made when not given), font (the parent's, else
// messages 49 and 50), colours, palette, pens, cursors, draw memory, layout and scale. A failure
// leaves the area terminated with no bar of its own left. WM_DESTROY runs VkeDraTerm.
VKE_API int VkeDraInit(VkiDra* dra, VkeDraParam* param, int* field, int* messageNo);
VKE_API int VkeDraTerm(VkiDra* dra);
VKE_API int VkeDraSetProperty(VkiDra* dra, int id, void* value);
VKE_API int VkeDraGetProperty(VkiDra* dra, int id, void* out);
VKE_API int VkeDraGetName(VkiDra* dra, char* buffer, int size);
VKE_API int VkeDraGetVersion(VkiDra* dra, double* out);
VKE_API int VkeDraSetExecVersion(VkiDra* dra, double version);
VKE_API int VkeDraGetExecVersion(VkiDra* dra, double* out);
VKE_API int VkeDraGetDraHandle(VkiDra* dra, HWND* out);

// The screen font: the owner's font at 1:1, shown scaled with the drawing. A height of 0 is
// taken from the font's metrics. Size in points.
VKE_API int VkeDraSetFont(VkiDra* dra, const char* face, int size);
VKE_API int VkeDraSetFontByLogFont(VkiDra* dra, const LOGFONTA* font);
VKE_API int VkeDraGetFontName(VkiDra* dra, char* buffer, int size);
VKE_API int VkeDraGetFontSize(VkiDra* dra, int* out);
VKE_API int VkeDraGetLogFont(VkiDra* dra, LOGFONTA* out);
// The print font, made for a printer DC.
VKE_API int VkeDraCreateFontPrt(VkiDra* dra, HDC printer, const char* face, int size);
VKE_API int VkeDraCreateFontByLogFontPrt(VkiDra* dra, HDC printer, const LOGFONTA* font);
VKE_API int VkeDraGetFontNamePrt(VkiDra* dra, char* buffer, int size);
VKE_API int VkeDraGetFontSizePrt(VkiDra* dra, int* out);
VKE_API int VkeDraGetLogFontPrt(VkiDra* dra, LOGFONTA* out);

// Colours; each is also added to the draw object's colour list.
VKE_API int VkeDraSetTextColor(VkiDra* dra, COLORREF color);
VKE_API int VkeDraSetBackColor(VkiDra* dra, COLORREF color);
VKE_API int VkeDraSetSetFocusColor(VkiDra* dra, COLORREF color);
VKE_API int VkeDraSetKillFocusColor(VkiDra* dra, COLORREF color);
VKE_API int VkeDraGetTextColor(VkiDra* dra, COLORREF* out);
VKE_API int VkeDraGetBackColor(VkiDra* dra, COLORREF* out);
VKE_API int VkeDraGetSetFocusColor(VkiDra* dra, COLORREF* out);
VKE_API int VkeDraGetKillFocusColor(VkiDra* dra, COLORREF* out);
// The popup menu (not owned; -9 without a submenu 0) and the palette (the area keeps a copy).
VKE_API int VkeDraSetMenuHandle(VkiDra* dra, HMENU menu);
VKE_API int VkeDraGetMenuHandle(VkiDra* dra, HMENU* out);
VKE_API int VkeDraSetPaletteHandle(VkiDra* dra, HPALETTE palette);
VKE_API int VkeDraGetPaletteHandle(VkiDra* dra, HPALETTE* out);
VKE_API int VkeDraGetHScrBarHandle(VkiDra* dra, HWND* out);
VKE_API int VkeDraGetVScrBarHandle(VkiDra* dra, HWND* out);
// The window in its parent's client coordinates, with the bars it lays out and shows.
VKE_API int VkeDraGetDraRect(VkiDra* dra, RECT* out);
// The drawing's extent at 1:1 / at the current scale.
VKE_API int VkeDraGetInrDraRectBas(VkiDra* dra, RECT* out);
VKE_API int VkeDraGetInrDraRectSca(VkiDra* dra, RECT* out);
// The area's draw memory (draw-memory mode only): a copy in, a copy out (-12 when none).
VKE_API int VkeDraSetDrm(VkiDra* dra, Drm* drm);
VKE_API int VkeDraGetDrm(VkiDra* dra, Drm* out);
// The paste image: a copy in starts a paste at 1:1; a copy out (-12 when none).
VKE_API int VkeDraSetDrmPst(VkiDra* dra, Drm* drm);
VKE_API int VkeDraGetDrmPst(VkiDra* dra, Drm* out);
// Makes the draw memory at the screen's depth (the palette as its colour table up to 8 bits).
VKE_API int VkeDraCreateDrawMemory(VkiDra* dra, int width, int height);

// ==== End: drawing area ====

// ==== Drawing area: scrolling and wheel (VkeDraOpr) ====

// Scroll positions are drawing units at the current scale: ranges 0 .. the scaled width and
// height, pages the client size. The drawing coordinate shown at the left edge and at the top
// edge (the bottom edge with y up) follows the bars.

// Half of the window's outer size less its client size, rounded up; -7 without a window.
VKE_API int VkeDraGetBorderWidth(VkiDra* dra, int* out);
VKE_API int VkeDraGetBorderHeight(VkiDra* dra, int* out);
// A "SCROLLBAR" window (horizontal / always vertical) with the styles filtered as for the area.
VKE_API int VkeDraCreateHScrBar(VkiDra* dra, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id,
                                HWND* out);
VKE_API int VkeDraCreateVScrBar(VkiDra* dra, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id,
                                HWND* out);
VKE_API int VkeDraDestroyHScrBar(VkiDra* dra, HWND* bar);
VKE_API int VkeDraDestroyVScrBar(VkiDra* dra, HWND* bar);
// The system's bar sizes (SM_CXHSCROLL, SM_CYHSCROLL, SM_CXVSCROLL, SM_CYVSCROLL).
VKE_API int VkeDraGetHScrBarWidthDfl(VkiDra* dra, int* out);
VKE_API int VkeDraGetHScrBarHeightDfl(VkiDra* dra, int* out);
VKE_API int VkeDraGetVScrBarWidthDfl(VkiDra* dra, int* out);
VKE_API int VkeDraGetVScrBarHeightDfl(VkiDra* dra, int* out);
// The bar windows' sizes; -7 (0) without the bar.
VKE_API int VkeDraGetHScrBarWidth(VkiDra* dra, int* out);
VKE_API int VkeDraGetHScrBarHeight(VkiDra* dra, int* out);
VKE_API int VkeDraGetVScrBarWidth(VkiDra* dra, int* out);
VKE_API int VkeDraGetVScrBarHeight(VkiDra* dra, int* out);
VKE_API int VkeDraGetHScrInfo(VkiDra* dra, SCROLLINFO* info, UINT mask);
VKE_API int VkeDraGetVScrInfo(VkiDra* dra, SCROLLINFO* info, UINT mask);
VKE_API int VkeDraGetHScrSize(VkiDra* dra, int* min, int* max);
VKE_API int VkeDraGetVScrSize(VkiDra* dra, int* min, int* max);
VKE_API int VkeDraGetHScrPos(VkiDra* dra, int* out);
VKE_API int VkeDraGetVScrPos(VkiDra* dra, int* out);
VKE_API int VkeDraGetDraHScrPos(VkiDra* dra, int* out);
VKE_API int VkeDraGetDraVScrPos(VkiDra* dra, int* out);
VKE_API int VkeDraSetArrowScrSize(VkiDra* dra, int h, int v);
VKE_API int VkeDraGetArrowScrSize(VkiDra* dra, int* h, int* v);
VKE_API int VkeDraSetWheelScrSize(VkiDra* dra, int h, int v);
VKE_API int VkeDraGetWheelScrSize(VkiDra* dra, int* h, int* v);
VKE_API int VkeDraSetWheelScale(VkiDra* dra, double scale);
VKE_API int VkeDraGetWheelScale(VkiDra* dra, double* out);
// Bar position and drawing coordinate, both ways; the result is written also when the value
// lies outside the drawing (-13, untraced).
VKE_API int VkeDraHScrPosToHDraPos(VkiDra* dra, int* out, int pos);
VKE_API int VkeDraVScrPosToVDraPos(VkiDra* dra, int* out, int pos);
VKE_API int VkeDraHDraPosToHScrPos(VkiDra* dra, int* out, int pos);
VKE_API int VkeDraVDraPosToVScrPos(VkiDra* dra, int* out, int pos);
// Whether the drawing (the extent at the current scale, or the area's) is wider / higher than
// the window rectangle (or the client area).
VKE_API int VkeDraIsNeedHScrBar(VkiDra* dra, const RECT* window, const RECT* extent, int* out);
VKE_API int VkeDraIsNeedVScrBar(VkiDra* dra, const RECT* window, const RECT* extent, int* out);
// Lays the area out again: the window (and with the own layout its bars) at the area rectangle
// (null: where it is), the drawing at the extent (null: as it is) and the current scale. A new
// extent marks the drawing modified.
VKE_API int VkeDraMove(VkiDra* dra, const RECT* area, const RECT* extent);
VKE_API int VkeDraMoveHScrBar(VkiDra* dra, const RECT* rect);
VKE_API int VkeDraMoveVScrBar(VkiDra* dra, const RECT* rect);
// Scrolls by a WM_HSCROLL / WM_VSCROLL code (SB_THUMBPOSITION and SB_THUMBTRACK: to pos),
// clamped to the start .. the end less one page. A scroll inside a scroll of the same direction
// does nothing.
VKE_API int VkeDraHScroll(VkiDra* dra, int code, int pos);
VKE_API int VkeDraVScroll(VkiDra* dra, int code, int pos);
// A wheel turn (WM_MOUSEWHEEL's key state and delta): whole notches of 120 scroll by the wheel
// step, vertically, or horizontally with MK_SHIFT; turning away from the user scrolls up.
VKE_API int VkeDraMouseWheel(VkiDra* dra, int keys, int delta);
// A wheel turn as a zoom: each notch toward the user multiplies the ratio by 1 + the wheel
// scale, away by 1 - it; -13 (untraced) when it would leave 0.000001 .. 100.
VKE_API int VkeDraMouseScale(VkiDra* dra, int keys, int delta);

// ==== End: drawing area scrolling ====

// ==== Drawing area: scale and attributes (VkeDraAtr) ====

// The scale is num/den (each at least 1, 0.000001 .. 100); sizes derived from it are cut toward
// zero, positions and pen widths rounded half away from zero. A re-layout that fails puts the
// previous scale back (else 1/1, else gives the draw memory up) and returns its first failure.
VKE_API int VkeDraSetScaleBase(VkiDra* dra, int base);
VKE_API int VkeDraGetScaleBase(VkiDra* dra, int* out);
// An anchor for the next scale change, in client coordinates; a point outside the drawing's
// visible part clears it.
VKE_API int VkeDraSetScaBasPos(VkiDra* dra, int x, int y);
VKE_API int VkeDraGetScaBasPos(VkiDra* dra, int* x, int* y);
VKE_API int VkeDraClearScaBasPos(VkiDra* dra);
// Mode 1 sets num/den; modes 2 and 3 fit the drawing to the window (num and den unused).
VKE_API int VkeDraSetScaleMode(VkiDra* dra, int mode, int num, int den);
VKE_API int VkeDraGetScaleMode(VkiDra* dra, int* out);
VKE_API int VkeDraSetScale(VkiDra* dra, int num, int den);
VKE_API int VkeDraGetScale(VkiDra* dra, int* num, int* den);
VKE_API int VkeDraSetStretchMode(VkiDra* dra, int mode);
VKE_API int VkeDraGetStretchMode(VkiDra* dra, int* out);
VKE_API int VkeDraSetDrawMemoryFlag(VkiDra* dra, int flag);
VKE_API int VkeDraGetDrawMemoryFlag(VkiDra* dra, int* out);
VKE_API int VkeDraSetCtlEditingFlag(VkiDra* dra, int flag);
VKE_API int VkeDraGetCtlEditingFlag(VkiDra* dra, int* out);
VKE_API int VkeDraSetDragAcceptFlag(VkiDra* dra, int flag);
VKE_API int VkeDraGetDragAcceptFlag(VkiDra* dra, int* out);
VKE_API int VkeDraSetGrabScrollFlag(VkiDra* dra, int flag);
VKE_API int VkeDraGetGrabScrollFlag(VkiDra* dra, int* out);
VKE_API int VkeDraGetDrawFlag(VkiDra* dra, int* out);
VKE_API int VkeDraGetPrintFlag(VkiDra* dra, int* out);
VKE_API int VkeDraGetTrackingFlag(VkiDra* dra, int* out);
// Drops the paste image.
VKE_API int VkeDraClearPastedFlag(VkiDra* dra);
VKE_API int VkeDraGetPastedFlag(VkiDra* dra, int* out);
VKE_API int VkeDraGetCreatedMemoryFlag(VkiDra* dra, int* out);
// The font, pen and back brush a drawing uses now (the print ones while printing directly).
VKE_API int VkeDraGetFontHandle(VkiDra* dra, HANDLE* out);
VKE_API int VkeDraGetPenHandle(VkiDra* dra, HANDLE* out);
VKE_API int VkeDraGetBackBrushHandle(VkiDra* dra, HANDLE* out);
// Invalidates the client area (erase 1: with its background); in draw-memory mode the owner is
// asked to draw the memory again.
VKE_API int VkeDraRedraw(VkiDra* dra, int erase);
// The bitmap (as the clipboard and image files give it) becomes the paste image, shown at 1:1;
// the area owns it once this returns 0 or -13 (not fitted), the caller after any other result.
// Draw-memory mode with a created draw memory only (-7).
VKE_API int VkeDraAttachPasteDIB(VkiDra* dra, HBITMAP dib);
VKE_API int VkeDraSetFocusDra(VkiDra* dra);
VKE_API int VkeDraIsFocus(VkiDra* dra, int* out);
// Copy and paste availability (copy: editing on with a created draw memory; paste: and an image
// on the clipboard); 1 (untraced, all 0) while printing or drawing.
VKE_API int VkeDraGetEditFlag(VkiDra* dra, EditFlag* out);
VKE_API int VkeDraGetEditCpyFlag(VkiDra* dra, int* out);
VKE_API int VkeDraGetEditPstFlag(VkiDra* dra, int* out);
// The draw memory to the clipboard; -12 (untraced) when there is nothing to copy.
VKE_API int VkeDraEditCpy(VkiDra* dra);
// The clipboard's image as the paste image, marking the drawing modified; -12 (untraced) when
// the clipboard holds none.
VKE_API int VkeDraEditPst(VkiDra* dra);
VKE_API int VkeDraSetModifiedFlag(VkiDra* dra, int flag);
VKE_API int VkeDraGetModifiedFlag(VkiDra* dra, int* out);

// ==== End: drawing area scale ====

// ==== Drawing area: drawing and page printing (VkeDraDrw) ====

// The draw request the area sends its parent with VkeWmDrw (wParam the area, lParam the
// record) whenever content must be drawn: the owner draws the rectangle's part of the drawing,
// at the scale, into the DC. In draw-memory mode the DC is the draw memory's and the request
// comes only when the memory is stale; otherwise it is the window's or the printer's DC, mapped
// from the drawing's coordinates. The DC's objects, colours and mapping are the area's again
// after the reply. The reply is not read.
struct Dri {
    HDC hDC;
    int iScaleNum;
    int iScaleDen;
    RECT rct;          // logical units of hDC (top below bottom also with the y axis up)
    int iPrinting;     // 1 while a page is printed
    int iNotPasting;   // 0 when the pass shows a paste image over the draw memory
};

// VkeWmPrtPage: sent before a page is printed, wParam the area, lParam its PrintInfo; a
// non-zero reply means the owner changed the page part (clamped to the source again).

// One drawing pass over the update rectangle (device units of dc). 1 (untraced) for an empty
// rectangle; -7 for a pass of the same area inside its own pass. erase: 0 or 1, no further effect.
VKE_API int VkeDraDraw(VkiDra* dra, HDC dc, const RECT* update, int erase);
VKE_API int VkeDraCopyDrawInfo(VkiDra* dra, Dri* dst, const Dri* src);
// 1 (untraced) while the area prints a page or the system object prints or previews.
VKE_API int VkeDraCheckPrinting(VkiDra* dra);
// Prints the record's current page: VkeWmPrtPage, the header, the owner's drawing of the page
// part (or the draw memory stretched onto it) and the page number. 1 (untraced) when the
// update rectangle is empty; an empty page prints nothing and gives 0.
VKE_API int VkeDraPrint(VkiDra* dra, PrintInfo* info);

// ==== End: drawing area drawing ====

// ==== Data-bound controls (VkeCtlBsc, VkeCtlDat, VkeCtlDti, VkeCtlEdt) ====

// A control object wraps one standard control and holds its value as typed text (Dti). Texts
// are Shift-JIS; selections, limits and lengths are bytes, whatever unit the platform's own
// edit controls count in. A combo box's edit and list parts work on their combo box's data.
// Colours: a control answers its colour requests (WM_CTLCOLOR... reflected to it, or sent to it
// by its parent with lParam its own window) with the state colour of its data (selected, error,
// modified), unless the parent answers VkeWmCtlColor (wParam the DC, lParam the control's window)
// with a brush. Focus: arriving, the editing text is shown and selected; leaving, the value is
// read, checked and shown formatted (VkeWmWndToDti, VkeWmDtiToWnd) and the open edit step kept.

// Kinds of control (CtlType), fixed when the object is allocated.
enum {
    VKE_CTL_STATIC = 1,  // "STATIC"
    VKE_CTL_EDIT = 2,    // "EDIT"
    VKE_CTL_BUTTON = 3,  // "BUTTON": push buttons are made owner-drawn
    VKE_CTL_LISTBOX = 4, // "LISTBOX": single selection, not owner-drawn
    VKE_CTL_COMBOBOX = 5 // "COMBOBOX": simple, drop-down or drop-down list, not owner-drawn
};

// Parameters of a control; VkeCtlCheckParam names the first bad field by its number (1 is the
// record, 2 the version, then these fields from 3 on).
struct VkeCtlParam {
    double dExecVersion;     // 1.0
    COLORREF uTextColor;     // static, button: COLOR_BTNTEXT; others black
    COLORREF uBackColor;     // static, button: COLOR_BTNFACE; others white
    HMENU hMenu;             // 0; a menu must have a submenu at position 0
    char amDataName[128];    // "" (a button's caption)
    char amDataValue[1024];  // "": must fit the input limit (MaxInputLength of an edit, else 1023 bytes)
    int iEditType;           // 1; 1..21 (VKE_EDIT_...)
    char amEditFormat[128];  // ""
    int iPasswordChar;       // 0; low byte 0 or a displayable single-byte character
    int iMaxInputLength;     // 0 (the 1023-byte limit); 0..1023
    int iIndInput;           // 0; 1: an empty value is an error (-14)
    int iData;               // 0
    int iCtlEditing;         // 1: the control records edit steps for undo
    int iCtlError;           // 0: 1 shows the error state in colour
    int iCtlModified;        // 0: 1 shows the modified state in colour
    int iPriorityError;      // 0: 1 lets the error colour win over the selected colour
};

// Control property ids besides 1-3. Texts are buffers of 1024 bytes; flags and numbers int.
enum {
    VKE_CTL_PROP_CTL_TYPE = 4,         // get
    VKE_CTL_PROP_WND = 5,              // HWND, get
    VKE_CTL_PROP_EDT_WND = 6,          // HWND of a combo box's edit part, get
    VKE_CTL_PROP_LSB_WND = 7,          // HWND of a combo box's list part, get
    VKE_CTL_PROP_LOGFONT = 8,          // LOGFONTA
    VKE_CTL_PROP_FONT_NAME = 9,        // get
    VKE_CTL_PROP_FONT_SIZE = 10,       // points, get
    VKE_CTL_PROP_TEXT_COLOR = 11,      // COLORREF
    VKE_CTL_PROP_BACK_COLOR = 12,      // COLORREF
    VKE_CTL_PROP_MENU = 13,            // HMENU
    VKE_CTL_PROP_DATA_NAME = 14,       // set as an edit step, as 15 to 20 are
    VKE_CTL_PROP_DATA_VALUE = 15,
    VKE_CTL_PROP_EDIT_TYPE = 16,
    VKE_CTL_PROP_EDIT_FORMAT = 17,
    VKE_CTL_PROP_PASSWORD_CHAR = 18,   // BYTE
    VKE_CTL_PROP_MAX_INPUT_LENGTH = 19,
    VKE_CTL_PROP_IND_INPUT = 20,
    VKE_CTL_PROP_CTL_EDITING = 21,
    VKE_CTL_PROP_CTL_ERROR = 22,
    VKE_CTL_PROP_CTL_MODIFIED = 23,
    VKE_CTL_PROP_PRIORITY_ERROR = 24,
    VKE_CTL_PROP_DATA = 25,
    VKE_CTL_PROP_ERROR = 26,
    VKE_CTL_PROP_MODIFIED = 27,
    VKE_CTL_PROP_SELECTED = 28,
    VKE_CTL_PROP_ERROR_CODE = 29,
    VKE_CTL_PROP_DTI = 30              // Dti: set writes it to the window as an edit step and reads it back
};

// A selection: byte positions in a control's text, start inclusive, end exclusive.
struct SelectInfo {
    int iStart;
    int iEnd;
};

// Data and type information: a control's value and how it is shown. VkeCtlInitDti prepares a
// record of the caller's, VkeCtlTermDti releases its texts.
struct Dti {
    AppMem memDataName;   // the datum's name; a button's caption
    AppMem memDataValue;  // the value in the canonical text of its EditType
    int iEditType;        // 1..21 (VKE_EDIT_...)
    AppMem memEditFormat; // the display format of the EditType's Set operation
    AppMem memWndText;    // the text in editing form (a password edit's clear text; "0"/"1" for radio groups)
    SelectInfo sel;       // in memWndText
    int iPasswordChar;    // low byte: 0, or the character shown for every byte
    int iMaxInputLength;  // 0..1023; 0: the 1023-byte limit
    int iIndInput;        // 1: an empty value is an error (-14)
    int iData;            // 1: the value is not empty
    int iError;           // 1: the last validation failed
    int iModified;        // 1: the value changed since the flag was cleared
    int iSelected;
    int iFormat;          // 1: the window shows the formatted value (the control lacks the focus)
    int iFocused;         // 1: the window shows the editing text (the control has the focus)
    int iErrorCode;       // 0, -12 empty, -14 required input missing, -17..-36 malformed
};

// Record codes of a control's records.
enum {
    VKE_DAT_CTL_UND = 641, // CtlUndDat: the control's undo unit
    VKE_DAT_EDI = 642,     // Edi: the open edit step
    VKE_DAT_CTD = 643      // Ctd: the control's data
};

// The undo unit of a control (641): what its undo history keeps a copy of per step.
struct CtlUndDat {
    int iState;         // 1 fresh, 2 steady, 3 a key-moved list selection not yet recorded, 4 after an undo
    int iLastKey;       // virtual key grouped into the open step; 0 none
    int iListIndex;     // list or combo selection of the step; -1 none
    Dti dtiSnap;        // the data as it was when the step began
    SelectInfo selStart;
};

// The open edit step (642).
struct Edi {
    int iOpen;             // 0/1
    int iKind;             // 1..39 while open; 0 when cleared
    AppMem memTextBefore;  // the window text when the step began
};

// The control's data (643); its Dti comes first.
struct Ctd {
    Dti dti;
    CtlUndDat cud;
    Eui* pEui; // the undo history of the control window
};

// Messages to the control's parent. VkeWmWndToDti / VkeWmDtiToWnd: wParam the control object,
// lParam its Ctd; a non-zero reply means the parent read / wrote the value itself. Neither is
// sent again while one is out (one process-wide value-transfer flag). VkeWmSetChk: wParam the
// button's control object, lParam its new check state.

// Object, creation and subclassing (VkeCtlBsc).
VKE_API int VkeCtlAlloc(VkiSys* sys, int type, VkiCtl** out);
VKE_API int VkeCtlFree(VkiCtl** out);
VKE_API int VkeCtlGetClassName(VkiCtl* ctl, int type, char* buffer, int size);
// Creation as a child of parent (-9 bad style or an empty rectangle, -8 refused). Push buttons
// become owner-drawn. The ByRect forms without an extended style take WS_EX_NOPARENTNOTIFY, with
// WS_EX_CLIENTEDGE for edits and list boxes.
VKE_API int VkeCtlCreate(VkiCtl* ctl, const char* caption, DWORD style, int x, int y, int width, int height,
                         HWND parent, UINT id);
VKE_API int VkeCtlCreateByRect(VkiCtl* ctl, const char* caption, DWORD style, const RECT* rect, HWND parent, UINT id);
VKE_API int VkeCtlCreateEx(VkiCtl* ctl, const char* caption, DWORD style, DWORD exStyle, int x, int y, int width,
                           int height, HWND parent, UINT id);
VKE_API int VkeCtlCreateExByRect(VkiCtl* ctl, const char* caption, DWORD style, DWORD exStyle, const RECT* rect,
                                 HWND parent, UINT id);
VKE_API int VkeCtlDestroy(VkiCtl* ctl);
// Adopts a window of the control's class (upper-cased names compared) and style.
VKE_API int VkeCtlSubclassWindow(VkiCtl* ctl, HWND wnd);
VKE_API int VkeCtlSubclassDlgItem(VkiCtl* ctl, HWND dialog, int id);
// Gives the window back, after putting back a procedure swapped in front of the control's.
VKE_API int VkeCtlUnsubclassWindow(VkiCtl* ctl, HWND* out);
// Puts proc in front of the window's procedure; *previous the one it replaced (pass it every
// message not handled). Reset puts back the procedure of before the first swap; so does the
// window's destruction.
VKE_API int VkeCtlSetWindowProc(VkiCtl* ctl, WNDPROC proc, WNDPROC* previous);
VKE_API int VkeCtlResetWindowProc(VkiCtl* ctl);
VKE_API int VkeCtlSetWindowProcEdt(VkiCtl* ctl, WNDPROC proc, WNDPROC* previous);
VKE_API int VkeCtlResetWindowProcEdt(VkiCtl* ctl);
VKE_API int VkeCtlSetWindowProcLsb(VkiCtl* ctl, WNDPROC proc, WNDPROC* previous);
VKE_API int VkeCtlResetWindowProcLsb(VkiCtl* ctl);
VKE_API int VkeCtlInitParam(VkiCtl* ctl, VkeCtlParam* param);
VKE_API int VkeCtlCheckParam(VkiCtl* ctl, VkeCtlParam* param, int* field, int* messageNo);
// Needs a window. Takes the parent's font (else messages 49 and 50), makes the control's data and
// edit records and undo history, applies colours, menu, flags and the typed value; the input
// limit of an edit part is MaxInputLength, or 1023 bytes.
VKE_API int VkeCtlInit(VkiCtl* ctl, VkeCtlParam* param, int* field, int* messageNo);
VKE_API int VkeCtlTerm(VkiCtl* ctl);
VKE_API int VkeCtlSetProperty(VkiCtl* ctl, int id, void* value);
VKE_API int VkeCtlGetProperty(VkiCtl* ctl, int id, void* out);
VKE_API int VkeCtlGetName(VkiCtl* ctl, char* buffer, int size);
VKE_API int VkeCtlGetVersion(VkiCtl* ctl, double* out);
VKE_API int VkeCtlSetExecVersion(VkiCtl* ctl, double version);
VKE_API int VkeCtlGetExecVersion(VkiCtl* ctl, double* out);
VKE_API int VkeCtlGetCtlType(VkiCtl* ctl, int* out);
VKE_API int VkeCtlGetCtlHandle(VkiCtl* ctl, HWND* out);
// A combo box's edit / list part (0 while that part is not adopted); -7 for other kinds.
VKE_API int VkeCtlGetCtlEdtHandle(VkiCtl* ctl, HWND* out);
VKE_API int VkeCtlGetCtlLsbHandle(VkiCtl* ctl, HWND* out);

// Appearance (VkeCtlBsc): font, colours, popup menu and the four control flags.
VKE_API int VkeCtlSetFont(VkiCtl* ctl, const char* face, int size);
VKE_API int VkeCtlSetFontByLogFont(VkiCtl* ctl, const LOGFONTA* font);
VKE_API int VkeCtlGetFontName(VkiCtl* ctl, char* buffer, int size);
VKE_API int VkeCtlGetFontSize(VkiCtl* ctl, int* out);
VKE_API int VkeCtlGetLogFont(VkiCtl* ctl, LOGFONTA* out);
VKE_API int VkeCtlGetFontHandle(VkiCtl* ctl, HFONT* out);
VKE_API int VkeCtlSetTextColor(VkiCtl* ctl, COLORREF color);
VKE_API int VkeCtlGetTextColor(VkiCtl* ctl, COLORREF* out);
VKE_API int VkeCtlSetBackColor(VkiCtl* ctl, COLORREF color);
VKE_API int VkeCtlGetBackColor(VkiCtl* ctl, COLORREF* out);
VKE_API int VkeCtlGetBackBrushHandle(VkiCtl* ctl, HBRUSH* out);
// Works before Init too.
VKE_API int VkeCtlSetMenuHandle(VkiCtl* ctl, HMENU menu);
VKE_API int VkeCtlGetMenuHandle(VkiCtl* ctl, HMENU* out);
// reset 1: an undo history that holds steps is started afresh from the present value.
VKE_API int VkeCtlSetCtlEditingFlag(VkiCtl* ctl, int flag, int reset);
VKE_API int VkeCtlGetCtlEditingFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlSetCtlErrorFlag(VkiCtl* ctl, int flag);
VKE_API int VkeCtlGetCtlErrorFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlSetCtlModifiedFlag(VkiCtl* ctl, int flag);
VKE_API int VkeCtlGetCtlModifiedFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlSetPriorityErrorFlag(VkiCtl* ctl, int flag);
VKE_API int VkeCtlGetPriorityErrorFlag(VkiCtl* ctl, int* out);
// Invalidates the control (a list box always erases), a combo box's parts and an auto radio
// button's group.
VKE_API int VkeCtlRedraw(VkiCtl* ctl, int erase);
// Gives the focus to the control (a combo box's part: to its combo box).
VKE_API int VkeCtlSetFocusCtl(VkiCtl* ctl);
// 1 when the focus is on the control, or anywhere in its combo box.
VKE_API int VkeCtlIsFocus(VkiCtl* ctl, int* out);
// The next auto radio button of the control's group after *cursor (0: after the control); with
// engineOnly 1 only those wrapped by engine controls. -12 (*cursor 0) when the walk is through.
VKE_API int VkeCtlSchAutoRdoBtn(VkiCtl* ctl, HWND* cursor, int engineOnly);

// Records and edit steps (VkeCtlDat). code: 641, 642 or 643.
VKE_API int VkeCtlAllocDat(VkiCtl* ctl, int code, void** p);
VKE_API int VkeCtlFreeDat(VkiCtl* ctl, int code, void** p);
VKE_API int VkeCtlInitDat(VkiCtl* ctl, int code, void* p);
VKE_API int VkeCtlTermDat(VkiCtl* ctl, int code, void* p);
// Copies every field (texts copied); a Ctd's undo history is not copied.
VKE_API int VkeCtlCopyDat(VkiCtl* ctl, int code, void* dest, void* src);
VKE_API int VkeCtlSetDat(VkiCtl* ctl, int code, void* dest, void* src);
// A new copy; a Ctd's undo history is duplicated with it.
VKE_API int VkeCtlDupDat(VkiCtl* ctl, int code, void** out, void* src);
// op 1 alloc into p3, 2 free *p3, 3 init *p3, 4 term *p3, 5 and 7 copy *p4 into *p3, 6 dup *p4
// into p3, 8 copy *p4 into the control's undo unit and restore the window from it.
VKE_API int VkeCtlEditDat(VkiCtl* ctl, int op, int code, void* p3, void* p4);
VKE_API int VkeCtlSetEdiFromWnd(VkiCtl* ctl, Ctd* ctd);
VKE_API int VkeCtlSetWndFromEdi(VkiCtl* ctl, Ctd* ctd);
VKE_API int VkeCtlInitEui(VkiCtl* ctl, Ctd* ctd);
VKE_API int VkeCtlTermEui(VkiCtl* ctl, Ctd* ctd);
VKE_API int VkeCtlSetCtdPtr(VkiCtl* ctl, Ctd* ctd);
VKE_API int VkeCtlGetCtdPtr(VkiCtl* ctl, Ctd** out);

// Data-type information and the value cycle (VkeCtlDti).
VKE_API int VkeCtlSetSelection(VkiCtl* ctl, int start, int end);
VKE_API int VkeCtlGetSelection(VkiCtl* ctl, int* start, int* end);
// The selection kept off half characters and CR LF pairs of a password edit's clear text.
VKE_API int VkeCtlNmlSelection(VkiCtl* ctl, int* start, int* end);
VKE_API int VkeCtlCopySelectInfo(VkiCtl* ctl, SelectInfo* dest, const SelectInfo* src);
VKE_API int VkeCtlSetSelectInfo(VkiCtl* ctl, const SelectInfo* info);
VKE_API int VkeCtlGetSelectInfo(VkiCtl* ctl, SelectInfo* out);
VKE_API int VkeCtlAllocDti(VkiCtl* ctl, Dti** out);
VKE_API int VkeCtlFreeDti(VkiCtl* ctl, Dti** p);
VKE_API int VkeCtlInitDti(VkiCtl* ctl, Dti* dti);
VKE_API int VkeCtlTermDti(VkiCtl* ctl, Dti* dti);
VKE_API int VkeCtlCopyDti(VkiCtl* ctl, Dti* dest, Dti* src);
VKE_API int VkeCtlDupDti(VkiCtl* ctl, Dti** out, Dti* src);
// Makes the record the control's value and shows it (undo 1: as an edit step).
VKE_API int VkeCtlSetDti(VkiCtl* ctl, Dti* dti, int undo);
// Reads the window into the control's value (parsed, validated) and copies it out.
VKE_API int VkeCtlGetDti(VkiCtl* ctl, Dti* out);
VKE_API int VkeCtlChkDti(VkiCtl* ctl);
// Value setters: an equal value does nothing; undo 1 records the change as an edit step; the
// value is shown and read back and the control becomes modified. An auto radio button's
// settings go to its whole group.
VKE_API int VkeCtlSetDataName(VkiCtl* ctl, const char* text, int undo);
VKE_API int VkeCtlGetDataName(VkiCtl* ctl, char* buffer, int size);
// -13 when the value is cut to the input limit (on a character boundary; the cut value is set).
VKE_API int VkeCtlSetDataValue(VkiCtl* ctl, const char* text, int undo);
VKE_API int VkeCtlGetDataValue(VkiCtl* ctl, char* buffer, int size);
// 0 when the value suits the control, 1 (untraced) when not; text gets the kind's default value.
VKE_API int VkeCtlChkDataValue(VkiCtl* ctl, const char* value, char* text, int size);
VKE_API int VkeCtlSetEditType(VkiCtl* ctl, int type, int undo);
VKE_API int VkeCtlGetEditType(VkiCtl* ctl, int* out);
VKE_API int VkeCtlSetEditFormat(VkiCtl* ctl, const char* format, int undo);
VKE_API int VkeCtlGetEditFormat(VkiCtl* ctl, char* buffer, int size);
VKE_API int VkeCtlSetPasswordChar(VkiCtl* ctl, int ch, int undo);
VKE_API int VkeCtlGetPasswordChar(VkiCtl* ctl, BYTE* out);
VKE_API int VkeCtlSetMaxInputLength(VkiCtl* ctl, int length, int undo);
VKE_API int VkeCtlGetMaxInputLength(VkiCtl* ctl, int* out);
VKE_API int VkeCtlSetIndInputFlag(VkiCtl* ctl, int flag, int undo);
VKE_API int VkeCtlGetIndInputFlag(VkiCtl* ctl, int* out);
// State and plain setters: stored (on the whole radio group); the state ones repaint.
VKE_API int VkeCtlSetDataFlag(VkiCtl* ctl, int flag);
VKE_API int VkeCtlGetDataFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlSetErrorFlag(VkiCtl* ctl, int flag);
VKE_API int VkeCtlGetErrorFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlSetModifiedFlag(VkiCtl* ctl, int flag);
VKE_API int VkeCtlGetModifiedFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlSetSelectedFlag(VkiCtl* ctl, int flag);
VKE_API int VkeCtlGetSelectedFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlSetErrorCode(VkiCtl* ctl, int code);
VKE_API int VkeCtlGetErrorCode(VkiCtl* ctl, int* out);
// The validation code a text would get as this control's value; nothing is stored.
VKE_API int VkeCtlChkDtv(VkiCtl* ctl, const char* value, int* code);
// The read and write steps alone, without the parent's messages.
VKE_API int VkeCtlSetDtiFromWnd(VkiCtl* ctl);
VKE_API int VkeCtlSetWndFromDti(VkiCtl* ctl);
// The font and colour dialogs of a font (EditType 20) / colour (21) push button; 2 (untraced)
// when cancelled; a new choice becomes the value as an edit step.
VKE_API int VkeCtlChooseFont(VkiCtl* ctl, int vertical);
VKE_API int VkeCtlChooseColor(VkiCtl* ctl);

// Edit commands (VkeCtlEdt). Keys in a control send them to its parent as WM_COMMAND
// (ID_EDIT_UNDO, _REDO, _CUT, _COPY, _PASTE, _CLEAR; lParam the control's window); the parent's
// handlers call these. They work on the selection of a focused edit or combo box with an edit
// part, else on the whole value; text goes through the clipboard; a paste keeps to the input
// limit without half a character. -12 (untraced) when the command is not available now.
VKE_API int VkeCtlGetEditFlag(VkiCtl* ctl, EditFlag* flags);
VKE_API int VkeCtlGetEditUndFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlGetEditRdoFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlGetEditCutFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlGetEditCpyFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlGetEditPstFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlGetEditCleFlag(VkiCtl* ctl, int* out);
VKE_API int VkeCtlEditUnd(VkiCtl* ctl);
VKE_API int VkeCtlEditRdo(VkiCtl* ctl);
VKE_API int VkeCtlEditCut(VkiCtl* ctl);
VKE_API int VkeCtlEditCpy(VkiCtl* ctl);
VKE_API int VkeCtlEditPst(VkiCtl* ctl);
VKE_API int VkeCtlEditCle(VkiCtl* ctl);

// ==== End: data-bound controls ====

// ==== Dialog object (VkeDlgBsc) ====

// A dialog object adopts a dialog window ("#32770") and gives it the engine's ways: Return moves
// the focus like Tab (WM_NEXTDLGCTL; Shift+Return goes back, Ctrl+Return presses the focused
// button), OK and Cancel may be ignored, engine controls answer their own colour requests, the
// dialog's own (CTLCOLOR_DLG) asks VkeWmCtlColor of the dialog's window first (wParam the DC,
// lParam the dialog), and the right button opens a popup menu owned by the dialog. An adopted
// dialog passes OK and Cancel on to its own procedure instead of ending.

// Parameters of a dialog object; VkeDlgCheckParam names the first bad field (1 the record, 2 the
// version, then these fields from 3 on).
struct VkeDlgParam {
    double dExecVersion;  // 1.0
    COLORREF uTextColor;  // COLOR_BTNTEXT
    COLORREF uBackColor;  // COLOR_BTNFACE
    HMENU hMenu;          // 0; a menu must have a submenu at position 0
    int iIgnOKC;          // 0; 1: OK and Cancel are ignored
    int iRetToTab;        // 1: Return moves the focus like Tab
};

// Dialog property ids besides 1-3.
enum {
    VKE_DLG_PROP_WND = 4,        // HWND (get)
    VKE_DLG_PROP_LOGFONT = 5,    // LOGFONTA
    VKE_DLG_PROP_FONT_NAME = 6,  // char[1024] (get)
    VKE_DLG_PROP_FONT_SIZE = 7,  // int points (get)
    VKE_DLG_PROP_TEXT_COLOR = 8, // COLORREF
    VKE_DLG_PROP_BACK_COLOR = 9, // COLORREF
    VKE_DLG_PROP_MENU = 10,      // HMENU
    VKE_DLG_PROP_IGN_OKC = 11,   // int 0/1
    VKE_DLG_PROP_RET_TO_TAB = 12 // int 0/1
};

// Binds a new object to an initialised system object.
VKE_API int VkeDlgAlloc(VkiSys* sys, VkiDlg** out);
// Destroys a window the object still owns first; a null object is 0.
VKE_API int VkeDlgFree(VkiDlg** out);
// Adopts a window of the class "#32770" exactly (-9 any other, -7 when the object has one).
VKE_API int VkeDlgSubclassWindow(VkiDlg* dlg, HWND wnd);
// Gives the window back, after putting back a procedure swapped in front of the object's.
VKE_API int VkeDlgUnsubclassWindow(VkiDlg* dlg, HWND* out);
VKE_API int VkeDlgSetWindowProc(VkiDlg* dlg, WNDPROC proc, WNDPROC* previous);
VKE_API int VkeDlgResetWindowProc(VkiDlg* dlg);
VKE_API int VkeDlgInitParam(VkiDlg* dlg, VkeDlgParam* param);
VKE_API int VkeDlgCheckParam(VkiDlg* dlg, VkeDlgParam* param, int* field, int* messageNo);
// Needs a window. The font is the dialog's own (WM_GETFONT), else messages 49 and 50.
VKE_API int VkeDlgInit(VkiDlg* dlg, VkeDlgParam* param, int* field, int* messageNo);
// Deletes the object's font (the dialog gets its own back) and brush. WM_DESTROY terminates too.
VKE_API int VkeDlgTerm(VkiDlg* dlg);
VKE_API int VkeDlgSetProperty(VkiDlg* dlg, int id, void* value);
VKE_API int VkeDlgGetProperty(VkiDlg* dlg, int id, void* out);
VKE_API int VkeDlgGetName(VkiDlg* dlg, char* buffer, int size);
VKE_API int VkeDlgGetVersion(VkiDlg* dlg, double* out);
VKE_API int VkeDlgSetExecVersion(VkiDlg* dlg, double version);
VKE_API int VkeDlgGetExecVersion(VkiDlg* dlg, double* out);
VKE_API int VkeDlgGetDlgHandle(VkiDlg* dlg, HWND* out);
// The dialog window's font; its children keep theirs.
VKE_API int VkeDlgSetFont(VkiDlg* dlg, const char* face, int size);
VKE_API int VkeDlgSetFontByLogFont(VkiDlg* dlg, const LOGFONTA* font);
VKE_API int VkeDlgGetFontName(VkiDlg* dlg, char* buffer, int size);
VKE_API int VkeDlgGetFontSize(VkiDlg* dlg, int* out);
VKE_API int VkeDlgGetLogFont(VkiDlg* dlg, LOGFONTA* out);
VKE_API int VkeDlgGetFontHandle(VkiDlg* dlg, HFONT* out);
VKE_API int VkeDlgSetTextColor(VkiDlg* dlg, COLORREF color);
VKE_API int VkeDlgGetTextColor(VkiDlg* dlg, COLORREF* out);
VKE_API int VkeDlgSetBackColor(VkiDlg* dlg, COLORREF color);
VKE_API int VkeDlgGetBackColor(VkiDlg* dlg, COLORREF* out);
VKE_API int VkeDlgGetBackBrushHandle(VkiDlg* dlg, HBRUSH* out);
// Null clears; a menu needs a submenu 0. The menu stays the caller's.
VKE_API int VkeDlgSetMenuHandle(VkiDlg* dlg, HMENU menu);
VKE_API int VkeDlgGetMenuHandle(VkiDlg* dlg, HMENU* out);
VKE_API int VkeDlgSetIgnOKCFlag(VkiDlg* dlg, int flag);
VKE_API int VkeDlgGetIgnOKCFlag(VkiDlg* dlg, int* out);
VKE_API int VkeDlgSetRetToTabFlag(VkiDlg* dlg, int flag);
VKE_API int VkeDlgGetRetToTabFlag(VkiDlg* dlg, int* out);
VKE_API int VkeDlgRedraw(VkiDlg* dlg, int erase);
VKE_API int VkeDlgSetFocusDlg(VkiDlg* dlg);
// 1 when the focus is on the dialog window itself.
VKE_API int VkeDlgIsFocus(VkiDlg* dlg, int* out);
// Reads every engine control among the dialog's children, in Z order, into its value; *out the
// first whose value is in error (null when none); the result the first failure. No focus moves.
VKE_API int VkeDlgChkDataValue(VkiDlg* dlg, VkiCtl** out);

// ==== End: dialog object ====

// ==== Tab control (VkeTabBsc, VkeTabOpr) ====

// Parameters of a tab control.
struct VkeTabParam {
    double dExecVersion;  // 1.0
    COLORREF uTextColor;  // the system colour COLOR_BTNTEXT
    COLORREF uBackColor;  // the system colour COLOR_BTNFACE
    HMENU hMenu;          // null, or a menu whose submenu 0 is the tab context menu
    int iFixedPage;       // 0; 1: tabs stand in page-number order and cannot be moved
    int iCtlLock;         // 0; 1: pages may be locked and unlocked
};

// The record of one page, owned by the control; callers get copies.
struct Tbi {
    int iPageNo;   // the caller's number for the page, unique among the open pages
    HWND hChdWnd;  // the page window, on at most one tab
    int iLocked;   // 1: not closed unless forced, drawn in swapped colours
};

// lParam of VkeWmSetLocked (wParam the VkiTab*). A parent that makes the change itself sets
// iHandled to 1 and answers non-zero; the control then leaves the flag as it is.
struct VkeTabLockReq {
    int iIndex;
    int iFlag;
    int iHandled; // 0 when sent
};

// lParam of VkeWmMovePage (wParam the VkiTab*), sent after a page moved; the answer is ignored.
struct VkeTabMoveInf {
    int iFrom;
    int iTo;
};

// Tab-control property ids besides 1-3.
enum {
    VKE_TAB_PROP_WND = 4,        // HWND (get)
    VKE_TAB_PROP_LOGFONT = 5,    // LOGFONTA (get, set)
    VKE_TAB_PROP_FONT_NAME = 6,  // char[1024] (get)
    VKE_TAB_PROP_FONT_SIZE = 7,  // int points (get)
    VKE_TAB_PROP_TEXT_COLOR = 8, // COLORREF (get, set)
    VKE_TAB_PROP_BACK_COLOR = 9, // COLORREF (get, set)
    VKE_TAB_PROP_MENU = 10,      // HMENU (get, set)
    VKE_TAB_PROP_FIXED_PAGE = 11,// int 0/1 (get)
    VKE_TAB_PROP_CTL_LOCK = 12   // int 0/1 (get, set)
};

// The parent hears of every selection change as WM_NOTIFY (wParam the control id, lParam an
// NMHDR {tab window, id, code}): TCN_SELCHANGING before (a non-zero answer refuses where the
// operation allows it) and TCN_SELCHANGE after. WM_MOUSEWHEEL goes to the parent first; a
// non-zero answer takes it over. Positions are 0-based; bad positions, flags and null out-values
// give -9. Before VkeTabInit every export answers -6 except Alloc to Init, GetName, GetVersion,
// GetTabHandle and ClosePageAll.

// Binds a new object to an initialised system object (its utility and draw objects).
VKE_API int VkeTabAlloc(VkiSys* sys, VkiTab** out);
// Destroys the object's window first; a null object is 0.
VKE_API int VkeTabFree(VkiTab** out);
// The window: WS_CHILD, WS_VISIBLE, WS_CLIPSIBLINGS, WS_CLIPCHILDREN, WS_TABSTOP, extended tab style 4.
VKE_API int VkeTabCreate(VkiTab* tab, int x, int y, int width, int height, HWND parent, UINT id);
VKE_API int VkeTabCreateByRect(VkiTab* tab, const RECT* rect, HWND parent, UINT id);
// Of style only WS_VISIBLE, WS_DISABLED, the scroll bars, WS_GROUP, WS_TABSTOP and the low 16 bits
// count; tabExStyle is added to the control's extended styles.
VKE_API int VkeTabCreateEx(VkiTab* tab, DWORD style, DWORD tabExStyle, int x, int y, int width, int height,
                           HWND parent, UINT id);
VKE_API int VkeTabCreateExByRect(VkiTab* tab, DWORD style, DWORD tabExStyle, const RECT* rect, HWND parent,
                                 UINT id);
VKE_API int VkeTabDestroy(VkiTab* tab);
// Adopts a "SysTabControl32" window made elsewhere (-9 any other class, -8 when it cannot be bound).
VKE_API int VkeTabSubclassWindow(VkiTab* tab, HWND wnd);
VKE_API int VkeTabSubclassDlgItem(VkiTab* tab, HWND dialog, int id);
// Gives the window back (an initialised object is terminated first: its tabs go, the pages stay).
VKE_API int VkeTabUnsubclassWindow(VkiTab* tab, HWND* out);
// Puts proc in front of the window's procedure; *old the one replaced. The first one replaced
// comes back with VkeTabResetWindowProc and when the window is destroyed.
VKE_API int VkeTabSetWindowProc(VkiTab* tab, WNDPROC proc, WNDPROC* old);
VKE_API int VkeTabResetWindowProc(VkiTab* tab);
VKE_API int VkeTabInitParam(VkiTab* tab, VkeTabParam* param);
VKE_API int VkeTabCheckParam(VkiTab* tab, VkeTabParam* param, int* field, int* messageNo);
// The font is the parent's (WM_GETFONT), else messages 49 and 50 (face, points); -7 when
// initialised already or without a window.
VKE_API int VkeTabInit(VkiTab* tab, VkeTabParam* param, int* field, int* messageNo);
// Frees every page record and removes the tabs; sends nothing and leaves the page windows.
VKE_API int VkeTabTerm(VkiTab* tab);
VKE_API int VkeTabSetProperty(VkiTab* tab, int id, void* value);
VKE_API int VkeTabGetProperty(VkiTab* tab, int id, void* out);
VKE_API int VkeTabGetName(VkiTab* tab, char* buffer, int size);
VKE_API int VkeTabGetVersion(VkiTab* tab, double* out);
VKE_API int VkeTabSetExecVersion(VkiTab* tab, double version);
VKE_API int VkeTabGetExecVersion(VkiTab* tab, double* out);
VKE_API int VkeTabGetTabHandle(VkiTab* tab, HWND* out);
VKE_API int VkeTabSetFont(VkiTab* tab, const char* face, int size);
// Height 0 takes the made font's character height (stored negative). The tabs become
// |height| + 14 pixels high and the pages are fitted again.
VKE_API int VkeTabSetFontByLogFont(VkiTab* tab, const LOGFONTA* font);
VKE_API int VkeTabGetFontName(VkiTab* tab, char* buffer, int size);
VKE_API int VkeTabGetFontSize(VkiTab* tab, int* out);
VKE_API int VkeTabGetLogFont(VkiTab* tab, LOGFONTA* out);
// The font belongs to the control.
VKE_API int VkeTabGetFontHandle(VkiTab* tab, HFONT* out);
VKE_API int VkeTabSetTextColor(VkiTab* tab, COLORREF color);
VKE_API int VkeTabSetBackColor(VkiTab* tab, COLORREF color);
VKE_API int VkeTabGetTextColor(VkiTab* tab, COLORREF* out);
VKE_API int VkeTabGetBackColor(VkiTab* tab, COLORREF* out);
// Null clears; a menu needs a submenu 0. The menu stays the caller's.
VKE_API int VkeTabSetMenuHandle(VkiTab* tab, HMENU menu);
VKE_API int VkeTabGetMenuHandle(VkiTab* tab, HMENU* out);
VKE_API int VkeTabGetFixedPageFlag(VkiTab* tab, int* out);
VKE_API int VkeTabGetCtlLockFlag(VkiTab* tab, int* out);
// 0 while on unlocks every page first (stopping at the first failure, the flag then stays on).
VKE_API int VkeTabSetCtlLockFlag(VkiTab* tab, int flag);
VKE_API int VkeTabRedraw(VkiTab* tab, int erase);
VKE_API int VkeTabSetFocusTab(VkiTab* tab);
VKE_API int VkeTabIsFocus(VkiTab* tab, int* out);

// Pages (VkeTabOpr).
// rect in the parent's client coordinates (empty -9); nothing happens during a print preview.
VKE_API int VkeTabMove(VkiTab* tab, const RECT* rect);
// The first visible, enabled control of the selected page, else the tab window, gets the focus.
VKE_API int VkeTabSetFocusPage(VkiTab* tab);
// index -1: at the end (ignored with FixedPage, where page numbers order the tabs). The child
// becomes a child of the tab window, visible only when no page is selected yet; the selection
// stays. The same child under the same number again is 0; either one on another tab is -9.
VKE_API int VkeTabOpenPage(VkiTab* tab, int index, int pageNo, HWND child, int locked, const char* title);
// 1 (untraced) when the page is locked and force is 0. The child window is not destroyed.
VKE_API int VkeTabClosePage(VkiTab* tab, int index, int force);
// From the highest position down; the first failure, else 1 when a locked page stayed, else 0.
VKE_API int VkeTabClosePageAll(VkiTab* tab, int force);
VKE_API int VkeTabClosePagePrevAll(VkiTab* tab, int index, int force);
VKE_API int VkeTabClosePageNextAll(VkiTab* tab, int index, int force);
VKE_API int VkeTabClosePageOtherAll(VkiTab* tab, int index, int force);
// to -1: the last position. -7 with FixedPage. The moved page is selected, then the parent
// gets VkeWmMovePage.
VKE_API int VkeTabMovePage(VkiTab* tab, int from, int to);
// Selects the page; the selected one is raised and repainted again without notices.
VKE_API int VkeTabShowPage(VkiTab* tab, int index);
// 0 also when nothing changes (no pages, already there); 1 when the parent refuses.
VKE_API int VkeTabShowFirstPage(VkiTab* tab);
VKE_API int VkeTabShowLastPage(VkiTab* tab);
// The page before / after index; past an end the other end with wrap 1, else nothing (0).
VKE_API int VkeTabShowPrevPage(VkiTab* tab, int index, int wrap);
VKE_API int VkeTabShowNextPage(VkiTab* tab, int index, int wrap);
// -12 (untraced) and -1 when no page holds it.
VKE_API int VkeTabSchPageByChdHdl(VkiTab* tab, HWND child, int* out);
VKE_API int VkeTabSchPageByPageNo(VkiTab* tab, int pageNo, int* out);
VKE_API int VkeTabGetPageCnt(VkiTab* tab, int* out);
// The tab last right-clicked while a menu is set; -1 none (every page change clears it).
VKE_API int VkeTabGetRbcIdx(VkiTab* tab, int* out);
VKE_API int VkeTabGetCurSel(VkiTab* tab, int* out);
// -12 (untraced) and 0 when there is no right-clicked page.
VKE_API int VkeTabGetRbcChdHdl(VkiTab* tab, HWND* out);
VKE_API int VkeTabGetRbcPageNo(VkiTab* tab, int* out);
VKE_API int VkeTabGetTbi(VkiTab* tab, int index, Tbi* out);
VKE_API int VkeTabGetTbiByChdHdl(VkiTab* tab, HWND child, Tbi* out);
VKE_API int VkeTabGetTbiByPageNo(VkiTab* tab, int pageNo, Tbi* out);
VKE_API int VkeTabGetChdHdl(VkiTab* tab, int index, HWND* out);
VKE_API int VkeTabGetPageNo(VkiTab* tab, int index, int* out);
// -12 (untraced) and 0 when no page is selected.
VKE_API int VkeTabGetCurChdHdl(VkiTab* tab, HWND* out);
VKE_API int VkeTabGetCurPageNo(VkiTab* tab, int* out);
// Send TCN_SELCHANGING / complete the change (raise, show and focus the selected page) and send
// TCN_SELCHANGE, in the record hdr; *reply the parent's answer (0 for the change).
VKE_API int VkeTabSelChanging(VkiTab* tab, NMHDR* hdr, LRESULT* reply);
VKE_API int VkeTabSelChange(VkiTab* tab, NMHDR* hdr, LRESULT* reply);
// index -1: none. 1 (untraced) when the parent refuses.
VKE_API int VkeTabSetCurSel(VkiTab* tab, int index);
// -7 without CtlLock. The parent gets VkeWmSetLocked first and may take the change over.
VKE_API int VkeTabSetLockedFlag(VkiTab* tab, int index, int flag);
VKE_API int VkeTabGetLockedFlag(VkiTab* tab, int index, int* out);
VKE_API int VkeTabSetTitle(VkiTab* tab, int index, const char* title);
// Cut to size on a character boundary (-13).
VKE_API int VkeTabGetTitle(VkiTab* tab, int index, char* buffer, int size);

// ==== End: tab control ====

// ==== Library application object ====

// Pre-translates a message for the library's windows; non-zero: handled, do not dispatch.
VKE_API BOOL VkeEngPreTranslateMessage(MSG* msg);
// Runs the library's idle work with counts 0, 1, 2, ... while it asks for more; returns 0.
VKE_API int VkeEngOnIdle(void);

// ==== End: library application object ====
