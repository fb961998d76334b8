// A lesson that differs on one date on the pages, the day list and the printout: the changed
// values and the mark of a cancelled lesson in the week of the change, the timetable (or that
// week's own change) in another week. Without a change the golden pages hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/diary_state.h"
#include "output/day_list.h"
#include "output/page_expect.h"
#include "output/page_test_support.h"
#include "output/pages.h"
#include "output/print_grid.h"
#include "support/print_recorder.h"

static const char* const kChanges =
    "### Lessons that differ on one date. Please do not edit.\n"
    "W3D4P0=X\nW3D4P1=- L3:Gym\nW4D4P0=- C3:Bio\n";

TEST_F(ExportTest, ChangesShowInTheirWeekOnly) {
    slot(4, 0, 'C', 0, "Latin");
    slot(4, 0, 'T', 0, "Smith");
    slot(4, 0, 'L', 0, "12");
    slot(4, 1, 'C', 0, "History");
    writeData("changes.dat", kChanges);
    const std::string cancelled = "<span class=\"big\"><s>Latin</s> Cancelled<br></span>\n" + big("Smith") + big("12");
    const std::string moved = big("History") + big("-") + big("Gym");
    const struct {
        int week;
        void (*exportIt)();
        const char* file;
        std::vector<std::string> present, absent;
    } cases[] = {
        {3, exportDayPage, "today.html", {big("Period 1") + cancelled, big("Period 2") + moved}, {"Bio"}},
        {3, exportWeekGridPage, "week.html", {"<td bgcolor=\"#ffffdd\" width=\"29%\">\n" + cancelled, moved}, {"Bio"}},
        {4, exportDayPage, "today.html", {big("Period 1") + big("Bio") + big("Smith") + big("12")}, {"<s>", "Gym"}},
        {3, exportDayList, "daylist.gpe",
         {"- Period 1  >>>  Latin    Prof.:Smith    Loc.:12    (annulé)\n", "- Period 2  >>>  History    Loc.:Gym\n"},
         {"Bio"}},
        {4, exportDayList, "daylist.gpe", {"- Period 1  >>>  Bio    Prof.:Smith    Loc.:12\n---"}, {"annul", "Gym"}},
    };
    for (const auto& c : cases) {
        diaryState.selectedWeek = c.week;
        c.exportIt();
        std::string text = page(c.file);
        for (const std::string& s : c.present) EXPECT_NE(std::string::npos, text.find(s)) << c.file << c.week << s;
        for (const std::string& s : c.absent) EXPECT_EQ(std::string::npos, text.find(s)) << c.file << c.week << s;
    }
}

TEST_F(PrintTest, ACancelledLessonIsStruckAndSaysSo) {
    diaryState.selectedWeek = 3;
    diaryState.weekColour = 0;
    writeTimetable("D4P0C=Latin\nD4P0T=Smith\nD4P0L=12\nD4P1C=History\n");
    writeData("changes.dat", kChanges);
    printWeekGrid();
    // Thursday is the first column of the second half: Period 1 is row 12, Period 2 row 13.
    const std::vector<std::string> texts = {
        "text|736|4032|Latin",      // (32, 168)
        "text|736|4296|History",    // (32, 179)
        "text|736|4152|Cancelled",  // where the teacher stands (32, 173)
        "text|1610|4416|Gym",       // (70, 184)
    };
    std::vector<std::string> slots = printRecord("text|");
    EXPECT_EQ(texts, std::vector<std::string>(slots.begin() + 27, slots.end() - 1));
    // The strike through the course, from (32, 171) to (81, 171).
    const std::vector<std::string> strike = {"line|736|4104|1863|4104"};
    std::vector<std::string> lines = printRecord("line|");
    EXPECT_EQ(strike, std::vector<std::string>(lines.begin() + 2, lines.end()));
}
