// Message texts and message boxes of the utility object.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubFil"
#include "VkiSub.h"
#include "VkeFrame.h"
#include <stdlib.h>

void VkiSub::FreeMsgTable()
{
    for (int i = 0; m_ppMsg && i <= m_iMsgCnt; ++i) free(m_ppMsg[i]);
    free(m_ppMsg);
    m_ppMsg = nullptr;
    m_iMsgCnt = 0;
}

const char* VkiSub::MsgText(int no) const
{
    if (!m_ppMsg) return "";
    if (no < 1 || no > m_iMsgCnt) no = 0;
    return m_ppMsg[no] ? m_ppMsg[no] : "";
}
