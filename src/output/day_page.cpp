// The day page: the ten periods of the selected day with their slot and the notes of the
// selected week, in the page frame. Offers exportDayPage.
#include <cstdio>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "output/html_text.h"
#include "output/page_frame.h"
#include "output/pages.h"
#include "records/lesson_changes.h"
#include "records/record_keys.h"
#include "records/slot_lookup.h"
#include "store/table_store.h"

static const char* selectedDayName() {
    int day = diaryState.selectedDay;
    return day >= 1 && day <= 6 ? dayNames[day] : "";
}

static void writeNotesCell(Rewrite* page, int period) {
    char notesHtml[NOTES_HTML_SIZE] = "";
    char key[48];
    formatNoteKey(key, sizeof key, diaryState.selectedWeek, diaryState.selectedDay, period);
    valueBuffer[0] = '\0';
    tableOp(TABLE_GET, NOTES_TABLE, key, "");
    if (valueBuffer[0] != '\0') convertNotes(valueBuffer, notesHtml, sizeof notesHtml);
    rewriteString(page, "</td>\n\t<td bgcolor=\"#FFFFDD\"> \n<p><small>");
    rewriteString(page, notesHtml);
    rewriteString(page, "</small></p>\n\t</td>\n\t</tr>\n");
}

static void writePeriodRow(Rewrite* page, int period) {
    rewriteString(page, "\n\t<tr valign=\"middle\" >\n\t<td width=\"25%\" bgcolor=\"#dddddd\">\n");
    char course[SLOT_FIELD_SIZE], teacherOrClass[SLOT_FIELD_SIZE], classroom[SLOT_FIELD_SIZE];
    char* const fields[3] = {course, teacherOrClass, classroom};
    const size_t sizes[3] = {sizeof course, sizeof teacherOrClass, sizeof classroom};
    int cancelled = lookupLessonFields(diaryState.selectedWeek, diaryState.selectedDay, period,
                                       diaryState.weekColour, fields, sizes);
    writeBigLine(page, periodNames[period]);
    if (cancelled) writeCancelledLine(page, course);
    else writeBigLine(page, course);
    writeBigLine(page, teacherOrClass);
    writeBigLine(page, classroom);
    writeNotesCell(page, period);
}

static void writeDayBody(Rewrite* page) {
    locateSelectedDay();
    char heading[96];
    snprintf(heading, sizeof heading, "<h3 align=\"center\">Program for %s %s - Week: %d</h3>",
             selectedDayName(), diaryState.dateLabel, diaryState.selectedWeek);
    rewriteString(page, heading);
    rewriteString(page, "<table width=\"100%\" border=\"1\" cellpadding=\"5\">\n");
    for (int period = 0; period < 10; period++) writePeriodRow(page, period);
    rewriteString(page, "</table>\n");
}

void exportDayPage() { exportPage(DAY_PAGE_FILE, "the day page", writeDayBody, PAGE_END_STANDARD); }
