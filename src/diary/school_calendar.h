// Which calendar the diary shows. Without a school year it is the 360 days around today. Once a
// school year is set (its own setting, or the first week of the week rotation), it is the whole
// school year that the notes belong to: notes are kept by week number, so the diary remembers
// that year and shows it until the user starts the new one.
#pragma once
#include "calendar/day_table.h"

enum DiaryYearState {
    YEAR_NONE,      // no school year set: the 360 days
    YEAR_CURRENT,   // the notes' school year holds today
    YEAR_BEHIND,    // today lies in a later school year than the notes'
    YEAR_AHEAD,     // the notes' school year begins after today (a clock set back)
    YEAR_REFUSED,   // a setting that cannot be read: the 360 days, and the user is told
};

struct DiaryYear {
    DiaryYearState state;
    int startWeek;   // 1..52, 0 without a school year
    int notesYear;   // the year the notes' school year starts in
    int todaysYear;  // the year today's school year starts in
};

extern DiaryYear diaryYear;

#define SCHOOL_YEAR_NAME_SIZE 16

// Reads the settings, builds the day table and finds today in it.
void buildDiaryCalendar();
// Chooses the week and day shown at start: today, a Sunday's Saturday before (the Monday
// after on the first day of a school year), or, when today lies outside the notes' school
// year, the same weekday of its nearest week.
void chooseStartDay();
// "2025-2026" for the school year that starts in 2025.
void schoolYearName(int year, char* out, int size);
// The start-up message's line about the school year, "" when there is nothing to say.
const char* diaryYearNote();
// When the notes belong to an earlier school year than today's: offers New school year once.
void offerNewSchoolYear();
// After a change of the rule or of the notes' year: builds the table again, keeps the shown
// week and day where the new table holds them, and refreshes the window.
void rebuildDiaryCalendar();
// The notes now belong to today's school year (a new school year was started): keeps it in
// the settings; the caller builds the calendar again.
void notesMovedToTodaysYear();
// The week that starts the school year as the "School year..." dialog opens with it: its own
// setting, else the rotation's first week; 0 for none.
int shownSchoolYearStart();
// What a start week typed in that dialog means, for its message line: the dates of today's
// school year, or why the text cannot be used. typed: the field's text. Returns the week, 0 for
// an empty field (the 360 days), -1 for text that cannot be used.
int describeSchoolYearStart(const char* typed, char* out, int size);
// The days of the school year that would be shown once it starts in startWeek: the notes'
// school year when one is set, else today's. Their number; 0 when no school year can start
// there (week 53).
int plannedSchoolYear(int startWeek, DayEntry* out, int max);
// The notes' school year to keep beside a new start week: today's school year ("2026") when
// none is kept yet, else "" (the one kept stays).
void notesYearToKeep(int startWeek, char* out, int size);
// Sets the week that starts every school year, 0 for none. 0, or 1 when the setting could not
// be written (told); the calendar is built again either way.
int setSchoolYearStart(int week);
