// Lessons that differ from the timetable on one date, kept in "changes.dat": one line per lesson
// under its notes key ("W12D2P0"), holding whether it is cancelled and only the fields that
// differ from the timetable, so that a later timetable edit still shows through the others.
// Offers the reading of one change or all, the effective fields of a lesson, and the writes.
#pragma once
#include <cstddef>

#include "records/record_keys.h"

#define CHANGES_FILE "changes.dat"
#define CHANGES_NEW "changes.new"
#define CHANGES_HEADER "### Lessons that differ on one date. Please do not edit.\n"
// The word that marks a lesson cancelled on its date in the window, the pages and the printout.
#define LESSON_CANCELLED_WORD "Cancelled"
// A changed field holds what a timetable field holds.
#define CHANGE_VALUE_LIMIT 254
// The longest line: "W53D6P9=X" and three fields of " C254:" and 254 characters.
#define CHANGE_LINE_LIMIT 1023

struct LessonChange {
    int cancelled;
    unsigned char changed[3];                // [SlotField] the field differs from the timetable
    char field[3][CHANGE_VALUE_LIMIT + 1];   // its value for that date ("" is a value too)
};

// Reads a stored value "X" (cancelled) or "-", then " C<length>:<text>" for each changed field
// (letters C, T, L). 1 when it reads whole; 0 (out cleared) for a damaged value.
int parseLessonChange(const char* value, LessonChange* out);
// The stored value of a change (out: CHANGE_LINE_LIMIT bytes or more).
void formatLessonChange(const LessonChange* change, char* out, size_t size);
// 1 when a change does something (cancels the lesson or changes a field).
int lessonChangeAny(const LessonChange* change);

// The change of week 1..53, day 1..6, period 0..9: 1 with out filled, 0 (out cleared) when
// there is none or its line is damaged.
int readLessonChange(int week, int day, int period, LessonChange* out);
// 1 when the lesson of that week, day and period is cancelled for its date.
int lessonIsCancelled(int week, int day, int period);
// Puts the change's fields in place of the looked-up ones (each of its size).
void applyLessonChange(const LessonChange* change, char* const fields[3], const size_t sizes[3]);
// A lesson's fields as they are on its date: the timetable of the week colour (with the
// fall-back of useDefaults), then the change of that week. 1 when it is cancelled, else 0.
int lookupLessonFields(int week, int day, int period, int colour, char* const fields[3], const size_t sizes[3]);

// Stores the change of a lesson from what it should be on its date: only the fields that
// differ from timetable[3] (what the timetable gives now) are kept; a lesson that is held and
// differs in nothing has its change removed. 0, or 1 when nothing was written (the user is
// told why; the file stays whole).
int storeLessonChange(int week, int day, int period, int cancelled, const char* const typed[3],
                      const char* const timetable[3]);
// Removes the change of a lesson (nothing to do when it has none). 0, or 1 as above.
int removeLessonChange(int week, int day, int period);
// Calls each for every change that reads, in file order (for a key met twice, lookups take the
// first). 0, or 1 when the file is there but could not be read whole.
int readAllLessonChanges(void (*each)(int week, int day, int period, const LessonChange* change, void* context),
                         void* context);
