// Fuzz target: the keyed table store. Input: a fault byte, a key line, a value line, then the
// bytes of the timetable table. Gets the key and the slot keys, then sets the key with the
// chosen file operation failing: a set that fails leaves the table byte for byte as it was and
// tells the user; one that succeeds reads back.
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "platform/faults.h"
#include "store/table_store.h"
#include "support/recording_frontend.h"

static int sane(const std::string& s) { return s.find('\0') == std::string::npos; }
// Keys are program constants: no CR (a line end on reading) and no byte-order mark at the
// start (the first line of a file would lose it).
static int saneKey(const std::string& s) {
    return sane(s) && s.find('\r') == std::string::npos && (s.empty() || (unsigned char)s[0] < 0x80);
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 1) return 0;
    fuzzInit();
    fuzzReset();
    std::string file((const char*)data + 1, size - 1);
    std::string key = fuzzTakeLine(file, 40);
    std::string value = fuzzTakeLine(file, 511);
    fuzzWriteData("wkb_hd.data", file);

    tableOp(TABLE_GET, TIMETABLE_TABLE, key.c_str(), "");
    fuzzCheck(strlen(valueBuffer) < sizeof valueBuffer, "valueBuffer is terminated");
    tableOp(TABLE_GET, TIMETABLE_TABLE, "D1P0C", "");
    tableOp(TABLE_GET, TIMETABLE_TABLE, "D1P0C|2", "");
    if (key.empty() || !saneKey(key) || !sane(value)) return 0;

    fuzzArmFault(data[0]);
    int failed = tableOp(TABLE_SET, TIMETABLE_TABLE, key.c_str(), value.c_str());
    faultReset();
    if (failed) {
        fuzzCheck(fuzzReadData("wkb_hd.data") == file, "a failed set leaves the table as it was");
        fuzzCheck(!frontCalls("box|").empty(), "a failed set is told");
        return 0;
    }
    tableOp(TABLE_GET, TIMETABLE_TABLE, key.c_str(), "");
    // A CR inside a value is stored as a blank so that it cannot split the record.
    std::string stored = value;
    for (char& c : stored)
        if (c == '\r') c = ' ';
    fuzzCheck(stored == valueBuffer, "a set value reads back");
    return 0;
}
