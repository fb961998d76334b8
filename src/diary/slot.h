// Timetable slot lookup with week colours and the fall-back to colour-less entries, the slot
// line above the notes, and the key under which a typed slot value is stored.
#pragma once

#define SLOT_FIELD_SIZE 64

// Fills the three fields (each 64 bytes) for day 1..6 and period 0..9 in weekColour.
void lookupSlot(int day, int period, char* course, char* teacherOrClass, char* classroom);
// Rebuilds the slot line of the selected slot and shows it.
void refreshSlotLine();
// The key of the selected slot for the pending action 2, 3 or 4 (out: 16 bytes or more).
void pendingSlotKey(char* out, int size);
