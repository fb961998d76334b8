// The "Lesson times" dialog under Wine, driven inside its modal loop: it stores the rows the
// user types, refuses bad times with the message beside the field and stores nothing, and
// moves between the common row and a day's own row; the "Calendar file (.ics)" item writes
// the file from the real window.
// The dialog with each message is pictured (lesson_times_error.bmp, lesson_times_overlap.bmp
// among the artefacts) for a person to look at.
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "records/settings.h"
#include "support/platform_recorder.h"
#include "support/temp_folder.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui_fixture.h"

static HWND shown;         // the dialog being driven
static void (*steps)();    // what the test does in it

class UiLessonTimes : public UiTest {
protected:
    // Opens the dialog from its menu item and runs the steps inside its modal loop.
    void openAndDrive(void (*drive)()) {
        shown = NULL;
        steps = drive;
        modalDialogDriver([](HWND dlg) {
            shown = dlg;
            steps();
        });
        command(CMD_LESSON_TIMES);
        ASSERT_TRUE(shown != NULL) << "the dialog did not open";
        EXPECT_FALSE(IsWindow(shown));
    }
};

static HWND item(int id) { return GetDlgItem(shown, id); }
static void type(int period, const char* start, const char* end) {
    SetWindowTextA(item(IDC_LT_START0 + period), start);
    SetWindowTextA(item(IDC_LT_END0 + period), end);
}
static void press(int id) {
    SendMessageA(shown, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)item(id));
    pumpMessages();
}
static void chooseRow(int row) {
    SendMessageA(item(IDC_LT_DAY), CB_SETCURSEL, row, 0);
    SendMessageA(shown, WM_COMMAND, MAKEWPARAM(IDC_LT_DAY, CBN_SELCHANGE), (LPARAM)item(IDC_LT_DAY));
    pumpMessages();
}
// EndDialog hides the dialog at once; the runner destroys it when its loop ends.
static bool ended() { return !IsWindowVisible(shown); }
static std::string settings() { return readBytes("wkb_db\\.wkb.rc"); }


TEST_F(UiLessonTimes, StoresTheCommonRowAndADayOfItsOwn) {
    open();
    openAndDrive([] {
        EXPECT_EQ(windowText(shown), "Lesson times");
        EXPECT_EQ(chooserItems(item(IDC_LT_DAY)), "Every day,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday");
        EXPECT_FALSE(IsWindowEnabled(item(IDC_LT_OWN)));
        type(0, "8:00", "08:50");
        type(1, "08:55", "09:45");
        chooseRow(6);
        // Saturday shows the common times, greyed, until it gets times of its own.
        EXPECT_EQ(windowText(item(IDC_LT_START0)), "8:00");
        EXPECT_FALSE(IsWindowEnabled(item(IDC_LT_START0)));
        SendMessageA(item(IDC_LT_OWN), BM_SETCHECK, BST_CHECKED, 0);
        press(IDC_LT_OWN);
        EXPECT_TRUE(IsWindowEnabled(item(IDC_LT_START0)));
        type(1, "", "");
        press(IDOK);
        EXPECT_TRUE(ended());
    });
    EXPECT_NE(settings().find("lesson_times_all=08:00-08:50,08:55-09:45,,,,,,,,\r\n"), std::string::npos);
    EXPECT_NE(settings().find("lesson_times_d6=08:00-08:50,,,,,,,,,\r\n"), std::string::npos);

    // Opened again, it shows what is stored; Cancel keeps it.
    std::string stored = settings();
    openAndDrive([] {
        EXPECT_EQ(windowText(item(IDC_LT_START0 + 1)), "08:55");
        chooseRow(6);
        EXPECT_EQ(IsDlgButtonChecked(shown, IDC_LT_OWN), BST_CHECKED);
        EXPECT_EQ(windowText(item(IDC_LT_START0 + 1)), "");
        type(0, "07:00", "07:45");
        press(IDCANCEL);
        EXPECT_TRUE(ended());
    });
    EXPECT_EQ(settings(), stored);
}

TEST_F(UiLessonTimes, BadTimesAreNamedAtTheFieldAndNothingIsStored) {
    open();
    static std::string before;
    before = settings();
    openAndDrive([] {
        type(0, "08:00", "08:50");
        type(2, "25:00", "11:00");
        press(IDOK);
        ASSERT_FALSE(ended());
        EXPECT_EQ(windowText(item(IDC_LT_ERROR)),
                  "Period 3: \"25:00\" is not a time of day. Type it as HH:MM, from 00:00 to 23:59.");
        EXPECT_TRUE(IsWindowVisible(item(IDC_LT_ERROR)));
        EXPECT_TRUE(textFits(item(IDC_LT_ERROR)));
        EXPECT_EQ(GetFocus(), item(IDC_LT_START0 + 2));
        // The message stands on the line of the field at fault.
        RECT field, text;
        GetWindowRect(item(IDC_LT_START0 + 2), &field);
        GetWindowRect(item(IDC_LT_ERROR), &text);
        EXPECT_EQ(field.top, text.top);
        EXPECT_EQ(before, settings());
        windowPicture(shown, "lesson_times_error.bmp");

        type(2, "10:00", "09:00");
        press(IDOK);
        EXPECT_EQ(windowText(item(IDC_LT_ERROR)), "Period 3: the lesson must end after it starts.");
        EXPECT_EQ(GetFocus(), item(IDC_LT_END0 + 2));

        // A fault in a day's own row brings that row back into view.
        type(2, "", "");
        chooseRow(3);
        SendMessageA(item(IDC_LT_OWN), BM_SETCHECK, BST_CHECKED, 0);
        press(IDC_LT_OWN);
        type(1, "08:30", "09:30");
        chooseRow(0);
        press(IDOK);
        EXPECT_EQ(SendMessageA(item(IDC_LT_DAY), CB_GETCURSEL, 0, 0), 3);
        EXPECT_EQ(windowText(item(IDC_LT_ERROR)),
                  "Period 2 overlaps Period 1: a lesson must not start before the other one ends.");
        EXPECT_TRUE(textFits(item(IDC_LT_ERROR)));
        EXPECT_EQ(before, settings());
        windowPicture(shown, "lesson_times_overlap.bmp");
        press(IDCANCEL);
    });
    EXPECT_EQ(before, settings());
}

TEST_F(UiLessonTimes, TheExportMenuItemWritesTheCalendarFileAndOpensItsFolder) {
    open();
    command(CMD_EXPORT_CALENDAR);
    EXPECT_GE(findBox("Stop"), 0);
    EXPECT_EQ(dataBytes("timetable.ics"), "");

    frontClearBoxes();
    ASSERT_EQ(1, writeSetting("lesson_times_all", "08:00-08:50"));
    writeData("wkb_hd.data", "D3P0C=Math\nD3P0L=Salle 12\n");
    command(CMD_EXPORT_CALENDAR);
    std::string ics = dataBytes("timetable.ics");
    EXPECT_EQ(ics.compare(0, 17, "BEGIN:VCALENDAR\r\n"), 0);
    // Wednesday 15 April 2026 is today: its lesson is the first event.
    EXPECT_NE(ics.find("DTSTART:20260415T080000\r\nDTEND:20260415T085000\r\nSUMMARY:Math\r\nLOCATION:Salle 12\r\n"),
              std::string::npos);
    int box = findBox("Info");
    ASSERT_GE(box, 0);
    EXPECT_NE(std::string(frontBoxText(box)).find(base.file("wkb_db\\timetable.ics")), std::string::npos);
    EXPECT_STREQ(platformLastLaunchProgram(), "explorer.exe");
    EXPECT_EQ(std::string(platformLastLaunchParams()), base.file("wkb_db\\"));
}
