// The slot line above the notes, and the key under which a typed slot value is stored.
#pragma once

#include "records/lesson_changes.h"
#include "records/slot_lookup.h"

// What the slot line begins with for a lesson cancelled on its date, before "   Course: ".
#define SLOT_LINE_CANCELLED "   " LESSON_CANCELLED_WORD "  "

// Rebuilds the slot line of the selected slot (with its date's change) and shows it.
void refreshSlotLine();
// The key of the selected slot for the pending action 2, 3 or 4 (course otherwise) (out: 16 bytes or more).
void pendingSlotKey(char* out, int size);
