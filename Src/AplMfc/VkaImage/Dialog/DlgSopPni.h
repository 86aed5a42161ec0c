// The options dialog's panel page ("パネル設定", template 108): the preview of the selected
// image, the file list's thumbnail size and the thumbnail cache, and the columns of its detail
// view (a system list view with check boxes, one line per column: ticked lines are shown, in
// the list's order). It follows the page scheme of DlgSop; its values are those of SopPniVal.
#pragma once
#include "DlgSop.h"
#include "VkaAppInf.h"

// The panel page's values (one copy). The columns are held by place: kind, width and whether
// it is shown; the list's lines refer to their places by their item data.
struct SopPniVal {
    int bPrvImg;
    int bPrvImgTab;
    int iCntImgCacTmn;
    int iModeLstViw;
    int iWidthTmnImg;
    int iHeightTmnImg;
    int iCntLstColTyp;
    int iIdxLstColTyp;
    int bAscent;
    char amFilter[CmnPathSize];
    int iTypLstCol[CmnLstColCnt];
    int iWidthLstCol[CmnLstColCnt];
    int bShwLstCol[CmnLstColCnt];
};

class DlgSopPni : public DlgSop {
    DECLARE_DYNAMIC(DlgSopPni)

public:
    explicit DlgSopPni(DlgSetOpt* owner);

    int CopyPni(int to, int from);
    // Copy 2 into the settings: the preview, the cache and the thumbnail size; the shown
    // columns in the list's order, then the others in kind order at width 120; the sort by
    // name, ascending. The view mode is the file list's own and the filter the file-command
    // panel's, when they exist.
    int GetPni();
    int CopyVal(int to, int from) override { return CopyPni(to, from); }
    int IniVal() override;
    // The file list hands its state to the settings first.
    int LoadVal() override;
    int SaveVal() override { return GetPni(); }
    int SetData() override;
    int InitCtl() override;
    // "タブに表示する" while the preview is ticked; the column buttons by the selected line.
    int EnableCtl() override;
    const SopPniVal& GetVal(int copy) const { return m_val[copy]; }

    // The column buttons' work: the selected line one place up or down (with its text, item
    // data and tick), ticked or unticked (never the name column).
    int MoveCol(int step);
    int ShowCol(bool show);

protected:
    enum {
        SlotLbl, SlotWidth = 5, SlotHeight, SlotCache, SlotColWidth, SlotUp, SlotDown, SlotShow, SlotHide, SlotPrvImg,
        SlotPrvTab, SlotCnt
    };
    int CtlCount() const override { return SlotCnt; }
    void Check(VkiCtl* checked) override;
    void OnCheck(int slot, int state) override;

    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnShow();
    afx_msg void OnHide();
    afx_msg void OnColChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    SopPniVal m_val[SopCopyCnt];
    HWND m_hList;
    int m_iColPlace; // the place whose width the width box shows

private:
    int SelLine() const;
    // The place (item data) of a line, and the kind there.
    int PlaceOf(int line) const;
    int KindOf(int line) const;
    bool IsTicked(int line) const;
    // Copy 2's columns in the list's order, each line's item data its new place.
    void ReadList();
    // The focus to the list when a column button went off.
    void FocusListIfOff(int slot);
};

LRESULT CALLBACK GF_DlgSopPniWndPrcCtl(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
