// Done and test marks of notes, kept in "marks.dat" beside the notes: one line per note key.
// A mark belongs to the note's text as it was when it was set (a hash of the stored text is
// kept with it), so a note rewritten afterwards reads as unmarked again.
#pragma once

#define MARKS_FILE "marks.dat"
// The new version while it is written.
#define MARKS_NEW "marks.new"

#define MARK_DONE 1
#define MARK_TEST 2

// The hash kept with a mark: of the note's text as stored in the notes table.
unsigned noteTextHash(const char* storedText);
// The marks (MARK_DONE | MARK_TEST) of the note under key whose stored text is storedText; 0
// when it has none, or when the note was rewritten since they were set.
int noteMarks(const char* key, const char* storedText);
// Sets (on 1) or clears (on 0) one mark of the note under key, for its text as stored now, in
// one rewrite of the marks file. 0, or 1 when nothing was written (the user is told why, the
// old marks stay).
int setNoteMark(const char* key, const char* storedText, int mark, int on);
// Calls each for every mark line that reads (in file order; a key met twice: its last line
// wins when marks are looked up). 0, or 1 when the file is there but could not be read whole.
int readAllMarks(void (*each)(const char* key, int marks, unsigned hash, void* context), void* context);
