// The rotation's checks before it is applied: the cycle's colours without a timetable, and the
// week colours set by hand, told by comparing the stored colours with the kept rule's plan.
#include "diary/rotation_guard.h"

#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"
#include "records/week_colours.h"

int emptyCycleColours(const int entries[5], const RotationRule* rule, int useDefaults) {
    if (useDefaults == 1 || entries[0] == 0) return 0;
    int mask = 0;
    for (int i = 0; i < rule->cycleLength; i++) {
        int colour = rule->cycle[i];
        if (colour >= 1 && colour <= 4 && entries[colour] == 0) mask |= 1 << colour;
    }
    return mask;
}

void formatColourList(int mask, char* out, int size) {
    int left = 0;
    for (int c = 1; c <= 4; c++) left += (mask >> c) & 1;
    out[0] = '\0';
    for (int c = 1; c <= 4; c++) {
        if (!((mask >> c) & 1)) continue;
        appendText(out, (size_t)size, weekColourName(c));
        left--;
        appendText(out, (size_t)size, left > 1 ? ", " : left == 1 ? " and " : "");
    }
}

void describeEmptyColours(int mask, char* note, int noteSize, char* copyLabel, int copySize) {
    note[0] = copyLabel[0] = '\0';
    if (mask == 0) return;
    char colours[48];
    formatColourList(mask, colours, sizeof colours);
    snprintf(note, (size_t)noteSize,
             "%s weeks have no timetable of their own: after the rotation they would show an empty timetable.",
             colours);
    snprintf(copyLabel, (size_t)copySize, "Cop&y the timetable of white weeks into %s weeks", colours);
}

void readHandSetWeeks(HandSetWeeks* weeks) {
    memset(weeks, 0, sizeof *weeks);
    int given[54] = {0};  // what the kept rule gave each week
    RotationRule kept;
    int ruleKept = rotationRuleKept() && loadRotationRule(&kept) == 0;
    if (ruleKept) {
        RotationWeek plan[ROTATION_MAX_WEEKS];
        int n = previewRotation(&kept, plan, ROTATION_MAX_WEEKS);
        for (int i = 0; i < n; i++) given[plan[i].week] = plan[i].colour;
    }
    for (int week = 1; week <= 53; week++) {
        weeks->colour[week] = readWeekColour(week);
        weeks->byHand[week] = weeks->colour[week] != 0 && (!ruleKept || weeks->colour[week] != given[week]);
    }
}

int fillChangesHandSet(const HandSetWeeks* weeks, const RotationWeek* row) {
    int week = row->week;
    return week >= 1 && week <= 53 && weeks->byHand[week] && weeks->colour[week] != row->colour;
}

void formatPreviewWeek(const RotationWeek* row, const HandSetWeeks* weeks, int overwrite, char* out, int size) {
    if (!fillChangesHandSet(weeks, row)) {
        formatRotationWeek(row, out, size);
        return;
    }
    const char* planned = row->holiday ? "Holiday" : weekColourName(row->colour);
    const char* byHand = weekColourName(weeks->colour[row->week]);
    char tail[64];
    if (overwrite) {
        formatRotationWeek(row, out, size);
        snprintf(tail, sizeof tail, "  (instead of %s, set by hand)", byHand);
    } else {
        RotationWeek kept = *row;
        kept.holiday = 0;
        kept.colour = weeks->colour[row->week];
        formatRotationWeek(&kept, out, size);
        snprintf(tail, sizeof tail, "  (set by hand, kept instead of %s)", planned);
    }
    appendText(out, (size_t)size, tail);
}
