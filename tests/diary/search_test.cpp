// The search: the first OK of a keyword shows nothing, hits come in file order from the start
// week on, the end beeps; keyword and start-week changes; long lines read in pieces; bad
// lines, bad week numbers and a notes file that cannot be opened.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/actions.h"
#include "diary/search.h"

class DiarySearchTest : public DiaryCoreTest {
protected:
    // One OK; returns "week/day/period" of the hit shown, "box" for a message, "beep", or ""
    // when nothing was shown.
    std::string ok(const char* keyword, int startWeek = 1) {
        size_t before = frontCalls("tabs|").size(), boxes = frontCalls("box|").size();
        newBeeps();
        typeAndOk(keyword, startWeek);
        if (frontCalls("box|").size() > boxes) return "box";
        if (newBeeps() > 0) return "beep";
        if (frontCalls("tabs|").size() == before) return "";
        EXPECT_EQ(ACTION_SEARCH, diaryState.action);
        return std::to_string(diaryState.selectedWeek) + "/" + std::to_string(diaryState.selectedDay) + "/" +
               std::to_string(diaryState.selectedPeriod);
    }
};

TEST_F(DiarySearchTest, FirstOkShowsNothingThenHitsInFileOrderThenBeeps) {
    startThursday();
    writeData("wkb_txt.data", "W5D1P0=Homework maths\nW3D2P1=homework\nW20D4P3=Homework essay\nW2D1P0=Homework late\n");
    promptSearch();
    EXPECT_EQ("", ok("Homework"));
    EXPECT_EQ("5/1/0", ok("Homework"));
    size_t mark = frontLog.calls.size();
    EXPECT_EQ("20/4/3", ok("Homework"));
    std::vector<std::string> order = {"tabs", "colour", "status", "slot", "slot", "notes"};
    EXPECT_EQ(order, callKinds(mark));
    EXPECT_EQ("tabs|3|3", frontLog.calls[mark]);
    EXPECT_EQ("Homework essay", frontLog.notes);
    EXPECT_EQ("2/1/0", ok("Homework"));
    EXPECT_EQ("beep", ok("Homework"));
    EXPECT_EQ("beep", ok("Homework"));
}

TEST_F(DiarySearchTest, StartWeekAndKeywordChangesRestartTheSearch) {
    startThursday();
    writeData("wkb_txt.data", "W5D1P0=Homework\nW20D4P3=Homework\nW21D3P0=Test\n");
    promptSearch();
    EXPECT_EQ("", ok("Homework", 10));
    EXPECT_EQ("20/4/3", ok("Homework", 10));
    EXPECT_EQ("beep", ok("Homework", 10));
    EXPECT_EQ("5/1/0", ok("Homework", 4)) << "a new start week restarts within the same step";
    EXPECT_EQ("", ok("D4", 4)) << "a new keyword only rewinds";
    EXPECT_EQ("20/4/3", ok("D4", 4)) << "the key is part of the searched line";
    EXPECT_EQ("beep", ok("D4", 99));
    EXPECT_EQ("20/4/3", ok("D4", -7)) << "any start week below 1 takes every week";
    EXPECT_EQ("", ok("Test", -7));
    EXPECT_EQ("21/3/0", ok("Test", -2147483647 - 1));
}

TEST_F(DiarySearchTest, LongLinesCountForTheirRecordAndBadLinesAreNeverHits) {
    startThursday();
    std::string text = "W4D1P0=needle" + std::string(505, 'c') + "needle\n" +  // one hit, two pieces
                       "W7D2P5=" + std::string(503, 'a') + "W9D1P1=needle\n" +  // key-like second piece
                       "W8D3P1=" + std::string(500, 'b') + "spanword\n" +      // keyword across two pieces
                       "garbage needle\nW0D1P1=needle\nW5D7P1=needle\nW5D1P12=needle\nW5D1P1needle\n" +
                       "W6D6P9=needle at last";
    writeData("wkb_txt.data", text);
    promptSearch();
    EXPECT_EQ("", ok("needle"));
    EXPECT_EQ("4/1/0", ok("needle"));
    EXPECT_EQ("7/2/5", ok("needle"));
    EXPECT_EQ("6/6/9", ok("needle"));
    EXPECT_EQ("beep", ok("needle"));
    EXPECT_EQ("", ok("spanword"));
    EXPECT_EQ("8/3/1", ok("spanword"));
}

TEST_F(DiarySearchTest, KeywordLimitsAMissingNotesFileAndCancel) {
    startThursday();
    writeData("wkb_txt.data", "W29D1P0=x\n");
    promptSearch();
    EXPECT_EQ("box", ok(""));
    EXPECT_EQ("box|Stop|error|Please enter the key word.", frontLog.calls.back());
    std::string longKeyword(200, 'k');
    EXPECT_EQ("", ok(longKeyword.c_str()));
    EXPECT_EQ(std::string(127, 'k'), inputText);
    EXPECT_EQ(std::string(127, 'k'), searchState.lastKeyword);
    // Week 29's Monday lies before the table: the hit keeps the date it had.
    EXPECT_EQ("", ok("x"));
    EXPECT_EQ("29/1/0", ok("x"));
    EXPECT_STREQ("(1/15/2026)", diaryState.dateLabel);

    cancelInput();
    EXPECT_EQ(nullptr, searchState.file);
    EXPECT_EQ(0, diaryState.action);
    EXPECT_EQ("status|[Current week:3 / Selected week:29 (1/15/2026)]  [Action: ] [Bip] [Info]", frontLog.calls.back());

    std::string notes = dataBytes("wkb_txt.data");
    std::remove(data("wkb_txt.data").c_str());
    promptSearch();
    EXPECT_EQ("box", ok("x"));
    EXPECT_EQ("box|Stop|error|The notes file cannot be opened for the search.", frontLog.calls.back());
    EXPECT_EQ(nullptr, searchState.file);
    EXPECT_EQ(ACTION_SEARCH, diaryState.action);
    writeBytes(data("wkb_txt.data"), notes);
    EXPECT_EQ("", ok("x"));
    EXPECT_EQ("29/1/0", ok("x"));
}
