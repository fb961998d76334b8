// The week rotation command's work: the dialog's fields into a rule, the preview rows, and
// the one rewrite of the week colours with the rule kept for the next time.
#include "diary/rotation.h"

#include <cstdio>
#include <cstring>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "records/week_colours.h"
#include "store/save_report.h"

const char* weekColourName(int colour) {
    static const char* const names[5] = {"White", "Yellow", "Green", "Red", "Blue"};
    return colour >= 0 && colour <= 4 ? names[colour] : "?";
}

// The first week as typed: digits alone, blanks around allowed. -1 when it is no number.
static long typedWeek(const char* text) {
    while (*text == ' ') text++;
    long n = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9'; text++, digits++)
        if (n < 1000) n = n * 10 + (*text - '0');
    while (*text == ' ') text++;
    return digits > 0 && *text == '\0' ? n : -1;
}

RotationField readRotationFields(const int* places, int placeCount, const char* firstWeekText,
                                 const char* holidays, RotationRule* rule, char* message, int size) {
    memset(rule, 0, sizeof *rule);
    message[0] = '\0';
    for (int i = 0; i < placeCount && rule->cycleLength < ROTATION_MAX_CYCLE; i++)
        if (places[i] >= 0 && places[i] <= 4) rule->cycle[rule->cycleLength++] = places[i];
    if (rule->cycleLength == 0) {
        snprintf(message, (size_t)size, "Choose at least one colour for the cycle.");
        return ROTATION_FIELD_CYCLE;
    }
    long first = typedWeek(firstWeekText);
    if (first < 1 || first > 53) {
        snprintf(message, (size_t)size, "The first week must be a week number from 1 to 53.");
        return ROTATION_FIELD_FIRST;
    }
    rule->firstWeek = (int)first;
    int inTable = 0;
    for (int i = 0; i < dayTableLength && !inTable; i++) inTable = dayTable[i].week == first;
    if (!inTable) {
        snprintf(message, (size_t)size, "Week %ld is not in the diary's calendar.", first);
        return ROTATION_FIELD_FIRST;
    }
    snprintf(rule->holidayText, sizeof rule->holidayText, "%s", holidays);
    if (parseHolidayList(holidays, rule->firstWeek, rule->holiday, message, size) != 0)
        return ROTATION_FIELD_HOLIDAYS;
    return ROTATION_FIELD_NONE;
}

int previewRotation(const RotationRule* rule, RotationWeek* out, int max) {
    return planRotation(rule->cycle, rule->cycleLength, rule->firstWeek, rule->holiday, out, max);
}

void formatRotationWeek(const RotationWeek* week, char* out, int size) {
    // The Monday of the week, or its first day in the table.
    int index = week->dayIndex;
    while (index + 1 < dayTableLength && dayTable[index].weekday != 1 && dayTable[index + 1].week == week->week)
        index++;
    const DayEntry& day = dayTable[index];
    snprintf(out, (size_t)size, "Week %d  (%d/%d/%d)  %s", week->week, day.month, day.day, day.year + 1900,
             week->holiday ? "Holiday" : weekColourName(week->colour));
}

int applyRotation(const RotationRule* rule) {
    RotationWeek plan[ROTATION_MAX_WEEKS];
    int count = previewRotation(rule, plan, ROTATION_MAX_WEEKS);
    int weeks[ROTATION_MAX_WEEKS], colours[ROTATION_MAX_WEEKS];
    for (int i = 0; i < count; i++) {
        weeks[i] = plan[i].week;
        colours[i] = plan[i].colour;
    }
    if (count == 0 || setWeekColours(weeks, colours, count) != 0) return 1;
    if (saveRotationRule(rule) != 0) reportSaveFailure("the week rotation rule", 0);
    readSelectedWeekColour();
    refreshSlotLine();
    refreshStatusLine();
    return 0;
}
