// Resource ids of the bar tests' frame.
#pragma once
#define IDR_TEST_BAR 201
// The commands of the test tool bar: eight buttons, two separators.
#define ID_BAR_FIRST 40001
#define ID_BAR_NEW   40001
#define ID_BAR_OPEN  40002
#define ID_BAR_SAVE  40003
#define ID_BAR_CUT   40004
#define ID_BAR_COPY  40005
#define ID_BAR_PASTE 40006
#define ID_BAR_ZOOM  40007
#define ID_BAR_HELP  40008
#define ID_BAR_LAST  40008
