// The agenda: the notes of the lessons from 14 days back to 14 days ahead (and a test up to 30
// days ahead), dated through the day table, each with its course in that week's colour and
// its marks. The notes and the timetable are looked up in their copies kept in memory (only the
// lessons of those weeks, not the whole year), the marks file is read once.
// Offers buildAgenda, agendaHeading, agendaWantsReminder, showAgendaRow, the marks, the agenda
// page and the setting that opens the agenda at start.
#include "diary/agenda.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/navigation.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "output/agenda_page.h"
#include "platform/bounded_text.h"
#include "records/lesson_changes.h"
#include "records/record_keys.h"
#include "records/setting_keys.h"
#include "records/settings.h"
#include "records/week_colours.h"
#include "store/save_report.h"
#include "store/table_store.h"
#include "store/text_file.h"

#define AGENDA_DAYS_BACK 14
#define AGENDA_DAYS_AHEAD 14
#define TEST_DAYS_AHEAD 30

static long entryDayNumber(const DayEntry& e) { return (long)dayCount(e.year + 1900, e.month, e.day); }
static long todayNumber() { return (long)dayCount(todayYear + 1900, todayMonth, todayMonthDay); }

// The marks file read once: the marks and hash of each note key.
struct MarkTable {
    unsigned char marks[54][7][10];
    unsigned hash[54][7][10];
};

static void takeMark(const char* key, int marks, unsigned hash, void* context) {
    MarkTable* t = (MarkTable*)context;
    char line[24];
    snprintf(line, sizeof line, "%s=", key);
    int week, day, period;
    if (!parseNoteKey(line, &week, &day, &period)) return;
    t->marks[week][day][period] = (unsigned char)marks;
    t->hash[week][day][period] = hash;
}

// The marks that still belong to the note's stored text.
static int marksOf(const MarkTable* t, int week, int day, int period, const char* stored) {
    int marks = t->marks[week][day][period];
    return marks != 0 && t->hash[week][day][period] == noteTextHash(stored) ? marks : 0;
}

// The first place of each week in the day table: a week number names that week alone.
static void firstPlaces(int first[54]) {
    for (int w = 0; w < 54; w++) first[w] = -1;
    for (int i = 0; i < dayTableLength; i++)
        if (first[dayTable[i].week] < 0) first[dayTable[i].week] = i;
}

// What one build reads: the marks once, each week's colour once, a day's notes at a time.
struct AgendaSources {
    MarkTable marks;
    int first[54];
    int colour[54];  // -1 until read
    char notes[10][sizeof valueBuffer];
};

// The ten notes of a day, as table gets give them (from the notes table's copy in memory).
static void readDayNotes(AgendaSources* src, int week, int day) {
    char keys[10][32];
    const char* keyList[10];
    char* values[10];
    size_t sizes[10];
    for (int p = 0; p < 10; p++) {
        formatNoteKey(keys[p], sizeof keys[p], week, day, p);
        keyList[p] = keys[p];
        values[p] = src->notes[p];
        sizes[p] = sizeof src->notes[p];
    }
    for (int p = 0; p < 10; p += TABLE_GET_MANY) {
        int n = 10 - p < TABLE_GET_MANY ? 10 - p : TABLE_GET_MANY;
        tableGetMany(NOTES_TABLE, keyList + p, n, values + p, sizes + p);
    }
}

// The lesson's course on its date (a change of that lesson counts); 1 when it is cancelled.
static int lessonCourse(AgendaSources* src, int week, int day, int period, char* course, size_t size) {
    if (src->colour[week] < 0) src->colour[week] = readWeekColour(week);
    char teacherOrClass[SLOT_FIELD_SIZE], classroom[SLOT_FIELD_SIZE];
    char* const fields[3] = {course, teacherOrClass, classroom};
    const size_t sizes[3] = {size, sizeof teacherOrClass, sizeof classroom};
    return lookupLessonFields(week, day, period, src->colour[week], fields, sizes);
}

// Adds the note of one lesson when it is due; offset: calendar days from today.
static void addLesson(Agenda* out, AgendaSources* src, int index, long offset, int period) {
    const DayEntry& e = dayTable[index];
    const char* stored = src->notes[period];
    if (stored[0] == '\0' || out->count >= AGENDA_MAX_ROWS) return;
    int marks = marksOf(&src->marks, e.week, e.weekday, period, stored);
    // What is done drops out of the past; a test alone is shown beyond the fortnight.
    if (offset < 0 && (marks & MARK_DONE)) return;
    if (offset > AGENDA_DAYS_AHEAD && !(marks & MARK_TEST)) return;
    AgendaRow* row = &out->rows[out->count++];
    row->group = offset < 0 ? AGENDA_OVERDUE : offset == 0 ? AGENDA_TODAY : AGENDA_LATER;
    row->dayIndex = index;
    row->week = e.week;
    row->day = e.weekday;
    row->period = period;
    snprintf(row->date, sizeof row->date, "%04u-%02u-%02u", (unsigned)(e.year + 1900) % 10000u,
             (unsigned)e.month % 100u, (unsigned)e.day % 100u);
    row->cancelled = lessonCourse(src, e.week, e.weekday, period, row->course, sizeof row->course);
    decodeNotes(stored, row->note, sizeof row->note);
    row->marks = marks;
    row->testInDays = (marks & MARK_TEST) && offset >= 0 && offset <= TEST_DAYS_AHEAD ? (int)offset : -1;
}

void buildAgenda(Agenda* out) {
    out->count = 0;
    out->unread = 1;
    unsigned failedReads = readFailureCount();
    AgendaSources* src = (AgendaSources*)calloc(1, sizeof *src);
    if (src == NULL) return;
    int marksUnread = readAllMarks(takeMark, &src->marks);
    firstPlaces(src->first);
    for (int w = 0; w < 54; w++) src->colour[w] = -1;
    long today = todayNumber(), start = dayTableLength > 0 ? entryDayNumber(dayTable[0]) : 0;
    long from = today - AGENDA_DAYS_BACK - start, to = today + TEST_DAYS_AHEAD - start;
    for (long i = from < 0 ? 0 : from; i <= to && i < dayTableLength; i++) {
        const DayEntry& e = dayTable[i];
        if (e.weekday < 1 || e.weekday > 6 || i - src->first[e.week] > 6) continue;
        readDayNotes(src, e.week, e.weekday);
        for (int period = 0; period < 10; period++) addLesson(out, src, (int)i, start + i - today, period);
    }
    free(src);
    out->unread = marksUnread || readFailureCount() != failedReads;
}

void agendaHeading(const AgendaRow* row, char* out, int size) {
    if (row->group == AGENDA_OVERDUE || row->dayIndex < 0 || row->dayIndex >= dayTableLength) {
        copyText(out, (size_t)size, row->group == AGENDA_OVERDUE ? "Overdue" : "");
        return;
    }
    const DayEntry& e = dayTable[row->dayIndex];
    const char* name = e.weekday >= 1 && e.weekday <= 6 ? dayNames[e.weekday] : "";
    snprintf(out, (size_t)size, "%s%s %u/%u/%u", row->group == AGENDA_TODAY ? "Today, " : "", name,
             (unsigned)e.month, (unsigned)e.day, (unsigned)e.year + 1900u);
}

// Calendar days from today to the next school day: tomorrow, or Monday after a Saturday.
static long nextSchoolDayOffset() {
    long today = todayNumber();
    // 1 January 1970 was a Thursday: weekday 0 Sunday .. 6 Saturday.
    long weekday = ((today % 7) + 7 + 4) % 7;
    return weekday == 6 ? 2 : 1;
}

int agendaWantsReminder(const Agenda* agenda) {
    long next = nextSchoolDayOffset(), today = todayNumber();
    for (int i = 0; i < agenda->count; i++) {
        const AgendaRow* row = &agenda->rows[i];
        if (row->group == AGENDA_OVERDUE) return 1;
        if (row->dayIndex < 0 || row->dayIndex >= dayTableLength || (row->marks & MARK_DONE)) continue;
        if (entryDayNumber(dayTable[row->dayIndex]) - today == next) return 1;
    }
    return 0;
}

static int rowInTable(const AgendaRow* row) {
    if (row->dayIndex < 0 || row->dayIndex >= dayTableLength) return 0;
    const DayEntry& e = dayTable[row->dayIndex];
    return e.week == row->week && e.weekday == row->day && row->period >= 0 && row->period <= 9;
}

int showAgendaRow(const AgendaRow* row) {
    // A calendar rebuilt since the row was listed (a restore, a new year) may not hold it.
    if (!rowInTable(row) || !keepTypedNote()) return 1;
    showLesson(row->week, row->day, row->period);
    return 0;
}

// Sets or clears a mark of the note under key as it is stored now; its marks after, or -1
// when nothing was written (the user is told why).
static int markStoredNote(const char* key, int mark, int on) {
    valueBuffer[0] = '\0';
    tableOp(TABLE_GET, NOTES_TABLE, key, "");
    if (tableGetFailed()) {
        notify("The notes could not be read: another program may have the notes file open.\n"
               "The mark was not set.",
               NOTIFY_ERROR);
        return -1;
    }
    char stored[sizeof valueBuffer];
    copyText(stored, sizeof stored, valueBuffer);
    if (setNoteMark(key, stored, mark, on) != 0) return -1;
    frontNotesChanged();
    return noteMarks(key, stored);
}

int markAgendaRow(AgendaRow* row, int mark, int on) {
    char key[32];
    formatNoteKey(key, sizeof key, row->week, row->day, row->period);
    int marks = markStoredNote(key, mark, on);
    if (marks < 0) return 1;
    row->marks = marks;
    return 0;
}

int markSelectedLesson(int mark, int on) {
    char key[32];
    formatNoteKey(key, sizeof key, diaryState.selectedWeek, diaryState.selectedDay, diaryState.selectedPeriod);
    return markStoredNote(key, mark, on) < 0;
}

static void writePageOf(const Agenda* agenda, AgendaPageRow* rows) {
    for (int i = 0; i < agenda->count; i++) {
        const AgendaRow* r = &agenda->rows[i];
        rows[i] = {r->date, r->period, r->course, r->note, r->marks, r->cancelled};
    }
    char today[16];
    snprintf(today, sizeof today, "%04u-%02u-%02u", (unsigned)(todayYear + 1900) % 10000u, (unsigned)todayMonth % 100u,
             (unsigned)todayMonthDay % 100u);
    writeAgendaPage(today, rows, agenda->count);
}

void exportAgendaPage() {
    Agenda* agenda = (Agenda*)malloc(sizeof *agenda);
    AgendaPageRow* rows = (AgendaPageRow*)malloc(AGENDA_MAX_ROWS * sizeof *rows);
    if (agenda != NULL && rows != NULL) buildAgenda(agenda);
    if (agenda == NULL || rows == NULL) {
        notify("Not enough memory to read the diary: the agenda page was not written.", NOTIFY_ERROR);
    } else if (agenda->unread) {
        // A page without the notes that could not be read would look complete.
        notify("The notes could not be read whole: another program may have a file of the diary open.\n"
               "The agenda page was not written.",
               NOTIFY_ERROR);
    } else {
        writePageOf(agenda, rows);
    }
    free(rows);
    free(agenda);
}

int agendaAtStart() { return strcmp(readKeySetting(KEY_AGENDA_AT_START), "no") != 0; }

void setAgendaAtStart(int on) {
    if (writeSetting(settingKeyName(KEY_AGENDA_AT_START), on ? "yes" : "no") == 0) reportSaveFailure("the settings", 1);
}
