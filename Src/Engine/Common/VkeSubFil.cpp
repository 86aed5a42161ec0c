// Paths, files and folders: one normalised form for every path, the parts of a path, existence
// and kind tests, unused temporary names, protected places, folder and file operations through the
// shell, and the key counter file shared between processes.
// Separators are found by walking characters, so a trail byte 0x5C is never taken for a backslash.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubFil"
#include "VkiSub.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <shellapi.h>
#include <shlobj.h>
#include <limits.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

namespace {

const int kWork = 1024;             // work area of one path
const int kTempTries = 100;         // candidates of an unused temporary name
const int kKeyTries = 100;          // opens of a key file held by someone else
const DWORD kKeyPause = 200;        // milliseconds between them
const FILEOP_FLAGS kSilentFlags = FOF_SILENT | FOF_RENAMEONCOLLISION | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR |
                                  FOF_NOERRORUI;

// 0-based position of the last character ch (a single byte at a character start); -1 when none.
int LastChr(const char* text, char ch)
{
    int last = -1;
    for (int i = 0; text[i]; i += VkiChrLen(text + i))
        if (text[i] == ch) last = i;
    return last;
}

void ToBackslash(char* text)
{
    for (int i = 0; text[i]; i += VkiChrLen(text + i))
        if (text[i] == '/') text[i] = '\\';
}

bool IsDriveText(const char* p) { return p[0] && p[1] == ':' && p[2] == '\0'; }
bool IsNetRoot(const char* p) { return strcmp(p, "\\\\") == 0; }

// One trailing backslash goes; the network root and a lone backslash (the current root) stay.
void DropTrailingSep(char* text)
{
    if (IsNetRoot(text)) return;
    int last = LastChr(text, '\\');
    if (last > 0 && text[last + 1] == '\0') text[last] = '\0';
}

// The tests below work on normalised paths.
bool ExistsNml(const char* p)
{
    if (IsDriveText(p)) {
        char root[4] = {p[0], ':', '\\', '\0'};
        UINT type = GetDriveTypeA(root);
        return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
    }
    return GetFileAttributesA(p) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirNml(const char* p)
{
    if (IsDriveText(p)) return false;
    DWORD attr = GetFileAttributesA(p);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsPlainFileNml(const char* p) { return !IsDriveText(p) && ExistsNml(p) && !IsDirNml(p); }

// Folder part of a normalised path into out (kWork bytes): -9 the network root, -12 no backslash.
int DirOf(char* out, const char* path)
{
    if (IsNetRoot(path)) return VKE_ERR_ARG;
    int last = LastChr(path, '\\');
    if (last < 0) return VKE_ERR_NOT_FOUND;
    if (last == 1 && path[0] == '\\') last = 2; // \\name: the folder is the network root
    memcpy(out, path, static_cast<size_t>(last));
    out[last] = '\0';
    return VKE_OK;
}

// File-name part of a normalised path: -12 for the network root or a path without a backslash.
int NameOf(const char** name, const char* path)
{
    int last = IsNetRoot(path) ? -1 : LastChr(path, '\\');
    if (last < 0) return VKE_ERR_NOT_FOUND;
    *name = path + last + 1;
    return VKE_OK;
}

// Joins folder and name into out (kWork bytes); a drive gets its backslash. -9 when too long.
int JoinPath(char* out, const char* dir, const char* name)
{
    int n = snprintf(out, kWork, "%s\\%s", dir, name);
    return (n < 0 || n > VKE_PATH_MAX) ? VKE_ERR_ARG : VKE_OK;
}

// The root of a drive as the shell and the disk queries want it: "C:\".
void DriveRoot(char* out, const char* drive) { snprintf(out, kWork, "%s\\", drive); }

// Long forms the platform gave a moment ago on this thread. Asked again, a long form comes back as
// it is unless the disk changed meanwhile; one open hands its path through a dozen path functions,
// and under Wine each question walks the path's folders (0.2 to 2 ms). So a full path equal to
// such an answer, byte for byte, is taken as it is for a short while. The engine's own shell
// operations forget them all.
struct LongForms {
    static const int kCount = 8;
    static const ULONGLONG kLife = 2000; // milliseconds
    ULONGLONG at[kCount];
    char path[kCount][VKE_PATH_MAX + 1];
    int next;
};
thread_local LongForms t_longForms;

bool IsKnownLong(const char* full)
{
    const LongForms& m = t_longForms;
    ULONGLONG now = GetTickCount64();
    for (int i = 0; i < LongForms::kCount; ++i)
        if (m.at[i] && now - m.at[i] < LongForms::kLife && strcmp(m.path[i], full) == 0) return true;
    return false;
}

void KeepLong(const char* path)
{
    LongForms& m = t_longForms;
    size_t n = strlen(path);
    if (n > VKE_PATH_MAX) return;
    memcpy(m.path[m.next], path, n + 1);
    m.at[m.next] = GetTickCount64();
    m.next = (m.next + 1) % LongForms::kCount;
}

void ForgetLongForms() { memset(t_longForms.at, 0, sizeof(t_longForms.at)); }

// The long form of an existing full path into out (kWork bytes): false when the platform gives
// none of 1..259 bytes.
bool LongForm(char* out, const char* full)
{
    if (IsKnownLong(full)) {
        memcpy(out, full, strlen(full) + 1);
        return true;
    }
    DWORD n = GetLongPathNameA(full, out, kWork);
    if (n == 0 || n > VKE_PATH_MAX) return false;
    KeepLong(out);
    return true;
}

// For a path that does not exist yet: its existing folder in long form, then the name as written.
void LongFolder(char* full)
{
    char dir[kWork], longDir[kWork], joined[kWork];
    const char* name = nullptr;
    if (DirOf(dir, full) != VKE_OK || NameOf(&name, full) != VKE_OK) return;
    if (IsDriveText(dir) || !ExistsNml(dir)) return;
    if (!LongForm(longDir, dir)) return;
    if (snprintf(joined, sizeof(joined), "%s\\%s", longDir, name) >= kWork) return;
    memcpy(full, joined, strlen(joined) + 1);
}

bool SameName(const char* a, const char* b)
{
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a, -1, b, -1) == CSTR_EQUAL;
}

// path is folder itself or lies inside it.
bool IsWithin(const char* path, const char* folder)
{
    size_t n = strlen(folder);
    if (strlen(path) < n) return false;
    if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path, static_cast<int>(n), folder,
                       static_cast<int>(n)) != CSTR_EQUAL)
        return false;
    return path[n] == '\0' || (path[n] == '\\' && VkiChkChr(path, static_cast<int>(n) + 1) == 0);
}

// A double-terminated list of paths for the shell's file operation.
class PathList {
public:
    ~PathList() { free(m_p); }
    bool Add(const char* path)
    {
        size_t n = strlen(path) + 1;
        if (m_len + n + 1 > m_cap) {
            size_t cap = (m_len + n + 1) * 2;
            char* p = static_cast<char*>(realloc(m_p, cap));
            if (!p) return false;
            m_p = p;
            m_cap = cap;
        }
        memcpy(m_p + m_len, path, n);
        m_len += n;
        m_p[m_len] = '\0';
        ++m_count;
        return true;
    }
    bool Contains(const char* path) const
    {
        for (size_t i = 0; i < m_len; i += strlen(m_p + i) + 1)
            if (SameName(m_p + i, path)) return true;
        return false;
    }
    const char* Get() const { return m_p ? m_p : "\0"; }
    int Count() const { return m_count; }

private:
    char* m_p = nullptr;
    size_t m_len = 0;
    size_t m_cap = 0;
    int m_count = 0;
};

// Target path for name in folder dir. With rename 1 a target that exists, or that an earlier
// item of the same request takes, gets the first free name "base (2).ext", "base (3).ext", ...
// The shell is meant to do this itself, but not every shell does, so the engine decides.
int PlanTarget(char* out, const char* dir, const char* name, bool isDir, bool rename, const PathList& planned)
{
    int rc = JoinPath(out, dir, name);
    if (rc != VKE_OK || !rename || (!ExistsNml(out) && !planned.Contains(out))) return rc;
    char base[kWork];
    memcpy(base, name, strlen(name) + 1);
    int dot = isDir ? -1 : LastChr(base, '.');
    const char* ext = "";
    if (dot > 0) {
        base[dot] = '\0';
        ext = name + dot;
    }
    for (int i = 2; i < 10000; ++i) {
        char candidate[kWork];
        int n = snprintf(candidate, sizeof(candidate), "%s (%d)%s", base, i, ext);
        if (n < 0 || n >= kWork) return VKE_ERR_ARG;
        rc = JoinPath(out, dir, candidate);
        if (rc != VKE_OK) return rc;
        if (!ExistsNml(out) && !planned.Contains(out)) return VKE_OK;
    }
    return VKE_ERR_FILE;
}

// One request of the shell's file operation: 0, 3 stopped by the user, -10 failed.
int RunShellOp(UINT op, const PathList& from, const PathList* to, FILEOP_FLAGS extra, int allowUndo, int silent,
               HWND owner)
{
    SHFILEOPSTRUCTA fo = {};
    fo.hwnd = owner;
    fo.wFunc = op;
    fo.pFrom = from.Get();
    fo.pTo = to ? to->Get() : nullptr;
    fo.fFlags = static_cast<FILEOP_FLAGS>(extra | (allowUndo ? FOF_ALLOWUNDO : 0) | (silent ? kSilentFlags : 0));
    int rc = SHFileOperationA(&fo);
    ForgetLongForms(); // a move may have given a name another letter case
    if (!silent && owner) {
        BringWindowToTop(owner);
        SetForegroundWindow(owner);
    }
    // A silent operation shows nothing the user could stop, so an abort there is a failure.
    if (fo.fAnyOperationsAborted) return silent ? VKE_ERR_FILE : VKE_STOPPED;
    return rc == 0 ? VKE_OK : VKE_ERR_FILE;
}

void Notify(LONG event, const char* path) { SHChangeNotify(event, SHCNF_PATHA, path, nullptr); }

bool IsFlag(int v) { return v == 0 || v == 1; }

bool IsComponent(const char* lower, const char* word, size_t len, bool lastOnly)
{
    size_t n = strlen(word);
    if (len != n || memcmp(lower, word, n) != 0) return false;
    return !lastOnly || lower[len] == '\0';
}

// A component of a lower-case path that names a place of the system's own.
bool HasSystemComponent(const char* lower)
{
    const char* start = lower;
    for (int i = 0;; i += VkiChrLen(lower + i)) {
        if (lower[i] == '\\' || lower[i] == '\0') {
            size_t len = static_cast<size_t>(lower + i - start);
            if (IsComponent(start, "windows", len, false) || IsComponent(start, "winnt", len, false) ||
                IsComponent(start, "system32", len, false) || IsComponent(start, "program files", len, true))
                return true;
            if (lower[i] == '\0') return false;
            start = lower + i + 1;
        }
    }
}

} // namespace

// ---- Normalisation and the parts of a path ----

int VkiSub::NormalisePath(char* out, const char* path)
{
    out[0] = '\0';
    if (!path[0]) return VKE_ERR_NOT_FOUND;
    VkiWorkCopy work;
    char* p = work.Copy(path);
    if (!p) return VKE_ERR_MEMORY;
    TrimStr(p);
    if (!p[0]) return VKE_ERR_NOT_FOUND;
    ToBackslash(p);
    DropTrailingSep(p);
    if (IsDriveText(p) || IsNetRoot(p)) {
        memcpy(out, p, strlen(p) + 1);
        return VKE_OK;
    }

    char full[kWork];
    DWORD n = GetFullPathNameA(p, sizeof(full), full, nullptr);
    if (n == 0 || n > VKE_PATH_MAX) return VKE_ERR_ARG;
    if (ExistsNml(full)) {
        char longer[kWork];
        if (!LongForm(longer, full)) return VKE_ERR_ARG;
        memcpy(full, longer, strlen(longer) + 1);
    } else {
        LongFolder(full);
    }
    size_t len = strlen(full);
    if (len < 1 || len > VKE_PATH_MAX) return VKE_ERR_ARG;
    ToBackslash(full);
    DropTrailingSep(full);
    memcpy(out, full, strlen(full) + 1);
    return VKE_OK;
}

int VkiSub::GetPathName(char* dest, const char* path, int destSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !path || destSize < 1) return VKE_ERR_ARG;
    char norm[kWork];
    int rc = NormalisePath(norm, path);
    if (rc != VKE_OK) {
        dest[0] = '\0';
        return rc;
    }
    return VkiCopyStr(dest, norm, destSize);
}

int VkiSub::GetFileName(char* dest, const char* path, int destSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !path || destSize < 1) return VKE_ERR_ARG;
    char norm[kWork];
    const char* name = nullptr;
    int rc = NormalisePath(norm, path);
    if (rc == VKE_OK) rc = NameOf(&name, norm);
    if (rc != VKE_OK) {
        dest[0] = '\0';
        return rc;
    }
    return VkiCopyStr(dest, name, destSize);
}

// The file name of path in name (kWork bytes) and the position of its last '.' (-1 when none);
// on failure dest is emptied.
int VkiSub::SplitFileName(char* dest, const char* path, int destSize, char* name, int* dot)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !path || destSize < 1) return VKE_ERR_ARG;
    int rc = GetFileName(name, path, kWork);
    if (rc != VKE_OK) {
        dest[0] = '\0';
        return rc;
    }
    *dot = LastChr(name, '.');
    return VKE_OK;
}

int VkiSub::GetBaseFileName(char* dest, const char* path, int destSize)
{
    char name[kWork];
    int dot = -1;
    int rc = SplitFileName(dest, path, destSize, name, &dot);
    if (rc != VKE_OK) return rc;
    if (dot >= 0) name[dot] = '\0';
    return VkiCopyStr(dest, name, destSize);
}

int VkiSub::GetFileExtention(char* dest, const char* path, int destSize)
{
    char name[kWork];
    int dot = -1;
    int rc = SplitFileName(dest, path, destSize, name, &dot);
    if (rc != VKE_OK) return rc;
    return VkiCopyStr(dest, dot >= 0 ? name + dot + 1 : "", destSize);
}

int VkiSub::GetDirPath(char* dest, const char* path, int destSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !path || destSize < 1) return VKE_ERR_ARG;
    char norm[kWork], dir[kWork];
    int rc = NormalisePath(norm, path);
    if (rc == VKE_OK) rc = DirOf(dir, norm);
    if (rc != VKE_OK) {
        dest[0] = '\0';
        return rc;
    }
    return VkiCopyStr(dest, dir, destSize);
}

// ---- Existence, kind and size ----

int VkiSub::GetFileSize(const char* path, double* size, int* known)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !size || !known) return VKE_ERR_ARG;
    *size = 0;
    *known = 0;
    char norm[kWork];
    int rc = NormalisePath(norm, path);
    if (rc != VKE_OK) return rc;
    if (IsDriveText(norm)) {
        char root[kWork];
        DriveRoot(root, norm);
        ULARGE_INTEGER total;
        if (!GetDiskFreeSpaceExA(root, nullptr, &total, nullptr)) return VKE_OK;
        *size = static_cast<double>(total.QuadPart);
    } else {
        DWORD high = 0;
        SetLastError(NO_ERROR);
        DWORD low = GetCompressedFileSizeA(norm, &high);
        if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return VKE_OK;
        *size = static_cast<double>(high) * 4294967296.0 + static_cast<double>(low);
    }
    *known = 1;
    return VKE_OK;
}

int VkiSub::TestPath(const char* path, int* is, bool (*test)(const char* norm))
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !is) return VKE_ERR_ARG;
    *is = 0;
    char norm[kWork];
    int rc = NormalisePath(norm, path);
    if (rc == VKE_OK) *is = test(norm) ? 1 : 0;
    return rc;
}

int VkiSub::IsDrive(const char* path, int* is) { return TestPath(path, is, IsDriveText); }

int VkiSub::IsDirectory(const char* path, int* is) { return TestPath(path, is, IsDirNml); }

int VkiSub::IsExistPath(const char* path, int* is) { return TestPath(path, is, ExistsNml); }

int VkiSub::IsNormalFile(char* dest, const char* path, int destSize, int* is)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !path || destSize < 1 || !is) return VKE_ERR_ARG;
    *is = 0;
    char norm[kWork];
    int rc = NormalisePath(norm, path);
    if (rc != VKE_OK) {
        dest[0] = '\0';
        return rc == VKE_ERR_NOT_FOUND ? VKE_OK : rc; // an empty or all-blank path is no file
    }
    rc = VkiCopyStr(dest, norm, destSize);
    if (rc == VKE_OK) *is = IsPlainFileNml(norm) ? 1 : 0;
    return rc;
}

// ---- Names of the program and of temporary files ----

int VkiSub::GetModuleName(char* dest, int destSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || destSize < 1) return VKE_ERR_ARG;
    char file[kWork];
    DWORD n = GetModuleFileNameA(nullptr, file, sizeof(file));
    if (n == 0 || n >= sizeof(file)) {
        dest[0] = '\0';
        return VKE_ERR_SYSTEM;
    }
    return GetBaseFileName(dest, file, destSize);
}

int VkiSub::GetTempPathName(char* dest, const char* folder, int destSize, int create)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || destSize < 1 || !IsFlag(create)) return VKE_ERR_ARG;
    dest[0] = '\0';
    char base[kWork];
    if (!folder) {
        DWORD n = GetTempPathA(sizeof(base), base);
        if (n == 0 || n >= sizeof(base)) return VKE_ERR_SYSTEM;
        if (GetFileAttributesA(base) == INVALID_FILE_ATTRIBUTES) {
            n = GetCurrentDirectoryA(sizeof(base), base);
            if (n == 0 || n >= sizeof(base)) return VKE_ERR_SYSTEM;
        }
        folder = base;
    }
    char dir[kWork];
    int rc = NormalisePath(dir, folder);
    if (rc != VKE_OK) return rc;
    if (!IsNetRoot(dir)) {
        if (!ExistsNml(dir)) return VKE_ERR_NOT_FOUND;
        if (!IsDriveText(dir) && !IsDirNml(dir)) return VKE_ERR_ARG;
    }
    // The name is Vke, the process id and the millisecond clock; within one call the clock part
    // moves on by itself, so that a clock that has not ticked still gives new candidates.
    long tick = 0;
    for (int i = 0; i < kTempTries; ++i) {
        long now = static_cast<long>(clock());
        tick = (i > 0 && now <= tick) ? tick + 1 : now;
        char candidate[kWork];
        int n = snprintf(candidate, sizeof(candidate), "%s\\Vke%ld%ld", dir, static_cast<long>(GetCurrentProcessId()),
                         tick);
        if (n < 0 || n > VKE_PATH_MAX) return VKE_ERR_ARG;
        if (ExistsNml(candidate)) continue;
        if (create) {
            // Made only if nobody made it meanwhile, so two callers never share one name.
            HANDLE h = CreateFileA(candidate, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h == INVALID_HANDLE_VALUE) {
                DWORD err = GetLastError();
                if (err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS) continue;
                return VKE_ERR_FILE;
            }
            CloseHandle(h);
        }
        return VkiCopyStr(dest, candidate, destSize);
    }
    return VKE_ERR_NOT_FOUND;
}

int VkiSub::CheckSpecialPath(const char* path, int* special)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !special) return VKE_ERR_ARG;
    *special = 0;
    char norm[kWork];
    int rc = NormalisePath(norm, path);
    if (rc != VKE_OK) return rc;
    DWORD attr = GetFileAttributesA(norm);
    if (IsNetRoot(norm) || IsDriveText(norm) || (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_SYSTEM))) {
        *special = 1;
        return VKE_OK;
    }
    char win[kWork], sys[kWork];
    UINT nw = GetWindowsDirectoryA(win, sizeof(win));
    UINT ns = GetSystemDirectoryA(sys, sizeof(sys));
    if (nw == 0 || nw >= sizeof(win) || ns == 0 || ns >= sizeof(sys)) return VKE_ERR_SYSTEM;
    ToLowerStr(norm);
    ToLowerStr(win);
    ToLowerStr(sys);
    if (strcmp(norm, win) == 0 || strcmp(norm, sys) == 0 || HasSystemComponent(norm)) *special = 1;
    return VKE_OK;
}

// ---- Making, copying, moving and deleting ----

int VkiSub::CreateDir(const char* path)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path) return VKE_ERR_ARG;
    char norm[kWork];
    int rc = NormalisePath(norm, path);
    if (rc != VKE_OK) return rc;
    if (IsDriveText(norm) || ExistsNml(norm)) return VKE_ERR_ARG;
    if (SHCreateDirectoryExA(nullptr, norm, nullptr) != ERROR_SUCCESS) return VKE_ERR_FILE;
    Notify(SHCNE_MKDIR, norm);
    return VKE_OK;
}

namespace {

// Copies or moves folder src: onto a new name it becomes that folder; onto an existing folder or
// a drive its contents go into it, each item to its own target so that collisions are decided here.
int DirOp(UINT op, const char* dst, const char* src, int allowUndo, int silent, HWND owner)
{
    if (!ExistsNml(src)) return VKE_ERR_NOT_FOUND;
    if (!IsDirNml(src)) return VKE_ERR_ARG;
    bool drive = IsDriveText(dst);
    bool existing = drive || ExistsNml(dst);
    if (existing && !drive && !IsDirNml(dst)) return VKE_ERR_ARG;
    if (IsWithin(dst, src)) return VKE_ERR_FILE; // the shell refuses a folder into itself

    PathList from, to;
    FILEOP_FLAGS extra = 0;
    if (!existing) {
        // The new folder's parent is made first, as for files.
        char parent[kWork];
        if (DirOf(parent, dst) == VKE_OK && !IsDriveText(parent) && !ExistsNml(parent) &&
            SHCreateDirectoryExA(owner, parent, nullptr) != ERROR_SUCCESS)
            return VKE_ERR_FILE;
        if (!from.Add(src) || !to.Add(dst)) return VKE_ERR_MEMORY;
    } else {
        char pattern[kWork];
        int rc = JoinPath(pattern, src, "*");
        if (rc != VKE_OK) return rc;
        WIN32_FIND_DATAA fd;
        HANDLE find = FindFirstFileA(pattern, &fd);
        if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND ? VKE_OK : VKE_ERR_FILE;
        do {
            if (strcmp(fd.cFileName, ".") == 0 || strcmp(fd.cFileName, "..") == 0) continue;
            char item[kWork], target[kWork];
            rc = JoinPath(item, src, fd.cFileName);
            if (rc == VKE_OK)
                rc = PlanTarget(target, dst, fd.cFileName, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                silent == 1, to);
            if (rc == VKE_OK && (!from.Add(item) || !to.Add(target))) rc = VKE_ERR_MEMORY;
        } while (rc == VKE_OK && FindNextFileA(find, &fd));
        FindClose(find);
        if (rc != VKE_OK) return rc;
        if (from.Count() == 0) return VKE_OK; // an empty folder: nothing to do
        extra = FOF_MULTIDESTFILES;
    }
    int rc = RunShellOp(op, from, &to, extra, allowUndo, silent, owner);
    if (rc != VKE_OK) return rc;
    char root[kWork];
    if (drive) DriveRoot(root, dst);
    Notify(existing ? SHCNE_UPDATEDIR : SHCNE_MKDIR, drive ? root : dst);
    return VKE_OK;
}

// Copies or moves file src onto dst: an existing folder or a drive receives it, anything else is
// the new file's name.
int FileOp(UINT op, const char* dst, const char* src, int allowUndo, int silent, HWND owner)
{
    if (IsDriveText(src) || IsDirNml(src)) return VKE_ERR_ARG;
    if (!ExistsNml(src)) return VKE_ERR_FILE; // what the shell reports for a missing source
    const char* name = nullptr;
    int rc = NameOf(&name, src);
    if (rc != VKE_OK) return rc;

    char dir[kWork], target[kWork];
    const char* targetName = name;
    PathList from, to;
    if (IsDriveText(dst) || IsDirNml(dst)) {
        memcpy(dir, dst, strlen(dst) + 1);
    } else {
        rc = DirOf(dir, dst);
        if (rc == VKE_OK) rc = NameOf(&targetName, dst);
        if (rc != VKE_OK) return rc;
    }
    rc = JoinPath(target, dir, targetName);
    if (rc != VKE_OK) return rc;
    if (op == FO_MOVE && SameName(target, src)) return VKE_OK; // already where it should go
    bool replaced = ExistsNml(target);
    if (replaced && silent == 1) {
        rc = PlanTarget(target, dir, targetName, false, true, to);
        if (rc != VKE_OK) return rc;
        replaced = false;
    }
    // A missing target folder is made first, with its parents; not every shell makes them.
    bool folderMade = !IsDriveText(dir) && !ExistsNml(dir);
    if (folderMade && SHCreateDirectoryExA(owner, dir, nullptr) != ERROR_SUCCESS) return VKE_ERR_FILE;
    if (!from.Add(src) || !to.Add(target)) return VKE_ERR_MEMORY;
    rc = RunShellOp(op, from, &to, FOF_MULTIDESTFILES, allowUndo, silent, owner);
    if (rc != VKE_OK) return rc;
    char root[kWork];
    if (IsDriveText(dir)) DriveRoot(root, dir);
    if (replaced) Notify(SHCNE_UPDATEITEM, target);
    else Notify(folderMade ? SHCNE_MKDIR : SHCNE_UPDATEDIR, IsDriveText(dir) ? root : dir);
    return VKE_OK;
}

} // namespace

int VkiSub::PairOp(PairOpFn run, UINT op, const char* to, const char* from, int allowUndo, int silent, HWND owner)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!to || !from || !IsFlag(allowUndo) || !IsFlag(silent)) return VKE_ERR_ARG;
    char dst[kWork], src[kWork];
    int rc = NormalisePath(src, from);
    if (rc == VKE_OK) rc = NormalisePath(dst, to);
    return rc == VKE_OK ? run(op, dst, src, allowUndo, silent, owner) : rc;
}

int VkiSub::CopyDir(const char* to, const char* from, int allowUndo, int silent, HWND owner)
{
    return PairOp(DirOp, FO_COPY, to, from, allowUndo, silent, owner);
}

int VkiSub::MoveDir(const char* to, const char* from, int allowUndo, int silent, HWND owner)
{
    return PairOp(DirOp, FO_MOVE, to, from, allowUndo, silent, owner);
}

int VkiSub::DeleteDir(const char* path, int allowUndo, int silent, HWND owner)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !IsFlag(allowUndo) || !IsFlag(silent)) return VKE_ERR_ARG;
    char norm[kWork];
    int rc = NormalisePath(norm, path);
    if (rc != VKE_OK) return rc;
    if (!ExistsNml(norm)) return VKE_ERR_NOT_FOUND;
    if (!IsDirNml(norm)) return VKE_ERR_ARG;
    PathList from;
    if (!from.Add(norm)) return VKE_ERR_MEMORY;
    rc = RunShellOp(FO_DELETE, from, nullptr, 0, allowUndo, silent, owner);
    if (rc == VKE_OK) Notify(SHCNE_RMDIR, norm);
    return rc;
}

int VkiSub::CopyFile(const char* to, const char* from, int allowUndo, int silent, HWND owner)
{
    return PairOp(FileOp, FO_COPY, to, from, allowUndo, silent, owner);
}

int VkiSub::MoveFile(const char* to, const char* from, int allowUndo, int silent, HWND owner)
{
    return PairOp(FileOp, FO_MOVE, to, from, allowUndo, silent, owner);
}

int VkiSub::DeleteFile(const char* path, int allowUndo, int silent, HWND owner)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !IsFlag(allowUndo) || !IsFlag(silent)) return VKE_ERR_ARG;
    char norm[kWork], dir[kWork];
    int rc = NormalisePath(norm, path);
    if (rc != VKE_OK) return rc;
    if (IsDriveText(norm) || IsDirNml(norm)) return VKE_ERR_ARG;
    if (!ExistsNml(norm)) return VKE_ERR_FILE; // what the shell reports for a missing file
    rc = DirOf(dir, norm);
    if (rc != VKE_OK) return rc;
    PathList from;
    if (!from.Add(norm)) return VKE_ERR_MEMORY;
    rc = RunShellOp(FO_DELETE, from, nullptr, 0, allowUndo, silent, owner);
    char root[kWork];
    if (IsDriveText(dir)) DriveRoot(root, dir);
    if (rc == VKE_OK) Notify(SHCNE_UPDATEDIR, IsDriveText(dir) ? root : dir);
    return rc;
}

// ---- The key counter file ----

int VkiSub::GenUniqueKey(const char* keyFile, int count, int* keys)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!keyFile || !keys || count < 1) return VKE_ERR_ARG;
    memset(keys, 0, sizeof(int) * static_cast<size_t>(count));
    char norm[kWork];
    int rc = NormalisePath(norm, keyFile);
    if (rc != VKE_OK) return rc;
    if (IsDriveText(norm) || IsDirNml(norm)) return VKE_ERR_ARG;

    // Opened or made in one step and shared with nobody: whoever holds it owns the counter.
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int i = 0; i < kKeyTries; ++i) {
        h = CreateFileA(norm, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) break;
        DWORD err = GetLastError();
        if (err != ERROR_SHARING_VIOLATION && err != ERROR_LOCK_VIOLATION) break;
        Sleep(kKeyPause);
    }
    if (h == INVALID_HANDLE_VALUE) return VKE_ERR_FILE;

    // An empty file is one whose maker stopped before writing: it starts at 1 like a new one.
    unsigned char bytes[4] = {1, 0, 0, 0};
    DWORD high = 0, got = 0;
    DWORD size = ::GetFileSize(h, &high);
    if ((size != 0 || high != 0) && (!ReadFile(h, bytes, sizeof(bytes), &got, nullptr) || got != sizeof(bytes))) {
        CloseHandle(h);
        return VKE_ERR_FILE;
    }
    uint32_t next = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                    (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    for (int i = 0; i < count; ++i) keys[i] = static_cast<int>(next++);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(next >> (8 * i));
    DWORD put = 0;
    bool ok = SetFilePointer(h, 0, nullptr, FILE_BEGIN) == 0 && WriteFile(h, bytes, sizeof(bytes), &put, nullptr) &&
              put == sizeof(bytes);
    if (!CloseHandle(h)) ok = false;
    return ok ? VKE_OK : VKE_ERR_FILE;
}

// ---- Text and CSV file statistics ----

namespace {

// Fields of line with separator sep, read one after the other. A separator that ends the line
// ends one more, empty, field: a byte that is in no separator and is no second byte is put after
// the line, so that such an empty field becomes one that is read like any other.
int CountFields(VkiSub* sub, const char* line, const char* sep, int* fields)
{
    *fields = 0;
    char end = 1;
    while (strchr(sep, end)) ++end;
    int len = static_cast<int>(strlen(line));
    VkiWorkCopy text, field;
    char* t = text.Room(len + 2);
    char* f = field.Room(len + 2);
    if (!t || !f) return VKE_ERR_MEMORY;
    memcpy(t, line, static_cast<size_t>(len));
    t[len] = end;
    t[len + 1] = '\0';
    for (int pos = 1; pos <= len + 1;) {
        int next = 0;
        int rc = sub->CsvGetFld(t, sep, f, len + 2, pos, &next);
        if (rc != VKE_OK) return rc;
        ++*fields;
        pos = next;
    }
    return *fields > 0 ? VKE_OK : VKE_ERR_NOT_FOUND;
}

} // namespace

int VkiSub::GetFldInfo(const char* line, char* separator, int sepSize, int* fields)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!line || !separator || sepSize < 1 || !fields) return VKE_ERR_ARG;
    *fields = 0;
    if (!line[0]) return VKE_ERR_NOT_FOUND;
    if (VkiStrLen(separator, sepSize) > 0) {
        VkiWorkCopy sep; // bounded by its buffer
        const char* s = sep.Copy(separator, VkiStrLen(separator, sepSize));
        return s ? CountFields(this, line, s, fields) : VKE_ERR_MEMORY;
    }
    const char* candidates[] = {",", "\t"};
    for (const char* candidate : candidates) {
        int rc = CountFields(this, line, candidate, fields);
        if (rc != VKE_OK) return rc;
        if (*fields > 1) return VkiCopyStr(separator, candidate, sepSize);
    }
    int rc = CountFields(this, line, ",", fields);
    return rc == VKE_OK ? VkiCopyStr(separator, ",", sepSize) : rc;
}

int VkiSub::GetTxtFilInfo(const char* path, int* lines, int* longest)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !lines || !longest) return VKE_ERR_ARG;
    *lines = *longest = 0;
    char norm[kWork];
    int rc = NormalisePath(norm, path);
    if (rc != VKE_OK) return rc;
    if (IsDriveText(norm) || IsDirNml(norm)) return VKE_ERR_ARG;
    if (!ExistsNml(norm)) return VKE_ERR_NOT_FOUND;
    FILE* f = fopen(norm, "rb");
    if (!f) return VKE_ERR_FILE;
    // Read as one stream, so a CR LF split between two blocks is still one line end.
    long long count = 0, most = 0, len = 0;
    bool cr = false;
    char block[2047];
    size_t got;
    while ((got = fread(block, 1, sizeof(block), f)) > 0) {
        for (size_t i = 0; i < got; ++i) {
            if (block[i] == '\n') {
                long long need = cr ? len - 1 + 3 : len + 2;
                if (need > most) most = need;
                ++count;
                len = 0;
                cr = false;
            } else {
                ++len;
                cr = block[i] == '\r';
            }
        }
    }
    bool failed = ferror(f) != 0;
    fclose(f);
    if (failed) return VKE_ERR_FILE;
    if (len > 0) {
        ++count;
        if (len + 3 > most) most = len + 3;
    }
    if (count == 0) return VKE_ERR_NOT_FOUND;
    if (count > INT_MAX || most > INT_MAX) return VKE_ERR_CUT;
    *lines = static_cast<int>(count);
    *longest = static_cast<int>(most);
    return VKE_OK;
}

int VkiSub::GetCsvFilInfo(const char* path, char* separator, int sepSize, int* lines, int* longest, int* fields)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !separator || sepSize < 1 || !lines || !longest || !fields) return VKE_ERR_ARG;
    *fields = 0;
    bool chosen = VkiStrLen(separator, sepSize) == 0;
    int rc = GetTxtFilInfo(path, lines, longest);
    if (rc == VKE_OK) {
        char norm[kWork];
        VkiWorkCopy buf;
        char* line = buf.Room(*longest);
        FILE* f = nullptr;
        rc = NormalisePath(norm, path);
        if (rc == VKE_OK && !line) rc = VKE_ERR_MEMORY;
        if (rc == VKE_OK && !(f = fopen(norm, "rb"))) rc = VKE_ERR_FILE;
        if (rc == VKE_OK) {
            if (!fgets(line, *longest, f)) line[0] = '\0';
            fclose(f);
            size_t n = strlen(line);
            while (n > 0 && (line[n - 1] == 0x1A || line[n - 1] == '\r' || line[n - 1] == '\n')) line[--n] = '\0';
            rc = GetFldInfo(line, separator, sepSize, fields);
        }
    }
    if (rc != VKE_OK) *lines = *longest = *fields = 0;
    if (chosen && separator[0] == '\0') VkiCopyStr(separator, ",", sepSize);
    return rc;
}

// ---- Exports ----

VKE_API int VkeSubGetPathName(VkiSub* sub, char* dest, const char* path, int destSize)
{
    VKE_SUB_FRAME(sub, GetPathName(dest, path, destSize));
}

VKE_API int VkeSubGetFileName(VkiSub* sub, char* dest, const char* path, int destSize)
{
    VKE_SUB_FRAME(sub, GetFileName(dest, path, destSize));
}

VKE_API int VkeSubGetBaseFileName(VkiSub* sub, char* dest, const char* path, int destSize)
{
    VKE_SUB_FRAME(sub, GetBaseFileName(dest, path, destSize));
}

VKE_API int VkeSubGetFileExtention(VkiSub* sub, char* dest, const char* path, int destSize)
{
    VKE_SUB_FRAME(sub, GetFileExtention(dest, path, destSize));
}

VKE_API int VkeSubGetDirPath(VkiSub* sub, char* dest, const char* path, int destSize)
{
    VKE_SUB_FRAME(sub, GetDirPath(dest, path, destSize));
}

VKE_API int VkeSubGetFileSize(VkiSub* sub, const char* path, double* size, int* known)
{
    VKE_SUB_FRAME(sub, GetFileSize(path, size, known));
}

VKE_API int VkeSubIsDrive(VkiSub* sub, const char* path, int* is) { VKE_SUB_FRAME(sub, IsDrive(path, is)); }

VKE_API int VkeSubIsDirectory(VkiSub* sub, const char* path, int* is) { VKE_SUB_FRAME(sub, IsDirectory(path, is)); }

VKE_API int VkeSubIsExistPath(VkiSub* sub, const char* path, int* is) { VKE_SUB_FRAME(sub, IsExistPath(path, is)); }

VKE_API int VkeSubIsNormalFile(VkiSub* sub, char* dest, const char* path, int destSize, int* is)
{
    VKE_SUB_FRAME(sub, IsNormalFile(dest, path, destSize, is));
}

VKE_API int VkeSubGetModuleName(VkiSub* sub, char* dest, int destSize) { VKE_SUB_FRAME(sub, GetModuleName(dest, destSize)); }

VKE_API int VkeSubGetTempPathName(VkiSub* sub, char* dest, const char* folder, int destSize, int create)
{
    VKE_SUB_FRAME(sub, GetTempPathName(dest, folder, destSize, create));
}

VKE_API int VkeSubCheckSpecialPath(VkiSub* sub, const char* path, int* special)
{
    VKE_SUB_FRAME(sub, CheckSpecialPath(path, special));
}

VKE_API int VkeSubCreateDir(VkiSub* sub, const char* path) { VKE_SUB_FRAME(sub, CreateDir(path)); }

VKE_API int VkeSubCopyDir(VkiSub* sub, const char* to, const char* from, int allowUndo, int silent, HWND owner)
{
    VKE_SUB_FRAME(sub, CopyDir(to, from, allowUndo, silent, owner));
}

VKE_API int VkeSubMoveDir(VkiSub* sub, const char* to, const char* from, int allowUndo, int silent, HWND owner)
{
    VKE_SUB_FRAME(sub, MoveDir(to, from, allowUndo, silent, owner));
}

VKE_API int VkeSubDeleteDir(VkiSub* sub, const char* path, int allowUndo, int silent, HWND owner)
{
    VKE_SUB_FRAME(sub, DeleteDir(path, allowUndo, silent, owner));
}

VKE_API int VkeSubCopyFile(VkiSub* sub, const char* to, const char* from, int allowUndo, int silent, HWND owner)
{
    VKE_SUB_FRAME(sub, CopyFile(to, from, allowUndo, silent, owner));
}

VKE_API int VkeSubMoveFile(VkiSub* sub, const char* to, const char* from, int allowUndo, int silent, HWND owner)
{
    VKE_SUB_FRAME(sub, MoveFile(to, from, allowUndo, silent, owner));
}

VKE_API int VkeSubDeleteFile(VkiSub* sub, const char* path, int allowUndo, int silent, HWND owner)
{
    VKE_SUB_FRAME(sub, DeleteFile(path, allowUndo, silent, owner));
}

VKE_API int VkeSubGenUniqueKey(VkiSub* sub, const char* keyFile, int count, int* keys)
{
    VKE_SUB_FRAME(sub, GenUniqueKey(keyFile, count, keys));
}

VKE_API int VkeSubGetFldInfo(VkiSub* sub, const char* line, char* separator, int sepSize, int* fields)
{
    VKE_SUB_FRAME(sub, GetFldInfo(line, separator, sepSize, fields));
}

VKE_API int VkeSubGetTxtFilInfo(VkiSub* sub, const char* path, int* lines, int* longest)
{
    VKE_SUB_FRAME(sub, GetTxtFilInfo(path, lines, longest));
}

VKE_API int VkeSubGetCsvFilInfo(VkiSub* sub, const char* path, char* separator, int sepSize, int* lines, int* longest,
                                int* fields)
{
    VKE_SUB_FRAME(sub, GetCsvFilInfo(path, separator, sepSize, lines, longest, fields));
}
