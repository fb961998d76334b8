// The timetable by week colour: the count of entries per colour, and the copy of the plain
// week's timetable into empty colours in one rewrite of the table (whole or not at all).
#include "records/timetable_colours.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/record_keys.h"
#include "store/data_folder.h"
#include "store/kept_files.h"
#include "store/save_report.h"
#include "store/table_store.h"

#define LINE_LIMIT 1023
#define VALUE_SIZE sizeof valueBuffer  // a value as a table get gives it

// 1 when the record in piece has a value; its day, period, field and colour in the outputs.
static int slotRecordWithValue(const char* piece, int* day, int* period, SlotField* field, int* colour) {
    if (!parseSlotRecord(piece, day, period, field, colour) || *colour < 0 || *colour > 4) return 0;
    const char* value = strchr(piece, '=') + 1;
    return value[0] != '\0' && value[0] != '\n';
}

static int countRecord(char* piece, int, void* context) {
    int* entries = (int*)context;
    int day, period, colour;
    SlotField field;
    if (slotRecordWithValue(piece, &day, &period, &field, &colour)) entries[colour]++;
    return 0;
}

int countTimetableEntries(int entries[5]) {
    memset(entries, 0, 5 * sizeof entries[0]);
    char name[32];
    snprintf(name, sizeof name, "%s.data", TIMETABLE_TABLE);
    return keptScanLines(dataFilePath(name), LINE_LIMIT, countRecord, entries) == KEPT_READ_FAILED ? 1 : 0;
}

#define COPY_MAX (4 * 6 * 10 * 3)

// What the copy learns from the table, and the batch it sets.
struct PlainCopy {
    char plain[7][10][3][VALUE_SIZE];  // the first record of each plain field, "" when none
    unsigned char seen[7][10][3];      // a first plain record was met (even an empty one)
    unsigned char own[7][10][3][5];    // the field has a value of its own in that colour
    char keys[COPY_MAX][16];
    const char* keyList[COPY_MAX];
    const char* valueList[COPY_MAX];
};

static int learnRecord(char* piece, int, void* context) {
    PlainCopy* copy = (PlainCopy*)context;
    int day, period, colour;
    SlotField field;
    if (!parseSlotRecord(piece, &day, &period, &field, &colour) || colour < 0 || colour > 4) return 0;
    if (slotRecordWithValue(piece, &day, &period, &field, &colour)) copy->own[day][period][field][colour] = 1;
    if (colour != 0 || copy->seen[day][period][field]) return 0;
    // The value a table get gives: the first record, cut to the get's size.
    copy->seen[day][period][field] = 1;
    char* value = copy->plain[day][period][field];
    copyText(value, VALUE_SIZE, strchr(piece, '=') + 1);
    size_t len = strlen(value);
    if (len > 0 && value[len - 1] == '\n') value[len - 1] = '\0';
    return 0;
}

// The batch: each plain value for each colour of mask where that colour has none of its own.
static int batchOf(PlainCopy* copy, int mask) {
    int n = 0;
    for (int colour = 1; colour <= 4; colour++) {
        if (!(mask & (1 << colour))) continue;
        for (int day = 1; day <= 6; day++)
            for (int period = 0; period < 10; period++)
                for (int field = 0; field < 3; field++) {
                    const char* value = copy->plain[day][period][field];
                    if (value[0] == '\0' || copy->own[day][period][field][colour]) continue;
                    formatSlotKey(copy->keys[n], sizeof copy->keys[n], day, period, (SlotField)field, colour);
                    copy->keyList[n] = copy->keys[n];
                    copy->valueList[n++] = value;
                }
    }
    return n;
}

int copyPlainTimetable(int colourMask) {
    char name[32];
    snprintf(name, sizeof name, "%s.data", TIMETABLE_TABLE);
    char path[sizeof filePath];
    copyText(path, sizeof path, dataFilePath(name));
    PlainCopy* copy = (PlainCopy*)calloc(1, sizeof *copy);
    KeptRead read = copy == NULL ? KEPT_READ_FAILED : keptScanLines(path, LINE_LIMIT, learnRecord, copy);
    // A table read only in part would copy only part of the plain week.
    if (read == KEPT_READ_FAILED || (read == KEPT_NOT_OPENED && platformExists(path))) {
        free(copy);
        reportSaveFailure("the timetable", 0);
        return 1;
    }
    int failed = tableSetMany(TIMETABLE_TABLE, copy->keyList, copy->valueList, batchOf(copy, colourMask & 0x1E));
    free(copy);
    return failed;
}
