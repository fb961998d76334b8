// A settings file that is there but cannot be read (here a folder in its place, which opens but
// gives a read error): start-up waits a little, then says so, prepares and empties nothing,
// and the session writes nothing while it still shows what it can read.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "core/diary_state.h"
#include "diary/notes.h"
#include "diary/startup_message.h"
#include "hardening/hardening_support.h"
#include "output/pages.h"
#include "records/settings.h"
#include "records/store_prep.h"
#include "records/week_colours.h"
#include "store/table_store.h"
#include "support/diary_fixture.h"

class UnreadableStoreTest : public DiaryTest {};

TEST_F(UnreadableStoreTest, StartUpWaitsThenSaysSoAndTheSessionWritesNothing) {
    writeFullStore(base.path());
    std::filesystem::remove(data(".wkb.rc"));
    std::filesystem::create_directory(data(".wkb.rc"));
    Snapshot before = snapshotTree(base.path());
    auto start = std::chrono::steady_clock::now();
    startAt(2026, 1, 15);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(STORE_UNREADABLE, diaryState.storeStatus);
    EXPECT_GE(waited, std::chrono::milliseconds(SETTINGS_RETRY_MS));
    EXPECT_LT(waited, std::chrono::milliseconds(SETTINGS_RETRY_MS + 1500));
    char message[1024];
    composeStartupMessage(message, sizeof message);
    std::string text = message;
    EXPECT_NE(std::string::npos,
              text.find("\n WKB database: not readable \nPath: " + data("") +
                        "\n\nThe settings file could not be read: another program may have it open. Nothing was "
                        "changed, and nothing will be saved until the diary is started again."));

    // What can be read is shown.
    diaryState.selectedPeriod = 1;
    loadNotes();
    EXPECT_EQ("read p. 12\r\nlearn words", frontLog.notes);
    // Nothing is written: each save says why.
    resetFrontLog();
    frontLog.notes = "changed";
    saveNotes();
    EXPECT_EQ(1, tableOp(TABLE_SET, TIMETABLE_TABLE, "D1P0C", "Art"));
    EXPECT_EQ(1, setWeekColour(4));
    setBeep(0);
    exportDayPage();
    EXPECT_EQ(1, initialiseStore());
    EXPECT_EQ(before, snapshotTree(base.path()));
    std::vector<std::string> boxes = frontCalls("box|Stop|error|");
    ASSERT_EQ(6u, boxes.size());
    EXPECT_EQ("box|Stop|error|The diary could not read its files when it started and saves nothing until it is "
              "started again: the notes of Thursday, Period 2 were not saved. Nothing was lost; the previous "
              "version is kept.",
              boxes[0]);
    EXPECT_NE(std::string::npos, boxes[5].find("The tables were not emptied"));
}
