// The "Timetable..." dialog under Wine, driven inside its modal loop: it is refused while an
// action is pending, and a typed name that the code page cannot hold (kept whole by the
// dialog's Unicode fields) is named and keeps the cell, while OK stores nothing.
#include <windows.h>

#include <string>

#include "core/diary_state.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/timetable_grid.h"
#include "ui_fixture.h"

class UiTimetable : public UiTest {};

TEST_F(UiTimetable, IsRefusedWhileAnotherActionIsPending) {
    open();
    static int shown;
    shown = 0;
    modalDialogDriver([](HWND) { shown = 1; });
    diaryState.action = 1;  // the title prompt
    command(CMD_TIMETABLE);
    diaryState.action = 0;
    modalDialogDriver(NULL);
    EXPECT_EQ(0, shown);
    ASSERT_GE(findBox("Stop"), 0);
    EXPECT_STREQ(" Another function is running! \n", frontBoxText(findBox("Stop")));
}

TEST_F(UiTimetable, ANameTheCodePageCannotHoldIsNamedAndNothingIsStored) {
    open();
    writeData("wkb_hd.data", "D3P0C=Math\n");
    static std::string course, grid;
    modalDialogDriver([](HWND dlg) {
        SetWindowTextW(GetDlgItem(dlg, IDC_TT_TEACHER), L"Ma\x0142gorzata");
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        course = windowText(GetDlgItem(dlg, IDC_TT_COURSE));
        grid = std::to_string(SendDlgItemMessageA(dlg, IDC_TT_GRID, TGM_GETSEL, 0, 0));
    });
    command(CMD_TIMETABLE);
    EXPECT_EQ("Math", course);                               // the selected cell: Wednesday, Period 1
    EXPECT_EQ(std::to_string(MAKELONG(3, 0)), grid);
    ASSERT_GE(findBox("Timetable"), 0);
    EXPECT_STREQ("Wednesday, Period 1 of the White timetable: the teacher holds characters that this computer's "
                 "character set cannot store:\n\xc5\x82\n\nChange them before going on.",
                 frontBoxText(findBox("Timetable")));
    EXPECT_EQ("D3P0C=Math\r\n", dataBytes("wkb_hd.data"));
}
