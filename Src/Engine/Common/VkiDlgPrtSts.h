// VkiDlgPrtSts: the printing-status dialog, modeless while a print job runs. It names the
// document, the printer, the port and the page being sent. Its Stop button only raises the
// library's stop flag, which the abort procedure reads; the job's end destroys the dialog.
// The library has exactly one, bound to the system object that prints.
#pragma once
#include "VkeEng.h"
#include "Mfc.h"

class VkiDlgPrtSts : public CDialog {
public:
    VkiDlgPrtSts() = default;

    // Binds the dialog to sys and its utility and draw objects: -9 sys null, else the codes
    // of the two fetches.
    int Bind(VkiSys* sys);
    // Forgets sys when it is the system object bound.
    void Unbind(VkiSys* sys);

    // Makes and shows the dialog for a job, painted at once; FALSE when it cannot be made.
    BOOL Open(const char* docName, const char* device, const char* port);
    void ShowPage(int page);
    void Close();
    bool IsOpen() const { return m_hWnd != nullptr; }
    bool IsStopped() const { return m_iStop != 0; }

    BOOL OnInitDialog() override;
    // Return does not end the dialog; Stop (Cancel, Escape, the close box) raises the flag.
    void OnOK() override {}
    void OnCancel() override { m_iStop = 1; }

private:
    VkiSys* m_pSys = nullptr;
    VkiSub* m_pSub = nullptr;
    VkiDrw* m_pDrw = nullptr;
    int m_iStop = 0; // the library's stop flag
};

extern VkiDlgPrtSts theVkiDlgPrtSts;
