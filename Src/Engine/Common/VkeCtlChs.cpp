// The font and colour dialogs of font and colour push buttons: they start from the button's
// value (or the default font, or black), and a new choice becomes the value as an edit step.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlDti"
#include "VkiCtl.h"
#include "VkiDrw.h"
#include "VkiSub.h"
#include "VkeFrame.h"
#include <commdlg.h>
#include <stdlib.h>
#include <string.h>

namespace {

const int kText = 1024;

// The colours the user keeps in the colour dialog, for as long as the library is loaded.
COLORREF s_auCustom[16];

// 2 for a dialog the user cancelled, -1 for one that failed.
int DialogEnd() { return CommDlgExtendedError() ? VKE_ERR_SYSTEM : VKE_CANCELLED; }

} // namespace

int VkiCtl::DefaultFont(VkeFontRec* font)
{
    char face[VKE_MSG_SIZE], size[VKE_MSG_SIZE];
    int rc = m_pSub->GetMsg(49, face);
    if (rc == VKE_OK) rc = m_pSub->GetMsg(50, size);
    if (rc != VKE_OK) return rc;
    memset(font, 0, sizeof(*font));
    return m_pDrw->GetLogFont(nullptr, face, atoi(size), &font->lf);
}

int VkiCtl::DefaultFontText(char* out)
{
    VkeFontRec font;
    int rc = DefaultFont(&font);
    return rc == VKE_OK ? m_pSub->SetFontStr(out, kText, &font) : rc;
}

int VkiCtl::ChooseFontValue(int vertical)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!VkiCtlIsFlag(vertical)) return VKE_ERR_ARG;
    Dti& d = h->D();
    if (!h->IsPush() || d.iEditType != VKE_EDIT_FONT) return VKE_ERR_EXISTS;
    VkeFontRec font;
    rc = m_pSub->GetFontStr(VkiCtlStr(d.memWndText), &font);
    if (rc == VKE_ERR_NOT_FOUND || rc == VKE_ERR_FONT) rc = DefaultFont(&font);
    if (rc != VKE_OK) return rc;

    LOGFONTA lf = font.lf;
    CHOOSEFONTA cf = {};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = ::GetParent(h->m_hWnd);
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | (vertical ? 0 : CF_NOVERTFONTS);
    if (!::ChooseFontA(&cf)) return DialogEnd();
    // Bytes after the face name's end are no part of the font: they would make equal fonts
    // differ as texts.
    size_t face = strnlen(lf.lfFaceName, sizeof(lf.lfFaceName));
    memset(lf.lfFaceName + face, 0, sizeof(lf.lfFaceName) - face);
    font.lf = lf;
    char text[kText];
    rc = m_pSub->SetFontStr(text, kText, &font);
    if (rc != VKE_OK || strcmp(text, VkiCtlStr(d.memWndText)) == 0) return rc;
    return h->SetDataValue(text, 1);
}

int VkiCtl::ChooseColorValue()
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    Dti& d = h->D();
    if (!h->IsPush() || d.iEditType != VKE_EDIT_COLOR) return VKE_ERR_EXISTS;
    BYTE rgb[3] = {};
    rc = m_pSub->GetColorStr(VkiCtlStr(d.memWndText), &rgb[0], &rgb[1], &rgb[2]);
    if (rc == VKE_ERR_NOT_FOUND || rc == VKE_ERR_COLOR) {
        rgb[0] = rgb[1] = rgb[2] = 0;
        rc = VKE_OK;
    }
    if (rc != VKE_OK) return rc;

    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = ::GetParent(h->m_hWnd);
    cc.rgbResult = RGB(rgb[0], rgb[1], rgb[2]);
    cc.lpCustColors = s_auCustom;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!::ChooseColorA(&cc)) return DialogEnd();
    char text[kText];
    rc = m_pSub->SetColorStr(text, kText, GetRValue(cc.rgbResult), GetGValue(cc.rgbResult), GetBValue(cc.rgbResult));
    if (rc != VKE_OK || strcmp(text, VkiCtlStr(d.memWndText)) == 0) return rc;
    return h->SetDataValue(text, 1);
}

VKE_API int VkeCtlChooseFont(VkiCtl* ctl, int vertical) { VKE_FRAME(ctl, ctl->Sub(), ctl->ChooseFontValue(vertical)); }
VKE_API int VkeCtlChooseColor(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->ChooseColorValue()); }
