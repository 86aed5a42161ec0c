// Strings, keywords and CSV fields on Shift-JIS byte strings.
// Every walk goes character by character from a character start, so a trail byte 0x5C or 0x7C
// is never taken for a separator. Everything a result depends on is read before the first byte
// is written, or copied first, so a destination may overlap its source.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubStr"
#include "VkiSub.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <string.h>

namespace {

int Len(const char* text) { return static_cast<int>(strlen(text)); }

bool IsFirstByte(const char* text, int pos) { return VkiChkChr(text, pos) == 1; }
bool IsSecondByte(const char* text, int pos) { return VkiChkChr(text, pos) == 2; }

// 1 when either result is 1, -13 when either is -13 (which wins), else 0.
int Worse(int a, int b)
{
    if (a == VKE_ERR_CUT || b == VKE_ERR_CUT) return VKE_ERR_CUT;
    return (a == VKE_NOT_DONE || b == VKE_NOT_DONE) ? VKE_NOT_DONE : VKE_OK;
}

// Moves a range off half characters: a start on a second byte moves on by one, an end on a
// first byte is left out. 1 when the range changed.
int FitRange(const char* text, int* start, int* count)
{
    int rc = VKE_OK;
    if (*count > 0 && IsSecondByte(text, *start)) {
        ++*start;
        --*count;
        rc = VKE_NOT_DONE;
    }
    if (*count > 0 && IsFirstByte(text, *start + *count - 1)) {
        --*count;
        rc = VKE_NOT_DONE;
    }
    return rc;
}

// Bytes of text that fit room, on a character boundary; *rc = -13 when that is not all of it.
// len may be a bounded length: text must hold a byte (or its terminator) after len.
int FitPiece(const char* text, int len, int room, int* rc)
{
    if (len <= room) return len;
    *rc = VKE_ERR_CUT;
    return VkiFitLen(text, len, room);
}

// Copies up to count bytes of src (never past its terminator) into dest without terminating
// it, at most room bytes and never half a character. 0, 1 (the count ended on a first byte,
// which is left out) or -13 (cut to room).
int CopyMem(char* dest, const char* src, int count, int room, int* copied)
{
    int n = VkiStrLen(src, count);
    int rc = VKE_OK;
    if (n > 0 && IsFirstByte(src, n)) {
        --n;
        rc = VKE_NOT_DONE;
    }
    n = FitPiece(src, n, room, &rc);
    memmove(dest, src, static_cast<size_t>(n));
    *copied = n;
    return rc;
}

// The range of src into dest of destSize bytes, terminated; arguments already checked.
int Mid(char* dest, const char* src, int start, int count, int destSize)
{
    if (count == 0) {
        dest[0] = 0;
        return VKE_OK;
    }
    int rc = FitRange(src, &start, &count);
    int copied = 0;
    if (count > 0) rc = Worse(rc, CopyMem(dest, src + start - 1, count, destSize - 1, &copied));
    dest[copied] = 0;
    return rc;
}

// Puts n bytes at pos of buf (length len); the tail moves right. piece must not lie in buf.
void Place(char* buf, int len, int pos, const char* piece, int n)
{
    memmove(buf + pos - 1 + n, buf + pos - 1, static_cast<size_t>(len - pos + 2));
    memcpy(buf + pos - 1, piece, static_cast<size_t>(n));
}

// Removes count bytes at pos of buf (length len), terminator kept.
void Remove(char* buf, int len, int pos, int count)
{
    memmove(buf + pos - 1, buf + pos - 1 + count, static_cast<size_t>(len - pos - count + 2));
}

// Deletes a range of buf by the rules of DelStr; arguments already checked.
int Delete(char* buf, int len, char* deleted, int pos, int count, int deletedSize, int* atPos, int* deletedCount)
{
    int rc = count > 0 ? FitRange(buf, &pos, &count) : VKE_OK;
    if (deleted && count > 0) {
        VkiWorkCopy piece; // deleted may lie in buf: copy the range before the tail moves
        const char* p = piece.Copy(buf + pos - 1, count);
        if (!p) return VKE_ERR_MEMORY;
        Remove(buf, len, pos, count);
        rc = Worse(rc, VkiCopyStr(deleted, p, deletedSize));
    } else {
        if (deleted) deleted[0] = 0;
        if (count > 0) Remove(buf, len, pos, count);
    }
    *atPos = pos;
    *deletedCount = count;
    return rc;
}

// Length of buf when it is a text of bufSize bytes; -1 when its terminator lies past the size.
int BufLen(const char* buf, int bufSize)
{
    int len = VkiStrLen(buf, bufSize);
    return len < bufSize ? len : -1;
}

// Replaces count bytes at pos of buf by the text repl (not in buf), by the rules of UpdStr;
// arguments already checked (1 <= pos <= len + 1, range inside the text).
int Update(char* buf, int len, const char* repl, char* deleted, char* insertedCopy, int pos, int count, int bufSize,
           int deletedSize, int insertedSize, int* atPos, int* deletedCount, int* inserted)
{
    int rc = VKE_OK;
    int dcnt = 0;
    if (pos <= len) {
        rc = Delete(buf, len, deleted, pos, count, deletedSize, &pos, &dcnt);
        if (rc == VKE_ERR_MEMORY) return rc;
    } else if (deleted) {
        deleted[0] = 0;
    }
    // With nothing deleted a position on a second byte moves past its character. After a
    // deletion the position is a character start of the text as it was, and stays there even
    // when a lone first byte before it now meets the tail.
    if (dcnt == 0 && pos <= len && IsSecondByte(buf, pos)) {
        ++pos;
        rc = Worse(rc, VKE_NOT_DONE);
    }
    len -= dcnt;
    int replLen = Len(repl);
    int n = FitPiece(repl, replLen, bufSize - len - 1, &rc);
    Place(buf, len, pos, repl, n);
    if (insertedCopy) {
        int copied = 0;
        rc = Worse(rc, CopyMem(insertedCopy, repl, n, insertedSize - 1, &copied));
        insertedCopy[copied] = 0;
    }
    *atPos = pos;
    *deletedCount = dcnt;
    *inserted = n;
    return rc;
}

bool BadMode(int mode) { return mode != VKE_FIND_EXACT && mode != VKE_FIND_NOCASE; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0x1A; }

// ---- Matching ----

// Bytes of text that pattern matches at its start (a character start), 0 when it does not.
// The steps take their width from the text; a pattern may end on the first byte of a text
// character, which then counts whole.
int MatchAt(const VkiSub* sub, const char* t, const char* p, int mode)
{
    int i = 0, j = 0;
    while (p[j]) {
        if (!t[i]) return 0;
        int w = VkiChrLen(t + i);
        if (mode == VKE_FIND_EXACT) {
            for (int k = 0; k < w && p[j]; ++k, ++j)
                if (t[i + k] != p[j]) return 0;
        } else {
            // Equal codes mean equal widths: a double-byte code is never a single byte's.
            if (sub->LowerCode(t + i) != sub->LowerCode(p + j)) return 0;
            j += w;
        }
        i += w;
    }
    return i;
}

// First match at or after start (1..length, moved past a second byte); its position and the
// bytes it covers, or false.
bool FindFrom(const VkiSub* sub, const char* text, const char* pattern, int mode, int start, int* found,
                     int* matched)
{
    int i = start - 1;
    if (IsSecondByte(text, start)) ++i;
    while (text[i]) {
        int m = MatchAt(sub, text + i, pattern, mode);
        if (m > 0) {
            *found = i + 1;
            *matched = m;
            return true;
        }
        i += VkiChrLen(text + i);
    }
    return false;
}

// The last of the non-overlapping matches from position 1 whose last byte lies at or before end.
bool FindBefore(const VkiSub* sub, const char* text, const char* pattern, int mode, int end, int* found,
                       int* matched)
{
    int len = Len(text);
    bool any = false;
    int pos = 1, f = 0, m = 0;
    while (pos <= len && FindFrom(sub, text, pattern, mode, pos, &f, &m) && f + m - 1 <= end) {
        *found = f;
        *matched = m;
        any = true;
        pos = f + m;
    }
    return any;
}

// The checks every search shares; the position must lie inside the text.
bool BadSearch(const char* text, const char* pattern, int mode, int pos)
{
    return !text || !pattern || BadMode(mode) || !pattern[0] || pos < 1 || pos > Len(text);
}

} // namespace

// ---- Copies and pieces ----

int VkiSub::CopyStrMem(char* dest, const char* src, int srcCount, int destRoom, int* copied)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src || !copied || srcCount < 0 || destRoom < 0) return VKE_ERR_ARG;
    return CopyMem(dest, src, srcCount, destRoom, copied);
}

int VkiSub::GetStrLen(const char* text, int* length)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text || !length) return VKE_ERR_ARG;
    *length = Len(text);
    return VKE_OK;
}

int VkiSub::CmpStr(const char* a, const char* b, int* order)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!a || !b || !order) return VKE_ERR_ARG;
    int c = strcmp(a, b);
    *order = c < 0 ? -1 : (c > 0 ? 1 : 0);
    return VKE_OK;
}

int VkiSub::CopyStr(char* dest, const char* src, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCopyStr(dest, src, size);
}

int VkiSub::ConcatStr(char* dest, const char* src, int destSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src || destSize < 1) return VKE_ERR_ARG;
    // Only the first destSize + 1 bytes of the joined text decide the result.
    int dLen = VkiStrLen(dest, destSize);
    int sLen = VkiStrLen(src, destSize - dLen + 1);
    VkiWorkCopy work;
    char* joined = work.Room(dLen + sLen + 1);
    if (!joined) return VKE_ERR_MEMORY;
    memcpy(joined, dest, static_cast<size_t>(dLen));
    memcpy(joined + dLen, src, static_cast<size_t>(sLen));
    joined[dLen + sLen] = 0;
    return VkiCopyStr(dest, joined, destSize);
}

int VkiSub::MidStr(char* dest, const char* src, int start, int count, int destSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src || destSize < 1 || count < 0) return VKE_ERR_ARG;
    int len = Len(src);
    if (start < 1 || start > len || count > len - start + 1) return VKE_ERR_ARG;
    return Mid(dest, src, start, count, destSize);
}

int VkiSub::LeftStr(char* dest, const char* src, int count, int destSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src || destSize < 1 || count < 0 || count > Len(src)) return VKE_ERR_ARG;
    return Mid(dest, src, 1, count, destSize);
}

int VkiSub::RightStr(char* dest, const char* src, int count, int destSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src || destSize < 1 || count < 0) return VKE_ERR_ARG;
    int len = Len(src);
    if (count > len) return VKE_ERR_ARG;
    return Mid(dest, src, len - count + 1, count, destSize);
}

// ---- Insert, delete, update ----

int VkiSub::InsStr(char* buf, const char* ins, int pos, int bufSize, int* atPos, int* inserted)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!buf || !ins || !atPos || !inserted || pos < 1 || bufSize < 1) return VKE_ERR_ARG;
    int len = BufLen(buf, bufSize);
    if (len < 0 || pos > len + 1) return VKE_ERR_ARG;
    if (!ins[0]) {
        *atPos = pos;
        *inserted = 0;
        return VKE_OK;
    }
    int rc = VKE_OK;
    if (pos <= len && IsSecondByte(buf, pos)) {
        ++pos;
        rc = VKE_NOT_DONE;
    }
    int room = bufSize - len - 1;
    int n = FitPiece(ins, VkiStrLen(ins, room + 1), room, &rc);
    VkiWorkCopy work; // ins may lie in buf
    const char* piece = work.Copy(ins, n);
    if (!piece) {
        *atPos = *inserted = 0;
        return VKE_ERR_MEMORY;
    }
    Place(buf, len, pos, piece, n);
    *atPos = pos;
    *inserted = n;
    return rc;
}

int VkiSub::DelStr(char* buf, char* deleted, int pos, int count, int deletedSize, int* atPos, int* deletedCount)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!buf || !atPos || !deletedCount || count < 0 || (deleted && deletedSize < 1)) return VKE_ERR_ARG;
    int len = Len(buf);
    if (pos < 1 || pos > len || count > len - pos + 1) return VKE_ERR_ARG;
    int rc = Delete(buf, len, deleted, pos, count, deletedSize, atPos, deletedCount);
    if (rc == VKE_ERR_MEMORY) *atPos = *deletedCount = 0;
    return rc;
}

int VkiSub::UpdStr(char* buf, const char* newText, char* deleted, char* insertedCopy, int pos, int count,
                   int bufSize, int deletedSize, int insertedSize, int* atPos, int* deletedCount, int* inserted)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!buf || !newText || !atPos || !deletedCount || !inserted) return VKE_ERR_ARG;
    if (pos < 1 || count < 0 || bufSize < 1) return VKE_ERR_ARG;
    if ((deleted && deletedSize < 1) || (insertedCopy && insertedSize < 1)) return VKE_ERR_ARG;
    int len = BufLen(buf, bufSize);
    if (len < 0 || pos > len + 1 || (pos <= len && count > len - pos + 1)) return VKE_ERR_ARG;
    // No more than bufSize - 1 bytes can go in; one more decides a cut.
    VkiWorkCopy work;
    const char* repl = work.Copy(newText, VkiStrLen(newText, bufSize));
    int rc = repl ? Update(buf, len, repl, deleted, insertedCopy, pos, count, bufSize, deletedSize, insertedSize,
                           atPos, deletedCount, inserted)
                  : VKE_ERR_MEMORY;
    if (rc == VKE_ERR_MEMORY) *atPos = *deletedCount = *inserted = 0;
    return rc;
}

int VkiSub::InsStrUINT(char* buf, UINT code, int pos, int bufSize, int* atPos, int* inserted)
{
    char ch[3];
    int rc = UINTToStr(ch, code);
    return rc != VKE_OK ? rc : InsStr(buf, ch, pos, bufSize, atPos, inserted);
}

int VkiSub::UpdStrUINT(char* buf, UINT code, char* deleted, char* insertedCopy, int pos, int count, int bufSize,
                       int deletedSize, int insertedSize, int* atPos, int* deletedCount, int* inserted)
{
    char ch[3];
    int rc = UINTToStr(ch, code);
    if (rc != VKE_OK) return rc;
    return UpdStr(buf, ch, deleted, insertedCopy, pos, count, bufSize, deletedSize, insertedSize, atPos,
                  deletedCount, inserted);
}

// ---- Trimming ----

int VkiSub::TrimStr(char* buf)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!buf) return VKE_ERR_ARG;
    // No blank is ever a second byte, so bytes can be tested one by one.
    int n = Len(buf);
    while (n > 0 && IsBlank(buf[n - 1])) buf[--n] = 0;
    int s = 0;
    while (s < n && IsBlank(buf[s])) ++s;
    memmove(buf, buf + s, static_cast<size_t>(n - s) + 1);
    return VKE_OK;
}

// Leading zeros go up to the first digit 1-9 or the point, so "0.05" keeps its value as ".05";
// a zero that is the last byte stays ("000" gives "0"). Digits and the point are never second bytes.
int VkiSub::TrimStrLeftZero(char* buf)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!buf) return VKE_ERR_ARG;
    bool dropping = true;
    int out = 0;
    for (int i = 0; buf[i]; ++i) {
        char c = buf[i];
        if (dropping) {
            if ((c >= '1' && c <= '9') || c == '.')
                dropping = false;
            else if (c == '0' && buf[i + 1])
                continue;
        }
        buf[out++] = c;
    }
    buf[out] = 0;
    return VKE_OK;
}

int VkiSub::TrimStrRightZero(char* buf)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!buf) return VKE_ERR_ARG;
    char* point = strchr(buf, '.');
    if (!point || Len(point + 1) < 2) return VKE_OK;
    char* end = point + 1 + Len(point + 1);
    while (end - 1 > point + 1 && end[-1] == '0') *--end = 0;
    return VKE_OK;
}

// ---- Find and change ----

int VkiSub::FindStr(const char* text, const char* pattern, int mode, int start, int* foundPos)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!foundPos || BadSearch(text, pattern, mode, start)) return VKE_ERR_ARG;
    int found = 0, matched = 0;
    bool hit = FindFrom(this, text, pattern, mode, start, &found, &matched);
    *foundPos = hit ? found : 0;
    return hit ? VKE_OK : VKE_ERR_NOT_FOUND;
}

int VkiSub::FindStrRev(const char* text, const char* pattern, int mode, int end, int* foundPos)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!foundPos || BadSearch(text, pattern, mode, end)) return VKE_ERR_ARG;
    int found = 0, matched = 0;
    bool hit = FindBefore(this, text, pattern, mode, end, &found, &matched);
    *foundPos = hit ? found : 0;
    return hit ? VKE_OK : VKE_ERR_NOT_FOUND;
}

int VkiSub::GetFindStrCnt(const char* text, const char* pattern, int mode, int start, int* count)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!count || BadSearch(text, pattern, mode, start)) return VKE_ERR_ARG;
    int len = Len(text);
    int n = 0, found = 0, matched = 0;
    for (int pos = start; pos <= len && FindFrom(this, text, pattern, mode, pos, &found, &matched);
         pos = found + matched)
        ++n;
    *count = n;
    return VKE_OK;
}

namespace {

// One replacement of ChangeStr and its relatives: the match at found (of the pattern's length)
// gives way to repl (a text not in buf). A pattern that ends on the first byte of a character
// of buf cannot be replaced whole: -9, nothing changed.
int ReplaceMatch(char* buf, int len, int found, int patLen, const char* repl, int bufSize, int* atPos, int* deleted,
                 int* inserted)
{
    if (IsFirstByte(buf, found + patLen - 1)) return VKE_ERR_ARG;
    return Update(buf, len, repl, nullptr, nullptr, found, patLen, bufSize, 0, 0, atPos, deleted, inserted);
}

void SetOutputs(int* a, int* b, int* c, int value)
{
    *a = *b = *c = value;
}

// The checks the change family shares; *len the length of buf.
int CheckChange(char* buf, const char* pattern, const char* replacement, int mode, int bufSize, int* len)
{
    if (!buf || !pattern || !replacement || BadMode(mode) || !pattern[0] || bufSize < 1) return VKE_ERR_ARG;
    *len = BufLen(buf, bufSize);
    return *len < 0 ? VKE_ERR_ARG : VKE_OK;
}

} // namespace

int VkiSub::ChangeStr(char* buf, const char* pattern, const char* replacement, int mode, int start, int bufSize,
                      int* atPos, int* deleted, int* inserted)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int len = 0;
    if (!atPos || !deleted || !inserted || CheckChange(buf, pattern, replacement, mode, bufSize, &len) != VKE_OK ||
        start < 1 || start > len)
        return VKE_ERR_ARG;
    int found = 0, matched = 0;
    if (!FindFrom(this, buf, pattern, mode, start, &found, &matched)) {
        SetOutputs(atPos, deleted, inserted, 0);
        return VKE_ERR_NOT_FOUND;
    }
    VkiWorkCopy work; // the replacement may lie in buf
    const char* repl = work.Copy(replacement, VkiStrLen(replacement, bufSize));
    if (!repl) {
        SetOutputs(atPos, deleted, inserted, 0);
        return VKE_ERR_MEMORY;
    }
    return ReplaceMatch(buf, len, found, Len(pattern), repl, bufSize, atPos, deleted, inserted);
}

int VkiSub::ChangeStrRev(char* buf, const char* pattern, const char* replacement, int mode, int end, int bufSize,
                         int* atPos, int* deleted, int* inserted)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int len = 0;
    if (!atPos || !deleted || !inserted || CheckChange(buf, pattern, replacement, mode, bufSize, &len) != VKE_OK ||
        end < 1 || end > len)
        return VKE_ERR_ARG;
    int found = 0, matched = 0;
    if (!FindBefore(this, buf, pattern, mode, end, &found, &matched)) {
        SetOutputs(atPos, deleted, inserted, 0);
        return VKE_ERR_NOT_FOUND;
    }
    VkiWorkCopy work;
    const char* repl = work.Copy(replacement, VkiStrLen(replacement, bufSize));
    if (!repl) {
        SetOutputs(atPos, deleted, inserted, 0);
        return VKE_ERR_MEMORY;
    }
    return ReplaceMatch(buf, len, found, Len(pattern), repl, bufSize, atPos, deleted, inserted);
}

// Replaces every match from pos on, or (reverse) every match that ends at or before pos.
int VkiSub::ChangeAll(bool reverse, char* buf, const char* pattern, const char* replacement, int mode, int pos,
                      int bufSize, int* lastPos, int* lastDeleted, int* lastInserted, int* replaced)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int len = 0;
    if (!lastPos || !lastDeleted || !lastInserted || !replaced ||
        CheckChange(buf, pattern, replacement, mode, bufSize, &len) != VKE_OK)
        return VKE_ERR_ARG;
    if (len > 0 && (pos < 1 || pos > len)) return VKE_ERR_ARG;
    SetOutputs(lastPos, lastDeleted, lastInserted, 0);
    *replaced = 0;
    if (len == 0) return VKE_OK;
    // Pattern and replacement may lie in buf, which changes under them.
    VkiWorkCopy patWork, replWork;
    const char* pat = patWork.Copy(pattern);
    const char* repl = replWork.Copy(replacement, VkiStrLen(replacement, bufSize));
    if (!pat || !repl) return VKE_ERR_MEMORY;
    int patLen = Len(pat);
    int rc = VKE_OK, found = 0, matched = 0;
    while (reverse ? (pos >= 1 && FindBefore(this, buf, pat, mode, pos, &found, &matched))
                   : (pos <= len && FindFrom(this, buf, pat, mode, pos, &found, &matched))) {
        int at = 0, del = 0, ins = 0;
        rc = ReplaceMatch(buf, len, found, patLen, repl, bufSize, &at, &del, &ins);
        if (rc == VKE_ERR_ARG) break;
        ++*replaced;
        *lastPos = at;
        *lastDeleted = del;
        *lastInserted = ins;
        if (rc != VKE_OK) break;
        len += ins - del;
        // The replacement itself is never searched again.
        pos = reverse ? at - 1 : at + ins;
    }
    return rc;
}

int VkiSub::ChangeStrAll(char* buf, const char* pattern, const char* replacement, int mode, int start, int bufSize,
                         int* lastPos, int* lastDeleted, int* lastInserted, int* replaced)
{
    return ChangeAll(false, buf, pattern, replacement, mode, start, bufSize, lastPos, lastDeleted, lastInserted,
                     replaced);
}

int VkiSub::ChangeStrRevAll(char* buf, const char* pattern, const char* replacement, int mode, int end, int bufSize,
                            int* lastPos, int* lastDeleted, int* lastInserted, int* replaced)
{
    return ChangeAll(true, buf, pattern, replacement, mode, end, bufSize, lastPos, lastDeleted, lastInserted,
                     replaced);
}

int VkiSub::DeleteStr(char* buf, const char* pattern, int mode)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!buf || !pattern) return VKE_ERR_ARG;
    int len = Len(buf);
    if (len == 0) return VKE_OK;
    // The text's own size: deleting never needs more room.
    int at = 0, del = 0, ins = 0, replaced = 0;
    return ChangeStrAll(buf, pattern, "", mode, 1, len + 1, &at, &del, &ins, &replaced);
}

// ---- Keywords ----

int VkiSub::KwdGetLft(const char* text, const char* keyword, char* dest, int destSize, int start, int* foundPos)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !foundPos || destSize < 1 || BadSearch(text, keyword, VKE_FIND_EXACT, start)) return VKE_ERR_ARG;
    int found = 0, matched = 0;
    if (!FindFrom(this, text, keyword, VKE_FIND_EXACT, start, &found, &matched)) {
        dest[0] = 0;
        *foundPos = 0;
        return VKE_ERR_NOT_FOUND;
    }
    int rc = Mid(dest, text, 1, found - 1, destSize);
    *foundPos = found;
    return rc;
}

int VkiSub::KwdGetRgt(const char* text, const char* keyword, char* dest, int destSize, int start, int* foundPos)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !foundPos || destSize < 1 || BadSearch(text, keyword, VKE_FIND_EXACT, start)) return VKE_ERR_ARG;
    int found = 0, matched = 0;
    if (!FindFrom(this, text, keyword, VKE_FIND_EXACT, start, &found, &matched)) {
        dest[0] = 0;
        *foundPos = 0;
        return VKE_ERR_NOT_FOUND;
    }
    // After the bytes the keyword covered: never inside a character.
    int rc = VkiCopyStr(dest, text + found - 1 + matched, destSize);
    *foundPos = found;
    return rc;
}

int VkiSub::KwdGetLftMulti(const char* text, int destSize, va_list pairs)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text) return VKE_ERR_ARG;
    if (!text[0]) return VKE_ERR_NOT_FOUND;
    if (destSize < 1) return VKE_ERR_ARG;
    VkiWorkCopy work; // the destinations may lie in text
    const char* rest = work.Copy(text);
    if (!rest) return VKE_ERR_MEMORY;
    for (;;) {
        const char* keyword = va_arg(pairs, const char*);
        if (!keyword) return VKE_ERR_ARG; // the list ended without the empty keyword
        char* dest = va_arg(pairs, char*);
        if (!dest) return VKE_ERR_ARG;
        if (!keyword[0]) return VkiCopyStr(dest, rest, destSize);
        int found = 0, matched = 0;
        if (!rest[0] || !FindFrom(this, rest, keyword, VKE_FIND_EXACT, 1, &found, &matched)) {
            dest[0] = 0;
            return VKE_ERR_NOT_FOUND;
        }
        int rc = Mid(dest, rest, 1, found - 1, destSize);
        if (rc != VKE_OK) return rc;
        rest += found - 1 + matched;
    }
}

int VkiSub::SplitStr(const char* text, int destSize, ...)
{
    va_list pairs;
    va_start(pairs, destSize);
    int rc = KwdGetLftMulti(text, destSize, pairs);
    va_end(pairs);
    return rc;
}

// ---- CSV fields ----

int VkiSub::CsvSetFld(char* line, const char* separator, const char* field, int bufSize, int quote,
                      int addSeparator)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!line || !separator || !field || bufSize < 1) return VKE_ERR_ARG;
    if ((quote != 0 && quote != 1) || (addSeparator != 0 && addSeparator != 1)) return VKE_ERR_ARG;
    if (addSeparator && !separator[0]) return VKE_ERR_ARG;
    int len = BufLen(line, bufSize);
    if (len < 0) return VKE_ERR_ARG;
    int room = bufSize - len - 1;
    // The piece is built apart, so field and separator may lie in line.
    VkiWorkCopy work;
    char* out = work.Room(room + 1);
    if (!out) return VKE_ERR_MEMORY;
    int n = 0;
    auto put = [&](const char* bytes, int count) {
        if (count > room - n) return false;
        memcpy(out + n, bytes, static_cast<size_t>(count));
        n += count;
        return true;
    };
    bool whole = !quote || put("\"", 1);
    for (const char* p = field; whole && *p; p += VkiChrLen(p)) {
        whole = put(p, VkiChrLen(p));
        if (whole && *p == '"') whole = put("\"", 1);
    }
    if (whole && quote) whole = put("\"", 1);
    if (whole && addSeparator) whole = put(separator, VkiStrLen(separator, room - n + 1));
    memcpy(line + len, out, static_cast<size_t>(n));
    line[len + n] = 0;
    return whole ? VKE_OK : VKE_ERR_CUT;
}

int VkiSub::CsvGetFld(const char* line, const char* separator, char* field, int destSize, int start, int* next)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!line || !separator || !field || !next || destSize < 1 || !separator[0]) return VKE_ERR_ARG;
    int len = Len(line);
    if (start < 1 || start > len) return VKE_ERR_ARG;
    VkiWorkCopy work; // field may lie in line
    const char* w = work.Copy(line, len);
    if (!w) {
        *next = 0;
        return VKE_ERR_MEMORY;
    }
    size_t sepLen = strlen(separator);
    enum { AtStart, Unquoted, InQuotes } state = AtStart;
    int i = start - 1;
    if (IsSecondByte(w, start)) ++i;
    int n = 0;
    // Copies count bytes at from; false (the field ends cut at i) when they do not fit.
    auto take = [&](const char* from, int count) {
        if (n + count + 1 > destSize) return false;
        memcpy(field + n, from, static_cast<size_t>(count));
        n += count;
        return true;
    };
    bool whole = true;
    while (w[i]) {
        bool atSeparator = strncmp(w + i, separator, sepLen) == 0;
        if (atSeparator && state != InQuotes) {
            i += static_cast<int>(sepLen);
            break;
        }
        if (atSeparator) {
            if (!(whole = take(w + i, static_cast<int>(sepLen)))) break;
            i += static_cast<int>(sepLen);
        } else if (w[i] == '"' && state != AtStart && w[i + 1] == '"') {
            if (!(whole = take(w + i, 1))) break; // a doubled quote is one quote
            i += 2;
        } else if (w[i] == '"') {
            state = state == InQuotes ? AtStart : InQuotes;
            ++i;
        } else {
            int width = VkiChrLen(w + i);
            if (!(whole = take(w + i, width))) break;
            i += width;
            if (state == AtStart) state = Unquoted;
        }
    }
    field[n] = 0;
    *next = i + 1;
    return whole ? VKE_OK : VKE_ERR_CUT;
}

// ---- Exports ----

namespace {
// Ends a variable argument list on every path out of an export.
struct VaEnd {
    va_list& list;
    ~VaEnd() { va_end(list); }
};
} // namespace

VKE_API int VkeSubCopyStrMem(VkiSub* sub, char* dest, const char* src, int srcCount, int destRoom, int* copied)
{
    VKE_SUB_FRAME(sub, CopyStrMem(dest, src, srcCount, destRoom, copied));
}
VKE_API int VkeSubGetStrLen(VkiSub* sub, const char* text, int* length) { VKE_SUB_FRAME(sub, GetStrLen(text, length)); }
VKE_API int VkeSubCmpStr(VkiSub* sub, const char* a, const char* b, int* order) { VKE_SUB_FRAME(sub, CmpStr(a, b, order)); }
VKE_API int VkeSubCopyStr(VkiSub* sub, char* dest, const char* src, int size) { VKE_SUB_FRAME(sub, CopyStr(dest, src, size)); }
VKE_API int VkeSubConcatStr(VkiSub* sub, char* dest, const char* src, int destSize)
{
    VKE_SUB_FRAME(sub, ConcatStr(dest, src, destSize));
}
VKE_API int VkeSubMidStr(VkiSub* sub, char* dest, const char* src, int start, int count, int destSize)
{
    VKE_SUB_FRAME(sub, MidStr(dest, src, start, count, destSize));
}
VKE_API int VkeSubLeftStr(VkiSub* sub, char* dest, const char* src, int count, int destSize)
{
    VKE_SUB_FRAME(sub, LeftStr(dest, src, count, destSize));
}
VKE_API int VkeSubRightStr(VkiSub* sub, char* dest, const char* src, int count, int destSize)
{
    VKE_SUB_FRAME(sub, RightStr(dest, src, count, destSize));
}
VKE_API int VkeSubInsStr(VkiSub* sub, char* buf, const char* ins, int pos, int bufSize, int* atPos, int* inserted)
{
    VKE_SUB_FRAME(sub, InsStr(buf, ins, pos, bufSize, atPos, inserted));
}
VKE_API int VkeSubDelStr(VkiSub* sub, char* buf, char* deleted, int pos, int count, int deletedSize, int* atPos,
                         int* deletedCount)
{
    VKE_SUB_FRAME(sub, DelStr(buf, deleted, pos, count, deletedSize, atPos, deletedCount));
}
VKE_API int VkeSubUpdStr(VkiSub* sub, char* buf, const char* newText, char* deleted, char* insertedCopy, int pos,
                         int count, int bufSize, int deletedSize, int insertedSize, int* atPos, int* deletedCount,
                         int* inserted)
{
    VKE_SUB_FRAME(sub, UpdStr(buf, newText, deleted, insertedCopy, pos, count, bufSize, deletedSize, insertedSize,
                              atPos, deletedCount, inserted));
}
VKE_API int VkeSubInsStrUINT(VkiSub* sub, char* buf, UINT code, int pos, int bufSize, int* atPos, int* inserted)
{
    VKE_SUB_FRAME(sub, InsStrUINT(buf, code, pos, bufSize, atPos, inserted));
}
VKE_API int VkeSubUpdStrUINT(VkiSub* sub, char* buf, UINT code, char* deleted, char* insertedCopy, int pos,
                             int count, int bufSize, int deletedSize, int insertedSize, int* atPos,
                             int* deletedCount, int* inserted)
{
    VKE_SUB_FRAME(sub, UpdStrUINT(buf, code, deleted, insertedCopy, pos, count, bufSize, deletedSize, insertedSize,
                                  atPos, deletedCount, inserted));
}
VKE_API int VkeSubTrimStr(VkiSub* sub, char* buf) { VKE_SUB_FRAME(sub, TrimStr(buf)); }
VKE_API int VkeSubTrimStrLeftZero(VkiSub* sub, char* buf) { VKE_SUB_FRAME(sub, TrimStrLeftZero(buf)); }
VKE_API int VkeSubTrimStrRightZero(VkiSub* sub, char* buf) { VKE_SUB_FRAME(sub, TrimStrRightZero(buf)); }
VKE_API int VkeSubFindStr(VkiSub* sub, const char* text, const char* pattern, int mode, int start, int* foundPos)
{
    VKE_SUB_FRAME(sub, FindStr(text, pattern, mode, start, foundPos));
}
VKE_API int VkeSubFindStrRev(VkiSub* sub, const char* text, const char* pattern, int mode, int end, int* foundPos)
{
    VKE_SUB_FRAME(sub, FindStrRev(text, pattern, mode, end, foundPos));
}
VKE_API int VkeSubGetFindStrCnt(VkiSub* sub, const char* text, const char* pattern, int mode, int start, int* count)
{
    VKE_SUB_FRAME(sub, GetFindStrCnt(text, pattern, mode, start, count));
}
VKE_API int VkeSubChangeStr(VkiSub* sub, char* buf, const char* pattern, const char* replacement, int mode,
                            int start, int bufSize, int* atPos, int* deleted, int* inserted)
{
    VKE_SUB_FRAME(sub, ChangeStr(buf, pattern, replacement, mode, start, bufSize, atPos, deleted, inserted));
}
VKE_API int VkeSubChangeStrRev(VkiSub* sub, char* buf, const char* pattern, const char* replacement, int mode,
                               int end, int bufSize, int* atPos, int* deleted, int* inserted)
{
    VKE_SUB_FRAME(sub, ChangeStrRev(buf, pattern, replacement, mode, end, bufSize, atPos, deleted, inserted));
}
VKE_API int VkeSubChangeStrAll(VkiSub* sub, char* buf, const char* pattern, const char* replacement, int mode,
                               int start, int bufSize, int* lastPos, int* lastDeleted, int* lastInserted,
                               int* replaced)
{
    VKE_SUB_FRAME(sub, ChangeStrAll(buf, pattern, replacement, mode, start, bufSize, lastPos, lastDeleted,
                                    lastInserted, replaced));
}
VKE_API int VkeSubChangeStrRevAll(VkiSub* sub, char* buf, const char* pattern, const char* replacement, int mode,
                                  int end, int bufSize, int* lastPos, int* lastDeleted, int* lastInserted,
                                  int* replaced)
{
    VKE_SUB_FRAME(sub, ChangeStrRevAll(buf, pattern, replacement, mode, end, bufSize, lastPos, lastDeleted,
                                       lastInserted, replaced));
}
VKE_API int VkeSubDeleteStr(VkiSub* sub, char* buf, const char* pattern, int mode)
{
    VKE_SUB_FRAME(sub, DeleteStr(buf, pattern, mode));
}
VKE_API int VkeSubKwdGetLft(VkiSub* sub, const char* text, const char* keyword, char* dest, int destSize, int start,
                            int* foundPos)
{
    VKE_SUB_FRAME(sub, KwdGetLft(text, keyword, dest, destSize, start, foundPos));
}
VKE_API int VkeSubKwdGetRgt(VkiSub* sub, const char* text, const char* keyword, char* dest, int destSize, int start,
                            int* foundPos)
{
    VKE_SUB_FRAME(sub, KwdGetRgt(text, keyword, dest, destSize, start, foundPos));
}
VKE_API int VkeSubKwdGetLftMulti(VkiSub* sub, const char* text, int destSize, ...)
{
    va_list pairs;
    va_start(pairs, destSize);
    VaEnd end{pairs};
    VKE_SUB_FRAME(sub, KwdGetLftMulti(text, destSize, pairs));
}
VKE_API int VkeSubCsvSetFld(VkiSub* sub, char* line, const char* separator, const char* field, int bufSize, int quote,
                            int addSeparator)
{
    VKE_SUB_FRAME(sub, CsvSetFld(line, separator, field, bufSize, quote, addSeparator));
}
VKE_API int VkeSubCsvGetFld(VkiSub* sub, const char* line, const char* separator, char* field, int destSize,
                            int start, int* next)
{
    VKE_SUB_FRAME(sub, CsvGetFld(line, separator, field, destSize, start, next));
}
