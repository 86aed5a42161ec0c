// What the file list asks of the shell and the file system about a folder's items, asked the
// fast way. The shell answers type names and icons by item in about 10 ms each under Wine and
// the file system gives a file's status in a millisecond, while a folder's listing gives every
// item's size, times and attributes at once. So one directory pass reads the facts of all the
// folder's items, and type names, icon indexes and in-folder names are asked of the shell once
// per extension and shared (per file for programs, icons and cursors, whose icons are their
// own). A plain folder (neither read-only nor system: a folder needs one of those to carry a
// name or icon of its own) is named by its parsing name and shares the type and icon of the
// first plain folder.
//
//   CmnLscFilShl shl;
//   shl.ReadFolder(folderPath);                 // the directory pass
//   CmnLscFilShl::Facts facts;
//   shl.GetFacts(path, &facts);
//   CString name = shl.GetName(folder, child, path, facts);
//
// The user-interface thread's; the answers last until Clear (a new folder).
#pragma once
#include "Mfc.h"
#include <shlobj.h>
#include <map>
#include <string>

class CmnLscFilShl {
public:
    // An item's file-system facts.
    struct Facts {
        int bKnown = 0; // the facts below were read
        DWORD dwAttr = 0;
        double dBytes = 0;
        int iTimeAcs = 0, iTimeMdf = 0, iTimeCre = 0; // seconds since 1970
    };

    // Forgets every answer.
    void Clear();
    // Reads the listing of the folder at path (nothing for an empty path).
    void ReadFolder(const char* path);
    // The facts of an item's path: from the listing when it holds the item, else from the file.
    // False when neither knows it.
    bool GetFacts(const char* path, Facts* out);
    // The item's in-folder name, as the shell would give it.
    CString GetName(IShellFolder* folder, LPCITEMIDLIST child, const char* path, const Facts& facts);
    // The shell's type name of the item (full: its full list).
    CString GetTypeName(LPCITEMIDLIST full, const char* path, const Facts& facts);
    // The item's icon in the system image list of the shell flags; -1 when the shell gives none.
    int GetIconIndex(LPCITEMIDLIST full, const char* path, const Facts& facts, UINT flags);

    // The key items share answers under: "" for answers of their own, else "." and the lower-case
    // extension (files), "\\" (plain folders).
    static std::string ShareKey(const char* path, const Facts& facts);
    // The extension of a path's last name without its dot ("" when none).
    static std::string Extension(const char* path);

private:
    enum NameRule { NameAsk, NameFull, NameStrip };

    std::string m_folder;                    // the listed folder's path, lower case
    std::map<std::string, Facts> m_facts;    // its items by name
    std::map<std::string, int> m_rules;      // name rule by share key
    std::map<std::string, CString> m_types;  // type name by share key
    std::map<std::string, int> m_icons;      // icon index by share key and flags
};
