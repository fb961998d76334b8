// "Change this lesson..." under Wine, driven inside its modal loop: a new room is stored for
// the selected lesson's date only and shows in the slot line, a name the code page cannot hold
// is named beside the fields and nothing is stored, and "Remove the change" goes back.
#include <windows.h>

#include <string>

#include "core/diary_state.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiLessonChange : public UiTest {};

static const std::string kHeader = "### Lessons that differ on one date. Please do not edit.\r\n";

TEST_F(UiLessonChange, StoresRefusesAndRemovesTheChangeOfTheSelectedLesson) {
    open();  // Wednesday 15 April 2026, week 16, Period 1
    writeData("wkb_hd.data", "D3P0C=Math\nD3P0L=12\n");
    static std::string prompt, message;
    const struct {
        void (*drive)(HWND);
        const char* file;
    } steps[] = {
        {[](HWND dlg) {
             prompt = windowText(GetDlgItem(dlg, IDC_LC_PROMPT));
             SetWindowTextA(GetDlgItem(dlg, IDC_LC_CLASSROOM), "Gym");
             PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
         },
         "W16D3P0=- L3:Gym\r\n"},
        {[](HWND dlg) {
             SetWindowTextW(GetDlgItem(dlg, IDC_LC_COURSE), L"Ma\x0142y");
             SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
             message = utf8Text(GetDlgItem(dlg, IDC_LC_MESSAGE));
         },
         "W16D3P0=- L3:Gym\r\n"},
        {[](HWND dlg) { PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_LC_REMOVE, BN_CLICKED), 0); }, ""},
    };
    for (const auto& s : steps) {
        modalDialogDriver(s.drive);
        command(CMD_LESSON_CHANGE);
        EXPECT_EQ(kHeader + s.file, dataBytes("changes.dat"));
    }
    modalDialogDriver(NULL);
    EXPECT_EQ("Wednesday 4/15/2026, Period 1: what differs on this date only.", prompt);
    EXPECT_EQ("Wednesday 4/15/2026, Period 1: the course holds characters that this computer's character set "
              "cannot store:\n\xc5\x82\n\nChange them before going on.",
              message);
    EXPECT_EQ("   Course: Math     Teacher:      Classroom: 12", windowText(mainUi.slotLine));
}
