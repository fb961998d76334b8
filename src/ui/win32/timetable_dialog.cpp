// The "Timetable..." dialog: the week colour, the grid, and the three fields of the selected
// cell, which complete from the value lists as the user types. The fields take Enter (store the
// cell, go to the next period) and Tab (course, teacher, classroom, the next cell) themselves,
// so that a whole week is typed from the keyboard. The model (diary/timetable_edit) keeps every
// colour's fields until OK stores them in one go.
#include "ui/win32/timetable_dialog.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/notify.h"
#include "diary/rotation.h"
#include "diary/timetable_edit.h"
#include "platform/bounded_text.h"
#include "records/lesson_times.h"
#include "records/value_lists.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/slot_fields.h"
#include "ui/win32/timetable_grid.h"
#include "ui/win32/window_handles.h"

// From a field to the dialog: wParam the key (FieldMove), lParam the field (SlotField).
#define WM_TT_MOVE (WM_APP + 80)
enum FieldMove { MOVE_ENTER, MOVE_TAB, MOVE_BACK_TAB, MOVE_OK };

// The data of one call: the model, what the grid shows, and the cell whose fields are shown.
struct TimetableDialog {
    TimetableEdit* edit;
    TimetableGridView view;
    int colour, day, period;
};

static HWND fieldBox(HWND dlg, int field) { return GetDlgItem(dlg, IDC_TT_COURSE + field); }

static int wantsKey(const MSG* m) {
    return m != NULL && (m->message == WM_KEYDOWN || m->message == WM_CHAR) &&
           (m->wParam == VK_RETURN || m->wParam == VK_TAB || m->wParam == '\n');
}

// The keys of a field's edit box: Enter, Ctrl+Enter, Tab and Shift+Tab go to the dialog.
static LRESULT CALLBACK fieldKeys(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR field,
                                  DWORD_PTR dialog) {
    HWND combo = GetParent(edit), dlg = (HWND)dialog;
    switch (msg) {
        case WM_GETDLGCODE:
            if (wantsKey((const MSG*)lParam)) return DefSubclassProc(edit, msg, wParam, lParam) | DLGC_WANTALLKEYS;
            break;
        case WM_KEYDOWN:
            if (wParam != VK_RETURN && wParam != VK_TAB) break;
            SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
            if (wParam == VK_RETURN)
                SendMessageW(dlg, WM_TT_MOVE, GetKeyState(VK_CONTROL) < 0 ? MOVE_OK : MOVE_ENTER, (LPARAM)field);
            else
                SendMessageW(dlg, WM_TT_MOVE, GetKeyState(VK_SHIFT) < 0 ? MOVE_BACK_TAB : MOVE_TAB, (LPARAM)field);
            return 0;
        case WM_CHAR: {
            if (wParam == '\r' || wParam == '\n' || wParam == '\t') return 0;
            LRESULT result = DefSubclassProc(edit, msg, wParam, lParam);
            if (wParam >= 32 && wParam != 127) slotFieldComplete(edit, combo);
            return result;
        }
        case WM_NCDESTROY: RemoveWindowSubclass(edit, fieldKeys, field); break;
        default: break;
    }
    return DefSubclassProc(edit, msg, wParam, lParam);
}

static void showCell(HWND dlg, TimetableDialog* d) {
    for (int k = 0; k < TIMETABLE_FIELDS; k++)
        SetWindowTextA(fieldBox(dlg, k), timetableField(d->edit, d->colour, d->day, d->period, (SlotField)k)->value);
    SendDlgItemMessageA(dlg, IDC_TT_GRID, TGM_SETSEL, (WPARAM)d->day, d->period);
    InvalidateRect(GetDlgItem(dlg, IDC_TT_GRID), NULL, FALSE);
}

static void focusField(HWND dlg, int field) {
    HWND combo = fieldBox(dlg, field);
    SendMessageA(dlg, WM_NEXTDLGCTL, (WPARAM)combo, TRUE);
    SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

// Takes the fields into the model; a field that must not be stored is named and keeps the
// focus, and the cell is not left. 1 when the cell may be left.
static int keepCell(HWND dlg, TimetableDialog* d) {
    for (int k = 0; k < TIMETABLE_FIELDS; k++) {
        char text[2 * TIMETABLE_VALUE_LIMIT + 2], foreign[TIMETABLE_FOREIGN_SIZE];
        slotFieldRead(fieldBox(dlg, k), text, sizeof text, foreign, sizeof foreign);
        timetableEditSet(d->edit, d->colour, d->day, d->period, (SlotField)k, text, foreign);
    }
    InvalidateRect(GetDlgItem(dlg, IDC_TT_GRID), NULL, FALSE);
    TimetableSpot spot;
    char message[400];
    if (!timetableEditCheck(d->edit, &spot, message, sizeof message)) return 1;
    if (diaryState.beepOn) shortBeep();
    // The message names the characters themselves (UTF-8), which only a Unicode box shows.
    win32MessageBoxUtf8(dlg, message, "Timetable", MB_ICONWARNING);
    focusField(dlg, spot.field);
    return 0;
}

static void moveCell(HWND dlg, TimetableDialog* d, int step, int field) {
    if (!keepCell(dlg, d)) return;
    timetableStep(&d->day, &d->period, step);
    showCell(dlg, d);
    focusField(dlg, field);
}

static void onOk(HWND dlg, TimetableDialog* d) {
    if (!keepCell(dlg, d)) return;
    // A timetable that could not be written has been told; the dialog keeps what was typed.
    if (timetableEditSave(d->edit) == 0) EndDialog(dlg, IDOK);
}

static void onMove(HWND dlg, TimetableDialog* d, int move, int field) {
    switch (move) {
        case MOVE_OK: onOk(dlg, d); break;
        case MOVE_ENTER: moveCell(dlg, d, 1, SLOT_COURSE); break;
        case MOVE_TAB:
            if (field < SLOT_CLASSROOM) focusField(dlg, field + 1);
            else moveCell(dlg, d, 1, SLOT_COURSE);
            break;
        default:
            if (field > SLOT_COURSE) focusField(dlg, field - 1);
            else moveCell(dlg, d, -1, SLOT_CLASSROOM);
            break;
    }
}

static void onColour(HWND dlg, TimetableDialog* d) {
    HWND combo = GetDlgItem(dlg, IDC_TT_COLOUR);
    LRESULT at = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (at == CB_ERR) return;
    if (!keepCell(dlg, d)) {
        for (int i = 0; i < (int)SendMessageA(combo, CB_GETCOUNT, 0, 0); i++)
            if ((int)SendMessageA(combo, CB_GETITEMDATA, (WPARAM)i, 0) == d->colour)
                SendMessageA(combo, CB_SETCURSEL, (WPARAM)i, 0);
        return;
    }
    d->colour = d->view.colour = (int)SendMessageA(combo, CB_GETITEMDATA, (WPARAM)at, 0);
    showCell(dlg, d);
}

static void onGridSelect(HWND dlg, TimetableDialog* d) {
    LRESULT selected = SendDlgItemMessageA(dlg, IDC_TT_GRID, TGM_GETSEL, 0, 0);
    if (!keepCell(dlg, d)) {
        SendDlgItemMessageA(dlg, IDC_TT_GRID, TGM_SETSEL, (WPARAM)d->day, d->period);
        return;
    }
    d->day = LOWORD(selected);
    d->period = HIWORD(selected);
    showCell(dlg, d);
}

static void fillColours(HWND dlg, TimetableDialog* d) {
    HWND combo = GetDlgItem(dlg, IDC_TT_COLOUR);
    for (int c = 0; c < TIMETABLE_COLOURS; c++) {
        if (!d->edit->inUse[c]) continue;
        char name[40];
        snprintf(name, sizeof name, c == 0 ? "%s (plain week)" : "%s", weekColourName(c));
        LRESULT at = SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)name);
        SendMessageA(combo, CB_SETITEMDATA, (WPARAM)at, c);
        if (c == d->colour) SendMessageA(combo, CB_SETCURSEL, (WPARAM)at, 0);
    }
}

static void addListed(const char* value, void* combo) { SendMessageA((HWND)combo, CB_ADDSTRING, 0, (LPARAM)value); }

static void setUpFields(HWND dlg) {
    static const char* const prefixes[TIMETABLE_FIELDS] = {"[C]", "[T]", "[L]"};
    for (int k = 0; k < TIMETABLE_FIELDS; k++) {
        HWND combo = fieldBox(dlg, k);
        SendMessageA(combo, CB_LIMITTEXT, TIMETABLE_VALUE_LIMIT, 0);
        // A missing list leaves the field without suggestions; typing still works.
        readListValues(prefixes[k], addListed, combo);
        HWND edit = slotFieldEdit(combo);
        if (edit) SetWindowSubclass(edit, fieldKeys, (UINT_PTR)k, (DWORD_PTR)dlg);
    }
    if (diaryState.teacherMode) SetDlgItemTextA(dlg, IDC_TT_TEACHER_LABEL, "Cl&ass:");
}

static void setUpGrid(HWND dlg, TimetableDialog* d) {
    LessonTimes times;
    loadLessonTimes(&times);
    for (int p = 0; p < TIMETABLE_PERIODS; p++) {
        d->view.rowTimes[p][0] = '\0';
        if (times.start[0][p] == LESSON_NONE) continue;
        char start[8], end[8];
        formatClockTime(start, sizeof start, times.start[0][p]);
        formatClockTime(end, sizeof end, times.end[0][p]);
        snprintf(d->view.rowTimes[p], sizeof d->view.rowTimes[p], "%s-%s", start, end);
    }
    d->view.edit = d->edit;
    d->view.colour = d->colour;
    d->view.useDefaults = diaryState.useDefaults == 1;
    SendDlgItemMessageA(dlg, IDC_TT_GRID, TGM_SETVIEW, 0, (LPARAM)&d->view);
}

static void onInit(HWND dlg, TimetableDialog* d) {
    fillColours(dlg, d);
    setUpFields(dlg);
    setUpGrid(dlg, d);
    showCell(dlg, d);
    focusField(dlg, SLOT_COURSE);
}

static INT_PTR onCommand(HWND dlg, TimetableDialog* d, int id, int code) {
    switch (id) {
        case IDC_TT_COLOUR:
            if (code == CBN_SELCHANGE) onColour(dlg, d);
            return TRUE;
        case IDC_TT_GRID:
            if (code == GRIDN_SELCHANGE) onGridSelect(dlg, d);
            else if (code == GRIDN_ENTER) focusField(dlg, SLOT_COURSE);
            return TRUE;
        case IDOK: onOk(dlg, d); return TRUE;
        case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
        default: return FALSE;
    }
}

static INT_PTR CALLBACK timetableProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    TimetableDialog* d = (TimetableDialog*)GetWindowLongPtrA(dlg, DWLP_USER);
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lParam);
            onInit(dlg, (TimetableDialog*)lParam);
            return FALSE;  // the focus is in the course field
        case WM_COMMAND: return d != NULL ? onCommand(dlg, d, LOWORD(wParam), HIWORD(wParam)) : FALSE;
        case WM_TT_MOVE:
            if (d != NULL) onMove(dlg, d, (int)wParam, (int)lParam);
            return TRUE;
        default: return FALSE;
    }
}

void openTimetableDialog() {
    if (refuseWhileBusy()) return;
    if (registerTimetableGrid(mainUi.instance) != 0) {
        notify("The timetable grid could not be made.", NOTIFY_ERROR);
        return;
    }
    TimetableDialog d = {};
    d.edit = timetableEditLoad();
    if (d.edit == NULL) return;
    // The selected week's colour, day and period, as far as they are in range.
    int colour = diaryState.weekColour, day = diaryState.selectedDay, period = diaryState.selectedPeriod;
    d.colour = colour >= 0 && colour < TIMETABLE_COLOURS ? colour : 0;
    d.day = day >= 1 && day <= TIMETABLE_DAYS ? day : 1;
    d.period = period >= 0 && period < TIMETABLE_PERIODS ? period : 0;
    d.edit->inUse[d.colour] = 1;
    runModalDialogUnicode(IDD_TIMETABLE, timetableProc, &d);
    timetableEditFree(d.edit);
}
