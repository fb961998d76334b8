// Where the keyboard goes: into the notes after the start, back to where the user was after
// a dialog closes or the window is left and entered again; the day keys.
#include <windows.h>
#include <commctrl.h>

#include "core/diary_state.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiFocus : public UiTest {};

TEST_F(UiFocus, TheNotesHaveTheKeysAfterTheStartAndAfterADialog) {
    open();
    EXPECT_EQ(GetFocus(), mainUi.notes);
    modalDialogDriver([](HWND dlg) { SendMessageA(dlg, WM_COMMAND, IDCANCEL, 0); });
    command(CMD_SCHOOL_YEAR);
    pumpMessages();
    EXPECT_EQ(GetFocus(), mainUi.notes);
    // Left from the period tabs and entered again: the tabs have it back.
    SetFocus(mainUi.periodTabs);
    SendMessageA(window, WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(NULL);
    SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), mainUi.periodTabs);
}

// Ctrl+Page Down and Ctrl+Page Up move the day tab round its ends, as a click on the tab would.
TEST_F(UiFocus, TheDayCommandsMoveTheDayTabRoundItsEnds) {
    open();
    int start = (int)SendMessageA(mainUi.dayTabs, TCM_GETCURSEL, 0, 0);
    const int steps[] = {1, 1, 1, 1, 1, 1, -1};  // six forward: the same day again; one back
    int expected = start;
    for (int step : steps) {
        command(step > 0 ? CMD_NEXT_DAY : CMD_PREVIOUS_DAY);
        expected = ((expected + step) % 6 + 6) % 6;
        EXPECT_EQ((int)SendMessageA(mainUi.dayTabs, TCM_GETCURSEL, 0, 0), expected);
        EXPECT_EQ(diaryState.selectedDay, expected + 1);
    }
}
