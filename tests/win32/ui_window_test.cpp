// The main window as the program makes it: its controls, the start-up message and first
// refresh, the menu in both modes, the toolbar, the layout after a resize, and tab changes.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "app/startup.h"
#include "core/build_config.h"
#include "core/diary_state.h"
#include "core/frontend.h"
#include "store/table_store.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/main_window.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiWindow : public UiTest {};
class UiToolbar : public UiTest {};
class UiLayout : public UiTest {};
class UiTabs : public UiTest {};

static LONG_PTR style(HWND h) { return GetWindowLongPtrA(h, GWL_STYLE); }
static LONG_PTR exStyle(HWND h) { return GetWindowLongPtrA(h, GWL_EXSTYLE); }

static std::string tabTexts(HWND tabs) {
    std::string out;
    int count = (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        char text[32] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, (LPARAM)&item);
        out += (i ? "," : "") + std::string(text);
    }
    return out;
}

static LOGFONTA fontOf(HWND h) {
    LOGFONTA lf = {};
    GetObjectA((HFONT)SendMessageA(h, WM_GETFONT, 0, 0), sizeof lf, &lf);
    return lf;
}

TEST_F(UiWindow, ControlsHaveTheirClassesIdsStylesParentsAndTexts) {
    open();
    EXPECT_EQ(className(window), "winwkb");
    EXPECT_EQ(windowText(window), "WinWkb  " WKB_WEB_ADDRESS " [  ]");

    HWND status = GetDlgItem(window, IDC_STATUSBAR);
    EXPECT_EQ(className(status), STATUSCLASSNAMEA);
    EXPECT_EQ(style(status) & (WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP), WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP);
    HWND toolbar = GetDlgItem(window, IDC_TOOLBAR);
    EXPECT_EQ(className(toolbar), TOOLBARCLASSNAMEA);
    EXPECT_TRUE(style(toolbar) & TBSTYLE_TOOLTIPS);

    HWND days = FindWindowExA(window, NULL, WC_TABCONTROLA, "my_tab1");
    ASSERT_TRUE(days);
    EXPECT_EQ(GetDlgCtrlID(days), 0);
    EXPECT_TRUE(exStyle(days) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(style(days) & WS_BORDER);
    EXPECT_EQ(tabTexts(days), "Monday,Tuesday,Wednesday,Thursday,Friday,Saturday");
    HWND periods = FindWindowExA(days, NULL, WC_TABCONTROLA, "my_tab2");
    ASSERT_TRUE(periods);
    EXPECT_EQ(tabTexts(periods),
              "Period 1,Period 2,Period 3,Period 4,Period 5,Period 6,Period 7,Period 8,Period 9,Period 10");
    HFONT uiFont = (HFONT)SendMessageA(status, WM_GETFONT, 0, 0);
    EXPECT_EQ((HFONT)SendMessageA(days, WM_GETFONT, 0, 0), uiFont);
    EXPECT_EQ((HFONT)SendMessageA(periods, WM_GETFONT, 0, 0), uiFont);

    HWND notes = FindWindowExA(periods, NULL, "Edit", NULL);
    ASSERT_TRUE(notes);
    EXPECT_EQ(style(notes) & (WS_BORDER | WS_VSCROLL | ES_MULTILINE), WS_BORDER | WS_VSCROLL | ES_MULTILINE);
    EXPECT_TRUE(exStyle(notes) & WS_EX_CLIENTEDGE);
    HWND slot = FindWindowExA(periods, NULL, "Static", NULL);
    ASSERT_TRUE(slot);
    EXPECT_EQ(style(slot) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
    EXPECT_TRUE(style(slot) & SS_SUNKEN);

    // Both fonts are as tall as the UI font's text.
    LOGFONTA slotFont = fontOf(slot), notesFont = fontOf(notes);
    EXPECT_STREQ(slotFont.lfFaceName, "Arial");
    EXPECT_EQ(slotFont.lfWeight, 700);
    EXPECT_STREQ(notesFont.lfFaceName, "courier");
    EXPECT_EQ(notesFont.lfWeight, 0);
    EXPECT_GT(mainUi.textHeight, 0);
    EXPECT_EQ(slotFont.lfHeight, mainUi.textHeight);
    EXPECT_EQ(notesFont.lfHeight, mainUi.textHeight);
}

TEST_F(UiWindow, StartupMessageComesFirstThenStatusSlotAndNotes) {
    startUp();
    tableOp(TABLE_SET, NOTES_TABLE, "W16D3P0", "bring the atlas |page 4");
    window = createMainWindow(GetModuleHandleA(NULL), SW_SHOWNORMAL);
    ASSERT_TRUE(window);
    int intro = findBox("Intro");
    ASSERT_GE(intro, 0);
    std::string text = frontBoxText(intro);
    EXPECT_EQ(text.substr(text.size() - 7), "wkb_db\\");
    EXPECT_NE(text.find("\nPath: " + base.path() + "\\wkb_db\\"), std::string::npos);
    EXPECT_EQ(frontBoxOwner(intro), (HWND)NULL);
    EXPECT_EQ(frontBoxFlags(intro), (UINT)MB_ICONINFORMATION);
    EXPECT_STREQ(frontTrace(), "box,colour,status,slot,slot,notes");

    // Wednesday 15 April 2026 opens on Wednesday, first period, with its note.
    EXPECT_EQ(SendMessageA(mainUi.dayTabs, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(mainUi.periodTabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(windowText(mainUi.notes), "bring the atlas\r\npage 4");
    EXPECT_EQ(windowText(mainUi.status).rfind("[Current week:16 / Selected week:16 (4/15/2026)] ", 0), 0u);
    EXPECT_EQ(windowText(mainUi.slotLine), "   Course:      Teacher:      Classroom: ");
}

// Pixels of the status bar on screen: the week's colour must show through Wine's theme.
TEST_F(UiWindow, StatusBarShowsTheWeekColour) {
    open();
    SetForegroundWindow(window);
    command(CMD_TB_COLOUR0 + 2);
    RedrawWindow(mainUi.status, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT r;
    GetClientRect(mainUi.status, &r);
    HDC dc = GetDC(mainUi.status);
    COLORREF seen = GetPixel(dc, r.right - 40, (r.bottom - r.top) / 2);
    ReleaseDC(mainUi.status, dc);
    EXPECT_EQ(frontLastStatusColour(), 0x96FF96ul);
    EXPECT_EQ(seen, (COLORREF)0x96FF96);
}

// A menu as one line: "text=id", "-" for a separator, "text{...}" for a submenu, and "!"
// after an item that is checked or greyed.
static std::string menuOutline(HMENU menu) {
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        char text[64] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        if (i > 0) out += ";";
        if (info.fType & MFT_SEPARATOR) {
            out += "-";
            continue;
        }
        out += text;
        if (info.fState & (MFS_CHECKED | MFS_GRAYED)) out += "!";
        if (info.hSubMenu) out += "{" + menuOutline(info.hSubMenu) + "}";
        else out += "=" + std::to_string(info.wID);
    }
    return out;
}

// The whole menu, pinned once, in class mode.
static const char classMenu[] =
    "&File{Save\tCtrl+S=200;Export{The day{to Notepad=201;to the Web Browser=226};"
    "The week grid{To the Printer\tCtrl+P=202;to the Web Browser=227};The weeks table=228;Calendar file (.ics)=281;Agenda page=326};"
    "Initialize=205;Restore...=261;New school year...=262;Search\tCtrl+F=206;Search next\tF3=240;Agenda...\tCtrl+D=320;"
    "Week{Forward\tAlt+Right=207;Backward\tAlt+Left=208;Current week\tAlt+Home=241};"
    "Day{Next day\tCtrl+PgDn=244;Previous day\tCtrl+PgUp=245};"
    "Period{Next period\tCtrl+Tab=242;Previous period\tCtrl+Shift+Tab=243};-;&Quit=203};"
    "&Options{Bip{On!=210;Off=211};Info{On!=212;Off=213};Use default values{On=229;Off!=230};Agenda at start{On!=324;Off=325}};"
    "&Parametres{Course{Add=220;Remove=221;Select=214};Teacher{Add=222;Remove=223;Select=215};"
    "Class room{Add=224;Remove=225;Select=216};T&imetable...\tCtrl+T=300;Change this &lesson...\tCtrl+L=310;Title=217;Teacher Mode=219;Lesson times...=280;"
    "Week rotation...=260;School year...=263};"
    "&Lesson{Mark as done=321;Mark as a test=322;-;Next lesson of this course\tCtrl+J=323};"
    "&Help{WWW...=204;Version=209}";

// Teacher mode differs in two places: the teacher's Select reads "Class", and the switch is gone.
static std::string teacherMenu() {
    std::string menu = classMenu;
    menu.replace(menu.find("Select=215"), strlen("Select=215"), "Class=215");
    menu.erase(menu.find("Teacher Mode=219;"), strlen("Teacher Mode=219;"));
    return menu;
}

TEST_F(UiWindow, MenuHoldsEveryItemInOrderInClassMode) {
    open();
    EXPECT_EQ(menuOutline(GetMenu(window)), classMenu);
}

TEST_F(UiWindow, TeacherModeRenamesTheTeacherSelectAndRemovesTheSwitchAndARestoreBringsThemBack) {
    open(true);
    EXPECT_EQ(menuOutline(GetMenu(window)), teacherMenu());
    // Restored settings of class mode: the menu follows after the command.
    diaryState.teacherMode = 0;
    followTeacherMenu(window);
    EXPECT_EQ(menuOutline(GetMenu(window)), classMenu);
}

static std::string tooltipOf(HWND window, int id) {
    NMTTDISPINFOA info = {};
    info.hdr.code = TTN_GETDISPINFOA;
    info.hdr.idFrom = (UINT_PTR)id;
    info.lpszText = info.szText;
    SendMessageA(window, WM_NOTIFY, 0, (LPARAM)&info);
    return info.lpszText ? info.lpszText : "";
}

TEST_F(UiToolbar, TenButtonsInOrderWithTheirImagesAndTooltips) {
    open();
    HWND bar = GetDlgItem(window, IDC_TOOLBAR);
    ASSERT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 10);
    const int images[10] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 2};
    const int commands[10] = {20, 21, 23, 24, 25, 26, 27, 28, 29, 22};
    for (int i = 0; i < 10; i++) {
        TBBUTTON b = {};
        SendMessageA(bar, TB_GETBUTTON, i, (LPARAM)&b);
        EXPECT_EQ(b.iBitmap, images[i]) << i;
        EXPECT_EQ(b.idCommand, commands[i]) << i;
        EXPECT_TRUE(b.fsState & TBSTATE_ENABLED) << i;
        EXPECT_EQ(b.fsStyle, TBSTYLE_BUTTON) << i;
    }
    HIMAGELIST list = (HIMAGELIST)SendMessageA(bar, TB_GETIMAGELIST, 0, 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 10);

    // Windows-1252 bytes: e acute is 0xE9.
    EXPECT_EQ(tooltipOf(window, 20), "Semaine pr\xE9" "c\xE9" "dente");
    EXPECT_EQ(tooltipOf(window, 21), "Semaine suivante");
    EXPECT_EQ(tooltipOf(window, 23), "Recherche");
    EXPECT_EQ(tooltipOf(window, 24), "Sauvegarder");
    EXPECT_EQ(tooltipOf(window, 22), "Quitter");
    for (int id = 25; id <= 29; id++) EXPECT_EQ(tooltipOf(window, id), "") << id;
}

// Sizes the window so that its client area is width x height.
static void setClientSize(HWND window, int width, int height) {
    RECT outer, inner;
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    int dx = (outer.right - outer.left) - inner.right, dy = (outer.bottom - outer.top) - inner.bottom;
    SetWindowPos(window, NULL, 0, 0, width + dx, height + dy, SWP_NOMOVE | SWP_NOZORDER);
    pumpMessages();
}

static void expectRect(HWND h, int x, int y, int w, int hgt, const char* what) {
    RECT r = childRect(h);
    EXPECT_EQ(r.left, x) << what;
    EXPECT_EQ(r.top, y) << what;
    EXPECT_EQ(r.right - r.left, w) << what;
    EXPECT_EQ(r.bottom - r.top, hgt) << what;
}

TEST_F(UiLayout, FirstSizeIsOnlyCountedAndLaterOnesFollowTheRules) {
    open();
    // The count as a fresh window has it: its first WM_SIZE leaves the controls in place.
    mainUi.sizeCount = 0;
    MoveWindow(mainUi.dayTabs, 10, 44, 680, 350, TRUE);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(500, 300));
    EXPECT_EQ(mainUi.sizeCount, 1);
    expectRect(mainUi.dayTabs, 10, 44, 680, 350, "day tabs after the first WM_SIZE");

    setClientSize(window, 500, 300);
    RECT client;
    GetClientRect(window, &client);
    ASSERT_EQ(client.right, 500);
    ASSERT_EQ(client.bottom, 300);
    RECT bar;
    GetWindowRect(mainUi.status, &bar);
    int sb = bar.bottom - bar.top;
    RecordProperty("statusBarHeight", sb);
    expectRect(mainUi.status, 0, 300 - sb, 500, sb, "status bar");
    expectRect(mainUi.dayTabs, 5, 48, 490, 222, "day tabs");
    RECT day;
    GetClientRect(mainUi.dayTabs, &day);
    expectRect(mainUi.periodTabs, 10, sb + 5, day.right - 20, day.bottom - sb - 10, "period tabs");
    RECT period;
    GetClientRect(mainUi.periodTabs, &period);
    expectRect(mainUi.slotLine, 5, sb + 5, period.right - 10, sb, "slot line");
    expectRect(mainUi.notes, 10, 2 * sb + 10, period.right - 20, period.bottom - 2 * sb - 20, "notes");
}

TEST_F(UiLayout, MinimisingGivesNoControlANegativeSize) {
    open();
    ShowWindow(window, SW_MINIMIZE);
    pumpMessages();
    RECT r = childRect(mainUi.notes);
    EXPECT_GE(r.right - r.left, 0);
    ShowWindow(window, SW_RESTORE);
    pumpMessages();
    EXPECT_GT(childRect(mainUi.notes).right - childRect(mainUi.notes).left, 100);
}

// A key posted to a tab control changes its tab and notifies its parent, as a click does.
static void pressKey(HWND tabs, int key) {
    PostMessageA(tabs, WM_KEYDOWN, key, 0);
    pumpMessages();
}

TEST_F(UiTabs, APeriodTabChangeReloadsNotesThenSlotLineThenStatusLine) {
    open();
    tableOp(TABLE_SET, NOTES_TABLE, "W16D3P1", "second period");
    tableOp(TABLE_SET, TIMETABLE_TABLE, "D3P1C", "Math");
    frontClearTrace();
    pressKey(mainUi.periodTabs, VK_RIGHT);
    EXPECT_EQ(diaryState.selectedPeriod, 1);
    EXPECT_EQ(diaryState.selectedDay, 3);
    // The editor is set once, with the note.
    EXPECT_STREQ(frontTrace(), "notes,slot,slot,colour,status");
    EXPECT_EQ(windowText(mainUi.notes), "second period");
    EXPECT_EQ(windowText(mainUi.slotLine), "   Course: Math     Teacher:      Classroom: ");
}

TEST_F(UiTabs, ADayTabChangeReadsBothTabs) {
    open();
    pressKey(mainUi.periodTabs, VK_RIGHT);
    pressKey(mainUi.periodTabs, VK_RIGHT);
    frontClearTrace();
    pressKey(mainUi.dayTabs, VK_LEFT);
    EXPECT_EQ(diaryState.selectedDay, 2);
    EXPECT_EQ(diaryState.selectedPeriod, 2);
    EXPECT_STREQ(frontTrace(), "notes,slot,slot,colour,status");
    EXPECT_NE(windowText(mainUi.status).find("(4/14/2026)"), std::string::npos);
}

static SCROLLINFO notesScroll() {
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(mainUi.notes, SB_VERT, &si);
    return si;
}

// Under Wine the editor's text is set while its scroll bar style is off: the style comes back,
// and the scroll bar follows each new text, from a long note scrolled to its end to a short one.
TEST_F(UiTabs, TheNotesScrollBarFollowsEachNewText) {
    open();
    std::string lines;
    for (int i = 0; i < 30; i++) lines += (i ? "\r\n" : "") + std::string("line ") + std::to_string(i);
    frontSetNotesText(lines.c_str());
    SCROLLINFO longNote = notesScroll();
    EXPECT_GT(longNote.nMax + 1, (int)longNote.nPage);
    SendMessageA(mainUi.notes, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_GT(notesScroll().nPos, 0);

    frontSetNotesText("short");
    SCROLLINFO shortNote = notesScroll();
    EXPECT_EQ(shortNote.nPos, 0);
    EXPECT_LE(shortNote.nMax + 1, (int)shortNote.nPage);
    EXPECT_TRUE(style(mainUi.notes) & WS_VSCROLL);
    EXPECT_EQ(windowText(mainUi.notes), "short");
    EXPECT_EQ(SendMessageA(mainUi.notes, EM_GETMODIFY, 0, 0), 0);
}
