// Message texts and message boxes of the utility object: the message file, texts by number and by
// status code, and the engine's message boxes (never one inside another).
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubFil"
#include "VkiSub.h"
#include "VkiSys.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <io.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const int kLineSize = 2048; // a physical line is read in pieces of at most 2047 bytes
const int kTextArea = 1024; // the text a message box shows

// Set while an engine message box is open, for the whole library.
volatile LONG g_lMsgBoxOpen = 0;

// A backslash and n becomes a line feed, a backslash and t a tab; a backslash that is the second
// byte of a double-byte character is left alone.
void ReplaceEscapes(char* text)
{
    char* out = text;
    for (const char* p = text; *p;) {
        int n = VkiChrLen(p);
        if (n == 1 && p[0] == '\\' && (p[1] == 'n' || p[1] == 't')) {
            *out++ = p[1] == 'n' ? '\n' : '\t';
            p += 2;
            continue;
        }
        memmove(out, p, static_cast<size_t>(n));
        out += n;
        p += n;
    }
    *out = '\0';
}

// The count line, read like atoi (blanks, a sign, digits; anything else ends it); saturates far
// above any count a file can hold.
long long ParseCount(const char* text)
{
    while (*text == ' ' || *text == '\t') ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    long long n = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if (n < (1LL << 40)) n = n * 10 + (*text - '0');
    return negative ? -n : n;
}

// Reads the lines of an open message file into a new table of count + 1 entries.
// The count must be one the file can hold: count + 2 non-empty lines need 2 * count + 3 bytes.
int ReadTable(VkiSub* sub, FILE* f, long long fileSize, char** table, int* count)
{
    char line[kLineSize];
    char* tbl = nullptr;
    long long n = 0, lines = 0;
    int rc = VKE_OK;
    while (rc == VKE_OK && fgets(line, sizeof(line), f)) {
        sub->TrimStr(line);
        if (!line[0]) continue;
        if (++lines == 1) {
            n = ParseCount(line);
            if (n < 1 || n > INT_MAX - 1 || 2 * n + 3 > fileSize) {
                rc = VKE_ERR_MSGFILE;
            } else {
                tbl = static_cast<char*>(calloc(static_cast<size_t>(n) + 1, VKE_MSG_SIZE));
                if (!tbl) rc = VKE_ERR_MEMORY;
            }
        } else if (lines - 2 > n) {
            rc = VKE_ERR_MSGFILE;
        } else {
            ReplaceEscapes(line);
            if (VkiCopyStr(tbl + (lines - 2) * VKE_MSG_SIZE, line, VKE_MSG_SIZE) != VKE_OK) rc = VKE_ERR_CUT;
        }
    }
    if (rc == VKE_OK && ferror(f)) rc = VKE_ERR_FILE;
    if (rc == VKE_OK && lines != n + 2) rc = VKE_ERR_MSGFILE;
    if (rc != VKE_OK) {
        free(tbl);
        return rc;
    }
    *table = tbl;
    *count = static_cast<int>(n);
    return VKE_OK;
}

} // namespace

int VkiSub::LoadMsg(const char* path)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path) return VKE_ERR_ARG;
    char full[1024];
    int rc = GetPathName(full, path, sizeof(full));
    if (rc != VKE_OK) return rc;
    int exists = 0, drive = 0, dir = 0;
    if ((rc = IsExistPath(full, &exists)) != VKE_OK) return rc;
    if (!exists) return VKE_ERR_NOT_FOUND;
    if ((rc = IsDrive(full, &drive)) != VKE_OK) return rc;
    if ((rc = IsDirectory(full, &dir)) != VKE_OK) return rc;
    if (drive || dir) return VKE_ERR_ARG;

    FreeMsgTable();
    FILE* f = fopen(full, "rb");
    if (!f) return VKE_ERR_FILE;
    char* table = nullptr;
    int count = 0;
    rc = ReadTable(this, f, _filelengthi64(_fileno(f)), &table, &count);
    fclose(f);
    if (rc != VKE_OK) return rc;
    m_pMsgTbl = table;
    m_iMsgCnt = count;
    return VKE_OK;
}

void VkiSub::FreeMsgTable()
{
    free(m_pMsgTbl);
    m_pMsgTbl = nullptr;
    m_iMsgCnt = 0;
}

const char* VkiSub::MsgText(int no) const
{
    if (!m_pMsgTbl) return "";
    if (no < 1 || no > m_iMsgCnt) no = 0;
    return m_pMsgTbl + static_cast<size_t>(no) * VKE_MSG_SIZE;
}

int VkiSub::ErrMsgNo(int code)
{
    if (code >= 0 && code <= 4) return code + 1;
    if (code >= -36 && code <= -1) return 12 - code;
    return 0;
}

int VkiSub::GetMsg(int messageNo, char* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    return VkiCopyStr(out, MsgText(messageNo), VKE_MSG_SIZE);
}

int VkiSub::GetErrMsg(int code, char* out) { return GetMsg(ErrMsgNo(code), out); }

int VkiSub::MsgBox(const char* text, unsigned type)
{
    if (!text) return 0;
    if (InterlockedCompareExchange(&g_lMsgBoxOpen, 1, 0) != 0) return 0;
    char caption[1024];
    bool named = GetModuleName(caption, sizeof(caption)) == VKE_OK;
    HWND owner = nullptr;
    if (m_pSys && m_pSys->GetMainWindowHandle(&owner) != VKE_OK) owner = nullptr;
    int result = MessageBoxA(owner, text, named ? caption : nullptr, type);
    InterlockedExchange(&g_lMsgBoxOpen, 0);
    return result;
}

int VkiSub::ShowMsg(int messageNo, unsigned type)
{
    char text[kTextArea];
    if (GetMsg(messageNo, text) != VKE_OK) return 0;
    return MsgBox(text, type);
}

int VkiSub::ShowErrMsg(int code, unsigned type)
{
    char text[kTextArea];
    if (GetErrMsg(code, text) != VKE_OK) return 0;
    return MsgBox(text, type);
}

// ---- Exports ----

VKE_API int VkeSubLoadMsg(VkiSub* sub, const char* path) { VKE_SUB_FRAME(sub, LoadMsg(path)); }

VKE_API int VkeSubGetMsg(VkiSub* sub, int messageNo, char* out) { VKE_SUB_FRAME(sub, GetMsg(messageNo, out)); }

VKE_API int VkeSubGetErrMsg(VkiSub* sub, int code, char* out) { VKE_SUB_FRAME(sub, GetErrMsg(code, out)); }

// The message boxes return the box's result and trace nothing.
VKE_API int VkeSubMsgBox(VkiSub* sub, const char* text, unsigned type) { return sub ? sub->MsgBox(text, type) : VKE_ERR_ARG; }

VKE_API int VkeSubShowMsg(VkiSub* sub, int messageNo, unsigned type)
{
    return sub ? sub->ShowMsg(messageNo, type) : VKE_ERR_ARG;
}

VKE_API int VkeSubShowErrMsg(VkiSub* sub, int code, unsigned type) { return sub ? sub->ShowErrMsg(code, type) : VKE_ERR_ARG; }
