// The day list: the selected day's programme of the selected week as plain text in
// "daylist.gpe", opened in Notepad. Values are written as stored (no escaping).
#pragma once

#define DAY_LIST_FILE "daylist.gpe"
// After the fields of a lesson cancelled on its date (Windows-1252 in the program).
#define DAY_LIST_CANCELLED "(annulé)"

void exportDayList();
