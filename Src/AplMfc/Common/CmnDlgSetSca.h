// The scale dialog ("倍率指定", template 24978): a display scale given as a percentage, as a
// fraction, or as a target width or height of the source image, turned into a fraction. It
// starts from the last values (theCmnAppInf.setSci) and keeps them when confirmed.
//
//   CmnDlgSetSca dialog(parent);
//   if (dialog.SetParam(4, width, height) == 0 && dialog.DoModal() == IDOK) dialog.GetScaleValue(&num, &den);
//
// Without SetParam the dialog ends at once with 3 (traced). Each control reports its own input
// error; OK shows the first and keeps the dialog open. The target size is the one a drawing area
// shows at the scale (each side truncated), so a scale the dialog accepts is one a page can
// show: a side below one pixel is refused (27593). A dialog from another template (the
// convert-size dialog) rounds the size to the nearest pixel, as a converted image is made.
#pragma once
#include "CmnDlg.h"

class CmnDlgSetSca : public CmnDlg {
    DECLARE_DYNAMIC(CmnDlgSetSca)

public:
    explicit CmnDlgSetSca(CWnd* pParentWnd = nullptr);
    // The same dialog from another template with the same items; its sizes are rounded.
    CmnDlgSetSca(UINT nIDTemplate, CWnd* pParentWnd);

    // ---- The five choices: the form, then width or height; each enables its edits ----
    virtual int SelTypPct();
    virtual int SelTypFrc();
    virtual int SelTypSiz();
    virtual int SelWidth();
    virtual int SelHeight();

    using CmnDlg::Init;
    // The stored values made consistent (a scale outside 1e-6 .. 100 or a size below 1 becomes
    // 1/1), then the dialog's start with its controls.
    virtual int Init();
    virtual int InitCtl();
    virtual int LoadSetSci();
    virtual int SaveSetSci();
    // decimals of the percentage 0 to 6, the source's size at least 1 x 1; -9 otherwise.
    virtual int SetParam(int decimals, int srcWidth, int srcHeight);
    virtual int GetScaleValue(int* num, int* den);
    // Only the edits of the chosen form (and the width or height radios of the size form) enabled.
    virtual int EnableCtl();

    BOOL OnInitDialog() override;
    // Closes with 1 once the values check, keeping them; else the first error is shown.
    void OnOK() override;
    int Term() override;
    // The form from the radios, then only its edits: their range, the fraction, the percentage
    // shown again in the dialog's decimals and the target size, written back to the five edits.
    int GetData(VkiCtl* ctl, void* data, int mode) override;

protected:
    // Control slots shared by every template of the dialog; the choices follow them.
    enum { SlotPctSign, SlotSlash, SlotPct, SlotNum, SlotDen, SlotWidth, SlotHeight, SlotOk, SlotCancel, SlotChoices };
    // The five radios, in the order of their slots.
    enum { RdoTypPct, RdoTypFrc, RdoTypSiz, RdoWidth, RdoHeight, RdoCnt };

    // A dialog with a fixed-ratio box (the item id) in the first choice slot before the radios:
    // its size form may give width and height apart when the box is unchecked.
    void UseFixBox(int id);
    int RdoSlot(int rdo) const { return m_iRdoSlot + rdo; }
    int SlotCount() const { return m_iRdoSlot + RdoCnt; }
    // The size form with the ratio released.
    bool IsFreeSize() const { return m_sci.iTypSca == 3 && !m_bFixSca; }
    // The stored values in and out (the scale settings here).
    virtual int LoadValues() { return LoadSetSci(); }
    virtual int SaveValues() { return SaveSetSci(); }
    // A checked or unchecked box of the dialog (its slot and state): a radio acts once checked.
    virtual void OnChoice(int slot, int state);
    // A choice enables its edits and posts the focus to the slot's control.
    int Select(int slot);

    // A box or radio's check notice: the choice, guarded against the notices it causes.
    afx_msg LRESULT OnVkeWmSetChk(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    SetSci m_sci;
    int m_bFixSca;   // the size form keeps the ratio (always without a fixed-ratio box)
    int m_iFixSlot;  // the fixed-ratio box's slot, -1 without one
    int m_iFixId;
    int m_iRdoSlot;  // the first radio's slot
    int m_bParam;
    int m_iDecimals;
    char m_amFmt[16];  // the percentage's display, "%.<decimals>lf"
    int m_iSrcWidth;
    int m_iSrcHeight;
    int m_iSizeMode; // how a target size is made from the fraction (GetSize: 2 truncated, 1 rounded)

private:
    int Normalise();
    // The percentage of a ratio in the dialog's decimals, trailing zeros dropped.
    void FormatPct(double ratio, char* text, int size);
    // The value of an edit; false after recording its input error.
    bool ReadValue(VkiCtl* checked, int slot, double* value);
    void Check(VkiCtl* checked);
    // The size form's edits: the one of the chosen side, or both when the ratio is released.
    bool ReadSize(VkiCtl* checked, SetSci* s);
    int IsOn(int slot);
    int m_bChecking; // set while a check writes the edits
};
