// What a rotation would disturb: cycle colours without a timetable (and the copy or the default
// values that fill them), week colours set by hand (marked in the preview, kept unless
// overwritten).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/diary_state.h"
#include "diary/rotation_guard.h"
#include "records/settings.h"
#include "records/timetable_colours.h"
#include "records/week_colours.h"
#include "support/diary_fixture.h"

static const std::string kHeader = "### Weeks colors data. Please do not edit.\n";

class RotationGuardTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        startAt(2026, 1, 15);
    }
    static RotationRule rule(std::initializer_list<int> cycle, int first = 36, const char* holidays = "") {
        RotationRule r = {};
        for (int c : cycle) r.cycle[r.cycleLength++] = c;
        r.firstWeek = first;
        char message[ROTATION_MESSAGE_SIZE];
        snprintf(r.holidayText, sizeof r.holidayText, "%s", holidays);
        parseHolidayList(holidays, first, r.holiday, message, sizeof message);
        return r;
    }
    std::set<int> handSet() {
        HandSetWeeks weeks;
        readHandSetWeeks(&weeks);
        std::set<int> out;
        for (int w = 1; w <= 53; w++)
            if (weeks.byHand[w]) out.insert(w);
        return out;
    }
    std::string preview(const RotationRule& r, int week, int overwrite) {
        HandSetWeeks weeks;
        readHandSetWeeks(&weeks);
        RotationWeek rows[ROTATION_MAX_WEEKS];
        int n = previewRotation(&r, rows, ROTATION_MAX_WEEKS);
        for (int i = 0; i < n; i++) {
            if (rows[i].week != week) continue;
            char line[128];
            formatPreviewWeek(&rows[i], &weeks, overwrite, line, sizeof line);
            return line;
        }
        return "";
    }
};

TEST_F(RotationGuardTest, CycleColoursWithoutATimetable) {
    struct Case {
        int entries[5];
        std::initializer_list<int> cycle;
        int useDefaults, mask;
    } cases[] = {
        {{5, 0, 0, 0, 0}, {1, 2}, 0, 1 << 1 | 1 << 2},
        {{5, 3, 0, 0, 0}, {1, 2}, 0, 1 << 2},
        {{5, 1, 1, 0, 0}, {1, 2}, 0, 0},
        {{5, 0, 0, 0, 0}, {1, 2}, 1, 0},  // the default values already show the plain week
        {{0, 0, 0, 0, 0}, {1, 2}, 0, 0},  // nothing to show anyway
        {{5, 0, 0, 0, 0}, {0, 3}, 0, 1 << 3},
    };
    for (const Case& c : cases) {
        RotationRule r = rule(c.cycle);
        EXPECT_EQ(c.mask, emptyCycleColours(c.entries, &r, c.useDefaults)) << c.entries[1] << c.useDefaults;
    }
    char note[200], copy[96];
    describeEmptyColours(1 << 1 | 1 << 2 | 1 << 3, note, sizeof note, copy, sizeof copy);
    EXPECT_STREQ("Yellow, Green and Red weeks have no timetable of their own: after the rotation they would "
                 "show an empty timetable.", note);
    EXPECT_STREQ("Cop&y the timetable of white weeks into Yellow, Green and Red weeks", copy);
    describeEmptyColours(1 << 4, note, sizeof note, copy, sizeof copy);
    EXPECT_STREQ("Cop&y the timetable of white weeks into Blue weeks", copy);

    writeData("wkb_hd.data", "D1P0C=Math\nD1P0T=\nD2P3L|2=Lab\nD2P3C|2=Bio\nnot a record\n");
    int entries[5];
    ASSERT_EQ(0, countTimetableEntries(entries));
    EXPECT_EQ((std::vector<int>{1, 0, 2, 0, 0}), std::vector<int>(entries, entries + 5));
}

// Set by hand: a colour other than white that the kept rule would not have given.
TEST_F(RotationGuardTest, WeeksSetByHand) {
    struct Case {
        const char* cycle;  // the kept rule, "" for none
        const char* holidays;
        const char* weeks;
        std::set<int> byHand;
    } cases[] = {
        {"", "", "40=3\n41=0\n45=1\n", {40, 45}},
        {"9", "", "40=1\n", {40}},  // a cycle that does not read keeps no rule
        // Yellow, green from week 36: 40 yellow, 41 green, 45 green; week 2 yellow past the new year.
        {"1,2", "", "40=1\n41=3\n45=2\n2=1\n", {41}},
        {"1,2", "44", "44=0\n45=1\n46=1\n", {46}},  // the holiday does not move the cycle on
    };
    for (const Case& c : cases) {
        writeData("weeks.dat", kHeader + c.weeks);
        const char* keys[] = {"rotation_cycle", "rotation_first", "rotation_holidays"};
        const char* values[] = {c.cycle, "36", c.holidays};
        ASSERT_EQ(1, writeSettings(keys, values, 3));
        EXPECT_EQ(c.byHand, handSet()) << c.weeks;
    }
}

TEST_F(RotationGuardTest, ColoursSetByHandAreMarkedAndKeptUnlessOverwritten) {
    RotationRule r = rule({2, 3});  // green, red from week 36: 40 green, 41 red
    for (int overwrite = 0; overwrite <= 1; overwrite++) {
        writeData("weeks.dat", kHeader + "40=4\n41=3\n");
        EXPECT_EQ(overwrite ? "Week 40  (9/29/2025)  Green  (instead of Blue, set by hand)"
                            : "Week 40  (9/29/2025)  Blue  (set by hand, kept instead of Green)",
                  preview(r, 40, overwrite));
        EXPECT_EQ("Week 41  (10/6/2025)  Red", preview(r, 41, overwrite)) << "the fill does not change it";
        RotationChoices choices = {overwrite, ROTATION_TIMETABLE_AS_IS};
        ASSERT_EQ(0, applyRotationWith(&r, &choices));
        // Lines of the weeks the fill changes keep their place, new weeks follow in order.
        std::string start = crlf(kHeader + (overwrite ? "40=2\n" : "40=4\n") + "41=3\n36=2\n37=3\n38=2\n39=3\n42=2\n");
        EXPECT_EQ(start, dataBytes("weeks.dat").substr(0, start.size()));
        // Against the rule now kept, a colour kept by hand is still one set by hand.
        EXPECT_EQ(overwrite ? std::set<int>{} : std::set<int>{40}, handSet());
    }
}

TEST_F(RotationGuardTest, CopyIntoTheCycleColoursIsOneRewriteThatKeepsTheirOwnValues) {
    const std::string before = "D1P0C=Math\nD1P0T=Smith\nD1P0C=second\nD2P1L=\nD1P0C|2=\nD1P0T|2=Jones\nD3P2C|3=Bio\n";
    writeData("wkb_hd.data", before);
    ASSERT_EQ(0, copyPlainTimetable(1 << 1 | 1 << 2));
    EXPECT_EQ(crlf("D1P0C=Math\nD1P0T=Smith\nD1P0C=second\nD2P1L=\nD1P0C|2=Math\nD1P0T|2=Jones\nD3P2C|3=Bio\n"
                   "D1P0C|1=Math\nD1P0T|1=Smith\n"),
              dataBytes("wkb_hd.data"));
    EXPECT_EQ(crlf(before), dataBytes("wkb_hd.tmp"));
}

// The dialog's two answers to a cycle without a timetable, through the rotation itself.
TEST_F(RotationGuardTest, DefaultValuesOrACopyFillTheEmptyColours) {
    struct Case {
        RotationTimetable choice;
        const char* timetable;
        const char* defaults;
    } cases[] = {
        {ROTATION_TIMETABLE_AS_IS, "D1P0C=Math\n", ""},
        {ROTATION_TIMETABLE_DEFAULTS, "D1P0C=Math\n", "yes"},
        {ROTATION_TIMETABLE_COPY, "D1P0C=Math\nD1P0C|1=Math\nD1P0C|2=Math\n", ""},
    };
    for (const Case& c : cases) {
        writeData("wkb_hd.data", "D1P0C=Math\n");
        writeSetting("default", "");
        loadOptions();
        RotationRule r = rule({1, 2});
        RotationChoices choices = {1, c.choice};
        ASSERT_EQ(0, applyRotationWith(&r, &choices));
        EXPECT_EQ(crlf(c.timetable), dataBytes("wkb_hd.data")) << c.choice;
        EXPECT_STREQ(c.defaults, readSetting("default")) << c.choice;
        EXPECT_EQ(c.defaults[0] != '\0', diaryState.useDefaults == 1) << c.choice;
        EXPECT_EQ(1, readWeekColour(36)) << c.choice;
    }
}
