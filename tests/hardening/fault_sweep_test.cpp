// Every operation that writes a file, start-up in each situation, and the commands that only
// read, run once for each of their file steps made to fail, reads included (an open for
// reading refused as a sharing violation is, a read that breaks off): a clean run counts the
// calls of each fault kind, then each call fails in turn from the same starting files. After
// each run every file must be its old or its new version and no table may be lost, a run that
// did not give the clean result must report failure, and where there is a user an error box
// must tell them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/agenda.h"
#include "diary/calendar_export.h"
#include "diary/navigation.h"
#include "diary/notes.h"
#include "diary/restore.h"
#include "diary/rotation.h"
#include "diary/school_year.h"
#include "diary/search.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "diary/timetable_edit.h"
#include "hardening/hardening_support.h"
#include "output/day_list.h"
#include "output/pages.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "records/lesson_changes.h"
#include "records/lesson_times.h"
#include "records/settings.h"
#include "records/store_prep.h"
#include "records/value_lists.h"
#include "records/week_colours.h"
#include "store/file_swap.h"
#include "store/kept_files.h"
#include "store/snapshots.h"
#include "store/table_store.h"
#include "store/text_file.h"
#include "support/diary_fixture.h"
#include "support/platform_recorder.h"

class FaultSweepTest;

struct SweepCase {
    const char* name;
    void (*arrange)(FaultSweepTest& t);
    int (*act)();        // 1 when the operation itself reports failure
    bool hasUser;        // a failure must show an error box
    bool prep;           // store preparation: tables it empties must survive in ".bak" copies
    const char* midName = nullptr;    // a file that a failed run may leave between two versions,
    const char* midPrefix = nullptr;  // as long as it still begins with this text
    bool wholeStore = false;  // the data files are all old or all new, judged after the next start
    PlatformErrorKind cause = PLATFORM_ERROR_OTHER;  // what each injected failure says it was
};

// Store preparation may go on without the ".tmp" folder or a weeks file that was missing: both
// are made again when needed, and nothing is lost.
static const char* const kFaultNames[FAULT_OP_COUNT] = {"open for writing", "write", "flush", "close",
                                                        "rename",           "copy",  "make folder", "delete",
                                                        "open for reading", "read"};

static Snapshot tolerated(Snapshot expected, const Snapshot& got, const Snapshot& before) {
    for (const char* name : {"wkb_db/.tmp", "wkb_db/weeks.dat"})
        if (!got.count(name) && !before.count(name)) expected.erase(name);
    return expected;
}

// The next call to fail. The many writes of a long page all take one path, so past the first
// ones every few are tried, and the last; WKB_SWEEP_FULL=1 tries every call.
static int nextCall(int n, int count) {
    static const bool full = getenv("WKB_SWEEP_FULL") != NULL;
    if (full || count <= 64 || n < 16 || n == count) return n + 1;
    int stride = count / 48;
    return n + stride < count ? n + stride : count;
}

struct Outcome {
    int failed;
    int errorBoxes;
    bool launched;
    Snapshot files;
};

class FaultSweepTest : public DiaryTest {
public:
    using DiaryTest::data;
    void fullStore() { writeFullStore(base.path()); }
    void fullStoreShowingWeek3() {
        fullStore();
        startAt(2026, 1, 15);  // a Thursday of week 3
        diaryState.selectedPeriod = 1;
    }

protected:
    Outcome runOnce(const SweepCase& c, int op, int nth) {
        std::filesystem::remove_all(base.path() + WKB_SEP "wkb_db");
        resetDiaryState();
        c.arrange(*this);
        resetFrontLog();
        platformLaunch("", "");
        // Every command starts from the files, as after a change by another program: a kept
        // copy from the arrangement would leave its reads untried.
        forgetKeptFiles();
        faultReset();
        holdWrites(0);
        if (op >= 0) faultArm((FaultOp)op, nth, op == FAULT_OPEN_READ ? PLATFORM_ERROR_DENIED : c.cause);
        Outcome o;
        o.failed = c.act();
        for (int k = 0; k < FAULT_OP_COUNT; k++) calls[k] = faultCalls((FaultOp)k);
        faultReset();
        // What a swap left unfinished is finished or undone by the next start.
        char what[SWAP_WHAT_SIZE];
        if (c.wholeStore) swapRecover(what, sizeof what);
        o.errorBoxes = (int)frontCalls("box|Stop|").size();
        o.launched = platformLastLaunchProgram()[0] != '\0';
        o.files = snapshotTree(base.path());
        // The day whose snapshot is made only saves a comparison at the next start: a marker
        // that could not be written costs nothing.
        o.files.erase("wkb_db/snapshots/.last-daily");
        return o;
    }

    // Runs every failing step of one case; returns how many faults were injected.
    int sweep(const SweepCase& c) {
        Outcome clean = runOnce(c, -1, 0);
        EXPECT_EQ(0, clean.failed) << c.name;
        EXPECT_EQ(0, clean.errorBoxes) << c.name;
        int counts[FAULT_OP_COUNT];
        for (int k = 0; k < FAULT_OP_COUNT; k++) counts[k] = calls[k];
        std::filesystem::remove_all(base.path() + WKB_SEP "wkb_db");
        resetDiaryState();
        c.arrange(*this);
        Snapshot before = snapshotTree(base.path());
        int injected = 0;
        for (int k = 0; k < FAULT_OP_COUNT; k++) {
            for (int n = 1; n <= counts[k]; n = nextCall(n, counts[k]), injected++,
                     readFaults += k == FAULT_OPEN_READ || k == FAULT_READ) {
                Outcome o = runOnce(c, k, n);
                std::string where = std::string(c.name) + ", failing " + kFaultNames[k] + " call " +
                                    std::to_string(n) + ": ";
                Snapshot judged = o.files;
                if (o.failed && c.midName && judged.count(c.midName) &&
                    judged[c.midName].rfind(crlf(c.midPrefix), 0) == 0)
                    judged[c.midName] = clean.files[c.midName];
                std::string mixed = oldOrNew(before, clean.files, judged);
                if (!mixed.empty()) problem(where + mixed);
                if (c.wholeStore && !wholly(before, judged) && !wholly(clean.files, judged))
                    problem(where + "the data files mix the old and the new store");
                if (c.prep && !tablesKept(before, o.files).empty())
                    problem(where + "table lost: " + tablesKept(before, o.files));
                bool same = o.files == (c.prep ? tolerated(clean.files, o.files, before) : clean.files);
                if (!same && o.failed != 1) problem(where + "failure reported as success");
                if (!same && c.hasUser && o.errorBoxes == 0) problem(where + "user not told");
                if (o.failed && o.launched) problem(where + "a file that was not written was opened");
            }
        }
        printf("  %s: %d\n", c.name, injected);
        return injected;
    }

    // 1 when the data files of got are those of want.
    static bool wholly(const Snapshot& want, const Snapshot& got) {
        for (const char* name : {"wkb_db/wkb_hd.data", "wkb_db/wkb_txt.data", "wkb_db/weeks.dat", "wkb_db/hdvalues.dat",
                                 "wkb_db/.wkb.rc"}) {
            auto w = want.find(name), g = got.find(name);
            if ((w == want.end()) != (g == got.end()) || (w != want.end() && w->second != g->second)) return false;
        }
        return true;
    }

    void problem(const std::string& text) {
        if (problems.size() < 40) problems.push_back(text.substr(0, 300));
        problemCount++;
    }

    int calls[FAULT_OP_COUNT] = {};
    int readFaults = 0;
    std::vector<std::string> problems;
    int problemCount = 0;
};

static int boxShown() { return frontCalls("box|Stop|").empty() ? 0 : 1; }
static int prepared() {
    readVersionMajor();
    int status = prepareStore();
    return status == STORE_FAILED || status == STORE_UNREADABLE || boxShown() ? 1 : 0;
}
static void writeSettings(FaultSweepTest& t, const char* version) {
    t.fullStore();
    std::string rc = "##################################################################\n"
                     "#        RC for WKB. Please, do not edit manually!\n"
                     "##################################################################\n";
    if (version[0] != '\0') rc += std::string("version=") + version + "\n";
    writeBytes(t.data(".wkb.rc"), crlf(rc + "info=yes\nbip=yes\n"));
}
static const char* const kSettingsHeader = "##################################################################\n";
static const char* const kWeeksHeader = "### Weeks colors data. Please do not edit.\n";

static void store(FaultSweepTest& t) { t.fullStore(); }
// Commands that only read: what they show may lack what could not be read, but no file changes.
static int tabChange() {
    loadNotes();
    refreshSlotLine();
    refreshStatusLine();
    return boxShown();
}
static int weekForward() {
    nextWeek();
    previousWeek();
    return boxShown();
}
static int searchTwice() {
    diaryState.action = ACTION_SEARCH;
    copyText(inputText, sizeof inputText, "learn");
    searchStep();
    searchStep();
    closeSearchFile();
    diaryState.action = ACTION_NONE;
    return boxShown();
}
static void shown(FaultSweepTest& t) { t.fullStoreShowingWeek3(); }
static void nothing(FaultSweepTest&) {}
// Every period has times; the calendar id is made (and kept) by the export itself.
static void lessonTimes(FaultSweepTest& t) {
    t.fullStoreShowingWeek3();
    writeSetting("lesson_times_all", "08:00-08:50,09:00-09:50,10:00-10:50,11:00-11:50,12:00-12:50,"
                                     "13:00-13:50,14:00-14:50,15:00-15:50,16:00-16:50,17:00-17:50");
}

// A snapshot "kept" of the full store, then a changed note and week colour.
static void changedSinceKept(FaultSweepTest& t) {
    t.fullStoreShowingWeek3();
    platformSetNow((time_t)localTime(2026, 1, 15, 10));
    takeNamedSnapshot("kept");
    tableOp(TABLE_SET, NOTES_TABLE, "W3D4P1", "changed since");
    setWeekColour(2);
}
static int restoreKept() {
    frontLog.answers = {1};
    return restoreWithQuestion("kept") == 1 ? boxShown() : 1;
}
// Marks on two notes of the week shown, one of them the selected lesson's.
static void marked(FaultSweepTest& t) {
    t.fullStoreShowingWeek3();
    setNoteMark("W3D1P0", "", MARK_TEST, 1);
    setNoteMark("W3D4P1", "", MARK_DONE, 1);
}
// Two lessons of the week shown that differ on their date.
static int changeLesson(int period, int cancelled, const char* room) {
    const char* const typed[3] = {"Math", "", room};
    const char* const timetable[3] = {"Math", "", "12"};
    return storeLessonChange(3, 4, period, cancelled, typed, timetable);
}
static void lessonsChanged(FaultSweepTest& t) {
    t.fullStoreShowingWeek3();
    changeLesson(0, 1, "12");
    changeLesson(1, 0, "Gym");
}
static int newYear() {
    char message[160];
    return startSchoolYear("2025-2026", message, sizeof message) == 0 ? boxShown() : 1;
}

// Yesterday's snapshot of the full store (taken by the start), then a changed note.
static void changedSinceYesterday(FaultSweepTest& t) {
    t.fullStoreShowingWeek3();
    tableOp(TABLE_SET, NOTES_TABLE, "W3D4P1", "changed today");
}
static int dailySnapshot() {
    platformSetNow((time_t)localTime(2026, 1, 16));
    return takeDailySnapshot();
}

// The timetable grid's OK: fields of two colours changed, one cleared, one new name.
static int timetableGrid() {
    TimetableEdit* edit = timetableEditLoad();
    if (edit == NULL) return 1;
    timetableEditSet(edit, 0, 1, 0, SLOT_COURSE, "Chemistry", "");
    timetableEditSet(edit, 0, 1, 0, SLOT_CLASSROOM, "", "");
    timetableEditSet(edit, 2, 6, 9, SLOT_CLASSROOM, "R12", "");
    int failed = timetableEditSave(edit);
    timetableEditFree(edit);
    return failed | boxShown();
}

static const SweepCase kCases[] = {
    {"daily snapshot", changedSinceYesterday, dailySnapshot, false, false},
    {"rotation rule", shown, [] {
         RotationRule rule;
         loadRotationRule(&rule);
         rule.firstWeek = 35;
         copyText(rule.holidayText, sizeof rule.holidayText, "44, 52-1");
         return saveRotationRule(&rule) | boxShown();
     }, false, false},
    {"rotation, timetable copied", shown, [] {
         RotationRule rule;
         loadRotationRule(&rule);  // yellow and green: yellow has no timetable of its own
         RotationChoices choices = {0, ROTATION_TIMETABLE_COPY};
         return applyRotationWith(&rule, &choices) | boxShown();
     }, true, false},
    {"lesson times", shown, [] {
         LessonTimes t;
         loadLessonTimes(&t);
         t.ownTimes[6] = 1;
         for (int row : {0, 6}) t.start[row][0] = 480, t.end[row][0] = 530;
         return saveLessonTimes(&t) | boxShown();
     }, true, false},
    {"restore", changedSinceKept, restoreKept, true, false, nullptr, nullptr, true},
    {"new school year", changedSinceKept, newYear, true, false, nullptr, nullptr, true},
    {"restore, disk full", changedSinceKept, restoreKept, true, false, nullptr, nullptr, true, PLATFORM_ERROR_FULL},
    {"new school year, a file in use", changedSinceKept, newYear, true, false, nullptr, nullptr, true,
     PLATFORM_ERROR_DENIED},
    {"settings write", store, [] { setBeep(0); return boxShown(); }, true, false},
    {"settings file created anew", store, [] { return createSettingsFile(); }, false, false},
    {"timetable set", store, [] { return tableOp(TABLE_SET, TIMETABLE_TABLE, "D1P0C", "Art") | boxShown(); }, true, false},
    {"timetable grid", store, timetableGrid, true, false},
    {"notes set, new key", store, [] { return tableOp(TABLE_SET, NOTES_TABLE, "W9D1P0", "new") | boxShown(); }, true, false},
    {"notes set, no table file",
     [](FaultSweepTest& t) { t.fullStore(); std::filesystem::remove(t.data("wkb_txt.data")); },
     [] { return tableOp(TABLE_SET, NOTES_TABLE, "W1D1P0", "x") | boxShown(); }, true, false},
    {"table create", store, [] { return tableOp(TABLE_CREATE, NOTES_TABLE, "", "") | boxShown(); }, true, false},
    {"week colour set", shown, [] { return setWeekColour(4) | boxShown(); }, true, false},
    {"week colour set, no weeks file",
     [](FaultSweepTest& t) { t.fullStoreShowingWeek3(); std::filesystem::remove(t.data("weeks.dat")); },
     [] { return setWeekColour(1) | boxShown(); }, true, false, "wkb_db/weeks.dat", kWeeksHeader},
    {"value list add",
     [](FaultSweepTest& t) { t.fullStore(); diaryState.action = ACTION_ADD_TEACHER; },
     [] { snprintf(valueBuffer, sizeof valueBuffer, "Jones"); return addListValue() | boxShown(); }, true, false},
    {"value list remove", store,
     [] { snprintf(valueBuffer, sizeof valueBuffer, "Math"); return (removeListValue() ? 0 : 1) | boxShown(); }, true, false},
    {"new store", nothing, prepared, false, true, "wkb_db/.wkb.rc", kSettingsHeader},
    {"start-up, current store", store, prepared, false, true},
    {"start-up, settings file lost",
     [](FaultSweepTest& t) { t.fullStore(); std::filesystem::remove(t.data(".wkb.rc")); }, prepared, false, true,
     "wkb_db/.wkb.rc", kSettingsHeader},
    {"tab change", shown, tabChange, false, false},
    {"week forward and back", shown, weekForward, false, false},
    {"search", shown, searchTwice, false, false},
    {"store without a version", [](FaultSweepTest& t) { writeSettings(t, ""); }, prepared, false, true, "wkb_db/.wkb.rc", kSettingsHeader},
    {"upgrade from version 1", [](FaultSweepTest& t) { writeSettings(t, "wkb_v1.9.0"); }, prepared, false, true, "wkb_db/.wkb.rc", kSettingsHeader},
    {"upgrade from version 2.4", [](FaultSweepTest& t) { writeSettings(t, "wkb_v2.4.0"); }, prepared, false, true, "wkb_db/.wkb.rc", kSettingsHeader},
    {"day page", shown, [] { exportDayPage(); return boxShown(); }, true, false},
    {"week grid page", shown, [] { exportWeekGridPage(); return boxShown(); }, true, false},
    {"weeks table page", shown, [] { exportWeeksTablePage(); return boxShown(); }, true, false},
    {"day list", shown, [] { exportDayList(); return boxShown(); }, true, false},
    {"calendar file", lessonTimes, [] { exportCalendarFile(); return boxShown(); }, true, false},
    {"done mark, no marks file yet", shown, [] { return markSelectedLesson(MARK_DONE, 1) | boxShown(); }, true, false},
    {"test mark beside others", marked, [] { return markSelectedLesson(MARK_TEST, 1) | boxShown(); }, true, false},
    {"agenda page", marked, [] { exportAgendaPage(); return boxShown(); }, true, false},
    {"lesson change, no changes file yet", shown, [] { return changeLesson(2, 1, "Lab") | boxShown(); }, true, false},
    {"lesson change beside others", lessonsChanged, [] { return changeLesson(0, 0, "Lab") | boxShown(); }, true, false},
    {"lesson change removed", lessonsChanged, [] { return removeLessonChange(3, 4, 1) | boxShown(); }, true, false},
    {"new school year with lesson changes", lessonsChanged, newYear, true, false, nullptr, nullptr, true},
};

TEST_F(FaultSweepTest, EveryFailingStepOfEveryWriteLeavesOldOrNewFilesAndIsReported) {
    int injected = 0;
    for (const SweepCase& c : kCases) injected += sweep(c);
    int operations = (int)(sizeof kCases / sizeof kCases[0]);
    RecordProperty("faults_injected", injected);
    RecordProperty("operations", operations);
    printf("fault sweep: %d faults injected over %d operations, %d of them failed reads%s\n", injected, operations,
           readFaults, getenv("WKB_SWEEP_FULL") != NULL ? " (every call)" : "");
    RecordProperty("read_faults_injected", readFaults);
    EXPECT_GT(injected, 100);
    EXPECT_EQ(0, problemCount);
    for (const std::string& p : problems) ADD_FAILURE() << p;
}

// While changes are held (a store that could not be read at start), no writer changes a byte:
// every write, export, restore, new year, rotation, the lesson times and the snapshots.
TEST_F(FaultSweepTest, WhileChangesAreHeldNoWriterChangesAFile) {
    static const std::pair<const char*, int (*)()> extra[] = {
        {"rotation", [] { RotationRule rule; loadRotationRule(&rule); return applyRotation(&rule); }},
        {"lesson times", [] { LessonTimes t; loadLessonTimes(&t); t.start[0][0] = 480; t.end[0][0] = 530; return saveLessonTimes(&t); }},
        {"daily snapshot", [] { platformSetNow((time_t)localTime(2026, 1, 16)); return takeDailySnapshot(); }},
        {"snapshot before", [] { return takeSnapshotBefore("initialize"); }},
    };
    std::vector<std::pair<std::string, std::function<void(FaultSweepTest&)>>> arrangements;
    std::vector<std::pair<std::string, std::function<int()>>> writers;
    for (const SweepCase& c : kCases) {
        arrangements.push_back({c.name, c.arrange});
        writers.push_back({c.name, c.act});
    }
    for (const auto& e : extra) {
        arrangements.push_back({e.first, changedSinceKept});
        writers.push_back({e.first, e.second});
    }
    for (size_t i = 0; i < writers.size(); i++) {
        std::filesystem::remove_all(base.path() + WKB_SEP "wkb_db");
        resetDiaryState();
        arrangements[i].second(*this);
        Snapshot before = snapshotTree(base.path());
        resetFrontLog();
        holdWrites(1);
        writers[i].second();
        holdWrites(0);
        EXPECT_EQ(before, snapshotTree(base.path())) << writers[i].first;
    }
}
