// Through the real window: a typed note survives a tab click, the close box and a restart; a
// note that cannot be kept holds the tab and the window; a select value lands in the slot its
// prompt named; Enter, Escape and every shortcut; the option marks; Current week.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/diary_state.h"
#include "diary/actions.h"
#include "platform/faults.h"
#include "store/table_store.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/keyboard.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiKeepNote : public UiTest {};
class UiKeys : public UiTest {};

// Types text into the notes editor as the keyboard does (the editor marks itself changed).
static void typeNote(const std::string& text) {
    SetFocus(mainUi.notes);
    int end = GetWindowTextLengthA(mainUi.notes);
    SendMessageA(mainUi.notes, EM_SETSEL, end, end);
    for (char c : text) PostMessageA(mainUi.notes, WM_CHAR, (WPARAM)(unsigned char)c, 0);
    pumpMessages();
}

static void pressKey(HWND target, int key) {
    PostMessageA(target, WM_KEYDOWN, key, 0);
    pumpMessages();
}

// A mouse click on tab index of a tab control.
static void clickTab(HWND tabs, int index) {
    RECT r = {};
    SendMessageA(tabs, TCM_GETITEMRECT, index, (LPARAM)&r);
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tabs, WM_LBUTTONUP, 0, at);
    pumpMessages();
}

static int periodTab() { return (int)SendMessageA(mainUi.periodTabs, TCM_GETCURSEL, 0, 0); }

// One key through the message loop's keyboard step, with the modifiers held down (VK_CONTROL,
// VK_SHIFT, VK_MENU) as the thread's key state; 1 when the loop handled it.
static int loopKey(HWND target, int key, int mod1 = 0, int mod2 = 0) {
    BYTE keys[256] = {};
    if (mod1) keys[mod1] = 0x80;
    if (mod2) keys[mod2] = 0x80;
    SetKeyboardState(keys);
    int alt = mod1 == VK_MENU || mod2 == VK_MENU;
    MSG msg = {};
    msg.hwnd = target;
    msg.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = (WPARAM)key;
    msg.lParam = alt ? (1 << 29) : 0;
    int handled = translateWindowKeys(&msg);
    if (!handled) DispatchMessageA(&msg);
    BYTE none[256] = {};
    SetKeyboardState(none);
    pumpMessages();
    return handled;
}

TEST_F(UiKeepNote, ANoteTypedAndLeftByATabClickIsThereOnTheWayBack) {
    open();
    typeNote("homework p. 12");
    pressKey(mainUi.periodTabs, VK_RIGHT);
    EXPECT_EQ(periodTab(), 1);
    EXPECT_EQ(windowText(mainUi.notes), "");
    EXPECT_NE(dataBytes("wkb_txt.data").find("W16D3P0=homework p. 12\r\n"), std::string::npos);
    pressKey(mainUi.periodTabs, VK_LEFT);
    EXPECT_EQ(windowText(mainUi.notes), "homework p. 12");
    // Clicking on without typing rewrites nothing.
    const std::string stored = dataBytes("wkb_txt.data");
    faultReset();
    pressKey(mainUi.periodTabs, VK_RIGHT);
    pressKey(mainUi.dayTabs, VK_RIGHT);
    EXPECT_EQ(faultCalls(FAULT_OPEN_WRITE), 0);
    EXPECT_EQ(dataBytes("wkb_txt.data"), stored);
    EXPECT_EQ(frontBoxCount(), 0);
}

TEST_F(UiKeepNote, ANoteTypedAndClosedWithTheCloseBoxIsThereAfterARestart) {
    open();
    typeNote("bring the atlas");
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    pumpMessages();
    open();
    EXPECT_EQ(windowText(mainUi.notes), "bring the atlas");
    // Quit from the menu and the end of the Windows session keep it too.
    typeNote(", ruler");
    EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
    EXPECT_NE(dataBytes("wkb_txt.data").find("W16D3P0=bring the atlas, ruler\r\n"), std::string::npos);
    typeNote(" and pens");
    command(CMD_QUIT);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_NE(dataBytes("wkb_txt.data").find("W16D3P0=bring the atlas, ruler and pens\r\n"), std::string::npos);
}

TEST_F(UiKeepNote, ANoteThatCannotBeKeptHoldsTheTabAndTheWindow) {
    open();
    typeNote(std::string(512, 'x'));
    clickTab(mainUi.periodTabs, 3);
    EXPECT_EQ(periodTab(), 0);
    pressKey(mainUi.periodTabs, VK_RIGHT);
    EXPECT_EQ(periodTab(), 0);
    EXPECT_EQ(diaryState.selectedPeriod, 0);
    ASSERT_GE(frontBoxCount(), 1);
    EXPECT_STREQ(frontBoxText(0), "The text is too long!\n The notes of one period hold at most 511 characters (a line break counts as two); this text has 512.");
    SendMessageA(window, WM_CLOSE, 0, 0);
    command(CMD_TB_QUIT);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(windowText(mainUi.notes), std::string(512, 'x'));

    // A disk that refuses the write: the same, and the old note stays whole.
    SetWindowTextA(mainUi.notes, "");
    typeNote("short");
    faultFailAll(FAULT_OPEN_WRITE, 1);
    pressKey(mainUi.dayTabs, VK_RIGHT);
    clickTab(mainUi.dayTabs, 5);
    command(CMD_WEEK_FORWARD);
    EXPECT_EQ(diaryState.selectedDay, 3);
    EXPECT_EQ((int)SendMessageA(mainUi.dayTabs, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(diaryState.selectedWeek, 16);
    EXPECT_EQ(windowText(mainUi.notes), "short");
    faultFailAll(FAULT_OPEN_WRITE, 0);
    pressKey(mainUi.dayTabs, VK_RIGHT);
    EXPECT_EQ(diaryState.selectedDay, 4);
    EXPECT_NE(dataBytes("wkb_txt.data").find("W16D3P0=short\r\n"), std::string::npos);
}

TEST_F(UiKeepNote, ASelectValueGoesToTheSlotItsPromptNamed) {
    open();
    writeData("hdvalues.dat", "[C]Math\n[C]Latin\n");
    pressKey(mainUi.dayTabs, VK_LEFT);
    command(CMD_COURSE_SELECT);
    HWND dialog = inputDialogWindow();
    ASSERT_TRUE(dialog);
    EXPECT_NE(windowText(GetDlgItem(dialog, IDC_DLG_PROMPT)).find("Tuesday , Course 1"), std::string::npos);
    pressKey(mainUi.dayTabs, VK_RIGHT);
    EXPECT_EQ(diaryState.selectedDay, 3);
    HWND chooser = GetDlgItem(dialog, IDC_DLG_CHOOSER);
    SendMessageA(chooser, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DLG_OK, BN_CLICKED), 0);
    pumpMessages();
    EXPECT_EQ(dataBytes("wkb_hd.data"), "D2P0C=Latin\r\n");
    EXPECT_EQ(windowText(mainUi.slotLine), "   Course:      Teacher:      Classroom: ");
}

TEST_F(UiKeys, EnterPressesOkAndEscapeCancelInTheDialogWhichOpensOnItsField) {
    open();
    command(CMD_TITLE);
    HWND dialog = inputDialogWindow();
    ASSERT_TRUE(dialog);
    HWND field = GetDlgItem(dialog, IDC_DLG_TEXT);
    EXPECT_EQ(GetFocus(), field);
    SetWindowTextA(field, "Form 4B");
    EXPECT_TRUE(loopKey(field, VK_RETURN));
    EXPECT_FALSE(inputDialogWindow());
    EXPECT_NE(dataBytes(".wkb.rc").find("title=Form 4B\r\n"), std::string::npos);

    writeData("hdvalues.dat", "[L]Lab\n");
    command(CMD_CLASSROOM_SELECT);
    dialog = inputDialogWindow();
    HWND chooser = GetDlgItem(dialog, IDC_DLG_CHOOSER);
    EXPECT_TRUE(GetFocus() == chooser || IsChild(chooser, GetFocus()));
    EXPECT_TRUE(loopKey(GetFocus(), VK_ESCAPE));
    EXPECT_FALSE(inputDialogWindow());
    EXPECT_EQ(diaryState.action, 0);
    EXPECT_EQ(dataBytes("wkb_hd.data"), "");
}

TEST_F(UiKeys, EachShortcutRunsItsCommand) {
    open();
    typeNote("keys");
    EXPECT_TRUE(loopKey(mainUi.notes, 'S', VK_CONTROL));
    EXPECT_NE(dataBytes("wkb_txt.data").find("W16D3P0=keys\r\n"), std::string::npos);

    EXPECT_TRUE(loopKey(mainUi.notes, VK_RIGHT, VK_MENU));
    EXPECT_EQ(diaryState.selectedWeek, 17);
    EXPECT_TRUE(loopKey(mainUi.notes, VK_RIGHT, VK_MENU));
    EXPECT_TRUE(loopKey(mainUi.notes, VK_LEFT, VK_MENU));
    EXPECT_EQ(diaryState.selectedWeek, 17);
    EXPECT_TRUE(loopKey(mainUi.notes, VK_TAB, VK_CONTROL));
    EXPECT_TRUE(loopKey(mainUi.notes, VK_TAB, VK_CONTROL));
    EXPECT_EQ(periodTab(), 2);
    EXPECT_EQ(diaryState.selectedPeriod, 2);
    EXPECT_TRUE(loopKey(mainUi.notes, VK_TAB, VK_CONTROL, VK_SHIFT));
    EXPECT_EQ(diaryState.selectedPeriod, 1);
    for (int i = 0; i < 2; i++) loopKey(mainUi.notes, VK_TAB, VK_CONTROL, VK_SHIFT);
    EXPECT_EQ(diaryState.selectedPeriod, 9) << "the steps wrap at the ends";
    pressKey(mainUi.dayTabs, VK_RIGHT);
    EXPECT_TRUE(loopKey(mainUi.notes, VK_HOME, VK_MENU));
    EXPECT_EQ(diaryState.selectedWeek, 16);
    EXPECT_EQ(diaryState.selectedDay, 3);
    EXPECT_EQ(diaryState.selectedPeriod, 0);
    EXPECT_EQ(periodTab(), 0);
    EXPECT_EQ((int)SendMessageA(mainUi.dayTabs, TCM_GETCURSEL, 0, 0), 2);

    // Ctrl+P asks for the printing (answered No here).
    EXPECT_TRUE(loopKey(mainUi.notes, 'P', VK_CONTROL));
    ASSERT_EQ(frontBoxCount(), 1);
    EXPECT_STREQ(frontBoxText(0), "please comfirm the week grid printing.");

    // Ctrl+F opens the search, F3 takes its steps.
    tableOp(TABLE_SET, NOTES_TABLE, "W20D5P4", "essay");
    EXPECT_TRUE(loopKey(mainUi.notes, 'F', VK_CONTROL));
    ASSERT_TRUE(inputDialogWindow());
    EXPECT_EQ(diaryState.action, ACTION_SEARCH);
    SetWindowTextA(GetDlgItem(inputDialogWindow(), IDC_DLG_TEXT), "essay");
    EXPECT_TRUE(loopKey(mainUi.notes, VK_F3));
    EXPECT_TRUE(loopKey(mainUi.notes, VK_F3));
    EXPECT_EQ(diaryState.selectedWeek, 20);
    EXPECT_EQ(diaryState.selectedDay, 5);
    EXPECT_EQ(diaryState.selectedPeriod, 4);
    EXPECT_TRUE(inputDialogWindow());
}

TEST_F(UiKeys, TheOptionMarksFollowTheOptionsAndDefaultsRefreshTheSlotLineAtOnce) {
    open();
    HMENU menu = GetMenu(window);
    auto checked = [menu](int id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    EXPECT_TRUE(checked(CMD_BIP_ON));
    EXPECT_FALSE(checked(CMD_BIP_OFF));
    EXPECT_TRUE(checked(CMD_DEFAULTS_OFF));
    command(CMD_BIP_OFF);
    command(CMD_INFO_OFF);
    EXPECT_FALSE(checked(CMD_BIP_ON));
    EXPECT_TRUE(checked(CMD_BIP_OFF));
    EXPECT_TRUE(checked(CMD_INFO_OFF));
    EXPECT_FALSE(checked(CMD_INFO_ON));

    tableOp(TABLE_SET, TIMETABLE_TABLE, "D3P0C", "Math");
    command(CMD_TB_COLOUR0 + 2);
    EXPECT_EQ(windowText(mainUi.slotLine), "   Course:      Teacher:      Classroom: ");
    command(CMD_DEFAULTS_ON);
    EXPECT_TRUE(checked(CMD_DEFAULTS_ON));
    EXPECT_EQ(windowText(mainUi.slotLine), "   Course: Math     Teacher:      Classroom: ");
    command(CMD_DEFAULTS_OFF);
    EXPECT_EQ(windowText(mainUi.slotLine), "   Course:      Teacher:      Classroom: ");
}

TEST_F(UiKeepNote, CharactersOutsideTheCodePageAreNamedBeforeTheNoteIsStored) {
    open();
    const WCHAR typed[] = {0x142, 0xF3, 'd', 0x17A, ' ', 0x3B1, 0x3B2, 0x3B3, 0};
    SetFocus(mainUi.notes);
    for (const WCHAR* c = typed; *c; c++) SendMessageW(mainUi.notes, WM_CHAR, *c, 0);
    // No (the recorded box's answer): nothing stored, the tab stays, the text is whole.
    pressKey(mainUi.periodTabs, VK_RIGHT);
    EXPECT_EQ(diaryState.selectedPeriod, 0);
    ASSERT_EQ(frontBoxCount(), 1);
    EXPECT_STREQ(frontBoxTitle(0), "Question");
    EXPECT_NE(std::string(frontBoxText(0)).find("\xc5\x82 \xc5\xba \xce\xb1 \xce\xb2 \xce\xb3"), std::string::npos)  // the letters, in UTF-8
        << frontBoxText(0);
    EXPECT_EQ(std::string(frontBoxText(0)).find("\xc3\xb3"), std::string::npos) << "the code page holds o acute";
    EXPECT_EQ(dataBytes("wkb_txt.data"), "");
    WCHAR now[32] = L"";
    GetWindowTextW(mainUi.notes, now, 32);
    EXPECT_EQ(std::wstring(now), std::wstring(typed));
    // Yes: stored with stand-ins, and Save shows what was stored.
    frontQueueAnswer(1);
    command(CMD_SAVE);
    const std::string stored = dataBytes("wkb_txt.data");
    EXPECT_EQ(stored.rfind("W16D3P0=", 0), 0u) << stored;
    EXPECT_NE(stored.find("\xF3"), std::string::npos) << "o acute is stored as itself";
    EXPECT_EQ(stored.substr(8, stored.size() - 10), windowText(mainUi.notes));
    GetWindowTextW(mainUi.notes, now, 32);
    EXPECT_EQ(std::wstring(now).find(L'\x142'), std::wstring::npos) << "the editor shows the stand-ins";
}

// The editor is only set when its text changes; a week with the same note or none shows it.
TEST_F(UiKeepNote, EachWeekShowsItsOwnNoteAfterMovesThroughSameAndEmptyNotes) {
    open();
    tableOp(TABLE_SET, NOTES_TABLE, "W16D3P0", "same");
    tableOp(TABLE_SET, NOTES_TABLE, "W17D3P0", "same");
    tableOp(TABLE_SET, NOTES_TABLE, "W19D3P0", "other");
    struct Move {
        int command;
        const char* shows;
    };
    const Move moves[] = {{CMD_WEEK_FORWARD, "same"}, {CMD_WEEK_BACKWARD, "same"}, {CMD_WEEK_FORWARD, "same"},
                          {CMD_WEEK_FORWARD, ""},     {CMD_WEEK_FORWARD, "other"},  {CMD_WEEK_FORWARD, ""},
                          {CMD_WEEK_FORWARD, ""},     {CMD_WEEK_BACKWARD, ""},      {CMD_WEEK_BACKWARD, "other"}};
    for (const Move& move : moves) {
        command(move.command);
        EXPECT_EQ(windowText(mainUi.notes), move.shows) << "week " << diaryState.selectedWeek;
        EXPECT_EQ(SendMessageA(mainUi.notes, EM_GETMODIFY, 0, 0), 0) << "week " << diaryState.selectedWeek;
    }
}
