// Start-up: the day and week shown for every kind of "today" (a Sunday shows the Saturday
// before), checked against ISO weeks computed here independently; the options and the store
// status it loads; and the start-up message.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/startup.h"
#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/notify.h"
#include "diary/startup_message.h"
#include "hardening/hardening_support.h"
#include "platform/platform.h"
#include "records/store_version.h"
#include "store/data_folder.h"
#include "support/diary_fixture.h"

class StartupTest : public DiaryTest {
protected:
    // Starts on the given day and checks the shown day against the oracle.
    void expectShownDay(long today);
};

// Days since 1 January 1970 of a civil date, and back (proleptic Gregorian calendar).
static long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    long era = y / 400;
    long yoe = y - era * 400;
    long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

static void civilFromDays(long z, int* y, int* m, int* d) {
    z += 719468;
    long era = z / 146097, doe = z - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long mp = (5 * doy + 2) / 153;
    *d = (int)(doy - (153 * mp + 2) / 5 + 1);
    *m = (int)(mp < 10 ? mp + 3 : mp - 9);
    *y = (int)(yoe + era * 400 + (*m <= 2));
}

static int isoWeekday(long days) { return (int)((days + 3) % 7) + 1; }  // Monday 1 .. Sunday 7

// The ISO week of the Thursday of the date's week.
static int isoWeek(long days) {
    long thursday = days - (isoWeekday(days) - 1) + 3;
    int y, m, d;
    civilFromDays(thursday, &y, &m, &d);
    return (int)((thursday - daysFromCivil(y, 1, 1)) / 7 + 1);
}

void StartupTest::expectShownDay(long today) {
    int y, m, d;
    civilFromDays(today, &y, &m, &d);
    startAt(y, m, d);
    long shown = isoWeekday(today) == 7 ? today - 1 : today;
    int sy, sm, sd;
    civilFromDays(shown, &sy, &sm, &sd);
    char label[32];
    snprintf(label, sizeof label, "(%d/%d/%d)", sm, sd, sy);
    SCOPED_TRACE(std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d));
    EXPECT_EQ(isoWeekday(shown), diaryState.selectedDay);
    EXPECT_EQ(isoWeekday(shown), diaryState.todayWeekday);
    EXPECT_EQ(isoWeek(shown), diaryState.selectedWeek);
    EXPECT_EQ(isoWeek(shown), diaryState.currentWeek);
    EXPECT_STREQ(label, diaryState.dateLabel);
    EXPECT_EQ(0, diaryState.selectedPeriod);
    const DayEntry& e = dayTable[diaryState.selectedDayIndex];
    EXPECT_EQ(sd, e.day);
    EXPECT_EQ(sm, e.month);
}

TEST_F(StartupTest, ShownDayAndWeekForEveryDayOfAYearAndEveryYearEnd) {
    for (long day = daysFromCivil(2026, 1, 1); day <= daysFromCivil(2026, 12, 31); day++)
        expectShownDay(day);
    for (int year = 1971; year <= 2037; year++)
        for (long day = daysFromCivil(year, 12, 20); day <= daysFromCivil(year + 1, 1, 10); day++)
            expectShownDay(day);
}

TEST_F(StartupTest, SundayShowsTheSaturdayBeforeWithItsWeek) {
    startAt(2026, 7, 5);
    EXPECT_EQ(27, diaryState.selectedWeek);
    EXPECT_STREQ("(7/4/2026)", diaryState.dateLabel);
    startAt(2025, 12, 28);  // the Monday after begins week 1
    EXPECT_EQ(52, diaryState.currentWeek);
    startAt(2027, 1, 3);    // the Saturday before ends a week 53
    EXPECT_EQ(53, diaryState.currentWeek);
    EXPECT_EQ(6, diaryState.selectedDay);
}

TEST_F(StartupTest, LoadsTheStoreStatusAndTheExactOptions) {
    startAt(2026, 4, 14);
    EXPECT_EQ(1, diaryState.storeStatus);
    EXPECT_EQ(0, diaryState.webReachable);
    EXPECT_EQ(2, diaryState.selectedDay);
    EXPECT_EQ(16, diaryState.selectedWeek);
    EXPECT_EQ(1, diaryState.beepOn);
    EXPECT_EQ(1, diaryState.infoOn);
    EXPECT_EQ(0, diaryState.teacherMode);
    EXPECT_EQ(0, diaryState.useDefaults);
    resetDiaryState();
    writeData(".wkb.rc", "version=" CURRENT_VERSION "\nbip=No\ninfo=no\nteacher=yes \ndefault=yes\n");
    startAt(2026, 4, 14);
    EXPECT_EQ(0, diaryState.storeStatus);
    EXPECT_EQ(1, diaryState.beepOn);
    EXPECT_EQ(0, diaryState.infoOn);
    EXPECT_EQ(0, diaryState.teacherMode);
    EXPECT_EQ(1, diaryState.useDefaults);
}

TEST_F(StartupTest, MessageShowsTheStoreLineAndTheDataFolder) {
    const char* lines[] = {"\n WKB database: OK ", "\n WKB database Init.: OK ", "\n WKB database Init.: Failed ",
                           "\n WKB Upgrade: OK  ", "\n WKB database: not readable ", ""};
    char text[1024];
    for (int status = 0; status < 6; status++) {
        diaryState.storeStatus = status;
        composeStartupMessage(text, sizeof text);
        EXPECT_EQ(std::string(aboutText()) + lines[status] + "\nPath: " + data(""), text);
    }
}

// Something in the lock file's place that is no file would let a second copy run on the same
// folder: the start ends, says what to remove and where, and touches no file (not even the
// daily snapshot). With nothing there, in a folder that takes no writes, it goes on.
TEST_F(StartupTest, ALockFileThatIsNoFileEndsTheStartAndSaysWhere) {
    struct Case {
        const char* what;
        int (*plant)(const std::string& path, const std::string& settings);
    } cases[] = {
        {"a folder", [](const std::string& p, const std::string&) { return mkdir(p.c_str(), 0777); }},
        {"a link to a file", [](const std::string& p, const std::string& s) { return symlink(s.c_str(), p.c_str()); }},
        {"a pipe", [](const std::string& p, const std::string&) { return mkfifo(p.c_str(), 0666); }},
    };
    const std::string told = "box|Stop|error|The diary cannot make sure that it is open only once: \"wkb.lock\" in its "
                             "data folder\n" + base.path() + "/wkb_db\ncannot be opened as a file. Remove or rename "
                             "it, then start the diary again.";
    writeFullStore(base.path());
    struct InFolder {  // start-up takes the current directory as its base folder
        std::filesystem::path back = std::filesystem::current_path();
        explicit InFolder(const std::string& dir) { std::filesystem::current_path(dir); }
        ~InFolder() { std::filesystem::current_path(back); }
    } inBase(base.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(0, c.plant(data(LOCK_FILE), data(".wkb.rc")));
        Snapshot before = snapshotTree(base.path());
        EXPECT_EQ(3, platformClaimDataFolder(data(LOCK_FILE).c_str()));
        resetFrontLog();
        EXPECT_EQ(1, startUp());
        EXPECT_EQ(std::vector<std::string>{told}, frontCalls("box|"));
        EXPECT_EQ(before, snapshotTree(base.path()));
        std::filesystem::remove(data(LOCK_FILE));
    }
    EXPECT_EQ(2, platformClaimDataFolder((base.path() + "/missing/wkb.lock").c_str()));
    // Once the place is free, the diary starts and claims it.
    resetFrontLog();
    EXPECT_EQ(0, startUp());
    EXPECT_TRUE(frontCalls("box|").empty());
}
