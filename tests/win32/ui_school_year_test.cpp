// The school-year dialogs under Wine, driven from inside their modal loops: the rotation
// dialog fills a year (and refuses bad input at its field) and the status bar then shows each
// week's colour; "Restore..." lists the snapshots and restores the chosen one; "New school
// year..." refuses a bad name and empties the notes for a good one. Every dialog of the menu
// opens through the one runner, and one left open by its driver is cancelled.
#include <windows.h>

#include <string>

#include "core/diary_state.h"
#include "diary/status_line.h"
#include "records/week_colours.h"
#include "store/snapshots.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiSchoolYear : public UiTest {};

static std::string itemText(HWND dlg, int id) { return windowText(GetDlgItem(dlg, id)); }

static std::string listLine(HWND dlg, int id, int index) {
    char line[256] = "";
    SendDlgItemMessageA(dlg, id, LB_GETTEXT, (WPARAM)index, (LPARAM)line);
    return line;
}

static void press(HWND dlg, int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dlg, id)); }

static int driven;

static void driveRotation(HWND dlg) {
    driven++;
    // The dialog opens with the rule of a first use: yellow and green from week 36.
    EXPECT_EQ(itemText(dlg, IDC_ROT_FIRST), "36");
    EXPECT_EQ(itemText(dlg, IDC_ROT_CYCLE1), "Yellow");
    EXPECT_EQ(itemText(dlg, IDC_ROT_CYCLE1 + 1), "Green");
    EXPECT_EQ(itemText(dlg, IDC_ROT_CYCLE1 + 2), "-");
    // A three-week cycle from week 2, with holidays.
    SendDlgItemMessageA(dlg, IDC_ROT_CYCLE1 + 2, CB_SETCURSEL, 4, 0);  // Red
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_ROT_CYCLE1 + 2, CBN_SELCHANGE), 0);
    SetDlgItemTextA(dlg, IDC_ROT_FIRST, "2");
    SetDlgItemTextA(dlg, IDC_ROT_HOLIDAYS, "8, 15-16");
    EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_ROT_PREVIEW, LB_GETCOUNT, 0, 0), 53);  // the school year: weeks 2 to 53, 1
    EXPECT_EQ(listLine(dlg, IDC_ROT_PREVIEW, 0), "Week 2  (1/5/2026)  Yellow");
    EXPECT_EQ(listLine(dlg, IDC_ROT_PREVIEW, 6), "Week 8  (2/16/2026)  Holiday");
    EXPECT_EQ(listLine(dlg, IDC_ROT_PREVIEW, 7), "Week 9  (2/23/2026)  Yellow");
    EXPECT_EQ(itemText(dlg, IDC_ROT_MESSAGE), "");

    // Bad input: the message names it, OK keeps the dialog at the field, the preview empties.
    SetDlgItemTextA(dlg, IDC_ROT_HOLIDAYS, "8, 16-15");
    EXPECT_EQ(itemText(dlg, IDC_ROT_MESSAGE), "The range 16-15 runs backwards: the school year starts in week 2.");
    EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_ROT_PREVIEW, LB_GETCOUNT, 0, 0), 0);
    press(dlg, IDOK);
    EXPECT_TRUE(IsWindow(dlg));
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_ROT_HOLIDAYS));
    SetDlgItemTextA(dlg, IDC_ROT_FIRST, "54");
    EXPECT_EQ(itemText(dlg, IDC_ROT_MESSAGE), "The first week must be a week number from 1 to 53.");
    press(dlg, IDOK);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_ROT_FIRST));
    SetDlgItemTextA(dlg, IDC_ROT_FIRST, "2");
    SetDlgItemTextA(dlg, IDC_ROT_HOLIDAYS, "8, 15-16");
    press(dlg, IDOK);
}

TEST_F(UiSchoolYear, RotationFillsTheYearAndTheStatusBarShowsEachWeeksColour) {
    open();
    std::string before = dataBytes("weeks.dat");
    // Cancel writes nothing.
    driven = 0;
    modalDialogDriver([](HWND dlg) {
        driven++;
        SetDlgItemTextA(dlg, IDC_ROT_FIRST, "2");
        press(dlg, IDCANCEL);
    });
    command(CMD_WEEK_ROTATION);
    EXPECT_EQ(driven, 1);
    EXPECT_EQ(dataBytes("weeks.dat"), before);

    modalDialogDriver(driveRotation);
    command(CMD_WEEK_ROTATION);
    EXPECT_EQ(driven, 2);
    // Yellow, green, red from week 2; weeks 8, 15 and 16 plain without moving the cycle.
    int expected[54] = {0}, step = 0;
    for (int w = 2; w <= 41; w++) expected[w] = (w == 8 || w == 15 || w == 16) ? 0 : 1 + step++ % 3;
    for (int w = 2; w <= 41; w++) EXPECT_EQ(readWeekColour(w), expected[w]) << w;
    // Today is week 16; walk back to week 2 and forward to week 41 as the user would.
    for (int w = 16; w >= 2; w--) {
        EXPECT_EQ(diaryState.selectedWeek, w);
        EXPECT_EQ(frontLastStatusColour(), statusColour(expected[w])) << w;
        command(CMD_WEEK_BACKWARD);
    }
    while (diaryState.selectedWeek != 16) command(CMD_WEEK_FORWARD);
    for (int w = 16; w <= 41; w++) {
        EXPECT_EQ(diaryState.selectedWeek, w);
        EXPECT_EQ(frontLastStatusColour(), statusColour(expected[w])) << w;
        command(CMD_WEEK_FORWARD);
    }
}

// A timetable typed for white weeks only and a week coloured by hand: the dialog names the
// cycle's colours without a timetable and marks the week; OK with the first choice turns the
// default values on (the menu follows) and keeps the colour set by hand.
TEST_F(UiSchoolYear, RotationOffersTheWhiteTimetableAndKeepsAColourSetByHand) {
    open();
    writeData("wkb_hd.data", "D3P0C=Math\n");
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n5=4\n");
    driven = 0;
    modalDialogDriver([](HWND dlg) {
        driven++;
        SetDlgItemTextA(dlg, IDC_ROT_FIRST, "2");
        EXPECT_EQ(itemText(dlg, IDC_ROT_TT_NOTE), "Yellow and Green weeks have no timetable of their own: after the "
                                                  "rotation they would show an empty timetable.");
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, IDC_ROT_TT_COPY)));
        EXPECT_EQ(IsDlgButtonChecked(dlg, IDC_ROT_TT_DEFAULTS), (UINT)BST_CHECKED);
        EXPECT_EQ(listLine(dlg, IDC_ROT_PREVIEW, 3), "Week 5  (1/26/2026)  Blue  (set by hand, kept instead of Green)");
        EXPECT_EQ(listLine(dlg, IDC_ROT_PREVIEW, 4), "Week 6  (2/2/2026)  Yellow");
        press(dlg, IDOK);
    });
    command(CMD_WEEK_ROTATION);
    EXPECT_EQ(driven, 1);
    EXPECT_EQ(diaryState.useDefaults, 1);
    EXPECT_NE(GetMenuState(GetMenu(mainUi.main), CMD_DEFAULTS_ON, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(readWeekColour(5), 4);
    EXPECT_EQ(readWeekColour(6), 1);
}

TEST_F(UiSchoolYear, RestoreListsTheSnapshotsAndRestoresTheChosenOne) {
    open();
    writeData("wkb_txt.data", "W16D3P0=old note\n");
    ASSERT_EQ(takeNamedSnapshot("2024-2025"), 0);
    writeData("wkb_txt.data", "W16D3P0=new note\n");
    driven = 0;
    modalDialogDriver([](HWND dlg) {
        driven++;
        EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_RST_LIST, LB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(listLine(dlg, IDC_RST_LIST, 0), "school year 2024-2025   1 note   1 KB");
        EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_RST_LIST));
        press(dlg, IDOK);
    });
    frontQueueAnswer(1);
    command(CMD_RESTORE);
    EXPECT_EQ(driven, 1);
    EXPECT_EQ(dataBytes("wkb_txt.data"), "W16D3P0=old note\r\n");
    EXPECT_EQ(windowText(mainUi.notes), "old note");
    ASSERT_GE(findBox("Question"), 0);
    EXPECT_EQ(std::string(frontBoxText(findBox("Question"))).rfind("Restore the snapshot \"2024-2025\"?", 0), 0u);
}

TEST_F(UiSchoolYear, NewSchoolYearRefusesABadNameAndEmptiesTheNotesForAGoodOne) {
    open();
    writeData("wkb_txt.data", "W16D3P0=last year\n");
    driven = 0;
    modalDialogDriver([](HWND dlg) {
        driven++;
        EXPECT_EQ(itemText(dlg, IDC_NY_NAME), "2025-2026");  // 15 April 2026
        SetDlgItemTextA(dlg, IDC_NY_NAME, "a/b");
        press(dlg, IDOK);
        EXPECT_TRUE(IsWindow(dlg));
        EXPECT_EQ(itemText(dlg, IDC_NY_MESSAGE), "A name cannot hold the character /.");
        SetDlgItemTextA(dlg, IDC_NY_NAME, "2025-2026");
        press(dlg, IDOK);
    });
    command(CMD_NEW_SCHOOL_YEAR);
    EXPECT_EQ(driven, 1);
    EXPECT_EQ(dataBytes("wkb_txt.data"), "");
    EXPECT_EQ(windowText(mainUi.notes), "");
    SnapshotInfo infos[4];
    ASSERT_EQ(listSnapshots(infos, 4), 1);
    EXPECT_STREQ(infos[0].name, "2025-2026");
    EXPECT_EQ(infos[0].notes, 1);
}

// Each menu item opens its dialog on the screen through the runner, with the data its command
// filled in; a driver that leaves it open has it cancelled, and nothing is written.
TEST_F(UiSchoolYear, EveryDialogOpensThroughTheRunnerAndADialogLeftOpenIsCancelled) {
    struct Case {
        int command;
        const char* title;
        int field;              // a control that shows the caller's data
        const char* fieldText;  // what it shows (today is 15 April 2026)
    };
    const Case cases[] = {
        {CMD_WEEK_ROTATION, "Week rotation", IDC_ROT_FIRST, "36"},
        {CMD_RESTORE, "Restore", IDC_RST_MESSAGE, "No snapshot has been made yet."},
        {CMD_NEW_SCHOOL_YEAR, "New school year", IDC_NY_NAME, "2025-2026"},
        {CMD_SCHOOL_YEAR, "School year", IDC_SY_MESSAGE, "Without a week, the diary shows the 360 days around today."},
        {CMD_LESSON_TIMES, "Lesson times", IDC_LT_DAY, "Every day"},
        {CMD_TIMETABLE, "Timetable", IDC_TT_COLOUR, "White (plain week)"},
    };
    open();
    writeData("wkb_txt.data", "W16D3P0=a note\n");
    const char* files[] = {".wkb.rc", "weeks.dat", "wkb_txt.data", "wkb_hd.data"};
    std::string before[4];
    for (int i = 0; i < 4; i++) before[i] = dataBytes(files[i]);
    static HWND seen;
    static std::string title, text;
    static bool visible, enabled;
    static int field;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        seen = NULL;
        field = c.field;
        modalDialogDriver([](HWND dlg) {
            seen = dlg;
            title = windowText(dlg);
            text = itemText(dlg, field);
            visible = IsWindowVisible(dlg) != 0;
            enabled = IsWindowEnabled(mainUi.main) != 0;  // the owner waits while it is open
        });
        command(c.command);
        ASSERT_TRUE(seen != NULL);
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(text, c.fieldText);
        EXPECT_TRUE(visible);
        EXPECT_FALSE(enabled);
        EXPECT_FALSE(IsWindow(seen));
        EXPECT_TRUE(IsWindowEnabled(mainUi.main));
    }
    for (int i = 0; i < 4; i++) EXPECT_EQ(dataBytes(files[i]), before[i]) << files[i];
}
