// The agenda window "WinWkbAgenda": a label and the list of the due notes, the selected note
// whole in a read-only pane, and four buttons. Its keys come from the dialog manager through
// the main loop (Tab, Enter for the default button, Escape); Space in the list ticks done.
// It follows the DPI of its monitor as the main window does. One window at a time, kept in
// `agendaUi` with the agenda it shows.
#include "ui/win32/agenda_window.h"

#include <commctrl.h>

#include "diary/agenda.h"
#include "ui/win32/agenda_list.h"
#include "ui/win32/dpi.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"

#define AGENDA_CLASS "WinWkbAgenda"
// Posted by refreshAgendaWindow: the list is built again once the change is complete.
#define WM_AGENDA_REBUILD (WM_APP + 90)
#define BUTTON_COUNT 4

// Sizes in pixels at 96 DPI.
#define AGENDA_WIDTH 700
#define AGENDA_HEIGHT 460
#define MIN_WIDTH 540
#define MIN_HEIGHT 320
#define MARGIN 8
#define BUTTON_WIDTH 118
#define NOTE_LINES 3

struct AgendaWindow {
    HWND window, label, list, noteLabel, note, buttons[BUTTON_COUNT];
    HWND focus;          // the control that had the focus when the window was left
    HFONT font, bold;
    int dpi, lineHeight;
    int filling;         // the list is being filled: its check box changes are not the user's
    Agenda agenda;       // what the list shows (about 400 kB: kept here, never on the stack)
};

static AgendaWindow agendaUi;

static const struct {
    int id;
    const char* text;
} buttonTable[BUTTON_COUNT] = {
    {IDC_AGENDA_DONE, "Mark as &done"}, {IDC_AGENDA_TEST, "Mark as a &test"}, {IDOK, "&Go to lesson"}, {IDCANCEL, "&Close"}};

HWND agendaWindow() { return agendaUi.window; }

static int px(int at96) { return MulDiv(at96, agendaUi.dpi > 0 ? agendaUi.dpi : BASE_DPI, BASE_DPI); }

static int selectedItem() { return (int)SendMessageA(agendaUi.list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED); }

static AgendaRow* rowOfItem(int item) {
    int row = agendaItemRow(agendaUi.list, item);
    return row >= 0 && row < agendaUi.agenda.count ? &agendaUi.agenda.rows[row] : NULL;
}

// The buttons follow the selected row: its marks in their texts, greyed for a heading.
static void showSelection() {
    AgendaRow* row = rowOfItem(selectedItem());
    SetWindowTextA(agendaUi.note, row ? row->note : "");
    SetWindowTextA(agendaUi.buttons[0], row && (row->marks & MARK_DONE) ? "Not &done" : "Mark as &done");
    SetWindowTextA(agendaUi.buttons[1], row && (row->marks & MARK_TEST) ? "Not a &test" : "Mark as a &test");
    HWND focus = GetFocus();
    for (int b = 0; b < BUTTON_COUNT - 1; b++) {  // Close always works
        if (!row && focus == agendaUi.buttons[b]) SetFocus(agendaUi.list);
        EnableWindow(agendaUi.buttons[b], row != NULL);
    }
}

static void selectItem(int item) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(agendaUi.list, LVM_SETITEMSTATE, (WPARAM)item, (LPARAM)&state);
    SendMessageA(agendaUi.list, LVM_ENSUREVISIBLE, (WPARAM)item, FALSE);
}

// The first row's item, else the first item (a heading or the line that says nothing is due).
static int firstRowItem() {
    int count = (int)SendMessageA(agendaUi.list, LVM_GETITEMCOUNT, 0, 0);
    for (int item = 0; item < count; item++)
        if (rowOfItem(item)) return item;
    return 0;
}

// Fills the list again, from the agenda built anew when `build` is set; the lesson that was
// selected stays selected when it is still listed, else the item at its place.
static void fillKeepingSelection(int build) {
    int week = 0, day = 0, period = -1;
    int oldItem = selectedItem();
    if (AgendaRow* row = rowOfItem(oldItem)) week = row->week, day = row->day, period = row->period;
    if (build) buildAgenda(&agendaUi.agenda);
    agendaUi.filling = 1;
    fillAgendaList(agendaUi.list, &agendaUi.agenda);
    int item = findAgendaItem(agendaUi.list, &agendaUi.agenda, week, day, period);
    int count = (int)SendMessageA(agendaUi.list, LVM_GETITEMCOUNT, 0, 0);
    if (item < 0) item = oldItem >= 0 && oldItem < count && rowOfItem(oldItem) ? oldItem : firstRowItem();
    selectItem(item);
    agendaUi.filling = 0;
    showSelection();
}

static void markSelected(int mark) {
    int item = selectedItem();
    AgendaRow* row = rowOfItem(item);
    if (row == NULL) return;
    if (mark == MARK_DONE) {
        // Through the check box, whose change writes the mark (checkChanging).
        LVITEMA state = {};
        state.stateMask = LVIS_STATEIMAGEMASK;
        state.state = INDEXTOSTATEIMAGEMASK((row->marks & MARK_DONE) ? 1 : 2);
        SendMessageA(agendaUi.list, LVM_SETITEMSTATE, (WPARAM)item, (LPARAM)&state);
    } else if (markAgendaRow(row, mark, !(row->marks & mark)) == 0) {
        showAgendaItem(agendaUi.list, item, row);
    }
    showSelection();
}

static void goToSelected() {
    AgendaRow* row = rowOfItem(selectedItem());
    if (row) showAgendaRow(row);
}

// A check box about to change: the user's tick writes the done mark, and the box changes only
// when it was written; a heading never gets one. Nonzero refuses the change.
static LRESULT checkChanging(const NMLISTVIEW* change) {
    if (agendaUi.filling || !(change->uChanged & LVIF_STATE)) return FALSE;
    if (!((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK)) return FALSE;
    AgendaRow* row = rowOfItem(change->iItem);
    if (row == NULL) return TRUE;
    int on = (change->uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
    if (on == ((row->marks & MARK_DONE) != 0)) return FALSE;
    if (markAgendaRow(row, MARK_DONE, on) != 0) return TRUE;
    SendMessageA(agendaUi.list, LVM_REDRAWITEMS, (WPARAM)change->iItem, (LPARAM)change->iItem);
    return FALSE;
}

static LRESULT onListNotify(NMHDR* header) {
    switch (header->code) {
        case LVN_ITEMCHANGING: return checkChanging((NMLISTVIEW*)header);
        case LVN_ITEMCHANGED:
            if (!agendaUi.filling) showSelection();
            return 0;
        case NM_DBLCLK: goToSelected(); return 0;
        case NM_CUSTOMDRAW: return drawAgendaList((NMLVCUSTOMDRAW*)header, &agendaUi.agenda, agendaUi.bold);
        default: return 0;
    }
}

// Enter clicks the focused button, elsewhere Go to lesson.
static LRESULT defaultButton() {
    HWND focus = GetFocus();
    for (int b = 0; b < BUTTON_COUNT; b++)
        if (focus == agendaUi.buttons[b]) return MAKELONG(buttonTable[b].id, DC_HASDEFID);
    return MAKELONG(IDOK, DC_HASDEFID);
}

static void onCommand(int id) {
    switch (id) {
        case IDC_AGENDA_DONE: markSelected(MARK_DONE); break;
        case IDC_AGENDA_TEST: markSelected(MARK_TEST); break;
        case IDOK: goToSelected(); break;
        case IDCANCEL: DestroyWindow(agendaUi.window); break;
        default: break;
    }
}

static void makeFonts() {
    LOGFONTA lf = {};
    HGDIOBJ base = mainUi.systemFont ? (HGDIOBJ)mainUi.systemFont : GetStockObject(DEFAULT_GUI_FONT);
    GetObjectA(base, sizeof lf, &lf);
    int systemDpi = mainUi.systemDpi > 0 ? mainUi.systemDpi : BASE_DPI;
    lf.lfHeight = MulDiv(lf.lfHeight, agendaUi.dpi, systemDpi);
    HFONT oldFont = agendaUi.font, oldBold = agendaUi.bold;
    agendaUi.font = CreateFontIndirectA(&lf);
    lf.lfWeight = FW_BOLD;
    agendaUi.bold = CreateFontIndirectA(&lf);
    HDC dc = GetDC(agendaUi.window);
    HGDIOBJ old = SelectObject(dc, agendaUi.font);
    TEXTMETRICA metrics = {};
    agendaUi.lineHeight = GetTextMetricsA(dc, &metrics) ? (int)metrics.tmHeight : px(16);
    SelectObject(dc, old);
    ReleaseDC(agendaUi.window, dc);
    HWND controls[] = {agendaUi.label, agendaUi.list, agendaUi.noteLabel, agendaUi.note, agendaUi.buttons[0],
                       agendaUi.buttons[1], agendaUi.buttons[2], agendaUi.buttons[3]};
    for (HWND control : controls) SendMessageA(control, WM_SETFONT, (WPARAM)agendaUi.font, TRUE);
    if (oldFont) DeleteObject(oldFont);
    if (oldBold) DeleteObject(oldBold);
}

static void place(HWND control, int x, int y, int width, int height) {
    MoveWindow(control, x, y, width > 0 ? width : 0, height > 0 ? height : 0, TRUE);
}

static void layout() {
    RECT client = {};
    GetClientRect(agendaUi.window, &client);
    int w = client.right, h = client.bottom, m = px(MARGIN), line = agendaUi.lineHeight;
    int buttonHeight = line + px(10), buttonWidth = px(BUTTON_WIDTH), gap = px(6);
    int buttonY = h - m - buttonHeight, noteHeight = NOTE_LINES * line + px(8);
    int noteY = buttonY - m - noteHeight, noteLabelY = noteY - line - px(2);
    place(agendaUi.label, m, m, w - 2 * m, line);
    place(agendaUi.list, m, m + line + px(4), w - 2 * m, noteLabelY - m - (m + line + px(4)));
    place(agendaUi.noteLabel, m, noteLabelY, w - 2 * m, line);
    place(agendaUi.note, m, noteY, w - 2 * m, noteHeight);
    int x = w - m - BUTTON_COUNT * buttonWidth - (BUTTON_COUNT - 1) * gap;
    for (int b = 0; b < BUTTON_COUNT; b++) place(agendaUi.buttons[b], x + b * (buttonWidth + gap), buttonY, buttonWidth, buttonHeight);
}

// The note pane is read only: Tab, Enter and Escape stay the window's keys.
static LRESULT CALLBACK noteKeys(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_GETDLGCODE) return DefSubclassProc(edit, msg, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
    return DefSubclassProc(edit, msg, wParam, lParam);
}

static HWND child(const char* cls, const char* text, DWORD style, int id) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, agendaUi.window,
                           (HMENU)(INT_PTR)id, mainUi.instance, NULL);
}

// In tab order, each label right before its control, so that screen readers name them.
static int createControls() {
    agendaUi.label = child("static", "&Lessons due:", SS_LEFT, IDC_AGENDA_LABEL);
    agendaUi.list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL |
                                        LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                    0, 0, 0, 0, agendaUi.window, (HMENU)IDC_AGENDA_LIST, mainUi.instance, NULL);
    agendaUi.noteLabel = child("static", "N&ote:", SS_LEFT, IDC_AGENDA_NOTE_LABEL);
    agendaUi.note = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", "",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | ES_MULTILINE |
                                        ES_READONLY | ES_AUTOVSCROLL,
                                    0, 0, 0, 0, agendaUi.window, (HMENU)IDC_AGENDA_NOTE, mainUi.instance, NULL);
    for (int b = 0; b < BUTTON_COUNT; b++)
        agendaUi.buttons[b] = child("button", buttonTable[b].text, WS_TABSTOP | BS_PUSHBUTTON | (b == 0 ? WS_GROUP : 0),
                                    buttonTable[b].id);
    if (!agendaUi.label || !agendaUi.list || !agendaUi.noteLabel || !agendaUi.note) return 1;
    for (HWND button : agendaUi.buttons)
        if (!button) return 1;
    SetWindowSubclass(agendaUi.note, noteKeys, 1, 0);
    setUpAgendaList(agendaUi.list, agendaUi.dpi);
    makeFonts();
    return 0;
}

static void onDpiChanged(int dpi, const RECT* suggested) {
    if (dpi <= 0) return;
    agendaUi.dpi = dpi;
    makeFonts();
    setUpAgendaList(agendaUi.list, dpi);
    SetWindowPos(agendaUi.window, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    layout();
}

// Back in the window, the focus returns to the control that had it.
static void onActivate(int state) {
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(agendaUi.window, focus)) agendaUi.focus = focus;
    } else {
        SetFocus(agendaUi.focus && IsWindowEnabled(agendaUi.focus) ? agendaUi.focus : agendaUi.list);
    }
}

static void onDestroy() {
    if (agendaUi.font) DeleteObject(agendaUi.font);
    if (agendaUi.bold) DeleteObject(agendaUi.bold);
    agendaUi.font = agendaUi.bold = NULL;
    agendaUi.window = agendaUi.list = agendaUi.focus = NULL;
}

static LRESULT CALLBACK AgendaWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            agendaUi.window = hwnd;
            agendaUi.dpi = readWindowDpi(hwnd);
            return createControls() == 0 ? 0 : -1;
        case WM_SIZE: layout(); return 0;
        case WM_NOTIFY:
            if (((NMHDR*)lParam)->idFrom == IDC_AGENDA_LIST) return onListNotify((NMHDR*)lParam);
            break;
        case WM_COMMAND: onCommand(LOWORD(wParam)); return 0;
        case DM_GETDEFID: return defaultButton();
        case WM_AGENDA_REBUILD: fillKeepingSelection(1); return 0;
        case WM_ACTIVATE: onActivate(LOWORD(wParam)); return 0;
        case WM_DPICHANGED: onDpiChanged(HIWORD(wParam), (const RECT*)lParam); return 0;
        case WM_GETMINMAXINFO:
            ((MINMAXINFO*)lParam)->ptMinTrackSize.x = px(MIN_WIDTH);
            ((MINMAXINFO*)lParam)->ptMinTrackSize.y = px(MIN_HEIGHT);
            return 0;
        case WM_DESTROY: onDestroy(); return 0;
        default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

static int registerAgendaClass() {
    WNDCLASSA wc = {};
    if (GetClassInfoA(mainUi.instance, AGENDA_CLASS, &wc)) return 0;
    wc.lpfnWndProc = AgendaWndProc;
    wc.hInstance = mainUi.instance;
    wc.hIcon = LoadIconA(mainUi.instance, MAKEINTRESOURCEA(IDI_WINWKB));
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = AGENDA_CLASS;
    return RegisterClassA(&wc) ? 0 : 1;
}

// To the right of the main window when the screen has room there, else over its right side.
static POINT besideOwner(HWND owner, int width) {
    RECT ownerRect = {};
    GetWindowRect(owner, &ownerRect);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    POINT at = {ownerRect.right, ownerRect.top};
    if (at.x + width > monitor.rcWork.right) at.x = monitor.rcWork.right - width;
    if (at.x < monitor.rcWork.left) at.x = monitor.rcWork.left;
    return at;
}

// `built`: agendaUi.agenda already holds today's agenda.
static void createAgendaWindow(HWND owner, int built) {
    if (owner == NULL || registerAgendaClass() != 0) return;
    agendaUi.dpi = mainUi.dpi > 0 ? mainUi.dpi : BASE_DPI;
    int width = px(AGENDA_WIDTH), height = px(AGENDA_HEIGHT);
    POINT at = besideOwner(owner, width);
    HWND hwnd = CreateWindowExA(0, AGENDA_CLASS, "Agenda", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                                at.x, at.y, width, height, owner, NULL, mainUi.instance, NULL);
    if (hwnd == NULL) return;
    fillKeepingSelection(!built);
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(agendaUi.list);
}

void openAgendaWindow() {
    if (agendaUi.window == NULL) {
        createAgendaWindow(mainUi.main, 0);
        return;
    }
    if (IsIconic(agendaUi.window)) ShowWindow(agendaUi.window, SW_RESTORE);
    SetForegroundWindow(agendaUi.window);
    SetActiveWindow(agendaUi.window);
}

void offerAgendaReminder() {
    if (agendaUi.window != NULL || !agendaAtStart()) return;
    buildAgenda(&agendaUi.agenda);
    if (agendaWantsReminder(&agendaUi.agenda)) createAgendaWindow(mainUi.main, 1);
}

void refreshAgendaWindow() {
    if (agendaUi.window) PostMessageA(agendaUi.window, WM_AGENDA_REBUILD, 0, 0);
}
