// The HTML exports: the day page "today.html", the week grid page "week.html" and the weeks
// table page "weeks.html", each written in the data folder and opened in the web browser.
// A page that cannot be written is reported to the user and not opened.
#pragma once

#define DAY_PAGE_FILE "today.html"
#define WEEK_GRID_PAGE_FILE "week.html"
#define WEEKS_TABLE_PAGE_FILE "weeks.html"

void exportDayPage();
void exportWeekGridPage();
void exportWeeksTablePage();
