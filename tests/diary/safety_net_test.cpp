// Restore and New school year as the user meets them when something goes wrong: the note being
// typed is kept first, a failure changes nothing and says why, a second try works, an older
// store is brought up to date or refused, and the calendar id and the options follow the
// restore. Also the snapshots' retention and list with dates in the future and long lists.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/notes.h"
#include "diary/restore.h"
#include "diary/school_year.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "records/snapshot_restore.h"
#include "records/store_version.h"
#include "store/snapshots.h"

namespace {

class SafetyNetTest : public DiaryCoreTest {
protected:
    void SetUp() override {
        DiaryCoreTest::SetUp();
        startThursday();
        writeData("wkb_txt.data", "W3D4P0=as stored\n");
        writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n3=2\n");
        loadNotes();
    }
    std::string snap(const std::string& name, const std::string& file) const {
        return data("snapshots/" + name + "/" + file);
    }
    // A snapshot folder made by hand, as another PC or a wrong clock leaves one.
    void handMade(const std::string& name, const std::string& settings = "version=" CURRENT_VERSION "\r\n") {
        mkdir(data("snapshots").c_str(), 0777);
        mkdir(data("snapshots/" + name).c_str(), 0777);
        writeBytes(snap(name, ".wkb.rc"), settings);
        writeBytes(snap(name, "wkb_txt.data"), "W1D1P0=from " + name + "\r\n");
    }
    std::vector<std::string> listed(int max = 400) {
        std::vector<SnapshotInfo> infos((size_t)max);
        int n = listSnapshots(infos.data(), max);
        std::vector<std::string> names;
        for (int i = 0; i < n; i++) names.push_back(std::string(infos[i].name) + (infos[i].future ? " (future)" : ""));
        return names;
    }
    void type(const std::string& text) {
        frontLog.notes = text;
        frontLog.notesModified = 1;
    }
    int newYear(const char* name) {
        char message[160];
        return startSchoolYear(name, message, sizeof message);
    }
};

}  // namespace

TEST_F(SafetyNetTest, TheTypedNoteIsKeptBeforeRestoreAndNewYearOrNothingHappens) {
    ASSERT_EQ(0, takeNamedSnapshot("kept"));
    platformSetNow((time_t)localTime(2026, 1, 15, 9));
    type("typed, not saved");
    frontLog.answers = {1};
    ASSERT_EQ(1, restoreWithQuestion("kept"));
    EXPECT_EQ("W3D4P0=typed, not saved\r\n", readBytes(snap("2026-01-15 09-00-00 before restore", "wkb_txt.data")));
    EXPECT_EQ("as stored", frontLog.notes);

    type("typed for the old year");
    ASSERT_EQ(0, newYear("2025-2026"));
    EXPECT_EQ("W3D4P0=typed for the old year\r\n", readBytes(snap("2025-2026", "wkb_txt.data")));

    // A note too long to store: the user is told, and nothing is replaced or emptied.
    writeData("wkb_txt.data", "W3D4P0=as stored\n");
    loadNotes();
    type(std::string(600, 'x'));
    frontLog.answers = {1};
    EXPECT_EQ(0, restoreWithQuestion("kept"));
    EXPECT_EQ(2, newYear("2026-2027"));
    EXPECT_EQ(crlf("W3D4P0=as stored\n"), dataBytes("wkb_txt.data"));
    EXPECT_EQ((std::vector<std::string>{"2026-01-15 09-00-00 before restore", "kept", "2025-2026"}), listed());
}

TEST_F(SafetyNetTest, ANewYearThatFailsChangesNothingNamesTheCauseAndCanBeTriedAgain) {
    std::string notes = dataBytes("wkb_txt.data"), weeks = dataBytes("weeks.dat");
    for (int nth : {1, 2, 3, 4}) {
        faultArm(FAULT_RENAME, nth, PLATFORM_ERROR_DENIED);
        EXPECT_EQ(2, newYear("2025-2026")) << nth;
        faultReset();
        EXPECT_EQ(notes, dataBytes("wkb_txt.data")) << nth;
        EXPECT_EQ(weeks, dataBytes("weeks.dat")) << nth;
        EXPECT_TRUE(listed().empty()) << "the year's snapshot goes with the failure " << nth;
        auto boxes = frontCalls("box|Stop|error|");
        ASSERT_EQ(1u, boxes.size()) << nth;
        EXPECT_NE(std::string::npos, boxes[0].find("is read-only or in use by another program")) << boxes[0];
        resetFrontLog();
    }
    EXPECT_EQ(0, newYear("2025-2026"));
    EXPECT_EQ("", dataBytes("wkb_txt.data"));
}

TEST_F(SafetyNetTest, ARestoreThatFailsSaysSoAndLeavesTheStoreWhateverTheClockAndNames) {
    ASSERT_EQ(0, takeNamedSnapshot("kept"));
    handMade("zzz before restore");  // a school year named like the undo snapshots
    writeData("wkb_txt.data", "W3D4P0=later\n");
    std::string notes = dataBytes("wkb_txt.data"), weeks = dataBytes("weeks.dat");
    platformSetNow((time_t)localTime(2025, 6, 1));  // the clock set back
    int failures = 0;
    for (int nth = 1; nth <= 6; nth++) {
        resetFrontLog();
        faultArm(FAULT_RENAME, nth, PLATFORM_ERROR_FULL);
        frontLog.answers = {1};
        int done = restoreWithQuestion("kept");
        faultReset();
        if (done) {
            EXPECT_EQ(crlf("W3D4P0=as stored\n"), dataBytes("wkb_txt.data")) << nth;
            writeData("wkb_txt.data", "W3D4P0=later\n");
            continue;
        }
        failures++;
        EXPECT_EQ(notes, dataBytes("wkb_txt.data")) << nth;
        EXPECT_EQ(weeks, dataBytes("weeks.dat")) << nth;
        auto boxes = frontCalls("box|Stop|error|");
        ASSERT_EQ(1u, boxes.size()) << nth;
        EXPECT_NE(std::string::npos, boxes[0].find("the disk is full")) << boxes[0];
        EXPECT_NE(std::string::npos, boxes[0].find("Nothing was")) << boxes[0];
    }
    EXPECT_GE(failures, 3);
}

TEST_F(SafetyNetTest, AnOlderStoreIsBroughtUpToDateAndOneTooOldIsRefused) {
    handMade("v24", "version=wkb_v2.4.0\r\nteacher=yes\r\n");
    handMade("v19", "version=wkb_v1.9.0\r\n");
    frontLog.answers = {1};
    EXPECT_EQ(0, restoreWithQuestion("v19"));
    EXPECT_EQ(crlf("W3D4P0=as stored\n"), dataBytes("wkb_txt.data"));
    EXPECT_EQ(1u, frontCalls("box|Stop|error|The snapshot \"v19\" was made by a version of the diary older than 2.0").size());

    frontLog.answers = {1};
    ASSERT_EQ(1, restoreWithQuestion("v24"));
    EXPECT_STREQ(CURRENT_VERSION, readSetting("version"));
    EXPECT_EQ("W1D1P0=from v24\r\n", dataBytes("wkb_txt.data")) << "an upgrade from 2.4 keeps the notes";
    EXPECT_EQ(0, diaryState.teacherMode) << "as the upgrade sets it";
    startThursday();
    EXPECT_EQ(0, diaryState.storeStatus) << "the next start finds a current store";
}

TEST_F(SafetyNetTest, TheCalendarIdStaysAndTheOptionsFollowTheRestoredSettings) {
    handMade("plain");
    ASSERT_EQ(1, writeSetting("calendar_id", "0badcafe"));
    ASSERT_EQ(1, writeSetting("default", "yes"));
    ASSERT_EQ(1, writeSetting("teacher", "yes"));
    loadOptions();
    ASSERT_EQ(1, diaryState.useDefaults);
    frontLog.answers = {1};
    ASSERT_EQ(1, restoreWithQuestion("plain"));
    EXPECT_STREQ("0badcafe", readSetting("calendar_id"));
    EXPECT_EQ(0, diaryState.useDefaults);
    EXPECT_EQ(0, diaryState.teacherMode);
}

TEST_F(SafetyNetTest, FutureSnapshotsAreKeptAndFlaggedAndNeverPushOutTodays) {
    for (int day = 1; day <= 20; day++) handMade("2031-01-" + std::string(day < 10 ? "0" : "") + std::to_string(day));
    writeData("wkb_txt.data", "W3D4P0=changed today\n");
    platformSetNow((time_t)localTime(2026, 3, 2));
    ASSERT_EQ(0, takeDailySnapshot());
    auto names = listed();
    ASSERT_EQ(21u, names.size());
    EXPECT_EQ("2031-01-20 (future)", names[0]);
    EXPECT_EQ("2026-03-02", names[20]);
    SnapshotInfo info;
    ASSERT_EQ(1, listSnapshots(&info, 1));
    char line[200];
    formatSnapshotLine(&info, line, sizeof line);
    EXPECT_NE(std::string::npos, std::string(line).find("(dated after today"));
}

TEST_F(SafetyNetTest, ALongListShowsTheNewestAndBeforeSnapshotsHaveACountLimit) {
    for (int i = 0; i < 250; i++) {
        char name[64];
        snprintf(name, sizeof name, "2026-02-%02d %02d-%02d-00 before restore", 1 + i / 24 % 28, i % 24, i % 60);
        handMade(name);
    }
    platformSetNow((time_t)localTime(2026, 3, 2));
    ASSERT_EQ(0, takeSnapshotBefore("initialize"));
    EXPECT_EQ("2026-03-02 12-00-00 before initialize", listed(200)[0]);
    pruneSnapshots("2026-03-02");
    EXPECT_EQ(60u, listed().size());
}
