// The start-up message shown once when the window opens.
#pragma once

// The about text, store line by storeStatus, "\nPath: " and the data folder.
void composeStartupMessage(char* out, int size);
