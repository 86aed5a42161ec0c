// Resource ids of the framework tests.
#pragma once
#define IDD_TEST_DIALOG 101
#define IDC_TEST_EDIT 1001
