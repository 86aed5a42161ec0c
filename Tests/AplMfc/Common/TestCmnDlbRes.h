// Resource ids of the docked panel tests.
#pragma once
#define IDD_TPNL        2301 // a panel of engine controls and a drawing area
#define IDD_TPNL_SMALL  2302 // a panel smaller than 50 x 50
#define IDC_P_INT       2311
#define IDC_P_COMBO     2312
#define IDC_P_MEMO      2313
#define IDC_P_AREA      2314
#define IDC_P_HBAR      2315
#define IDC_P_VBAR      2316
#define ID_P_LEFT       0xE830 // the panels' bar ids
#define ID_P_BOTTOM     0xE831
#define ID_P_SMALL      0xE832
