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

std::string rectAt(int left, int top, int right, int bottom) {
    return "rect|" + std::to_string(left * UNIT_X) + "|" + std::to_string(top * UNIT_Y) + "|" +
           std::to_string(right * UNIT_X) + "|" + std::to_string(bottom * UNIT_Y);
}

std::string lineAt(int x, int top, int bottom) {
    return "line|" + std::to_string(x * UNIT_X) + "|" + std::to_string(top * UNIT_Y) + "|" +
           std::to_string(x * UNIT_X) + "|" + std::to_string(bottom * UNIT_Y);
}

std::string textAt(int a, int b, const std::string& text) {
    return "text|" + std::to_string(a * UNIT_X) + "|" + std::to_string(b * UNIT_Y) + "|" + text;
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
