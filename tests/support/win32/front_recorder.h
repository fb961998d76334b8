// The Windows tests' recorder of the window's boxes and front-end calls, set on the seams of
// ui/win32/frontend_win32.h. It records from the start of the test program, so that no test
// waits on a modal box; a test that wants the real boxes asks for them.
#pragma once
#include <windows.h>

// 1 shows real boxes, 0 (the default) records them.
void frontShowRealBoxes(int on);
// Queues the answer of the next recorded yes/no question (1 Yes, 0 No); unqueued ones are No.
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

// The print's error boxes, recorded instead of shown when on (1); clears the record.
void printRecordBoxes(int on);
int printBoxCount();
// The last box as "<title>|<MB flags>|<text>"; "" when none.
const char* printLastBox();
