// The file list's answers of the shell and the file system, asked once where they are shared.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnLscFilPro"
#include "CmnLscFilShl.h"
#include "CmnHold.h"
#include "CmnSub.h"
#include <sys/stat.h>
#include <string.h>

namespace {

// Lower-case ASCII letters; other bytes (both of a double-byte character) stay.
std::string Lower(const char* text)
{
    std::string out;
    for (const char* p = text; *p;) {
        const char* next = ::CharNextExA(932, p, 0);
        if (next == p) break;
        if (next - p == 1) out += static_cast<char>(*p >= 'A' && *p <= 'Z' ? *p - 'A' + 'a' : *p);
        else out.append(p, static_cast<size_t>(next - p));
        p = next;
    }
    return out;
}

// FILETIME (UTC) as seconds since 1970, held in 32 bits as the C run-time's status gives them.
int Seconds(const FILETIME& time)
{
    long long ticks = (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<int>((ticks - 116444736000000000LL) / 10000000LL);
}

// The folder part of a path (without its last name and separator), lower case.
std::string FolderOf(const char* path)
{
    const char* last = nullptr;
    for (const char* p = path; *p; p = ::CharNextExA(932, p, 0))
        if (*p == '\\' && p[1]) last = p;
    if (!last) return std::string();
    std::string folder(path, static_cast<size_t>(last - path));
    // A drive's root keeps its separator.
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return Lower(folder.c_str());
}

// Programs, icons and cursors show icons of their own.
bool OwnIcon(const std::string& ext) { return ext == "exe" || ext == "ico" || ext == "cur" || ext == "ani"; }

} // namespace

void CmnLscFilShl::Clear()
{
    m_folder.clear();
    m_facts.clear();
    m_rules.clear();
    m_types.clear();
    m_icons.clear();
}

void CmnLscFilShl::ReadFolder(const char* path)
{
    m_folder.clear();
    m_facts.clear();
    if (!path || !*path) return;
    CString pattern = theCmnSub.JoinPath(path, "*");
    m_folder = FolderOf(pattern);
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileExA(pattern, FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!strcmp(data.cFileName, ".") || !strcmp(data.cFileName, "..")) continue;
        Facts facts;
        facts.bKnown = 1;
        facts.dwAttr = data.dwFileAttributes;
        facts.dBytes = static_cast<double>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        facts.iTimeAcs = Seconds(data.ftLastAccessTime);
        facts.iTimeMdf = Seconds(data.ftLastWriteTime);
        facts.iTimeCre = Seconds(data.ftCreationTime);
        m_facts[data.cFileName] = facts;
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
}

bool CmnLscFilShl::GetFacts(const char* path, Facts* out)
{
    *out = Facts();
    if (!path || !*path) return false;
    if (!m_folder.empty() && FolderOf(path) == m_folder) {
        auto it = m_facts.find(static_cast<const char*>(theCmnSub.GetLastName(path)));
        if (it != m_facts.end()) {
            *out = it->second;
            return true;
        }
    }
    // Not in the listing (an item of another folder, a name the listing could not spell).
    struct _stat64 st;
    if (::_stat64(path, &st) != 0) return false;
    out->bKnown = 1;
    out->dwAttr = (st.st_mode & _S_IFDIR) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    DWORD attr = ::GetFileAttributesA(path);
    if (attr != INVALID_FILE_ATTRIBUTES) out->dwAttr = attr;
    out->dBytes = static_cast<double>(st.st_size);
    out->iTimeAcs = static_cast<int>(st.st_atime);
    out->iTimeMdf = static_cast<int>(st.st_mtime);
    out->iTimeCre = static_cast<int>(st.st_ctime);
    return true;
}

std::string CmnLscFilShl::Extension(const char* path)
{
    CString name = theCmnSub.GetLastName(path);
    const char* dot = nullptr;
    for (const char* p = name; *p; p = ::CharNextExA(932, p, 0))
        if (*p == '.') dot = p;
    return dot ? Lower(dot + 1) : std::string();
}

std::string CmnLscFilShl::ShareKey(const char* path, const Facts& facts)
{
    if (!path || !*path || !facts.bKnown) return std::string();
    if (facts.dwAttr & FILE_ATTRIBUTE_DIRECTORY)
        return (facts.dwAttr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) ? std::string() : std::string("\\");
    std::string ext = Extension(path);
    return OwnIcon(ext) ? std::string() : "." + ext;
}

CString CmnLscFilShl::GetName(IShellFolder* folder, LPCITEMIDLIST child, const char* path, const Facts& facts)
{
    std::string key = ShareKey(path, facts);
    if (key == "\\") return theCmnSub.GetLastName(path);
    auto rule = key.empty() ? m_rules.end() : m_rules.find(key);
    if (rule != m_rules.end() && rule->second != NameAsk) {
        CString name = theCmnSub.GetLastName(path);
        if (rule->second == NameStrip) name = name.Left(name.GetLength() - static_cast<int>(Extension(path).size()) - 1);
        return name;
    }
    CString shown = theCmnSub.GetDisplayName(folder, child, SHGDN_INFOLDER);
    if (!key.empty() && rule == m_rules.end()) {
        // The first item of its extension: does the shell show the whole name, or hide the extension?
        CString whole = theCmnSub.GetLastName(path);
        CString bare = whole.Left(whole.GetLength() - static_cast<int>(Extension(path).size()) - 1);
        m_rules[key] = shown == whole ? NameFull : (key.size() > 1 && shown == bare) ? NameStrip : NameAsk;
    }
    return shown;
}

CString CmnLscFilShl::GetTypeName(LPCITEMIDLIST full, const char* path, const Facts& facts)
{
    std::string key = ShareKey(path, facts);
    if (!key.empty()) {
        auto it = m_types.find(key);
        if (it != m_types.end()) return it->second;
    }
    CString type = theCmnSub.GetTypeName(full);
    if (!key.empty()) m_types[key] = type;
    return type;
}

int CmnLscFilShl::GetIconIndex(LPCITEMIDLIST full, const char* path, const Facts& facts, UINT flags)
{
    std::string key = ShareKey(path, facts);
    if (!key.empty()) {
        key += "|" + std::to_string(flags);
        auto it = m_icons.find(key);
        if (it != m_icons.end()) return it->second;
    }
    int index = theCmnSub.GetSysImgLstIcoIdx(full, flags);
    if (!key.empty() && index >= 0) m_icons[key] = index;
    return index;
}
