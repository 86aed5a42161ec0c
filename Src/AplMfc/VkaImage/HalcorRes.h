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

// ---- Image pages and opening files ----
// The image page: its template, its one item (the drawing area) and the area's popup menu.
#define IDD_DLGIMG              112
#define IDC_DLGIMG_DRA          17584
#define IDR_DLGIMG_DRA          132
// The area's scroll bars, made by the engine.
#define IDC_DLGIMG_HSCR         0x4000
#define IDC_DLGIMG_VSCR         0x4001
// Commands of the page (their handlers come with the cut frame, rotation and edit work), the
// main frame's print-all commands and the status bar's page pane.
#define ID_VKA_FRM_TOGGLE       32772 // cut frame shown or not
#define ID_VKA_IMG_RESIZE       32773
#define ID_VKA_IMG_ROT_90       32774
#define ID_VKA_IMG_ROT_180      32775
#define ID_VKA_IMG_ROT_270      32776
#define ID_VKA_IMG_FLIP_V       32777
#define ID_VKA_IMG_FLIP_H       32778
#define ID_VKA_COPY_PATH        49252
#define ID_VKA_SAVE_STATE       49253
#define ID_VKA_CUT_SHOWN        49254
#define ID_VKA_COPY_SHOWN       49255
#define ID_VKA_PRINT_ALL        0xC003
#define ID_VKA_SETUP_ALL        0xC004
#define ID_INDICATOR_PAGE       32771
// Texts of the page: its status line ("自動" left empty), the frame, the titles.
#define IDS_DLGIMG_STATUS       32792
#define IDS_DLGIMG_SEL_IMG      32793
#define IDS_DLGIMG_FRAME        32794
#define IDS_DLGIMG_FRAME_OFF    32795
#define IDS_DLGIMG_NEW          32796
#define IDS_VKA_ORIENT_SET      27590
// The progress dialog: its template and its items.
#define IDD_DLGOPNSTS           111
#define IDC_DLGOPNSTS_DIR_LBL   17484
#define IDC_DLGOPNSTS_DIR       17485
#define IDC_DLGOPNSTS_FIL_LBL   17486
#define IDC_DLGOPNSTS_FIL       17487
#define IDC_DLGOPNSTS_CNT_LBL   17488
#define IDC_DLGOPNSTS_CNT       17489
#define IDC_DLGOPNSTS_PAG_LBL   17490
#define IDC_DLGOPNSTS_PAG       17491
#define IDC_DLGOPNSTS_ABORT     17684
// Texts of opening files ("%s": the path).
#define IDS_VKA_OPENED_ALREADY  32817
#define IDS_VKA_UNDER_ATS_DIR   32825
#define IDS_VKA_CANNOT_OPEN     32829
#define IDS_VKA_OPENING_BUSY    32831
#define IDS_VKA_ATS_DIR         32833
