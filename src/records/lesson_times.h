// Lesson times: the clock times of the ten periods, the same for every day, or of its own for
// a day the user marks (a short Saturday). Kept in the settings file under the keys
// "lesson_times_all" and "lesson_times_d1" .. "lesson_times_d6"; offers loading, checking the
// typed times of one row, and storing.
#pragma once
#include <cstddef>

#define LESSON_ROWS 7    // row 0: every day; rows 1..6: Monday..Saturday when marked
#define LESSON_NONE (-1) // a period without times is not exported

struct LessonTimes {
    int ownTimes[LESSON_ROWS];   // 1 when day 1..6 keeps its own row (ownTimes[0] unused)
    int start[LESSON_ROWS][10];  // minutes after midnight, or LESSON_NONE
    int end[LESSON_ROWS][10];
};

// Where checkLessonRow found a fault: the period, which field (0 start, 1 end) and the text.
struct LessonTimeError {
    int period;
    int isEnd;
    char message[200];
};

// Reads every row from the settings; a malformed stored period reads as without times.
void loadLessonTimes(LessonTimes* t);
// The row in force for day 1..6: its own when marked, else row 0.
int lessonRowOfDay(const LessonTimes* t, int day);
// 1 when any period of any row in force has times.
int lessonTimesAny(const LessonTimes* t);
// "HH:MM" (or "H:MM") from 00:00 to 23:59, blanks around it allowed: minutes, or -1.
int parseClockTime(const char* text);
// "HH:MM" of minutes 0..1439 into out.
void formatClockTime(char* out, size_t size, int minutes);
// Checks the typed start and end texts of the ten periods of one row and fills start and end.
// A period is empty (both texts blank) or a lesson that ends after it starts; lessons may
// touch but not overlap. 0 when all is well; 1 with the first fault in error.
int checkLessonRow(const char* const startTexts[10], const char* const endTexts[10], int start[10], int end[10],
                   LessonTimeError* error);
// Stores every row (the day rows that are not marked as "" ), writing only keys that change.
// 0, or 1 when the settings file could not be written (the user is told).
int saveLessonTimes(const LessonTimes* t);
