// One week of use from the first start: colour a week, fill the timetable, write notes on two
// days, search them, switch to teacher mode, set a title, and start again on the Sunday.
// Every file is checked byte for byte and every text shown along the way.
#include <gtest/gtest.h>

#include <string>

#include "core/build_config.h"
#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/actions.h"
#include "diary/navigation.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "diary/search.h"
#include "diary/slot.h"
#include "diary/startup_message.h"
#include "diary/status_line.h"
#include "records/settings.h"
#include "records/store_version.h"
#include "records/week_colours.h"

class DiaryScenarioTest : public DiaryCoreTest {
protected:
    // What the window does once it exists, and after a click on a tab.
    void windowCreated() {
        refreshStatusLine();
        refreshSlotLine();
        loadNotes();
    }
    void clickTabs(int dayTab, int periodTab) {
        diaryState.selectedDay = dayTab + 1;
        diaryState.selectedPeriod = periodTab;
        loadNotes();
        refreshSlotLine();
        refreshStatusLine();
    }
    void choose(void (*prompt)(int), int kind, const char* value) {
        prompt(kind);
        typeAndOk(value);
    }
};

static const std::string header =
    "##################################################################\r\n"
    "#        RC for WKB. Please, do not edit manually!\r\n"
    "##################################################################\r\n";

TEST_F(DiaryScenarioTest, AWeekOfUseFromTheFirstStart) {
    // Monday: the first start creates the store.
    startAt(2026, 1, 12);
    char message[1024];
    composeStartupMessage(message, sizeof message);
    EXPECT_EQ(std::string(aboutText()) + "\n WKB database Init.: OK \nPath: " + data(""), message);
    EXPECT_EQ(header + "version=" CURRENT_VERSION "\r\ninfo=yes\r\nbip=yes\r\n", dataBytes(".wkb.rc"));
    EXPECT_EQ("### Weeks colors data. Please do not edit.\r\n", dataBytes("weeks.dat"));
    windowCreated();
    EXPECT_EQ("[Current week:3 / Selected week:3 (1/12/2026)]  [Action: ] [Bip] [Info]", frontLog.statusText);
    EXPECT_EQ(0xFFFFFFul, frontLog.statusColour);
    EXPECT_EQ("   Course:      Teacher:      Classroom: ", frontLog.slotLine);
    EXPECT_EQ("", frontLog.notes);

    // Week 3 is a yellow week; its timetable is filled from the value lists.
    setWeekColour(1);
    refreshSlotLine();
    refreshStatusLine();
    EXPECT_EQ(0x64FFFFul, frontLog.statusColour);
    choose(promptAdd, 0, "Math");
    choose(promptAdd, 1, "Mr O'Brien");
    choose(promptAdd, 2, "Room 12");
    choose(promptSelect, 0, "Math");
    choose(promptSelect, 1, "Mr O`Brien");
    choose(promptSelect, 2, "Room 12");
    EXPECT_EQ("   Course: Math     Teacher: Mr O`Brien     Classroom: Room 12", frontLog.slotLine);

    // The plain timetable of Period 2, set in week 4 (no colour), shows in week 3 once the
    // default values are on.
    nextWeek();
    clickTabs(0, 1);
    choose(promptSelect, 0, "History");
    previousWeek();
    EXPECT_EQ("   Course:      Teacher:      Classroom: ", frontLog.slotLine);
    setUseDefaults(1);
    refreshStatusLine();
    refreshSlotLine();
    EXPECT_EQ("   Course: History     Teacher:      Classroom: ", frontLog.slotLine);

    // Notes on Monday, Period 1 and Tuesday, Period 1.
    clickTabs(0, 0);
    frontLog.notes = "Homework:\r\nexercise 3 p. 42";
    saveNotes();
    clickTabs(1, 0);
    EXPECT_EQ("[Current week:3 / Selected week:3 (1/13/2026)]  [Action: ] [Bip] [Info]", frontLog.statusText);
    frontLog.notes = "Homework: essay|draft";
    saveNotes();

    // The search finds both, in file order, then beeps; Cancel ends it.
    promptSearch();
    typeAndOk("Homework", 1);
    EXPECT_EQ("   Course:      Teacher:      Classroom: ", frontLog.slotLine);
    typeAndOk("Homework", 1);
    EXPECT_EQ("tabs|0|0", frontCalls("tabs|").back());
    EXPECT_EQ("Homework:\r\nexercise 3 p. 42", frontLog.notes);
    EXPECT_EQ("   Course: Math     Teacher: Mr O`Brien     Classroom: Room 12", frontLog.slotLine);
    EXPECT_EQ("[Current week:3 / Selected week:3 (1/12/2026)]  [Action: Search] [Bip] [Info]", frontLog.statusText);
    typeAndOk("Homework", 1);
    EXPECT_EQ("Homework: essay|draft", frontLog.notes) << "a typed \"|\" loads as typed";
    newBeeps();
    typeAndOk("Homework", 1);
    EXPECT_EQ(1, newBeeps()) << "after the last hit";
    cancelInput();
    EXPECT_EQ(0, diaryState.action);

    // Teacher mode and a title.
    frontLog.answers = {1};
    askTeacherMode();
    EXPECT_EQ("box|Info|information| Please, restrat. ", frontLog.calls.back());
    refreshSlotLine();
    EXPECT_EQ("   Course:      Class:      Classroom: ", frontLog.slotLine);
    promptTitle();
    typeAndOk("Anna's diary");
    EXPECT_EQ("WinWkb  " WKB_WEB_ADDRESS " [ Anna's diary ]", frontLog.windowTitle);

    // Sunday: the store is found current, teacher mode stays, Saturday of week 3 is shown.
    resetDiaryState();
    resetFrontLog();
    startAt(2026, 1, 18);
    composeStartupMessage(message, sizeof message);
    EXPECT_EQ(std::string(aboutText()) + "\n WKB database: OK \nPath: " + data(""), message);
    windowCreated();
    EXPECT_EQ("[Current week:3 / Selected week:3 (1/17/2026)]  [Action: ] [Bip] [Info]", frontLog.statusText);
    EXPECT_EQ(0x64FFFFul, frontLog.statusColour);
    promptSelect(1);
    EXPECT_EQ("input| Please select the content \n of Class:  for Saturday , Course 1 :\n", frontCalls("input|").back());
    cancelInput();

    EXPECT_EQ(header + "version=" CURRENT_VERSION "\r\ninfo=yes\r\nbip=yes\r\ndefault=yes\r\nteacher=yes\r\n"
                       "title=Anna's diary\r\n",
              dataBytes(".wkb.rc"));
    EXPECT_EQ("### Weeks colors data. Please do not edit.\r\n3=1\r\n", dataBytes("weeks.dat"));
    EXPECT_EQ("[C]Math\r\n[T]Mr O`Brien\r\n[L]Room 12\r\n", dataBytes("hdvalues.dat"));
    EXPECT_EQ("D1P0C|1=Math\r\nD1P0T|1=Mr O`Brien\r\nD1P0L|1=Room 12\r\nD1P1C=History\r\n", dataBytes("wkb_hd.data"));
    EXPECT_EQ("W3D1P0=Homework: |exercise 3 p. 42\r\nW3D2P0=Homework: essay|draft\r\n", dataBytes("wkb_txt.data"));
}
