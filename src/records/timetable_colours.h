// The timetable by week colour: how many entries each colour holds, and the copy of the plain
// week's timetable (colour 0) into colours that hold none, so that a rotation that colours
// every week does not leave the timetable looking empty.
// Offers countTimetableEntries and copyPlainTimetable.
#pragma once

// entries[c] = the number of timetable records of colour c (0 the plain week) with a value.
// 0, or 1 when the table is there but could not be read whole (the counts are then partial).
int countTimetableEntries(int entries[5]);

// Copies every plain slot field with a value into each colour c of colourMask (bit c, c 1..4),
// in one rewrite of "wkb_hd" (its old version kept as "wkb_hd.tmp"): a field that already has
// a value in that colour keeps it (an empty record of it takes the copy). 0, or 1 when nothing
// was written (the user is told, the table stays as it was).
int copyPlainTimetable(int colourMask);
