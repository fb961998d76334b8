// The native tests' view of a printed page: the page recorder (print_surface_recorder.cpp)
// implements the printing seam by keeping each drawing call as a line; these helpers read the
// record back and give a fixture for printing on the test page.
#pragma once
#include <string>
#include <vector>

#include "support/diary_fixture.h"
#include "support/print_surface_recorder.h"
#include "support/temp_folder.h"

// The test page: A4 at 600 dots per inch. Its page units, worked out by hand: 4960 / 210 = 23.6
// and 7016 / 285 = 24.6, rounded down to 23 and 24 device units.
constexpr int PAGE_WIDTH = 4960;
constexpr int PAGE_HEIGHT = 7016;

// The recorded lines that start with prefix, in order.
std::vector<std::string> printRecord(const std::string& prefix = "");

// A print fixture: fresh store, the recorder reset to the test page, and the current folder
// a folder of its own (where "print_dbg.txt" goes), given back at the end.
class PrintTest : public DiaryTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // The bytes of the print log in the current folder ("" when missing).
    std::string logBytes() const;
    // Writes the timetable table from memory text of "key=value\n" lines.
    void writeTimetable(const std::string& lines) const;

    TempFolder here;

private:
    std::string previousFolder;
};
