// The lesson times dialog. It keeps the typed texts of all seven rows (every day, then Monday
// to Saturday) while the user moves between them, and checks and stores them only on OK.
#include "ui/win32/lesson_times_dialog.h"

#include <cstring>

#include "core/diary_state.h"
#include "diary/notify.h"
#include "platform/bounded_text.h"
#include "records/lesson_times.h"
#include "ui/win32/contrast.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"

#define TIME_CHARS 11

// The data of one call: the stored times as texts, filled in by the caller, then as typed.
struct LessonTimesDialog {
    int row;                                    // the row shown: 0 every day, 1..6 a day
    int own[LESSON_ROWS];
    char texts[LESSON_ROWS][10][2][TIME_CHARS + 1];  // [row][period][start, end]
};

static int fieldId(int period, int isEnd) { return (isEnd ? IDC_LT_END0 : IDC_LT_START0) + period; }

static int rowEditable(const LessonTimesDialog* dialog, int row) { return row == 0 || dialog->own[row]; }

static void loadTexts(LessonTimesDialog* dialog) {
    LessonTimes t;
    loadLessonTimes(&t);
    memset(dialog->texts, 0, sizeof dialog->texts);
    for (int row = 0; row < LESSON_ROWS; row++) {
        dialog->own[row] = row > 0 && t.ownTimes[row];
        for (int p = 0; p < 10; p++) {
            if (t.start[row][p] == LESSON_NONE) continue;
            formatClockTime(dialog->texts[row][p][0], TIME_CHARS + 1, t.start[row][p]);
            formatClockTime(dialog->texts[row][p][1], TIME_CHARS + 1, t.end[row][p]);
        }
    }
}

static void hideError(HWND dlg) {
    SetDlgItemTextA(dlg, IDC_LT_ERROR, "");
    ShowWindow(GetDlgItem(dlg, IDC_LT_ERROR), SW_HIDE);
    ShowWindow(GetDlgItem(dlg, IDC_LT_HINT), SW_SHOW);
}

// Shows a row; a day without times of its own shows the common times, greyed.
static void showRow(HWND dlg, LessonTimesDialog* dialog, int row) {
    dialog->row = row;
    SendDlgItemMessageA(dlg, IDC_LT_DAY, CB_SETCURSEL, (WPARAM)row, 0);
    EnableWindow(GetDlgItem(dlg, IDC_LT_OWN), row > 0);
    CheckDlgButton(dlg, IDC_LT_OWN, row > 0 && dialog->own[row] ? BST_CHECKED : BST_UNCHECKED);
    int editable = rowEditable(dialog, row), source = editable ? row : 0;
    for (int p = 0; p < 10; p++) {
        for (int e = 0; e < 2; e++) {
            SetDlgItemTextA(dlg, fieldId(p, e), dialog->texts[source][p][e]);
            EnableWindow(GetDlgItem(dlg, fieldId(p, e)), editable);
        }
    }
    hideError(dlg);
}

// Takes the typed texts of the row shown back into the dialog's state.
static void keepRow(HWND dlg, LessonTimesDialog* dialog) {
    if (!rowEditable(dialog, dialog->row)) return;
    for (int p = 0; p < 10; p++)
        for (int e = 0; e < 2; e++)
            GetDlgItemTextA(dlg, fieldId(p, e), dialog->texts[dialog->row][p][e], TIME_CHARS + 1);
}

static void onOwnTimes(HWND dlg, LessonTimesDialog* dialog) {
    keepRow(dlg, dialog);
    int row = dialog->row, own = IsDlgButtonChecked(dlg, IDC_LT_OWN) == BST_CHECKED;
    if (row == 0) return;
    // A day that gets times of its own starts from the common times, unless it had some.
    int empty = 1;
    for (int p = 0; p < 10; p++) empty &= dialog->texts[row][p][0][0] == '\0' && dialog->texts[row][p][1][0] == '\0';
    if (own && empty) memcpy(dialog->texts[row], dialog->texts[0], sizeof dialog->texts[0]);
    dialog->own[row] = own;
    showRow(dlg, dialog, row);
}

// Puts the message beside the field at fault (in place of the hint) and the caret in it.
static void showError(HWND dlg, const LessonTimeError* error) {
    HWND field = GetDlgItem(dlg, fieldId(error->period, error->isEnd));
    HWND text = GetDlgItem(dlg, IDC_LT_ERROR), hint = GetDlgItem(dlg, IDC_LT_HINT);
    RECT f, t, h;
    GetWindowRect(field, &f);
    GetWindowRect(text, &t);
    GetWindowRect(hint, &h);
    MapWindowPoints(NULL, dlg, (POINT*)&f, 2);
    MapWindowPoints(NULL, dlg, (POINT*)&h, 2);
    MoveWindow(text, h.left, f.top, t.right - t.left, t.bottom - t.top, TRUE);
    SetWindowTextA(text, error->message);
    ShowWindow(hint, SW_HIDE);
    ShowWindow(text, SW_SHOW);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    if (diaryState.beepOn) shortBeep();
}

// Checks every row in force; on a fault shows it and returns 1. Nothing is stored then.
static int checkRows(HWND dlg, LessonTimesDialog* dialog, LessonTimes* t) {
    memset(t, 0, sizeof *t);
    for (int row = 0; row < LESSON_ROWS; row++) {
        t->ownTimes[row] = row > 0 && dialog->own[row];
        for (int p = 0; p < 10; p++) t->start[row][p] = t->end[row][p] = LESSON_NONE;
        if (!rowEditable(dialog, row)) continue;
        const char *starts[10], *ends[10];
        for (int p = 0; p < 10; p++) starts[p] = dialog->texts[row][p][0], ends[p] = dialog->texts[row][p][1];
        LessonTimeError error;
        if (checkLessonRow(starts, ends, t->start[row], t->end[row], &error) != 0) {
            showRow(dlg, dialog, row);
            showError(dlg, &error);
            return 1;
        }
    }
    return 0;
}

static void onOk(HWND dlg, LessonTimesDialog* dialog) {
    keepRow(dlg, dialog);
    LessonTimes t;
    if (checkRows(dlg, dialog, &t) != 0) return;
    // A refused write has been told; the dialog stays open with what was typed.
    if (saveLessonTimes(&t) == 0) EndDialog(dlg, IDOK);
}

static void onInit(HWND dlg, LessonTimesDialog* dialog) {
    HWND day = GetDlgItem(dlg, IDC_LT_DAY);
    SendMessageA(day, CB_ADDSTRING, 0, (LPARAM) "Every day");
    for (int d = 1; d <= 6; d++) SendMessageA(day, CB_ADDSTRING, 0, (LPARAM)dayNames[d]);
    for (int p = 0; p < 10; p++)
        for (int e = 0; e < 2; e++) SendDlgItemMessageA(dlg, fieldId(p, e), EM_LIMITTEXT, TIME_CHARS, 0);
    showRow(dlg, dialog, 0);
}

static INT_PTR onCommand(HWND dlg, LessonTimesDialog* dialog, int id, int code) {
    if (dialog == NULL) return FALSE;
    switch (id) {
        case IDC_LT_DAY:
            if (code != CBN_SELCHANGE) return FALSE;
            keepRow(dlg, dialog);
            showRow(dlg, dialog, (int)SendDlgItemMessageA(dlg, IDC_LT_DAY, CB_GETCURSEL, 0, 0));
            return TRUE;
        case IDC_LT_OWN: onOwnTimes(dlg, dialog); return TRUE;
        case IDOK: onOk(dlg, dialog); return TRUE;
        case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
        default: return FALSE;
    }
}

static INT_PTR CALLBACK lessonTimesProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    LessonTimesDialog* dialog = (LessonTimesDialog*)GetWindowLongPtrA(dlg, DWLP_USER);
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lParam);
            onInit(dlg, (LessonTimesDialog*)lParam);
            return TRUE;
        case WM_COMMAND: return onCommand(dlg, dialog, LOWORD(wParam), HIWORD(wParam));
        case WM_CTLCOLORSTATIC:
            if ((HWND)lParam != GetDlgItem(dlg, IDC_LT_ERROR)) return FALSE;
            SetTextColor((HDC)wParam, paintColour(RGB(176, 0, 0), COLOR_WINDOWTEXT));
            SetBkMode((HDC)wParam, TRANSPARENT);
            return (INT_PTR)GetSysColorBrush(COLOR_BTNFACE);
        default: return FALSE;
    }
}

void openLessonTimesDialog() {
    LessonTimesDialog dialog = {};
    loadTexts(&dialog);
    runModalDialog(IDD_LESSON_TIMES, lessonTimesProc, &dialog);
}
