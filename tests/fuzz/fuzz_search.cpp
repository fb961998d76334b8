// Fuzz target: the keyword search over the notes table. Input: a start-week byte, a keyword
// line, then the bytes of "wkb_txt.data". Runs search steps until the end beeps; every hit
// shows its week, day and period, which must be ones the diary can show.
#include <string>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/search.h"
#include "fuzz_support.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "support/platform_recorder.h"
#include "support/recording_frontend.h"

#define MAX_STEPS 64

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 1) return 0;
    fuzzInit();
    static int calendarBuilt = 0;
    if (!calendarBuilt) buildDayTable();
    calendarBuilt = 1;
    fuzzReset();
    std::string file((const char*)data + 1, size - 1);
    std::string keyword = fuzzTakeLine(file, 254);
    fuzzWriteData("wkb_txt.data", file);

    diaryState.action = ACTION_SEARCH;
    searchState.lastStartWeek = 0;
    searchState.lastKeyword[0] = '\0';
    searchState.startWeek = (int)data[0] - 8;
    for (int step = 0; step < MAX_STEPS; step++) {
        int beeps = platformBeepCount();
        frontLog.dayTab = -1;
        copyText(inputText, sizeof inputText, keyword.c_str());
        commitInput();
        if (platformBeepCount() != beeps) break;
        if (frontLog.dayTab < 0) continue;  // the first OK of a keyword shows nothing
        fuzzCheck(diaryState.selectedWeek >= 1 && diaryState.selectedWeek <= 53, "a hit's week is a week");
        fuzzCheck(diaryState.selectedDay >= 1 && diaryState.selectedDay <= 6, "a hit's day is a weekday");
        fuzzCheck(diaryState.selectedPeriod >= 0 && diaryState.selectedPeriod <= 9, "a hit's period exists");
    }
    closeSearchFile();
    return 0;
}
