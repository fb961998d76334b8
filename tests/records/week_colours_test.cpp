// Week colours file: reading, setting, the previous version and failed writes.
#include <gtest/gtest.h>

#include "core/diary_state.h"
#include "platform/faults.h"
#include "records/week_colours.h"
#include "support/diary_fixture.h"

static const std::string kWeeksHeader = "### Weeks colors data. Please do not edit.\n";

class WeekColoursTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        makeDataFolder();
    }
};

TEST_F(WeekColoursTest, NewFileHoldsOnlyTheHeaderAndEveryWeekIsPlain) {
    ASSERT_EQ(0, ensureWeeksFile());
    EXPECT_EQ(44u, dataBytes("weeks.dat").size());
    EXPECT_EQ(crlf(kWeeksHeader), dataBytes("weeks.dat"));
    EXPECT_EQ(0, readWeekColour(5));
    // An existing file is left alone.
    writeData("weeks.dat", kWeeksHeader + "5=3\n");
    ASSERT_EQ(0, ensureWeeksFile());
    EXPECT_EQ(3, readWeekColour(5));
}

TEST_F(WeekColoursTest, SetAppendsOrReplacesOnlyTheSelectedWeek) {
    diaryState.selectedWeek = 5;
    ASSERT_EQ(0, setWeekColour(2));
    EXPECT_EQ(crlf(kWeeksHeader + "5=2\n"), dataBytes("weeks.dat"));
    EXPECT_EQ(2, diaryState.weekColour);

    writeData("weeks.dat", kWeeksHeader + "11=4\n21=2\n");
    diaryState.selectedWeek = 1;
    ASSERT_EQ(0, setWeekColour(3));
    EXPECT_EQ(crlf(kWeeksHeader + "11=4\n21=2\n1=3\n"), dataBytes("weeks.dat"));
    EXPECT_EQ(crlf(kWeeksHeader + "11=4\n21=2\n"), dataBytes("weeks.tmp"));
    EXPECT_EQ(3, readWeekColour(1));
    EXPECT_EQ(4, readWeekColour(11));
    EXPECT_EQ(3, readSelectedWeekColour());
    ASSERT_EQ(0, setWeekColour(0));
    EXPECT_EQ(crlf(kWeeksHeader + "11=4\n21=2\n1=0\n"), dataBytes("weeks.dat"));
    EXPECT_EQ(0, readWeekColour(1));
}

TEST_F(WeekColoursTest, TheLastLineOfAWeekWinsAndASetRewritesEveryOne) {
    writeData("weeks.dat", kWeeksHeader + "7=1\n8=2\n7=4\n7=x\n");
    EXPECT_EQ(0, readWeekColour(7));  // "x" reads as 0, like atoi
    writeData("weeks.dat", kWeeksHeader + "7=1\n8=2\n7=4\n");
    EXPECT_EQ(4, readWeekColour(7));
    diaryState.selectedWeek = 7;
    ASSERT_EQ(0, setWeekColour(2));
    EXPECT_EQ(crlf(kWeeksHeader + "7=2\n8=2\n7=2\n"), dataBytes("weeks.dat"));
    // A hand-edited colour outside 0..4 reads as a plain week.
    writeData("weeks.dat", kWeeksHeader + "9=77\n10=-1\n11=4\n");
    diaryState.selectedWeek = 9;
    EXPECT_EQ(0, readSelectedWeekColour());
    EXPECT_EQ(0, readWeekColour(10));
    EXPECT_EQ(4, readWeekColour(11));
}

TEST_F(WeekColoursTest, AMissingFileIsCreatedBySetAndReadsPlain) {
    EXPECT_EQ(0, readWeekColour(3));
    diaryState.selectedWeek = 3;
    ASSERT_EQ(0, setWeekColour(1));
    EXPECT_EQ(crlf(kWeeksHeader + "3=1\n"), dataBytes("weeks.dat"));
}

TEST_F(WeekColoursTest, AFailedSetLeavesTheFileAndTheColourAsTheyWere) {
    writeData("weeks.dat", kWeeksHeader + "3=1\n");
    const std::string before = dataBytes("weeks.dat");
    diaryState.selectedWeek = 3;
    diaryState.weekColour = 1;
    for (FaultOp op : {FAULT_COPY, FAULT_OPEN_WRITE, FAULT_WRITE, FAULT_FLUSH, FAULT_CLOSE, FAULT_RENAME}) {
        faultReset();
        resetFrontLog();
        faultArm(op, 1, PLATFORM_ERROR_FULL);
        EXPECT_EQ(1, setWeekColour(4)) << op;
        EXPECT_EQ(before, dataBytes("weeks.dat")) << op;
        EXPECT_EQ(1, diaryState.weekColour) << op;
        EXPECT_EQ(1u, frontCalls("box|Stop|error|The disk is full: the colour of week 3 was not saved.").size()) << op;
    }
}

// A file saved as UTF-8 by another editor whose first line begins with bytes that are no UTF-8
// (FE FF): rewritten in the code page, it must not begin with what reads as a UTF-16 mark.
TEST_F(WeekColoursTest, ARewriteNeverBeginsWithTheBytesOfAByteOrderMark) {
    writeData("weeks.dat", "\xEF\xBB\xBF\xFE\xFF### Weeks\n5=1\n");
    EXPECT_EQ(1, readWeekColour(5));
    diaryState.selectedWeek = 5;
    ASSERT_EQ(0, setWeekColour(2));
    EXPECT_EQ("\r\n\xFE\xFF### Weeks\r\n5=2\r\n", dataBytes("weeks.dat"));
    EXPECT_EQ(2, readWeekColour(5));
}
