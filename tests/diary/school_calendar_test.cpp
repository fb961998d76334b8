// The diary's calendar from its settings: the 360 days, today's school year, the notes' older
// school year with the offer of a new one, and settings that cannot be used; week navigation
// over a whole school year.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/actions.h"
#include "diary/navigation.h"
#include "diary/school_calendar.h"
#include "diary/school_year.h"
#include "records/settings.h"
#include "store/snapshots.h"

namespace {

class SchoolCalendarTest : public DiaryCoreTest {
protected:
    // Starts on a date with the given settings written into a fresh store first.
    void startWith(int y, int m, int d, const char* const* settings) {
        std::remove(data(".wkb.rc").c_str());
        startAt(y, m, d);
        for (; settings != nullptr && *settings != nullptr; settings += 2) writeSetting(settings[0], settings[1]);
        resetFrontLog();
        startAt(y, m, d);
    }
    static std::string firstDay() {
        const DayEntry& e = dayTable[0];
        return std::to_string(e.day) + "/" + std::to_string(e.month) + "/" + std::to_string(e.year + 1900);
    }
};

TEST_F(SchoolCalendarTest, TheSettingsChooseTheTable) {
    const char* none[] = {nullptr};
    const char* rotation[] = {"rotation_first", "36", nullptr};
    const char* behind[] = {"school_year_start", "36", "notes_year", "2025", nullptr};
    const char* ahead[] = {"school_year_start", "36", "notes_year", "2027", nullptr};
    const char* badStart[] = {"school_year_start", "x7", nullptr};
    const char* badYear[] = {"rotation_first", "36", "notes_year", "20x6", nullptr};
    const char* week53[] = {"rotation_first", "53", nullptr};
    const struct {
        const char* const* settings;
        DiaryYearState state;
        int length;
        const char* first;  // "" for the 360 days
        const char* note;   // a part of the start-up line, "" for none
    } cases[] = {
        {none, YEAR_NONE, 360, "", ""},
        {rotation, YEAR_CURRENT, 371, "30/8/2026", ""},
        {behind, YEAR_BEHIND, 364, "31/8/2025", "The notes belong to the school year 2025-2026"},
        {ahead, YEAR_AHEAD, 364, "5/9/2027", "has not begun"},
        {badStart, YEAR_REFUSED, 360, "", "The setting school_year_start=x7 cannot be used"},
        {badYear, YEAR_REFUSED, 360, "", "notes_year=20x6"},
        {week53, YEAR_NONE, 360, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        SCOPED_TRACE(c.first);
        startWith(2026, 12, 9, c.settings);
        EXPECT_EQ(c.state, diaryYear.state);
        EXPECT_EQ(c.length, dayTableLength);
        if (c.first[0] != '\0') EXPECT_EQ(c.first, firstDay());
        std::string note = diaryYearNote();
        if (c.note[0] == '\0') EXPECT_EQ("", note);
        else EXPECT_NE(std::string::npos, note.find(c.note)) << note;
    }
    // The first school year set is today's, and is kept for the notes.
    startWith(2026, 12, 9, rotation);
    EXPECT_STREQ("2026", readSetting("notes_year"));
}

TEST_F(SchoolCalendarTest, InSeptemberEveryWeekUpToTheSummerIsReached) {
    const char* rotation[] = {"rotation_first", "36", nullptr};
    startWith(2026, 9, 15, rotation);
    EXPECT_EQ(38, diaryState.selectedWeek);
    newBeeps();
    int steps = 0;
    while (newBeeps() == 0 && steps < 60) {
        nextWeek();
        steps++;
    }
    // Week 38 of 2026 to week 35 of 2027 over week 53: 50 steps, then a beep.
    EXPECT_EQ(51, steps);
    EXPECT_EQ(35, diaryState.selectedWeek);
    EXPECT_STREQ("(8/31/2027)", diaryState.dateLabel);
}

TEST_F(SchoolCalendarTest, AnOlderNotesYearIsShownUntilTheNewYearIsStarted) {
    const char* behind[] = {"school_year_start", "36", "notes_year", "2025", nullptr};
    startWith(2026, 9, 15, behind);
    writeData("wkb_txt.data", "W38D2P0=last year's note\n");
    // The notes' year is shown at its last week, on today's weekday.
    EXPECT_EQ(35, diaryState.selectedWeek);
    EXPECT_EQ(2, diaryState.selectedDay);
    char name[SCHOOL_YEAR_NAME_SIZE];
    defaultSchoolYearName(name, sizeof name);
    EXPECT_STREQ("2025-2026", name);

    frontLog.answers = {0};
    offerNewSchoolYear();
    EXPECT_EQ(1u, frontCalls("ask|Today lies in the school year 2026-2027").size());
    EXPECT_EQ(YEAR_BEHIND, diaryYear.state);

    frontLog.answers = {1};
    offerNewSchoolYear();
    EXPECT_EQ(YEAR_CURRENT, diaryYear.state);
    EXPECT_STREQ("2026", readSetting("notes_year"));
    EXPECT_EQ("30/8/2026", firstDay());
    EXPECT_EQ("", dataBytes("wkb_txt.data"));
    SnapshotInfo infos[4];
    ASSERT_GE(listSnapshots(infos, 4), 1);
    EXPECT_NE(std::string::npos, dataBytes("snapshots/2025-2026/wkb_txt.data").find("last year's note"));
}

TEST_F(SchoolCalendarTest, TheDefaultNameIsTheYearThatEnds) {
    const struct {
        int month, day;
        const char* name;
    } cases[] = {{1, 15, "2025-2026"}, {7, 31, "2025-2026"}, {8, 1, "2025-2026"}, {9, 15, "2025-2026"}};
    for (const auto& c : cases) {
        startAt(2026, c.month, c.day);
        char name[SCHOOL_YEAR_NAME_SIZE];
        defaultSchoolYearName(name, sizeof name);
        EXPECT_STREQ(c.name, name) << c.month << "/" << c.day;
    }
}

}  // namespace

namespace {

// In a school year from week 36, a search from week 40 finds the spring's weeks, not week 36.
TEST_F(SchoolCalendarTest, ASearchCountsWeeksInTheSchoolYearsOrder) {
    const char* rotation[] = {"rotation_first", "36", nullptr};
    startWith(2026, 12, 9, rotation);
    writeData("wkb_txt.data", "W36D1P0=test\nW5D1P0=test\nW41D1P0=test\n");
    promptSearch();
    std::vector<int> weeks;
    for (int i = 0; i < 4; i++) {
        typeAndOk("test", 40);
        weeks.push_back(diaryState.selectedWeek);
    }
    EXPECT_EQ((std::vector<int>{50, 5, 41, 41}), weeks);  // the first OK only takes the keyword
}

}  // namespace
