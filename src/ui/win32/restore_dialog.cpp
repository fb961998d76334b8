// The restore dialog: lists the snapshots (date, notes, size), newest first; the chosen one
// is restored once the dialog has closed, after the Yes/No question that says what goes.
#include "ui/win32/restore_dialog.h"

#include <windows.h>

#include "diary/actions.h"
#include "diary/restore.h"
#include "platform/bounded_text.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"

#define LISTED_MAX 200

// The data of one call: the snapshots listed by the caller, and the one chosen on OK.
struct RestoreDialog {
    SnapshotInfo snapshots[LISTED_MAX];
    int count;
    char chosen[SNAPSHOT_NAME_SIZE];
};

static void fillList(HWND dlg, const RestoreDialog* restore) {
    HWND list = GetDlgItem(dlg, IDC_RST_LIST);
    for (int i = 0; i < restore->count; i++) {
        char line[160];
        formatSnapshotLine(&restore->snapshots[i], line, sizeof line);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)line);
    }
    if (restore->count == 0) {
        SetDlgItemTextA(dlg, IDC_RST_MESSAGE, "No snapshot has been made yet.");
        EnableWindow(GetDlgItem(dlg, IDOK), FALSE);
        return;
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
}

static void onChoose(HWND dlg, RestoreDialog* restore) {
    int index = (int)SendDlgItemMessageA(dlg, IDC_RST_LIST, LB_GETCURSEL, 0, 0);
    if (index < 0 || index >= restore->count) {
        SetDlgItemTextA(dlg, IDC_RST_MESSAGE, "Choose a snapshot in the list.");
        return;
    }
    copyText(restore->chosen, sizeof restore->chosen, restore->snapshots[index].name);
    EndDialog(dlg, IDOK);
}

static INT_PTR CALLBACK RestoreDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    RestoreDialog* restore = (RestoreDialog*)GetWindowLongPtrA(dlg, DWLP_USER);
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lParam);
            fillList(dlg, (RestoreDialog*)lParam);
            SetFocus(GetDlgItem(dlg, IDC_RST_LIST));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            if (restore == NULL) return FALSE;
            if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == IDC_RST_LIST && HIWORD(wParam) == LBN_DBLCLK))
                onChoose(dlg, restore);
            else if (LOWORD(wParam) == IDCANCEL) EndDialog(dlg, IDCANCEL);
            return TRUE;
        default: return FALSE;
    }
}

void openRestoreDialog() {
    if (refuseWhileBusy()) return;
    RestoreDialog restore = {};
    restore.count = listSnapshots(restore.snapshots, LISTED_MAX);
    if (runModalDialog(IDD_RESTORE, RestoreDlgProc, &restore) == IDOK && restore.chosen[0] != '\0')
        restoreWithQuestion(restore.chosen);
}
