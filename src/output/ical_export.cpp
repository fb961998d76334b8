// The iCalendar export. Each lesson, and each note in a period without a course, is one event
// with floating local times (no time zone), so that a lesson stays at the school's clock time
// wherever the calendar is, and a UID made of this diary's id, the date and the period, so
// that importing a newer file updates events.
#include "output/ical_export.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "output/export_file.h"
#include "output/ical_text.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/lesson_changes.h"
#include "records/note_text.h"
#include "records/setting_keys.h"
#include "records/settings.h"
#include "records/store_version.h"
#include "store/data_folder.h"
#include "store/save_report.h"
#include "store/text_file.h"

static void writeLine(Rewrite* out, const char* name, const char* rawValue) {
    IcalLine line;
    icalStart(&line, name);
    icalAppend(&line, rawValue);
    icalWriteLine(out, &line);
}

static void writeTextLine(Rewrite* out, const char* name, const char* cp1252) {
    IcalLine line;
    icalStart(&line, name);
    icalAppendText(&line, cp1252);
    icalWriteLine(out, &line);
}

// A stored slot value as typed: the input dialog stores an apostrophe as a back quote.
static void typedValue(const char* stored, char* out, size_t size) {
    copyText(out, size, stored);
    for (char* p = out; *p != '\0'; p++)
        if (*p == '`') *p = '\'';
}

// Stored notes as typed: a stored line break (" |") becomes one line end; a "|" typed by the
// user stays itself.
static void typedNote(const char* stored, char* out, size_t size) {
    size_t n = 0;
    for (size_t i = 0; stored[i] != '\0' && n + 1 < size; i++) {
        if (!noteLineBreakAt(stored, i)) {
            out[n++] = stored[i];
            continue;
        }
        out[n - 1] = '\n';  // the blank before it was the editor's CR
    }
    out[n] = '\0';
}

// The teacher (or the class in teacher mode) on one line, then the notes.
static void describe(const char* teacher, const char* note, char* out, size_t size) {
    out[0] = '\0';
    if (teacher[0] != '\0') {
        appendText(out, size, diaryState.teacherMode ? "Class: " : "Teacher: ");
        char typed[520];
        typedValue(teacher, typed, sizeof typed);
        appendText(out, size, typed);
    }
    if (note[0] != '\0') {
        if (out[0] != '\0') appendText(out, size, "\n");
        char typed[520];
        typedNote(note, typed, sizeof typed);
        appendText(out, size, typed);
    }
}

struct LessonEvent {
    const DayEntry* date;
    int period, start, end;
    const char *course, *teacher, *classroom, *note;
    int cancelled;
};

static void writeDateTime(Rewrite* out, const char* name, const DayEntry* d, int minutes) {
    char value[32];
    snprintf(value, sizeof value, "%04d%02d%02dT%02d%02d00", d->year + 1900, d->month, d->day, minutes / 60,
             minutes % 60);
    writeLine(out, name, value);
}

static void writeEvent(Rewrite* out, const LessonEvent* e, const char* storeId, const char* stamp) {
    char text[1100];
    writeLine(out, "BEGIN:", "VEVENT");
    snprintf(text, sizeof text, "wkb-%s-%04d%02d%02d-p%d@winwkb", storeId, e->date->year + 1900, e->date->month,
             e->date->day, e->period + 1);
    writeLine(out, "UID:", text);
    writeLine(out, "DTSTAMP:", stamp);
    writeDateTime(out, "DTSTART:", e->date, e->start);
    writeDateTime(out, "DTEND:", e->date, e->end);
    // A lesson cancelled on its date keeps its UID, so that importing the file again updates the
    // event; calendars that pass over STATUS still show the word in the title.
    if (e->cancelled) writeLine(out, "STATUS:", "CANCELLED");
    copyText(text, sizeof text, e->cancelled ? LESSON_CANCELLED_WORD ": " : "");
    typedValue(e->course, text + strlen(text), sizeof text - strlen(text));
    writeTextLine(out, "SUMMARY:", text);
    if (e->classroom[0] != '\0') {
        typedValue(e->classroom, text, sizeof text);
        writeTextLine(out, "LOCATION:", text);
    }
    describe(e->teacher, e->note, text, sizeof text);
    if (text[0] != '\0') writeTextLine(out, "DESCRIPTION:", text);
    writeLine(out, "END:", "VEVENT");
}

// The index of today's entry, backed up to the first day of its week.
static int firstExportedDay() {
    int today = todayIndex();
    if (today < 0) today = 0;
    while (today > 0 && dayTable[today - 1].week == dayTable[today].week) today--;
    return today;
}

// A field of the lesson on its date: the change's when it holds one, else the timetable's.
static const char* lessonField(const YearContents* s, const LessonChange* change, int day, int period,
                               SlotField field, int colour) {
    if (change->changed[field]) return change->field[field];
    return yearSlotField(s, day, period, field, colour, diaryState.useDefaults);
}

static int writeDay(Rewrite* out, const YearContents* s, const LessonTimes* t, const DayEntry* d,
                    const char* storeId, const char* stamp) {
    int week = d->week, day = d->weekday, colour = s->weekColour[week], events = 0;
    int row = lessonRowOfDay(t, day);
    LessonChange change;
    for (int p = 0; p < 10; p++) {
        if (t->start[row][p] == LESSON_NONE) continue;
        LessonEvent e = {d, p, t->start[row][p], t->end[row][p], NULL, NULL, NULL, NULL, 0};
        parseLessonChange(yearChange(s, week, day, p), &change);
        e.cancelled = change.cancelled;
        e.course = lessonField(s, &change, day, p, SLOT_COURSE, colour);
        e.note = yearNote(s, week, day, p);
        if (e.course[0] == '\0' && e.note[0] == '\0') continue;
        // A note in a period without a course is kept too, titled as the period's tab.
        if (e.course[0] == '\0') e.course = periodNames[p];
        e.teacher = lessonField(s, &change, day, p, SLOT_TEACHER, colour);
        e.classroom = lessonField(s, &change, day, p, SLOT_CLASSROOM, colour);
        writeEvent(out, &e, storeId, stamp);
        events++;
    }
    return events;
}

static void writeHeader(Rewrite* out) {
    writeLine(out, "BEGIN:", "VCALENDAR");
    writeLine(out, "VERSION:", "2.0");
    writeLine(out, "PRODID:", "-//" WKB_PUBLISHER "//WinWkb " CURRENT_VERSION "//EN");
    writeLine(out, "CALSCALE:", "GREGORIAN");
    writeLine(out, "METHOD:", "PUBLISH");
    char title[sizeof settingValue];
    copyText(title, sizeof title, readSetting("title"));
    writeTextLine(out, "X-WR-CALNAME:", title[0] != '\0' ? title : "School timetable");
}

int writeCalendar(Rewrite* out, const YearContents* s, const LessonTimes* t, const char* storeId) {
    char stamp[32];
    time_t now = platformNow();
    struct tm* utc = gmtime(&now);
    if (utc == NULL || strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", utc) == 0)
        copyText(stamp, sizeof stamp, "20000101T000000Z");
    writeHeader(out);
    int events = 0;
    for (int i = firstExportedDay(); i < dayTableLength; i++) {
        const DayEntry* d = &dayTable[i];
        if (d->weekday < 1 || d->weekday > 6 || d->week < 1 || d->week > 53 || s->holiday[d->week]) continue;
        events += writeDay(out, s, t, d, storeId, stamp);
    }
    writeLine(out, "END:", "VCALENDAR");
    return events;
}

// This diary's id in the UIDs, made once and kept in the settings ("calendar_id"), so that two
// diaries imported into one calendar do not take each other's events. 0, or 1 when a new id
// could not be kept: every export would then carry other UIDs and double the events.
static int storeId(char* out, size_t size) {
    // A hand-edited id keeps only what a UID may carry as it is: letters, digits and dashes.
    size_t n = 0;
    for (const char* p = readSetting(settingKeyName(KEY_CALENDAR_ID)); *p != '\0' && n + 1 < size; p++)
        if (calendarIdCharacter(*p)) out[n++] = *p;
    out[n] = '\0';
    if (out[0] != '\0') return 0;
    // The second of the first export and the data folder's path tell two diaries apart.
    unsigned long mix = (unsigned long)platformNow() * 2654435761UL;
    for (const char* p = dataFilePath(""); *p != '\0'; p++) mix = (mix ^ (unsigned char)*p) * 16777619UL;
    snprintf(out, size, "%08lx", mix & 0xFFFFFFFFUL);
    return writeSetting(settingKeyName(KEY_CALENDAR_ID), out) == 1 ? 0 : 1;
}

CalendarResult writeCalendarFile(int* events) {
    *events = 0;
    LessonTimes times;
    loadLessonTimes(&times);
    if (!lessonTimesAny(&times)) return CALENDAR_NO_TIMES;
    char id[32];
    if (storeId(id, sizeof id) != 0) {
        reportSaveFailure("the calendar file", 0);
        return CALENDAR_NOT_WRITTEN;
    }
    unsigned readFailures = readFailureCount();
    YearContents* s = (YearContents*)malloc(sizeof *s);
    if (s == NULL || loadYearContents(s) != 0) {
        free(s);
        return CALENDAR_NO_MEMORY;
    }
    // A calendar made from tables that could not be read whole would lack lessons.
    if (readFailureCount() != readFailures) {
        freeYearContents(s);
        free(s);
        reportSaveFailure("the calendar file", 0);
        return CALENDAR_NOT_WRITTEN;
    }
    Rewrite out;
    CalendarResult result = CALENDAR_NOT_WRITTEN;
    if (beginExport(&out, CALENDAR_FILE, "the calendar file") == 0) {
        *events = writeCalendar(&out, s, &times, id);
        if (finishExport(&out, "the calendar file") == 0) result = CALENDAR_WRITTEN;
    }
    freeYearContents(s);
    free(s);
    return result;
}
