// The dialogs' runner: one wrapper procedure in front of each dialog's own, which hands the
// caller's data on at WM_INITDIALOG and lets test builds drive the dialog in its modal loop.
#include "ui/win32/modal_dialog.h"

#include "ui/win32/window_handles.h"

#define WM_DRIVE_DIALOG (WM_APP + 40)
#define DIALOG_PROC_PROP "wkbDialogProc"

// What one call hands the wrapper through DialogBoxParamA.
struct DialogCall {
    DLGPROC proc;  // the dialog's own procedure
    void* data;    // the caller's struct, WM_INITDIALOG's lParam for proc
};

struct DialogRunner {
    void (*drive)(HWND dialog);
};

static DialogRunner runner;

void modalDialogDriver(void (*drive)(HWND dialog)) { runner.drive = drive; }

static void driveDialog(HWND dlg) {
    void (*drive)(HWND) = runner.drive;
    runner.drive = NULL;
    if (drive == NULL) return;
    drive(dlg);
    // An ended dialog leaves its loop before this message is read; an open one is cancelled.
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

static INT_PTR CALLBACK ModalDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Each dialog keeps its own procedure, so that a dialog opened from another one leaves
    // the first one's messages to the first one's procedure.
    DLGPROC proc = (DLGPROC)GetPropA(dlg, DIALOG_PROC_PROP);
    if (msg == WM_INITDIALOG) {
        const DialogCall* call = (const DialogCall*)lParam;
        proc = call->proc;
        SetPropA(dlg, DIALOG_PROC_PROP, (HANDLE)proc);
        lParam = (LPARAM)call->data;
    }
    if (msg == WM_DRIVE_DIALOG) {
        driveDialog(dlg);
        return TRUE;
    }
    if (proc == NULL) return FALSE;  // the messages before WM_INITDIALOG (WM_SETFONT)
    if (msg == WM_NCDESTROY) RemovePropA(dlg, DIALOG_PROC_PROP);
    INT_PTR result = proc(dlg, msg, wParam, lParam);
    // Driven once it is on the screen, as the user meets it (the modal loop shows it when
    // its queue first runs dry).
    if (msg == WM_SHOWWINDOW && wParam && runner.drive) PostMessageA(dlg, WM_DRIVE_DIALOG, 0, 0);
    return result;
}

INT_PTR runModalDialog(int resourceId, DLGPROC proc, void* data) {
    DialogCall call = {proc, data};
    return DialogBoxParamA(mainUi.instance, MAKEINTRESOURCEA(resourceId), mainUi.main, ModalDlgProc,
                           (LPARAM)&call);
}

INT_PTR runModalDialogUnicode(int resourceId, DLGPROC proc, void* data) {
    DialogCall call = {proc, data};
    return DialogBoxParamW(mainUi.instance, MAKEINTRESOURCEW(resourceId), mainUi.main, ModalDlgProc, (LPARAM)&call);
}
