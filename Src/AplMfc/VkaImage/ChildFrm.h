// The main frame. Its creation starts the application (HalcorApp::Init: the engine, the records
// and the settings); the deferred start-up message runs HalcorApp::InitApp once the loop turns.
#pragma once
#include "Mfc.h"

class ChildFrm : public CFrameWnd {
    DECLARE_DYNCREATE(ChildFrm)

public:
    ~ChildFrm() override;
    // Without pages the title is the application's name alone.
    void OnUpdateFrameTitle(BOOL) override { UpdateFrameTitleForDocument(nullptr); }

protected:
    ChildFrm() = default;
    // -1 when the application cannot start; another instance running, or a start refused by the
    // user, is no failure to report.
    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg LRESULT OnInitApp(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
