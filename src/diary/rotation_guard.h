// What a rotation would disturb, found before it is applied: colours of the cycle without a
// timetable while the plain week has one (they would show an empty timetable), and week
// colours set by hand that the fill would change. Offers the checks and the dialog's texts.
#pragma once
#include "diary/rotation.h"

// Bit c (1..4) for each colour of the cycle that holds no timetable entry while the plain week
// holds some (entries as countTimetableEntries gives them); 0 when the default values are on,
// since every week then shows the plain week's timetable where its own is empty.
int emptyCycleColours(const int entries[5], const RotationRule* rule, int useDefaults);
// The colours of such a mask in order: "Green", "Green and Red", "Yellow, Green and Red".
void formatColourList(int mask, char* out, int size);
// The dialog's note about those colours and the label of the copy choice ("" for mask 0).
void describeEmptyColours(int mask, char* note, int noteSize, char* copyLabel, int copySize);

// The week colours as stored, and which were set by hand: a colour other than 0 that the rule
// kept in the settings would not have given the week (with no rule kept, or one whose holiday
// list no longer reads, every colour other than 0).
struct HandSetWeeks {
    int colour[54];
    unsigned char byHand[54];
};
void readHandSetWeeks(HandSetWeeks* weeks);
// 1 when the row's week has a colour set by hand that the fill would change.
int fillChangesHandSet(const HandSetWeeks* weeks, const RotationWeek* row);
// A preview row: formatRotationWeek's line, or for a week the fill would change by hand's
// colour the colour it ends with and why: "Week 40  (9/28/2026)  Red  (set by hand, kept
// instead of Green)", or with overwrite "... Green  (instead of Red, set by hand)".
void formatPreviewWeek(const RotationWeek* row, const HandSetWeeks* weeks, int overwrite, char* out, int size);
