// The one-pass reads of a refresh: a week forward shows the slot line with and without the
// default values as the key-by-key lookup did, and the one-pass get of several keys gives
// what a get of each key gives.
#include <gtest/gtest.h>

#include <string>

#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/navigation.h"
#include "diary/notes.h"
#include "records/settings.h"
#include "store/table_store.h"

class DiaryRefreshReadsTest : public DiaryCoreTest {};

TEST_F(DiaryRefreshReadsTest, AWeekForwardShowsTheColouredSlotWithItsFallBack) {
    startThursday();
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n4=2\n");
    writeData("wkb_hd.data", "D4P0C=Maths\nD4P0T|2=Smith\nD4P0L=Lab\n");
    for (int defaults : {0, 1}) {
        setUseDefaults(defaults);
        diaryState.selectedDayIndex -= defaults * 7;
        diaryState.selectedWeek = 3;
        nextWeek();
        EXPECT_EQ(defaults ? "   Course: Maths     Teacher: Smith     Classroom: Lab"
                           : "   Course:      Teacher: Smith     Classroom: ",
                  frontLog.slotLine);
    }
}

TEST_F(DiaryRefreshReadsTest, OnePassGetGivesWhatEachGetGives) {
    startThursday();
    std::string longValue(700, 'v');
    writeData("wkb_hd.data", "D1P0C=first\nD1P0C=second\nD1P0T=" + longValue + "\nD1P0Lx=no\nD1P0L\nD2P0C=\n");
    const char* keys[] = {"D1P0C", "D1P0T", "D1P0L", "D2P0C", "D9P9C"};
    char values[5][600];
    char* out[5];
    size_t sizes[5] = {600, 600, 600, 600, 4};
    for (int i = 0; i < 5; i++) out[i] = values[i];
    tableGetMany(TIMETABLE_TABLE, keys, 5, out, sizes);
    for (int i = 0; i < 4; i++) {
        tableOp(TABLE_GET, TIMETABLE_TABLE, keys[i], "");
        EXPECT_EQ(std::string(valueBuffer), values[i]) << keys[i];
    }
    EXPECT_STREQ("first", values[0]);
    EXPECT_EQ(511u, std::string(values[1]).size()) << "cut as a single get cuts it";
    EXPECT_STREQ("", values[2]);
    EXPECT_STREQ("", values[4]);
}
