// The timetable grid's model: the course, teacher-or-class and classroom of every slot in all
// five week colours, as stored and as typed, kept until OK. Saving writes every changed field in
// one rewrite of the timetable table, then the new names in one rewrite of the value lists.
// Offers timetableEditLoad/Free, the field accessors, the check before OK, the batch and the save.
#pragma once
#include <cstddef>

#include "records/record_keys.h"

#define TIMETABLE_COLOURS 5
#define TIMETABLE_DAYS 6
#define TIMETABLE_PERIODS 10
#define TIMETABLE_FIELDS 3
#define TIMETABLE_CELLS (TIMETABLE_DAYS * TIMETABLE_PERIODS)
// A slot value holds what the input dialog takes: 254 characters.
#define TIMETABLE_VALUE_LIMIT 254
#define TIMETABLE_FOREIGN_SIZE 64
#define TIMETABLE_KEY_SIZE 16

struct TimetableField {
    char value[TIMETABLE_VALUE_LIMIT + 1];   // as typed, cleaned as a commit cleans it
    char stored[TIMETABLE_VALUE_LIMIT + 1];  // as the table held it at loading ("" when absent)
    char foreign[TIMETABLE_FOREIGN_SIZE];    // "ł α" (UTF-8): typed characters the code page lacks
    unsigned char tooLong;                   // the typed text was longer than the limit
};

struct TimetableEdit {
    TimetableField field[TIMETABLE_COLOURS][TIMETABLE_DAYS][TIMETABLE_PERIODS][TIMETABLE_FIELDS];
    unsigned char inUse[TIMETABLE_COLOURS];  // colour 0, and the colours the diary uses
};

// Where a fault of the check is.
struct TimetableSpot {
    int colour, day, period;  // day 1..6, period 0..9
    SlotField field;
};

// Reads every field of every colour from the timetable table and finds the colours in use:
// those of weeks.dat, of records with a value, and of the rotation's cycle. NULL, after telling
// the user, when memory ran out or the table could not be read.
TimetableEdit* timetableEditLoad();
void timetableEditFree(TimetableEdit* edit);

// The field of colour 0..4, day 1..6, period 0..9 (out of range gives the Monday, Period 1 field of colour 0).
const TimetableField* timetableField(const TimetableEdit* edit, int colour, int day, int period, SlotField field);
// Takes a typed text: line breaks become blanks and apostrophes back quotes, as a commit does
// (a text equal to the stored value stays as it is); a text over the limit is cut and marked.
// foreign lists the characters the code page lacks ("" or NULL for none).
void timetableEditSet(TimetableEdit* edit, int colour, int day, int period, SlotField field, const char* text,
                      const char* foreign);
int timetableFieldChanged(const TimetableField* f);
// Cleans a typed slot value in place as a commit does: line breaks become blanks, apostrophes
// back quotes.
void timetableCleanValue(char* value);

// The first field that must not be stored (too long, or holding characters the code page
// lacks): 1 with its place and a message for the user, else 0.
int timetableEditCheck(const TimetableEdit* edit, TimetableSpot* spot, char* message, size_t size);
// The message for a field of the slot named where that is too long, or else holds the foreign
// characters listed ("ł α").
void timetableFieldFault(char* message, size_t size, const char* where, SlotField field, int tooLong,
                         const char* foreign);
// The changed fields as keys and values, colour by colour, day by day, period by period.
// keys holds max keys; returns their count.
int timetableEditBatch(const TimetableEdit* edit, char (*keys)[TIMETABLE_KEY_SIZE], const char** values, int max);
// Stores the changed fields in one rewrite of the timetable, then their new names in the
// value lists, and refreshes the status line and the slot line. 0, or 1 when the timetable
// was not written (the user is told; nothing changed). A failure of the lists is told too,
// and the timetable stays.
int timetableEditSave(TimetableEdit* edit);

// The cell after (step 1) or before (step -1) a day and period: the next period, after
// Period 10 the next day's Period 1, after Saturday Monday.
void timetableStep(int* day, int* period, int step);
// "Monday, Period 3 of the Yellow timetable".
void timetableCellName(char* out, size_t size, int colour, int day, int period);
// "course", "teacher" or "class" (teacher mode), "classroom".
const char* timetableFieldName(SlotField field);
