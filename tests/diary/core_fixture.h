// Helpers shared by the diary core tests: a fixture that started the diary on a known day and
// closes the search file afterwards, typing into the input dialog, and the recorded call kinds.
#pragma once
#include <string>
#include <vector>

#include "support/diary_fixture.h"

class DiaryCoreTest : public DiaryTest {
protected:
    void TearDown() override;
    // Starts the diary on Thursday 15 January 2026 (week 3) and forgets what start-up recorded.
    void startThursday();
    // The input dialog's OK with text typed (and, for a search, the week field).
    void typeAndOk(const char* text, int startWeek = 0);
    // The kinds ("colour", "status", ...) of the calls recorded from the index `from` on.
    std::vector<std::string> callKinds(size_t from = 0) const;
    // Number of beeps since the last call (or since startThursday).
    int newBeeps();

private:
    int beepMark = 0;
};
