// The DiaryTest fixture: fresh data folder, zeroed state, recording front end.
#include "support/diary_fixture.h"

#include <ctime>
#include <filesystem>

#include "app/startup.h"
#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/notes.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "store/text_file.h"
#include "support/platform_recorder.h"

long long localTime(int year, int month, int day, int hour) {
    struct tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_isdst = -1;
    return (long long)mktime(&t);
}

void DiaryTest::SetUp() {
    resetDiaryState();
    resetFrontLog();
    forgetLoadedNote();
    forgetPromptedSlot();
    faultReset();
    holdWrites(0);
    platformRecordLaunches(1);
    platformRecordBeeps(1);
    platformSetNow((time_t)localTime(2026, 1, 15));
    copyText(baseFolder, sizeof baseFolder, base.path().c_str());
    filePath[0] = '\0';
}

static std::filesystem::path startFolder;

void DiaryTest::TearDown() {
    std::error_code ec;
    if (!startFolder.empty()) std::filesystem::current_path(startFolder, ec);
    faultReset();
    platformSetNow(0);
}

std::string DiaryTest::data(const std::string& name) const {
    return base.path() + WKB_SEP "wkb_db" WKB_SEP + name;
}

std::string DiaryTest::dataBytes(const std::string& name) const { return readBytes(data(name)); }

void DiaryTest::writeData(const std::string& name, const std::string& text) const {
    makeDataFolder();
    writeBytes(data(name), crlf(text));
}

void DiaryTest::makeDataFolder() const {
    std::string folder = base.path() + WKB_SEP "wkb_db";
    platformMakeFolder(folder.c_str());
}

void DiaryTest::startAt(int year, int month, int day) {
    platformSetNow((time_t)localTime(year, month, day));
    // Start-up takes the current directory as its base folder: make it the test's own.
    std::error_code ec;
    if (startFolder.empty()) startFolder = std::filesystem::current_path(ec);
    std::filesystem::current_path(base.path(), ec);
    startUp();
}
