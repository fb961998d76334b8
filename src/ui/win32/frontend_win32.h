// The Win32 side of the front-end seam (core/frontend.h is implemented in frontend_win32.cpp),
// the one place where the window shows a message box, and the hooks with which tests see
// boxes and the order of the front-end calls instead of waiting on a modal box.
#pragma once
#include <windows.h>

// MessageBoxA, except in a test build that records boxes (the default there): then the box is
// kept for the test and the next queued answer is returned (IDNO for yes/no, else IDOK).
int win32MessageBox(HWND owner, const char* text, const char* title, UINT flags);

#ifdef WKB_TEST_HOOKS
// 1 shows real boxes, 0 (the default in test builds) records them.
void frontShowRealBoxes(int on);
// Queues the answer of the next recorded yes/no question (1 Yes, 0 No).
void frontQueueAnswer(int yes);
// The boxes recorded since the last clear, oldest first (at most 64 are kept).
int frontBoxCount();
const char* frontBoxTitle(int i);
const char* frontBoxText(int i);
UINT frontBoxFlags(int i);
HWND frontBoxOwner(int i);
void frontClearBoxes();
// The front-end calls since the last clear, as "notes,slot,slot,colour,status,...".
const char* frontTrace();
void frontClearTrace();
// The last colour handed to the status bar.
unsigned long frontLastStatusColour();
#endif
