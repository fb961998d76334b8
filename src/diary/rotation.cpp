// The week rotation command's work: the dialog's fields into a rule, the preview rows, and
// the one rewrite of the week colours with the rule kept for the next time.
#include "diary/rotation.h"

#include <cstdio>
#include <cstring>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/rotation_guard.h"
#include "diary/school_calendar.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "platform/bounded_text.h"
#include "records/settings.h"
#include "records/timetable_colours.h"
#include "records/week_colours.h"
#include "store/save_report.h"
#include "store/text_file.h"

const char* weekColourName(int colour) {
    static const char* const names[5] = {"White", "Yellow", "Green", "Red", "Blue"};
    return colour >= 0 && colour <= 4 ? names[colour] : "?";
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
    long first = typedNumber(firstWeekText, NULL);
    if (first < 1 || first > 53) {
        snprintf(message, (size_t)size, "The first week must be a week number from 1 to 53.");
        return ROTATION_FIELD_FIRST;
    }
    rule->firstWeek = (int)first;
    // Weeks 1 to 52 start a school year of their own; week 53 only counts where the table has it.
    int inTable = first <= 52;
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
    // The rotation's first week starts the school year, so the plan runs over that whole year.
    static DayEntry year[DAY_TABLE_MAX];
    int length = plannedSchoolYear(rule->firstWeek, year, DAY_TABLE_MAX);
    if (length == 0) return planRotation(rule->cycle, rule->cycleLength, rule->firstWeek, rule->holiday, out, max);
    return planRotationIn(year, length, rule->cycle, rule->cycleLength, rule->firstWeek, rule->holiday, out, max);
}

void formatRotationWeek(const RotationWeek* week, char* out, int size) {
    const DayEntry& day = week->shownDay;
    snprintf(out, (size_t)size, "Week %d  (%d/%d/%d)  %s", week->week, day.month, day.day, day.year + 1900,
             week->holiday ? "Holiday" : weekColourName(week->colour));
}

// Bit c for each colour the cycle leaves without a timetable, from the table as it is now.
static int currentEmptyColours(const RotationRule* rule) {
    int entries[5];
    countTimetableEntries(entries);
    return emptyCycleColours(entries, rule, diaryState.useDefaults);
}

int applyRotationWith(const RotationRule* rule, const RotationChoices* choices) {
    RotationWeek plan[ROTATION_MAX_WEEKS];
    int count = previewRotation(rule, plan, ROTATION_MAX_WEEKS);
    if (count == 0) return 1;
    unsigned readFailures = readFailureCount();
    HandSetWeeks hand;
    if (!choices->overwriteByHand) readHandSetWeeks(&hand);
    int empty = choices->timetable == ROTATION_TIMETABLE_AS_IS ? 0 : currentEmptyColours(rule);
    // Colours or a timetable read only in part would overwrite a colour set by hand or skip a copy.
    if (readFailureCount() != readFailures) {
        reportSaveFailure("the week colours", 1);
        return 1;
    }
    int weeks[ROTATION_MAX_WEEKS], colours[ROTATION_MAX_WEEKS], n = 0;
    for (int i = 0; i < count; i++) {
        if (!choices->overwriteByHand && fillChangesHandSet(&hand, &plan[i])) continue;
        weeks[n] = plan[i].week;
        colours[n++] = plan[i].colour;
    }
    if (empty != 0 && choices->timetable == ROTATION_TIMETABLE_COPY && copyPlainTimetable(empty) != 0) return 1;
    if (n > 0 && setWeekColours(weeks, colours, n) != 0) return 1;
    if (empty != 0 && choices->timetable == ROTATION_TIMETABLE_DEFAULTS) setUseDefaults(1);
    char notesYear[16];
    notesYearToKeep(rule->firstWeek, notesYear, sizeof notesYear);
    if (saveRotationRule(rule, notesYear) != 0) reportSaveFailure("the week rotation rule", 0);
    rebuildDiaryCalendar();
    readSelectedWeekColour();
    refreshSlotLine();
    refreshStatusLine();
    return 0;
}

int applyRotation(const RotationRule* rule) {
    const RotationChoices everything = {1, ROTATION_TIMETABLE_AS_IS};
    return applyRotationWith(rule, &everything);
}
