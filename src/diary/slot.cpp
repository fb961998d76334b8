// Timetable slot lookup: the three fields of a slot in the selected week's colour, each
// falling back on its own to the colour-less entry when useDefaults is on. Offers lookupSlot,
// refreshSlotLine and pendingSlotKey.
#include "diary/slot.h"

#include <cstdio>

#include "app/diary_state.h"
#include "diary/actions.h"
#include "platform/bounded_text.h"
#include "storage/table_store.h"
#include "ui/frontend.h"

static const char fieldLetters[3] = {'C', 'T', 'L'};

// Gets one key of the timetable into field (cut to its size).
static void getField(const char* key, char* field, size_t size) {
    valueBuffer[0] = '\0';
    tableOp(TABLE_GET, TIMETABLE_TABLE, key, "");
    copyText(field, size, valueBuffer);
}

// Fills course, teacher-or-class and classroom, each of its own size.
static void fillFields(int day, int period, char* fields[3], const size_t sizes[3]) {
    char suffix[16] = "";
    if (diaryState.weekColour > 0) snprintf(suffix, sizeof suffix, "|%d", diaryState.weekColour);
    char key[32];
    for (int i = 0; i < 3; i++) {
        snprintf(key, sizeof key, "D%dP%d%c%s", day, period, fieldLetters[i], suffix);
        getField(key, fields[i], sizes[i]);
    }
    if (diaryState.useDefaults != 1) return;
    for (int i = 0; i < 3; i++) {
        if (fields[i][0] != '\0') continue;
        snprintf(key, sizeof key, "D%dP%d%c", day, period, fieldLetters[i]);
        getField(key, fields[i], sizes[i]);
    }
}

void lookupSlot(int day, int period, char* course, char* teacherOrClass, char* classroom) {
    char* fields[3] = {course, teacherOrClass, classroom};
    const size_t sizes[3] = {SLOT_FIELD_SIZE, SLOT_FIELD_SIZE, SLOT_FIELD_SIZE};
    fillFields(day, period, fields, sizes);
}

void refreshSlotLine() {
    char course[128] = "", teacherOrClass[128] = "", classroom[140] = "";
    char* fields[3] = {course, teacherOrClass, classroom};
    const size_t sizes[3] = {sizeof course, sizeof teacherOrClass, sizeof classroom};
    fillFields(diaryState.selectedDay, diaryState.selectedPeriod, fields, sizes);

    char line[320];
    copyText(line, sizeof line, "   Course: ");
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
    snprintf(out, (size_t)size, "D%dP%d", diaryState.selectedDay, diaryState.selectedPeriod);
    switch (diaryState.action) {
        case ACTION_SELECT_COURSE: appendText(out, (size_t)size, "C"); break;
        case ACTION_SELECT_TEACHER: appendText(out, (size_t)size, "T"); break;
        case ACTION_SELECT_CLASSROOM: appendText(out, (size_t)size, "L"); break;
        default: break;
    }
    if (diaryState.weekColour != 0) {
        char suffix[16];
        snprintf(suffix, sizeof suffix, "|%d", diaryState.weekColour);
        appendText(out, (size_t)size, suffix);
    }
}
