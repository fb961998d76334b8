// Fuzz target: the week rotation rule as typed and as kept. Input: a first-week byte, then
// the holiday list text. The list either reads, with every marked week inside 1..53 and the
// weeks it names marked, or is refused with a message and nothing marked; a kept rule with a
// hand-edited list reads back the same way through the settings.
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "records/rotation_rule.h"
#include "records/settings.h"
#include "records/store_version.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 1) return 0;
    fuzzInit();
    fuzzReset();
    int first = data[0] % 56;  // 0, 54 and 55 are refused
    std::string text((const char*)data + 1, size - 1);
    unsigned char holiday[54];
    char message[ROTATION_MESSAGE_SIZE];
    int rc = parseHolidayList(text.c_str(), first, holiday, message, sizeof message);
    int marked = 0;
    for (int w = 0; w < 54; w++) marked += holiday[w] != 0;
    fuzzCheck(holiday[0] == 0, "week 0 is never a holiday");
    if (rc != 0) {
        fuzzCheck(message[0] != '\0', "a refused list says why");
        fuzzCheck(marked == 0, "a refused list marks nothing");
        return 0;
    }
    fuzzCheck(first >= 1 && first <= 53, "a list reads only for a real first week");
    fuzzCheck(text.find_first_not_of("0123456789-,; \t") == std::string::npos || text.find('\0') != std::string::npos,
              "a list that reads holds only numbers, ranges and separators");

    // The same text kept in the settings file reads back the same weeks.
    fuzzWriteData(".wkb.rc", "version=" CURRENT_VERSION "\r\n");
    RotationRule rule;
    memset(&rule, 0, sizeof rule);
    rule.cycle[0] = 1;
    rule.cycleLength = 1;
    rule.firstWeek = first;
    if (text.size() >= sizeof rule.holidayText || text.find_first_of("\r\n", 0) != std::string::npos ||
        strlen(text.c_str()) != text.size())
        return 0;
    memcpy(rule.holidayText, text.c_str(), text.size() + 1);
    fuzzCheck(saveRotationRule(&rule) == 0, "a rule is kept");
    RotationRule back;
    fuzzCheck(loadRotationRule(&back) == 0, "a kept rule reads back");
    fuzzCheck(memcmp(back.holiday, holiday, sizeof holiday) == 0, "a kept rule marks the same weeks");
    return 0;
}
