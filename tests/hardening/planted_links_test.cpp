// Temporary files are made new, never opened through what lies in their place: a link planted
// under each temporary name of the data folder (pointing at a file outside it) and a stale
// file left by a crash are both removed first, every save still works, and the file the link
// pointed at keeps its bytes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/diary_state.h"
#include "diary/actions.h"
#include "hardening/hardening_support.h"
#include "output/day_list.h"
#include "output/pages.h"
#include "platform/bounded_text.h"
#include "records/settings.h"
#include "records/store_prep.h"
#include "records/value_lists.h"
#include "records/week_colours.h"
#include "store/table_store.h"
#include "support/diary_fixture.h"

class PlantedLinksTest : public DiaryTest {};

static const char* const kTemporaryNames[] = {
    "wkb_txt.new",      "wkb_hd.new",      ".tmp.rc",         "weeks.new",        "weeks.tmp.copy",
    "hdvalues.tmp",     "wkb_txt.tmp.link", "wkb_hd.tmp.link", "today.html.part",  "week.html.part",
    "weeks.html.part",  "daylist.gpe.part"};

static void saveEverything() {
    diaryState.selectedPeriod = 1;
    EXPECT_EQ(0, tableOp(TABLE_SET, NOTES_TABLE, "W3D4P1", "new note"));
    EXPECT_EQ(0, tableOp(TABLE_SET, TIMETABLE_TABLE, "D4P1C", "Chemistry"));
    EXPECT_EQ(1, writeSetting("title", "Linked"));
    EXPECT_EQ(0, setWeekColour(4));
    diaryState.action = ACTION_ADD_COURSE;
    copyText(valueBuffer, sizeof valueBuffer, "Latin");
    EXPECT_EQ(0, addListValue());
    diaryState.action = ACTION_NONE;
    exportDayPage();
    exportWeekGridPage();
    exportWeeksTablePage();
    exportDayList();
}

TEST_F(PlantedLinksTest, ALinkUnderATemporaryNameIsNeverWrittenThrough) {
    writeFullStore(base.path());
    startAt(2026, 1, 15);
    TempFolder outside;
    std::vector<std::string> victims;
    for (const char* name : kTemporaryNames) {
        std::string victim = outside.file(name);
        writeBytes(victim, "outside the data folder\n");
        victims.push_back(victim);
        ASSERT_EQ(0, symlink(victim.c_str(), data(name).c_str())) << name;
    }
    saveEverything();
    EXPECT_TRUE(frontCalls("box|").empty()) << frontCalls("box|")[0];
    for (const std::string& victim : victims) EXPECT_EQ("outside the data folder\n", readBytes(victim)) << victim;
    EXPECT_NE(std::string::npos, dataBytes("wkb_txt.data").find("W3D4P1=new note\r\n"));
    EXPECT_STREQ("Linked", readSetting("title"));
    EXPECT_EQ(4, readWeekColour(3));
    for (const char* name : kTemporaryNames)
        EXPECT_FALSE(std::filesystem::is_symlink(data(name))) << name << " is left as a link";
}

TEST_F(PlantedLinksTest, AStaleTemporaryFileIsReplaced) {
    writeFullStore(base.path());
    startAt(2026, 1, 15);
    for (const char* name : kTemporaryNames) writeBytes(data(name), "stale\n");
    saveEverything();
    EXPECT_TRUE(frontCalls("box|").empty()) << frontCalls("box|")[0];
    EXPECT_NE(std::string::npos, dataBytes("wkb_txt.data").find("W3D4P1=new note\r\n"));
    EXPECT_EQ(std::string::npos, dataBytes("wkb_txt.data").find("stale"));
}
