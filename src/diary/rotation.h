// The "Week rotation..." command's work: checks a rule typed in its dialog, plans the year
// from the day table for the preview, and writes every week colour in one rewrite.
#pragma once
#include "calendar/week_rotation.h"
#include "records/rotation_rule.h"

// The field of the dialog that a message is about.
enum RotationField { ROTATION_FIELD_NONE, ROTATION_FIELD_CYCLE, ROTATION_FIELD_FIRST, ROTATION_FIELD_HOLIDAYS };

// Builds a rule from the dialog's fields: the cycle's colours (-1 for an unused place), the
// first week as typed and the holiday list. 0, or the field in error with its message.
RotationField readRotationFields(const int* places, int placeCount, const char* firstWeekText,
                                 const char* holidays, RotationRule* rule, char* message, int size);
// The weeks the rule would colour, in order (see planRotation).
int previewRotation(const RotationRule* rule, RotationWeek* out, int max);
// One line of the preview: "Week 36  (9/1/2025)  Yellow", or "... Holiday".
void formatRotationWeek(const RotationWeek* week, char* out, int size);
// The name of a week colour 0..4 ("White", "Yellow", "Green", "Red", "Blue").
const char* weekColourName(int colour);
// Writes the planned colours in one rewrite of "weeks.dat", keeps the rule in the settings
// and refreshes the slot line and the status line. 0, or 1 when nothing was written (told).
int applyRotation(const RotationRule* rule);

// What becomes of cycle colours without a timetable (see emptyCycleColours): left as they are,
// the plain week's timetable shown in every week (the default values on), or copied into them.
enum RotationTimetable { ROTATION_TIMETABLE_AS_IS, ROTATION_TIMETABLE_DEFAULTS, ROTATION_TIMETABLE_COPY };
struct RotationChoices {
    int overwriteByHand;          // 1: week colours set by hand take the rule's colour too
    RotationTimetable timetable;
};
// applyRotation with the dialog's choices: a copy of the timetable comes first, so that a copy
// that fails leaves the week colours as they were; colours set by hand that are kept keep
// their lines. applyRotation is this with every colour overwritten and the timetable as is.
int applyRotationWith(const RotationRule* rule, const RotationChoices* choices);
