// Folders whose path leaves just enough room, or too little, for the store's longest names and
// its snapshots: the longest one that fits holds a whole store in which every file and every
// snapshot works; one character more and a new store goes to the per-user folder with the user
// told which folder was too long; a store already kept in a folder too long for its snapshots
// stays there and says why no snapshot can be made; and a new store that cannot be made whole
// leaves nothing behind.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/startup.h"
#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/startup_message.h"
#include "output/day_list.h"
#include "output/pages.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "records/settings.h"
#include "records/snapshot_restore.h"
#include "records/store_prep.h"
#include "records/store_version.h"
#include "records/value_lists.h"
#include "records/week_colours.h"
#include "store/data_folder.h"
#include "store/snapshots.h"
#include "store/table_store.h"
#include "support/diary_fixture.h"

class LongPathTest : public DiaryTest {
protected:
    void TearDown() override {
        if (!here.empty()) {
            EXPECT_EQ(0, chdir(here.c_str()));
        }
        if (hadXdg) setenv("XDG_DATA_HOME", oldXdg.c_str(), 1);
        else unsetenv("XDG_DATA_HOME");
        DiaryTest::TearDown();
    }
    // A folder under the test's own whose path has exactly length characters.
    std::string folderOfLength(size_t length) {
        std::string path = base.path();
        while (path.size() < length) {
            size_t step = length - path.size() - 1;
            path += "/" + std::string(step > 60 ? 60 : step, 'd');
            if (path.size() + 1 == length) path += "e";
        }
        std::filesystem::create_directories(path);
        return path;
    }
    // Start-up's choice of folder and store from the given current directory.
    int startIn(const std::string& folder) {
        char cwd[4096];
        if (here.empty() && getcwd(cwd, sizeof cwd) != nullptr) here = cwd;
        const char* xdg = getenv("XDG_DATA_HOME");
        if (xdg != nullptr && !hadXdg) {
            hadXdg = true;
            oldXdg = xdg;
        }
        setenv("XDG_DATA_HOME", (base.path() + "/user").c_str(), 1);
        std::filesystem::create_directories(base.path() + "/user");
        EXPECT_EQ(0, chdir(folder.c_str()));
        determineBaseFolder();
        readVersionMajor();
        return prepareStore();
    }
    std::string here, oldXdg;
    bool hadXdg = false;
};

static const size_t kLongestThatFits = DATA_PATH_MAX - strlen("/wkb_db/") - SNAPSHOT_PATH_EXTRA;
// A store kept there already stays: the longest of its own names still fits.
static const size_t kLongestKept = DATA_PATH_MAX - strlen("/wkb_db/") - DATA_NAME_MAX;

TEST_F(LongPathTest, TheLongestFolderThatFitsHoldsAWholeStoreAndEveryFileWorks) {
    std::string folder = folderOfLength(kLongestThatFits);
    ASSERT_EQ(STORE_CREATED, startIn(folder));
    EXPECT_STREQ(folder.c_str(), baseFolder);
    EXPECT_STREQ("", baseFolderNote());
    diaryState.selectedWeek = 3;
    diaryState.selectedDay = 4;
    EXPECT_EQ(0, tableOp(TABLE_SET, NOTES_TABLE, "W3D4P0", "notes"));
    EXPECT_EQ(0, tableOp(TABLE_SET, TIMETABLE_TABLE, "D4P0C", "Math"));
    EXPECT_EQ(0, setWeekColour(2));
    EXPECT_EQ(0, setWeekColour(3));
    EXPECT_EQ(1, writeSetting("title", "Class 4b"));
    diaryState.action = ACTION_ADD_COURSE;
    copyText(valueBuffer, sizeof valueBuffer, "Math");
    EXPECT_EQ(0, addListValue());
    EXPECT_EQ(1, removeListValue());
    exportDayPage();
    exportWeekGridPage();
    exportWeeksTablePage();
    exportDayList();
    // The longest snapshot name, taken, restored and removed.
    platformSetNow((time_t)localTime(2026, 1, 15, 10));
    for (int i = 0; i < 99; i++) ASSERT_EQ(0, takeSnapshotBefore("initialize")) << i;
    const char* longest = "2026-01-15 10-00-00-99 before initialize";
    EXPECT_EQ(SNAPSHOT_NAME_MAX, (int)strlen(longest));
    PlatformError cause;
    EXPECT_EQ(RESTORE_DONE, restoreSnapshot(longest, &cause));
    EXPECT_EQ(0, removeSnapshot(longest));
    EXPECT_TRUE(frontCalls("box|").empty()) << frontCalls("box|")[0];
}

TEST_F(LongPathTest, AStoreKeptWhereItsSnapshotsDoNotFitStaysAndSaysWhy) {
    std::string folder = folderOfLength(kLongestKept);
    std::filesystem::create_directories(folder + "/wkb_db");
    writeBytes(folder + "/wkb_db/.wkb.rc", "version=" CURRENT_VERSION "\r\n");
    writeBytes(folder + "/wkb_db/wkb_txt.data", "W3D4P0=notes again\r\n");
    EXPECT_EQ(STORE_OK, startIn(folder));
    platformSetNow((time_t)localTime(2026, 1, 15, 10));
    ASSERT_EQ(0, startUp());
    EXPECT_STREQ(folder.c_str(), baseFolder);
    auto boxes = frontCalls("box|Stop|error|" DAILY_SNAPSHOT_FAILED "(the path of the data folder is too long for its "
                            "snapshots).");
    EXPECT_EQ(1u, boxes.size());
    // The longest name of the store: the 99th copy of a table kept before an old store is emptied.
    for (int i = 1; i < 99; i++)
        writeBytes(folder + "/wkb_db/wkb_txt.bak" + (i == 1 ? "" : std::to_string(i)), "");
    ASSERT_EQ(1, writeSetting("version", "wkb_v1.0"));
    readVersionMajor();
    EXPECT_EQ(STORE_UPGRADED, prepareStore());
    EXPECT_EQ("W3D4P0=notes again\r\n", readBytes(std::string(baseFolder) + "/wkb_db/wkb_txt.bak99"));
    EXPECT_EQ(DATA_PATH_MAX, strlen(baseFolder) + strlen("/wkb_db/wkb_txt.bak99.copy"));
}

TEST_F(LongPathTest, AFolderOneCharacterLongerSendsTheDataToTheUserFolderAndSaysWhich) {
    for (size_t length : {kLongestThatFits + 1, (size_t)255, (size_t)258, (size_t)300}) {
        std::string folder = folderOfLength(length);
        ASSERT_EQ(STORE_CREATED, startIn(folder)) << length;
        EXPECT_EQ(base.path() + "/user", baseFolder);
        EXPECT_EQ("\n\nThe path of the folder\n" + folder +
                      "\nis too long for the diary's files, so they are kept in the folder above.",
                  baseFolderNote());
        char message[2048];
        composeStartupMessage(message, sizeof message);
        EXPECT_NE(std::string::npos, std::string(message).find("\nPath: " + base.path() + "/user/wkb_db/" +
                                                              baseFolderNote()));
        EXPECT_FALSE(std::filesystem::exists(folder + "/wkb_db"));
        std::filesystem::remove_all(base.path() + "/user/wkb_db");
    }
}

TEST_F(LongPathTest, ANewStoreThatCannotBeMadeWholeLeavesNothing) {
    for (FaultOp op : {FAULT_OPEN_WRITE, FAULT_RENAME}) {
        for (int nth = 1; nth <= 4; nth++) {
            faultReset();
            faultArm(op, nth);
            EXPECT_EQ(STORE_FAILED, prepareStore()) << op << " " << nth;
            faultReset();
            EXPECT_FALSE(std::filesystem::exists(base.path() + "/wkb_db")) << op << " " << nth;
        }
    }
    EXPECT_EQ(STORE_CREATED, prepareStore()) << "the next start makes the store";
}
