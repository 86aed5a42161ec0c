// Resource ids of the frame tests.
#pragma once
#define IDR_TESTFRAME      128
#define IDD_TEST_BAR1      101
#define IDD_TEST_BAR2      102
#define IDD_TEST_SMALLBAR  103
#define ID_BAR1            0xE810
#define ID_BAR2            0xE811
#define ID_SMALLBAR        0xE812
#define IDC_BAR_EDIT1      1001
#define IDC_BAR_EDIT2      1002
#define IDC_BAR_OWN        1003
#define IDC_BAR_NONE       1004
#define IDC_BAR_FRAME      1005
#define IDC_BAR2_BUTTON    1011
#define ID_TEST_CHECK      32801
#define ID_TEST_NOHANDLER  32802
#define ID_INDICATOR_PAGE  32803
#define IDR_MISSING        999
