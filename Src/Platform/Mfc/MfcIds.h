// Standard command ids, window ids, bar styles and framework messages that programs written
// for this layer use and that the Windows headers do not define.
#pragma once

// Framework messages.
#define WM_IDLEUPDATECMDUI 0x0363 // wParam TRUE: update command states (sent at idle)
#define WM_INITIALUPDATE   0x0364 // sent to the views of a frame once their document is ready
#define WM_KICKIDLE        0x036A // sent to a modal dialog while its loop is idle
#define WM_FLOATSTOFRONT   0x036B // posted to a frame: its floating frames are stacked in front again
#define WM_REFLECT_BASE    0xBC00 // a parent's notification handled by the child itself
#define AFX_WM_CTLCOLOR    0x0019 // the seven WM_CTLCOLORxxx messages as one map entry

// Command codes of CCmdTarget::OnCmdMsg.
#define CN_COMMAND           0
#define CN_UPDATE_COMMAND_UI (-1)

#define ID_SEPARATOR 0

// File commands.
#ifndef ID_FILE_NEW
#define ID_FILE_NEW           0xE100
#define ID_FILE_OPEN          0xE101
#define ID_FILE_CLOSE         0xE102
#define ID_FILE_SAVE          0xE103
#define ID_FILE_SAVE_AS       0xE104
#define ID_FILE_PAGE_SETUP    0xE105
#define ID_FILE_PRINT_SETUP   0xE106
#define ID_FILE_PRINT         0xE107
#define ID_FILE_PRINT_DIRECT  0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_FILE_MRU_FIRST     0xE110
#define ID_FILE_MRU_FILE1     0xE110
#define ID_FILE_MRU_FILE16    0xE11F
#define ID_FILE_MRU_LAST      0xE11F
#endif

// Edit commands (the engine's windows send these to their parent too).
#ifndef ID_EDIT_CLEAR
#define ID_EDIT_CLEAR 0xE120
#endif
#ifndef ID_EDIT_CLEAR_ALL
#define ID_EDIT_CLEAR_ALL 0xE121
#endif
#ifndef ID_EDIT_COPY
#define ID_EDIT_COPY 0xE122
#endif
#ifndef ID_EDIT_CUT
#define ID_EDIT_CUT 0xE123
#endif
#ifndef ID_EDIT_FIND
#define ID_EDIT_FIND 0xE124
#endif
#ifndef ID_EDIT_PASTE
#define ID_EDIT_PASTE 0xE125
#endif
#ifndef ID_EDIT_REPEAT
#define ID_EDIT_REPEAT 0xE128
#endif
#ifndef ID_EDIT_REPLACE
#define ID_EDIT_REPLACE 0xE129
#endif
#ifndef ID_EDIT_SELECT_ALL
#define ID_EDIT_SELECT_ALL 0xE12A
#endif
#ifndef ID_EDIT_UNDO
#define ID_EDIT_UNDO 0xE12B
#endif
#ifndef ID_EDIT_REDO
#define ID_EDIT_REDO 0xE12C
#endif

// Window, application and help commands.
#define ID_WINDOW_NEW     0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT   0xE135
#define ID_APP_ABOUT      0xE140
#define ID_APP_EXIT       0xE141
#define ID_HELP_INDEX     0xE142
#define ID_HELP_FINDER    0xE143
#define ID_HELP_USING     0xE144
#define ID_CONTEXT_HELP   0xE145
#define ID_HELP           0xE146
#define ID_DEFAULT_HELP   0xE147
#define ID_NEXT_PANE      0xE150
#define ID_PREV_PANE      0xE151

// View commands and status-bar indicators.
#define ID_VIEW_TOOLBAR    0xE800
#define ID_VIEW_STATUS_BAR 0xE801
#define ID_VIEW_REBAR      0xE804
#define ID_INDICATOR_EXT   0xE700
#define ID_INDICATOR_CAPS  0xE701
#define ID_INDICATOR_NUM   0xE702
#define ID_INDICATOR_SCRL  0xE703
#define ID_INDICATOR_OVR   0xE704
#define ID_INDICATOR_REC   0xE705
#define ID_INDICATOR_KANA  0xE706

// Ids of the framework's standard child windows.
#define AFX_IDW_TOOLBAR        0xE800
#define AFX_IDW_STATUS_BAR     0xE801
#define AFX_IDW_PREVIEW_BAR    0xE802
#define AFX_IDW_RESIZE_BAR     0xE803
#define AFX_IDW_REBAR          0xE804
#define AFX_IDW_DIALOGBAR      0xE805
#define AFX_IDW_DOCKBAR_TOP    0xE81B
#define AFX_IDW_DOCKBAR_LEFT   0xE81C
#define AFX_IDW_DOCKBAR_RIGHT  0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT  0xE81F
#define AFX_IDW_PANE_FIRST     0xE900
#define AFX_IDW_PANE_LAST      0xE9FF

// Standard strings.
#define AFX_IDS_APP_TITLE   0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001

// Control-bar styles.
#define CBRS_NOALIGN       0x00000000L
#define CBRS_FLOATING      0x00000001L
#define CBRS_SIZE_FIXED    0x00000002L
#define CBRS_SIZE_DYNAMIC  0x00000004L
#define CBRS_HIDE_INPLACE  0x00000008L
#define CBRS_TOOLTIPS      0x00000010L
#define CBRS_FLYBY         0x00000020L
#define CBRS_FLOAT_MULTI   0x00000040L
#define CBRS_BORDER_3D     0x00000080L
#define CBRS_BORDER_LEFT   0x00000100L
#define CBRS_BORDER_TOP    0x00000200L
#define CBRS_BORDER_RIGHT  0x00000400L
#define CBRS_BORDER_BOTTOM 0x00000800L
#define CBRS_BORDER_ANY    0x00000F00L
#define CBRS_ALIGN_LEFT    0x00001000L
#define CBRS_ALIGN_TOP     0x00002000L
#define CBRS_ALIGN_RIGHT   0x00004000L
#define CBRS_ALIGN_BOTTOM  0x00008000L
#define CBRS_ALIGN_ANY     0x0000F000L
#define CBRS_GRIPPER       0x00400000L
#define CBRS_ORIENT_HORZ   (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT   (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY    (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL           0x0040FFFFL
#define CBRS_LEFT          (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP           (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT         (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM        (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Control-bar ids and the frame's status-prompt message.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST  0xE8FF
#define WM_SETMESSAGESTRING 0x0362 // wParam a string id (prompt before "\n"), or lParam the text

// Layout modes of CControlBar::CalcDynamicLayout.
#define LM_STRETCH  0x01 // as long as the side it docks on
#define LM_HORZ     0x02 // horizontal, else vertical
#define LM_MRUWIDTH 0x04 // the width last committed while floating
#define LM_HORZDOCK 0x08 // docked at the top or bottom
#define LM_VERTDOCK 0x10 // docked at the left or right
#define LM_LENGTHY  0x20 // the length is a height, else a width
#define LM_COMMIT   0x40 // remember the result as the floating width

// The style of a view made by its frame.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// Title styles of a frame (class-specific bits of its window style).
#define FWS_ADDTOTITLE  0x00008000L // the title carries the document's name
#define FWS_PREFIXTITLE 0x00004000L // "document - application" rather than "application - document"
#define FWS_SNAPTOBARS  0x00002000L

// Status-bar pane styles (the first three are the status control's SBT_ drawing flags).
#define SBPS_NORMAL    0x00000000
#define SBPS_NOBORDERS 0x00000100
#define SBPS_POPOUT    0x00000200
#define SBPS_OWNERDRAW 0x00001000
#define SBPS_DISABLED  0x04000000 // the text is not shown
#define SBPS_STRETCH   0x08000000 // takes the width the other panes leave

// Print preview: the commands of its bar, the bar's template (a program's own, when it has one)
// and the id the previewed view keeps meanwhile.
#define AFX_ID_PREVIEW_CLOSE    0xE300
#define AFX_ID_PREVIEW_NUMPAGE  0xE301 // one or two pages
#define AFX_ID_PREVIEW_NEXT     0xE302
#define AFX_ID_PREVIEW_PREV     0xE303
#define AFX_ID_PREVIEW_PRINT    0xE304
#define AFX_ID_PREVIEW_ZOOMIN   0xE305
#define AFX_ID_PREVIEW_ZOOMOUT  0xE306
#define AFX_IDD_PREVIEW_TOOLBAR 0x7802
#define AFX_IDW_PANE_SAVE       0xEA21
