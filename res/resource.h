// Resource and control ids.
#pragma once

#define IDR_MAINFRAME             128
#define IDD_ABOUTBOX              100
#define IDS_ABOUTBOX              101
#define IDD_MAIN                  102
#define IDD_SETTINGS              129
#define IDM_ABOUTBOX              0x0010

// Main window
#define IDC_CANDIDATE_LIST        1000
#define IDC_SEARCH_BUTTON         1001
#define IDC_SETTINGS_BUTTON       1002
#define IDC_DELETE_BUTTON         1003
#define IDC_GROUP_LIST            1004
#define IDC_RUN_PROGRESS          1007
#define IDC_MAIN_PROGRESS         1009
#define IDC_RECYCLE_CHECK         1043
#define IDC_STATUS_FIELD          1050
#define IDC_TICKED_TOTAL          1051
#define IDC_DETAILS_LIST          1053

// Settings dialog
#define IDC_SUBDIRECTORY_CHECK    1013
#define IDC_FILETYPE_LIST         1020
#define IDC_FILETYPE_BROWSE       1022
#define IDC_FILETYPE_ADD          1023
#define IDC_DIRECTORY_LIST        1024
#define IDC_DIRECTORY_ADD         1025
#define IDC_DIRECTORY_BROWSE      1006
#define IDC_DIRECTORY_ENTRY       1031
#define IDC_FILETYPE_ENTRY        1032
#define IDC_SAVE_BUTTON           1047
#define IDC_OPEN_BUTTON           1048
#define IDC_MINIMUM_SIZE          1060
#define IDC_EXCLUDE_ENTRY         1061
#define IDC_EXCLUDE_ADD           1062
#define IDC_EXCLUDE_LIST          1063
#define IDC_PROTECT_CHECK         1064
