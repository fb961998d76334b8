// The agenda window's list: report view with check boxes for done; each day group opens with a
// heading row without a check box, then one row per note: lesson, course, the note's first line
// and whether it is a test. Headings are bold and done rows grey (custom draw).
#include "ui/win32/agenda_list.h"

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "platform/bounded_text.h"

enum AgendaColumn { COLUMN_LESSON, COLUMN_COURSE, COLUMN_NOTE, COLUMN_TEST, COLUMN_COUNT };

// Widths at 96 DPI: the lesson column holds the longest heading, "Today, Wednesday 12/30/2026",
// and the line of an empty agenda, in bold.
static const struct {
    const char* title;
    int width;
} columns[COLUMN_COUNT] = {{"Lesson", 230}, {"Course", 100}, {"Note", 210}, {"Test", 100}};

#define CHECK_NONE 0
#define CHECK_OFF 1
#define CHECK_ON 2

void setUpAgendaList(HWND list, int dpi) {
    DWORD styles = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    HWND header = (HWND)SendMessageA(list, LVM_GETHEADER, 0, 0);
    int made = header ? (int)SendMessageA(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    for (int c = 0; c < COLUMN_COUNT; c++) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = (LPSTR)columns[c].title;
        column.cx = MulDiv(columns[c].width, dpi, 96);
        if (c < made) SendMessageA(list, LVM_SETCOLUMNWIDTH, (WPARAM)c, column.cx);
        else SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)c, (LPARAM)&column);
    }
}

static void setCheck(HWND list, int item, int check) {
    LVITEMA state = {};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(check);
    SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)item, (LPARAM)&state);
}

static void setCell(HWND list, int item, int column, const char* text) {
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = (LPSTR)text;
    SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)item, (LPARAM)&cell);
}

static int addItem(HWND list, const char* text, int row) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    item.pszText = (LPSTR)text;
    item.lParam = row;
    int at = (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    if (at >= 0 && row < 0) setCheck(list, at, CHECK_NONE);
    return at;
}

// "Period 3"; an overdue row, among the rows of other days, also gives its date: "12/7/2026, Period 3".
static void lessonText(const AgendaRow* row, char* out, int size) {
    const char* period = row->period >= 0 && row->period < 10 ? periodNames[row->period] : "";
    int year = 0, month = 0, day = 0;
    if (row->group == AGENDA_OVERDUE && sscanf(row->date, "%d-%d-%d", &year, &month, &day) == 3)
        snprintf(out, (size_t)size, "%d/%d/%d, %s", month, day, year, period);
    else
        snprintf(out, (size_t)size, "%s", period);
}

// The note up to its first line end.
static void firstLine(const char* note, char* out, int size) {
    copyText(out, (size_t)size, note);
    out[strcspn(out, "\r\n")] = '\0';
}

void agendaTestText(const AgendaRow* row, char* out, int size) {
    if (size <= 0) return;
    out[0] = '\0';
    char test[32] = "";
    if (!(row->marks & MARK_TEST)) test[0] = '\0';
    else if (row->testInDays == 0) snprintf(test, sizeof test, "test today");
    else if (row->testInDays == 1) snprintf(test, sizeof test, "test tomorrow");
    else if (row->testInDays > 1) snprintf(test, sizeof test, "test in %d days", row->testInDays);
    else snprintf(test, sizeof test, "test");
    // A lesson cancelled on its date says so first: the note may be due all the same.
    snprintf(out, (size_t)size, "%s%s%s", row->cancelled ? "cancelled" : "", row->cancelled && test[0] ? ", " : "",
             test);
}

void showAgendaItem(HWND list, int item, const AgendaRow* row) {
    char test[32];
    agendaTestText(row, test, sizeof test);
    setCell(list, item, COLUMN_TEST, test);
    setCheck(list, item, (row->marks & MARK_DONE) ? CHECK_ON : CHECK_OFF);
    SendMessageA(list, LVM_REDRAWITEMS, (WPARAM)item, (LPARAM)item);
}

static void addRow(HWND list, const Agenda* agenda, int index) {
    const AgendaRow* row = &agenda->rows[index];
    char text[sizeof row->note];
    lessonText(row, text, sizeof text);
    int item = addItem(list, text, index);
    if (item < 0) return;
    setCell(list, item, COLUMN_COURSE, row->course);
    firstLine(row->note, text, sizeof text);
    setCell(list, item, COLUMN_NOTE, text);
    showAgendaItem(list, item, row);
}

void fillAgendaList(HWND list, const Agenda* agenda) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    if (agenda->count == 0) addItem(list, "Nothing is due in the next 14 days.", -1);
    char heading[80] = "", last[80] = "";
    for (int i = 0; i < agenda->count; i++) {
        agendaHeading(&agenda->rows[i], heading, sizeof heading);
        if (i == 0 || strcmp(heading, last) != 0) addItem(list, heading, -1);
        copyText(last, sizeof last, heading);
        addRow(list, agenda, i);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
}

int agendaItemRow(HWND list, int item) {
    if (item < 0) return -1;
    LVITEMA data = {};
    data.mask = LVIF_PARAM;
    data.iItem = item;
    if (!SendMessageA(list, LVM_GETITEMA, 0, (LPARAM)&data)) return -1;
    return (int)data.lParam;
}

int findAgendaItem(HWND list, const Agenda* agenda, int week, int day, int period) {
    int count = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    for (int item = 0; item < count; item++) {
        int row = agendaItemRow(list, item);
        if (row < 0 || row >= agenda->count) continue;
        const AgendaRow* r = &agenda->rows[row];
        if (r->week == week && r->day == day && r->period == period) return item;
    }
    return -1;
}

LRESULT drawAgendaList(NMLVCUSTOMDRAW* draw, const Agenda* agenda, HFONT bold) {
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    int row = (int)draw->nmcd.lItemlParam;
    if (row < 0) {
        if (bold == NULL) return CDRF_DODEFAULT;
        SelectObject(draw->nmcd.hdc, bold);
        return CDRF_NEWFONT;
    }
    if (row < agenda->count && (agenda->rows[row].marks & MARK_DONE)) draw->clrText = GetSysColor(COLOR_GRAYTEXT);
    return CDRF_DODEFAULT;
}
