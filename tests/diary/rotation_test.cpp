// The week rotation command's work: the dialog's fields, the preview rows, and the one
// rewrite of "weeks.dat" that a failed write leaves as it was.
#include <gtest/gtest.h>

#include "core/diary_state.h"
#include "diary/rotation.h"
#include "platform/faults.h"
#include "records/week_colours.h"
#include "support/diary_fixture.h"

static const std::string kHeader = "### Weeks colors data. Please do not edit.\n";

class RotationTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        startAt(2026, 1, 15);  // the table runs from July 2025 to July 2026
    }
    RotationField read(const char* first, const char* holidays, RotationRule* rule, std::string* message) {
        const int places[5] = {1, -1, 2, -1, -1};  // yellow, green: A/B weeks
        char text[ROTATION_MESSAGE_SIZE];
        RotationField f = readRotationFields(places, 5, first, holidays, rule, text, sizeof text);
        *message = text;
        return f;
    }
};

TEST_F(RotationTest, BadFieldsAreNamedAndNothingIsWritten) {
    RotationRule rule;
    std::string message;
    const int none[5] = {-1, -1, -1, -1, -1};
    char text[ROTATION_MESSAGE_SIZE];
    EXPECT_EQ(ROTATION_FIELD_CYCLE, readRotationFields(none, 5, "36", "", &rule, text, sizeof text));
    EXPECT_STREQ("Choose at least one colour for the cycle.", text);
    EXPECT_EQ(ROTATION_FIELD_FIRST, read("", "", &rule, &message));
    EXPECT_EQ(ROTATION_FIELD_FIRST, read("54", "", &rule, &message));
    EXPECT_EQ(ROTATION_FIELD_FIRST, read("3 6", "", &rule, &message));
    EXPECT_EQ("The first week must be a week number from 1 to 53.", message);
    EXPECT_EQ(ROTATION_FIELD_FIRST, read("53", "", &rule, &message));
    EXPECT_EQ("Week 53 is not in the diary's calendar.", message);
    EXPECT_EQ(ROTATION_FIELD_HOLIDAYS, read("36", "44, 16-15", &rule, &message));
    EXPECT_EQ(ROTATION_FIELD_NONE, read(" 36 ", "44, 52-1", &rule, &message));
    EXPECT_EQ(2, rule.cycleLength);
    EXPECT_EQ(2, rule.cycle[1]);
    EXPECT_EQ("", dataBytes("weeks.dat").substr(kHeader.size() + 1));
}

TEST_F(RotationTest, OkWritesEveryWeekInOneRewriteAndKeepsTheRule) {
    writeData("weeks.dat", kHeader + "37=4\n20=3\n37=4\n");
    RotationRule rule;
    std::string message;
    ASSERT_EQ(ROTATION_FIELD_NONE, read("36", "44, 52-1, 8, 15-16", &rule, &message));
    RotationWeek rows[ROTATION_MAX_WEEKS];
    int n = previewRotation(&rule, rows, ROTATION_MAX_WEEKS);
    ASSERT_EQ(52, n);  // the whole school year: week 36 of 2025 to week 35 of 2026
    char line[80];
    formatRotationWeek(&rows[0], line, sizeof line);
    EXPECT_STREQ("Week 36  (9/1/2025)  Yellow", line);
    formatRotationWeek(&rows[8], line, sizeof line);
    EXPECT_STREQ("Week 44  (10/27/2025)  Holiday", line);

    faultReset();
    diaryState.selectedWeek = 45;
    ASSERT_EQ(0, applyRotation(&rule));
    // Weeks 37 and 20 keep their place (both lines of 37), the others follow in order.
    std::string want = kHeader + "37=2\n20=1\n37=2\n36=1\n";
    for (int i = 2; i < n; i++) {
        if (rows[i].week == 20) EXPECT_EQ(1, rows[i].colour);
        else want += std::to_string(rows[i].week) + "=" + std::to_string(rows[i].colour) + "\n";
    }
    EXPECT_EQ(crlf(want), dataBytes("weeks.dat"));
    EXPECT_EQ(crlf(kHeader + "37=4\n20=3\n37=4\n"), dataBytes("weeks.tmp"));
    EXPECT_EQ(1, readWeekColour(45));  // after the holiday week 44 the cycle goes on
    EXPECT_EQ(2, readWeekColour(43));
    EXPECT_EQ(0, readWeekColour(44));
    EXPECT_EQ(1, diaryState.weekColour);  // the selected week, shown at once
    EXPECT_EQ(1, faultCalls(FAULT_COPY));  // one previous version of "weeks.dat"
    RotationRule kept;
    loadRotationRule(&kept);
    EXPECT_STREQ("44, 52-1, 8, 15-16", kept.holidayText);
}

TEST_F(RotationTest, AFailedWriteLeavesTheColoursAndTheRuleAsTheyWere) {
    writeData("weeks.dat", kHeader + "37=4\n");
    std::string settings = dataBytes(".wkb.rc");
    RotationRule rule;
    std::string message;
    ASSERT_EQ(ROTATION_FIELD_NONE, read("36", "44", &rule, &message));
    for (FaultOp op : {FAULT_OPEN_WRITE, FAULT_WRITE, FAULT_FLUSH, FAULT_RENAME, FAULT_COPY}) {
        faultReset();
        resetFrontLog();
        faultArm(op, 1);
        EXPECT_EQ(1, applyRotation(&rule)) << op;
        EXPECT_EQ(crlf(kHeader + "37=4\n"), dataBytes("weeks.dat")) << op;
        EXPECT_EQ(settings, dataBytes(".wkb.rc")) << op;
        EXPECT_EQ(1u, frontCalls("box|Stop").size()) << op;
    }
}
