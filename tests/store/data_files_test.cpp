// The one list of data files against what the diary really does: every file it leaves in the
// data folder after every kind of command has a row (a file without one would be missing from
// snapshots and from the path check), every snapshot row travels through a snapshot and a
// restore, and the restore question names what each holds.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "core/diary_state.h"
#include "diary/agenda.h"
#include "diary/calendar_export.h"
#include "diary/restore.h"
#include "diary/school_year.h"
#include "hardening/hardening_support.h"
#include "output/day_list.h"
#include "output/pages.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/lesson_changes.h"
#include "records/settings.h"
#include "records/week_colours.h"
#include "store/data_files.h"
#include "store/snapshots.h"
#include "store/table_store.h"
#include "support/diary_fixture.h"

namespace {

class DataFilesTest : public DiaryTest {};

// The row that names this file of the data folder, or nullptr.
const DataFile* rowOf(const std::string& name) {
    for (const DataFile& f : dataFiles) {
        if (name == f.name || (f.previous != nullptr && name == f.previous)) return &f;
        // The copies a preparation keeps of a table it empties: "wkb_txt.bak", "wkb_txt.bak2"...
        std::string stem(f.name, strcspn(f.name, "."));
        if (name.rfind(stem + ".bak", 0) == 0) return &f;
    }
    return nullptr;
}

}  // namespace

TEST_F(DataFilesTest, EveryFileTheDiaryLeavesHasARowAndEverySnapshotRowTravels) {
    writeFullStore(base.path());
    startAt(2026, 1, 15);
    writeSetting("lesson_times_all", "08:00-08:50");
    diaryState.selectedPeriod = 0;
    setWeekColour(3);
    tableOp(TABLE_SET, NOTES_TABLE, "W3D4P0", "new");
    exportDayPage();
    exportWeekGridPage();
    exportWeeksTablePage();
    exportDayList();
    exportCalendarFile();
    setNoteMark("W3D4P0", "new", MARK_DONE, 1);
    const char* const room[3] = {"", "", "Gym"};
    const char* const timetable[3] = {"", "", ""};
    storeLessonChange(3, 4, 0, 1, room, timetable);
    exportAgendaPage();
    platformSetNow((time_t)localTime(2026, 1, 15, 9));
    frontLog.answers = {1};
    ASSERT_EQ(1, restoreWithQuestion("2026-01-15"));
    char message[160];
    ASSERT_EQ(0, startSchoolYear("2025-2026", message, sizeof message));
    for (const auto& entry : std::filesystem::directory_iterator(data(""))) {
        std::string name = entry.path().filename().string();
        if (entry.is_directory()) continue;  // ".tmp" and the snapshots
        EXPECT_NE(nullptr, rowOf(name)) << name << " has no row in the list of data files";
        EXPECT_LE(name.size(), DATA_NAME_MAX) << name;
    }
    // The year's snapshot holds every snapshot row, byte for byte as the files were.
    int carried = 0;
    for (const DataFile& f : dataFiles) {
        if (!f.snapshot) continue;
        carried++;
        EXPECT_TRUE(fileExists(data(std::string("snapshots/2025-2026/") + f.name))) << f.name;
    }
    EXPECT_EQ(SNAPSHOT_FILE_COUNT, carried);
    char question[600];
    composeRestoreQuestion("x", question, sizeof question);
    EXPECT_NE(nullptr, strstr(question, "The timetable, the notes, the week colours, the value lists, the settings, "))
        << question;
    EXPECT_NE(nullptr, strstr(question, " and the done and test marks\n")) << question;
}
