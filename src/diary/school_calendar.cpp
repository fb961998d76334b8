// The diary's calendar: the 360 days around today, or the school year of the notes. A setting
// that cannot be read falls back to the 360 days and is named in the start-up message; nothing
// stored moves, since notes are kept by week number whichever table shows them.
#include "diary/school_calendar.h"

#include <cstdio>
#include <cstring>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/notify.h"
#include "diary/school_year.h"
#include "diary/slot.h"
#include "diary/notes.h"
#include "diary/status_line.h"
#include "platform/bounded_text.h"
#include "records/setting_keys.h"
#include "records/settings.h"
#include "store/save_report.h"

DiaryYear diaryYear;

static char yearNote[400];

void schoolYearName(int year, char* out, int size) { snprintf(out, (size_t)size, "%d-%d", year, year + 1); }

// The school year that holds today, for a school year starting in startWeek.
static int todaysSchoolYear(int startWeek) {
    return schoolYearOfDate(startWeek, todayMonthDay, todayMonth, todayYear + 1900);
}

#define KEY_ABSENT -2
#define KEY_UNUSABLE -1

// The number a key holds; KEY_ABSENT, or KEY_UNUSABLE for a value that fails the key's check
// (named in the start-up note).
static int readNumberKey(SettingKey key) {
    const char* raw = readSetting(settingKeyName(key));
    if (raw[0] == '\0') return KEY_ABSENT;
    char kept[64];
    copyText(kept, sizeof kept, raw);
    if (!settingKeys[key].usable(kept)) {
        snprintf(yearNote, sizeof yearNote,
                 "\nThe setting %s=%s cannot be used, so the diary shows the 360 days around today.",
                 settingKeyName(key), kept);
        return KEY_UNUSABLE;
    }
    return leadingNumber(kept);
}

// The week that starts the school year: its own setting (0 there: none), else the first week
// of a rotation kept before that setting existed. 0 for none, -1 when a setting cannot be used
// (the note says why).
static int schoolYearStart() {
    int start = readNumberKey(KEY_SCHOOL_YEAR_START);
    if (start != KEY_ABSENT) return start;
    const char* rotation = readSetting(settingKeyName(KEY_ROTATION_FIRST));
    if (rotation[0] == '\0') return 0;
    int week = leadingNumber(rotation);
    // A rotation may start in week 53, which not every year has: no school year from it.
    return week >= 1 && week <= 52 ? week : 0;
}

void notesYearToKeep(int startWeek, char* out, int size) {
    out[0] = '\0';
    if (readSetting(settingKeyName(KEY_NOTES_YEAR))[0] != '\0') return;
    int year = todaysSchoolYear(startWeek);
    if (year != 0) snprintf(out, (size_t)size, "%d", year);
}

// The notes' school year; kept as today's the first time a school year is set (a rotation kept
// by an older version, which did not keep it).
static int notesYearFor(int todaysYear) {
    int year = readNumberKey(KEY_NOTES_YEAR);
    if (year != KEY_ABSENT) return year;
    char text[16];
    snprintf(text, sizeof text, "%d", todaysYear);
    writeSetting(settingKeyName(KEY_NOTES_YEAR), text);
    return todaysYear;
}

static void noteYearState() {
    char notes[SCHOOL_YEAR_NAME_SIZE], today[SCHOOL_YEAR_NAME_SIZE];
    schoolYearName(diaryYear.notesYear, notes, sizeof notes);
    schoolYearName(diaryYear.todaysYear, today, sizeof today);
    if (diaryYear.state == YEAR_BEHIND)
        snprintf(yearNote, sizeof yearNote,
                 "\nThe notes belong to the school year %s: the diary shows that year until the new "
                 "school year %s is started (File > New school year...).",
                 notes, today);
    else if (diaryYear.state == YEAR_AHEAD)
        snprintf(yearNote, sizeof yearNote,
                 "\nThe notes belong to the school year %s, which by the computer's clock has not begun: "
                 "the diary shows that year.",
                 notes);
}

static void buildFallback(DiaryYearState state) {
    diaryYear = DiaryYear{state, 0, 0, 0};
    buildDayTable();
}

void buildDiaryCalendar() {
    yearNote[0] = '\0';
    readToday();
    int start = schoolYearStart();
    if (start <= 0) return buildFallback(start < 0 ? YEAR_REFUSED : YEAR_NONE);
    int todays = todaysSchoolYear(start);
    int notes = todays != 0 ? notesYearFor(todays) : -1;
    if (notes < 0 || buildSchoolYearTable(start, notes) != 0) return buildFallback(YEAR_REFUSED);
    DiaryYearState state = notes == todays ? YEAR_CURRENT : (notes < todays ? YEAR_BEHIND : YEAR_AHEAD);
    diaryYear = DiaryYear{state, start, notes, todays};
    noteYearState();
}

const char* diaryYearNote() { return yearNote; }

// Selects entry index as the shown day and today.
static void startAt(int index) {
    diaryState.selectedDay = dayTable[index].weekday;
    diaryState.selectedWeek = dayTable[index].week;
    diaryState.todayWeekday = diaryState.selectedDay;
    diaryState.currentWeek = diaryState.selectedWeek;
}

void chooseStartDay() {
    int today = todayIndex();
    if (today < 0 && dayTableIsSchoolYear) {
        // The same weekday of the table's nearest week; a Sunday shows the Saturday.
        int weekday = diaryState.todayWeekday >= 1 && diaryState.todayWeekday <= 6 ? diaryState.todayWeekday : 6;
        int week0 = diaryYear.state == YEAR_AHEAD ? 0 : dayTableLength - 7;
        return startAt(week0 + weekday);
    }
    if (diaryState.todayWeekday != 0) {
        diaryState.selectedDay = diaryState.todayWeekday;
        diaryState.selectedWeek = diaryState.currentWeek;
        return;
    }
    // Sunday has no timetable: show the Saturday before, with that Saturday's week; the first
    // day of a school year has none before it, so it shows its Monday.
    if (today == 0 && dayTableIsSchoolYear) return startAt(1);
    // Today always lies well inside the 360 days; the arithmetic is only a safety net.
    int week = diaryState.currentWeek > 1 ? diaryState.currentWeek - 1 : 52;
    if (today > 0) week = dayTable[today - 1].week;
    diaryState.todayWeekday = 6;
    diaryState.selectedDay = 6;
    diaryState.currentWeek = week;
    diaryState.selectedWeek = week;
}

void offerNewSchoolYear() {
    if (diaryYear.state != YEAR_BEHIND) return;
    char notes[SCHOOL_YEAR_NAME_SIZE], today[SCHOOL_YEAR_NAME_SIZE], text[600], message[200];
    schoolYearName(diaryYear.notesYear, notes, sizeof notes);
    schoolYearName(diaryYear.todaysYear, today, sizeof today);
    snprintf(text, sizeof text,
             "Today lies in the school year %s, but the diary holds the notes of %s.\n\n"
             "Start the new school year now? The notes of %s are kept first as the snapshot \"%s\" "
             "(File > Restore... brings them back), then the notes, their marks, the lessons changed on one date "
             "and the week colours are emptied.\n\n"
             "No keeps showing %s.",
             today, notes, notes, notes, notes);
    if (!frontAskYesNo(text)) return;
    if (startSchoolYear(notes, message, sizeof message) == 1) {
        snprintf(text, sizeof text, "%s\nPlease start the new school year with File > New school year... and another name.",
                 message);
        notify(text, NOTIFY_INFO);
    }
}

// The shown week and day in the new table, or the start-up choice when it does not hold them.
static void reselect() {
    int week = diaryState.selectedWeek, day = diaryState.selectedDay;
    int found = -1;
    for (int i = 0; i < dayTableLength && found < 0; i++)
        if (dayTable[i].week == week && dayTable[i].weekday == day) found = i;
    if (found < 0) {
        chooseStartDay();
        frontSelectTabs(diaryState.selectedDay - 1, diaryState.selectedPeriod);
    }
    locateSelectedDay();
}

void rebuildDiaryCalendar() {
    buildDiaryCalendar();
    reselect();
}

void notesMovedToTodaysYear() {
    if (diaryYear.startWeek == 0) return;
    char text[16];
    snprintf(text, sizeof text, "%d", diaryYear.todaysYear);
    if (!writeSetting(settingKeyName(KEY_NOTES_YEAR), text)) reportSaveFailure("the school year of the notes", 0);
}

int shownSchoolYearStart() {
    int start = schoolYearStart();
    return start > 0 ? start : 0;
}

// A week from 1 to 52 with blanks around it; -1 for anything else, 0 for nothing.
static int typedWeek(const char* text) {
    int empty = 0;
    long week = typedNumber(text, &empty);
    if (empty) return 0;
    return week >= 1 && week <= 52 ? (int)week : -1;
}

int describeSchoolYearStart(const char* typed, char* out, int size) {
    int week = typedWeek(typed);
    if (week < 0) {
        snprintf(out, (size_t)size, "The school year starts in a week from 1 to 52.");
        return -1;
    }
    if (week == 0) {
        snprintf(out, (size_t)size, "Without a week, the diary shows the 360 days around today.");
        return 0;
    }
    DayEntry monday, saturday;
    int year = todaysSchoolYear(week);
    int weeks = schoolYearSpan(week, year, &monday, &saturday);
    snprintf(out, (size_t)size, "This school year: Monday %d/%d/%d to Saturday %d/%d/%d, %d weeks.", monday.month,
             monday.day, monday.year + 1900, saturday.month, saturday.day, saturday.year + 1900, weeks);
    return week;
}

int plannedSchoolYear(int startWeek, DayEntry* out, int max) {
    int year = diaryYear.startWeek != 0 ? diaryYear.notesYear : todaysSchoolYear(startWeek);
    return fillSchoolYear(out, max, startWeek, year);
}

int setSchoolYearStart(int week) {
    char text[16], notesYear[16];
    snprintf(text, sizeof text, "%d", week > 0 ? week : 0);
    notesYearToKeep(week, notesYear, sizeof notesYear);
    const char* const keys[] = {settingKeyName(KEY_SCHOOL_YEAR_START), settingKeyName(KEY_NOTES_YEAR)};
    const char* const values[] = {text, notesYear};
    int failed = !writeSettings(keys, values, notesYear[0] != '\0' ? 2 : 1);
    if (failed) reportSaveFailure("the week that starts the school year", 0);
    rebuildDiaryCalendar();
    refreshStatusLine();
    loadNotes();
    refreshSlotLine();
    return failed;
}
