// Resource ids of the test program.
#pragma once
#define IDD_TEST_MODAL    100
#define IDD_TEST_MODELESS 101
#define IDC_TEST_EDIT     1001
#define IDC_TEST_BUTTON   1002
#define IDC_TEST_LABEL    1003
#define IDS_TEST_PORT     200
#define IDS_TEST_PAGE     201
#define IDS_TEST_LONG     202
