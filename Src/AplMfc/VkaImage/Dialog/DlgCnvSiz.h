// The convert-size dialog ("サイズ変換", template 118): the scale dialog (CmnDlgSetSca) asking
// for the new size of a page's image, with one addition: in the size form the ratio can be
// released ("固定比率" unchecked), so width and height are given apart. It starts from the last
// values (theAppInf.cnvSzi) and keeps them when confirmed; "閉じる" keeps nothing.
//
//   DlgCnvSiz dialog(page);
//   if (dialog.SetParam(4, imageWidth, imageHeight) == 0 && dialog.DoModal() == IDOK)
//       dialog.GetSize(&width, &height);   // at least 1 x 1
//
// Without SetParam the dialog ends at once with 3 (traced). Input errors are shown one at a time
// on OK (27592 to 27597); a released ratio checks both sides' ratios against 1e-6 .. 100.
#pragma once
#include "CmnDlgSetSca.h"

class DlgCnvSiz : public CmnDlgSetSca {
    DECLARE_DYNAMIC(DlgCnvSiz)

public:
    explicit DlgCnvSiz(CWnd* pParentWnd = nullptr);

    // The new size: the width and height the dialog confirmed. -9 for a null pointer.
    int GetSize(int* width, int* height);

    // The record in and out of the settings (theAppInf.cnvSzi).
    virtual int LoadCnvSzi();
    virtual int SaveCnvSzi();

    // The focus on the percent edit, the numerator or, in the size form, the fixed-ratio box.
    BOOL OnInitDialog() override;
    // The size form: the focus to the fixed-ratio box.
    int SelTypSiz() override;

protected:
    int LoadValues() override { return LoadCnvSzi(); }
    int SaveValues() override { return SaveCnvSzi(); }
    // The fixed-ratio box takes its state at both check and uncheck.
    void OnChoice(int slot, int state) override;
    // The box's state as the fixed-ratio flag, the edits enabled again, the focus to the next control.
    virtual int OnChkFixSca(int checked);
};
