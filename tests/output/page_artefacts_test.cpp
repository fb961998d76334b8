// Writes the pages of a full store into the artefact folder ("pages/"), where
// scripts/render-pages turns each into a screenshot for a person to look at.
#include <gtest/gtest.h>

#include <string>

#include "core/diary_state.h"
#include "output/day_list.h"
#include "output/page_test_support.h"
#include "output/pages.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "support/temp_folder.h"

TEST_F(ExportTest, ArtefactPagesOfAFullStore) {
    static const char* const courses[] = {"Math", "French", "History", "Physics", "English",
                                          "Biology", "Sport", "Latin", "Art", "Music"};
    static const char* const rooms[] = {"12", "B 4", "Lab", "Gym", "210"};
    for (int day = 1; day <= 6; day++)
        for (int period = 0; period < 10; period++) {
            if ((day + period) % 4 == 3) continue;  // free periods
            slot(day, period, 'C', 0, courses[(day * 3 + period) % 10]);
            slot(day, period, 'T', 0, period % 2 ? "Mrs Dupont" : "Mr O`Neil");
            slot(day, period, 'L', 0, rooms[(day + period) % 5]);
        }
    slot(4, 2, 'C', 2, "Chemistry <lab>");
    ASSERT_EQ(1, writeSetting("title", "Class 5B & friends"));
    notes(3, 4, 0, "Exercises 4 to 7, p. 112 |Learn the theorem: if a < b & b < c then a < c");
    notes(3, 4, 2, "Bring \"safety glasses\"");
    std::string essay = "Essay:";
    while (essay.size() < 560) essay += " write one more sentence about the causes of the war,";
    notes(3, 4, 5, essay);
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n3=2\n4=1\n5=2\n6=3\n7=4\n40=1\n41=2\n");
    diaryState.weekColour = 2;
    diaryState.useDefaults = 1;

    exportDayPage();
    exportWeekGridPage();
    exportWeeksTablePage();
    exportDayList();

    std::string folder = artefactFolder() + WKB_SEP "pages";
    platformMakeFolder(folder.c_str());
    for (const char* name : {"today.html", "week.html", "weeks.html", "daylist.gpe"}) {
        ASSERT_TRUE(fileExists(data(name))) << name;
        writeBytes(folder + WKB_SEP + name, dataBytes(name));
    }
}
