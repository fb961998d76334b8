// Step-by-step keyword search through the notes table; the file stays open between steps.
// Offers searchStep, closeSearchFile, pauseSearchFile and resumeSearchFile; searchState is
// all the search remembers.
#pragma once
#include <cstdio>

#include "store/text_file.h"

#define SEARCH_KEYWORD_MAX 127

// What the search remembers between its steps, from one OK of the dialog to the next.
struct SearchState {
    FILE* file = NULL;       // "wkb_txt.data", open from the first step until Cancel
    int startWeek = 1;       // the dialog's week field, read at each OK
    int lastStartWeek = 1;   // the start week of the previous step
    char lastKeyword[SEARCH_KEYWORD_MAX + 1] = "";  // the keyword of the previous step
    // Where the reading stands. Every read of file goes through reader, which reads ahead.
    // A record line longer than one read comes in pieces: atLineStart tells whether the next
    // piece begins a line, record holds the key of the line being read (valid 0 for a line
    // without a record key), and pieceTail the end of its previous piece, so that a keyword
    // split across two pieces is still found.
    PieceReader reader{};
    int atLineStart = 1;
    struct {
        int valid, week, day, period;
    } record{};
    char pieceTail[SEARCH_KEYWORD_MAX + 1] = "";
    // Where the search stands in lines, so that it can take up its place in a rewritten file
    // (a rewrite keeps every record in its line): whole lines read, the line of the record
    // being read, whether the end was reached, and whether the file is closed for a rewrite.
    long linesDone = 0;
    long recordLine = 0;
    int atEnd = 0;
    int paused = 0;
};

extern SearchState searchState;

// One step of the search (action 6 stays pending).
void searchStep();
// Closes and forgets the search file when it is open.
void closeSearchFile();
// Around a rewrite of the notes table: pause closes the open search file (1 when one was
// open), resume opens it again at the line where the search stood.
int pauseSearchFile();
void resumeSearchFile();
