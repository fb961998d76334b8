// The modal dialogs' runner: one wrapper procedure in front of the dialog's own, so that test
// builds can drive a dialog while its modal loop runs.
#include "ui/win32/modal_dialog.h"

#include "ui/win32/window_handles.h"

#define WM_DRIVE_DIALOG (WM_APP + 40)
#define DIALOG_PROC_PROP "wkbDialogProc"

struct ModalDialog {
    DLGPROC proc;  // the dialog's own procedure
    void (*drive)(HWND dialog);
};

static ModalDialog modal;

void modalDialogDriver(void (*drive)(HWND dialog)) { modal.drive = drive; }

static INT_PTR CALLBACK ModalDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DRIVE_DIALOG) {
        void (*drive)(HWND) = modal.drive;
        modal.drive = NULL;
        if (drive) drive(dlg);
        return TRUE;
    }
    // Each dialog keeps its own procedure, so that a dialog opened from another one leaves
    // the first one's messages to the first one's procedure.
    DLGPROC proc = (DLGPROC)GetPropA(dlg, DIALOG_PROC_PROP);
    if (proc == NULL) {
        proc = modal.proc;
        SetPropA(dlg, DIALOG_PROC_PROP, (HANDLE)proc);
    }
    if (msg == WM_NCDESTROY) RemovePropA(dlg, DIALOG_PROC_PROP);
    INT_PTR result = proc(dlg, msg, wParam, lParam);
    if (msg == WM_INITDIALOG && modal.drive) PostMessageA(dlg, WM_DRIVE_DIALOG, 0, 0);
    return result;
}

INT_PTR runModalDialog(int resourceId, DLGPROC proc, LPARAM param) {
    DLGPROC outer = modal.proc;
    modal.proc = proc;
    INT_PTR result = DialogBoxParamA(mainUi.instance, MAKEINTRESOURCEA(resourceId), mainUi.main, ModalDlgProc, param);
    modal.proc = outer;
    return result;
}
