// Ids of the test dialog and its controls.
#pragma once

#define IDD_VKT_DLG 100

#define IDC_NAME 1001
#define IDC_OFF 1002
#define IDC_N1 1003
#define IDC_N2 1004
#define IDC_N3 1005
#define IDC_N4 1006
#define IDC_PUSH 1010
#define IDC_FONT 1011
#define IDC_COLOR 1012
#define IDC_CHECK 1020
#define IDC_THREE 1021
#define IDC_A1 1022
#define IDC_A2 1023
#define IDC_B1 1024
#define IDC_B2 1025
#define IDC_LIST 1030
#define IDC_SIMPLE 1031
#define IDC_DROP 1032
#define IDC_DROPLIST 1033
