// The command table: every menu item and toolbar button, by command id, runs one operation.
#pragma once

// Runs the operation bound to id; 1 when one is bound, 0 for any other id (nothing runs).
int runCommand(int id);
