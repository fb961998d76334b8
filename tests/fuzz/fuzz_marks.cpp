// Fuzz target: the marks file. Input: a key byte, a mark byte (bit 0 the mark, bit 1 on or
// off), a fault byte, then the bytes of "marks.dat". Reads every mark, then sets one with the
// chosen file operation failing: a failed set leaves the file as it was and is told; a set
// that succeeds reads back, and every other mark that read before reads the same after.
#include <map>
#include <string>

#include "fuzz_support.h"
#include "platform/faults.h"
#include "records/note_marks.h"
#include "support/recording_frontend.h"

typedef std::map<std::string, std::pair<int, unsigned>> MarkMap;

static void collect(const char* key, int marks, unsigned hash, void* context) {
    (*(MarkMap*)context)[key] = {marks, hash};
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 3) return 0;
    fuzzInit();
    fuzzReset();
    char key[16];
    snprintf(key, sizeof key, "W%dD%dP%d", 1 + data[0] % 53, 1 + data[0] / 53 % 6, data[0] % 10);
    int mark = data[1] & 1 ? MARK_TEST : MARK_DONE, on = (data[1] & 2) == 0;
    std::string file((const char*)data + 3, size - 3);
    fuzzWriteData(MARKS_FILE, file);

    MarkMap before, after;
    readAllMarks(collect, &before);
    int had = noteMarks(key, "note");
    fuzzArmFault(data[2]);
    int failed = setNoteMark(key, "note", mark, on);
    faultReset();
    if (failed) {
        fuzzCheck(fuzzReadData(MARKS_FILE) == file, "a failed set leaves the file as it was");
        fuzzCheck(!frontCalls("box|").empty(), "a failed set is told");
        return 0;
    }
    int want = on ? had | mark : had & ~mark;
    fuzzCheck(noteMarks(key, "note") == want, "a set mark reads back");
    fuzzCheck(readAllMarks(collect, &after) == 0, "the new file reads whole");
    before.erase(key);
    after.erase(key);
    fuzzCheck(before == after, "every other mark that read stays");
    return 0;
}
