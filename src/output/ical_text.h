// The text rules of an iCalendar file: the diary's Windows-1252 texts converted to UTF-8,
// TEXT values escaped, and content lines folded at 75 octets without splitting a character.
// Offers IcalLine with icalAppend/icalAppendText, and icalWriteLine.
#pragma once
#include <cstddef>

#include "store/text_file.h"

// One content line being composed; a value that does not fit is cut at a whole character.
#define ICAL_LINE_SIZE 8192
struct IcalLine {
    size_t length;
    char text[ICAL_LINE_SIZE];
};

void icalStart(IcalLine* line, const char* name);
// Appends text as it is (ASCII names, parameters and date-times).
void icalAppend(IcalLine* line, const char* text);
// Appends a Windows-1252 text as an escaped UTF-8 TEXT value: "\" ";" "," become "\\" "\;"
// "\,", a line feed becomes "\n"; other control characters are dropped, and the five bytes
// that the code page leaves undefined become U+FFFD.
void icalAppendText(IcalLine* line, const char* cp1252);
// The UTF-8 form of one Windows-1252 byte into out (at least 4 bytes); its length, 0 for none.
int cp1252ToUtf8(unsigned char byte, char* out);
// Writes the line folded: at most 75 octets a line, each continuation after CR LF and a blank.
void icalWriteLine(Rewrite* out, const IcalLine* line);
