// Ids of the dialogs beyond the input dialog and of their controls, shared by res/dialogs.rc
// and the dialogs' code: dialogs and controls 700..799. Each dialog ends on the standard
// IDOK and IDCANCEL; its commands stay in resource_ids.h.
#pragma once

// Week rotation
#define IDD_ROTATION 700
#define IDC_ROT_CYCLE1 701  // the five places of the cycle: 701..705
#define IDC_ROT_FIRST 706
#define IDC_ROT_HOLIDAYS 707
#define IDC_ROT_MESSAGE 708
#define IDC_ROT_PREVIEW 709
#define IDC_ROT_OVERWRITE 710   // overwrite week colours set by hand
#define IDC_ROT_TT_NOTE 711     // cycle colours without a timetable, when there are some
#define IDC_ROT_TT_DEFAULTS 712 // ... the plain week's timetable in every week
#define IDC_ROT_TT_COPY 713     // ... or copied into those colours

// Restore
#define IDD_RESTORE 715
#define IDC_RST_LIST 716
#define IDC_RST_MESSAGE 717

// New school year
#define IDD_NEW_YEAR 720
#define IDC_NY_NAME 721
#define IDC_NY_MESSAGE 722

// School year
#define IDD_SCHOOL_YEAR 725
#define IDC_SY_WEEK 726
#define IDC_SY_MESSAGE 727

// Lesson times
#define IDD_LESSON_TIMES 740
#define IDC_LT_DAY 741        // the row: "Every day", then Monday..Saturday
#define IDC_LT_OWN 742        // the day keeps times of its own
#define IDC_LT_ERROR 743      // the message beside the field at fault
#define IDC_LT_HINT 744
#define IDC_LT_START0 745     // start fields of periods 1..10: 745..754
#define IDC_LT_END0 755       // end fields of periods 1..10: 755..764

// Timetable grid
#define IDD_TIMETABLE 770
#define IDC_TT_COLOUR 771     // the week colour shown
#define IDC_TT_HINT 772
#define IDC_TT_GRID 773       // the grid control (timetable_grid.h)
#define IDC_TT_COURSE 774     // the selected cell's fields: course, teacher or class, classroom
#define IDC_TT_TEACHER 775
#define IDC_TT_CLASSROOM 776
#define IDC_TT_TEACHER_LABEL 777

// A lesson that differs on one date
#define IDD_LESSON_CHANGE 780
#define IDC_LC_PROMPT 781      // which lesson: "Tuesday 1/13/2026, Period 3"
#define IDC_LC_CANCELLED 782
#define IDC_LC_COURSE 783      // course, teacher or class, classroom: 783..785
#define IDC_LC_TEACHER 784
#define IDC_LC_CLASSROOM 785
#define IDC_LC_TEACHER_LABEL 786
#define IDC_LC_MESSAGE 787     // what cannot be stored, beside the field at fault
#define IDC_LC_REMOVE 788      // back to the timetable
#define IDC_LC_TIMETABLE 789   // what the timetable says
