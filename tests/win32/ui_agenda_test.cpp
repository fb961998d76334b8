// The agenda window under Wine, driven in-process with keys through the program's own key
// routing: it lists a small store's notes under day headings, Space ticks done (marks.dat),
// Enter selects the lesson in the main window, Escape closes it; it follows a save; the
// Lesson menu's marks, the option "Agenda at start" and the reminder at start.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/diary_state.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/agenda_window.h"
#include "ui/win32/keyboard.h"
#include "ui/win32/main_window.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiAgenda : public UiTest {
protected:
    // Monday's note is overdue, Wednesday (today, 15 April 2026) and Thursday's are due.
    void writeStore() {
        writeData("wkb_hd.data", "D1P1C=Latin\nD3P2C=Math\nD4P0C=Art\n");
        writeData("wkb_txt.data", "W16D1P1=Learn the verbs\nW16D3P2=Page 12 |Exercise 3\nW16D4P0=Bring paint\n");
    }
    HWND list() { return GetDlgItem(agendaWindow(), IDC_AGENDA_LIST); }
};

static std::string cell(HWND list, int item, int column) {
    char text[256] = "";
    LVITEMA cellItem = {};
    cellItem.iSubItem = column;
    cellItem.pszText = text;
    cellItem.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)item, (LPARAM)&cellItem);
    return text;
}

static std::vector<std::string> column(HWND list, int c) {
    std::vector<std::string> out;
    for (int i = 0; i < (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); i++) out.push_back(cell(list, i, c));
    return out;
}

// 0 no check box, 1 clear, 2 ticked.
static int check(HWND list, int item) {
    return (int)(SendMessageA(list, LVM_GETITEMSTATE, (WPARAM)item, LVIS_STATEIMAGEMASK) >> 12);
}

static int selected(HWND list) { return (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED); }

static void select(HWND list, int item) {
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)item, (LPARAM)&state);
}

// A key pressed on the focused control, through the main loop's routing.
static void press(int key) {
    MSG down = {}, up = {};
    down.hwnd = up.hwnd = GetFocus();
    down.message = WM_KEYDOWN, up.message = WM_KEYUP;
    down.wParam = up.wParam = (WPARAM)key;
    down.lParam = 1, up.lParam = (LPARAM)0xC0000001u;
    for (MSG* m : {&down, &up})
        if (!translateWindowKeys(m)) {
            TranslateMessage(m);
            DispatchMessageA(m);
        }
    pumpMessages();
}

static const std::vector<std::string> listed = {
    "Overdue", "4/13/2026, Period 2", "Today, Wednesday 4/15/2026", "Period 3", "Thursday 4/16/2026", "Period 1"};

TEST_F(UiAgenda, ListsTheNotesByDayAndOpensOnceBesideTheMainWindow) {
    open();
    writeStore();
    command(CMD_AGENDA);
    HWND agenda = agendaWindow();
    ASSERT_NE(agenda, (HWND)NULL);
    EXPECT_EQ(windowText(agenda), "Agenda");
    EXPECT_EQ(className(agenda), "WinWkbAgenda");
    EXPECT_EQ(GetWindow(agenda, GW_OWNER), window);
    EXPECT_EQ(column(list(), 0), listed);
    EXPECT_EQ(column(list(), 1), (std::vector<std::string>{"", "Latin", "", "Math", "", "Art"}));
    EXPECT_EQ(cell(list(), 3, 2), "Page 12");
    const int checks[] = {0, 1, 0, 1, 0, 1};
    for (int i = 0; i < 6; i++) EXPECT_EQ(check(list(), i), checks[i]) << i;
    // The first row is selected and has the focus; its whole note is in the pane below.
    EXPECT_EQ(selected(list()), 1);
    EXPECT_EQ(GetFocus(), list());
    EXPECT_EQ(windowText(GetDlgItem(agenda, IDC_AGENDA_NOTE)), "Learn the verbs");
    select(list(), 3);
    EXPECT_EQ(windowText(GetDlgItem(agenda, IDC_AGENDA_NOTE)), "Page 12\r\nExercise 3");
    // Screen readers name the list and the pane by the label right before each.
    EXPECT_EQ(windowText(GetWindow(list(), GW_HWNDPREV)), "&Lessons due:");
    EXPECT_EQ(windowText(GetWindow(GetDlgItem(agenda, IDC_AGENDA_NOTE), GW_HWNDPREV)), "N&ote:");
    command(CMD_AGENDA);
    EXPECT_EQ(agendaWindow(), agenda);
    EXPECT_EQ(selected(list()), 3);
}

TEST_F(UiAgenda, AnEmptyAgendaSaysSoInOneLine) {
    open();
    command(CMD_AGENDA);
    EXPECT_EQ(column(list(), 0), std::vector<std::string>{"Nothing is due in the next 14 days."});
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(agendaWindow(), IDOK)));
}

TEST_F(UiAgenda, SpaceTicksDoneAndTheMarksFileKeepsIt) {
    open();
    writeStore();
    command(CMD_AGENDA);
    select(list(), 3);
    press(VK_SPACE);
    EXPECT_EQ(check(list(), 3), 2);
    EXPECT_NE(dataBytes("marks.dat").find("W16D3P2=d "), std::string::npos);
    EXPECT_EQ(windowText(GetDlgItem(agendaWindow(), IDC_AGENDA_DONE)), "Not &done");
    // A heading takes no tick; the button clears the mark again.
    select(list(), 2);
    press(VK_SPACE);
    EXPECT_EQ(check(list(), 2), 0);
    select(list(), 3);
    SendMessageA(agendaWindow(), WM_COMMAND, IDC_AGENDA_DONE, 0);
    pumpMessages();
    EXPECT_EQ(check(list(), 3), 1);
    EXPECT_EQ(dataBytes("marks.dat").find("W16D3P2=d"), std::string::npos);
    // What is done leaves the overdue group; the selection goes to the row after it.
    select(list(), 1);
    press(VK_SPACE);
    EXPECT_EQ(column(list(), 0), std::vector<std::string>(listed.begin() + 2, listed.end()));
    EXPECT_EQ(selected(list()), 1);
}

TEST_F(UiAgenda, EnterShowsTheLessonTabMovesOnAndEscapeCloses) {
    open();
    writeStore();
    command(CMD_AGENDA);
    select(list(), 5);
    press(VK_RETURN);
    EXPECT_EQ(diaryState.selectedWeek, 16);
    EXPECT_EQ(diaryState.selectedDay, 4);
    EXPECT_EQ(diaryState.selectedPeriod, 0);
    EXPECT_EQ(windowText(mainUi.notes), "Bring paint");
    ASSERT_NE(agendaWindow(), (HWND)NULL);
    const int order[] = {IDC_AGENDA_NOTE, IDC_AGENDA_DONE, IDC_AGENDA_TEST, IDOK, IDCANCEL, IDC_AGENDA_LIST};
    for (int id : order) {
        press(VK_TAB);
        EXPECT_EQ(GetFocus(), GetDlgItem(agendaWindow(), id)) << id;
    }
    press(VK_ESCAPE);
    EXPECT_EQ(agendaWindow(), (HWND)NULL);
}

TEST_F(UiAgenda, TheListFollowsASaveAndKeepsTheSelectedLesson) {
    open();
    writeStore();
    command(CMD_AGENDA);
    select(list(), 5);
    // Wednesday, Period 1 in the main window.
    SetWindowTextA(mainUi.notes, "Bring the atlas");
    SendMessageA(mainUi.notes, EM_SETMODIFY, TRUE, 0);
    command(CMD_SAVE);
    EXPECT_EQ(cell(list(), 3, 0), "Period 1");
    EXPECT_EQ(cell(list(), 3, 2), "Bring the atlas");
    EXPECT_EQ(selected(list()), 6);
}

TEST_F(UiAgenda, TheLessonMenuChecksTheSelectedLessonsMarks) {
    open();
    writeStore();
    diaryState.selectedDay = 3;
    diaryState.selectedPeriod = 2;
    HMENU menu = GetMenu(window);
    const struct {
        int id;
        UINT done, test;
    } steps[] = {{CMD_MARK_TEST, 0, MF_CHECKED}, {CMD_MARK_DONE, MF_CHECKED, MF_CHECKED}, {CMD_MARK_TEST, MF_CHECKED, 0}};
    for (const auto& step : steps) {
        command(step.id);
        SendMessageA(window, WM_INITMENUPOPUP, (WPARAM)GetSubMenu(menu, 3), MAKELPARAM(3, FALSE));
        EXPECT_EQ(GetMenuState(menu, CMD_MARK_DONE, MF_BYCOMMAND) & MF_CHECKED, step.done) << step.id;
        EXPECT_EQ(GetMenuState(menu, CMD_MARK_TEST, MF_BYCOMMAND) & MF_CHECKED, step.test) << step.id;
    }
    EXPECT_NE(dataBytes("marks.dat").find("W16D3P2=d "), std::string::npos);
}

// The option's radio marks, and the reminder it allows at the next start.
TEST_F(UiAgenda, AgendaAtStartOpensTheReminderOnlyWhenOn) {
    open();
    writeStore();
    const struct {
        int id;
        bool opens;
    } cases[] = {{CMD_AGENDA_START_OFF, false}, {CMD_AGENDA_START_ON, true}};
    for (const auto& c : cases) {
        command(c.id);
        int other = c.id == CMD_AGENDA_START_ON ? CMD_AGENDA_START_OFF : CMD_AGENDA_START_ON;
        EXPECT_NE(GetMenuState(GetMenu(window), c.id, MF_BYCOMMAND) & MF_CHECKED, 0u) << c.id;
        EXPECT_EQ(GetMenuState(GetMenu(window), other, MF_BYCOMMAND) & MF_CHECKED, 0u) << c.id;
        DestroyWindow(window);
        pumpMessages();
        window = createMainWindow(GetModuleHandleA(NULL), SW_SHOWNORMAL);
        pumpMessages();
        EXPECT_EQ(agendaWindow() != NULL, c.opens) << c.id;
    }
    EXPECT_EQ(GetFocus(), list());
}

// Moved to a monitor at 144 DPI, the window takes the place Windows suggests and scales its
// columns and buttons.
TEST_F(UiAgenda, FollowsAChangeOfDpi) {
    open();
    command(CMD_AGENDA);
    HWND agenda = agendaWindow();
    RECT button = childRect(GetDlgItem(agenda, IDCANCEL)), suggested = {20, 30, 20 + 900, 30 + 600};
    SendMessageA(agenda, WM_DPICHANGED, MAKEWPARAM(144, 144), (LPARAM)&suggested);
    RECT now = {};
    GetWindowRect(agenda, &now);
    EXPECT_EQ(now.left, 20);
    EXPECT_EQ(now.right - now.left, 900);
    EXPECT_EQ(SendMessageA(list(), LVM_GETCOLUMNWIDTH, 0, 0), 345);
    RECT bigger = childRect(GetDlgItem(agenda, IDCANCEL));
    EXPECT_EQ(bigger.right - bigger.left, MulDiv(button.right - button.left, 3, 2));
}
