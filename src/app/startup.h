// Start-up: base folder, store, calendar, the day and week to show, and the options.
#pragma once

// Runs every start-up step before the window exists.
void startUp();
// The start-up message: about text, store line by storeStatus, "\nPath: " and the data folder.
void composeStartupMessage(char* out, int size);
