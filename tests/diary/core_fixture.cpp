// The diary core tests' fixture: start-up on a known Thursday, typing into the input dialog,
// the kinds of the recorded front-end calls and a beep counter.
#include "core_fixture.h"

#include "diary/actions.h"
#include "diary/search.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "support/platform_recorder.h"

void DiaryCoreTest::TearDown() {
    closeSearchFile();
    DiaryTest::TearDown();
}

void DiaryCoreTest::startThursday() {
    startAt(2026, 1, 15);
    resetFrontLog();
    beepMark = platformBeepCount();
}

void DiaryCoreTest::typeAndOk(const char* text, int startWeek) {
    copyText(inputText, sizeof inputText, text);
    searchState.startWeek = startWeek;
    commitInput();
}

std::vector<std::string> DiaryCoreTest::callKinds(size_t from) const {
    std::vector<std::string> kinds;
    for (size_t i = from; i < frontLog.calls.size(); i++)
        kinds.push_back(frontLog.calls[i].substr(0, frontLog.calls[i].find('|')));
    return kinds;
}

int DiaryCoreTest::newBeeps() {
    int now = platformBeepCount();
    int n = now - beepMark;
    beepMark = now;
    return n;
}
