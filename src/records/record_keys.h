// The keys of the two tables, formatted and read in this one place:
//   notes      "W<week>D<day>P<period>"                    (week 1..53, day 1..6, period 0..9)
//   timetable  "D<day>P<period><field>" and, for a coloured week, "|<colour>" after it,
//              where field is 'C' course, 'T' teacher or class, 'L' classroom.
#pragma once
#include <cstddef>

enum SlotField { SLOT_COURSE = 0, SLOT_TEACHER = 1, SLOT_CLASSROOM = 2 };

// The letter of a field in a timetable key: 'C', 'T' or 'L'.
char slotFieldLetter(SlotField field);
// The notes key of a week, day and period.
void formatNoteKey(char* out, size_t size, int week, int day, int period);
// The timetable key of a slot field; colour 0, or any colour outside 1..4, gives the
// colour-less key.
void formatSlotKey(char* out, size_t size, int day, int period, SlotField field, int colour);
// Reads "W<week>D<day>P<period>=" at the start of a line; 1 when it is a notes record's key
// with every number in range, the numbers then in week, day and period.
int parseNoteKey(const char* line, int* week, int* day, int* period);
// Reads a timetable key "D<day>P<period><field>" with or without its "|<colour>", ended by the
// end of the text or "="; 1 when it is one with every number in range.
int parseSlotKey(const char* key, int* day, int* period, SlotField* field);
// Reads "D<day>P<period><field>" with an optional "|<colour>" and then "=" at the start of a
// line; 1 when it is a timetable key with day 1..6, period 0..9 and colour 0..4 (0 none).
int parseSlotRecord(const char* line, int* day, int* period, SlotField* field, int* colour);
