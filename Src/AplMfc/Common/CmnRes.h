// Resource ids of the framework's own resources (CmnRes.rc).
#pragma once

// Messages shown before the engine has started or when it cannot start.
#define IDS_CMN_SYS_MEMORY   27576
#define IDS_CMN_SYS_STATE    27577
#define IDS_CMN_SYS_INIT     27578
#define IDS_CMN_SYS_RUNNING  27579
#define IDS_CMN_INPUT_WRONG  27585
#define IDS_CMN_PRINTER      27587

// Size texts: one number text and its unit.
#define IDS_CMN_SIZE_BYTE    26598
#define IDS_CMN_SIZE_KB      26599
#define IDS_CMN_SIZE_MB      26600
#define IDS_CMN_SIZE_GB      26601
#define IDS_CMN_SIZE_TB      26602
// Type names where the shell gives only its untranslated fallback (Wine): a folder, a file of an
// extension without a registered type ("%s" the extension in capitals), a file without one.
#define IDS_CMN_TYPE_FOLDER  26610
#define IDS_CMN_TYPE_EXT     26611
#define IDS_CMN_TYPE_FILE    26612

// ---- Dialogs and pages: their menus, commands, templates, items and messages ----
// The dialog's popup menu and the context menu its engine controls share.
#define IDR_CMN_DLG_MENU     25084
#define IDR_CMN_CTL_MENU     25085
// Scale commands of a focused drawing area.
#define ID_CMN_SCA_DLG       49377 // scale by dialog
#define ID_CMN_SCA_WND       49378 // fit to the window
#define ID_CMN_SCA_WND_LRG   49379 // fit to the window when larger
#define ID_CMN_SCA_100       49380
#define ID_CMN_SCA_50        49381
#define ID_CMN_SCA_75        49382
#define ID_CMN_SCA_150       49383
#define ID_CMN_SCA_200       49384
// Owner-drawn buttons that open the font or colour dialog of their engine control.
#define ID_CMN_CHOOSER_FIRST 17684
#define ID_CMN_CHOOSER_LAST  17713
// The About box and the scale dialog, the program's icon.
#define IDD_CMN_ABT          24976
#define IDD_CMN_SET_SCA      24978
#define IDI_CMN_APP          128
// Items the framework's dialogs share.
#define IDC_CMN_STC_1        17484
#define IDC_CMN_STC_2        17485
#define IDC_CMN_STC_3        17486
#define IDC_CMN_EDT_1        17584
#define IDC_CMN_EDT_2        17585
#define IDC_CMN_EDT_3        17586
#define IDC_CMN_EDT_4        17587
#define IDC_CMN_EDT_5        17588
#define IDC_CMN_RDO_1        17884
#define IDC_CMN_RDO_2        17885
#define IDC_CMN_RDO_3        17886
#define IDC_CMN_RDO_4        17887
#define IDC_CMN_RDO_5        17888
// The About box's texts.
#define IDS_CMN_ABT_TITLE    26580
#define IDS_CMN_ABT_VERSION  26581
#define IDS_CMN_ABT_NOTE     26603
// Printing and the scale dialog's checks.
#define IDS_CMN_PRT_MARGIN   27586
#define IDS_CMN_SCA_PCT      27592
#define IDS_CMN_SCA_SMALL    27593
#define IDS_CMN_SCA_NUM      27594
#define IDS_CMN_SCA_DEN      27595
#define IDS_CMN_SCA_WIDTH    27596
#define IDS_CMN_SCA_HEIGHT   27597

// ---- The file list: its column titles (26589 + kind) and the header's sort images ----
#define IDS_CMN_LSC_COL_FIRST 26590 // 名前, 種類, サイズ, アクセス日時, 更新日時, 作成日時
#define IDI_CMN_SORT_ASC      25182
#define IDI_CMN_SORT_DSC      25183

// ---- Docked panels ----
#define IDC_CMN_DLB_GRIPPER  25176 // the cursor over a panel's gripper
#define IDC_CMN_MOVE         25177 // the image page's move cursor (MakeCursors.py)

// ---- Tab pages: the commands of the tab popup (the view's and the tab dialog's) ----
#define ID_CMN_TAB_NEW        51152 // never enabled in the bases
#define ID_CMN_TAB_OPEN       51153 // never enabled in the bases
#define ID_CMN_TAB_CLOSE      51154
#define ID_CMN_TAB_CLOSE_ALL  51155
#define ID_CMN_TAB_CLOSE_PREV 51156
#define ID_CMN_TAB_CLOSE_NEXT 51157
#define ID_CMN_TAB_CLOSE_OTHR 51158
#define ID_CMN_TAB_SAVE       51164 // never enabled in the bases
#define ID_CMN_TAB_SAVE_AS    51165 // never enabled in the bases
#define ID_CMN_TAB_SAVE_ALL   51166 // never enabled in the bases
#define ID_CMN_TAB_FIRST      51167
#define ID_CMN_TAB_LAST       51168
#define ID_CMN_TAB_PREV       51169
#define ID_CMN_TAB_NEXT       51170
#define ID_CMN_TAB_LOCK       51171
#define ID_CMN_TAB_UNLOCK     51172
