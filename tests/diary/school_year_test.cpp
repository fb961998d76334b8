// A new school year, the snapshot before Initialize, and the restore command from the
// diary's side: what the user is asked and told, and what the window shows afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/actions.h"
#include "diary/restore.h"
#include "diary/school_year.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "store/snapshots.h"

class SchoolYearTest : public DiaryCoreTest {
protected:
    std::vector<SnapshotInfo> list() {
        SnapshotInfo infos[50];
        int n = listSnapshots(infos, 50);
        return std::vector<SnapshotInfo>(infos, infos + n);
    }
};

// Week 12 of the new year shows nothing of the old one; a restore brings every note back.
TEST_F(SchoolYearTest, ANewYearEmptiesNotesAndColoursAndTheOldYearIsOneRestoreAway) {
    startThursday();
    std::string notes;
    for (int week = 1; week <= 52; week++) notes += "W" + std::to_string(week) + "D1P0=note of week " + std::to_string(week) + "\n";
    writeData("wkb_txt.data", notes);
    writeData("wkb_hd.data", "D1P0C=Math\n");
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n12=2\n");
    writeData("hdvalues.dat", "[C]Math\n");
    std::string oldNotes = dataBytes("wkb_txt.data"), settings = dataBytes(".wkb.rc");

    char message[160];
    ASSERT_EQ(0, startSchoolYear("2025-2026", message, sizeof message));
    EXPECT_EQ("", dataBytes("wkb_txt.data"));
    EXPECT_EQ(crlf("### Weeks colors data. Please do not edit.\n"), dataBytes("weeks.dat"));
    EXPECT_EQ(crlf("D1P0C=Math\n"), dataBytes("wkb_hd.data"));
    EXPECT_EQ(crlf("[C]Math\n"), dataBytes("hdvalues.dat"));
    EXPECT_EQ(settings, dataBytes(".wkb.rc"));
    diaryState.selectedWeek = 12;
    diaryState.selectedDay = 1;
    diaryState.selectedPeriod = 0;
    reloadShownData();
    EXPECT_EQ("", frontLog.notes);
    EXPECT_EQ(0, diaryState.weekColour);

    EXPECT_EQ(1, startSchoolYear("2025-2026", message, sizeof message));  // the name is taken
    auto snapshots = list();
    ASSERT_EQ(1u, snapshots.size());  // a first start has no daily one
    EXPECT_STREQ("2025-2026", snapshots[0].name);
    EXPECT_EQ(52, snapshots[0].notes);

    frontLog.answers = {1};
    ASSERT_EQ(1, restoreWithQuestion("2025-2026"));
    EXPECT_EQ(oldNotes, dataBytes("wkb_txt.data"));
    EXPECT_EQ("note of week 12", frontLog.notes);
    EXPECT_EQ(2, diaryState.weekColour);
    auto asked = frontCalls("ask|Restore the snapshot \"2025-2026\"?");
    EXPECT_EQ(1u, asked.size());
}

TEST_F(SchoolYearTest, RestoreAsksFirstAndIsRefusedWhileAnActionIsPending) {
    startThursday();
    writeData("wkb_txt.data", "W3D4P0=now\n");
    platformSetNow((time_t)localTime(2026, 1, 15, 13));
    ASSERT_EQ(0, takeNamedSnapshot("kept"));
    writeData("wkb_txt.data", "W3D4P0=later\n");
    frontLog.answers = {0};
    EXPECT_EQ(0, restoreWithQuestion("kept"));
    EXPECT_EQ(crlf("W3D4P0=later\n"), dataBytes("wkb_txt.data"));
    diaryState.action = ACTION_SEARCH;
    resetFrontLog();
    EXPECT_EQ(0, restoreWithQuestion("kept"));
    EXPECT_EQ(std::vector<std::string>{"box|Stop|error|" ANOTHER_FUNCTION_RUNNING}, frontLog.calls);
    diaryState.action = 0;
    // The "before restore" snapshot cannot be made: nothing is replaced.
    faultFailAll(FAULT_MAKE_FOLDER, 1);
    frontLog.answers = {1};
    EXPECT_EQ(0, restoreWithQuestion("kept"));
    EXPECT_EQ(crlf("W3D4P0=later\n"), dataBytes("wkb_txt.data"));
    EXPECT_EQ(1u, frontCalls("box|Stop|error|" SNAPSHOT_BEFORE_FAILED).size());
}

TEST_F(SchoolYearTest, InitializeKeepsTheDataAsASnapshotFirstOrEmptiesNothing) {
    startThursday();
    writeData("wkb_txt.data", "W3D4P0=notes\n");
    std::string notes = dataBytes("wkb_txt.data");
    platformSetNow((time_t)localTime(2026, 1, 15, 14));
    faultFailAll(FAULT_COPY, 1);
    frontLog.answers = {1};
    askInitialise();
    EXPECT_EQ(notes, dataBytes("wkb_txt.data"));
    EXPECT_EQ(1u, frontCalls("box|Stop|error|" SNAPSHOT_BEFORE_FAILED).size());
    EXPECT_EQ(0, diaryState.action);
    faultReset();
    frontLog.answers = {1};
    askInitialise();
    EXPECT_EQ("", dataBytes("wkb_txt.data"));
    auto snapshots = list();
    ASSERT_FALSE(snapshots.empty());
    EXPECT_STREQ("2026-01-15 14-00-00 before initialize", snapshots[0].name);
    EXPECT_EQ(notes, readBytes(data(std::string("snapshots") + WKB_SEP + snapshots[0].name + WKB_SEP "wkb_txt.data")));
}
