// The day list export: a banner, then per period the slot as the window shows it, a rule,
// the notes of the selected week and a rule. Offers exportDayList.
#include "output/day_list.h"

#include <cstdio>

#include "core/diary_state.h"
#include "output/export_file.h"
#include "platform/platform.h"
#include "records/lesson_changes.h"
#include "records/note_text.h"
#include "records/record_keys.h"
#include "records/slot_lookup.h"
#include "store/data_folder.h"
#include "store/table_store.h"

#define STAR_RULE "******************************************************************************\n"
#define DASH_RULE "------------------------------------------------------------------------------\n"

// The value of key in table, in valueBuffer ("" when absent).
static const char* lookUp(const char* table, const char* key) {
    valueBuffer[0] = '\0';
    tableOp(TABLE_GET, table, key, "");
    return valueBuffer;
}

static void writeBanner(Rewrite* list) {
    int day = diaryState.selectedDay;
    char line[128];
    snprintf(line, sizeof line, "                 Programme  Semaine: %d  Jour: %s\n", diaryState.selectedWeek,
             day >= 1 && day <= 6 ? dayNames[day] : "");
    rewriteString(list, STAR_RULE);
    rewriteString(list, line);
    rewriteString(list, STAR_RULE);
}

// Writes label, the value and tail; nothing when the value is empty.
static void writeField(Rewrite* list, const char* value, const char* label, const char* tail) {
    if (value[0] == '\0') return;
    rewriteString(list, label);
    rewriteString(list, value);
    rewriteString(list, tail);
}

static void writeNotes(Rewrite* list, int period) {
    char key[48];
    formatNoteKey(key, sizeof key, diaryState.selectedWeek, diaryState.selectedDay, period);
    char* notes = valueBuffer;
    if (lookUp(NOTES_TABLE, key)[0] == '\0') return;
    for (size_t i = 0; notes[i] != '\0'; i++)
        if (noteLineBreakAt(notes, i)) notes[i] = '\n';
    rewriteString(list, notes);
    rewriteString(list, "\n");
}

static void writePeriod(Rewrite* list, int period) {
    rewriteString(list, "- ");
    rewriteString(list, periodNames[period]);
    rewriteString(list, "  >>> ");
    // The slot as the window shows it: the week's colour, with the default values when on.
    char course[sizeof valueBuffer], teacher[sizeof valueBuffer], classroom[sizeof valueBuffer];
    char* const fields[3] = {course, teacher, classroom};
    const size_t sizes[3] = {sizeof course, sizeof teacher, sizeof classroom};
    int cancelled = lookupLessonFields(diaryState.selectedWeek, diaryState.selectedDay, period,
                                       diaryState.weekColour, fields, sizes);
    writeField(list, course, " ", "    ");
    writeField(list, teacher, diaryState.teacherMode ? "Classe:" : "Prof.:", "    ");
    writeField(list, classroom, "Loc.:", "");
    // The list's labels are French: a lesson cancelled on its date says so after its fields.
    if (cancelled) rewriteString(list, "    " DAY_LIST_CANCELLED);
    rewriteString(list, "\n" DASH_RULE);
    writeNotes(list, period);
    rewriteString(list, DASH_RULE);
}

void exportDayList() {
    Rewrite list;
    if (beginExport(&list, DAY_LIST_FILE, "the day list") != 0) return;
    writeBanner(&list);
    for (int period = 0; period < 10; period++) writePeriod(&list, period);
    if (finishExport(&list, "the day list") != 0) return;
    // Notepad takes the whole rest of its command line as the file name: no quotes.
    platformLaunch("notepad.exe", dataFilePath(DAY_LIST_FILE));
}
