// The largest store a user can have, built in a temporary folder for the benchmarks: every
// note of every week, day and period at its full length, every timetable field in every week
// colour, a colour line per week and a few hundred value-list lines.
#pragma once

// The fixed "today" of every run (a Tuesday), so that each run measures the same weeks.
#define BENCH_YEAR 2026
#define BENCH_MONTH 12
#define BENCH_DAY 8

// Creates a fresh folder under the temporary folder and writes the full store into its data
// folder (the program's own start-up then finds a current store). 0, or 1 on failure.
int buildFullStore();
// The base folder of the store ("" before buildFullStore).
const char* benchBaseFolder();
// Removes the folder and everything in it.
void removeFullStore();

// The week whose notes the notes table holds last (today's week): the worst case of a get.
int lastNotesWeek();
// Keys at the two ends of each table.
extern const char* const FIRST_TIMETABLE_KEY;
extern const char* const LAST_TIMETABLE_KEY;
const char* firstNotesKey();
const char* lastNotesKey();
// A stored note as the table holds it (511 characters with " |" line breaks).
const char* sampleNote();
// A keyword that no note holds.
#define MISSING_KEYWORD "zebra"
