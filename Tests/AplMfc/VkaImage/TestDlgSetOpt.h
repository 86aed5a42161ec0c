// The options dialog's tests: the application started over its test frame, the dialog made
// hidden on it as the start makes it and shown by the options command; its pages are driven by
// clicks and typing as a person drives them.
#pragma once
#include "DlgSetOpt.h"
#include "DlgSopBsi.h"
#include "DlgSopPni.h"
#include "DlgSopShi.h"
#include "HalcorRes.h"
#include "TestAplVka.h"
#include <map>

class SopTest : public VkaTest {
protected:
    void SetUp() override;
    // The dialog made hidden (the start's step), then shown.
    void Open();

    DlgSopBsi* Bsi() { return static_cast<DlgSopBsi*>(dlg->GetSopPage(SopTypBsi)); }
    DlgSopPni* Pni() { return static_cast<DlgSopPni*>(dlg->GetSopPage(SopTypPni)); }
    DlgSopShi* Shi() { return static_cast<DlgSopShi*>(dlg->GetSopPage(SopTypShi)); }
    // The page of the type brought to the front through the dialog's menu command.
    void Front(int type);
    // A click on the tab of the index.
    void ClickTab(int index);
    // The item of a page or of the dialog.
    static HWND Item(CWnd* wnd, int id) { return ::GetDlgItem(wnd->m_hWnd, id); }
    bool Enabled(CWnd* wnd, int id) { return ::IsWindowEnabled(Item(wnd, id)) != FALSE; }
    // A command of the dialog (a button pressed), the messages it posts handled.
    void Command(int id);
    // The page's whole check: the recorded error code (0 when all are right).
    static int Check(DlgSop* page) { return page->GetData(nullptr, nullptr, 0); }

    DlgSetOpt* dlg = nullptr;
};

// Counts CmnWmChgOpt by receiving window on this thread while it lives.
class ChgOptCounter {
public:
    ChgOptCounter();
    ~ChgOptCounter();
    std::map<HWND, int> counts;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static ChgOptCounter* s_this;
    HHOOK m_hook;
};
