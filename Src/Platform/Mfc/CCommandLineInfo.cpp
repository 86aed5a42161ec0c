#include "CCommandLineInfo.h"

CCommandLineInfo::CCommandLineInfo() : m_nShellCommand(FileNew) {}

void CCommandLineInfo::ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL)
{
    if (bFlag || !pszParam || !m_strFileName.IsEmpty()) return;
    m_strFileName = pszParam;
    if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
}
