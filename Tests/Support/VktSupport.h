// Helpers shared by the test programs.
#pragma once
#include "VkeEng.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with everything in it at the end.
class VktTempDir {
public:
    VktTempDir();
    ~VktTempDir();
    const std::string& Path() const { return m_path; }
    // Path of a name inside the folder.
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// The GDI objects this process holds: GetGuiResources where the platform answers it (Windows),
// else a count of the live handles in the GDI handle table (Wine answers 0 whatever is held).
DWORD VktGdiObjects();

// Handles the thread's messages for ms milliseconds (0: those queued now).
void VktPump(DWORD ms = 0);

// Handles the thread's messages until done() holds; false when it still does not after cap
// milliseconds (a cap only a hang reaches: a loaded machine delays the display's answers).
bool VktPumpUntil(const std::function<bool()>& done, DWORD cap = 30000);

// Closes every popup menu that opens on this thread while it lives, and counts them.
class VktMenuCloser {
public:
    VktMenuCloser();
    ~VktMenuCloser();
    VktMenuCloser(const VktMenuCloser&) = delete;
    VktMenuCloser& operator=(const VktMenuCloser&) = delete;
    int Count() const { return m_count; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    int m_count = 0;
    UINT_PTR m_timer = 0;
};

// A 32-bit top-down DIB section selected into a memory DC: what is drawn into Dc() is read back
// pixel by pixel.
class VktDib {
public:
    VktDib(int width, int height);
    ~VktDib();
    VktDib(const VktDib&) = delete;
    VktDib& operator=(const VktDib&) = delete;
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const;

private:
    int m_width;
    DWORD* m_bits = nullptr;
    HBITMAP m_dib;
    HDC m_dc;
    HGDIOBJ m_old;
};

// The focus to a dialog's item as the dialog moves it; the messages waiting are handled after.
void FocusItem(HWND dialog, HWND item);
// A click on a dialog's button as a person makes it; the messages waiting are handled after.
void VktClick(HWND dialog, int id);
// Types text into an edit as a person would: the focus to it, everything selected and deleted,
// the characters one by one (a byte a WM_CHAR).
void TypeInto(HWND edit, const char* text);

// The text of the folder browser's selected folder (empty while it selects none).
std::string VktSelectedFolder(HWND browser);

// Path of a name in the folder of the test program.
std::string VktBesideExe(const std::string& name);

// Removes a folder tree (without the recycle bin).
void VktRemoveTree(const std::string& path);

// Writes bytes to a file; true when all were written.
bool VktWriteFile(const std::string& path, const std::string& bytes);

// A 24-bit bitmap file: its left half one colour, its right half another.
void MakeBmpFile(const std::string& path, int width, int height, COLORREF left, COLORREF right);
// A 24-bit bitmap file whose pixel (x, y) is colour(x, y).
void MakeBmpFile(const std::string& path, int width, int height, const std::function<COLORREF(int, int)>& colour);

// Reads a whole file; empty when it cannot be read.
std::string VktReadFile(const std::string& path);

// The platform's own full form of a path: made absolute, then long where it exists, else its
// folder long and the name as written (the engine's path functions answer the same).
std::string VktLongFullPath(const std::string& path);

// Spellings of one existing path a user may give: as it is, its short (8.3) form, in capitals and
// in small letters (single-byte letters only; a trail byte may be a letter).
std::vector<std::string> VktPathSpellings(const std::string& path);

// A utility object allocated and initialised with the default parameters, tracing every
// failure into a trace file that the test reads back.
class VktSubFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Trace records written so far, and the export named by the last one ("" when none).
    int Traced() const;
    std::string LastTraced() const;

    VkiSub* sub = nullptr;

private:
    VktTempDir m_traceDir;
};
