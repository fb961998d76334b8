// Timetable slot lookup: the course, teacher-or-class and classroom of a slot in the selected
// week's colour, each falling back on its own to the colour-less entry when useDefaults is on.
#pragma once
#include <cstddef>

#define SLOT_FIELD_SIZE 64

// Fills the three fields (each SLOT_FIELD_SIZE bytes) for day 1..6 and period 0..9.
void lookupSlot(int day, int period, char* course, char* teacherOrClass, char* classroom);
// The same into fields of the given sizes (course, teacher or class, classroom).
void lookupSlotFields(int day, int period, char* const fields[3], const size_t sizes[3]);
// The same for a week of the given colour (another week than the selected one).
void lookupSlotFieldsIn(int day, int period, int weekColour, char* const fields[3], const size_t sizes[3]);
