// The diary's operations on the full store: table gets and sets at both ends of each table,
// the user commands with the refreshes that follow them, the exports, the printed grid,
// store preparation and the day table. Every command runs on the notes table's last record.
#include <cstdio>
#include <cstring>

#include "bench.h"
#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/agenda.h"
#include "diary/calendar_export.h"
#include "diary/navigation.h"
#include "diary/next_lesson.h"
#include "diary/notes.h"
#include "diary/search.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "full_store.h"
#include "output/day_list.h"
#include "output/pages.h"
#include "output/print_grid.h"
#include "platform/bounded_text.h"
#include "records/store_prep.h"
#include "records/week_colours.h"
#include "store/data_folder.h"
#include "store/kept_files.h"
#include "store/table_store.h"
#include "support/print_surface_recorder.h"
#include "support/recording_frontend.h"

void selectWorstSlot() {
    diaryState.action = ACTION_NONE;
    diaryState.selectedWeek = lastNotesWeek();
    diaryState.selectedDay = 6;
    diaryState.selectedPeriod = 9;
    locateSelectedDay();
    readSelectedWeekColour();
}

// Runs op once per iteration on a fresh front-end record; reports the flush time per run.
static void timeCommand(benchmark::State& state, void (*op)()) {
    selectWorstSlot();
    benchTakeFlushNanos();
    for (auto _ : state) {
        resetFrontLog();
        op();
    }
    state.counters["flush_us"] = benchmark::Counter((double)benchTakeFlushNanos() / 1e3,
                                                    benchmark::Counter::kAvgIterations);
}

static void get(benchmark::State& state, const char* table, const char* key) {
    for (auto _ : state) tableOp(TABLE_GET, table, key, "");
    if (valueBuffer[0] == '\0') state.SkipWithError("key not found");
}

static void getFromDisk(benchmark::State& state, const char* table, const char* key) {
    for (auto _ : state) {
        keptFilesOutOfDate();
        tableOp(TABLE_GET, table, key, "");
    }
    if (valueBuffer[0] == '\0') state.SkipWithError("key not found");
}

// Sets the key to its stored value, so every run rewrites the same table.
static void setExisting(benchmark::State& state, const char* table, const char* key) {
    tableOp(TABLE_GET, table, key, "");
    char value[sizeof valueBuffer];
    copyText(value, sizeof value, valueBuffer);
    benchTakeFlushNanos();
    for (auto _ : state) tableOp(TABLE_SET, table, key, value);
    state.counters["flush_us"] = benchmark::Counter((double)benchTakeFlushNanos() / 1e3,
                                                    benchmark::Counter::kAvgIterations);
}

// Appends a key the table does not hold; the table before the set (its ".tmp") is put back
// after each run, outside the timing.
static void setNew(benchmark::State& state) {
    char data[300], previous[300];
    copyText(data, sizeof data, dataFilePath(NOTES_TABLE ".data"));
    copyText(previous, sizeof previous, dataFilePath(NOTES_TABLE ".tmp"));
    long long flush = 0;
    benchTakeFlushNanos();
    for (auto _ : state) {
        tableOp(TABLE_SET, NOTES_TABLE, "W54D1P0", sampleNote());
        state.PauseTiming();
        flush += benchTakeFlushNanos();
        rename(previous, data);
        state.ResumeTiming();
    }
    state.counters["flush_us"] = benchmark::Counter((double)flush / 1e3, benchmark::Counter::kAvgIterations);
}

static void tabChange() {
    loadNotes();
    refreshSlotLine();
    refreshStatusLine();
}

static void saveCommand() {
    // The editor holds the stored note again, so the table stays the same from run to run.
    char text[2 * NOTES_LIMIT + 2];
    decodeNotes(sampleNote(), text, sizeof text);
    frontLog.notes = text;
    saveNotes();
}

static int worstIndex;

static void weekForward() {
    diaryState.selectedDayIndex = worstIndex - 7;
    nextWeek();
}

// As after a change by another program: every file is read again.
static void weekForwardFromDisk() {
    keptFilesOutOfDate();
    weekForward();
}

static void tabChangeFromDisk() {
    keptFilesOutOfDate();
    tabChange();
}

static void searchNoHit() {
    copyText(inputText, sizeof inputText, MISSING_KEYWORD);
    copyText(searchState.lastKeyword, sizeof searchState.lastKeyword, MISSING_KEYWORD);
    searchState.startWeek = 1;
    searchState.lastStartWeek = 0;  // a changed start week rewinds: the step reads the whole table
    searchStep();
}

static void colourWeek() {
    setWeekColour(lastNotesWeek() % 5);
    refreshSlotLine();
    refreshStatusLine();
}

static void printGrid() {
    printRecorderReset(4960, 7016);
    printWeekGrid();
}

static void prepareCurrentStore() { prepareStore(); }

struct Command {
    const char* name;
    void (*op)();
};

// A school year of 53 weeks, the largest table; the 360 days are put back for the others.
static void buildSchoolYear() {
    buildSchoolYearTable(36, 2026);
    buildDayTable();
}

// The agenda around today, every note of the store filled: read, dated and given its course.
static void buildFullAgenda() {
    static Agenda agenda;
    buildAgenda(&agenda);
}

// The next lesson of a course that no lesson holds: the walk reads the timetable, the colours
// and the changes once and looks at every lesson of every day to the end of the table.
static void nextLessonOfNoCourse() {
    int index = 0, period = 0;
    findNextLesson(0, "no such course", &index, &period);
}

static const Command commands[] = {
    {"cmd_tab_change", tabChange},
    {"cmd_save_notes", saveCommand},
    {"cmd_week_forward", weekForward},
    {"cmd_tab_change_from_disk", tabChangeFromDisk},
    {"cmd_week_forward_from_disk", weekForwardFromDisk},
    {"cmd_search_step_no_hit", searchNoHit},
    {"cmd_colour_week", colourWeek},
    {"cmd_export_day_page", exportDayPage},
    {"cmd_export_week_grid", exportWeekGridPage},
    {"cmd_export_weeks_table", exportWeeksTablePage},
    {"cmd_export_day_list", exportDayList},
    {"cmd_export_calendar", exportCalendarFile},
    {"cmd_print_week_grid", printGrid},
    {"op_load_notes", loadNotes},
    {"op_refresh_status_line", refreshStatusLine},
    {"op_refresh_slot_line", refreshSlotLine},
    {"op_prepare_store", prepareCurrentStore},
    {"op_build_day_table", buildDayTable},
    {"op_build_school_year_table", buildSchoolYear},
    {"op_next_lesson_none", nextLessonOfNoCourse},
    {"op_build_agenda", buildFullAgenda},
};

static void withoutFlush(benchmark::State& state, void (*body)(benchmark::State&)) {
    benchFlushToDisk(0);
    body(state);
    benchFlushToDisk(1);
}

static void setNotesExisting(benchmark::State& state) { setExisting(state, NOTES_TABLE, lastNotesKey()); }
static void saveNotesCommand(benchmark::State& state) { timeCommand(state, saveCommand); }

void registerOperations() {
    selectWorstSlot();
    worstIndex = diaryState.selectedDayIndex;
    static char first[32], last[32];
    copyText(first, sizeof first, firstNotesKey());
    copyText(last, sizeof last, lastNotesKey());
    benchmark::RegisterBenchmark("get_notes_first", get, NOTES_TABLE, first)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("get_notes_last", get, NOTES_TABLE, last)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("get_notes_last_from_disk", getFromDisk, NOTES_TABLE, last)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("get_timetable_first", get, TIMETABLE_TABLE, FIRST_TIMETABLE_KEY)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("get_timetable_last", get, TIMETABLE_TABLE, LAST_TIMETABLE_KEY)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("set_notes_existing", setNotesExisting)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("set_notes_new", setNew)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("set_timetable_existing", setExisting, TIMETABLE_TABLE, LAST_TIMETABLE_KEY)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("set_notes_existing_noflush", withoutFlush, setNotesExisting)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("set_notes_new_noflush", withoutFlush, setNew)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("cmd_save_notes_noflush", withoutFlush, saveNotesCommand)->UseRealTime()->Unit(benchmark::kMicrosecond);
    for (const Command& c : commands) benchmark::RegisterBenchmark(c.name, timeCommand, c.op)->UseRealTime()->Unit(benchmark::kMicrosecond);
}

void runEveryCommandOnce() {
    selectWorstSlot();
    worstIndex = diaryState.selectedDayIndex;
    for (const Command& c : commands) {
        selectWorstSlot();
        resetFrontLog();
        c.op();
    }
    closeSearchFile();
}
