// The day list: the selected day's programme of the selected week as plain text in
// "daylist.gpe", opened in Notepad. Values are written as stored (no escaping).
#pragma once

#define DAY_LIST_FILE "daylist.gpe"

void exportDayList();
