// "Change this lesson...": the model of the dialog for the selected lesson on its date. It
// loads what the timetable gives and what the date's change makes of it, checks and cleans
// typed values as the timetable grid does, and stores or removes the change.
// Offers lessonChangeLoad, lessonChangeSave and lessonChangeRemove; the lookups the agenda
// and the next lesson use are in records/lesson_changes.h.
#pragma once
#include <cstddef>

#include "records/lesson_changes.h"

struct LessonChangeForm {
    int week, day, period;                          // the lesson: selectedWeek, selectedDay, selectedPeriod
    char name[64];                                  // "Tuesday 1/13/2026, Period 3"
    char timetable[3][CHANGE_VALUE_LIMIT + 1];      // what the timetable gives for that date
    char value[3][CHANGE_VALUE_LIMIT + 1];          // what the lesson is on that date
    int cancelled;
    int hasChange;                                  // a change of the lesson is stored
};

// Typed fields as the dialog reads them (in the code page, with the characters it lacks).
struct LessonChangeTyped {
    const char* text[3];
    const char* foreign[3];  // "ł α" (UTF-8), "" for none
    int cancelled;
};

// Loads the selected lesson. 0 for a lesson in range, 1 for none (nothing to change).
int lessonChangeLoad(LessonChangeForm* f);
// Checks, cleans and stores what was typed, then refreshes the slot line. 0 stored; 1 refused:
// *field is the field at fault and message says why (nothing stored); 2 not written (told).
int lessonChangeSave(LessonChangeForm* f, const LessonChangeTyped* typed, int* field, char* message, size_t size);
// Removes the lesson's change (back to the timetable) and refreshes the slot line. 0, or 1 (told).
int lessonChangeRemove(LessonChangeForm* f);
