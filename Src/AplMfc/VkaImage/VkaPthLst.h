// A list of paths kept in the application's settings block: the file-command panel's folder
// history and favourites (PciFpi, lists 0 and 1) and its external tools (PciEti). The list is a
// view over the block's capacity, count, selected index and engine text buffers; it edits them in
// place. Paths compare byte for byte.
//
//   VkaPthLst history = VkaPthLst::Fpi(0);
//   int at = history.Push("C:\\Photos");  // a new path goes last; a full list drops its first
//   history.At(at)                        // "C:\\Photos"
#pragma once
#include "Mfc.h"
#include "VkaAppInf.h"
#include <functional>

class VkaPthLst {
public:
    // The history (0) or the favourites (1); the tools.
    static VkaPthLst Fpi(int list);
    static VkaPthLst Eti();

    int Capacity() const { return *m_pCnt; }
    int Count() const { return *m_pCur; }
    int Index() const { return *m_pIdx; }
    bool IsFull() const { return Count() >= Capacity(); }
    // -9 outside -1 .. count - 1.
    int Select(int index);
    // Entry index; empty outside the list.
    CString At(int index) const;
    CString Selected() const { return At(Index()); }
    // The entry equal to path, -1 when none.
    int Find(const char* path) const;

    // Appends path and selects it: its index, -7 when full, -9 for an empty path.
    int Append(const char* path);
    // The history's step: with room the path is appended, a full list moves every entry one place
    // to the front and puts it last. Its index (selected); -9 for an empty path.
    int Push(const char* path);
    // Entry index becomes path and stays selected.
    int Replace(int index, const char* path);
    // Removes entry index: later ones move forward, the selection stays at the same index or
    // moves to the one before when the last went (-1 when none is left).
    int Remove(int index);

    // Asks choose (started at start) for a path until it names none (1: nothing chosen) or one not
    // in the list (0, with *out the path); a path already there shows message 32853 and asks
    // again from it.
    int Choose(const std::function<CString(const char* start)>& choose, const char* start, CString* out) const;

private:
    VkaPthLst(int* cnt, int* cur, int* idx, AppMem* paths) : m_pCnt(cnt), m_pCur(cur), m_pIdx(idx), m_pPaths(paths) {}
    int Put(int index, const char* path);

    int* m_pCnt;      // capacity
    int* m_pCur;      // entries
    int* m_pIdx;      // selected entry, -1 none
    AppMem* m_pPaths; // capacity buffers
};
