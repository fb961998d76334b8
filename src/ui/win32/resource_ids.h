// Identifiers of the resources, controls and commands shared by the .rc file and the code;
// the ids of the dialogs beyond the input dialog are in dialog_ids.h, included here.
#pragma once

#define IDI_WINWKB 600
#define IDB_ARROW_RIGHT 601
#define IDB_DOOR 602
#define IDB_ARROW_LEFT 603
#define IDB_SEARCH 604
#define IDB_SAVE 605
#define IDB_WHITE 606
#define IDB_YELLOW 607
#define IDB_GREEN 608
#define IDB_RED 609
#define IDB_BLUE 610
// The same ten pictures at 48 pixels (611..620) and at 64 pixels (621..630), each at its
// 32-pixel id plus one or two steps, for screens at 150% and 200%.
#define IDB_SIZE_STEP 10

#define IDC_TOOLBAR 102
#define IDC_STATUSBAR 103

#include "dialog_ids.h"

// Dialog "DIALOG2"
#define IDC_DLG_OK 500
#define IDC_DLG_CANCEL 501
#define IDC_DLG_TEXT 510
#define IDC_DLG_PROMPT 511

// Toolbar commands
#define CMD_TB_PREVIOUS 20
#define CMD_TB_NEXT 21
#define CMD_TB_QUIT 22
#define CMD_TB_SEARCH 23
#define CMD_TB_SAVE 24
#define CMD_TB_COLOUR0 25
#define CMD_TB_COLOUR4 29

// Menu commands
#define CMD_SAVE 200
#define CMD_EXPORT_DAY_NOTEPAD 201
#define CMD_EXPORT_GRID_PRINTER 202
#define CMD_QUIT 203
#define CMD_WWW 204
#define CMD_INITIALIZE 205
#define CMD_SEARCH 206
#define CMD_WEEK_FORWARD 207
#define CMD_WEEK_BACKWARD 208
#define CMD_VERSION 209
#define CMD_BIP_ON 210
#define CMD_BIP_OFF 211
#define CMD_INFO_ON 212
#define CMD_INFO_OFF 213
#define CMD_COURSE_SELECT 214
#define CMD_TEACHER_SELECT 215
#define CMD_CLASSROOM_SELECT 216
#define CMD_TITLE 217
#define CMD_TEACHER_MODE 219
#define CMD_COURSE_ADD 220
#define CMD_COURSE_REMOVE 221
#define CMD_TEACHER_ADD 222
#define CMD_TEACHER_REMOVE 223
#define CMD_CLASSROOM_ADD 224
#define CMD_CLASSROOM_REMOVE 225
#define CMD_EXPORT_DAY_BROWSER 226
#define CMD_EXPORT_GRID_BROWSER 227
#define CMD_EXPORT_WEEKS_TABLE 228
#define CMD_DEFAULTS_ON 229
#define CMD_DEFAULTS_OFF 230

// Keyboard and view commands (the accelerator table "WKBACCEL")
#define CMD_SEARCH_NEXT 240
#define CMD_CURRENT_WEEK 241
#define CMD_NEXT_PERIOD 242
#define CMD_PREVIOUS_PERIOD 243
#define CMD_NEXT_DAY 244
#define CMD_PREVIOUS_DAY 245

// The school year: week rotation, restore and new school year (commands 260-279).
#define CMD_WEEK_ROTATION 260
#define CMD_RESTORE 261
#define CMD_NEW_SCHOOL_YEAR 262
#define CMD_SCHOOL_YEAR 263

// The calendar: lesson times and the calendar export (commands 280-299).
#define CMD_LESSON_TIMES 280
#define CMD_EXPORT_CALENDAR 281

// The timetable grid (commands 300-309).
#define CMD_TIMETABLE 300

// A lesson that differs on one date (commands 310-319).
#define CMD_LESSON_CHANGE 310

// The agenda: its window, the marks of the selected lesson, the next lesson of its course,
// the option at start and the agenda page (commands 320-329).
#define CMD_AGENDA 320
#define CMD_MARK_DONE 321
#define CMD_MARK_TEST 322
#define CMD_NEXT_LESSON 323
#define CMD_AGENDA_START_ON 324
#define CMD_AGENDA_START_OFF 325
#define CMD_EXPORT_AGENDA 326
