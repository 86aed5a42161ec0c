// The system's page-setup dialog for ANSI callers, run through its wide version: Wine's ANSI
// version frees a block of its own to the wrong heap at every call (checked). The caller's record
// and blocks stay ANSI; hooks get the wide record, whose fields (lCustData too) lie where the
// ANSI record has them.
#pragma once
#include <windows.h>
#include <commdlg.h>

// As PageSetupDlgA. On success the device-names and device-mode blocks the record held are
// rewritten in place (same handles); blocks it did not hold are new ANSI blocks of the caller's.
// On failure the record's blocks are left as they were. CommDlgExtendedError tells why it failed.
BOOL AfxPageSetupDlg(PAGESETUPDLGA* psd);

// Wide copies of ANSI device blocks and back (new GMEM_MOVEABLE blocks; null when the block is
// null, damaged or memory is short). Exposed for tests.
HGLOBAL AfxDevNamesToWide(HGLOBAL names);
HGLOBAL AfxDevNamesToAnsi(HGLOBAL names);
HGLOBAL AfxDevModeToWide(HGLOBAL mode);
HGLOBAL AfxDevModeToAnsi(HGLOBAL mode);
