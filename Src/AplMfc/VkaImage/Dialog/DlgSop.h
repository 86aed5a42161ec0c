// The scheme every page of the options dialog (DlgSetOpt) follows: the basic page DlgSopBsi,
// the panel page DlgSopPni and the display page DlgSopShi.
//
// A page keeps three copies of its values: 0 the built-in initial values, 1 the values in force
// when the page was made (at program start), 2 the values shown. SetData shows copy 2 in the
// controls, GetData checks the controls into copy 2, SaveVal copies copy 2 into the settings.
// Every change of a control sets the dialog's modified flag; a failed check records the
// control's error (SetError) and sets the dialog's error flag. Enter and Esc act on the whole
// dialog (commands 1 and 2 posted to it). The controls' messages reach the page first as
// CmnWmRfl through the page's control procedure:
//
//   LRESULT CALLBACK GF_DlgSopXxxWndPrcCtl(HWND h, UINT m, WPARAM w, LPARAM l)
//   {
//       return DlgSop::RunCtlProc(h, m, w, l);
//   }
//
// Life cycle: made by the dialog's OpenPage on its tab control -> OnInitDialog (copies 0, 2 and
// 1, then Init: the controls, copy 2 shown) -> destroyed with its tab.
#pragma once
#include "CmnDlg.h"

class DlgSetOpt;

// The copies of a page's values.
enum { SopIni = 0, SopRun = 1, SopCur = 2, SopCopyCnt = 3 };

class DlgSop : public CmnDlg {
    DECLARE_DYNAMIC(DlgSop)

public:
    DlgSop(UINT nIDTemplate, DlgSetOpt* owner, WNDPROC ctlProc);

    // ---- The copies (each page names them after its values: CopyBsi, GetBsi, ...) ----
    // Copy from into copy to (0 to 2); -9 for any other index.
    virtual int CopyVal(int to, int from) = 0;
    // Copy 0 takes the built-in initial values.
    virtual int IniVal() = 0;
    // Copy 2 from the settings.
    virtual int LoadVal() = 0;
    // Copy 2 into the settings.
    virtual int SaveVal() = 0;
    // Copy 2 into the controls (no check notice or change of the dialog's flags comes of it).
    virtual int SetData() = 0;

    // Start-up values (copy 1), initial values (copy 0), latest values (the settings): into copy
    // 2 and shown.
    virtual int SetRunVal();
    virtual int SetIniVal();
    virtual int SetNewVal();

    // The copies, then Init; a failure shows 27576 and ends the page with 3.
    BOOL OnInitDialog() override;
    using CmnDlg::Init;
    // The controls (InitCtl) behind the page's control procedure, copy 2 shown, the enabling.
    virtual int Init();
    virtual int InitCtl() = 0;
    // Enables the controls that depend on others' values.
    virtual int EnableCtl() = 0;

    // Checks every control (ctl null) or the one given into copy 2: the recorded error, 0 when
    // all are right. A control reported modified sets the dialog's modified flag, an error its
    // error flag.
    int GetData(VkiCtl* ctl, void* data, int mode) override;

    // The edits that change a value mark the dialog modified when the focused control is.
    int EditUnd() override;
    int EditRdo() override;
    int EditCut() override;
    int EditPst() override;
    int EditCle() override;

    // Enter and Esc: commands 1 and 2 posted to the dialog.
    void OnOK() override;
    void OnCancel() override;

    // The body of the pages' control procedures: the message to the page as CmnWmRfl (wParam the
    // control, lParam a MSG); a non-zero answer is its result, else the control's own procedure
    // runs.
    static LRESULT RunCtlProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // The number of engine control slots of the page.
    virtual int CtlCount() const = 0;
    // The page's checks of every control (checked null) or of the one given (RejectSlot records
    // the failures); the values that pass go into copy 2.
    virtual void Check(VkiCtl* checked) = 0;
    // A check box or radio of the slot changed to state (0 or 1): its value into copy 2.
    virtual void OnCheck(int slot, int state) = 0;

    // Copy from into copy to of a page's copies; -9 (traced under name) for other indexes.
    template <class Val>
    static int CopyOf(Val (&val)[SopCopyCnt], int to, int from, const char* name)
    {
        if (!IsCopyPair(to, from, name)) return VKE_ERR_ARG;
        if (to != from) val[to] = val[from];
        return VKE_OK;
    }
    static bool IsCopyPair(int to, int from, const char* name);

    // The dialog's flags.
    void SetModified();
    void SetDlgError();
    // The modified flag when the focused control of the dialog's current page is modified.
    void SetModifiedIfCur();

    // ---- Controls ----
    // The value text of a slot's control into copy 2 or out of it.
    int ShowValue(int slot, const char* text);
    int ShowFlag(int slot, int value) { return ShowValue(slot, value == 1 ? "1" : "0"); }
    int ShowInt(int slot, int value);
    // A check box's or radio's state (1 on).
    int IsOn(int slot);
    // Whether the check is of every control or of this one.
    bool Wanted(VkiCtl* checked, int slot) const { return !checked || checked == m_inf.ppCtl[slot]; }
    // The control's text as typed (an empty text gives 1); 0 read.
    int ReadText(int slot, char* text, int size);
    // A whole number or a number with a point: 0 read, 1 empty (the value stays), -1 not such a
    // number. ReadInt gives 2 for a whole number above the largest int.
    int ReadInt(int slot, int* value);
    int ReadDbl(int slot, double* value);
    // A whole number from lo up to the largest int (the settings' own bounds) into *value; one
    // below lo, or a text that is no whole number, is rejected with small, one above with big.
    // An empty edit leaves the value.
    void CheckWhole(VkiCtl* checked, int slot, int lo, int small, int big, int* value);
    // A number written back into its edit as "%.6lf" without trailing zeros.
    void ShowDbl(int slot, double value);
    // The colour dialog of a colour button: the dialog modified when the button is.
    void ChooseColor(int slot);
    void EnableSlot(int slot, bool enable);

    afx_msg LRESULT OnCmnWmRfl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVkeWmSetChk(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    DlgSetOpt* m_pOwner;
    WNDPROC m_pfnCtlPrc;
    int m_bLoading;  // SetData runs: the notices it causes change nothing
    int m_bChecking; // GetData runs: the writes it makes only show their values
};
