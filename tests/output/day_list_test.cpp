// The day list byte for byte: an empty day, a full day in class and in teacher mode (values as
// stored), the slots of a coloured week as the window shows them, and the Notepad launch.
#include <gtest/gtest.h>

#include <string>

#include "core/diary_state.h"
#include "output/day_list.h"
#include "output/page_test_support.h"
#include "platform/platform.h"
#include "support/golden.h"
#include "support/platform_recorder.h"

static const std::string stars(78, '*'), dashes(78, '-');

static std::string banner(const std::string& week, const std::string& day) {
    return stars + "\n                 Programme  Semaine: " + week + "  Jour: " + day + "\n" + stars + "\n";
}

static std::string period(int p, const std::string& line, const std::string& notes = "") {
    return "- Period " + std::to_string(p + 1) + "  >>> " + line + "\n" + dashes + "\n" + notes + dashes + "\n";
}

TEST_F(ExportTest, DayListOfAnEmptyDay) {
    exportDayList();
    EXPECT_EQ(goldenText("day_list_empty.gpe"), page("daylist.gpe"));
    // Notepad gets the path as it is: it reads the whole rest of its command line.
    EXPECT_STREQ("notepad.exe", platformLastLaunchProgram());
    EXPECT_EQ(data("daylist.gpe"), platformLastLaunchParams());
}

TEST_F(ExportTest, DayListOfAFullDayInClassAndTeacherMode) {
    slot(4, 0, 'C', 0, "Math");
    slot(4, 0, 'T', 0, "Mr O`Neil");
    slot(4, 0, 'L', 0, "12");
    slot(4, 0, 'C', 2, "Coloured");
    slot(4, 1, 'T', 0, "5B");
    slot(4, 2, 'C', 2, "Only coloured");
    slot(4, 3, 'L', 0, "Lab <2> & \"3\"");
    notes(3, 4, 0, "first line |second & <last> a|b");
    notes(3, 4, 3, "done");
    notes(2, 4, 1, "other week");
    diaryState.weekColour = 2;
    diaryState.useDefaults = 1;

    for (int teacher = 0; teacher <= 1; teacher++) {
        diaryState.teacherMode = teacher;
        exportDayList();
        std::string label = teacher ? "Classe:" : "Prof.:";
        std::string expected = banner("3", "Thursday") +
                               period(0, " Coloured    " + label + "Mr O`Neil    Loc.:12",
                                      "first line \nsecond & <last> a|b\n") +
                               period(1, label + "5B    ") + period(2, " Only coloured    ") +
                               period(3, "Loc.:Lab <2> & \"3\"", "done\n");
        for (int p = 4; p < 10; p++) expected += period(p, "");
        EXPECT_EQ(expected, page("daylist.gpe")) << "teacher mode " << teacher;
    }
}

// The slot line's lookup: the week's colour first, the plain week's values only with the
// default values on.
TEST_F(ExportTest, DayListOfAColouredWeekShowsTheWindowsTimetable) {
    slot(4, 0, 'C', 0, "Math");
    slot(4, 0, 'L', 0, "12");
    slot(4, 0, 'C', 3, "Latin");
    struct Case {
        int colour, useDefaults;
        const char* line;
    } cases[] = {
        {0, 0, " Math    Loc.:12"},
        {3, 0, " Latin    "},
        {3, 1, " Latin    Loc.:12"},
        {2, 0, ""},
        {2, 1, " Math    Loc.:12"},
    };
    for (const Case& c : cases) {
        diaryState.weekColour = c.colour;
        diaryState.useDefaults = c.useDefaults;
        exportDayList();
        std::string list = page("daylist.gpe");
        EXPECT_EQ(period(0, c.line), list.substr(banner("3", "Thursday").size(), period(0, c.line).size()))
            << c.colour << " " << c.useDefaults;
    }
}
