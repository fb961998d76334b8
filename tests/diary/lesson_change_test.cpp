// A lesson that differs on one date, through the dialog's model: a cancelled lesson of an A
// week and the next A week, another room with default values on, a timetable edit under a
// change, the change removed; what the check refuses and how it cleans a value.
#include <gtest/gtest.h>

#include <string>

#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/lesson_change.h"
#include "diary/slot.h"
#include "records/week_colours.h"
#include "store/table_store.h"

class LessonChangeTest : public DiaryCoreTest {
protected:
    void SetUp() override {
        DiaryCoreTest::SetUp();
        startThursday();
        writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n3=1\n4=2\n5=1\n");
        // Yellow weeks (A) have their own course; teacher and room are the plain week's.
        writeData("wkb_hd.data", "D4P0C|1=English A\nD4P0C=Math\nD4P0T=Grey\nD4P0L=12\n");
        diaryState.useDefaults = 1;
        diaryState.selectedDay = 4;
        diaryState.selectedPeriod = 0;
    }
    void showWeek(int week) {
        diaryState.selectedWeek = week;
        readSelectedWeekColour();
        refreshSlotLine();
    }
    // Saves the selected lesson as typed: 0 stored, 1 refused, 2 not written.
    int save(int cancelled, const char* course, const char* teacher, const char* room,
             const char* foreign = "") {
        LessonChangeForm f;
        if (lessonChangeLoad(&f) != 0) return -1;
        LessonChangeTyped typed = {{course, teacher, room}, {foreign, "", ""}, cancelled};
        int field = -1;
        char message[400] = "";
        int result = lessonChangeSave(&f, &typed, &field, message, sizeof message);
        lastField = field;
        lastMessage = message;
        return result;
    }
    int lastField = -1;
    std::string lastMessage;
};

static const std::string kHeader = "### Lessons that differ on one date. Please do not edit.\n";

TEST_F(LessonChangeTest, CancelMoveRoomEditTimetableAndRemove) {
    enum Act { SHOW, CANCEL, ROOM_GYM, EDIT_TEACHER, REMOVE };
    const struct {
        Act act;
        int week;
        const char* slotLine;
        const char* file;  // changes.dat after the step, without its header; NULL: not checked
    } steps[] = {
        {CANCEL, 3, "   Cancelled     Course: English A     Teacher: Grey     Classroom: 12", "W3D4P0=X\n"},
        {SHOW, 5, "   Course: English A     Teacher: Grey     Classroom: 12", NULL},  // the next A week
        {SHOW, 4, "   Course: Math     Teacher: Grey     Classroom: 12", NULL},
        {ROOM_GYM, 3, "   Course: English A     Teacher: Grey     Classroom: Gym", "W3D4P0=- L3:Gym\n"},
        // The timetable changes under the change: what the change does not hold shows through.
        {EDIT_TEACHER, 3, "   Course: English A     Teacher: Brown     Classroom: Gym", "W3D4P0=- L3:Gym\n"},
        {REMOVE, 3, "   Course: English A     Teacher: Brown     Classroom: 12", ""},
    };
    for (const auto& s : steps) {
        showWeek(s.week);
        LessonChangeForm f;
        ASSERT_EQ(0, lessonChangeLoad(&f));
        if (s.act == CANCEL) ASSERT_EQ(0, save(1, f.value[0], f.value[1], f.value[2]));
        if (s.act == ROOM_GYM) ASSERT_EQ(0, save(0, f.value[0], f.value[1], "Gym"));
        if (s.act == EDIT_TEACHER) ASSERT_EQ(0, tableOp(TABLE_SET, TIMETABLE_TABLE, "D4P0T", "Brown"));
        if (s.act == REMOVE) ASSERT_EQ(0, lessonChangeRemove(&f));
        refreshSlotLine();
        EXPECT_EQ(s.slotLine, frontLog.slotLine) << "week " << s.week << ", step " << s.act;
        if (s.file != NULL) EXPECT_EQ(crlf(kHeader + s.file), dataBytes("changes.dat")) << "step " << s.act;
    }
}

TEST_F(LessonChangeTest, TheDialogStartsFromTheLessonOnItsDate) {
    writeData("changes.dat", kHeader + "W3D4P0=X L3:Gym\n");
    showWeek(3);
    LessonChangeForm f;
    ASSERT_EQ(0, lessonChangeLoad(&f));
    EXPECT_STREQ("Thursday 1/15/2026, Period 1", f.name);
    EXPECT_EQ(1, f.cancelled);
    EXPECT_EQ(1, f.hasChange);
    EXPECT_STREQ("12", f.timetable[2]);
    EXPECT_STREQ("Gym", f.value[2]);
    EXPECT_STREQ("English A", f.value[0]);
}

TEST_F(LessonChangeTest, RefusesWhatTheTimetableRefusesAndCleansTheRest) {
    showWeek(3);
    const std::string tooLong(255, 'r'), longest(254, 'r');
    const struct {
        const char* room;
        const char* foreign;
        int result, field;
        const char* inMessage;
        const char* file;
    } cases[] = {
        {tooLong.c_str(), "", 1, 2, "the classroom is too long (at most 254 characters)", ""},
        {"12", "U+0142", 1, 0, "the course holds characters", ""},
        {"O'Hal\r\n2", "", 0, -1, "", "W3D4P0=- L8:O`Hal  2\n"},
        {longest.c_str(), "", 0, -1, "", NULL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.result, save(0, "English A", "Grey", c.room, c.foreign)) << c.room;
        EXPECT_EQ(c.field, lastField);
        EXPECT_NE(std::string::npos, lastMessage.find(c.inMessage)) << lastMessage;
        if (c.file != NULL) EXPECT_EQ(c.file[0] ? crlf(kHeader + c.file) : "", dataBytes("changes.dat"));
    }
}
