// Fuzz target: the lesson changes file. Input: a week byte, a day-and-period byte, a byte of
// what to store (cancelled, and which fields differ) with the fault to arm, then the bytes of
// "changes.dat". Reads every change and one lesson, then stores a change of that lesson with
// the chosen file operation failing: a failed store leaves the file as it was and is told, a
// store that succeeds reads back.
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "platform/faults.h"
#include "records/lesson_changes.h"
#include "support/recording_frontend.h"

static void countChange(int, int, int, const LessonChange* change, void* context) {
    *(int*)context += change->cancelled;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 3) return 0;
    fuzzInit();
    fuzzReset();
    int week = 1 + data[0] % 53, day = 1 + (data[1] >> 4) % 6, period = (data[1] & 15) % 10;
    std::string file((const char*)data + 3, size - 3);
    fuzzWriteData(CHANGES_FILE, file);

    int cancelledCount = 0;
    readAllLessonChanges(countChange, &cancelledCount);
    LessonChange before;
    readLessonChange(week, day, period, &before);
    const char* const timetable[3] = {"Math", "Smith", "12"};
    const char* const typed[3] = {data[2] & 1 ? "Bio" : "Math", data[2] & 2 ? "" : "Smith", data[2] & 4 ? "Gym" : "12"};
    int cancelled = (data[2] >> 3) & 1;
    fuzzArmFault(data[2] >> 4);
    int failed = storeLessonChange(week, day, period, cancelled, typed, timetable);
    faultReset();
    if (failed) {
        fuzzCheck(fuzzReadData(CHANGES_FILE) == file, "a failed store leaves the file as it was");
        fuzzCheck(!frontCalls("box|").empty(), "a failed store is told");
        return 0;
    }
    LessonChange after;
    int any = readLessonChange(week, day, period, &after);
    fuzzCheck(any == (cancelled || (data[2] & 7) != 0), "a change is stored when it changes something");
    fuzzCheck(after.cancelled == cancelled, "the cancelled flag reads back");
    for (int k = 0; k < 3; k++) {
        int differs = strcmp(typed[k], timetable[k]) != 0;
        fuzzCheck(after.changed[k] == differs, "only the fields that differ are kept");
        fuzzCheck(!differs || strcmp(after.field[k], typed[k]) == 0, "a changed field reads back");
    }
    return 0;
}
