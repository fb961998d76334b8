// The program that the crash test kills: it starts the diary on a base folder and then saves
// notes, timetable values and week colours in a loop through the diary's own functions. Before
// each save it writes "B <file> <key> <value>" to fd 3 and "E" after it, so the killer knows
// what was on the way. With "grid" as a third argument it stores whole timetable grids
// instead; with "marks" it sets and clears done marks; with "restore" it restores the snapshots "state-a" and "state-b" in turn (each
// restore first takes a snapshot of its own).
// With "start" it only starts (finishing or undoing what a kill interrupted) and ends. With
// "restore-step N" or "new-year-step N" it restores once (the snapshot "state-a" for an even
// sequence number, else "state-b") or starts the school year "year-<sequence number>" after
// writing a note and a week colour, and is ended as by a kill at its Nth file call.
// Usage: wkb_crash_child <base folder> <first sequence number>
//        [grid | marks | restore | start | restore-step N | new-year-step N]
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/startup.h"
#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/notes.h"
#include "diary/school_year.h"
#include "diary/slot.h"
#include "diary/timetable_edit.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "records/lesson_changes.h"
#include "records/note_marks.h"
#include "records/snapshot_restore.h"
#include "records/week_colours.h"
#include "store/snapshots.h"
#include "store/table_store.h"
#include "support/recording_frontend.h"

static void tell(const char* line) {
    size_t n = strlen(line);
    if (write(3, line, n) != (ssize_t)n) _exit(3);
}

static void saveOne(long seq) {
    char line[700], value[64];
    diaryState.selectedWeek = 1 + (int)(seq % 5);
    diaryState.selectedDay = 1 + (int)(seq % 3);
    diaryState.selectedPeriod = (int)(seq % 4);
    readSelectedWeekColour();
    switch (seq % 3) {
        case 0: {
            snprintf(value, sizeof value, "note %ld", seq);
            snprintf(line, sizeof line, "B wkb_txt W%dD%dP%d %s\n", diaryState.selectedWeek, diaryState.selectedDay,
                     diaryState.selectedPeriod, value);
            tell(line);
            frontLog.notes = value;
            saveNotes();
            break;
        }
        case 1: {
            char key[64];
            diaryState.action = ACTION_SELECT_COURSE;
            pendingSlotKey(key, sizeof key);
            snprintf(value, sizeof value, "course %ld", seq);
            snprintf(line, sizeof line, "B wkb_hd %s %s\n", key, value);
            tell(line);
            copyText(inputText, sizeof inputText, value);
            commitInput();
            break;
        }
        default: {
            int colour = (int)((seq / 3) % 5);
            snprintf(line, sizeof line, "B weeks %d %d\n", diaryState.selectedWeek, colour);
            tell(line);
            setWeekColour(colour);
            break;
        }
    }
    // A save that reported a failure would be a fault of its own: the killer sees it here.
    tell(frontCalls("box|").empty() ? "E\n" : "F\n");
    frontLog.calls.clear();
}

// The timetable grid's OK: every course of the plain and the yellow timetable set to
// "batch <seq>" in one save, told as "B grid <seq>".
static void saveGrid(long seq) {
    char line[64], value[32];
    snprintf(value, sizeof value, "batch %ld", seq);
    snprintf(line, sizeof line, "B grid %ld\n", seq);
    tell(line);
    TimetableEdit* edit = timetableEditLoad();
    int failed = edit == NULL;
    for (int colour = 0; colour < 2 && edit != NULL; colour++)
        for (int day = 1; day <= 6; day++)
            for (int period = 0; period < 10; period++)
                timetableEditSet(edit, colour, day, period, SLOT_COURSE, value, "");
    if (edit != NULL) failed = timetableEditSave(edit);
    timetableEditFree(edit);
    tell(failed || !frontCalls("box|").empty() ? "F\n" : "E\n");
    frontLog.calls.clear();
}

// A done mark set or cleared, told as "B marks <key> d" or "B marks <key> -".
static void markOne(long seq) {
    char key[32], line[64];
    snprintf(key, sizeof key, "W%dD%dP%d", 1 + (int)(seq % 5), 1 + (int)(seq % 3), (int)(seq % 4));
    int on = (int)((seq / 60) % 2 == 0);
    snprintf(line, sizeof line, "B marks %s %s\n", key, on ? "d" : "-");
    tell(line);
    int failed = setNoteMark(key, "", MARK_DONE, on);
    tell(failed || !frontCalls("box|").empty() ? "F\n" : "E\n");
    frontLog.calls.clear();
}

// A lesson change stored (another room, every other one cancelled), told as
// "B changes <key> <stored value>".
static void changeOne(long seq) {
    char key[32], room[32], value[64], line[128];
    formatNoteKey(key, sizeof key, 1 + (int)(seq % 5), 1 + (int)(seq % 3), (int)(seq % 4));
    snprintf(room, sizeof room, "r%ld", seq);
    snprintf(value, sizeof value, "%c L%u:%s", seq % 2 ? 'X' : '-', (unsigned)strlen(room), room);
    snprintf(line, sizeof line, "B changes %s %s\n", key, value);
    tell(line);
    const char* const typed[3] = {"Math", "", room};
    const char* const timetable[3] = {"Math", "", "12"};
    int failed = storeLessonChange(1 + (int)(seq % 5), 1 + (int)(seq % 3), (int)(seq % 4), (int)(seq % 2), typed, timetable);
    tell(failed || !frontCalls("box|").empty() ? "F\n" : "E\n");
    frontLog.calls.clear();
}

static void restoreOne(long seq) {
    const char* name = seq % 2 == 0 ? "state-a" : "state-b";
    char line[64];
    snprintf(line, sizeof line, "B restore %s\n", name);
    tell(line);
    PlatformError cause;
    tell(restoreSnapshot(name, &cause) == RESTORE_DONE ? "E\n" : "F\n");
}

// One step-by-step run: the command ended by a kill at the crashAt-th file call, or whole.
static int stepOnce(const char* mode, long seq, int crashAt) {
    if (strcmp(mode, "new-year-step") == 0) {
        char name[32], note[32];
        snprintf(name, sizeof name, "year-%ld", seq);
        snprintf(note, sizeof note, "year %ld", seq);
        diaryState.selectedWeek = 1;
        if (tableOp(TABLE_SET, NOTES_TABLE, "W1D1P1", note) != 0 || setWeekColour(1) != 0) return 3;
        faultCrashAt(crashAt);
        char message[160];
        return startSchoolYear(name, message, sizeof message) == 0 ? 0 : 1;
    }
    faultCrashAt(crashAt);
    PlatformError cause;
    return restoreSnapshot(seq % 2 == 0 ? "state-a" : "state-b", &cause) == RESTORE_DONE ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc < 3 || chdir(argv[1]) != 0) return 2;
    long seq = atol(argv[2]);
    const char* mode = argc > 3 ? argv[3] : "";
    resetFrontLog();
    char line[64];
    int rc = startUp();
    snprintf(line, sizeof line, "S %d %d\n", rc, diaryState.storeStatus);
    tell(line);
    // What the start told the user: "I" for a box of information (a command finished or
    // undone), "X" for an error box.
    if (!frontCalls("box|").empty()) tell(frontCalls("box|Stop").empty() ? "I\n" : "X\n");
    frontLog.calls.clear();
    if (strcmp(mode, "start") == 0) return 0;
    if (argc > 4) return stepOnce(mode, seq, atoi(argv[4]));
    int restores = strcmp(mode, "restore") == 0, grid = strcmp(mode, "grid") == 0, marks = strcmp(mode, "marks") == 0;
    int changes = strcmp(mode, "changes") == 0;
    for (;; seq++) {
        if (restores) restoreOne(seq);
        else if (grid) saveGrid(seq);
        else if (marks) markOne(seq);
        else if (changes) changeOne(seq);
        else saveOne(seq);
    }
}
