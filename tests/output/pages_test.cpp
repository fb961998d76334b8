// The three HTML pages byte for byte: an empty store against golden pages, a full one (week
// colours with and without the fall-back, notes with line breaks and the cut, escaped values),
// and the walk of the weeks table over day tables that start on a Sunday and on a Wednesday.
#include <gtest/gtest.h>

#include <string>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "output/page_expect.h"
#include "output/page_test_support.h"
#include "output/pages.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "records/week_colours.h"
#include "support/golden.h"
#include "support/platform_recorder.h"

static const std::string dash = "-";

static std::string dayRow(int period, const std::string& course, const std::string& teacher,
                          const std::string& room, const std::string& notesHtml) {
    return "\n\t<tr valign=\"middle\" >\n\t<td width=\"25%\" bgcolor=\"#dddddd\">\n" +
           big("Period " + std::to_string(period + 1)) + big(course) + big(teacher) + big(room) +
           "</td>\n\t<td bgcolor=\"#FFFFDD\"> \n<p><small>" + notesHtml + "</small></p>\n\t</td>\n\t</tr>\n";
}

static std::string dayPage(const std::string& heading, const std::string& rows) {
    return expectedHead() + heading + "<table width=\"100%\" border=\"1\" cellpadding=\"5\">\n" + rows +
           "</table>\n" + expectedEnd(false, false);
}

static const char* const thursday = "<h3 align=\"center\">Program for Thursday (1/15/2026) - Week: 3</h3>";

TEST_F(ExportTest, DayPageOfAnEmptyStore) {
    exportDayPage();
    EXPECT_EQ(goldenText("day_page_empty.html"), page("today.html"));
    EXPECT_STREQ("xdg-open", platformLastLaunchProgram());
    EXPECT_EQ(quoted("today.html"), platformLastLaunchParams());
}

TEST_F(ExportTest, DayPageOfAFullStore) {
    slot(4, 0, 'C', 2, "Math");
    slot(4, 0, 'C', 0, "Latin");
    slot(4, 0, 'T', 0, "Mr \"B\" <b>");
    slot(4, 0, 'L', 2, "R&D 12");
    slot(4, 1, 'C', 0, "History");
    slot(4, 9, 'L', 3, "Lab");
    notes(3, 4, 0, "read p. 12 |if a < b & c > d|e");
    notes(3, 4, 1, std::string(600, 'x'));
    notes(3, 4, 2, std::string(498, 'y') + " |z");
    notes(3, 4, 3, std::string(498, 'q') + "\"tail");
    notes(4, 4, 4, "another week");
    notes(3, 5, 4, "another day");
    diaryState.weekColour = 2;

    for (int useDefaults = 0; useDefaults <= 1; useDefaults++) {
        diaryState.useDefaults = useDefaults;
        exportDayPage();
        std::string rows =
            dayRow(0, "Math", useDefaults ? "Mr &quot;B&quot; &lt;b&gt;" : dash, "R&amp;D 12",
                   "read p. 12 <br>\nif a &lt; b &amp; c &gt; d|e") +
            dayRow(1, useDefaults ? "History" : dash, dash, dash, std::string(500, 'x')) +
            dayRow(2, dash, dash, dash, std::string(498, 'y') + " <br>\n") +
            dayRow(3, dash, dash, dash, std::string(498, 'q') + "&quot;");
        for (int p = 4; p < 10; p++) rows += dayRow(p, dash, dash, dash, "");
        EXPECT_EQ(dayPage(thursday, rows), page("today.html")) << "useDefaults " << useDefaults;
    }
}

TEST_F(ExportTest, DayPageShowsTheSelectedWeekAndRefreshesItsDate) {
    diaryState.selectedWeek = 4;
    diaryState.selectedDay = 1;
    notes(4, 1, 9, "next week");
    exportDayPage();
    std::string rows;
    for (int p = 0; p < 9; p++) rows += dayRow(p, dash, dash, dash, "");
    rows += dayRow(9, dash, dash, dash, "next week");
    EXPECT_EQ(dayPage("<h3 align=\"center\">Program for Monday (1/19/2026) - Week: 4</h3>", rows), page("today.html"));
    EXPECT_STREQ("(1/19/2026)", diaryState.dateLabel);
}

static std::string gridHalf(int firstDay, const std::string cells[3][10]) {
    static const char* const names[] = {"", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    std::string half = "\n<tr valign=\"middle\" >\n<td bgcolor=\"#dddddd\" width=\"13%\"><h3>Course</h3></td>\n";
    for (int d = 0; d < 3; d++)
        half += std::string("<td bgcolor=\"#dddddd\" width=\"29%\"><h3>") + names[firstDay + d] + "</h3></td>\n";
    half += "</tr>\n";
    for (int p = 0; p < 10; p++) {
        half += "<tr valign=\"middle\" >\n<td bgcolor=\"#dddddd\" width=\"13%\"><h1>" + std::to_string(p + 1) + "</h1></td>\n";
        for (int d = 0; d < 3; d++) half += "<td bgcolor=\"#ffffdd\" width=\"29%\">\n" + cells[d][p] + "</td>\n";
        half += "</tr>\n";
    }
    return half;
}

struct Grid {
    std::string cells[6][10];
    Grid() {
        for (auto& day : cells)
            for (auto& cell : day) cell = big(dash) + big(dash) + big(dash);
    }
    std::string page(const std::string& tint, const std::string& title) const {
        return expectedHead() + "<h2 align=\"center\"><p style=\"background-color:" + tint + "\">Week grid " + title +
               " </p></h2>" + "<table width=\"100%\" border=\"1\" cellpadding=\"5\">\n" + gridHalf(1, cells) +
               gridHalf(4, cells + 3) + "</table>\n" + expectedEnd(false, false);
    }
};

TEST_F(ExportTest, WeekGridPageOfAnEmptyStoreInEveryWeekColour) {
    const char* tints[] = {"#ffffff", "#ffffaa", "#aaffaa", "#ffaaaa", "#aaaaff", "#ffffff", "#ffffff"};
    const int colours[] = {0, 1, 2, 3, 4, 7, -1};  // the last two only from a hand-edited file
    for (int i = 0; i < 7; i++) {
        diaryState.weekColour = colours[i];
        exportWeekGridPage();
        // The golden page is the plain week; only the heading's tint differs by colour.
        std::string expected = goldenText("week_grid_empty.html");
        size_t tint = expected.find("background-color:#ffffff");
        ASSERT_NE(std::string::npos, tint);
        expected.replace(tint + 17, 7, tints[i]);
        EXPECT_EQ(expected, page("week.html")) << "colour " << colours[i];
    }
    EXPECT_EQ(quoted("week.html"), platformLastLaunchParams());
}

TEST_F(ExportTest, WeekGridPageOfAFullStore) {
    ASSERT_EQ(1, writeSetting("title", "5B <Lyc\xe9" "e> & co"));
    slot(1, 0, 'C', 3, "Math");
    slot(1, 0, 'C', 0, "Latin");
    slot(1, 0, 'T', 0, "Mr Smith");
    slot(1, 0, 'L', 3, "12");
    slot(6, 9, 'L', 0, "Lab");
    slot(3, 4, 'C', 1, "Art");
    diaryState.weekColour = 3;
    for (int useDefaults = 0; useDefaults <= 1; useDefaults++) {
        diaryState.useDefaults = useDefaults;
        exportWeekGridPage();
        Grid grid;
        grid.cells[0][0] = big("Math") + big(useDefaults ? "Mr Smith" : dash) + big("12");
        if (useDefaults) grid.cells[5][9] = big(dash) + big(dash) + big("Lab");
        EXPECT_EQ(grid.page("#ffaaaa", "5B &lt;Lyc\xe9" "e&gt; &amp; co"), page("week.html")) << "useDefaults " << useDefaults;
    }
}

// Fills the day table with 360 days from the given weekday on, the first in week firstWeek;
// weeks change on Sundays and run 1..52.
static void fillDayTable(int firstWeekday, int firstWeek) {
    int week = firstWeek;
    for (int i = 0; i < DAY_TABLE_SIZE; i++) {
        int weekday = (firstWeekday + i) % 7;
        if (i > 0 && weekday == 0) week = week % 52 + 1;
        dayTable[i] = DayEntry{weekday, 1 + i % 28, week, 1 + i / 31, 125};
    }
}

TEST_F(ExportTest, WeeksTablePageWalksTheDayTableFromItsFirstDay) {
    // Week 35's colour 9 comes only from a hand-edited file: it shows white.
    writeData("weeks.dat", WEEKS_HEADER "31=1\n32=2\n33=3\n34=4\n35=9\n1=3\n");

    // From a Sunday every cell is a whole week: weeks 30 to 52, then 1 to 27.
    fillDayTable(0, 30);
    exportWeeksTablePage();
    EXPECT_EQ(goldenText("weeks_table_from_week_30.html"), page("weeks.html"));
    EXPECT_EQ(quoted("weeks.html"), platformLastLaunchParams());

    // From a Wednesday the short first stretch is still one cell: weeks 5 to 52, then 1 and 2,
    // all white with no coloured week.
    writeData("weeks.dat", WEEKS_HEADER);
    fillDayTable(3, 5);
    exportWeeksTablePage();
    EXPECT_EQ(goldenText("weeks_table_from_week_5.html"), page("weeks.html"));
}
