// Period notes: load into and save from the notes editor, with the "|" line-break encoding.
#pragma once

#define NOTES_LIMIT 511

void loadNotes();
void saveNotes();
// Before the view leaves the note in the editor (another tab, week or search hit, quitting):
// stores a changed text under the slot it was loaded for, as Save would, whatever action is
// pending. 1 when the user may leave (nothing to keep, or kept); 0, after telling why, when
// it could not be stored: the caller then stays where it is and the editor keeps the text.
int keepTypedNote();
// keepTypedNote for closing the diary: a note too long to be kept may be left behind after a
// question (Yes quits without the changes to it). 1 when the diary may close.
int keepTypedNoteForClose();
// Forgets which slot the editor was filled for (tests, between cases).
void forgetLoadedNote();
// The stored form of an editor text: CR becomes a space, LF becomes "|" (in place).
void encodeNotes(char* text);
// The editor form of a stored text: " |" becomes CR LF and any other "|" stays the "|" that
// was typed, so the text has the stored length and saves back to the same bytes.
void decodeNotes(const char* stored, char* out, int size);
