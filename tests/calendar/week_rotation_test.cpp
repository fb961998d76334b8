// The rotation plan over the day table against an oracle that walks the school year's
// Mondays with its own calendar: three school years (2026 has 53 weeks), cycles of one to
// five colours, and holidays at the start, the end, across the turn of the year, side by
// side, and everywhere.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "calendar/day_table.h"
#include "calendar/iso_week_oracle.h"
#include "calendar/week_rotation.h"
#include "platform/platform.h"

namespace {

struct Row {
    int week, colour, holiday;
    bool operator==(const Row& o) const { return week == o.week && colour == o.colour && holiday == o.holiday; }
};

// The oracle: the day table of "today" runs 360 days from the same day six months before
// (29th to 31st taken as the 28th); a week belongs to it from its Sunday on.
std::vector<Row> oracle(int todayYear, int todayMonth, int todayDay, int autumnYear, int firstWeek,
                        const std::vector<int>& cycle, const std::set<int>& holidays) {
    using namespace isoOracle;
    int startMonth = todayMonth >= 7 ? todayMonth - 6 : todayMonth + 6;
    int startYear = todayMonth >= 7 ? todayYear : todayYear - 1;
    long tableEnd = dayNumber(startYear, startMonth, todayDay > 28 ? 28 : todayDay) + 359;
    // Monday of the first week: 4 January always lies in week 1.
    long jan4 = dayNumber(autumnYear, 1, 4);
    long monday = jan4 - (isoWeekday(jan4) - 1) + 7L * (firstWeek - 1);
    std::vector<Row> rows;
    std::set<int> seen;
    size_t step = 0;
    for (; monday - 1 <= tableEnd; monday += 7) {
        int year = autumnYear + (monday >= dayNumber(autumnYear + 1, 1, 1) ? 1 : 0);
        int week = isoWeek(monday, year);
        if (!seen.insert(week).second) break;
        bool off = holidays.count(week) != 0;
        rows.push_back(Row{week, off ? 0 : cycle[step++ % cycle.size()], off ? 1 : 0});
    }
    return rows;
}

std::vector<Row> plan(const std::vector<int>& cycle, int firstWeek, const std::set<int>& holidays) {
    unsigned char marks[54] = {0};
    for (int w : holidays) marks[w] = 1;
    RotationWeek out[ROTATION_MAX_WEEKS];
    int n = planRotation(cycle.data(), (int)cycle.size(), firstWeek, marks, out, ROTATION_MAX_WEEKS);
    std::vector<Row> rows;
    for (int i = 0; i < n; i++) rows.push_back(Row{out[i].week, out[i].colour, out[i].holiday});
    return rows;
}

struct SchoolYear {
    int autumn;  // the year in which it starts
    int lastWeek;  // the last week of that calendar year
};

class WeekRotationTest : public ::testing::TestWithParam<SchoolYear> {
protected:
    void SetUp() override {
        // Mid-January: the table covers September to early July.
        platformSetNow(isoOracle::localNoon(GetParam().autumn + 1, 1, 15));
        buildDayTable();
    }
    void TearDown() override { platformSetNow(0); }
};

}  // namespace

TEST_P(WeekRotationTest, EveryCycleAndHolidayPatternMatchesTheOracle) {
    const int autumn = GetParam().autumn, last = GetParam().lastWeek;
    const std::vector<std::set<int>> holidayPatterns = {
        {},
        {36, 37},                  // at the start of the year
        {27, 28},                  // at its end (the table ends in week 28)
        {52, 53, 1},               // across the turn of the year
        {43, 44, 45, 8, 9, 15, 16},  // adjacent holidays
    };
    const int colours[5] = {1, 2, 3, 4, 0};
    for (int length = 1; length <= 5; length++) {
        std::vector<int> cycle(colours, colours + length);
        for (const auto& holidays : holidayPatterns) {
            auto want = oracle(autumn + 1, 1, 15, autumn, 36, cycle, holidays);
            ASSERT_GT(want.size(), 40u);
            EXPECT_EQ(want, plan(cycle, 36, holidays)) << "year " << autumn << " cycle " << length;
        }
    }
    // The turn of the year: the week after the last week of the year is week 1.
    auto rows = plan({1, 2}, 36, {});
    for (size_t i = 0; i + 1 < rows.size(); i++) {
        if (rows[i].week != last) continue;
        EXPECT_EQ(1, rows[i + 1].week);
    }
}

TEST_P(WeekRotationTest, AHolidayListThatCoversEveryWeekLeavesEveryWeekPlain) {
    std::set<int> all;
    for (int w = 1; w <= 53; w++) all.insert(w);
    auto rows = plan({1, 2, 3}, 36, all);
    ASSERT_FALSE(rows.empty());
    for (const Row& r : rows) EXPECT_EQ((Row{r.week, 0, 1}), r);
}

INSTANTIATE_TEST_SUITE_P(SchoolYears, WeekRotationTest,
                         ::testing::Values(SchoolYear{2025, 52}, SchoolYear{2026, 53}, SchoolYear{2027, 52}));

// 2026 has 53 weeks: a rule by week parity would give weeks 53 and 1 the same colour; the
// cycle alternates on, so A/B stays A/B.
TEST(WeekRotation, TheCycleRunsOnThroughWeek53) {
    platformSetNow(isoOracle::localNoon(2027, 1, 15));
    buildDayTable();
    auto rows = plan({1, 2}, 36, {});
    platformSetNow(0);
    for (size_t i = 1; i < rows.size(); i++) EXPECT_NE(rows[i - 1].colour, rows[i].colour) << rows[i].week;
    size_t at53 = 0;
    while (at53 < rows.size() && rows[at53].week != 53) at53++;
    ASSERT_LT(at53 + 1, rows.size());
    EXPECT_EQ(1, rows[at53 + 1].week);
}

TEST(WeekRotation, FillStopsBeforeAWeekNumberComesRoundAgainOrWhenTheFirstWeekIsMissing) {
    // Today 20 January 2026: the table runs from 20 July 2025 (a Sunday, week 30) to
    // 14 July 2026 (week 29); from week 30 on, week 30 would come round again: it does not.
    platformSetNow(isoOracle::localNoon(2026, 1, 20));
    buildDayTable();
    auto rows = plan({1, 2}, 30, {});
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(30, rows.front().week);
    std::set<int> weeks;
    for (const Row& r : rows) EXPECT_TRUE(weeks.insert(r.week).second) << r.week;
    EXPECT_EQ(29, rows.back().week);
    EXPECT_TRUE(plan({1, 2}, 53, {}).empty());  // 2025 has no week 53
    EXPECT_TRUE(plan({}, 36, {}).empty());
    platformSetNow(0);
}
