// Timetable slot lookup: colour entries first, the colour-less fall-back field by field, the
// slot line byte for byte, values too long for their fields, and the key of a typed value.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/actions.h"
#include "diary/slot.h"
#include "records/record_keys.h"

class DiarySlotTest : public DiaryCoreTest {
protected:
    void SetUp() override {
        DiaryCoreTest::SetUp();
        writeData("wkb_hd.data",
                  "D1P0C=Latin\nD1P0C|2=Math\nD1P0L=12\nD1P0T|2=\nD1P0T=Smith\nD2P0C|2=Bio\nD2P0L=Lab\n");
    }
    std::string slot(int day, int colour, int useDefaults) {
        diaryState.weekColour = colour;
        diaryState.useDefaults = useDefaults;
        char c[SLOT_FIELD_SIZE], t[SLOT_FIELD_SIZE], l[SLOT_FIELD_SIZE];
        lookupSlot(day, 0, c, t, l);
        return std::string(c) + "/" + t + "/" + l;
    }
};

TEST_F(DiarySlotTest, ColourEntriesWinAndEachEmptyFieldFallsBackOnItsOwn) {
    EXPECT_EQ("Math//", slot(1, 2, 0));
    EXPECT_EQ("Math/Smith/12", slot(1, 2, 1)) << "an empty coloured value falls back too";
    EXPECT_EQ("Bio//Lab", slot(2, 2, 1));
    EXPECT_EQ("//", slot(2, 3, 0));
    EXPECT_EQ("Latin/Smith/12", slot(1, 0, 0));
    EXPECT_EQ("Latin/Smith/12", slot(1, 0, 1));
    EXPECT_EQ("//", slot(3, 0, 1));
}

TEST_F(DiarySlotTest, SlotLineIsBlankedThenShownWithItsLabels) {
    diaryState.selectedDay = 1;
    diaryState.weekColour = 2;
    diaryState.useDefaults = 1;
    diaryState.teacherMode = 1;
    refreshSlotLine();
    ASSERT_EQ(2u, frontLog.calls.size());
    EXPECT_EQ("slot|" + std::string(141, ' '), frontLog.calls[0]);
    EXPECT_EQ("   Course: Math     Class: Smith     Classroom: 12", frontLog.slotLine);
    diaryState.teacherMode = 0;
    diaryState.selectedDay = 4;
    refreshSlotLine();
    EXPECT_EQ("   Course:      Teacher:      Classroom: ", frontLog.slotLine);
}

TEST_F(DiarySlotTest, ValuesLongerThanTheFieldsAreCut) {
    std::string longValue(400, 'x');
    writeData("wkb_hd.data", "D1P0C=" + longValue + "\nD1P0T=" + longValue + "\nD1P0L=" + longValue + "\n");
    EXPECT_EQ(std::string(63, 'x') + "/" + std::string(63, 'x') + "/" + std::string(63, 'x'), slot(1, 0, 0));
    diaryState.selectedDay = 1;
    refreshSlotLine();
    std::string line = "   Course: " + std::string(127, 'x') + "     Teacher: " + std::string(127, 'x') +
                       "     Classroom: " + std::string(139, 'x');
    EXPECT_EQ(line.substr(0, 319), frontLog.slotLine);
}

TEST_F(DiarySlotTest, PendingKeyTakesTheActionsLetterAndTheWeeksColour) {
    char key[32];
    diaryState.selectedDay = 3;
    diaryState.selectedPeriod = 4;
    diaryState.action = ACTION_SELECT_CLASSROOM;
    diaryState.weekColour = 3;
    pendingSlotKey(key, sizeof key);
    EXPECT_STREQ("D3P4L|3", key);
    diaryState.weekColour = 0;
    diaryState.action = ACTION_SELECT_COURSE;
    pendingSlotKey(key, sizeof key);
    EXPECT_STREQ("D3P4C", key);
    diaryState.action = ACTION_SELECT_TEACHER;
    pendingSlotKey(key, 4);
    EXPECT_STREQ("D3P", key);
}

TEST_F(DiarySlotTest, AColourOutsideZeroToFourIsAPlainWeekForTheLineAndTheCommit) {
    for (const char* colour : {"-1", "7"}) {
        startThursday();
        writeData("weeks.dat", std::string("### Weeks colors data. Please do not edit.\n3=") + colour + "\n");
        writeData("wkb_hd.data", "D4P0L=Lab\n");
        promptSelect(0);
        EXPECT_EQ(0, diaryState.weekColour) << colour;
        typeAndOk("Math");
        EXPECT_EQ("D4P0L=Lab\r\nD4P0C=Math\r\n", dataBytes("wkb_hd.data")) << colour;
        EXPECT_EQ("   Course: Math     Teacher:      Classroom: Lab", frontLog.slotLine) << colour;
    }
    char key[32];
    formatSlotKey(key, sizeof key, 2, 0, SLOT_COURSE, -1);
    EXPECT_STREQ("D2P0C", key);
    formatSlotKey(key, sizeof key, 2, 0, SLOT_COURSE, 5);
    EXPECT_STREQ("D2P0C", key);
}
