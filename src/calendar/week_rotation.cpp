// The rotation plan: walks a table of days week by week and counts the cycle on over the weeks
// that are not holidays, so that a holiday, or a year of 53 weeks, never breaks the cycle.
#include "calendar/week_rotation.h"

// The Monday of the week that starts at entry i, or its first day in the table.
static DayEntry shownDayOf(const DayEntry* table, int length, int i) {
    while (i + 1 < length && table[i].weekday != 1 && table[i + 1].week == table[i].week) i++;
    return table[i];
}

int planRotationIn(const DayEntry* table, int length, const int* cycle, int cycleLength, int firstWeek,
                   const unsigned char* holiday, RotationWeek* out, int max) {
    if (cycleLength < 1) return 0;
    int start = 0;
    while (start < length && table[start].week != firstWeek) start++;
    unsigned char seen[54] = {0};
    int count = 0, step = 0;
    for (int i = start; i < length && count < max; i++) {
        int week = table[i].week;
        if (i > start && week == table[i - 1].week) continue;
        if (week < 1 || week > 53 || seen[week]) break;
        seen[week] = 1;
        RotationWeek* row = &out[count++];
        row->week = week;
        row->dayIndex = i;
        row->shownDay = shownDayOf(table, length, i);
        row->holiday = holiday[week] != 0;
        row->colour = row->holiday ? 0 : cycle[step++ % cycleLength];
    }
    return count;
}

int planRotation(const int* cycle, int cycleLength, int firstWeek, const unsigned char* holiday,
                 RotationWeek* out, int max) {
    return planRotationIn(dayTable, dayTableLength, cycle, cycleLength, firstWeek, holiday, out, max);
}
