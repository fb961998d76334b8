// The week rotation over the day table: from the first week of the cycle to the end of the
// table, each week gets the next colour of the cycle, except holiday weeks, which get the
// plain colour 0 and do not advance the cycle. Offers planRotation.
#pragma once
#include "calendar/day_table.h"

struct RotationWeek {
    int week;      // week number, as the day table counts weeks
    int colour;    // 0..4
    int holiday;   // 1 for a holiday week
    int dayIndex;  // the week's first entry in the table it was planned in
    DayEntry shownDay;  // its Monday, or its first day in that table
};

#define ROTATION_MAX_WEEKS 54

// Plans the weeks in table order from the first entry of firstWeek; stops at the end of the
// table, or before a week number that comes round again (the colours file keeps one colour
// per week number). holiday[w] marks week w (54 entries). Returns the number of weeks, 0 when
// firstWeek is not in the table or the cycle is empty.
int planRotation(const int* cycle, int cycleLength, int firstWeek, const unsigned char* holiday,
                 RotationWeek* out, int max);
// The same over another table of days (a school year not shown yet).
int planRotationIn(const DayEntry* table, int length, const int* cycle, int cycleLength, int firstWeek,
                   const unsigned char* holiday, RotationWeek* out, int max);
