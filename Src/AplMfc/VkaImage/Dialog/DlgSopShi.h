// The options dialog's display page ("表示設定", template 109): the scale an image page opens
// with, whether a folder opens its subfolders too, the scroll steps and wheel zoom ratio of the
// image and of the cut frame, and the cut frame's colour, inversion and pen style. It follows
// the page scheme of DlgSop; its values are those of SopShiVal.
#pragma once
#include "DlgSop.h"
#include "VkaAppInf.h"

// The display page's values (one copy): the common scroll steps (the last four not shown), the
// common wheel zoom step and the whole block of the display settings.
struct SopShiVal {
    int iScrSize[CmnScrSizeCnt];
    double dScaleWheel;
    SopShi sopShi;
};

class DlgSopShi : public DlgSop {
    DECLARE_DYNAMIC(DlgSopShi)

public:
    explicit DlgSopShi(DlgSetOpt* owner);

    int CopyShi(int to, int from);
    // Copy 2's eight scroll steps, wheel step and display block into the settings.
    int GetShi();
    int CopyVal(int to, int from) override { return CopyShi(to, from); }
    int IniVal() override;
    int LoadVal() override;
    int SaveVal() override { return GetShi(); }
    int SetData() override;
    int InitCtl() override;
    // The given scale while "指定" is chosen; the colour and the pen style while the frame is
    // not inverted.
    int EnableCtl() override;
    const SopShiVal& GetVal(int copy) const { return m_val[copy]; }

protected:
    enum {
        SlotLbl, SlotScale = 11, SlotImgArwH, SlotImgArwV, SlotImgWhlH, SlotImgWhlV, SlotImgRatio, SlotFrmArwH,
        SlotFrmArwV, SlotFrmWhlH, SlotFrmWhlV, SlotFrmRatio, SlotColor, SlotOpnSub, SlotInvClr, SlotRdoWnd,
        SlotRdoLrg, SlotRdoGiven, SlotPen, SlotCnt
    };
    int CtlCount() const override { return SlotCnt; }
    void Check(VkiCtl* checked) override;
    void OnCheck(int slot, int state) override;

    afx_msg void OnColor();
    afx_msg void OnPenChange();
    DECLARE_MESSAGE_MAP()

    SopShiVal m_val[SopCopyCnt];

private:
    // A percentage shown as "%.4lf" without trailing zeros.
    void ShowPct(int slot, double pct);
    // A scroll step's setting and its engine message.
    int* ScrSize(SopShiVal& val, int slot, int* message);
    void CheckScale(VkiCtl* checked);
    void CheckRatio(VkiCtl* checked, int slot, double* ratio);
};

LRESULT CALLBACK GF_DlgSopShiWndPrcCtl(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
