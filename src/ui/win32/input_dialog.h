// The modeless input dialog "DIALOG2": a prompt, a text field or a chooser of known values,
// and for a search a week field with a spinner; OK commits, Cancel ends the pending action.
#pragma once
#include <windows.h>

// Ids of the controls the dialog adds at run time (the others are in resource_ids.h).
#define IDC_DLG_CHOOSER 512
#define IDC_DLG_WEEK 513
#define IDC_DLG_SPINNER 514

// The untouched chooser's text; it is no value of its own.
#define CHOOSER_PLACEHOLDER "Sélection"

// Opens the dialog owned by the main window with prompt, for the pending action; returns at
// once. 0 when it is open, 1 when it cannot be created.
int openInputDialog(const char* prompt);
// The open dialog, or NULL.
HWND inputDialogWindow();

// A seam for tests: 1 makes every creation fail, as a missing dialog resource does.
void inputDialogForceFailure(int on);
