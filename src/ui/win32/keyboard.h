// The keyboard of the main window: the accelerator table "WKBACCEL" and the dialog manager of
// the modeless input dialog, applied to each message of the loop before it is dispatched, and
// the period steps that Ctrl+Tab and Ctrl+Shift+Tab run.
#pragma once
#include <windows.h>

// Loads the accelerator table; 0, or 1 when it is missing (the keys then do nothing).
int loadWindowKeys(HINSTANCE instance);
// 1 when msg was a key of the window or of the open input dialog and has been handled.
int translateWindowKeys(MSG* msg);
// Moves the period tab by delta (wrapping at the ends) through the tab-change path.
void stepPeriod(int delta);
