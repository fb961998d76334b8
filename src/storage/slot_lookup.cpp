// Timetable slot lookup with week colours and the field-by-field fall-back.
#include "storage/slot_lookup.h"

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "storage/record_keys.h"
#include "storage/table_store.h"

// Gets one key of the timetable into field (cut to its size).
static void getField(const char* key, char* field, size_t size) {
    valueBuffer[0] = '\0';
    tableOp(TABLE_GET, TIMETABLE_TABLE, key, "");
    copyText(field, size, valueBuffer);
}

void lookupSlotFields(int day, int period, char* const fields[3], const size_t sizes[3]) {
    int colour = diaryState.weekColour > 0 ? diaryState.weekColour : 0;
    char key[32];
    for (int i = 0; i < 3; i++) {
        formatSlotKey(key, sizeof key, day, period, (SlotField)i, colour);
        getField(key, fields[i], sizes[i]);
    }
    if (diaryState.useDefaults != 1) return;
    for (int i = 0; i < 3; i++) {
        if (fields[i][0] != '\0') continue;
        formatSlotKey(key, sizeof key, day, period, (SlotField)i, 0);
        getField(key, fields[i], sizes[i]);
    }
}

void lookupSlot(int day, int period, char* course, char* teacherOrClass, char* classroom) {
    char* const fields[3] = {course, teacherOrClass, classroom};
    const size_t sizes[3] = {SLOT_FIELD_SIZE, SLOT_FIELD_SIZE, SLOT_FIELD_SIZE};
    lookupSlotFields(day, period, fields, sizes);
}
