// Expected texts of the exported pages: the head comes from a golden file, the page ends are
// written out here, so that the page tests compare whole files without asking the code under test.
#pragma once
#include <string>

// The icon of the banner as its Base64 text, without line breaks, taken from the golden head.
std::string expectedIconBase64();
// Head with style sheet and banner, as memory text ("\n" line ends): tests/golden/page_head.html.
std::string expectedHead();
// Footer row opening, footer and tail; weeksForm picks the weeks table form.
std::string expectedEnd(bool weeksForm, bool reachable);
// One bold slot line of a cell.
std::string big(const std::string& value);
// The bytes of a file in the data folder as memory text (CR LF back to "\n"); "" when absent,
// and marks a bare LF with "<LF!>" so that a wrong line end cannot pass.
std::string memoryText(const std::string& diskBytes);
