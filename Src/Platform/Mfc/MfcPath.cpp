#include "MfcPath.h"
#include "MfcText.h"
#include <string.h>
#include <string>

CString AfxFullPath(LPCSTR lpszFileIn)
{
    if (!lpszFileIn || !*lpszFileIn) return CString(lpszFileIn);
    DWORD need = ::GetFullPathNameA(lpszFileIn, 0, nullptr, nullptr);
    if (need == 0) return CString(lpszFileIn);
    std::string full(need, '\0');
    DWORD got = ::GetFullPathNameA(lpszFileIn, need, &full[0], nullptr);
    if (got == 0 || got >= need) return CString(lpszFileIn);
    return CString(full.c_str(), static_cast<int>(got));
}

// Byte index just after the last separator at a character boundary (0 when none).
static int NameStart(LPCSTR path)
{
    int start = 0;
    for (int i = 0; path[i];) {
        int n = AfxCharLen(path + i);
        if (n == 1 && (path[i] == '\\' || path[i] == '/' || path[i] == ':')) start = i + 1;
        i += n;
    }
    return start;
}

CString AfxFileNameOf(LPCSTR lpszPathName)
{
    if (!lpszPathName) return CString();
    return CString(lpszPathName + NameStart(lpszPathName));
}

static int CharCount(LPCSTR text, int bytes)
{
    int count = 0;
    for (int i = 0; i < bytes && text[i]; i += AfxCharLen(text + i)) ++count;
    return count;
}

// Byte length of the root: "\\server\share\", "C:\" or a leading "\" (0 for a relative name).
static int RootLength(LPCSTR path)
{
    if (path[0] == '\\' && path[1] == '\\') {
        int seps = 0;
        for (int i = 2; path[i]; i += AfxCharLen(path + i))
            if (path[i] == '\\' && ++seps == 2) return i + 1;
        return static_cast<int>(strlen(path));
    }
    if (path[0] && path[1] == ':') return path[2] == '\\' ? 3 : 2;
    return path[0] == '\\' ? 1 : 0;
}

CString AfxAbbreviateName(LPCSTR lpszPathName, int nMaxChars)
{
    if (!lpszPathName) return CString();
    int len = static_cast<int>(strlen(lpszPathName));
    if (CharCount(lpszPathName, len) <= nMaxChars) return CString(lpszPathName);
    int nameAt = NameStart(lpszPathName);
    CString name(lpszPathName + nameAt);
    int root = RootLength(lpszPathName);
    if (nameAt <= root) return name;
    // Drop leading folders after the root until "root...\rest" fits.
    CString head(lpszPathName, root);
    int headChars = CharCount(lpszPathName, root) + 3; // with "..."
    for (int i = root; i < nameAt; i += AfxCharLen(lpszPathName + i)) {
        if (lpszPathName[i] != '\\' && lpszPathName[i] != '/') continue;
        if (headChars + CharCount(lpszPathName + i, len - i) <= nMaxChars) return head + "..." + (lpszPathName + i);
    }
    return name;
}
