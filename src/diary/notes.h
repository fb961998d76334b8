// Period notes: load into and save from the notes editor, with the "|" line-break encoding.
#pragma once

#define NOTES_LIMIT 511

void loadNotes();
void saveNotes();
// The stored form of an editor text: CR becomes a space, LF becomes "|" (in place).
void encodeNotes(char* text);
// The editor form of a stored text: " |" becomes CR LF and any other "|" a CR LF inserted,
// so no typed character is lost. out must hold 2 * strlen(stored) + 1 bytes.
void decodeNotes(const char* stored, char* out, int size);
