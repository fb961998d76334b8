// The timetable, the notes and the week colours read once each into memory, for an export
// that visits every slot of every week (a table get per slot would read the file each time).
// Offers loadYearContents, freeYearContents, yearSlotField and yearNote.
#pragma once

#include "records/record_keys.h"

struct YearContents {
    char* timetableText;             // the table files as read, values cut in place
    char* notesText;
    char* changesText;               // the lesson changes file as read
    const char* slot[7][10][3][5];   // [day 1..6][period][field][colour 0..4], NULL when absent
    const char* note[54][7][10];     // [week 1..53][day 1..6][period]
    const char* change[54][7][10];   // [week 1..53][day 1..6][period], a lesson change's stored value
    int weekColour[54];              // [week 1..53], 0 for a week without a line
    unsigned char holiday[54];       // [week 1..53], 1 for a holiday week of the week rotation
};

// Reads "wkb_hd", "wkb_txt", "weeks.dat" and the holiday weeks of the kept week rotation; a
// missing file reads as empty. Values are those a
// table get gives (the first record of a key, cut to 511 characters). 0, or 1 when memory
// ran out (nothing is kept then).
int loadYearContents(YearContents* s);
// The same without the notes (yearNote then gives ""), for a walk over the timetable alone.
int loadYearTimetable(YearContents* s);
void freeYearContents(YearContents* s);
// A slot field in a week of the given colour, with the slot line's fall-back to the colour-less
// entry when useDefaults is 1; "" when none (the same as lookupSlot in that colour).
const char* yearSlotField(const YearContents* s, int day, int period, SlotField field, int colour,
                              int useDefaults);
// The lesson change of a week, day and period as stored ("" when none; parseLessonChange reads it).
const char* yearChange(const YearContents* s, int week, int day, int period);
// The stored notes of a week, day and period ("" when none).
const char* yearNote(const YearContents* s, int week, int day, int period);
