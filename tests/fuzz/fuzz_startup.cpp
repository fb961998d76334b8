// Fuzz target: start-up over a whole data folder. Input: a flags byte, a day byte, then the
// settings file, the timetable, the notes, the week colours and the value lists, each ended by
// a line "%%%%". Runs start-up as the program does, then the first refreshes of the window.
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app/startup.h"
#include "core/diary_state.h"
#include "diary/notes.h"
#include "diary/slot.h"
#include "diary/startup_message.h"
#include "diary/status_line.h"
#include "fuzz_support.h"
#include "platform/platform.h"
#include "records/store_prep.h"

static const char* const fileNames[5] = {".wkb.rc", "wkb_hd.data", "wkb_txt.data", "weeks.dat", "hdvalues.dat"};

// Noon of 1 September 2025 plus `days`: any weekday, both years of a school year.
static time_t dayAfterStart(int days) {
    struct tm t = {};
    t.tm_year = 125;
    t.tm_mon = 8;
    t.tm_mday = 1 + days;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return mktime(&t);
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 2) return 0;
    fuzzInit();
    int flags = data[0];
    // Bit 5: no data folder at all. Bits 0-4: the file is left out rather than written.
    int withFolder = (flags & 0x20) == 0;
    fuzzReset(withFolder);
    std::vector<std::string> parts = fuzzSplit(data + 2, size - 2, 5);
    for (int i = 0; withFolder && i < 5; i++)
        if ((flags & (1 << i)) == 0) fuzzWriteData(fileNames[i], parts[(size_t)i]);
    platformSetNow(dayAfterStart(data[1] * 2));

    // Start-up takes the current directory as the base folder; libFuzzer's own paths may be
    // relative, so the current directory is given back at once.
    std::error_code ec;
    static std::filesystem::path home = std::filesystem::current_path(ec);
    std::filesystem::current_path(fuzzBase(), ec);
    startUp();
    std::filesystem::current_path(home, ec);
    char message[1024];
    composeStartupMessage(message, sizeof message);
    refreshStatusLine();
    refreshSlotLine();
    loadNotes();

    fuzzCheck(diaryState.storeStatus >= STORE_OK && diaryState.storeStatus <= STORE_UPGRADED, "a store status");
    fuzzCheck(diaryState.selectedDay >= 1 && diaryState.selectedDay <= 6, "the shown day is a weekday");
    fuzzCheck(diaryState.selectedWeek >= 1 && diaryState.selectedWeek <= 53, "the shown week is a week");
    fuzzCheck(strlen(diaryState.dateLabel) > 0, "the shown day is in the calendar");
    return 0;
}
