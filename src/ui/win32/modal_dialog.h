// The one runner of the dialogs beyond the input dialog: runModalDialog shows a dialog of
// res/dialogs.rc owned by the main window, hands it the caller's data, and returns when it
// ends. Tests drive an open dialog from inside its modal loop through modalDialogDriver.
#pragma once
#include <windows.h>

// DialogBoxParamA with the program's instance and the main window as owner. proc receives
// data as WM_INITDIALOG's lParam and keeps it with SetWindowLongPtrA(dlg, DWLP_USER, lParam).
// Returns the dialog's result (IDOK, IDCANCEL), or -1 when it cannot be created.
INT_PTR runModalDialog(int resourceId, DLGPROC proc, void* data);
// The same with DialogBoxParamW: the controls are Unicode windows that keep a typed character
// the code page cannot hold, so that the dialog can name it before anything is stored.
INT_PTR runModalDialogUnicode(int resourceId, DLGPROC proc, void* data);

// A seam for tests: drive(dialog) runs once the next dialog is on the screen, inside its
// message loop, and should end it (press OK or Cancel); a dialog that is still open when drive
// returns is cancelled, so that a failed check cannot leave the loop waiting. NULL stops
// driving.
void modalDialogDriver(void (*drive)(HWND dialog));
