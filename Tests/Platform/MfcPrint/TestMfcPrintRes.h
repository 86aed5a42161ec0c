// Resource ids of the print tests.
#pragma once
#define IDR_PRINTTEST    128
#define IDD_PRINTFORM    101
#define IDD_PRINTBAR     102
#define IDD_PRINTFLOAT   103
#define IDD_TESTPRINT    104
#define ID_PRINTBAR      0xE810
#define ID_PRINTFLOAT    0xE811
#define IDC_FORM_EDIT    1001
#define ID_BAR_BUTTON    32801
#define ID_FLOAT_BUTTON  32802
// The extra button of the test's print dialog template.
#define IDC_TEST_STOP    17684
