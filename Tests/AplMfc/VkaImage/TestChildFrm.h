// The program's start in the test process with its real main frame: no first run (no question,
// no samples), and no saved window, so the panels take the first run's layout. Settings put
// before Run() are read by the start.
#pragma once
#include "TestAplVka.h"
#include "ChildFrm.h"
#include "CmnWin.h"

// The state an update handler gives a command.
struct Probe : CCmdUI {
    int enabled = -1;
    int checked = -1;
    void Enable(BOOL bOn) override { enabled = bOn ? 1 : 0; }
    void SetCheck(int nCheck) override { checked = nCheck; }
};

// VktWin.exe, beside the test programs, copies a bitmap as a second process; this thread
// handles the notice it sends meanwhile.
void CopyBitmapElsewhere();

class FrmTest : public VkaTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // InitInstance and the deferred start-up; the frame active.
    void Run();
    // The enabled state (and the check) the command's update handler gives, -1 when none ran.
    int Update(UINT id, int* checked = nullptr);
    void Command(UINT id);
    // A focusable edit inside a panel.
    HWND EditIn(CWnd* panel);
    static bool Visible(CWnd& bar) { return theCmnWin.IsBarVisible(DYNAMIC_DOWNCAST(CControlBar, &bar)) != 0; }
    // A bar's window rectangle in the frame's client coordinates.
    CRect Place(CWnd& bar);
    // The GDI objects once the start's own work has come in (the file list's fill, its icons and
    // thumbnails): the same count for 300 ms.
    DWORD SettledGdiObjects();

    ChildFrm* main = nullptr;
};
