// The preview panel (template 103): the image picked in the file list, shown without a page in
// an engine drawing area (item 17584) at the settings' scale, copied to the clipboard and
// printed. The panel keeps the image in a path-and-image record and draws it when the area asks.
//
//   DlbPnlPrv& prv = frame->GetPnlPrv();
//   prv.Init();                       // once the engine exists (the main frame's start)
//   prv.PreviewImage(path);           // 0 shown, -12 no file (the preview empties)
//   CString shown = prv.GetPathName();
#pragma once
#include "CmnVar.h"
#include "DlbPnl.h"

class DlbPnlPrv : public DlbPnl {
public:
    DlbPnlPrv();
    // A window still open goes first, while this is still the panel that ends its image.
    ~DlbPnlPrv() override;

    // The panel with one drawing area (InitCtl), its menu (25081), the record and the draw
    // memory; ready last. A failure is traced and returned.
    int Init();
    // The drawing area on item 17584 behind GF_DlbPnlPrvWndPrcDra, with menu 25086, the
    // settings' colours, scale and steps, grab scrolling on.
    int InitCtl();
    // The draw memory, the record (and its image), then the panel base.
    int Term() override;
    // The drawing area fills the client area inside the gripper's margins, at least 30 by 30;
    // nothing while a print preview shows.
    void MoveCtl() override;

    // Shows the image of path (a running print preview ends first): 0 shown; -12 when path
    // names no file (the preview empties); 1 when the file holds no image the codecs read and
    // an error when it cannot be opened (the preview empties too). -6 before Init, -9 for an
    // empty path; 0 and nothing done without the main frame.
    int PreviewImage(const char* path);
    // The path shown, empty when nothing is.
    CString GetPathName();
    // The image shown (the record's), null when none.
    HBITMAP GetImage() const { return m_pPthImg ? m_pPthImg->hImg : nullptr; }
    VkiDra* GetDra() const { return m_inf.ppDra ? m_inf.ppDra[0] : nullptr; }
    HWND GetDraWnd() const { return m_inf.phDraWnd ? m_inf.phDraWnd[0] : nullptr; }

    // Copy is offered on the focused drawing area while an image is shown; the copy ends a
    // running print preview first and puts the image on the clipboard.
    int GetEditFlag(EditFlag* flags) override;
    int GetEditCpyFlag(int* out) override;
    int EditCpy() override;
    // The image laid out for the job's printer from the print settings: the header (the path
    // when its text is empty), page numbers, fonts and texts, the fitting mode and its
    // alignment. 0 with the job's pages 1 to the count; 2 with nothing shown; -13 (untraced)
    // when the margins leave no room.
    int PreparePrinting(CPrintInfo* pInfo) override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // A right click on the drawing area focuses it; it is swallowed while a print preview shows.
    afx_msg LRESULT OnCmnWmRfl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVkeWmDrw(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The image (or the back colour without one) into the request's DC.
    int Draw(const Dri& dri);
    // The record takes the image (null: empty) and its path; the area shows it afresh.
    int Show(const char* path, HBITMAP image);
    // The area's extent, palette, the settings' scale, scrolled home.
    int LayOut();
    bool DraFocused();

    CmnVarPthImg* m_pPthImg; // the shown image and its path (the record owns the image)
    Drm m_drm;               // attached to the image only while drawing
    int m_bDrm;
};

// The drawing area's window procedure: every message goes to the panel first as CmnWmRfl
// (wParam the area, lParam a MSG); a non-zero answer is its result.
LRESULT CALLBACK GF_DlbPnlPrvWndPrcDra(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
