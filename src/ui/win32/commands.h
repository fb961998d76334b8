// The command table: every menu item, toolbar button and shortcut, by command id, runs one
// operation; the radio marks of the option items and the check marks of the lesson's marks.
#pragma once
#include <windows.h>

// Runs the operation bound to id; 1 when one is bound, 0 for any other id (nothing runs).
int runCommand(int id);
// Puts the radio mark of each option (Bip, Info, Use default values, Agenda at start) on the
// state in force.
void showOptionChecks(HWND window);
// Checks Lesson > Mark as done and Mark as a test when the selected lesson's note has the mark.
void showLessonMarks(HWND window);
