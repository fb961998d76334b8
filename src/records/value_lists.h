// The value lists file "hdvalues.dat": courses "[C]", teachers or classes "[T]" and
// classrooms "[L]", one prefixed value per line.
#pragma once

#define LISTS_FILE "hdvalues.dat"
#define LISTS_TEMP "hdvalues.tmp"

// Appends valueBuffer to the list of the pending action (10, 12, 14). 0, or 1 when the file
// could not be written (the user is told, the file stays as it was).
int addListValue();
// Appends, in one rewrite of the file, each values[i] that the list of prefixes[i] ("[C]",
// "[T]", "[L]") does not hold yet, once, in the given order; empty values are passed over.
// 0 (also when none is new: nothing is written), or 1 when the file could not be written
// (the user is told, the file stays as it was).
int addNewListValues(const char* const prefixes[], const char* const values[], int count);
// Removes every line whose value equals valueBuffer. Nonzero when the new file took the
// place of the old one, else 0.
int removeListValue();
// The prefix of the value list an action works on (see pending_actions.h): "[C]", "[T]",
// "[L]", or "" for an action without one.
const char* listPrefix(int action);
// Calls add for each value of the list with that prefix, in file order.
// 0, or 1 when the file cannot be opened.
int readListValues(const char* prefix, void (*add)(const char* value, void* context), void* context);
