// How the notes table stores a line break: the editor's CR LF is kept as a blank followed by
// "|". A "|" after any other character (or at the start) was typed by the user and is kept
// as the character itself. Every reader of notes (editor, pages, day list) asks here.
#pragma once
#include <cstddef>

// 1 when the "|" at text[i] is a stored line break (a blank right before it).
inline int noteLineBreakAt(const char* text, size_t i) { return text[i] == '|' && i > 0 && text[i - 1] == ' '; }
