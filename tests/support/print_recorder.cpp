// Helpers over the native page recorder and the print fixture.
#include "support/print_recorder.h"

#include <filesystem>

#include "output/print_grid.h"
#include "output/print_surface.h"

std::vector<std::string> printRecord(const std::string& prefix) {
    std::vector<std::string> out;
    for (int i = 0; i < printRecordCount(); ++i) {
        std::string line = printRecordLine(i);
        if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
    }
    return out;
}

void PrintTest::SetUp() {
    DiaryTest::SetUp();
    makeDataFolder();
    printRecorderReset(PAGE_WIDTH, PAGE_HEIGHT);
    std::error_code ec;
    previousFolder = std::filesystem::current_path(ec).string();
    std::filesystem::current_path(here.path(), ec);
}

void PrintTest::TearDown() {
    std::error_code ec;
    std::filesystem::current_path(previousFolder, ec);
    DiaryTest::TearDown();
}

std::string PrintTest::logBytes() const { return readBytes(here.file(PRINT_LOG_FILE)); }

void PrintTest::writeTimetable(const std::string& lines) const { writeData("wkb_hd.data", lines); }
