// Modal dialogs of the school-year commands: runModalDialog shows a dialog resource owned by
// the main window and returns when it ends. Tests can drive an open dialog from inside
// its own message loop (a modal dialog returns only when it is closed).
#pragma once
#include <windows.h>

// DialogBoxParamA with the program's instance and the main window as owner; the dialog's
// result (IDOK, IDCANCEL), or -1 when it cannot be created.
INT_PTR runModalDialog(int resourceId, DLGPROC proc, LPARAM param);

// A seam for tests: drive(dialog) runs once the next modal dialog is set up, inside its
// message loop; it must end the dialog (press OK or Cancel). NULL stops driving.
void modalDialogDriver(void (*drive)(HWND dialog));
