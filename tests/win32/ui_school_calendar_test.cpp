// The "School year..." dialog under Wine, driven from inside its modal loop: the line under the
// field says what a typed week means, text that cannot be used is refused at the field, and OK
// turns the diary's calendar into the whole school year (today is 15 April 2026, week 16).
#include <windows.h>

#include <string>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "records/settings.h"
#include "ui/win32/dialog_ids.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui_fixture.h"

class UiSchoolCalendar : public UiTest {};

static std::string messageAfter(HWND dlg, const char* typed) {
    SetDlgItemTextA(dlg, IDC_SY_WEEK, typed);
    return windowText(GetDlgItem(dlg, IDC_SY_MESSAGE));
}

static int driven;

TEST_F(UiSchoolCalendar, TheWeekTypedSaysItsDatesBadTextIsRefusedAndOkShowsTheWholeYear) {
    open();
    driven = 0;
    modalDialogDriver([](HWND dlg) {
        driven++;
        const struct {
            const char* typed;
            const char* message;
        } cases[] = {
            {"36", "This school year: Monday 9/1/2025 to Saturday 8/29/2026, 52 weeks."},
            {" 1 ", "This school year: Monday 12/29/2025 to Saturday 1/2/2027, 53 weeks."},
            {"53", "The school year starts in a week from 1 to 52."},
            {"3x", "The school year starts in a week from 1 to 52."},
            {"", "Without a week, the diary shows the 360 days around today."},
        };
        for (const auto& c : cases) EXPECT_EQ(messageAfter(dlg, c.typed), c.message) << c.typed;
        messageAfter(dlg, "0");
        SendMessageA(dlg, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindow(dlg));
        EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_SY_WEEK));
        messageAfter(dlg, "36");
        SendMessageA(dlg, WM_COMMAND, IDOK, 0);
    });
    command(CMD_SCHOOL_YEAR);
    EXPECT_EQ(driven, 1);
    EXPECT_STREQ(readSetting("school_year_start"), "36");
    EXPECT_STREQ(readSetting("notes_year"), "2025");
    EXPECT_EQ(dayTableLength, 364);
    EXPECT_EQ(diaryState.selectedWeek, 16);
    EXPECT_STREQ(diaryState.dateLabel, "(4/15/2026)");
    // The arrows now reach back to September, which the 360 days (from October) did not hold,
    // and forward to the end of August.
    for (int i = 0; i < 40; i++) command(CMD_WEEK_BACKWARD);
    EXPECT_EQ(diaryState.selectedWeek, 36);
    EXPECT_STREQ(diaryState.dateLabel, "(9/3/2025)");
    for (int i = 0; i < 60; i++) command(CMD_WEEK_FORWARD);
    EXPECT_EQ(diaryState.selectedWeek, 35);
    EXPECT_STREQ(diaryState.dateLabel, "(8/26/2026)");
}
