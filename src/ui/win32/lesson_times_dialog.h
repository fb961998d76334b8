// The "Lesson times" dialog (Parametres menu): the start and end of the ten periods for every
// day, or for a day marked as having times of its own. OK checks every row in force and stores
// them; a bad time is named beside its field and nothing is stored.
#pragma once
#include <windows.h>

// Opens the dialog owned by the main window and returns when it is closed.
void openLessonTimesDialog();
// The open dialog, or NULL.
HWND lessonTimesDialogWindow();

// A seam for tests: 1 opens the dialog modeless and the call returns at once, so that a test
// can drive it. The program never sets it.
void lessonTimesDialogModeless(int on);
