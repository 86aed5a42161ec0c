// Resource ids of the engine library (VkeEng.rc).
#pragma once

// The printing-status dialog and its texts.
#define IDD_VKI_PRT_STS     100
#define IDC_VKI_PRT_DOCNAME 1002
#define IDC_VKI_PRT_DEVICE  1003
#define IDC_VKI_PRT_PORT    1004
#define IDC_VKI_PRT_PAGE    1005
#define IDS_VKI_PRT_PORT    61504 // "%1 へ出力中", %1 the port name
#define IDS_VKI_PRT_PAGE    61507 // "ﾍﾟｰｼﾞ %u", the page number

// Cursors of the library: a closed hand (a grab in the drawing area, a tab being carried) and
// an open hand (the drawing area while it has the focus).
#define IDC_VKI_GRAB 1001
#define IDC_VKI_HAND 1002
