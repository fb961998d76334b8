// WM_CREATE of the main window, step by step: status bar and UI font, text height and fonts,
// the teacher-mode menu, toolbar, day and period tabs, notes editor, slot line, the start-up
// message, then the first selection and refreshes. Positions are pixels at 96 DPI, scaled to
// the window's DPI; the fonts are made for it too (makeWindowFonts, also after a DPI change).
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include "core/diary_state.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "diary/school_calendar.h"
#include "diary/slot.h"
#include "diary/startup_message.h"
#include "diary/status_line.h"
#include "ui/win32/commands.h"
#include "ui/win32/dpi.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/main_window.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/toolbar.h"
#include "ui/win32/window_handles.h"

#define TAB_CHILD_STYLE (WS_CHILD | WS_VISIBLE | WS_BORDER)

static void createStatusBar(HWND hwnd) {
    mainUi.status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                    hwnd, (HMENU)(INT_PTR)IDC_STATUSBAR, mainUi.instance, NULL);
    // Visual styles ignore SB_SETBKCOLOR; theme names that match nothing turn them off here
    // alone, so the bar shows the week's colour (empty names leave Wine's theme on).
    SetWindowTheme(mainUi.status, L" ", L" ");
    mainUi.systemFont = (HFONT)SendMessageA(mainUi.status, WM_GETFONT, 0, 0);
    if (mainUi.systemFont == NULL) mainUi.systemFont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
}

// The status bar's font, made for the system's DPI; on a monitor of another DPI, a copy of it
// scaled to the window's.
static void chooseUiFont(HWND hwnd) {
    HFONT old = mainUi.ownUiFont;
    mainUi.ownUiFont = NULL;
    mainUi.uiFont = mainUi.systemFont;
    if (mainUi.dpi != mainUi.systemDpi && mainUi.systemDpi > 0) {
        LOGFONTA lf = {};
        GetObjectA(mainUi.systemFont, sizeof lf, &lf);
        lf.lfHeight = MulDiv(lf.lfHeight, mainUi.dpi, mainUi.systemDpi);
        mainUi.ownUiFont = CreateFontIndirectA(&lf);
        if (mainUi.ownUiFont) mainUi.uiFont = mainUi.ownUiFont;
    }
    SendMessageA(mainUi.status, WM_SETFONT, (WPARAM)mainUi.uiFont, TRUE);
    SendMessageA(hwnd, WM_SETFONT, (WPARAM)mainUi.uiFont, TRUE);
    if (old) DeleteObject(old);
}

static void measureTextHeight() {
    HDC dc = GetDC(NULL);
    HGDIOBJ old = SelectObject(dc, mainUi.uiFont);
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics)) mainUi.textHeight = (int)metrics.tmHeight;
    else win32MessageBox(NULL, " GetTextMetrics Failed ", "", MB_ICONERROR);
    SelectObject(dc, old);
    ReleaseDC(NULL, dc);
}

static HFONT makeFont(int weight, const char* face) {
    return CreateFontA(mainUi.textHeight, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, face);
}

void makeWindowFonts(HWND hwnd) {
    chooseUiFont(hwnd);
    measureTextHeight();
    HFONT oldSlot = mainUi.slotFont, oldNotes = mainUi.notesFont;
    mainUi.slotFont = makeFont(700, "Arial");
    mainUi.notesFont = makeFont(0, "courier");
    HWND tabs[2] = {mainUi.dayTabs, mainUi.periodTabs};
    for (HWND t : tabs)
        if (t) SendMessageA(t, WM_SETFONT, (WPARAM)mainUi.uiFont, TRUE);
    if (mainUi.notes) SendMessageA(mainUi.notes, WM_SETFONT, (WPARAM)mainUi.notesFont, TRUE);
    if (mainUi.slotLine) SendMessageA(mainUi.slotLine, WM_SETFONT, (WPARAM)mainUi.slotFont, TRUE);
    if (oldSlot) DeleteObject(oldSlot);
    if (oldNotes) DeleteObject(oldNotes);
}

// In teacher mode the second timetable field is a class, and the switch cannot be undone.
static void applyTeacherMenu(HWND hwnd) {
    if (!diaryState.teacherMode) return;
    HMENU menu = GetMenu(hwnd);
    char text[64] = "";
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = text;
    item.cch = sizeof text;
    GetMenuItemInfoA(menu, CMD_TEACHER_SELECT, FALSE, &item);
    item.dwTypeData = (LPSTR) "Class";
    SetMenuItemInfoA(menu, CMD_TEACHER_SELECT, FALSE, &item);
    RemoveMenu(menu, CMD_TEACHER_MODE, MF_BYCOMMAND);
}

void followTeacherMenu(HWND hwnd) {
    if (mainUi.menuTeacherMode == diaryState.teacherMode) return;
    // Only a restore switches teacher mode off: the menu is made again as the class mode has it.
    if (!diaryState.teacherMode) {
        HMENU fresh = LoadMenuA(mainUi.instance, MAIN_MENU_NAME);
        if (fresh == NULL) return;
        HMENU old = GetMenu(hwnd);
        SetMenu(hwnd, fresh);
        if (old != NULL) DestroyMenu(old);
    }
    applyTeacherMenu(hwnd);
    mainUi.menuTeacherMode = diaryState.teacherMode;
    showOptionChecks(hwnd);
    DrawMenuBar(hwnd);
}

// Inserts the names at index 0 from the last to the first, so they read in order.
static void fillTabs(HWND tabs, const char* const* names, int count) {
    for (int i = count - 1; i >= 0; i--) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.iImage = -1;
        item.pszText = (LPSTR)names[i];
        SendMessageA(tabs, TCM_INSERTITEMA, 0, (LPARAM)&item);
    }
}

// The period tabs are a child of the day tabs: their notifications reach the main window
// only when the day tabs pass them on.
static LRESULT CALLBACK DayTabsProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_NOTIFY && lParam && ((NMHDR*)lParam)->hwndFrom == mainUi.periodTabs)
        return SendMessageA(GetParent(hwnd), WM_NOTIFY, wParam, lParam);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

static HWND createTabs(HWND parent, const char* text, int x, int y, int w, int h) {
    HWND tabs = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TABCONTROLA, text, TAB_CHILD_STYLE, scaled(x), scaled(y),
                                scaled(w), scaled(h), parent, NULL, mainUi.instance, NULL);
    SendMessageA(tabs, WM_SETFONT, (WPARAM)mainUi.uiFont, TRUE);
    return tabs;
}

static void createTabsAndEditors(HWND hwnd) {
    mainUi.dayTabs = createTabs(hwnd, "my_tab1", 10, 44, 680, 350);
    fillTabs(mainUi.dayTabs, dayNames + 1, 6);
    SetWindowSubclass(mainUi.dayTabs, DayTabsProc, 1, 0);
    mainUi.periodTabs = createTabs(mainUi.dayTabs, "my_tab2", 0, 25, 700, 310);
    fillTabs(mainUi.periodTabs, periodNames, 10);

    // The slot line first, then the editor's name for screen readers right before the editor: a
    // label of no size, since the layout has no place for one. The slot line stays the first
    // static text of the period tabs, where tools look for it.
    mainUi.slotLine =
        CreateWindowExA(0, "static", "", WS_CHILD | WS_VISIBLE | SS_SUNKEN | SS_LEFTNOWORDWRAP, scaled(10),
                        scaled(35), scaled(675), scaled(25), mainUi.periodTabs, NULL, mainUi.instance, NULL);
    SendMessageA(mainUi.slotLine, WM_SETFONT, (WPARAM)mainUi.slotFont, TRUE);
    CreateWindowExA(0, "static", "&Notes of the period", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, mainUi.periodTabs, NULL,
                    mainUi.instance, NULL);

    // A Unicode window keeps what is typed or pasted whole, so that characters the code page
    // cannot hold can be named before a note is stored; the program reads it in the code page.
    mainUi.notes = CreateWindowExW(WS_EX_CLIENTEDGE, L"edit", L"", TAB_CHILD_STYLE | WS_VSCROLL | ES_MULTILINE,
                                   scaled(5), scaled(60), scaled(680), scaled(250), mainUi.periodTabs, NULL,
                                   mainUi.instance, NULL);
    SendMessageA(mainUi.notes, WM_SETFONT, (WPARAM)mainUi.notesFont, TRUE);
}

static void showStartupMessage() {
    char text[1024];
    composeStartupMessage(text, sizeof text);
    notify(text, NOTIFY_INTRO);
}

LRESULT MainWnd_OnCreate(HWND hwnd) {
    mainUi.dpi = readWindowDpi(hwnd);
    createStatusBar(hwnd);
    makeWindowFonts(hwnd);
    applyTeacherMenu(hwnd);
    mainUi.menuTeacherMode = diaryState.teacherMode;
    loadToolbarImages();
    createToolbar(hwnd);
    createTabsAndEditors(hwnd);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    showStartupMessage();
    SendMessageA(mainUi.dayTabs, TCM_SETCURSEL, (WPARAM)(diaryState.selectedDay - 1), 0);
    SendMessageA(mainUi.periodTabs, TCM_SETCURSEL, 0, 0);
    refreshStatusLine();
    refreshSlotLine();
    loadNotes();
    showOptionChecks(hwnd);
    // What the user types first goes into the notes.
    SetFocus(mainUi.notes);
    // After the window shows the notes' year, so that the question has it as its background.
    offerNewSchoolYear();
    // The agenda's reminder follows, once the window is shown and active.
    PostMessageA(hwnd, WM_APP_AGENDA_REMINDER, 0, 0);
    return 0;
}
