// The input dialog for each action: its fields, OK and Cancel; the search that stays open over
// several OKs; and bad input: busy prompts, Save during a search, an untouched or empty
// chooser, a 254-character value, an accented title, a dialog that cannot be created.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/build_config.h"
#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/search.h"
#include "platform/platform.h"
#include "store/table_store.h"
#include "support/platform_recorder.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiDialog : public UiTest {};
class UiBadInput : public UiTest {};

static HWND dlg() { return inputDialogWindow(); }
static HWND item(int id) { return GetDlgItem(dlg(), id); }

static void press(int id) {
    SendMessageA(dlg(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)item(id));
    pumpMessages();
}

static const char lists[] = "[C]Math\n[T]Smith\n[C]Latin\n[L]12\n[T]Jones\n[L]Lab\n";

TEST_F(UiDialog, TitleShowsThePlainTextFieldAndKeepsApostrophesAndAccents) {
    open();
    command(CMD_TITLE);
    ASSERT_TRUE(dlg());
    EXPECT_EQ(windowText(dlg()), "keyboard input");
    EXPECT_EQ(windowText(item(IDC_DLG_PROMPT)), " Please entre a title.\n");
    EXPECT_EQ(windowText(item(IDC_DLG_OK)), "OK");
    EXPECT_TRUE(item(IDC_DLG_TEXT));
    EXPECT_FALSE(item(IDC_DLG_CHOOSER));
    EXPECT_FALSE(item(IDC_DLG_WEEK));
    EXPECT_EQ(GetFocus(), item(IDC_DLG_TEXT));
    EXPECT_EQ((HFONT)SendMessageA(item(IDC_DLG_OK), WM_GETFONT, 0, 0), mainUi.uiFont);

    SetWindowTextA(item(IDC_DLG_TEXT), "L'\xE9" "cole d'\xE9t\xE9");
    press(IDC_DLG_OK);
    EXPECT_FALSE(dlg());
    EXPECT_EQ(diaryState.action, 0);
    EXPECT_EQ(windowText(window), "WinWkb  " WKB_WEB_ADDRESS " [ L'\xE9" "cole d'\xE9t\xE9 ]");
    EXPECT_NE(dataBytes(".wkb.rc").find("title=L'\xE9" "cole d'\xE9t\xE9\r\n"), std::string::npos);
}

TEST_F(UiDialog, SelectOffersItsListAndStoresTheChoiceForTheSlot) {
    open();
    writeData("hdvalues.dat", lists);
    command(CMD_COURSE_SELECT);
    ASSERT_TRUE(dlg());
    EXPECT_EQ(windowText(item(IDC_DLG_PROMPT)), " Please select the content \n of Course:  for Wednesday , Course 1 :\n");
    EXPECT_FALSE(item(IDC_DLG_TEXT));
    EXPECT_EQ(className(item(IDC_DLG_CHOOSER)), "ComboBox");
    EXPECT_EQ(windowText(item(IDC_DLG_CHOOSER)), "S\xE9lection");
    EXPECT_EQ(chooserItems(item(IDC_DLG_CHOOSER)), "Math,Latin");

    SendMessageA(item(IDC_DLG_CHOOSER), CB_SETCURSEL, 1, 0);
    press(IDC_DLG_OK);
    EXPECT_FALSE(dlg());
    EXPECT_NE(dataBytes("wkb_hd.data").find("D3P0C=Latin\r\n"), std::string::npos);
    EXPECT_EQ(windowText(mainUi.slotLine), "   Course: Latin     Teacher:      Classroom: ");
}

TEST_F(UiDialog, AddAndRemoveGoThroughTheValueList) {
    open();
    command(CMD_TEACHER_ADD);
    SetWindowTextA(item(IDC_DLG_TEXT), "O'Neil");
    press(IDC_DLG_OK);
    EXPECT_EQ(dataBytes("hdvalues.dat"), "[T]O`Neil\r\n");
    command(CMD_TEACHER_REMOVE);
    EXPECT_EQ(chooserItems(item(IDC_DLG_CHOOSER)), "O`Neil");
    SendMessageA(item(IDC_DLG_CHOOSER), CB_SETCURSEL, 0, 0);
    press(IDC_DLG_OK);
    EXPECT_EQ(dataBytes("hdvalues.dat"), "");
}

TEST_F(UiDialog, CancelWritesNothingAndTheCloseBoxDoesNotEndTheDialog) {
    open();
    const std::string before = dataBytes("wkb_hd.data");
    command(CMD_CLASSROOM_SELECT);
    SetWindowTextA(item(IDC_DLG_CHOOSER), "Lab");
    press(IDC_DLG_CANCEL);
    EXPECT_EQ(dataBytes("wkb_hd.data"), before);
    command(CMD_TITLE);
    HWND open = dlg();
    SendMessageA(open, WM_CLOSE, 0, 0);
    pumpMessages();
    EXPECT_TRUE(IsWindow(open));
    EXPECT_EQ(diaryState.action, ACTION_TITLE);
}

TEST_F(UiDialog, SearchShowsWeekFieldAndSpinnerAndStaysOpenOverSeveralOks) {
    open();
    tableOp(TABLE_SET, NOTES_TABLE, "W5D1P0", "homework p.3");
    tableOp(TABLE_SET, NOTES_TABLE, "W20D2P3", "homework p.9");
    command(CMD_SEARCH);
    ASSERT_TRUE(dlg());
    EXPECT_EQ(windowText(item(IDC_DLG_OK)), "Search");
    HWND week = item(IDC_DLG_WEEK), spinner = item(IDC_DLG_SPINNER);
    EXPECT_EQ(windowText(week), "16");
    EXPECT_EQ((HWND)SendMessageA(spinner, UDM_GETBUDDY, 0, 0), week);
    int low = -1, high = -1;
    SendMessageA(spinner, UDM_GETRANGE32, (WPARAM)&low, (LPARAM)&high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 52);
    EXPECT_TRUE(item(IDC_DLG_TEXT));

    SetWindowTextA(item(IDC_DLG_TEXT), "homework");
    SetWindowTextA(week, "10");
    press(IDC_DLG_OK);  // a new keyword: shows nothing yet
    EXPECT_EQ(diaryState.selectedWeek, 16);
    press(IDC_DLG_OK);  // week 20, Tuesday, Period 4
    EXPECT_EQ(diaryState.selectedWeek, 20);
    EXPECT_EQ(SendMessageA(mainUi.dayTabs, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(mainUi.periodTabs, TCM_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(windowText(mainUi.notes), "homework p.9");
    int beeps = platformBeepCount();
    press(IDC_DLG_OK);  // no more hits
    EXPECT_GT(platformBeepCount(), beeps);
    EXPECT_TRUE(dlg());
    EXPECT_EQ(diaryState.action, ACTION_SEARCH);
    EXPECT_TRUE(searchState.file != NULL);
    press(IDC_DLG_CANCEL);
    EXPECT_FALSE(dlg());
    EXPECT_EQ(diaryState.action, 0);
    EXPECT_TRUE(searchState.file == NULL);
}

TEST_F(UiDialog, TheWeekFieldIsReadForItsFirstSixCharacters) {
    open();
    command(CMD_SEARCH);
    SetWindowTextA(item(IDC_DLG_TEXT), "x");
    SetWindowTextA(item(IDC_DLG_WEEK), "0000017");
    press(IDC_DLG_OK);
    EXPECT_EQ(searchState.startWeek, 1);
    SetWindowTextA(item(IDC_DLG_WEEK), "week");
    press(IDC_DLG_OK);
    EXPECT_EQ(searchState.startWeek, 0);
}

TEST_F(UiBadInput, SaveDuringASearchIsRefusedAndStoresNothing) {
    open();
    command(CMD_TB_SEARCH);
    SetWindowTextA(mainUi.notes, "typed during the search");
    command(CMD_TB_SAVE);
    ASSERT_EQ(frontBoxCount(), 1);
    EXPECT_STREQ(frontBoxTitle(0), "Stop");
    EXPECT_STREQ(frontBoxText(0), ANOTHER_FUNCTION_RUNNING);
    EXPECT_EQ(dataBytes("wkb_txt.data").find("typed"), std::string::npos);
    EXPECT_TRUE(dlg());
    EXPECT_EQ(diaryState.action, ACTION_SEARCH);
}

TEST_F(UiBadInput, AnUntouchedChooserCommitsNothingAndAnEmptyOneStillTakesATypedValue) {
    open();
    tableOp(TABLE_SET, TIMETABLE_TABLE, "D3P0C", "Math");
    command(CMD_COURSE_SELECT);
    // No value lists file: told once, the chooser is empty.
    ASSERT_EQ(frontBoxCount(), 1);
    EXPECT_STREQ(frontBoxTitle(0), "Stop");
    EXPECT_STREQ(frontBoxText(0), "Fichier introuvable");
    EXPECT_EQ(chooserItems(item(IDC_DLG_CHOOSER)), "");
    press(IDC_DLG_OK);
    EXPECT_TRUE(dlg());
    EXPECT_EQ(diaryState.action, ACTION_SELECT_COURSE);
    // Told why nothing happened, in a box owned by the dialog.
    ASSERT_EQ(frontBoxCount(), 2);
    EXPECT_STREQ(frontBoxText(1), "Choose a value from the list or type one.");
    EXPECT_EQ(frontBoxOwner(1), dlg());
    EXPECT_NE(dataBytes("wkb_hd.data").find("D3P0C=Math\r\n"), std::string::npos);

    SetWindowTextA(item(IDC_DLG_CHOOSER), "Physics");
    press(IDC_DLG_OK);
    EXPECT_FALSE(dlg());
    EXPECT_NE(dataBytes("wkb_hd.data").find("D3P0C=Physics\r\n"), std::string::npos);
}

TEST_F(UiBadInput, AValueOf254CharactersIsKeptWholeAndTypingStopsThere) {
    open();
    command(CMD_CLASSROOM_ADD);
    EXPECT_EQ(SendMessageA(item(IDC_DLG_TEXT), EM_GETLIMITTEXT, 0, 0), 254);
    const std::string value(254, 'r');
    SetWindowTextA(item(IDC_DLG_TEXT), value.c_str());
    press(IDC_DLG_OK);
    EXPECT_EQ(dataBytes("hdvalues.dat"), "[L]" + value + "\r\n");

    command(CMD_CLASSROOM_SELECT);
    SetWindowTextA(item(IDC_DLG_CHOOSER), value.c_str());
    press(IDC_DLG_OK);
    EXPECT_NE(dataBytes("wkb_hd.data").find("D3P0L=" + value + "\r\n"), std::string::npos);
}

TEST_F(UiBadInput, ADialogThatCannotBeCreatedLeavesNothingPending) {
    open();
    inputDialogForceFailure(1);
    command(CMD_COURSE_SELECT);
    EXPECT_FALSE(dlg());
    EXPECT_EQ(diaryState.action, 0);
    command(CMD_TITLE);
    EXPECT_EQ(diaryState.action, 0);
    // Nothing stays locked: Save works and the next dialog opens.
    SetWindowTextA(mainUi.notes, "kept");
    command(CMD_SAVE);
    EXPECT_NE(dataBytes("wkb_txt.data").find("W16D3P0=kept\r\n"), std::string::npos);
    EXPECT_EQ(findBox("Stop"), -1);
    inputDialogForceFailure(0);
    command(CMD_TITLE);
    EXPECT_TRUE(dlg());
}

// A name with letters the code page lacks is not stored as "??????" unseen: the letters are
// named, No goes back to the text, Yes stores the stand-ins.
TEST_F(UiBadInput, ANameWithLettersTheCodePageLacksIsNamedBeforeItIsStored) {
    open();
    command(CMD_COURSE_ADD);
    SetWindowTextW(item(IDC_DLG_TEXT), L"\x424\x438\x437\x438\x43a\x430");  // Физика
    press(IDC_DLG_OK);
    ASSERT_EQ(frontBoxCount(), 1);
    EXPECT_NE(std::string(frontBoxText(0)).find("\xd0\xa4 \xd0\xb8 \xd0\xb7 \xd0\xba \xd0\xb0"), std::string::npos) << frontBoxText(0);
    EXPECT_TRUE(IsWindow(dlg()));
    EXPECT_EQ(dataBytes("hdvalues.dat"), "");
    frontQueueAnswer(1);
    press(IDC_DLG_OK);
    EXPECT_EQ(dataBytes("hdvalues.dat"), "[C]??????\r\n");
}
