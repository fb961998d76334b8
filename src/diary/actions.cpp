// Pending actions: the prompts and questions that start them (each behind the same guard),
// the yes/no answer of the questions, and the input dialog's commit and cancel.
// Offers the prompt* and ask* operations, confirmAction, commitInput, cancelInput,
// composeWindowTitle and the shared inputText.
#include "diary/actions.h"

#include <cstdio>

#include "core/build_config.h"
#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/notify.h"
#include "diary/search.h"
#include "diary/notes.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "output/print_grid.h"
#include "platform/bounded_text.h"
#include "records/record_keys.h"
#include "records/settings.h"
#include "records/value_lists.h"
#include "records/week_colours.h"
#include "store/save_report.h"
#include "store/snapshots.h"
#include "store/table_store.h"

char inputText[255];

// The slot a select prompt named: its value goes there, whatever tab or week is shown when
// OK is pressed.
struct PromptedSlot {
    int valid;
    int action;
    int week, day, period;
};
static PromptedSlot promptedSlot;

int refuseWhileBusy() {
    if (diaryState.action == ACTION_NONE) return 0;
    notify(ANOTHER_FUNCTION_RUNNING, NOTIFY_ERROR);
    return 1;
}

// Opens the input dialog for the action just set. A dialog that could not open (a nonzero
// result of notify) drops the action, so that it does not lock every prompt and Save.
static void openInput(const char* prompt) {
    if (notify(prompt, NOTIFY_INPUT) == 0) return;
    diaryState.action = ACTION_NONE;
    promptedSlot.valid = 0;
    refreshStatusLine();
}

void promptTitle() {
    if (refuseWhileBusy()) return;
    diaryState.action = ACTION_TITLE;
    openInput(" Please entre a title.\n");
    refreshStatusLine();
}

static const char* kindLabel(int kind) {
    if (kind == 0) return "Course: ";
    if (kind == 1) return diaryState.teacherMode ? "Class: " : "Teacher: ";
    return "Classroom: ";
}

void promptSelect(int kind) {
    if (kind < 0 || kind > 2 || refuseWhileBusy()) return;
    diaryState.action = ACTION_SELECT_COURSE + kind;
    int day = diaryState.selectedDay;
    promptedSlot.valid = 1;
    promptedSlot.action = diaryState.action;
    promptedSlot.day = day;
    promptedSlot.period = diaryState.selectedPeriod;
    promptedSlot.week = diaryState.selectedWeek;
    snprintf(valueBuffer, sizeof valueBuffer, " Please select the content \n of %s for %s , Course %d :\n",
             kindLabel(kind), (day >= 1 && day <= 6) ? dayNames[day] : "", diaryState.selectedPeriod + 1);
    refreshStatusLine();
    openInput(valueBuffer);
    refreshStatusLine();
}

// The prompt of the value list actions, the same for add and remove.
static void promptList(int kind, int action) {
    diaryState.action = action;
    if (kind == 0) copyText(valueBuffer, sizeof valueBuffer, " Please enter a course:");
    else if (kind == 1)
        copyText(valueBuffer, sizeof valueBuffer, diaryState.teacherMode ? " Please enter a class:" : " Please enter a teacher:");
    else copyText(valueBuffer, sizeof valueBuffer, " Please enter a classroom:");
    refreshStatusLine();
    openInput(valueBuffer);
    refreshStatusLine();
}

void promptAdd(int kind) {
    if (kind < 0 || kind > 2 || refuseWhileBusy()) return;
    promptList(kind, ACTION_ADD_COURSE + 2 * kind);
}

void promptRemove(int kind) {
    if (kind < 0 || kind > 2 || refuseWhileBusy()) return;
    promptList(kind, ACTION_REMOVE_COURSE + 2 * kind);
}

void promptSearch() {
    if (refuseWhileBusy()) return;
    diaryState.action = ACTION_SEARCH;
    refreshStatusLine();
    // The first OK is then taken as the start of a new search.
    searchState.lastStartWeek = 0;
    searchState.lastKeyword[0] = '\0';
    openInput("Search in the data base\nSelect the start week\nand enter a key word...");
}

static void ask(int action, const char* question) {
    if (refuseWhileBusy()) return;
    diaryState.action = action;
    refreshStatusLine();
    notify(question, NOTIFY_QUESTION);
}

void askInitialise() { ask(ACTION_INITIALISE, " !!! All Data will be distroyed.!!! \n Please comfirm and restart."); }

void askPrint() { ask(ACTION_PRINT, "please comfirm the week grid printing."); }

void askTeacherMode() { ask(ACTION_TEACHER_MODE, "Are you sure to switch in teacher mode ?\nNo way back..."); }

static void finishAction() {
    diaryState.action = ACTION_NONE;
    refreshStatusLine();
}

void tellSnapshotBeforeFailed() {
    char cause[200], text[400];
    snapshotFailureCause(cause, sizeof cause);
    snprintf(text, sizeof text, SNAPSHOT_BEFORE_FAILED "(%s).\nNothing was emptied or replaced.", cause);
    notify(text, NOTIFY_ERROR);
}

int confirmAction(const char* question) {
    refreshStatusLine();
    if (!frontAskYesNo(question)) {
        finishAction();
        return 0;
    }
    switch (diaryState.action) {
        case ACTION_INITIALISE: {
            // The emptied tables stay one restore away; without that snapshot nothing is emptied.
            int emptied = takeSnapshotBefore("initialize") == 0;
            if (emptied) initialiseStore();
            else tellSnapshotBeforeFailed();
            finishAction();
            // The editor and the slot line showed what the tables held.
            if (emptied) {
                loadNotes();
                refreshSlotLine();
                frontNotesChanged();
            }
            break;
        }
        case ACTION_PRINT:
            printWeekGrid();
            finishAction();
            break;
        case ACTION_TEACHER_MODE: {
            int written = writeSetting("teacher", "yes");
            finishAction();
            // A switch that did not reach the settings file must not ask for a restart.
            if (written) notify(" Please, restrat. ", NOTIFY_INFO);
            else reportSaveFailure("the teacher mode", 0);
            break;
        }
        default: break;
    }
    return 1;
}

// A value runs to the end of its line in every file: line breaks become spaces. Values of the
// timetable and the lists also get a back quote for each apostrophe.
static void cleanInput(int apostrophes) {
    for (char* p = inputText; *p != '\0' && p < inputText + sizeof inputText; p++) {
        if (*p == '\r' || *p == '\n') *p = ' ';
        else if (apostrophes && *p == '\'') *p = '`';
    }
}

void composeWindowTitle(char* out, int size, const char* title) {
    snprintf(out, (size_t)size, "WinWkb  %s [ %s ]", WKB_WEB_ADDRESS, title);
}

static void commitTitle() {
    cleanInput(0);
    // The window shows a title only once the settings file holds it.
    if (writeSetting("title", inputText) == 0) {
        reportSaveFailure("the title", 0);
        return;
    }
    char title[sizeof inputText + 64];
    composeWindowTitle(title, sizeof title, inputText);
    frontSetWindowTitle(title);
}

static void commitSlotValue() {
    char key[32];
    pendingSlotKey(key, sizeof key);
    if (promptedSlot.valid && diaryState.action == promptedSlot.action) {
        SlotField field = (SlotField)pendingAction(diaryState.action)->field;
        // The colour of the named slot's week, as it stands now.
        int colour = readWeekColour(promptedSlot.week);
        formatSlotKey(key, sizeof key, promptedSlot.day, promptedSlot.period, field, colour);
    }
    cleanInput(1);
    copyText(valueBuffer, sizeof valueBuffer, inputText);
    tableOp(TABLE_SET, TIMETABLE_TABLE, key, valueBuffer);
}

void commitInput() {
    inputText[sizeof inputText - 1] = '\0';
    switch (pendingAction(diaryState.action)->commit) {
        case COMMIT_TITLE: commitTitle(); break;
        case COMMIT_SLOT: commitSlotValue(); break;
        case COMMIT_SEARCH: searchStep(); return;
        case COMMIT_LIST_ADD:
        case COMMIT_LIST_REMOVE:
            cleanInput(1);
            copyText(valueBuffer, sizeof valueBuffer, inputText);
            if (pendingAction(diaryState.action)->commit == COMMIT_LIST_ADD) addListValue();
            else removeListValue();
            break;
        default: break;
    }
    diaryState.action = ACTION_NONE;
    promptedSlot.valid = 0;
    refreshStatusLine();
    refreshSlotLine();
}

void forgetPromptedSlot() { promptedSlot = PromptedSlot(); }

void cancelInput() {
    if (diaryState.action == ACTION_SEARCH) closeSearchFile();
    diaryState.action = ACTION_NONE;
    promptedSlot.valid = 0;
    refreshStatusLine();
}
