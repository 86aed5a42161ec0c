// The recent-file list: up to nSize full paths, newest first, kept in one profile section as
// entries like "File1", "File2", ... and shown in a menu in place of the placeholder item whose
// command is the first of the list's commands.
#pragma once
#include "CString.h"
#include <vector>

class CCmdUI;

class CRecentFileList {
public:
    // nStart: the index of the first entry in the profile (entry names count from nStart + 1);
    // lpszEntryFormat: a printf format with one %d; nMaxDispLen: characters of a menu name.
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
    virtual ~CRecentFileList() = default;

    // The number of places (the maximum); places past the last entry are empty.
    int GetSize() const { return static_cast<int>(m_arrNames.size()); }
    CString& operator[](int nIndex) { return m_arrNames.at(static_cast<size_t>(nIndex)); }

    // The full path goes first; the same path (letter case aside) moves up rather than twice,
    // and the oldest entry falls off a full list.
    virtual void Add(LPCSTR lpszPathName);
    // Removes an entry; the later ones move up.
    virtual void Remove(int nIndex);
    // Replaces the menu's recent-file items (or the placeholder) by "&1 name", "&2 name", ...
    // ("&0" for the tenth), "&" in names doubled, long names shortened; an empty list leaves
    // the placeholder, disabled. The update's m_nIndex and m_nIndexMax move past the items.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    // Reads the entries in order; empty entries, repeats and entries past the size are skipped.
    virtual void ReadList();
    // Clears the section, then writes the entries.
    virtual void WriteList();

    // The menu name of an entry: empty when the place is empty.
    CString GetDisplayName(int nIndex) const;

    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal; // the placeholder's text

protected:
    std::vector<CString> m_arrNames;

private:
    // Index of the path in the list (letter case aside), -1 when absent.
    int Find(LPCSTR lpszPathName) const;
    CString EntryName(int nIndex) const;
};
