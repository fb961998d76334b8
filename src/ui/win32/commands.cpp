// The one dispatch place of WM_COMMAND: a table from command id to a short call. It checks
// nothing itself; the pending-action guard lives in the operations that start an action.
// Also the radio marks of the option items and the check marks of the lesson's marks.
#include "ui/win32/commands.h"

#include <windows.h>

#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/agenda.h"
#include "diary/calendar_export.h"
#include "diary/navigation.h"
#include "diary/next_lesson.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "output/day_list.h"
#include "output/pages.h"
#include "platform/bounded_text.h"
#include "records/record_keys.h"
#include "records/settings.h"
#include "records/week_colours.h"
#include "store/table_store.h"
#include "ui/win32/agenda_window.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/keyboard.h"
#include "ui/win32/lesson_change_dialog.h"
#include "ui/win32/lesson_times_dialog.h"
#include "ui/win32/new_year_dialog.h"
#include "ui/win32/school_year_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/restore_dialog.h"
#include "ui/win32/rotation_dialog.h"
#include "ui/win32/timetable_dialog.h"
#include "ui/win32/window_handles.h"

// Quitting asks nothing; a typed note is kept first, and when it cannot be, the window stays
// (a note too long to keep may be left behind after a question).
static void quitProgram() {
    if (keepTypedNoteForClose()) DestroyWindow(mainUi.main);
}

// F3: the next step of an open search, as its "Search" button.
static void searchNext() {
    HWND dialog = inputDialogWindow();
    if (dialog && diaryState.action == ACTION_SEARCH) SendMessageA(dialog, WM_COMMAND, IDC_DLG_OK, 0);
}

static void colourWeek(int colour) {
    setWeekColour(colour);
    refreshSlotLine();
    refreshStatusLine();
}

static void beepOption(int on) {
    setBeep(on);
    refreshStatusLine();
}

static void infoOption(int on) {
    setInfo(on);
    refreshStatusLine();
}

static void defaultsOption(int on) {
    setUseDefaults(on);
    refreshStatusLine();
    // The slot line shows the option at once (the status line has reloaded it).
    refreshSlotLine();
}

// The marks of the selected lesson's note as stored (0 without a note).
static int selectedLessonMarks() {
    char key[32], stored[sizeof valueBuffer];
    formatNoteKey(key, sizeof key, diaryState.selectedWeek, diaryState.selectedDay, diaryState.selectedPeriod);
    tableOp(TABLE_GET, NOTES_TABLE, key, "");
    copyText(stored, sizeof stored, valueBuffer);
    return stored[0] ? noteMarks(key, stored) : 0;
}

// Lesson > Mark as done / Mark as a test: sets the mark, or clears it when it is set (an open
// agenda follows, as after every change of the notes).
static void toggleLessonMark(int mark) { markSelectedLesson(mark, !(selectedLessonMarks() & mark)); }

struct CommandBinding {
    int id;
    void (*run)();          // an operation without argument, or
    void (*runWith)(int);   // one that takes `arg`
    int arg;
};

static const CommandBinding commandTable[] = {
    {CMD_TB_PREVIOUS, previousWeek, NULL, 0},
    {CMD_TB_NEXT, nextWeek, NULL, 0},
    {CMD_TB_QUIT, quitProgram, NULL, 0},
    {CMD_TB_SEARCH, promptSearch, NULL, 0},
    {CMD_TB_SAVE, saveNotes, NULL, 0},
    {CMD_TB_COLOUR0, NULL, colourWeek, 0},
    {CMD_TB_COLOUR0 + 1, NULL, colourWeek, 1},
    {CMD_TB_COLOUR0 + 2, NULL, colourWeek, 2},
    {CMD_TB_COLOUR0 + 3, NULL, colourWeek, 3},
    {CMD_TB_COLOUR4, NULL, colourWeek, 4},
    {CMD_SAVE, saveNotes, NULL, 0},
    {CMD_EXPORT_DAY_NOTEPAD, exportDayList, NULL, 0},
    {CMD_EXPORT_GRID_PRINTER, askPrint, NULL, 0},
    {CMD_QUIT, quitProgram, NULL, 0},
    {CMD_WWW, showAbout, NULL, 0},
    {CMD_INITIALIZE, askInitialise, NULL, 0},
    {CMD_SEARCH, promptSearch, NULL, 0},
    {CMD_WEEK_FORWARD, nextWeek, NULL, 0},
    {CMD_WEEK_BACKWARD, previousWeek, NULL, 0},
    {CMD_VERSION, showVersion, NULL, 0},
    {CMD_BIP_ON, NULL, beepOption, 1},
    {CMD_BIP_OFF, NULL, beepOption, 0},
    {CMD_INFO_ON, NULL, infoOption, 1},
    {CMD_INFO_OFF, NULL, infoOption, 0},
    {CMD_COURSE_SELECT, NULL, promptSelect, 0},
    {CMD_TEACHER_SELECT, NULL, promptSelect, 1},
    {CMD_CLASSROOM_SELECT, NULL, promptSelect, 2},
    {CMD_TITLE, promptTitle, NULL, 0},
    {CMD_TEACHER_MODE, askTeacherMode, NULL, 0},
    {CMD_COURSE_ADD, NULL, promptAdd, 0},
    {CMD_COURSE_REMOVE, NULL, promptRemove, 0},
    {CMD_TEACHER_ADD, NULL, promptAdd, 1},
    {CMD_TEACHER_REMOVE, NULL, promptRemove, 1},
    {CMD_CLASSROOM_ADD, NULL, promptAdd, 2},
    {CMD_CLASSROOM_REMOVE, NULL, promptRemove, 2},
    {CMD_EXPORT_DAY_BROWSER, exportDayPage, NULL, 0},
    {CMD_EXPORT_GRID_BROWSER, exportWeekGridPage, NULL, 0},
    {CMD_EXPORT_WEEKS_TABLE, exportWeeksTablePage, NULL, 0},
    {CMD_DEFAULTS_ON, NULL, defaultsOption, 1},
    {CMD_DEFAULTS_OFF, NULL, defaultsOption, 0},
    {CMD_LESSON_TIMES, openLessonTimesDialog, NULL, 0},
    {CMD_LESSON_CHANGE, openLessonChangeDialog, NULL, 0},
    {CMD_EXPORT_CALENDAR, exportCalendarFile, NULL, 0},
    {CMD_SEARCH_NEXT, searchNext, NULL, 0},
    {CMD_CURRENT_WEEK, showCurrentWeek, NULL, 0},
    {CMD_NEXT_PERIOD, NULL, stepPeriod, 1},
    {CMD_PREVIOUS_PERIOD, NULL, stepPeriod, -1},
    {CMD_NEXT_DAY, NULL, stepDay, 1},
    {CMD_PREVIOUS_DAY, NULL, stepDay, -1},
    {CMD_WEEK_ROTATION, openRotationDialog, NULL, 0},
    {CMD_RESTORE, openRestoreDialog, NULL, 0},
    {CMD_NEW_SCHOOL_YEAR, openNewYearDialog, NULL, 0},
    {CMD_SCHOOL_YEAR, openSchoolYearDialog, NULL, 0},
    {CMD_TIMETABLE, openTimetableDialog, NULL, 0},
    {CMD_AGENDA, openAgendaWindow, NULL, 0},
    {CMD_MARK_DONE, NULL, toggleLessonMark, MARK_DONE},
    {CMD_MARK_TEST, NULL, toggleLessonMark, MARK_TEST},
    {CMD_NEXT_LESSON, showNextLessonOfCourse, NULL, 0},
    {CMD_AGENDA_START_ON, NULL, setAgendaAtStart, 1},
    {CMD_AGENDA_START_OFF, NULL, setAgendaAtStart, 0},
    {CMD_EXPORT_AGENDA, exportAgendaPage, NULL, 0},
};

int runCommand(int id) {
    for (const CommandBinding& binding : commandTable) {
        if (binding.id != id) continue;
        if (binding.run) binding.run();
        else binding.runWith(binding.arg);
        return 1;
    }
    return 0;
}

void showOptionChecks(HWND window) {
    HMENU menu = GetMenu(window);
    if (menu == NULL) return;
    CheckMenuRadioItem(menu, CMD_BIP_ON, CMD_BIP_OFF, diaryState.beepOn == 1 ? CMD_BIP_ON : CMD_BIP_OFF, MF_BYCOMMAND);
    CheckMenuRadioItem(menu, CMD_INFO_ON, CMD_INFO_OFF, diaryState.infoOn == 1 ? CMD_INFO_ON : CMD_INFO_OFF,
                       MF_BYCOMMAND);
    CheckMenuRadioItem(menu, CMD_DEFAULTS_ON, CMD_DEFAULTS_OFF,
                       diaryState.useDefaults == 1 ? CMD_DEFAULTS_ON : CMD_DEFAULTS_OFF, MF_BYCOMMAND);
    CheckMenuRadioItem(menu, CMD_AGENDA_START_ON, CMD_AGENDA_START_OFF,
                       agendaAtStart() ? CMD_AGENDA_START_ON : CMD_AGENDA_START_OFF, MF_BYCOMMAND);
}

void showLessonMarks(HWND window) {
    HMENU menu = GetMenu(window);
    if (menu == NULL) return;
    int marks = selectedLessonMarks();
    CheckMenuItem(menu, CMD_MARK_DONE, MF_BYCOMMAND | ((marks & MARK_DONE) ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, CMD_MARK_TEST, MF_BYCOMMAND | ((marks & MARK_TEST) ? MF_CHECKED : MF_UNCHECKED));
}
