// The week grid page: the timetable of the selected week, six days by ten periods in two
// halves, under a heading tinted with the week's colour. Offers exportWeekGridPage.
#include <cstdio>

#include "core/diary_state.h"
#include "output/html_text.h"
#include "output/page_frame.h"
#include "output/pages.h"
#include "records/lesson_changes.h"
#include "records/settings.h"
#include "records/slot_lookup.h"

static const char* const headingTints[5] = {
    "<p style=\"background-color:#ffffff\">", "<p style=\"background-color:#ffffaa\">",
    "<p style=\"background-color:#aaffaa\">", "<p style=\"background-color:#ffaaaa\">",
    "<p style=\"background-color:#aaaaff\">",
};

// A colour from a hand-edited week colours file outside 0..4 is shown as a plain week.
static const char* headingTint(int colour) {
    return colour >= 1 && colour <= 4 ? headingTints[colour] : headingTints[0];
}

static void writeHalfHeader(Rewrite* page, int firstDay) {
    rewriteString(page, "\n<tr valign=\"middle\" >\n<td bgcolor=\"#dddddd\" width=\"13%\"><h3>Course</h3></td>\n");
    for (int day = firstDay; day < firstDay + 3; day++) {
        rewriteString(page, "<td bgcolor=\"#dddddd\" width=\"29%\"><h3>");
        rewriteString(page, dayNames[day]);
        rewriteString(page, "</h3></td>\n");
    }
    rewriteString(page, "</tr>\n");
}

static void writeSlotCell(Rewrite* page, int day, int period) {
    rewriteString(page, "<td bgcolor=\"#ffffdd\" width=\"29%\">\n");
    char course[SLOT_FIELD_SIZE], teacherOrClass[SLOT_FIELD_SIZE], classroom[SLOT_FIELD_SIZE];
    char* const fields[3] = {course, teacherOrClass, classroom};
    const size_t sizes[3] = {sizeof course, sizeof teacherOrClass, sizeof classroom};
    // The selected week's own date: its changes show, the timetable everywhere else.
    if (lookupLessonFields(diaryState.selectedWeek, day, period, diaryState.weekColour, fields, sizes))
        writeCancelledLine(page, course);
    else
        writeBigLine(page, course);
    writeBigLine(page, teacherOrClass);
    writeBigLine(page, classroom);
    rewriteString(page, "</td>\n");
}

static void writeHalf(Rewrite* page, int firstDay) {
    writeHalfHeader(page, firstDay);
    for (int period = 0; period < 10; period++) {
        char number[80];
        snprintf(number, sizeof number,
                 "<tr valign=\"middle\" >\n<td bgcolor=\"#dddddd\" width=\"13%%\"><h1>%d</h1></td>\n", period + 1);
        rewriteString(page, number);
        for (int day = firstDay; day < firstDay + 3; day++) writeSlotCell(page, day, period);
        rewriteString(page, "</tr>\n");
    }
}

static void writeGridBody(Rewrite* page) {
    rewriteString(page, "<h2 align=\"center\">");
    rewriteString(page, headingTint(diaryState.weekColour));
    rewriteString(page, LABEL_WEEK_GRID " ");
    writeEscaped(page, readSetting("title"));
    rewriteString(page, " </p></h2>");
    rewriteString(page, "<table width=\"100%\" border=\"1\" cellpadding=\"5\">\n");
    writeHalf(page, 1);
    writeHalf(page, 4);
    rewriteString(page, "</table>\n");
}

void exportWeekGridPage() {
    exportPage(WEEK_GRID_PAGE_FILE, "the week grid page", writeGridBody, PAGE_END_STANDARD);
}
