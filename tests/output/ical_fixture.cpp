// The calendar export fixture (see ical_fixture.h).
#include "output/ical_fixture.h"

#include <string>

#include "output/ical_export.h"
#include "records/lesson_times.h"
#include "records/settings.h"
#include "store/table_store.h"

void IcalExportTest::holidays(const std::vector<int>& weeks) {
    // As the week rotation dialog keeps them: one list of week numbers in the settings.
    std::string list;
    for (int w : weeks) list += (list.empty() ? "" : ",") + std::to_string(w);
    ASSERT_EQ(1, writeSetting("rotation_holidays", list.c_str()));
}

void IcalExportTest::slot(int day, int period, char field, int colour, const std::string& value) {
    char key[32];
    if (colour == 0) snprintf(key, sizeof key, "D%dP%d%c", day, period, field);
    else snprintf(key, sizeof key, "D%dP%d%c|%d", day, period, field, colour);
    ASSERT_EQ(0, tableOp(TABLE_SET, TIMETABLE_TABLE, key, value.c_str()));
}

void IcalExportTest::notes(int week, int day, int period, const std::string& value) {
    char key[32];
    snprintf(key, sizeof key, "W%dD%dP%d", week, day, period);
    ASSERT_EQ(0, tableOp(TABLE_SET, NOTES_TABLE, key, value.c_str()));
}

void IcalExportTest::times(int row, const std::vector<std::string>& periods) {
    LessonTimes t;
    loadLessonTimes(&t);
    std::vector<std::string> starts(10), ends(10);
    for (size_t p = 0; p < periods.size() && p < 10; p++) {
        size_t dash = periods[p].find('-');
        if (dash == std::string::npos) continue;
        starts[p] = periods[p].substr(0, dash);
        ends[p] = periods[p].substr(dash + 1);
    }
    const char* s[10];
    const char* e[10];
    for (int p = 0; p < 10; p++) s[p] = starts[p].c_str(), e[p] = ends[p].c_str();
    LessonTimeError error;
    ASSERT_EQ(0, checkLessonRow(s, e, t.start[row], t.end[row], &error)) << error.message;
    if (row > 0) t.ownTimes[row] = 1;
    ASSERT_EQ(0, saveLessonTimes(&t));
}

void IcalExportTest::colours(const std::string& lines) {
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n" + lines);
}

std::vector<std::string> IcalExportTest::icsLines() const {
    std::string bytes = dataBytes(CALENDAR_FILE);
    std::vector<std::string> lines;
    size_t start = 0, crlf;
    while ((crlf = bytes.find("\r\n", start)) != std::string::npos) {
        lines.push_back(bytes.substr(start, crlf - start));
        start = crlf + 2;
    }
    EXPECT_EQ(bytes.size(), start) << "the file ends with CR LF";
    return lines;
}

std::vector<std::string> IcalExportTest::unfolded() const {
    std::vector<std::string> lines;
    for (const std::string& line : icsLines()) {
        if (!line.empty() && line[0] == ' ' && !lines.empty()) lines.back() += line.substr(1);
        else lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> IcalExportTest::values(const std::string& name) const {
    std::vector<std::string> found;
    for (const std::string& line : unfolded())
        if (line.compare(0, name.size(), name) == 0) found.push_back(line.substr(name.size()));
    return found;
}
