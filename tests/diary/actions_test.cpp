// Pending actions from prompt to commit or cancel: the guard, every prompt's text and tag,
// the cleaned values the commit stores, and the yes/no questions with both answers.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/build_config.h"
#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/actions.h"
#include "diary/search.h"
#include "records/settings.h"

class DiaryActionsTest : public DiaryCoreTest {
protected:
    std::string settings() { return dataBytes(".wkb.rc"); }
};

static const std::vector<std::function<void()>> startingOperations = {
    promptTitle,    [] { promptSelect(0); }, [] { promptSelect(1); }, [] { promptSelect(2); },
    [] { promptAdd(0); },   [] { promptAdd(1); },    [] { promptAdd(2); },    [] { promptRemove(0); },
    [] { promptRemove(1); }, [] { promptRemove(2); }, promptSearch,          askInitialise,
    askPrint,       askTeacherMode};

TEST_F(DiaryActionsTest, EveryStartIsRefusedWhileAnotherActionIsPending) {
    startThursday();
    for (int pending : {ACTION_TITLE, ACTION_SEARCH, ACTION_REMOVE_CLASSROOM}) {
        for (const auto& start : startingOperations) {
            diaryState.action = pending;
            resetFrontLog();
            start();
            EXPECT_EQ(std::vector<std::string>{"box|Stop|error|" ANOTHER_FUNCTION_RUNNING}, frontLog.calls);
            EXPECT_EQ(pending, diaryState.action);
        }
    }
}

TEST_F(DiaryActionsTest, PromptsSetTheirActionAndShowTheirTextAndTag) {
    startThursday();
    diaryState.selectedDay = 3;
    diaryState.selectedPeriod = 3;
    struct Case {
        std::function<void()> start;
        int teacherMode, action;
        const char *prompt, *tag;
    } cases[] = {
        {promptTitle, 0, 1, " Please entre a title.\n", "Title"},
        {[] { promptSelect(0); }, 0, 2, " Please select the content \n of Course:  for Wednesday , Course 4 :\n", "Course"},
        {[] { promptSelect(1); }, 0, 3, " Please select the content \n of Teacher:  for Wednesday , Course 4 :\n", "Teacher"},
        {[] { promptSelect(2); }, 0, 4, " Please select the content \n of Classroom:  for Wednesday , Course 4 :\n", "Classroom"},
        {[] { promptAdd(0); }, 0, 10, " Please enter a course:", "Course"},
        {[] { promptAdd(1); }, 0, 12, " Please enter a teacher:", "Teacher"},
        {[] { promptRemove(2); }, 0, 15, " Please enter a classroom:", "Classroom"},
        {promptSearch, 0, 6, "Search in the data base\nSelect the start week\nand enter a key word...", "Search"},
        {[] { promptSelect(1); }, 1, 3, " Please select the content \n of Class:  for Wednesday , Course 4 :\n", "Class"},
        {[] { promptAdd(1); }, 1, 12, " Please enter a class:", "Class"},
        {[] { promptRemove(1); }, 1, 13, " Please enter a class:", "Class"},
    };
    for (const Case& c : cases) {
        // The status line reads the options from the settings at each refresh.
        writeSetting("teacher", c.teacherMode ? "yes" : "no");
        diaryState.teacherMode = c.teacherMode;
        resetFrontLog();
        c.start();
        EXPECT_EQ(c.action, diaryState.action) << c.prompt;
        EXPECT_EQ(1u, frontCalls("input|" + std::string(c.prompt)).size()) << c.prompt;
        EXPECT_NE(std::string::npos, frontLog.statusText.find(std::string(" [Action: ") + c.tag + "]")) << c.prompt;
        cancelInput();
        EXPECT_EQ(0, diaryState.action);
        EXPECT_NE(std::string::npos, frontLog.statusText.find(" [Action: ] "));
    }
}

TEST_F(DiaryActionsTest, CommitStoresCleanedValuesUnderTheSlotKeyAndInTheLists) {
    startThursday();
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n3=2\n");
    promptSelect(0);
    size_t mark = frontLog.calls.size();
    typeAndOk("O'Neil's class");
    EXPECT_EQ("D4P0C|2=O`Neil`s class\r\n", dataBytes("wkb_hd.data"));
    EXPECT_EQ(0, diaryState.action);
    EXPECT_EQ((std::vector<std::string>{"colour", "status", "slot", "slot"}), callKinds(mark));
    EXPECT_EQ("   Course: O`Neil`s class     Teacher:      Classroom: ", frontLog.slotLine);
    promptSelect(2);
    typeAndOk("");
    EXPECT_EQ("D4P0C|2=O`Neil`s class\r\nD4P0L|2=\r\n", dataBytes("wkb_hd.data"));

    const char* adds[][2] = {{"0", "Math"}, {"1", "Smith"}, {"2", "Smith"}, {"2", "Lab\r\n[C]Fake"}, {"0", "Art's"}};
    for (auto& a : adds) {
        promptAdd(a[0][0] - '0');
        typeAndOk(a[1]);
    }
    EXPECT_EQ("[C]Math\r\n[T]Smith\r\n[L]Smith\r\n[L]Lab  [C]Fake\r\n[C]Art`s\r\n", dataBytes("hdvalues.dat"));
    promptRemove(1);
    typeAndOk("Smith");
    promptRemove(0);
    typeAndOk("Art's");
    EXPECT_EQ("[C]Math\r\n[L]Lab  [C]Fake\r\n", dataBytes("hdvalues.dat"));
    EXPECT_EQ(0, diaryState.action);
}

TEST_F(DiaryActionsTest, TitleKeepsItsApostropheInTheFileAndTheWindow) {
    startThursday();
    promptTitle();
    typeAndOk("Anna's diary");
    EXPECT_NE(std::string::npos, settings().find("\r\ntitle=Anna's diary\r\n"));
    EXPECT_EQ("WinWkb  " WKB_WEB_ADDRESS " [ Anna's diary ]", frontLog.windowTitle);
    EXPECT_EQ(0, diaryState.action);
    // A title that cannot be written is told, not passed over.
    std::remove(data(".wkb.rc").c_str());
    promptTitle();
    typeAndOk("Lost");
    // The settings file is gone: neither a full disk nor a refusal, so the system's code is shown.
    EXPECT_EQ(1u, frontCalls("box|Stop|error|The file could not be written (error " + std::to_string(ENOENT) +
                             "): the title was not saved. Nothing was lost; the previous version is kept.")
                      .size());
    EXPECT_EQ("WinWkb  " WKB_WEB_ADDRESS " [ Anna's diary ]", frontLog.windowTitle) << "the window shows what is stored";
}

TEST_F(DiaryActionsTest, QuestionsDoTheirWorkOnYesAndNothingOnNo) {
    startThursday();
    writeData("wkb_hd.data", "D1P0C=Math\n");
    writeData("wkb_txt.data", "W3D4P0=notes\n");
    frontLog.answers = {0};
    askInitialise();
    EXPECT_EQ((std::vector<std::string>{"colour", "status", "colour", "status", "ask", "colour", "status"}), callKinds());
    EXPECT_EQ("ask| !!! All Data will be distroyed.!!! \n Please comfirm and restart.", frontLog.calls[4]);
    EXPECT_EQ(0, diaryState.action);
    EXPECT_EQ("D1P0C=Math\r\n", dataBytes("wkb_hd.data"));
    frontLog.answers = {1};
    askInitialise();
    EXPECT_EQ("", dataBytes("wkb_hd.data"));
    EXPECT_EQ("", dataBytes("wkb_txt.data"));
    EXPECT_EQ(0, diaryState.action);

    frontLog.answers = {1};
    askPrint();
    EXPECT_EQ(1u, frontCalls("ask|please comfirm the week grid printing.").size());
    EXPECT_EQ(0, diaryState.action);

    frontLog.answers = {0, 1};
    askTeacherMode();
    EXPECT_EQ(std::string::npos, settings().find("teacher="));
    askTeacherMode();
    EXPECT_NE(std::string::npos, settings().find("\r\nteacher=yes\r\n"));
    EXPECT_EQ("box|Info|information| Please, restrat. ", frontLog.calls.back());
    EXPECT_EQ(1, diaryState.teacherMode) << "the refresh after the answer reads the new mode";
    promptAdd(1);
    EXPECT_NE(std::string::npos, frontLog.statusText.find(" [Action: Class]"));
    cancelInput();

    // A switch that could not be written does not ask for a restart.
    std::remove(data(".wkb.rc").c_str());
    resetFrontLog();
    frontLog.answers = {1};
    askTeacherMode();
    EXPECT_EQ(1u, frontCalls("box|Stop|error|The file could not be written (error " + std::to_string(ENOENT) +
                             "): the teacher mode was not saved.")
                      .size());
    EXPECT_EQ(0u, frontCalls("box|Info").size());
    EXPECT_EQ(0, diaryState.action);
}
