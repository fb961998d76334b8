// Expected texts of the exported pages, written out from the fixed texts of the page frame,
// so that the page tests compare whole files without asking the code under test.
#pragma once
#include <string>

// The icon of the banner as its Base64 text, without line breaks.
extern const char* const iconBase64;
// Head with style sheet and banner, as memory text ("\n" line ends).
std::string expectedHead();
// Footer row opening, footer and tail; weeksForm picks the weeks table form.
std::string expectedEnd(bool weeksForm, bool reachable);
// One bold slot line of a cell.
std::string big(const std::string& value);
// The bytes of a file in the data folder as memory text (CR LF back to "\n"); "" when absent,
// and marks a bare LF with "<LF!>" so that a wrong line end cannot pass.
std::string memoryText(const std::string& diskBytes);
