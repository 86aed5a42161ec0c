// Resource ids of the dialog, frame and scale-dialog tests.
#pragma once
#define IDD_TDLG        2001 // a dialog of engine controls and a drawing area
#define IDD_TSCA_BAD    2002 // the scale dialog without its "縦" radio
#define IDD_TBAR        2003 // a dialog bar
#define IDC_T_INT       2101
#define IDC_T_DBL       2102
#define IDC_T_CHECK     2103
#define IDC_T_COMBO     2104
#define IDC_T_AREA      2105
#define IDC_T_BUTTON    2106
#define IDC_T_HBAR      2107
#define IDC_T_VBAR      2108
#define IDD_TBAR_WIDE   2004 // a wide dialog bar
#define IDD_TDLG_PRT    2005 // two drawing areas side by side
#define IDC_T_AREA2     2109
#define IDC_T_HBAR2     2110
#define IDC_T_VBAR2     2111
