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
