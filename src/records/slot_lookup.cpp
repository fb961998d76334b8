// Timetable slot lookup with week colours and the field-by-field fall-back.
#include "records/slot_lookup.h"

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "records/record_keys.h"
#include "store/table_store.h"

void lookupSlotFields(int day, int period, char* const fields[3], const size_t sizes[3]) {
    lookupSlotFieldsIn(day, period, diaryState.weekColour, fields, sizes);
}

void lookupSlotFieldsIn(int day, int period, int weekColour, char* const fields[3], const size_t sizes[3]) {
    int colour = weekColour > 0 ? weekColour : 0;
    // The coloured keys and, with the fall-back, the colour-less ones: one read of the table.
    char keys[6][32];
    char fallback[3][sizeof valueBuffer];
    const char* keyList[6];
    char* values[6];
    size_t valueSizes[6];
    int count = diaryState.useDefaults == 1 && colour > 0 ? 6 : 3;
    for (int i = 0; i < count; i++) {
        formatSlotKey(keys[i], sizeof keys[i], day, period, (SlotField)(i % 3), i < 3 ? colour : 0);
        keyList[i] = keys[i];
        values[i] = i < 3 ? fields[i] : fallback[i - 3];
        valueSizes[i] = i < 3 ? sizes[i] : sizes[i - 3];
    }
    tableGetMany(TIMETABLE_TABLE, keyList, count, values, valueSizes);
    for (int i = 3; i < count; i++)
        if (fields[i - 3][0] == '\0') copyText(fields[i - 3], sizes[i - 3], fallback[i - 3]);
}

void lookupSlot(int day, int period, char* course, char* teacherOrClass, char* classroom) {
    char* const fields[3] = {course, teacherOrClass, classroom};
    const size_t sizes[3] = {SLOT_FIELD_SIZE, SLOT_FIELD_SIZE, SLOT_FIELD_SIZE};
    lookupSlotFields(day, period, fields, sizes);
}
