// The calendar export tests' fixture: a started diary at a chosen day, with helpers that fill
// the timetable, the notes, the week colours and the lesson times, and read the export back.
#pragma once
#include <string>
#include <vector>

#include "support/diary_fixture.h"

class IcalExportTest : public DiaryTest {
protected:
    void slot(int day, int period, char field, int colour, const std::string& value);
    void notes(int week, int day, int period, const std::string& value);
    // Lesson times of a row (0 every day, 1..6 a day of its own) as "HH:MM-HH:MM" or "".
    void times(int row, const std::vector<std::string>& periods);
    // The holiday weeks of the week rotation, kept in the settings as its dialog keeps them.
    void holidays(const std::vector<int>& weeks);
    // "week=colour" lines after the header of the week colours file.
    void colours(const std::string& lines);
    // The export's lines as written (without their CR LF), and unfolded.
    std::vector<std::string> icsLines() const;
    std::vector<std::string> unfolded() const;
    // The unfolded value of every line that starts with name (e.g. "UID:").
    std::vector<std::string> values(const std::string& name) const;
};
