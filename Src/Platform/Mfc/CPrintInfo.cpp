#include "CPrintInfo.h"
#include "CPrintDialog.h"

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)), m_bDirect(FALSE),
      m_bPreview(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1), m_nNumPreviewPages(0),
      m_strPageDesc("ﾍﾟｰｼﾞ %u\nﾍﾟｰｼﾞ %u-%u\n"), m_hDCMade(nullptr)
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
}

CPrintInfo::~CPrintInfo()
{
    if (m_hDCMade) ::DeleteDC(m_hDCMade);
    delete m_pPD;
}

// The dialog keeps page numbers in 16 bits.
static WORD PageWord(UINT nPage) { return static_cast<WORD>(nPage < 0xFFFF ? nPage : 0xFFFF); }

void CPrintInfo::SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = PageWord(nMinPage); }
void CPrintInfo::SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = PageWord(nMaxPage); }
UINT CPrintInfo::GetMinPage() const { return m_pPD->m_pd.nMinPage; }
UINT CPrintInfo::GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
UINT CPrintInfo::GetFromPage() const { return m_pPD->m_pd.nFromPage; }
UINT CPrintInfo::GetToPage() const { return m_pPD->m_pd.nToPage; }
