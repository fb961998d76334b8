// The lesson change dialog's model: the selected lesson's timetable and change, the check of
// typed values (the timetable grid's rules and messages), the store and the removal.
#include "diary/lesson_change.h"

#include <cstdio>
#include <cstring>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/slot.h"
#include "diary/timetable_edit.h"
#include "platform/bounded_text.h"
#include "records/slot_lookup.h"

// "Tuesday 1/13/2026, Period 3", from the date label "(1/13/2026)".
static void nameLesson(LessonChangeForm* f) {
    char date[sizeof diaryState.dateLabel];
    copyText(date, sizeof date, diaryState.dateLabel[0] == '(' ? diaryState.dateLabel + 1 : diaryState.dateLabel);
    char* close = strchr(date, ')');
    if (close != NULL) *close = '\0';
    snprintf(f->name, sizeof f->name, "%s %s, %s", dayNames[f->day], date, periodNames[f->period]);
}

int lessonChangeLoad(LessonChangeForm* f) {
    memset(f, 0, sizeof *f);
    f->week = diaryState.selectedWeek;
    f->day = diaryState.selectedDay;
    f->period = diaryState.selectedPeriod;
    if (f->week < 1 || f->week > 53 || f->day < 1 || f->day > 6 || f->period < 0 || f->period > 9) return 1;
    locateSelectedDay();
    nameLesson(f);
    char* const fields[3] = {f->timetable[0], f->timetable[1], f->timetable[2]};
    const size_t sizes[3] = {sizeof f->timetable[0], sizeof f->timetable[1], sizeof f->timetable[2]};
    lookupSlotFieldsIn(f->day, f->period, diaryState.weekColour, fields, sizes);
    LessonChange change;
    f->hasChange = readLessonChange(f->week, f->day, f->period, &change);
    f->cancelled = change.cancelled;
    for (int k = 0; k < 3; k++)
        copyText(f->value[k], sizeof f->value[k], change.changed[k] ? change.field[k] : f->timetable[k]);
    return 0;
}

int lessonChangeSave(LessonChangeForm* f, const LessonChangeTyped* typed, int* field, char* message, size_t size) {
    char clean[3][CHANGE_VALUE_LIMIT + 1];
    for (int k = 0; k < 3; k++) {
        int tooLong = copyText(clean[k], sizeof clean[k], typed->text[k]);
        const char* foreign = typed->foreign[k] != NULL ? typed->foreign[k] : "";
        if (tooLong || foreign[0] != '\0') {
            *field = k;
            timetableFieldFault(message, size, f->name, (SlotField)k, tooLong, foreign);
            return 1;
        }
        // A value shown as the timetable stores it (an apostrophe edited in by hand) is no change.
        if (strcmp(clean[k], f->timetable[k]) != 0) timetableCleanValue(clean[k]);
    }
    const char* const values[3] = {clean[0], clean[1], clean[2]};
    const char* const timetable[3] = {f->timetable[0], f->timetable[1], f->timetable[2]};
    if (storeLessonChange(f->week, f->day, f->period, typed->cancelled, values, timetable) != 0) return 2;
    refreshSlotLine();
    return 0;
}

int lessonChangeRemove(LessonChangeForm* f) {
    if (removeLessonChange(f->week, f->day, f->period) != 0) return 1;
    refreshSlotLine();
    return 0;
}
