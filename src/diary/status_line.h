// The status line: weeks, date, pending action and options on the week's colour.
#pragma once

// Rebuilds and shows the status line (colour, then text).
void refreshStatusLine();
// The COLORREF (0x00BBGGRR) of a week colour.
unsigned long statusColour(int weekColour);
// The status text of the current state into out.
void composeStatusText(char* out, int size);
