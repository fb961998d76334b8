// Every command id sent to the main window runs its operation: navigation, save, quit, week
// colours, options, prompts, questions, help boxes and exports; other ids run nothing.
#include <windows.h>

#include <string>

#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/notify.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "records/store_version.h"
#include "support/platform_recorder.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiCommands : public UiTest {};

static void cancelDialog() {
    SendMessageA(inputDialogWindow(), WM_COMMAND, MAKEWPARAM(IDC_DLG_CANCEL, BN_CLICKED), 0);
    pumpMessages();
}

TEST_F(UiCommands, WeekCommandsOfMenuAndToolbarMoveOneWeek) {
    open();
    const int forward[] = {CMD_TB_NEXT, CMD_WEEK_FORWARD}, backward[] = {CMD_TB_PREVIOUS, CMD_WEEK_BACKWARD};
    for (int id : forward) {
        int before = diaryState.selectedWeek;
        command(id);
        EXPECT_EQ(diaryState.selectedWeek, before + 1) << id;
    }
    for (int id : backward) {
        int before = diaryState.selectedWeek;
        command(id);
        EXPECT_EQ(diaryState.selectedWeek, before - 1) << id;
    }
    EXPECT_NE(windowText(mainUi.status).find("Selected week:16 "), std::string::npos);
}

TEST_F(UiCommands, SaveOfMenuAndToolbarStoresTheEditorUnderTheSelectedSlot) {
    open();
    SetWindowTextA(mainUi.notes, "page 12\r\nexercise 3");
    command(CMD_SAVE);
    EXPECT_NE(dataBytes("wkb_txt.data").find("W16D3P0=page 12 |exercise 3\r\n"), std::string::npos);
    SetWindowTextA(mainUi.notes, "changed");
    command(CMD_TB_SAVE);
    EXPECT_NE(dataBytes("wkb_txt.data").find("W16D3P0=changed\r\n"), std::string::npos);
    EXPECT_EQ(frontBoxCount(), 0);
}

TEST_F(UiCommands, QuitOfMenuAndToolbarEndsAtOnceAndStoresNoUntypedText) {
    const int quits[] = {CMD_QUIT, CMD_TB_QUIT};
    for (int id : quits) {
        open();
        SetWindowTextA(mainUi.notes, "not saved");
        SendMessageA(window, WM_COMMAND, id, 0);
        EXPECT_FALSE(IsWindow(window)) << id;
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << id;
        EXPECT_EQ(dataBytes("wkb_txt.data").find("not saved"), std::string::npos);
        EXPECT_EQ(frontBoxCount(), 0);
    }
}

TEST_F(UiCommands, ColourButtonsColourTheWeekThenRebuildSlotAndStatusLines) {
    open();
    const unsigned long colours[5] = {0xFFFFFF, 0x64FFFF, 0x96FF96, 0x9696FF, 0xFFB4B4};
    for (int c = 4; c >= 0; c--) {
        frontClearTrace();
        command(CMD_TB_COLOUR0 + c);
        EXPECT_EQ(diaryState.weekColour, c);
        EXPECT_EQ(frontLastStatusColour(), colours[c]);
        EXPECT_STREQ(frontTrace(), "slot,slot,colour,status");
    }
    EXPECT_NE(dataBytes("weeks.dat").find("16=0\r\n"), std::string::npos);
}

TEST_F(UiCommands, OptionCommandsSetTheOptionAndRefreshTheStatusLine) {
    open();
    command(CMD_BIP_OFF);
    command(CMD_INFO_OFF);
    EXPECT_EQ(diaryState.beepOn + diaryState.infoOn, 0);
    const std::string off = windowText(mainUi.status);
    EXPECT_EQ(off.substr(off.size() - 11), " [Action: ]");
    command(CMD_BIP_ON);
    command(CMD_INFO_ON);
    EXPECT_NE(windowText(mainUi.status).find(" [Bip] [Info]"), std::string::npos);
    command(CMD_DEFAULTS_ON);
    EXPECT_EQ(diaryState.useDefaults, 1);
    EXPECT_STREQ(readSetting("default"), "yes");
    command(CMD_DEFAULTS_OFF);
    EXPECT_EQ(diaryState.useDefaults, 0);
}

struct PromptCase {
    int id;
    int action;
    const char* offered;  // the chooser's values, or NULL for the plain text field
};

// Each prompt opens the owned dialog with the fields of its action; Cancel ends the action.
TEST_F(UiCommands, PromptCommandsOpenTheDialogWithTheFieldsOfTheirAction) {
    open();
    writeData("hdvalues.dat", "[C]Math\n[T]Smith\n[C]Latin\n[L]12\n[T]Jones\n[L]Lab\n");
    const PromptCase cases[] = {{214, 2, "Math,Latin"}, {215, 3, "Smith,Jones"}, {216, 4, "12,Lab"},
                                {217, 1, NULL},         {220, 10, NULL},         {221, 11, "Math,Latin"},
                                {222, 12, NULL},        {223, 13, "Smith,Jones"}, {224, 14, NULL},
                                {225, 15, "12,Lab"},    {206, 6, NULL},          {23, 6, NULL}};
    for (const PromptCase& c : cases) {
        command(c.id);
        EXPECT_EQ(diaryState.action, c.action) << c.id;
        HWND dlg = inputDialogWindow();
        ASSERT_TRUE(dlg) << c.id;
        EXPECT_TRUE(IsWindowVisible(dlg)) << c.id;
        EXPECT_EQ(GetWindow(dlg, GW_OWNER), window) << c.id;
        HWND chooser = GetDlgItem(dlg, IDC_DLG_CHOOSER);
        EXPECT_EQ(GetDlgItem(dlg, IDC_DLG_TEXT) == NULL, c.offered != NULL) << c.id;
        if (c.offered) EXPECT_EQ(chooserItems(chooser), c.offered) << c.id;
        else EXPECT_FALSE(chooser) << c.id;
        EXPECT_EQ(GetDlgItem(dlg, IDC_DLG_WEEK) != NULL, c.action == ACTION_SEARCH) << c.id;
        cancelDialog();
        EXPECT_EQ(diaryState.action, 0) << c.id;
        EXPECT_FALSE(IsWindow(dlg)) << c.id;
    }
    EXPECT_EQ(frontBoxCount(), 0);
}

TEST_F(UiCommands, QuestionCommandsAskTheOwnedYesNoQuestion) {
    open();
    const PromptCase cases[] = {{202, ACTION_PRINT, NULL}, {205, ACTION_INITIALISE, NULL}, {219, ACTION_TEACHER_MODE, NULL}};
    for (const PromptCase& c : cases) {
        frontClearBoxes();
        frontClearTrace();
        command(c.id);
        ASSERT_EQ(frontBoxCount(), 1) << c.id;
        EXPECT_STREQ(frontBoxTitle(0), "Question");
        EXPECT_EQ(frontBoxOwner(0), window);
        EXPECT_EQ(frontBoxFlags(0), (UINT)(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
        // Answered No: the action is dropped and the status line says so.
        EXPECT_EQ(diaryState.action, 0) << c.id;
        EXPECT_NE(windowText(mainUi.status).find("[Action: ]"), std::string::npos);
    }
    EXPECT_STREQ(frontBoxText(0), "Are you sure to switch in teacher mode ?\nNo way back...");
}

TEST_F(UiCommands, HelpCommandsShowTheAboutAndVersionBoxes) {
    open();
    command(CMD_WWW);
    command(CMD_VERSION);
    ASSERT_EQ(frontBoxCount(), 2);
    EXPECT_STREQ(frontBoxTitle(0), "Intro");
    EXPECT_STREQ(frontBoxText(0), aboutText());
    EXPECT_STREQ(frontBoxTitle(1), "Intro");
    EXPECT_STREQ(frontBoxText(1), " Version: " CURRENT_VERSION " \n");
    // "WWW..." opens no page.
    EXPECT_STREQ(platformLastLaunchProgram(), "");
}

TEST_F(UiCommands, ExportCommandsWriteTheirFilesInTheDataFolder) {
    open();
    const struct {
        int id;
        const char* file;
    } exports[] = {{201, "daylist.gpe"}, {226, "today.html"}, {227, "week.html"}, {228, "weeks.html"}};
    for (const auto& e : exports) {
        command(e.id);
        EXPECT_TRUE(fileExists(base.file(std::string("wkb_db\\") + e.file))) << e.id;
    }
}

TEST_F(UiCommands, WhileAnActionIsPendingPromptsAreRefusedButOtherCommandsRun) {
    open();
    command(CMD_TITLE);
    HWND dlg = inputDialogWindow();
    command(CMD_COURSE_SELECT);
    command(CMD_INITIALIZE);
    ASSERT_EQ(frontBoxCount(), 2);
    EXPECT_STREQ(frontBoxTitle(0), "Stop");
    EXPECT_STREQ(frontBoxText(0), ANOTHER_FUNCTION_RUNNING);
    EXPECT_EQ(inputDialogWindow(), dlg);
    EXPECT_EQ(diaryState.action, ACTION_TITLE);
    command(CMD_TB_COLOUR0 + 3);
    command(CMD_WEEK_FORWARD);
    EXPECT_EQ(diaryState.selectedWeek, 17);
    EXPECT_EQ(diaryState.weekColour, 0);
    EXPECT_EQ(diaryState.action, ACTION_TITLE);
    EXPECT_TRUE(IsWindow(dlg));
}

TEST_F(UiCommands, UnboundIdsRunNothing) {
    open();
    const int unbound[] = {0, 19, 30, 218, 231, 500, 65535};
    for (int id : unbound) command(id);
    EXPECT_EQ(frontBoxCount(), 0);
    EXPECT_STREQ(frontTrace(), "");
    EXPECT_EQ(diaryState.action, 0);
    EXPECT_EQ(diaryState.selectedWeek, 16);
    EXPECT_FALSE(inputDialogWindow());
}
