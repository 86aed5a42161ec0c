// Resource ids of the tab view and tab dialog tests.
#pragma once
#define IDR_TTBV        2901 // the frame of the tab view tests
#define IDD_TTBV        2902 // the view's form: a tab control
#define IDD_TPAG        2903 // a page: a whole-number edit and a drawing area
#define IDD_TDLT        2904 // the tab dialog: a tab control, OK and Cancel
#define IDR_TTAB_MENU   2905 // the tab popup
#define IDD_TFCS        2906 // a dialog outside the tabs: one edit
#define IDC_TT_TAB      2951
#define IDC_TT_INT      2952
#define IDC_TT_AREA     2953
#define IDC_TT_HBAR     2954
#define IDC_TT_VBAR     2955
#define IDC_TT_EDIT     2956
