// Resource ids of the program (Halcor.rc).
#pragma once

// The main window: its menu, accelerators and title (the document template's resource).
#define IDR_MAINFRAME 128

// Dialog templates.
#define IDD_CHILDVIW  100 // the main window's view
#define IDD_DLGSETOPT 106 // the options dialog
#define IDC_DLGSETOPT_TEXT 1000

// Texts of the start-up.
#define IDS_VKA_SAMPLE_1        32797 // the first run's sample images, in Vkt\Smp
#define IDS_VKA_SAMPLE_2        32798
#define IDS_VKA_FIRST_RUN       32814
#define IDS_VKA_SAMPLES_OPENED  32819
#define IDS_VKA_NOT_FOUND       32823 // "%s": the path
