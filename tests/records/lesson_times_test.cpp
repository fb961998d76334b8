// Lesson times: the typed times checked with a message for the field at fault, the rows kept
// in the settings file beside the other keys, and a failed write that changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/faults.h"
#include "records/lesson_times.h"
#include "records/settings.h"
#include "support/diary_fixture.h"
#include "support/recording_frontend.h"

class LessonTimesTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        makeDataFolder();
        ASSERT_EQ(0, createSettingsFile());
    }
    // Checks a row typed as "start-end" texts (a missing dash leaves the end empty).
    int check(const std::vector<std::string>& typed, int start[10], int end[10]) {
        std::string starts[10], ends[10];
        const char *s[10], *e[10];
        for (size_t p = 0; p < typed.size(); p++) {
            size_t dash = typed[p].find('-');
            starts[p] = typed[p].substr(0, dash);
            if (dash != std::string::npos) ends[p] = typed[p].substr(dash + 1);
        }
        for (int p = 0; p < 10; p++) s[p] = starts[p].c_str(), e[p] = ends[p].c_str();
        return checkLessonRow(s, e, start, end, &error);
    }
    LessonTimeError error;
};

TEST_F(LessonTimesTest, ClockTimes) {
    EXPECT_EQ(0, parseClockTime("00:00"));
    EXPECT_EQ(8 * 60 + 5, parseClockTime("8:05"));
    EXPECT_EQ(23 * 60 + 59, parseClockTime(" 23:59 "));
    for (const char* bad : {"25:00", "24:00", "12:60", "12:5", "123:00", "12.30", "1230", "", "ab:cd", "12:30x", "-1:00"})
        EXPECT_EQ(-1, parseClockTime(bad)) << bad;
}

TEST_F(LessonTimesTest, EachFaultIsNamedAtItsField) {
    int start[10], end[10];
    struct Case {
        std::vector<std::string> typed;
        int period, isEnd;
        const char* message;
    } cases[] = {
        {{"08:00-08:50", "25:00-09:40"}, 1, 0,
         "Period 2: \"25:00\" is not a time of day. Type it as HH:MM, from 00:00 to 23:59."},
        {{"08:00-08:50", "", "10:00-9:60"}, 2, 1,
         "Period 3: \"9:60\" is not a time of day. Type it as HH:MM, from 00:00 to 23:59."},
        {{"09:00-08:00"}, 0, 1, "Period 1: the lesson must end after it starts."},
        {{"09:00-09:00"}, 0, 1, "Period 1: the lesson must end after it starts."},
        {{"09:00"}, 0, 1, "Period 1: the end time is missing. Give both times, or leave both empty."},
        {{"08:00-08:50", "-09:40"}, 1, 0, "Period 2: the start time is missing. Give both times, or leave both empty."},
        {{"08:00-09:00", "08:30-09:30"}, 1, 0,
         "Period 2 overlaps Period 1: a lesson must not start before the other one ends."},
        {{"10:00-11:00", "", "", "", "", "", "", "", "", "09:00-10:30"}, 9, 0,
         "Period 10 overlaps Period 1: a lesson must not start before the other one ends."},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(1, check(c.typed, start, end)) << c.message;
        EXPECT_EQ(c.period, error.period) << c.message;
        EXPECT_EQ(c.isEnd, error.isEnd) << c.message;
        EXPECT_STREQ(c.message, error.message);
    }
    // Lessons may touch, run in any order and leave periods empty.
    ASSERT_EQ(0, check({"08:00-09:00", "09:00-10:00", "", "13:00-14:00", "11:00-12:00"}, start, end)) << error.message;
    EXPECT_EQ(9 * 60, start[1]);
    EXPECT_EQ(LESSON_NONE, start[2]);
    EXPECT_EQ(LESSON_NONE, end[9]);
}

TEST_F(LessonTimesTest, RowsLiveInTheirOwnSettingsKeys) {
    ASSERT_EQ(1, writeSetting("title", "5B"));
    LessonTimes t;
    loadLessonTimes(&t);
    EXPECT_FALSE(lessonTimesAny(&t));
    ASSERT_EQ(0, check({"08:00-08:50", "8:55-9:45"}, t.start[0], t.end[0]));
    ASSERT_EQ(0, check({"08:00-08:45"}, t.start[6], t.end[6]));
    t.ownTimes[6] = 1;
    ASSERT_EQ(0, saveLessonTimes(&t));
    EXPECT_STREQ("08:00-08:50,08:55-09:45,,,,,,,,", readSetting("lesson_times_all"));
    EXPECT_STREQ("08:00-08:45,,,,,,,,,", readSetting("lesson_times_d6"));
    EXPECT_STREQ("5B", readSetting("title"));
    // Days that follow the common row write no key of their own.
    EXPECT_EQ(std::string::npos, dataBytes(".wkb.rc").find("lesson_times_d1"));

    LessonTimes back;
    loadLessonTimes(&back);
    EXPECT_TRUE(lessonTimesAny(&back));
    EXPECT_EQ(0, lessonRowOfDay(&back, 1));
    EXPECT_EQ(6, lessonRowOfDay(&back, 6));
    EXPECT_EQ(8 * 60 + 55, back.start[0][1]);
    EXPECT_EQ(8 * 60 + 45, back.end[6][0]);

    // Unmarking Saturday empties its key; it follows the common row again.
    back.ownTimes[6] = 0;
    ASSERT_EQ(0, saveLessonTimes(&back));
    EXPECT_STREQ("", readSetting("lesson_times_d6"));
    loadLessonTimes(&back);
    EXPECT_EQ(0, lessonRowOfDay(&back, 6));
}

TEST_F(LessonTimesTest, AHandEditedRowKeepsItsGoodPeriods) {
    ASSERT_EQ(1, writeSetting("lesson_times_all", "08:00-08:50,junk,10:00-09:00,11:00-12:00"));
    ASSERT_EQ(1, writeSetting("lesson_times_d2", ",,,,,,,,,,,,,,,,,,"));
    LessonTimes t;
    loadLessonTimes(&t);
    EXPECT_EQ(8 * 60, t.start[0][0]);
    EXPECT_EQ(LESSON_NONE, t.start[0][1]);
    EXPECT_EQ(LESSON_NONE, t.start[0][2]);
    EXPECT_EQ(11 * 60, t.start[0][3]);
    // A marked day without any times has no lessons at all.
    EXPECT_EQ(2, lessonRowOfDay(&t, 2));
    EXPECT_EQ(LESSON_NONE, t.start[2][0]);
}

TEST_F(LessonTimesTest, AFailedWriteIsToldAndLeavesTheFileWhole) {
    std::string before = dataBytes(".wkb.rc");
    LessonTimes t;
    loadLessonTimes(&t);
    ASSERT_EQ(0, check({"08:00-08:50"}, t.start[0], t.end[0]));
    faultFailAll(FAULT_WRITE, 1);
    EXPECT_EQ(1, saveLessonTimes(&t));
    faultFailAll(FAULT_WRITE, 0);
    EXPECT_EQ(before, dataBytes(".wkb.rc"));
    EXPECT_EQ(1u, frontCalls("box|").size());
}
