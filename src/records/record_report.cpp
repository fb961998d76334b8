// The save report of one record of a table, named for the user by its key: "the notes of
// Monday, Period 3", "the class of Tuesday, Period 1". The table store reports through it.
#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "records/record_keys.h"
#include "store/save_report.h"
#include "store/table_store.h"

// "Monday, Period 3" for a day 1..6 and a period 0..9 known to be in range.
static void slotName(char* out, size_t size, int day, int period) {
    snprintf(out, size, "%s, %s", dayNames[day], periodNames[period]);
}

void reportRecordSaveFailure(const char* table, const char* key) {
    static const char* const fields[3] = {"course", "teacher", "classroom"};
    char what[96], slot[48], noteKey[40];
    int week, day, period, plural = 0;
    SlotField field;
    snprintf(noteKey, sizeof noteKey, "%s=", key);
    if (strcmp(table, NOTES_TABLE) == 0 && parseNoteKey(noteKey, &week, &day, &period)) {
        slotName(slot, sizeof slot, day, period);
        snprintf(what, sizeof what, "the notes of %s", slot);
        plural = 1;
    } else if (strcmp(table, TIMETABLE_TABLE) == 0 && parseSlotKey(key, &day, &period, &field)) {
        slotName(slot, sizeof slot, day, period);
        const char* name = field == SLOT_TEACHER && diaryState.teacherMode ? "class" : fields[field];
        snprintf(what, sizeof what, "the %s of %s", name, slot);
    } else {
        copyText(what, sizeof what, strcmp(table, NOTES_TABLE) == 0 ? "the notes" : "the timetable");
        plural = strcmp(table, NOTES_TABLE) == 0;
    }
    reportSaveFailure(what, plural);
}
