// The week colours file "weeks.dat": one "week=colour" line per week ever coloured.
#pragma once

#define WEEKS_FILE "weeks.dat"
#define WEEKS_PREVIOUS "weeks.tmp"
#define WEEKS_NEW "weeks.new"  // the new version while it is written
#define WEEKS_HEADER "### Weeks colors data. Please do not edit.\n"
// Colours run from 0 (a plain week) to 4; anything else read from the file counts as 0.
#define WEEK_COLOUR_MAX 4

// The colour of selectedWeek, stored in weekColour and returned.
int readSelectedWeekColour();
// The colour of the given week (0 when it has no line or a colour outside 0..4); changes nothing.
int readWeekColour(int week);
// Stores the colour of selectedWeek and sets weekColour. 0, or 1 when it could not be
// written (the user is told and the file stays as it was).
int setWeekColour(int colour);
// Creates "weeks.dat" with its header alone when it is missing. 0, or 1 on failure.
int ensureWeeksFile();
// Stores the colours of many weeks in one rewrite of the file (weeks[i] gets colours[i], at
// most 64 weeks): every line of such a week is replaced, the others keep their place, new
// weeks are appended in the given order. 0, or 1 when nothing was written (the user is told).
int setWeekColours(const int* weeks, const int* colours, int count);
// Empties the file to its header (every week plain); "weeks.tmp" keeps the file as it was.
// 0, or 1 when nothing was written (the user is told).
int clearWeekColours();
