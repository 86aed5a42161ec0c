// What the program's command line asks for: CWinApp::ParseCommandLine hands each argument to
// ParseParam (flags are the arguments after "-" or "/", without it), and ProcessShellCommand
// does what m_nShellCommand says.
#pragma once
#include "CObject.h"
#include "CString.h"

class CCommandLineInfo : public CObject {
public:
    CCommandLineInfo();

    // The base takes the first argument that is not a flag as the file to open (FileNew
    // becomes FileOpen); flags are left to derived classes.
    virtual void ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast);

    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand;
    CString m_strFileName;
};
