// The slot line above the notes, and the key under which a typed slot value is stored.
#pragma once

#include "records/slot_lookup.h"

// Rebuilds the slot line of the selected slot and shows it.
void refreshSlotLine();
// The key of the selected slot for the pending action 2, 3 or 4 (course otherwise) (out: 16 bytes or more).
void pendingSlotKey(char* out, int size);
