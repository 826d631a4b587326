// Resource and command ids, shared by the resource script and the code.
#pragma once

// Icons, menus, accelerators, bitmaps, dialogs.
#define IDI_ZELVAN 101
#define IDM_MAIN 102
#define IDA_MAIN 3
#define IDB_ABOUT 113
#define IDB_TOOLBAR 114
#define IDB_TOOLBAR_20 115
#define IDB_TOOLBAR_24 116
#define IDB_TOOLBAR_32 117
#define IDB_TOOLBAR_40 118
#define IDB_TOOLBAR_48 119
#define IDD_ABOUT 103
#define IDD_FONT 105
#define IDD_CALENDAR 106

// Commands of the menu, the accelerator table and the toolbar. Ctrl+Q sends
// IDC_QUIT, which ends the program as Exit (IDC_EXIT) does.
#define IDC_QUIT 1
#define IDC_CALENDAR 107
#define IDC_TODAY 108
#define IDC_NEXT_DAY 109
#define IDC_PREVIOUS_DAY 110
#define IDC_REVERSE 122
#define IDC_CHECK_UPDATES 129
#define IDC_ABOUT 40004
#define IDC_EXIT 40005
#define IDC_FONT 40006
#define IDC_COPY 40007
#define IDC_PRINT 40008
#define IDC_APPEND 40009

// Controls of the font dialog.
#define IDC_FONT_FACES 1001
#define IDC_FONT_PREVIEW 1002
#define IDC_FONT_BASE_LATIN 1003
#define IDC_FONT_BASE_CODE_PAGE 1004
#define IDC_FONT_BASE_UNICODE 1005
#define IDC_FONT_SIZES 1006

// Control of the About dialog.
#define IDC_ABOUT_LINK 1025

// The toolbar's control id.
#define IDC_TOOLBAR 1

// Texts of the string table: the toolbar buttons' names for screen readers.
#define IDS_TOOLBAR_PREVIOUS_DAY 2100
#define IDS_TOOLBAR_TODAY 2101
#define IDS_TOOLBAR_NEXT_DAY 2102
#define IDS_TOOLBAR_FONT 2103
