// Text for the HTML pages: escaping of stored values (so that no value can add markup to a
// page) and the conversion of stored notes, with their "|" line breaks, into page text.
// Offers htmlEntity, writeEscaped, writeBigLine and convertNotes.
#pragma once
#include <cstddef>

#include "store/text_file.h"

// Characters produced by a notes conversion before the rest is dropped.
#define NOTES_HTML_LIMIT 500
// A unit begun at 499 characters is completed: the longest is "&quot;" (6), plus the NUL.
#define NOTES_HTML_SIZE (NOTES_HTML_LIMIT - 1 + 6 + 1)

// The entity that stands for c in a page ("&amp;", "&lt;", "&gt;", "&quot;"), or NULL.
const char* htmlEntity(char c);
// Writes text to the page with every special character as its entity.
void writeEscaped(Rewrite* page, const char* text);
// One slot field as a bold line of a page cell, "-" when the field is empty.
void writeBigLine(Rewrite* page, const char* value);
// The course line of a lesson cancelled on its date: the course struck through, then the word
// (which a screen reader reads, where it passes over the strike).
void writeCancelledLine(Rewrite* page, const char* course);
// Converts stored notes into out (size bytes): the "|" of a stored line break (" |") becomes
// "<br>" and a line end, a typed "|" stays, special characters become their entities. Units are appended while fewer than NOTES_HTML_LIMIT characters
// stand in out, and never cut; a unit that does not fit in size ends the text.
void convertNotes(const char* stored, char* out, size_t size);
