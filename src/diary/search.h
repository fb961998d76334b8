// Step-by-step keyword search through the notes table; the file stays open between steps.
#pragma once
#include <cstdio>

extern FILE* searchFile;
extern int searchStartWeek;
extern int lastStartWeek;
extern char lastKeyword[128];

// One step of the search (action 6 stays pending).
void searchStep();
// Closes and forgets the search file when it is open.
void closeSearchFile();
