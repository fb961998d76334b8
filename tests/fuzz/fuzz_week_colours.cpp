// Fuzz target: the week colours file. Input: a week byte, a colour byte and a fault byte,
// then the bytes of "weeks.dat". Reads several weeks, then sets the selected week's colour
// with the chosen file operation failing: a failed set leaves the file as it was and is told,
// a set that succeeds reads back.
#include <string>

#include "core/diary_state.h"
#include "fuzz_support.h"
#include "platform/faults.h"
#include "records/week_colours.h"
#include "support/recording_frontend.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 3) return 0;
    fuzzInit();
    fuzzReset();
    int week = data[0] % 60;
    int colour = data[1] % 5;
    std::string file((const char*)data + 3, size - 3);
    fuzzWriteData(WEEKS_FILE, file);

    for (int w = 0; w < 60; w += 7) readWeekColour(w);
    diaryState.selectedWeek = week;
    int before = readSelectedWeekColour();
    fuzzArmFault(data[2]);
    int failed = setWeekColour(colour);
    faultReset();
    if (failed) {
        fuzzCheck(fuzzReadData(WEEKS_FILE) == file, "a failed set leaves the file as it was");
        fuzzCheck(!frontCalls("box|").empty(), "a failed set is told");
        fuzzCheck(diaryState.weekColour == before, "a failed set keeps weekColour");
        return 0;
    }
    fuzzCheck(diaryState.weekColour == colour, "weekColour follows the set");
    fuzzCheck(readWeekColour(week) == colour, "a set colour reads back");
    return 0;
}
