// The recording front end of the native tests: every call of the front-end seam is kept as
// one line in `frontLog`, and questions are answered from a script.
#pragma once
#include <string>
#include <vector>

struct FrontRecord {
    std::vector<std::string> calls;   // "box|<title>|<icon>|<text>", "ask|<text>", "input|<text>",
                                      // "colour|<hex>", "status|<text>", "slot|<text>",
                                      // "notes|<text>", "tabs|<day>|<period>", "title|<text>"
    std::vector<int> answers;         // answers for frontAskYesNo, taken from the front; No when empty
    std::string notes;                // the editor's text
    int notesModified = 0;            // set by a test that "types"; cleared by a load or a store
    std::string foreign;              // what frontNotesForeignCharacters lists ("" none);
    int foreignCount = 0;             // cleared when the editor's text is set
    std::string statusText;
    unsigned long statusColour = 0;
    std::string slotLine;
    std::string windowTitle;
    int inputDialogFails = 0;         // 1: frontOpenInputDialog reports that it cannot open
    int dayTab = -1, periodTab = -1;
    int notesChanged = 0;             // frontNotesChanged calls
};

extern FrontRecord frontLog;

// Clears everything recorded.
void resetFrontLog();
// The recorded calls whose line starts with prefix.
std::vector<std::string> frontCalls(const std::string& prefix);
