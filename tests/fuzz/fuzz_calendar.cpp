// Fuzz target: the calendar export. Input: a fault byte and a flags byte, then four parts cut
// by FUZZ_PART_MARK: the timetable, the notes, the week colours and the lesson times lines of
// the settings. Whatever the files hold, a written calendar has CR LF lines of at most 75
// octets, each valid UTF-8, one event per lesson counted; a failed write is told and leaves
// no file.
#include <string>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "fuzz_support.h"
#include "output/ical_export.h"
#include "platform/faults.h"
#include "records/store_version.h"
#include "support/recording_frontend.h"

static bool validUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = (unsigned char)s[i];
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; k++)
            if (((unsigned char)s[i + k] & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

static void checkFile(const std::string& ics, int events) {
    size_t start = 0, crlf;
    int begins = 0;
    while ((crlf = ics.find("\r\n", start)) != std::string::npos) {
        std::string line = ics.substr(start, crlf - start);
        fuzzCheck(line.size() <= 75, "a line of at most 75 octets");
        fuzzCheck(line.find_first_of("\r\n") == std::string::npos, "no line end but CR LF");
        fuzzCheck(validUtf8(line), "every line is UTF-8 on its own");
        begins += line == "BEGIN:VEVENT";
        start = crlf + 2;
    }
    fuzzCheck(start == ics.size(), "the file ends with CR LF");
    fuzzCheck(ics.rfind("BEGIN:VCALENDAR\r\n", 0) == 0, "the file begins with the calendar");
    fuzzCheck(begins == events, "one event per counted lesson");
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 2) return 0;
    fuzzInit();
    static int calendarBuilt = 0;
    if (!calendarBuilt) buildDayTable();
    calendarBuilt = 1;
    fuzzReset();
    std::vector<std::string> parts = fuzzSplit(data + 2, size - 2, 4);
    fuzzWriteData("wkb_hd.data", parts[0]);
    fuzzWriteData("wkb_txt.data", parts[1]);
    fuzzWriteData("weeks.dat", parts[2]);
    fuzzWriteData(".wkb.rc", "version=" CURRENT_VERSION "\r\n" + parts[3]);
    diaryState.useDefaults = data[1] & 1;
    diaryState.teacherMode = (data[1] >> 1) & 1;

    fuzzArmFault(data[0]);
    int events = 0;
    CalendarResult result = writeCalendarFile(&events);
    faultReset();
    std::string ics = fuzzReadData(CALENDAR_FILE);
    if (result == CALENDAR_WRITTEN) {
        checkFile(ics, events);
    } else {
        fuzzCheck(ics.empty(), "a calendar that was not written leaves no file");
        fuzzCheck(result != CALENDAR_NOT_WRITTEN || !frontCalls("box|").empty(), "a failed write is told");
    }
    return 0;
}
