// The command table: every menu item, toolbar button and shortcut, by command id, runs one
// operation; and the radio marks of the option items.
#pragma once
#include <windows.h>

// Runs the operation bound to id; 1 when one is bound, 0 for any other id (nothing runs).
int runCommand(int id);
// Puts the radio mark of each option (Bip, Info, Use default values) on the state in force.
void showOptionChecks(HWND window);
