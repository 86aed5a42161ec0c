// Resource ids of the program (Halcor.rc).
#pragma once

// The main window: its menu, accelerators and title (the document template's resource).
#define IDR_MAINFRAME 128

// Dialog templates.
#define IDD_CHILDVIW  100 // the main window's view

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
#define IDS_VKA_ORIENT_GET      27591
#define IDS_DLGIMG_ROTATE_FAIL  32840
#define IDS_DLGIMG_REFLECT_FAIL 32841
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

// ---- The file, print, batch-print and convert-size dialogs of the pages ----
// Templates: the open, save and open-information dialogs' parts below the system's controls
// (placeholder stc32), the print dialog whole, the batch-print and convert-size dialogs.
#define IDD_DLGOPN              113
#define IDD_DLGSAV              114
#define IDD_DLGOPI              115
#define IDD_DLGPRT              116
#define IDD_DLGPRTALL           117
#define IDD_DLGCNVSIZ           118
// The save dialog's items: abort (batch print), type, extension check, JPEG quality, saved size,
// the quality's two labels and five notes from IDC_DLGSAV_NOTE.
#define IDC_DLGSAV_ABORT        17684
#define IDC_DLGSAV_TYPE         18084
#define IDC_DLGSAV_CHKEXT       17784
#define IDC_DLGSAV_QUALITY      17584
#define IDC_DLGSAV_ORGSIZ       17884
#define IDC_DLGSAV_SHWSIZ       17885
#define IDC_DLGSAV_QLT_LBL      17484
#define IDC_DLGSAV_QLT_RNG      17485
#define IDC_DLGSAV_NOTE         17486
// The open-information dialog's options, in the order of their settings, and nine notes.
#define IDC_DLGOPI_ONLLCD       17784
#define IDC_DLGOPI_OPNLCK       17785
#define IDC_DLGOPI_OPNAPD       17786
#define IDC_DLGOPI_IMGSEL       17787
#define IDC_DLGOPI_CREBAK       17788
#define IDC_DLGOPI_NOTE         17484
// The print dialog's abort (batch print); the batch-print options in the order of their settings.
#define IDC_DLGPRT_ABORT        17684
#define IDC_DLGPRTALL_SELIMG    17784
#define IDC_DLGPRTALL_ONLLCD    17785
#define IDC_DLGPRTALL_PTRCLS    17786
#define IDC_DLGPRTALL_CLSLCD    17787
// The convert-size dialog's fixed-ratio box (its other items are the scale dialog's).
#define IDC_DLGCNVSIZ_FIXSCA    17784
// Texts of the dialogs ("%s": the path; 32828: the type's description and the name's extension).
#define IDS_VKA_CLOSE_BTN       26577
#define IDS_VKA_OPI_READ        32812
#define IDS_VKA_OPI_WRITE       32813
#define IDS_VKA_OVERWRITE       32815
#define IDS_VKA_BAD_PATH        32822
#define IDS_VKA_SAVE_OPENED     32824
#define IDS_VKA_EXT_MISMATCH    32828
#define IDS_VKA_BAD_QUALITY     32839
#define IDS_VKA_PATH_LONG       32860 // a name whose path passes the longest path a file may have
#define IDS_VKA_CANNOT_WRITE    IDS_VKA_OPI_CANNOT_WRITE
// Texts of saving and printing a page: the save question after the page's file name, a save
// that failed ("%s": the path), a page-set frame the print moved.
#define IDS_VKA_SAVE_ASK        32816
#define IDS_VKA_CANNOT_SAVE     32830
#define IDS_VKA_FRAME_MOVED     32842

// ---- The main window: frame, bars, panels and the tab view ----
// The tab view's popup menu (the tab's context menu); the tab control of the view's form.
#define IDR_CHILDVIW_MENU       130
#define IDC_CHILDVIW_TAB        17384
// The five docked panels' templates and the text that names a panel until it has its controls.
#define IDD_DLBPNL_TRCFLD       101
#define IDD_DLBPNL_LSCFIL       102
#define IDD_DLBPNL_PRV          103
#define IDD_DLBPNL_FILCMD       104
#define IDD_DLBPNL_OPR          105
#define IDC_DLBPNL_NAME         1000
// The folder-tree panel: its tree view, its own menu and the tree's context menu.
#define IDC_DLBPNL_TRCFLD       1001
#define IDR_DLBPNL_TRCFLD       25079
#define IDR_DLBPNL_TRCFLD_CTX   25088
// The preview panel: its drawing area (an edit item the area takes over), the panel's menu and
// the area's popup menu; the area's scroll bars are the image page's ids.
#define IDC_DLBPNL_PRV_DRA      17584
#define IDR_DLBPNL_PRV          25081
#define IDR_DLBPNL_PRV_DRA      25086
// The operation panel: its menu, its items in the order of its controls (labels, the frame's
// width and height, header and footer texts, buttons, font buttons, check boxes, the frame
// mode's, the leading side's and the paper orientation's radio buttons, the page fitting), the
// page fitting's six lines and the messages of a width or height below 1.
#define IDR_DLBPNL_OPR          25083
#define IDC_DLBPNL_OPR_LBL_WID  17494
#define IDC_DLBPNL_OPR_LBL_HEI  17495
#define IDC_DLBPNL_OPR_LBL_FIT  17496
#define IDC_DLBPNL_OPR_WIDTH    17594
#define IDC_DLBPNL_OPR_HEIGHT   17595
#define IDC_DLBPNL_OPR_HEADER   17596
#define IDC_DLBPNL_OPR_FOOTER   17597
#define IDC_DLBPNL_OPR_CUT      17694
#define IDC_DLBPNL_OPR_PRINT    17695
#define IDC_DLBPNL_OPR_PRT_ALL  17696
#define IDC_DLBPNL_OPR_SET_ALL  17697
#define IDC_DLBPNL_OPR_PREVIEW  17698
#define IDC_DLBPNL_OPR_SETUP    17699
#define IDC_DLBPNL_OPR_FNT_HDR  17700
#define IDC_DLBPNL_OPR_FNT_FTR  17701
#define IDC_DLBPNL_OPR_SHWFRM   17794
#define IDC_DLBPNL_OPR_PAGSET   17795
#define IDC_DLBPNL_OPR_CLBMON   17796
#define IDC_DLBPNL_OPR_OMTDLG   17797
#define IDC_DLBPNL_OPR_HDRON    17798
#define IDC_DLBPNL_OPR_FTRON    17799
#define IDC_DLBPNL_OPR_MOD_FREE 17894
#define IDC_DLBPNL_OPR_MOD_SIZE 17895
#define IDC_DLBPNL_OPR_MOD_RATIO 17896
#define IDC_DLBPNL_OPR_HRZ      17897
#define IDC_DLBPNL_OPR_VRT      17898
#define IDC_DLBPNL_OPR_ORI_CUR  17899
#define IDC_DLBPNL_OPR_ORI_AUTO 17900
#define IDC_DLBPNL_OPR_ORI_LAND 17901
#define IDC_DLBPNL_OPR_ORI_PORT 17902
#define IDC_DLBPNL_OPR_FIT      18094
#define IDS_DLBPNL_OPR_FIT_1    26584
#define IDS_DLBPNL_OPR_BAD_WID  32837
#define IDS_DLBPNL_OPR_BAD_HEI  32838
// The file-list panel: its list view, its own menu, the list's context menu, and the words of
// the sort commands ("名前" "の" "昇順" "(&A)").
#define IDC_DLBPNL_LSCFIL       1002
#define IDR_DLBPNL_LSCFIL       25080
#define IDR_DLBPNL_LSCFIL_CTX   25089
#define IDS_VKA_LSC_ASC         26596
#define IDS_VKA_LSC_DSC         26597
#define IDS_VKA_LSC_OF          32856
// The file-command panel: its controls (engine controls 0 to 24 in this order), its menu and
// its texts.
#define IDC_FILCMD_PERLBL       17504
#define IDC_FILCMD_PERUNT       17505
#define IDC_FILCMD_PERIND       17604
#define IDC_FILCMD_OPNIMG       17704
#define IDC_FILCMD_OPNDIR       17705
#define IDC_FILCMD_LOCATE       17706
#define IDC_FILCMD_REFRESH      17707
#define IDC_FILCMD_STOP         17708
#define IDC_FILCMD_AUTLST       17709
#define IDC_FILCMD_AUTTAB       17710
#define IDC_FILCMD_PLARUN       17711
#define IDC_FILCMD_PLAADD       17712
#define IDC_FILCMD_PLACHG       17713
#define IDC_FILCMD_PLADEL       17714
#define IDC_FILCMD_TOLRUN       17715
#define IDC_FILCMD_TOLADD       17716
#define IDC_FILCMD_TOLCHG       17717
#define IDC_FILCMD_TOLDEL       17718
#define IDC_FILCMD_RUNSEL       17804
#define IDC_FILCMD_REPEAT       17805
#define IDC_FILCMD_HISTORY      17904
#define IDC_FILCMD_FAVORITE     17905
#define IDC_FILCMD_PLACE        18104
#define IDC_FILCMD_FILTER       18105
#define IDC_FILCMD_TOOL         18106
#define IDR_DLBPNL_FILCMD       25082
#define IDS_VKA_BAD_PERIOD      32852
#define IDS_VKA_REGISTERED      32853
#define IDS_VKA_TOOL_FILTER     32854
#define IDS_VKA_DFL_TOOL        32855
// The error report written to the log: with the engine's message for the code, and without.
#define IDS_VKA_REPORT          32790
#define IDS_VKA_REPORT_NOMSG    32791

// Commands of the main menu, the tool bar and the accelerators (the framework's own ids, such as
// ID_FILE_OPEN and ID_EDIT_COPY, come from MfcIds.h; the page's above).
#define ID_VKA_POP_SAVE         32786 // the tab popup's save
#define ID_VKA_CLOSE_NOSAVE     45056
#define ID_VKA_CLOSE_ALL        45057
#define ID_VKA_CLOSE_ALL_NOSAVE 45058
#define ID_VKA_SAVE_ALL         45059
#define ID_VKA_OPEN_DIR         0xC000 // 49152
#define ID_VKA_READ_OPI         0xC001
#define ID_VKA_WRITE_OPI        0xC002
#define ID_VKA_SEL_DIR_GO       0xC005
#define ID_VKA_SEL_DIR_OPEN     0xC006
#define ID_VKA_SEL_IMG_SHOW     0xC007
#define ID_VKA_SEL_IMG_OPEN     0xC008
// Focus moves and the bars: folder tree, file list, preview, file commands, operations, then the
// tab and its page; the tool bar's customisation and layouts; per panel show/hide, size at start
// and initial size (three ids a panel, in the panels' order).
#define ID_VKA_FCS_TRCFLD       0xC0C8
#define ID_VKA_FCS_LSCFIL       0xC0C9
#define ID_VKA_FCS_PRV          0xC0CA
#define ID_VKA_FCS_FILCMD       0xC0CB
#define ID_VKA_FCS_OPR          0xC0CC
#define ID_VKA_FCS_TAB          0xC0CD
#define ID_VKA_FCS_PAGE         0xC0CE
#define ID_VKA_TLB_CUSTOMIZE    0xC0CF
#define ID_VKA_TLB_START        0xC0D0
#define ID_VKA_TLB_INITIAL      0xC0D1
#define ID_VKA_PNL_FIRST        0xC0D2 // 0xC0D2 + 3 x panel: show/hide; + 1 size at start; + 2 initial size
#define ID_VKA_PNL_LAST         0xC0E0
#define ID_VKA_VIEW_BACK        0xC0E9
#define ID_VKA_VIEW_FORWARD     0xC0EA
#define ID_VKA_VIEW_MODE_FIRST  0xC0EB // thumbnails, icons, small icons, list, details
#define ID_VKA_VIEW_MODE_LAST   0xC0EF
#define ID_VKA_SORT_FIRST       0xC0F0 // name, type, size, access, update, creation; ascending, descending
#define ID_VKA_SORT_LAST        0xC0FB
#define ID_VKA_VIEW_REFRESH     0xC0FC
#define ID_VKA_VIEW_LOCATE      0xC0FD
#define ID_VKA_OPTIONS          0xC12D
// The tab popup's commands.
#define ID_VKA_POP_OPEN         51153
#define ID_VKA_POP_CLOSE        51154
#define ID_VKA_POP_CLOSE_ALL    51155
#define ID_VKA_POP_CLOSE_PREV   51156
#define ID_VKA_POP_CLOSE_NEXT   51157
#define ID_VKA_POP_CLOSE_OTHER  51158
#define ID_VKA_POP_CLOSE_NOSAVE 51159
#define ID_VKA_POP_CLOSE_ALL_NOSAVE   51160
#define ID_VKA_POP_CLOSE_PREV_NOSAVE  51161
#define ID_VKA_POP_CLOSE_NEXT_NOSAVE  51162
#define ID_VKA_POP_CLOSE_OTHER_NOSAVE 51163
#define ID_VKA_POP_SAVE_ALL     51166
#define ID_VKA_PAGE_FIRST       51167
#define ID_VKA_PAGE_LAST        51168
#define ID_VKA_PAGE_PREV        51169
#define ID_VKA_PAGE_NEXT        51170
#define ID_VKA_PAGE_LOCK        51171
#define ID_VKA_PAGE_UNLOCK      51172
// Help: the manual as HTML and as text, the keys and the mouse.
#define ID_VKA_HELP_HTM         0x800B
#define ID_VKA_HELP_TXT         0x800C
#define ID_VKA_HELP_KBM         0x800D

// ---- The open-information file ----
// Its header line: the first text, the second formatted with the version ("%.2lf"), the third;
// the column titles follow "***".
#define IDS_VKA_OPI_HEADER_1    32809
#define IDS_VKA_OPI_HEADER_2    32810
#define IDS_VKA_OPI_HEADER_3    32811
// Its dialogs' filter, and the messages of a file that cannot be read or written or that held
// lines which could not be used ("%s": the path).
#define IDS_VKA_OPI_FILTER      32799
#define IDS_VKA_OPI_CANNOT_READ  32826
#define IDS_VKA_OPI_CANNOT_WRITE 32827
#define IDS_VKA_OPI_BAD_ROWS     32863
// The question before every image page takes the current page set-up.
#define IDS_VKA_SETUP_ALL_ASK   32818

// ---- The options dialog and its pages ----
// The dialog: its tab control and buttons (OK 1, Close 2 besides), the tab's context menu with
// its page items (32785, the save settings, is removed when loaded) and the edit menu.
#define IDD_DLGSETOPT           106
#define IDC_DLGSETOPT_TAB       17384
#define IDC_DLGSETOPT_APPLY     17684
#define IDC_DLGSETOPT_RUNVAL    17685
#define IDC_DLGSETOPT_INIVAL    17686
#define IDC_DLGSETOPT_NEWVAL    17687
#define IDR_DLGSETOPT_TAB       129
#define IDR_DLGSETOPT_EDIT      131
#define ID_VKA_SOP_BSI          32782
#define ID_VKA_SOP_PNI          32783
#define ID_VKA_SOP_SHI          32784
#define ID_VKA_SOP_SVI          32785
// The pages' templates and tab titles.
#define IDD_DLGSOPBSI           107
#define IDD_DLGSOPPNI           108
#define IDD_DLGSOPSHI           109
#define IDS_VKA_SOP_BSI         32787
#define IDS_VKA_SOP_PNI         32788
#define IDS_VKA_SOP_SHI         32789
// The basic page: the user directory's label, edit and browse button, the two colour buttons,
// the seven check boxes and the three radios of the page shown after opening.
#define IDC_DLGSOPBSI_DIR_LBL   17484
#define IDC_DLGSOPBSI_DIR       17584
#define IDC_DLGSOPBSI_BROWSE    17684
#define IDC_DLGSOPBSI_CLR_ERR   17685
#define IDC_DLGSOPBSI_CLR_MDF   17686
#define IDC_DLGSOPBSI_RET_TAB   17784
#define IDC_DLGSOPBSI_CLRERR    17785
#define IDC_DLGSOPBSI_CLRMDF    17786
#define IDC_DLGSOPBSI_CHGDIR    17787
#define IDC_DLGSOPBSI_OPNOPD    17788
#define IDC_DLGSOPBSI_OPNLCD    17789
#define IDC_DLGSOPBSI_OPNLCK    17790
#define IDC_DLGSOPBSI_CLELOG    17791
#define IDC_DLGSOPBSI_SEL_CUR   17884
#define IDC_DLGSOPBSI_SEL_LAST  17885
#define IDC_DLGSOPBSI_SEL_FIRST 17886
// The panel page: five labels, the thumbnail's width and height, the cache, the selected
// column's width, the column buttons, the two preview boxes and the column list.
#define IDC_DLGSOPPNI_LBL       17484
#define IDC_DLGSOPPNI_WIDTH     17584
#define IDC_DLGSOPPNI_HEIGHT    17585
#define IDC_DLGSOPPNI_CACHE     17586
#define IDC_DLGSOPPNI_COLWIDTH  17587
#define IDC_DLGSOPPNI_UP        17684
#define IDC_DLGSOPPNI_DOWN      17685
#define IDC_DLGSOPPNI_SHOW      17686
#define IDC_DLGSOPPNI_HIDE      17687
#define IDC_DLGSOPPNI_PRVIMG    17784
#define IDC_DLGSOPPNI_PRVTAB    17785
#define IDC_DLGSOPPNI_COLUMNS   17984
// The display page: eleven labels, eleven edits (the given scale, the image's four scroll sizes
// and wheel ratio, the cut frame's four and its ratio), the colour button, two check boxes, the
// three scale radios and the pen style.
#define IDC_DLGSOPSHI_LBL       17484
#define IDC_DLGSOPSHI_SCALE     17584
#define IDC_DLGSOPSHI_COLOR     17684
#define IDC_DLGSOPSHI_OPNSUB    17784
#define IDC_DLGSOPSHI_INVCLR    17785
#define IDC_DLGSOPSHI_RDO_WND   17884
#define IDC_DLGSOPSHI_RDO_LRG   17885
#define IDC_DLGSOPSHI_RDO_GIVEN 17886
#define IDC_DLGSOPSHI_PEN       18084
// The pages' messages, the pen styles and the file list's column titles by kind.
#define IDS_VKA_SOP_BAD_DIR     32832
#define IDS_VKA_SOP_SPECIAL_DIR 32834
#define IDS_VKA_SOP_MAKE_DIR    32835
#define IDS_VKA_SOP_UNDER_ATS   32836
#define IDS_VKA_SOP_BAD_WIDTH   32837
#define IDS_VKA_SOP_BAD_HEIGHT  32838
#define IDS_VKA_SOP_BAD_CACHE   32848
#define IDS_VKA_SOP_BAD_COLWID  32849
#define IDS_VKA_SOP_BAD_WHEEL   27598
// A number above the largest the settings hold.
#define IDS_VKA_SOP_BIG_WIDTH   32870
#define IDS_VKA_SOP_BIG_HEIGHT  32871
#define IDS_VKA_SOP_BIG_CACHE   32872
#define IDS_VKA_SOP_BIG_COLWID  32873
#define IDS_VKA_SOP_BIG_ARROW   32874
#define IDS_VKA_SOP_BIG_WHLSCR  32875
#define IDS_VKA_PEN_FIRST       32804
#define IDS_VKA_COL_FIRST       26590
