// The combo boxes in which a slot's course, teacher or class and classroom are typed (the
// timetable grid, the lesson change): their edit box, completion from the value list as the
// user types, and the typed text in the code page with the characters it lacks named.
// Offers slotFieldEdit, slotFieldComplete and slotFieldRead.
#pragma once
#include <windows.h>

// The edit box inside a combo box, or NULL.
HWND slotFieldEdit(HWND combo);
// Completes what is typed at the end of the edit box with the first listed value that begins
// with it, the completed part selected so that typing on replaces it.
void slotFieldComplete(HWND edit, HWND combo);
// The field's text in the code page (out: size bytes, more than the value limit so that a text
// too long shows); foreign lists the characters the code page lacks, each once, in UTF-8 ("ł").
void slotFieldRead(HWND combo, char* out, int size, char* foreign, int foreignSize);
