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
#define IDD_STUDY_PROGRESS 140

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

// Commands of the study log. The three marks and the three followed tracks
// are in the order of the tracks (LessonTrack): first id + track.
#define IDC_MARK_DAY 40100
#define IDC_UNMARK_DAY 40101
#define IDC_MARK_TRACK_FIRST 40102
#define IDC_MARK_THREE_CHAPTERS 40102
#define IDC_MARK_ONE_CHAPTER 40103
#define IDC_MARK_COMMANDMENTS 40104
#define IDC_CATCH_UP 40105
#define IDC_NEXT_NOT_LEARNED 40106
#define IDC_STUDY_PROGRESS 40107
#define IDC_FOLLOW_TRACK_FIRST 40108
#define IDC_FOLLOW_THREE_CHAPTERS 40108
#define IDC_FOLLOW_ONE_CHAPTER 40109
#define IDC_FOLLOW_COMMANDMENTS 40110
#define IDC_SET_START_DAY 40111
#define IDC_STUDY_LOG_FILE 40112

// Controls of the font dialog.
#define IDC_FONT_FACES 1001
#define IDC_FONT_PREVIEW 1002
#define IDC_FONT_BASE_LATIN 1003
#define IDC_FONT_BASE_CODE_PAGE 1004
#define IDC_FONT_BASE_UNICODE 1005
#define IDC_FONT_SIZES 1006

// Control of the About dialog.
#define IDC_ABOUT_LINK 1025

// Controls of the study progress dialog: a group box per followed track, and
// in each the lines of its figures (IDC_PROGRESS_LINE_FIRST + group *
// IDC_PROGRESS_GROUP_STEP + line).
#define IDC_PROGRESS_GROUP_FIRST 1100
#define IDC_PROGRESS_LINE_FIRST 1110
#define IDC_PROGRESS_GROUP_STEP 10

// Texts of the string table.
#define IDS_TRACK_FIRST 3000
#define IDS_TRACK_THREE_CHAPTERS 3000
#define IDS_TRACK_ONE_CHAPTER 3001
#define IDS_TRACK_COMMANDMENTS 3002
#define IDS_LESSON_LEARNED 3003
#define IDS_DAY_NOT_LEARNED 3004
#define IDS_BAND_BEHIND 3005
#define IDS_STUDY_LOG 3006
#define IDS_JOURNAL_NOT_SAVED 3007
#define IDS_JOURNAL_NOT_READ 3008
#define IDS_JOURNAL_NO_PLACE 3009
#define IDS_NOTHING_BEHIND 3010
#define IDS_NO_LATER_DAY_BEHIND 3011
#define IDS_JOURNAL_FILE_TITLE 3012
#define IDS_JOURNAL_FILE_FILTER 3013
#define IDS_PROGRESS_DATE 3014
#define IDS_PROGRESS_CYCLE 3015
#define IDS_PROGRESS_BEGAN 3016
#define IDS_PROGRESS_NOT_BEGUN 3017
#define IDS_PROGRESS_LEARNED 3018
#define IDS_PROGRESS_BEHIND 3019
#define IDS_PROGRESS_PACE 3020
#define IDS_PROGRESS_STREAK 3021

// The toolbar's control id.
#define IDC_TOOLBAR 1

// The Language menu's choices.
#define IDC_LANGUAGE_AUTOMATIC 40201
#define IDC_LANGUAGE_ENGLISH 40202
#define IDC_LANGUAGE_HEBREW 40203

// The Color mode menu's choices.
#define IDC_COLOUR_MODE_SYSTEM 40211
#define IDC_COLOUR_MODE_LIGHT 40212
#define IDC_COLOUR_MODE_DARK 40213

// String-table entries. Each block of 16 ids is one resource; every block has
// an English and a Hebrew twin. A "%1" in a text is filled in by the code.
// Messages.
#define IDS_ERROR 2000               // the caption of most messages
#define IDS_OUT_OF_MEMORY 2001
#define IDS_BUFFER_ERROR 2002
#define IDS_REFUSAL 2003             // read by LoadStringA: shown on systems without wide texts
#define IDS_RESOURCE_NOT_FOUND 2004
#define IDS_DAY_NOT_LOADED 2005
#define IDS_UNICODE_OVERFLOW 2006
// Printing.
#define IDS_PRINT_ERROR_CAPTION 2016
#define IDS_UNKNOWN_PRINT_ERROR 2017
#define IDS_PRINTER_INIT_FAILED 2018
#define IDS_TEXT_DOES_NOT_FIT 2019
#define IDS_PRINT_PAGE 2020          // the footer's page number: %1 the number
// The Page Setup failures, in the order of their codes (output/print_layout.cpp).
#define IDS_PAGE_SETUP_FAILURE_FIRST 2032  // .. 2056
// The day in words for screen readers: weekday names from Sunday, the names
// of the Gregorian months from January, and the pattern that joins them.
#define IDS_WEEKDAY_FIRST 2064       // .. 2070
#define IDS_MONTH_FIRST 2080         // .. 2091
#define IDS_DAY_IN_WORDS 2092        // %1 weekday, %2 day, %3 month, %4 year, %5 Hebrew date
// The calendar's weekday headings, from Sunday.
#define IDS_WEEKDAY_LETTER_FIRST 2112  // .. 2118
// The toolbar buttons' names for screen readers.
#define IDS_TOOLBAR_PREVIOUS_DAY 2100
#define IDS_TOOLBAR_TODAY 2101
#define IDS_TOOLBAR_NEXT_DAY 2102
#define IDS_TOOLBAR_FONT 2103
#define IDS_TOOLBAR_MARK_DAY 2104
#define IDS_TOOLBAR_UNMARK_DAY 2105
