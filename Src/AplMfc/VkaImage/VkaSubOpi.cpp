// The open-information file: its header and rows, reading it into pages and writing the pages
// into it with a backup.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildViw"
#include "VkaSubOpi.h"
#include "CmnHold.h"
#include "CmnImg.h"
#include "DlgImg.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorViw.h"
#include <errno.h>
#include <limits.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <utility>

namespace VkaSubOpi {

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

bool IsFlag(int value) { return value == 0 || value == 1; }

bool IsQuiet(int rc) { return rc == VKE_OK || rc == VKE_NOT_DONE || rc == VKE_STOPPED || rc == VKE_ERR_MSGFILE; }

int Fail(const char* name, int rc)
{
    CMN_TRACE(name, rc);
    return rc;
}

// A value outside lo..hi reads as fallback.
struct Rule {
    int lo, hi, fallback;
};

// The rules of the columns 1 to 20 (index: column - 1). The path (1) and the rotation (3) have
// their own; the frame's size is at least 1, margins and frame refuse negative values.
const Rule kRules[ColCnt] = {
    {0, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 1, 0}, {0, 1, 0},                         // path .. flips
    {1, 3, 3}, {0, 1, 0}, {0, 1, 1}, {0, 1, 1}, {1, INT_MAX, 1},                   // mode .. width
    {1, INT_MAX, 1}, {1, 4, 3}, {0, INT_MAX, 0}, {0, INT_MAX, 0}, {0, INT_MAX, 0}, // height .. margin
    {0, INT_MAX, 0}, {0, INT_MAX, 0}, {0, INT_MAX, 0}, {0, INT_MAX, 0}, {0, INT_MAX, 0}};

// Column indexes of the margins and the frame that version 1.0 swaps (top and right each).
const int kSwapped[][2] = {{13, 14}, {17, 18}};

bool IsVersion10(double version) { return version == Version10; }

// The record's integers in the columns of a version (index: column - 1; the path and the
// rotation are not among them). The columns titled "左右反転" and "上下反転" hold the top-bottom
// and the left-right flag: crosswise to their titles, as files written before hold them.
void ToCols(const Opi& o, double version, long v[ColCnt])
{
    const RECT& m = o.rctMargin;
    const RECT& f = o.rctFrm;
    const long cols[ColCnt] = {0,         o.bLock,   0,         o.bFlpTb,  o.bFlpLr,  o.iFrmMode,     o.bShwFrm,
                               o.bPagSet, o.bHrzSca, o.iWidth,  o.iHeight, o.iOrientation, m.left,  m.top,
                               m.right,   m.bottom,  f.left,    f.top,     f.right,   f.bottom};
    memcpy(v, cols, sizeof(cols));
    if (IsVersion10(version))
        for (const auto& s : kSwapped) std::swap(v[s[0]], v[s[1]]);
}

void FromCols(long v[ColCnt], double version, Opi* o)
{
    if (IsVersion10(version))
        for (const auto& s : kSwapped) std::swap(v[s[0]], v[s[1]]);
    o->bLock = v[1];
    o->bFlpTb = v[3];
    o->bFlpLr = v[4];
    o->iFrmMode = v[5];
    o->bShwFrm = v[6];
    o->bPagSet = v[7];
    o->bHrzSca = v[8];
    o->iWidth = v[9];
    o->iHeight = v[10];
    o->iOrientation = v[11];
    o->rctMargin = RECT{v[12], v[13], v[14], v[15]};
    o->rctFrm = RECT{v[16], v[17], v[18], v[19]};
}

// A whole number of a column; "" reads as 0. False for anything else (letters, a fraction, a
// number past the range of an int).
bool ReadInt(const char* field, long* out)
{
    char* end = nullptr;
    errno = 0;
    const long value = strtol(field, &end, 10);
    if (*field && (end == field || *end || errno == ERANGE || value < INT_MIN || value > INT_MAX)) return false;
    *out = value;
    return true;
}

// The rotation: a finite number; "" reads as 0.
bool ReadDouble(const char* field, double* out)
{
    char* end = nullptr;
    errno = 0;
    const double value = strtod(field, &end);
    if (*field && (end == field || *end || errno == ERANGE || !isfinite(value))) return false;
    *out = value;
    return true;
}

// Reads a file's lines. A line ends at LF (a CR before it is dropped); one longer than LineMax
// bytes, or holding a zero byte, is read to its end and comes back marked bad.
class LineReader {
public:
    explicit LineReader(FILE* f) : m_f(f) {}
    // False at the end of the file.
    bool Next(bool* bad)
    {
        int n = 0, c = EOF;
        bool zero = false;
        // Room for a whole line and its CR; the count stops one past it.
        while ((c = getc(m_f)) != EOF && c != '\n') {
            zero = zero || c == 0;
            if (n <= LineMax) m_line[n] = static_cast<char>(c);
            if (n <= LineMax + 1) ++n;
        }
        if (n > 0 && n <= LineMax + 1 && m_line[n - 1] == '\r') --n;
        *bad = zero || n > LineMax;
        m_line[*bad ? 0 : n] = '\0';
        return n > 0 || c == '\n';
    }
    // The line, trimmed in place.
    char* Trimmed()
    {
        VkeSubTrimStr(Sub(), m_line);
        return m_line;
    }

private:
    FILE* m_f;
    char m_line[LineMax + 2] = {};
};

// The version of the file's first non-empty line; 0 when it has none.
double ReadFileVersion(const char* path)
{
    CmnFile file(path, "rb");
    if (!file) return 0;
    LineReader lines(file.Get());
    bool bad = false;
    double version = 0;
    while (lines.Next(&bad)) {
        const char* line = lines.Trimmed();
        if (bad || *line) {
            if (!bad) ReadVersion(line, &version);
            break;
        }
    }
    return version;
}

// One record of the family, made and freed with the scope.
class OpiRec {
public:
    OpiRec() { m_rc = theVkaSubDat.AllocDat(VkaCodOpi, reinterpret_cast<Dat**>(&m_p)); }
    ~OpiRec() { theVkaSubDat.FreeDat(VkaCodOpi, reinterpret_cast<Dat**>(&m_p)); }
    OpiRec(const OpiRec&) = delete;
    OpiRec& operator=(const OpiRec&) = delete;
    int Result() const { return m_rc; }
    // The record back at its defaults.
    int Clear()
    {
        int rc = theVkaSubDat.TermDat(VkaCodOpi, m_p);
        return rc == VKE_OK ? theVkaSubDat.InitDat(VkaCodOpi, m_p) : rc;
    }
    Opi* Get() const { return m_p; }

private:
    Opi* m_p = nullptr;
    int m_rc;
};

CString TextOf(AppMem* text)
{
    char buffer[CmnPathSize] = {};
    VkeSubGetAppMemStr(Sub(), text, buffer, sizeof(buffer));
    return buffer;
}

// ---- Reading ----

// Opens the row's image and applies the row to its page. 0 also for a row left out (not locked
// while only locked ones are wanted, no such file, declined); 3 or an error stop the reading.
int OpenRow(HalcorViw& view, HalcorApp& app, Opi* opi, int onlyLocked, int openLocked)
{
    if (onlyLocked == 1 && opi->bLock != 1) return VKE_OK;
    char full[CmnPathSize] = {};
    int normal = 0;
    if (theCmnSub.IsNormalFile(TextOf(&opi->amPath), full, sizeof(full), &normal) != VKE_OK || !normal) return VKE_OK;
    // Not quietly: a page that shows the file already is reloaded only when the user says so, so
    // the row never turns a page twice.
    int rc = app.OpenFile(full, 0, openLocked == 1 && opi->bLock == 1 ? 1 : 0, 0);
    if (rc == VKE_NOT_DONE) return VKE_OK;
    if (rc != VKE_OK) return rc;
    int index = -1;
    rc = view.SchPageByPth(full, &index);
    DlgImg* page = rc == VKE_OK ? view.GetImgPage(index) : nullptr;
    if (!page) return rc == VKE_OK || rc == VKE_ERR_NOT_FOUND ? VKE_ERR_SYSTEM : rc;
    return page->GetOpi(opi);
}

// The file of the row after the one read now, named to the image service as the batch's next
// (its decode can run while this row's page is set up); the file is read on from where it is.
void NameNextRow(FILE* f, double version, int onlyLocked)
{
    const long at = ftell(f);
    LineReader lines(f);
    OpiRec opi;
    bool bad = false;
    const char* line = "";
    while (lines.Next(&bad) && !bad && !*(line = lines.Trimmed())) {
    }
    bool named = opi.Result() == VKE_OK && !bad && *line && strncmp(line, "//", 2) != 0 &&
                 ReadRow(line, version, opi.Get()) == VKE_OK && (onlyLocked != 1 || opi.Get()->bLock == 1);
    theCmnImg.SetNextOpenImage(named ? static_cast<const char*>(TextOf(&opi.Get()->amPath)) : nullptr);
    if (at >= 0) fseek(f, at, SEEK_SET);
}

// The header, then the rows until one stops the reading. -11 stays the result while nothing
// else happens: a line left out, or a row opened with a value that was no number.
int ReadRows(HalcorViw& view, HalcorApp& app, FILE* f, int onlyLocked, int openLocked)
{
    OpiRec opi;
    if (opi.Result() != VKE_OK) return opi.Result();
    LineReader lines(f);
    bool bad = false, header = true, odd = false;
    double version = 0;
    int result = VKE_OK;
    while (lines.Next(&bad)) {
        const char* line = lines.Trimmed();
        if (!bad && !*line) continue;
        int rc = VKE_OK;
        if (header) {
            header = false;
            rc = bad ? VKE_ERR_MSGFILE : ReadVersion(line, &version);
        } else if (bad) {
            rc = VKE_ERR_MSGFILE;
        } else if (strncmp(line, "//", 2) != 0) {
            rc = opi.Clear();
            if (rc == VKE_OK) rc = ReadRow(line, version, opi.Get(), &odd);
            if (rc == VKE_OK) NameNextRow(f, version, onlyLocked);
            if (rc == VKE_OK) rc = OpenRow(view, app, opi.Get(), onlyLocked, openLocked);
            if (rc == VKE_OK && odd) rc = VKE_ERR_MSGFILE;
        }
        if (rc == VKE_OK) continue;
        if (rc != VKE_ERR_MSGFILE || result == VKE_OK) result = rc;
        if (rc != VKE_ERR_MSGFILE) break;
    }
    return result;
}

// ---- Writing ----

int Put(FILE* f, const CString& text)
{
    const size_t n = static_cast<size_t>(text.GetLength());
    return fwrite(static_cast<const char*>(text), 1, n, f) == n ? VKE_OK : VKE_ERR_FILE;
}

// The rows of the pages, in the version's column order.
int MakeRows(HalcorViw& view, double version, int onlyLocked, int withSelImg, CString* rows)
{
    OpiRec opi;
    int count = 0;
    int rc = opi.Result();
    if (rc == VKE_OK) rc = view.GetPageCnt(&count);
    DlgImg* selImg = view.GetPageSelImg();
    for (int i = 0; rc == VKE_OK && i < count; ++i) {
        DlgImg* page = view.GetImgPage(i);
        // A page without a file could never be opened again.
        if (!page || !page->IsNamed() || (page == selImg && withSelImg != 1)) continue;
        int locked = 1;
        if (onlyLocked == 1) rc = view.GetLockedFlag(i, &locked);
        if (rc != VKE_OK || locked != 1) continue;
        CString line;
        rc = opi.Clear();
        if (rc == VKE_OK) rc = page->SetOpi(opi.Get());
        if (rc == VKE_OK) rc = WriteRow(opi.Get(), version, &line);
        *rows += line;
    }
    return rc;
}

// "<folder>\<base name>.bak" of a full path.
int GetBackupPath(const char* full, char* out, int size)
{
    char dir[CmnPathSize] = {}, base[CmnPathSize] = {};
    int rc = VkeSubGetDirPath(Sub(), dir, full, sizeof(dir));
    if (rc == VKE_OK) rc = VkeSubGetBaseFileName(Sub(), base, full, sizeof(base));
    if (rc != VKE_OK) return rc;
    int n = snprintf(out, static_cast<size_t>(size), "%s\\%s.bak", dir, base);
    return n > 0 && n < size ? VKE_OK : VKE_ERR_CUT;
}

// Whether an existing file may be written: not read-only, and it opens for writing.
bool CanWrite(const char* path, DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_READONLY) return false;
    HANDLE h = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
    return true;
}

// Cuts a file back to a length.
bool CutBack(const char* path, LONGLONG length)
{
    HANDLE h = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER at;
    at.QuadPart = length;
    bool ok = ::SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && ::SetEndOfFile(h);
    ::CloseHandle(h);
    return ok;
}

// The target of a write as it was before the call.
struct Target {
    char path[CmnPathSize];
    char backup[CmnPathSize];
    bool exists;
    LONGLONG size;
    bool appending; // to an existing non-empty file
    bool moved;     // the old file went to the backup
};

// The old backup goes; the file is copied there when rows are added to it, else moved there.
int MakeBackup(Target& t)
{
    int rc = GetBackupPath(t.path, t.backup, sizeof(t.backup));
    if (rc != VKE_OK) return rc;
    if (!::DeleteFileA(t.backup) && ::GetLastError() != ERROR_FILE_NOT_FOUND) return VKE_ERR_FILE;
    if (!t.exists) return VKE_OK;
    if (t.appending) return ::CopyFileA(t.path, t.backup, TRUE) ? VKE_OK : VKE_ERR_FILE;
    t.moved = ::MoveFileA(t.path, t.backup) != FALSE;
    return t.moved ? VKE_OK : VKE_ERR_FILE;
}

// After a failed write the file is as it was: rows added are cut off again, a file this call
// made or emptied is deleted, and one moved to the backup comes back. A file not opened (1) had
// nothing written.
void Restore(const Target& t, int rc)
{
    bool restored = rc == VKE_NOT_DONE;
    if (!restored && t.appending) restored = CutBack(t.path, t.size);
    else if (!restored) ::DeleteFileA(t.path);
    if (t.moved || (!restored && t.appending && t.backup[0])) ::CopyFileA(t.backup, t.path, FALSE);
}

} // namespace

// ---- The format ----

CString GetHeader()
{
    CString middle;
    middle.Format(theCmnSub.GetMsgStr(IDS_VKA_OPI_HEADER_2), Version);
    return theCmnSub.GetMsgStr(IDS_VKA_OPI_HEADER_1) + middle + theCmnSub.GetMsgStr(IDS_VKA_OPI_HEADER_3) + "\r\n";
}

int ReadVersion(const char* line, double* version)
{
    if (!line || !version) return VKE_ERR_ARG;
    *version = 0;
    if (strncmp(line, "//", 2) != 0) return VKE_ERR_MSGFILE;
    char first[LineMax + 1] = {};
    int next = 0;
    if (VkeSubCsvGetFld(Sub(), line, ",", first, sizeof(first), 1, &next) != VKE_OK) return VKE_ERR_MSGFILE;
    VkeSubTrimStr(Sub(), first);
    const int prefix = theCmnSub.GetMsgStr(IDS_VKA_OPI_HEADER_1).GetLength();
    if (static_cast<int>(strlen(first)) <= prefix) return VKE_ERR_MSGFILE;
    char* end = nullptr;
    double value = strtod(first + prefix, &end);
    if (end != first + prefix && isfinite(value)) *version = value;
    return VKE_OK;
}

int ReadRow(const char* line, double version, Opi* opi, bool* bad)
{
    if (bad) *bad = false;
    if (!line || !opi) return VKE_ERR_ARG;
    long v[ColCnt];
    ToCols(*opi, version, v);
    double rotate = opi->dRotate;
    char field[LineMax + 1] = {}, path[LineMax + 1] = {};
    const int len = static_cast<int>(strlen(line));
    bool odd = false;
    for (int col = 0, pos = 1; col < ColCnt && pos <= len; ++col) {
        int next = len + 1;
        if (VkeSubCsvGetFld(Sub(), line, ",", field, sizeof(field), pos, &next) != VKE_OK) return VKE_ERR_MSGFILE;
        VkeSubTrimStr(Sub(), field);
        // A value that is no number reads as one out of range: the column's own value.
        bool number = true;
        if (col == 0) memcpy(path, field, sizeof(path));
        else if (col == 2 && !(number = ReadDouble(field, &rotate))) rotate = 0;
        else if (col != 2 && !(number = ReadInt(field, &v[col]))) v[col] = kRules[col].fallback;
        odd = odd || !number;
        pos = next;
    }
    if (!path[0]) return VKE_ERR_MSGFILE;
    for (int col = 1; col < ColCnt; ++col)
        if (v[col] < kRules[col].lo || v[col] > kRules[col].hi) v[col] = kRules[col].fallback;
    if (rotate != 90 && rotate != 180 && rotate != 270) rotate = 0;
    FromCols(v, version, opi);
    opi->dRotate = rotate;
    // A frame narrower or lower than a pixel is none.
    RECT& frm = opi->rctFrm;
    if (frm.right - frm.left < 1 || frm.bottom - frm.top < 1) {
        frm = RECT{0, 0, 0, 0};
        opi->bShwFrm = 0;
    }
    if (bad) *bad = odd;
    return VkeSubSetAppMemStr(Sub(), &opi->amPath, path);
}

int WriteRow(Opi* opi, double version, CString* line)
{
    if (!opi || !line) return VKE_ERR_ARG;
    char text[LineMax + 1] = {};
    int rc = VkeSubCsvSetFld(Sub(), text, ",", TextOf(&opi->amPath), sizeof(text), 1, 0);
    if (rc != VKE_OK) return rc;
    long v[ColCnt];
    ToCols(*opi, version, v);
    CString row(text), value;
    for (int col = 1; col < ColCnt; ++col) {
        if (col == 2) value.Format(",%lf", opi->dRotate);
        else value.Format(",%ld", v[col]);
        row += value;
    }
    *line = row + "\r\n";
    return VKE_OK;
}

CString GetExitPath()
{
    CString path(theCmnAppInf.amWrkDir);
    return path + "\\Pictavo.csv";
}

// ---- Reading and writing ----

int ReadOpenInfo(HalcorViw& view, const char* path, int remember, int onlyLocked, int openLocked)
{
    HalcorApp* app = HalcorGetApp();
    if (!path || !IsFlag(remember) || !IsFlag(onlyLocked) || !IsFlag(openLocked))
        return Fail("ReadOpenInfo", VKE_ERR_ARG);
    if (!app) return Fail("ReadOpenInfo", VKE_ERR_SYSTEM);
    if (remember == 1) VkeSubSetAppMemStr(Sub(), &theAppInf.ooi.amOpiPathName, path);
    char full[CmnPathSize] = {};
    int normal = 0;
    if (!*path || theCmnSub.IsNormalFile(path, full, sizeof(full), &normal) != VKE_OK || !normal) return VKE_NOT_DONE;
    // Brackets never nest: while one runs nothing is read, and the file is not said to be bad
    // (the progress dialog's busy message says why, while it shows).
    if (app->IsOpening()) {
        app->IsOpeningBusy();
        return VKE_STOPPED;
    }

    int result = app->BeginOpenFile();
    if (result == VKE_OK) {
        CmnFile file(full, "rb");
        if (file) {
            // Pages opened meanwhile take their settings from the rows alone.
            int reading = 0;
            app->GetFlgOpnInf(&reading);
            app->SetFlgOpnInf(1);
            result = ReadRows(view, *app, file.Get(), onlyLocked, openLocked);
            app->SetFlgOpnInf(reading);
        } else {
            result = VKE_NOT_DONE;
        }
    }
    // A malformed row is no failure of the opening; the user is told once that the file held
    // lines it could not use, after the opening's progress has gone.
    int end = app->EndOpenFile(result == VKE_ERR_MSGFILE ? VKE_OK : result);
    if (end != VKE_OK && IsQuiet(result)) result = end;
    if (result == VKE_ERR_MSGFILE) HalcorApp::MsgPath(IDS_VKA_OPI_BAD_ROWS, full, MB_OK | MB_ICONEXCLAMATION);
    if (!IsQuiet(result)) CMN_TRACE("ReadOpenInfo", result);
    return result;
}

int WriteOpenInfo(HalcorViw& view, const char* path, int remember, int onlyLocked, int append, int withSelImg,
                  int backup)
{
    if (!path || !*path || !IsFlag(remember) || !IsFlag(onlyLocked) || !IsFlag(append) || !IsFlag(withSelImg) ||
        !IsFlag(backup))
        return Fail("WriteOpenInfo", VKE_ERR_ARG);
    if (remember == 1) VkeSubSetAppMemStr(Sub(), &theAppInf.ooi.amOpiPathName, path);
    Target t = {};
    int rc = VkeSubGetPathName(Sub(), t.path, path, sizeof(t.path));
    if (rc != VKE_OK) return Fail("WriteOpenInfo", rc);
    // A folder, a read-only file or one that another program holds stays as it is.
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    t.exists = ::GetFileAttributesExA(t.path, GetFileExInfoStandard, &data) != FALSE;
    if (t.exists && ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !CanWrite(t.path, data.dwFileAttributes)))
        return VKE_NOT_DONE;
    t.size = t.exists ? (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow : 0;
    t.appending = append == 1 && t.size > 0;
    // The rows first: a page that cannot give its row leaves the file and its backup alone.
    const double version = t.appending ? ReadFileVersion(t.path) : Version;
    CString rows;
    rc = MakeRows(view, version, onlyLocked, withSelImg, &rows);
    if (rc == VKE_OK && backup == 1) rc = MakeBackup(t);
    if (rc != VKE_OK) return Fail("WriteOpenInfo", rc);

    CmnFile file(t.path, t.appending ? "ab" : "wb");
    if (!file) rc = VKE_NOT_DONE;
    if (rc == VKE_OK) rc = Put(file.Get(), t.appending ? rows : GetHeader() + rows);
    if (!file.Close() && rc == VKE_OK) rc = VKE_ERR_FILE;
    if (rc == VKE_OK) return rc;
    Restore(t, rc);
    return rc == VKE_NOT_DONE ? rc : Fail("WriteOpenInfo", rc);
}

int CopyPageSettings(DlgImg& from, DlgImg& to)
{
    OpiRec opi;
    int rc = opi.Result();
    if (rc == VKE_OK) rc = from.SetOpi(opi.Get());
    if (rc == VKE_OK) rc = to.GetOpi(opi.Get());
    return rc == VKE_OK ? rc : Fail("CopyPageSettings", rc);
}

} // namespace VkaSubOpi
