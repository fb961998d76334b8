// The slot line of the selected slot, and the key of the slot that a pending action names.
// Offers refreshSlotLine and pendingSlotKey.
#include "diary/slot.h"

#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/actions.h"
#include "platform/bounded_text.h"
#include "records/lesson_changes.h"
#include "records/record_keys.h"

void refreshSlotLine() {
    char course[128] = "", teacherOrClass[128] = "", classroom[140] = "";
    char* const fields[3] = {course, teacherOrClass, classroom};
    const size_t sizes[3] = {sizeof course, sizeof teacherOrClass, sizeof classroom};
    // The lesson as it is on the selected week's date: the timetable, then that date's change.
    int cancelled = lookupLessonFields(diaryState.selectedWeek, diaryState.selectedDay, diaryState.selectedPeriod,
                                       diaryState.weekColour, fields, sizes);

    char line[320];
    copyText(line, sizeof line, cancelled ? SLOT_LINE_CANCELLED "   Course: " : "   Course: ");
    appendText(line, sizeof line, course);
    appendText(line, sizeof line, diaryState.teacherMode == 1 ? "     Class: " : "     Teacher: ");
    appendText(line, sizeof line, teacherOrClass);
    appendText(line, sizeof line, "     Classroom: ");
    appendText(line, sizeof line, classroom);

    // Blanking first clears what a longer previous line left on the control.
    char blank[142];
    for (int i = 0; i < 141; i++) blank[i] = ' ';
    blank[141] = '\0';
    frontSetSlotLine(blank);
    frontSetSlotLine(line);
}

void pendingSlotKey(char* out, int size) {
    SlotField field = SLOT_COURSE;
    if (diaryState.action == ACTION_SELECT_TEACHER) field = SLOT_TEACHER;
    if (diaryState.action == ACTION_SELECT_CLASSROOM) field = SLOT_CLASSROOM;
    formatSlotKey(out, (size_t)size, diaryState.selectedDay, diaryState.selectedPeriod, field, diaryState.weekColour);
}
