// The rotation plan: walks the day table week by week and counts the cycle on over the weeks
// that are not holidays, so that a holiday, or a year of 53 weeks, never breaks the cycle.
#include "calendar/week_rotation.h"

#include "calendar/day_table.h"

int planRotation(const int* cycle, int cycleLength, int firstWeek, const unsigned char* holiday,
                 RotationWeek* out, int max) {
    if (cycleLength < 1) return 0;
    int start = 0;
    while (start < dayTableLength && dayTable[start].week != firstWeek) start++;
    unsigned char seen[54] = {0};
    int count = 0, step = 0;
    for (int i = start; i < dayTableLength && count < max; i++) {
        int week = dayTable[i].week;
        if (i > start && week == dayTable[i - 1].week) continue;
        if (week < 1 || week > 53 || seen[week]) break;
        seen[week] = 1;
        RotationWeek* row = &out[count++];
        row->week = week;
        row->dayIndex = i;
        row->holiday = holiday[week] != 0;
        row->colour = row->holiday ? 0 : cycle[step++ % cycleLength];
    }
    return count;
}
