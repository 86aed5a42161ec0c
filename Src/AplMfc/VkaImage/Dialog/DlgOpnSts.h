// The progress dialog of a batch of openings (template 111): the folder and name of the file
// being opened, the files counted and the tab pages, and abort. It lives on the progress thread
// (HalcorThr), embedded in the application object; the main thread reaches it only by the three
// messages below, sent, and the abort command, posted when the batch ends.
//
// Each message answers 1 when handled and 0 when a pointer is missing:
//   OpnStsWmIsAbort  wParam int* the aborted flag, lParam int* status 0
//   OpnStsWmSetTop   lParam int* status (-6 before Init): topmost and shown, where it is
//   OpnStsWmSetPath  wParam const char* path, lParam int* SetPathName's status
#pragma once
#include "CmnDlg.h"

#define OpnStsWmIsAbort 0xA001
#define OpnStsWmSetTop  0xA002
#define OpnStsWmSetPath 0xA003

class DlgOpnSts : public CmnDlg {
public:
    DlgOpnSts();

    // The base's start, the state cleared, then Init; a failed Init ends the dialog with 27576.
    BOOL OnInitDialog() override;
    using CmnDlg::Init;
    // Nine engine controls, placed at the bottom right of the main frame, file count 1 (the
    // first file of the batch is open already), topmost.
    int Init();
    int InitCtl();
    // The file's folder (compacted to its control's width) and name, the file count one up, the
    // view's tab pages. -6 before Init, -9 for an empty path, -1 without the view.
    int SetPathName(const char* path);
    int GetFileCount() const { return m_iFilCnt; }
    int IsAborted() const { return m_bAborted; }

protected:
    // Enter and Escape do not end it: only the batch's end does.
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg LRESULT OnIsAbort(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTop(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetPath(WPARAM wParam, LPARAM lParam);
    // The first press marks the batch aborted, then waits (handling this thread's messages) for
    // the main thread's stop, brings the main frame up and ends the thread with 3.
    afx_msg void OnBtnAbort();
    DECLARE_MESSAGE_MAP()

private:
    void Place();
    int SetValue(int slot, const char* text);

    int m_bInitSts;
    int m_bAborted;
    int m_iFilCnt;
    char m_amPath[CmnPathSize];
    int m_bPumping; // 1 while the abort's wait handles a message
};
