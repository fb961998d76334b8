// The native tests' view of a printed page: the native printing seam (output/print_posix.cpp)
// records each drawing call as a line; these helpers read the record back, turn page units of
// the test page into the recorded device coordinates, and give a fixture for printing.
#pragma once
#include <string>
#include <vector>

#include "support/diary_fixture.h"
#include "support/temp_folder.h"

// The test page: A4 at 600 dots per inch.
constexpr int PAGE_WIDTH = 4960;
constexpr int PAGE_HEIGHT = 7016;
// Its page units, worked out by hand: 4960 / 210 = 23.6 and 7016 / 285 = 24.6, rounded down.
constexpr int UNIT_X = 23;
constexpr int UNIT_Y = 24;

// The recorded lines that start with prefix, in order.
std::vector<std::string> printRecord(const std::string& prefix = "");
// Recorded lines for a rectangle, a vertical line and a text given in page units.
std::string rectAt(int left, int top, int right, int bottom);
std::string lineAt(int x, int top, int bottom);
std::string textAt(int a, int b, const std::string& text);

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
