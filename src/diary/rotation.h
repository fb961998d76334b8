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
