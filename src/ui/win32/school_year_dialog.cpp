// The school year dialog: one field for the week that starts every school year, and a line
// that says, as the user types, which dates that makes this school year, or why the text
// cannot be used. Text that cannot be used is refused at the field and nothing changes.
#include "ui/win32/school_year_dialog.h"

#include <windows.h>

#include <cstdio>

#include "diary/actions.h"
#include "diary/school_calendar.h"
#include "ui/win32/dialog_ids.h"
#include "ui/win32/modal_dialog.h"

// Shows what the field's text means; returns the week (0 none, -1 unusable).
static int describeField(HWND dlg) {
    char typed[16], message[160];
    GetDlgItemTextA(dlg, IDC_SY_WEEK, typed, sizeof typed);
    int week = describeSchoolYearStart(typed, message, sizeof message);
    SetDlgItemTextA(dlg, IDC_SY_MESSAGE, message);
    return week;
}

static void onOk(HWND dlg) {
    int week = describeField(dlg);
    if (week < 0) {
        HWND field = GetDlgItem(dlg, IDC_SY_WEEK);
        SetFocus(field);
        SendMessageA(field, EM_SETSEL, 0, -1);
        MessageBeep(MB_ICONWARNING);
        return;
    }
    EndDialog(dlg, IDOK);
    setSchoolYearStart(week);
}

static void onInit(HWND dlg) {
    HWND field = GetDlgItem(dlg, IDC_SY_WEEK);
    SendMessageA(field, EM_LIMITTEXT, 3, 0);
    int week = shownSchoolYearStart();
    char text[8] = "";
    if (week > 0) snprintf(text, sizeof text, "%d", week);
    SetWindowTextA(field, text);
    describeField(dlg);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
}

static INT_PTR CALLBACK SchoolYearDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: onInit(dlg); return FALSE;  // the focus is set
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) onOk(dlg);
            else if (LOWORD(wParam) == IDCANCEL) EndDialog(dlg, IDCANCEL);
            else if (LOWORD(wParam) == IDC_SY_WEEK && HIWORD(wParam) == EN_CHANGE) describeField(dlg);
            return TRUE;
        default: return FALSE;
    }
}

void openSchoolYearDialog() {
    // The calendar is built again on OK; a pending search or input keeps its own week.
    if (refuseWhileBusy()) return;
    runModalDialog(IDD_SCHOOL_YEAR, SchoolYearDlgProc, NULL);
}
