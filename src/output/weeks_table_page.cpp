// The weeks table page: the first fifty weeks of the day table (every week of a school year),
// five a row, each on the background of its week colour. Offers exportWeeksTablePage.
#include <cstdio>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "output/page_frame.h"
#include "output/pages.h"
#include "records/week_colours.h"

static const char* const cellOpenings[5] = {
    "<td bgcolor=\"#ffffff\">", "<td bgcolor=\"#ffffdd\">", "<td bgcolor=\"#ddffdd\">",
    "<td bgcolor=\"#ffdddd\">", "<td bgcolor=\"#ddddff\">",
};

// A colour from a hand-edited week colours file outside 0..4 is shown as a plain week.
static const char* cellOpening(int colour) {
    return colour >= 1 && colour <= 4 ? cellOpenings[colour] : cellOpenings[0];
}

// Moves *index to the next day of another week and *week to that week. At the end of the
// table the index stops at its size and the week stays, so no cell reads past the table.
static void nextWeek(int* index, int* week) {
    if (*index >= dayTableLength) return;
    int i = *index + 1;
    while (i < dayTableLength && dayTable[i].week == *week) i++;
    *index = i;
    if (i < dayTableLength) *week = dayTable[i].week;
}

// Fifty weeks for the 360 days; every week of a school year, five a row.
static int weekRows() { return dayTableIsSchoolYear ? (dayTableLength / 7 + 4) / 5 : 10; }

static void writeWeekCells(Rewrite* page) {
    int index = 0, week = dayTable[0].week;
    for (int row = 0, rows = weekRows(); row < rows; row++) {
        rewriteString(page, "<tr align=\"center\">\n");
        for (int cell = 0; cell < 5; cell++) {
            if (dayTableIsSchoolYear && index >= dayTableLength) {
                rewriteString(page, "<td></td>");
                continue;
            }
            rewriteString(page, cellOpening(readWeekColour(week)));
            char number[64];
            snprintf(number, sizeof number, "<span class=\"large\"><br>%d<br><br></span>", week);
            rewriteString(page, number);
            nextWeek(&index, &week);
            rewriteString(page, "</td>");
        }
        rewriteString(page, "</tr>\n");
    }
}

static void writeWeeksBody(Rewrite* page) {
    rewriteString(page, "<h3 align=\"center\">" LABEL_WEEKS_TABLE "</h3>");
    rewriteString(page, "</td>\n</tr>\n<tr><td>\n<table width=\"100%\" cellspacing=\"3\" border=\"3\">\n");
    writeWeekCells(page);
    rewriteString(page, "</table>\n</td>\n</tr>\n");
}

void exportWeeksTablePage() {
    exportPage(WEEKS_TABLE_PAGE_FILE, "the weeks table page", writeWeeksBody, PAGE_END_WEEKS_TABLE);
}
