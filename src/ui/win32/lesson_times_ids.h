// Ids of the calendar commands and of the "Lesson times" dialog and its controls: commands
// 280..299, dialog and controls 740..779.
#pragma once

#define CMD_LESSON_TIMES 280
#define CMD_EXPORT_CALENDAR 281

#define IDD_LESSON_TIMES 740
#define IDC_LT_DAY 741        // the row: "Every day", then Monday..Saturday
#define IDC_LT_OWN 742        // the day keeps times of its own
#define IDC_LT_ERROR 743      // the message beside the field at fault
#define IDC_LT_HINT 744
#define IDC_LT_START0 745     // start fields of periods 1..10: 745..754
#define IDC_LT_END0 755       // end fields of periods 1..10: 755..764
#define IDC_LT_OK 776
#define IDC_LT_CANCEL 777
