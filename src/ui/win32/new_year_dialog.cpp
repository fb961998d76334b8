// The new school year dialog: the name of the year that ends (by default from today's date);
// a name that cannot be used is refused at the field with its reason, and nothing changes.
#include "ui/win32/new_year_dialog.h"

#include <windows.h>

#include "diary/actions.h"
#include "diary/school_year.h"
#include "store/snapshots.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"

// The data of one call: the name the field opens with, filled in by the caller.
struct NewYearDialog {
    char name[SNAPSHOT_YEAR_NAME_MAX + 1];
};

static void onOk(HWND dlg) {
    char name[SNAPSHOT_YEAR_NAME_MAX + 8], message[160] = "";
    GetDlgItemTextA(dlg, IDC_NY_NAME, name, sizeof name);
    int rc = startSchoolYear(name, message, sizeof message);
    if (rc == 1) {
        SetDlgItemTextA(dlg, IDC_NY_MESSAGE, message);
        HWND field = GetDlgItem(dlg, IDC_NY_NAME);
        SetFocus(field);
        SendMessageA(field, EM_SETSEL, 0, -1);
        MessageBeep(MB_ICONWARNING);
        return;
    }
    EndDialog(dlg, rc == 0 ? IDOK : IDCANCEL);
}

static INT_PTR CALLBACK NewYearDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dlg, DWLP_USER, lParam);
            const NewYearDialog* newYear = (const NewYearDialog*)lParam;
            HWND field = GetDlgItem(dlg, IDC_NY_NAME);
            SendMessageA(field, EM_LIMITTEXT, SNAPSHOT_YEAR_NAME_MAX + 1, 0);
            SetWindowTextA(field, newYear->name);
            SetFocus(field);
            SendMessageA(field, EM_SETSEL, 0, -1);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) onOk(dlg);
            else if (LOWORD(wParam) == IDCANCEL) EndDialog(dlg, IDCANCEL);
            return TRUE;
        default: return FALSE;
    }
}

void openNewYearDialog() {
    // The search keeps the notes table open; emptying it then would fail half way.
    if (refuseWhileBusy()) return;
    NewYearDialog newYear = {};
    defaultSchoolYearName(newYear.name, sizeof newYear.name);
    runModalDialog(IDD_NEW_YEAR, NewYearDlgProc, &newYear);
}
