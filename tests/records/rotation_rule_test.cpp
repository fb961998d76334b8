// The holiday list parser (ranges in school-year order, bad input with its message) and the
// rule kept in the settings file.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "records/rotation_rule.h"
#include "records/settings.h"
#include "records/store_version.h"
#include "support/diary_fixture.h"

static std::set<int> holidaysOf(const char* text, int firstWeek, std::string* message = nullptr) {
    unsigned char marks[54];
    char text2[ROTATION_MESSAGE_SIZE];
    int rc = parseHolidayList(text, firstWeek, marks, text2, sizeof text2);
    if (message != nullptr) *message = rc == 0 ? "" : text2;
    std::set<int> weeks;
    for (int w = 0; w < 54; w++)
        if (marks[w]) weeks.insert(w);
    return weeks;
}

TEST(HolidayList, WeeksAndRangesInTheOrderOfTheSchoolYear) {
    EXPECT_EQ((std::set<int>{44, 52, 53, 1, 8, 15, 16}), holidaysOf("44, 52-1, 8, 15-16", 36));
    EXPECT_EQ((std::set<int>{3, 4, 5}), holidaysOf(" 3 - 5 ;", 36));
    EXPECT_EQ((std::set<int>{}), holidaysOf("", 36));
    EXPECT_EQ((std::set<int>{}), holidaysOf(" , ,", 36));
    EXPECT_EQ((std::set<int>{53}), holidaysOf("53", 36));
    // A range may end in the week before the first: the whole year.
    EXPECT_EQ(53u, holidaysOf("36-35", 36).size());
}

TEST(HolidayList, BadInputIsRefusedWithAMessageThatNamesIt) {
    std::string message;
    EXPECT_TRUE(holidaysOf("44, 0", 36, &message).empty());
    EXPECT_EQ("Week 0 does not exist: weeks run from 1 to 53.", message);
    holidaysOf("54", 36, &message);
    EXPECT_EQ("Week 54 does not exist: weeks run from 1 to 53.", message);
    holidaysOf("8, 16-15", 36, &message);
    EXPECT_EQ("The range 16-15 runs backwards: the school year starts in week 36.", message);
    holidaysOf("35-37", 36, &message);  // from the year's last week back to its first
    EXPECT_EQ("The range 35-37 runs backwards: the school year starts in week 36.", message);
    holidaysOf("44, autumn , 8", 36, &message);
    EXPECT_EQ("\"autumn\" is not a week number or a range of weeks such as 15-16.", message);
    for (const char* bad : {"8-", "-3", "3--4", "4.5", "1-2-3", "99999999999999999999"}) {
        EXPECT_TRUE(holidaysOf(bad, 36, &message).empty()) << bad;
        EXPECT_FALSE(message.empty()) << bad;
    }
    holidaysOf(std::string(250, '1').c_str(), 36, &message);
    EXPECT_EQ("The list of holiday weeks is too long (at most 200 characters).", message);
}

TEST(HolidayList, CycleText) {
    int cycle[ROTATION_MAX_CYCLE];
    char text[32];
    const int abc[3] = {1, 0, 4};
    formatCycle(abc, 3, text, sizeof text);
    EXPECT_STREQ("1,0,4", text);
    ASSERT_EQ(3, parseCycle(text, cycle));
    EXPECT_EQ(4, cycle[2]);
    EXPECT_EQ(0, parseCycle("", cycle));
    EXPECT_EQ(0, parseCycle("1,5", cycle));
    EXPECT_EQ(0, parseCycle("12", cycle));
}

class RotationRuleTest : public DiaryTest {};

// Whether week is a holiday week of the kept rule, as every reader of the rule loads it.
static int keptHolidayWeek(int week) {
    RotationRule rule;
    loadRotationRule(&rule);
    return week >= 1 && week <= 53 && rule.holiday[week];
}

TEST_F(RotationRuleTest, TheRuleIsKeptInTheSettingsAndReadBack) {
    RotationRule rule;
    writeData(".wkb.rc", "version=" CURRENT_VERSION "\n");
    EXPECT_EQ(0, loadRotationRule(&rule));  // nothing kept: yellow/green from week 36
    EXPECT_EQ(2, rule.cycleLength);
    EXPECT_EQ(36, rule.firstWeek);
    EXPECT_EQ(0, keptHolidayWeek(44));

    rule.cycle[0] = 3;
    rule.cycle[1] = 0;
    rule.cycle[2] = 2;
    rule.cycleLength = 3;
    rule.firstWeek = 35;
    snprintf(rule.holidayText, sizeof rule.holidayText, "%s", "44, 52-1");
    ASSERT_EQ(0, saveRotationRule(&rule, "2025"));
    EXPECT_EQ(crlf("version=" CURRENT_VERSION "\nrotation_cycle=3,0,2\nrotation_first=35\nrotation_holidays=44, 52-1\n"
                   "school_year_start=35\nnotes_year=2025\n"),
              dataBytes(".wkb.rc"));
    RotationRule back;
    ASSERT_EQ(0, loadRotationRule(&back));
    EXPECT_EQ(3, back.cycleLength);
    EXPECT_EQ(0, back.cycle[1]);
    EXPECT_EQ(35, back.firstWeek);
    EXPECT_STREQ("44, 52-1", back.holidayText);
    EXPECT_EQ(1, keptHolidayWeek(53));
    EXPECT_EQ(1, keptHolidayWeek(1));
    EXPECT_EQ(0, keptHolidayWeek(2));
    EXPECT_EQ(0, keptHolidayWeek(54));
    // A hand-edited list that no longer reads gives no holidays rather than wrong ones.
    writeSetting("rotation_holidays", "44, x");
    EXPECT_EQ(1, loadRotationRule(&back));
    EXPECT_EQ(0, keptHolidayWeek(44));
}
