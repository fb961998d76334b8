// Fuzz target: the value lists file. Input: a list byte, a fault byte, a value line, then the
// bytes of "hdvalues.dat". Lists every kind, adds the value with the chosen file operation
// failing (a failed add leaves the file as it was and is told), finds an added value last in
// its list, removes it and checks that no line of that value is left.
#include <cstring>
#include <string>

#include "core/diary_state.h"
#include "diary/actions.h"
#include "fuzz_support.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "records/value_lists.h"
#include "store/table_store.h"
#include "support/recording_frontend.h"

struct Listing {
    std::string last;
    int count = 0;
    int matches = 0;
    const char* value = "";
};

static void collect(const char* value, void* context) {
    Listing* l = (Listing*)context;
    l->last = value;
    l->count++;
    if (strcmp(value, l->value) == 0) l->matches++;
}

static Listing listAll(const char* prefix, const char* value) {
    Listing l;
    l.value = value;
    readListValues(prefix, collect, &l);
    return l;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 2) return 0;
    fuzzInit();
    fuzzReset();
    static const int addActions[3] = {ACTION_ADD_COURSE, ACTION_ADD_TEACHER, ACTION_ADD_CLASSROOM};
    int action = addActions[data[0] % 3];
    std::string file((const char*)data + 2, size - 2);
    std::string value = fuzzTakeLine(file, 254);
    fuzzWriteData(LISTS_FILE, file);

    const char* prefix = listPrefix(action);
    for (const char* p : {"[C]", "[T]", "[L]", ""}) listAll(p, value.c_str());
    // A committed value never holds a NUL or a CR (the input dialog makes line breaks blanks).
    if (value.find_first_of(std::string("\0\r", 2)) != std::string::npos) return 0;

    diaryState.action = action;
    copyText(valueBuffer, sizeof valueBuffer, value.c_str());
    fuzzArmFault(data[1]);
    int failed = addListValue();
    faultReset();
    if (failed) {
        fuzzCheck(fuzzReadData(LISTS_FILE) == file, "a failed add leaves the file as it was");
        fuzzCheck(!frontCalls("box|").empty(), "a failed add is told");
        return 0;
    }
    fuzzCheck(listAll(prefix, value.c_str()).last == value, "an added value comes last in its list");
    if (value.size() < 1 || removeListValue() == 0) return 0;
    // A line holding a NUL byte is never taken for a value and stays.
    if (file.find('\0') != std::string::npos) return 0;
    for (const char* p : {"[C]", "[T]", "[L]"})
        fuzzCheck(listAll(p, value.c_str()).matches == 0, "a removed value is gone from every list");
    return 0;
}
