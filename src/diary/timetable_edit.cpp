// The timetable grid's model: loading all five colours from the table, taking typed fields,
// the check before OK, and the one batch that stores every changed field.
#include "diary/timetable_edit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/diary_state.h"
#include "diary/notify.h"
#include "diary/rotation.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "platform/bounded_text.h"
#include "records/rotation_rule.h"
#include "records/value_lists.h"
#include "records/week_colours.h"
#include "store/save_report.h"
#include "store/table_store.h"
#include "store/text_file.h"

#define BATCH_MAX (TIMETABLE_COLOURS * TIMETABLE_CELLS * TIMETABLE_FIELDS)

static int inGrid(int colour, int day, int period, SlotField field) {
    return colour >= 0 && colour < TIMETABLE_COLOURS && day >= 1 && day <= TIMETABLE_DAYS && period >= 0 &&
           period < TIMETABLE_PERIODS && field >= SLOT_COURSE && field <= SLOT_CLASSROOM;
}

static TimetableField* fieldAt(TimetableEdit* edit, int colour, int day, int period, SlotField field) {
    if (!inGrid(colour, day, period, field)) return &edit->field[0][0][0][0];
    return &edit->field[colour][day - 1][period][field];
}

const TimetableField* timetableField(const TimetableEdit* edit, int colour, int day, int period, SlotField field) {
    return fieldAt((TimetableEdit*)edit, colour, day, period, field);
}

// The three fields of two periods per look at the table (tableGetMany takes eight keys).
static void loadColour(TimetableEdit* edit, int colour) {
    for (int day = 1; day <= TIMETABLE_DAYS; day++) {
        for (int period = 0; period < TIMETABLE_PERIODS; period += 2) {
            char keys[6][TIMETABLE_KEY_SIZE];
            const char* keyList[6];
            char* values[6];
            size_t sizes[6];
            for (int i = 0; i < 6; i++) {
                TimetableField* f = fieldAt(edit, colour, day, period + i / 3, (SlotField)(i % 3));
                formatSlotKey(keys[i], sizeof keys[i], day, period + i / 3, (SlotField)(i % 3), colour);
                keyList[i] = keys[i];
                values[i] = f->stored;
                sizes[i] = sizeof f->stored;
            }
            tableGetMany(TIMETABLE_TABLE, keyList, 6, values, sizes);
            for (int i = 0; i < 6; i++) {
                TimetableField* f = fieldAt(edit, colour, day, period + i / 3, (SlotField)(i % 3));
                copyText(f->value, sizeof f->value, f->stored);
                if (f->stored[0] != '\0') edit->inUse[colour] = 1;
            }
        }
    }
}

static void findColoursInUse(TimetableEdit* edit) {
    edit->inUse[0] = 1;
    for (int week = 1; week <= 53; week++) edit->inUse[readWeekColour(week)] = 1;
    RotationRule rule;
    loadRotationRule(&rule);
    for (int i = 0; i < rule.cycleLength && i < ROTATION_MAX_CYCLE; i++)
        if (rule.cycle[i] >= 0 && rule.cycle[i] < TIMETABLE_COLOURS) edit->inUse[rule.cycle[i]] = 1;
}

TimetableEdit* timetableEditLoad() {
    TimetableEdit* edit = (TimetableEdit*)calloc(1, sizeof *edit);
    if (edit == NULL) {
        notify("There is not enough memory to open the timetable.", NOTIFY_ERROR);
        return NULL;
    }
    unsigned failures = readFailureCount();
    for (int colour = 0; colour < TIMETABLE_COLOURS; colour++) loadColour(edit, colour);
    // A field that could not be read would pass for an empty one, and a cleared field for unchanged.
    if (readFailureCount() != failures) {
        free(edit);
        notify("The timetable could not be read (another program may hold it). Try again in a moment.", NOTIFY_ERROR);
        return NULL;
    }
    findColoursInUse(edit);
    return edit;
}

void timetableEditFree(TimetableEdit* edit) { free(edit); }

void timetableEditSet(TimetableEdit* edit, int colour, int day, int period, SlotField field, const char* text,
                      const char* foreign) {
    if (!inGrid(colour, day, period, field)) return;
    TimetableField* f = fieldAt(edit, colour, day, period, field);
    f->tooLong = (unsigned char)copyText(f->value, sizeof f->value, text);
    copyText(f->foreign, sizeof f->foreign, foreign != NULL ? foreign : "");
    // A field shown as it was stored (an apostrophe edited in by hand) is no change.
    if (!f->tooLong && f->foreign[0] == '\0' && strcmp(f->value, f->stored) == 0) return;
    timetableCleanValue(f->value);
}

void timetableCleanValue(char* value) {
    for (char* p = value; *p != '\0'; p++) {
        if (*p == '\r' || *p == '\n') *p = ' ';
        else if (*p == '\'') *p = '`';
    }
}

int timetableFieldChanged(const TimetableField* f) { return strcmp(f->value, f->stored) != 0; }

const char* timetableFieldName(SlotField field) {
    if (field == SLOT_COURSE) return "course";
    if (field == SLOT_TEACHER) return diaryState.teacherMode ? "class" : "teacher";
    return "classroom";
}

void timetableCellName(char* out, size_t size, int colour, int day, int period) {
    int inRange = day >= 1 && day <= TIMETABLE_DAYS && period >= 0 && period < TIMETABLE_PERIODS;
    snprintf(out, size, "%s, %s of the %s timetable", inRange ? dayNames[day] : "?",
             inRange ? periodNames[period] : "?", weekColourName(colour));
}

void timetableFieldFault(char* message, size_t size, const char* where, SlotField field, int tooLong,
                         const char* foreign) {
    if (tooLong)
        snprintf(message, size, "%s: the %s is too long (at most %d characters).", where, timetableFieldName(field),
                 TIMETABLE_VALUE_LIMIT);
    else
        snprintf(message, size,
                 "%s: the %s holds characters that this computer's character set cannot store:\n%s\n\n"
                 "Change them before going on.",
                 where, timetableFieldName(field), foreign);
}

int timetableEditCheck(const TimetableEdit* edit, TimetableSpot* spot, char* message, size_t size) {
    for (int c = 0; c < TIMETABLE_COLOURS; c++)
        for (int d = 1; d <= TIMETABLE_DAYS; d++)
            for (int p = 0; p < TIMETABLE_PERIODS; p++)
                for (int k = 0; k < TIMETABLE_FIELDS; k++) {
                    const TimetableField* f = timetableField(edit, c, d, p, (SlotField)k);
                    if (!timetableFieldChanged(f) || (!f->tooLong && f->foreign[0] == '\0')) continue;
                    *spot = {c, d, p, (SlotField)k};
                    char cell[96];
                    timetableCellName(cell, sizeof cell, c, d, p);
                    timetableFieldFault(message, size, cell, (SlotField)k, f->tooLong, f->foreign);
                    return 1;
                }
    return 0;
}

int timetableEditBatch(const TimetableEdit* edit, char (*keys)[TIMETABLE_KEY_SIZE], const char** values, int max) {
    int n = 0;
    for (int c = 0; c < TIMETABLE_COLOURS; c++)
        for (int d = 1; d <= TIMETABLE_DAYS; d++)
            for (int p = 0; p < TIMETABLE_PERIODS; p++)
                for (int k = 0; k < TIMETABLE_FIELDS && n < max; k++) {
                    const TimetableField* f = timetableField(edit, c, d, p, (SlotField)k);
                    if (!timetableFieldChanged(f)) continue;
                    formatSlotKey(keys[n], TIMETABLE_KEY_SIZE, d, p, (SlotField)k, c);
                    values[n++] = f->value;
                }
    return n;
}

// The new names of the batch join their lists; the lists' prefixes follow the fields.
static void addNewNames(const char* const* keys, const char** values, int count) {
    static const char* const prefixes[3] = {"[C]", "[T]", "[L]"};
    const char** listed = (const char**)malloc((size_t)count * sizeof *listed);
    if (listed == NULL) return;
    for (int i = 0; i < count; i++) {
        int day, period;
        SlotField field = SLOT_COURSE;
        parseSlotKey(keys[i], &day, &period, &field);
        listed[i] = prefixes[field];
    }
    addNewListValues(listed, values, count);
    free(listed);
}

// What is stored is now what the dialog started from: a second OK writes nothing.
static void markStored(TimetableEdit* edit) {
    for (auto& colour : edit->field)
        for (auto& day : colour)
            for (auto& period : day)
                for (TimetableField& f : period) copyText(f.stored, sizeof f.stored, f.value);
}

int timetableEditSave(TimetableEdit* edit) {
    char(*keys)[TIMETABLE_KEY_SIZE] = (char(*)[TIMETABLE_KEY_SIZE])malloc(BATCH_MAX * sizeof *keys);
    const char** values = (const char**)malloc(BATCH_MAX * sizeof *values);
    const char** keyList = (const char**)malloc(BATCH_MAX * sizeof *keyList);
    int failed = keys == NULL || values == NULL || keyList == NULL;
    int n = failed ? 0 : timetableEditBatch(edit, keys, values, BATCH_MAX);
    for (int i = 0; i < n; i++) keyList[i] = keys[i];
    if (failed) reportSaveFailure("the timetable", 0);
    if (!failed && n > 0) failed = tableSetMany(TIMETABLE_TABLE, keyList, values, n);
    if (!failed && n > 0) {
        addNewNames(keyList, values, n);
        markStored(edit);
        refreshStatusLine();
        refreshSlotLine();
    }
    free(keys);
    free(values);
    free(keyList);
    return failed;
}

void timetableStep(int* day, int* period, int step) {
    int index = (*day - 1) * TIMETABLE_PERIODS + *period + (step < 0 ? -1 : 1);
    index = (index % TIMETABLE_CELLS + TIMETABLE_CELLS) % TIMETABLE_CELLS;
    *day = 1 + index / TIMETABLE_PERIODS;
    *period = index % TIMETABLE_PERIODS;
}
