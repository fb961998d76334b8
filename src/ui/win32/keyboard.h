// The keyboard of the main window: the accelerator table "WKBACCEL" and the dialog manager of
// the modeless input dialog and of the agenda window, applied to each message of the loop
// before it is dispatched, and the steps of Ctrl+Tab (periods) and Ctrl+Page Down (days).
#pragma once
#include <windows.h>

// Loads the accelerator table; 0, or 1 when it is missing (the keys then do nothing).
int loadWindowKeys(HINSTANCE instance);
// 1 when msg was a key of the window, of the open input dialog or of the open agenda window
// and has been handled.
int translateWindowKeys(MSG* msg);
// Moves the period tab by delta (wrapping at the ends) through the tab-change path.
void stepPeriod(int delta);
// The same for the day tab.
void stepDay(int delta);
