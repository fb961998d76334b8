// The calendar file: the school years that scripts/check-calendar reads back with an
// independent iCalendar reader (written here as artefacts), the format rules on texts made to
// break them, re-export, and the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/diary_state.h"
#include "diary/calendar_export.h"
#include "output/ical_export.h"
#include "output/ical_fixture.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "records/store_version.h"
#include "support/platform_recorder.h"
#include "support/recording_frontend.h"

namespace fs = std::filesystem;

static const std::vector<std::string> commonTimes = {"08:00-08:50", "08:55-09:45", "10:05-10:55",
                                                     "11:00-11:50", "",            "13:30-14:20",
                                                     "14:25-15:15", "15:30-16:20", "",
                                                     ""};

// Keeps the data folder and what the reader needs to know for scripts/check-calendar.
static void keepArtefact(const std::string& name, const std::string& dataFolder, const std::string& today,
                         const std::string& holidays) {
    fs::path dir = fs::path(artefactFolder()) / "ical" / name;
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir, ec);
    fs::copy(dataFolder, dir / "wkb_db", fs::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
    std::ofstream(dir / "meta.json") << "{\"today\": \"" << today << "\", \"holidays\": [" << holidays << "]}\n";
}

// A school year of A and B weeks (colours 1 and 2, three plain weeks), three holiday weeks, the
// turn of 2026 into 2027 (week 53), a Saturday of its own times, and fall-backs field by field.
TEST_F(IcalExportTest, ArtefactSchoolYearWithABWeeks) {
    startAt(2026, 11, 18);  // a Wednesday of week 47: the export starts on Monday 16
    std::string lines;
    for (int w = 1; w <= 53; w++)
        if (w < 10 || w > 12) lines += std::to_string(w) + "=" + std::to_string(w % 2 ? 1 : 2) + "\n";
    colours(lines);
    times(0, commonTimes);
    times(6, {"08:00-08:45", "08:45-09:30", "09:40-10:25"});
    diaryState.useDefaults = 1;
    ASSERT_EQ(1, writeSetting("default", "yes"));
    for (int day = 1; day <= 6; day++) {
        slot(day, 0, 'C', 0, "Math");
        slot(day, 0, 'T', 0, "Mrs Dupont");
        slot(day, 0, 'L', 0, "12");
        slot(day, 1, 'C', 1, "English A");
        slot(day, 1, 'C', 2, "German B");
        slot(day, 1, 'L', 0, "Lab");
        slot(day, 1, 'T', 2, "Herr M\xfcller");
    }
    slot(1, 2, 'C', 2, "Sport (B weeks only)");
    slot(3, 3, 'C', 0, "Histoire-g\xe9o");
    slot(3, 3, 'T', 0, "M. O`Neil");
    slot(5, 5, 'C', 0, "Physique, chimie; labo");
    slot(5, 5, 'L', 1, "Salle A\\1");
    slot(1, 8, 'C', 0, "No times: not exported");
    slot(6, 4, 'C', 0, "Saturday period 5 has no times");
    notes(47, 1, 0, "Homework: p. 12 |Bring the atlas");
    notes(53, 2, 1, "Last lesson of 2026 |Bonne ann\xe9" "e, \x80 5; a\\b");
    notes(2, 3, 3, "typed|bar");
    notes(52, 1, 0, "holiday week: not exported");
    notes(40, 1, 0, "before this week: not exported");
    notes(47, 1, 2, "Sport only in B weeks: a note without a course");
    holidays({52, 1, 8});
    exportCalendarFile();

    std::vector<std::string> boxes = frontCalls("box|Info|");
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].find(data(CALENDAR_FILE)));
    EXPECT_STREQ("explorer.exe", platformLastLaunchProgram());
    EXPECT_EQ(data(""), platformLastLaunchParams());
    keepArtefact("school_year", data(""), "2026-11-18", "52, 1, 8");
}

// Teacher mode without the fall-back, started on a Sunday (it belongs to the coming week 53).
TEST_F(IcalExportTest, ArtefactTeacherModeFromASunday) {
    startAt(2026, 12, 27);
    ASSERT_EQ(1, writeSetting("teacher", "yes"));
    diaryState.teacherMode = 1;
    colours("53=3\n2=3\n2=4\n");  // the last line of a week wins
    times(0, commonTimes);
    times(3, {"", "", "09:00-10:00"});  // Wednesday: one lesson only
    slot(1, 0, 'C', 0, "Math");
    slot(1, 0, 'T', 0, "5B");
    slot(1, 0, 'T', 3, "4A");
    slot(1, 0, 'C', 3, "Math (week 53)");
    slot(2, 1, 'C', 4, "Latin");
    slot(2, 1, 'L', 0, "Room without course in week 2");
    slot(3, 2, 'C', 0, "Chemistry");
    slot(3, 0, 'C', 0, "Wednesday P1 has no times");
    notes(53, 1, 0, "Tests to mark |, ; \\ all of them");
    exportCalendarFile();
    ASSERT_EQ(1u, frontCalls("box|Info|").size());
    keepArtefact("teacher_sunday", data(""), "2026-12-27", "");
}

// Lessons that differ on one date: a cancelled lesson of an A week (the next A week is whole),
// another room with default values on, a substitute course in an empty period, a damaged line.
TEST_F(IcalExportTest, ArtefactLessonChanges) {
    startAt(2026, 1, 12);  // Monday of week 3
    colours("3=1\n4=2\n5=1\n");
    times(0, commonTimes);
    diaryState.useDefaults = 1;
    ASSERT_EQ(1, writeSetting("default", "yes"));
    slot(2, 2, 'C', 1, "English A");
    slot(2, 2, 'T', 0, "Mr Grey");
    slot(2, 2, 'L', 0, "12");
    slot(3, 0, 'C', 0, "Math");
    writeData("changes.dat", "### header\nW3D2P2=X\nW3D3P0=- L9:Gym O`Hal\nW4D3P1=- C7:Physics T4:Bohr\n"
                             "W5D3P0=- L99:cut\n");
    notes(3, 2, 2, "Cancelled, but the note stays");
    exportCalendarFile();
    std::vector<std::string> summaries = values("SUMMARY:");
    EXPECT_NE(summaries.end(), std::find(summaries.begin(), summaries.end(), "Cancelled: English A"));
    EXPECT_EQ(1u, values("STATUS:").size());
    keepArtefact("lesson_changes", data(""), "2026-01-12", "");
}

// Windows-1252 text into UTF-8, independently of the exporter: the code points of 0x80..0x9F
// from the code page's published table (this file is compiled to CP1252, so no literals), and
// 0xA0..0xFF as the same code points.
static std::string utf8Of(unsigned char c) {
    static const unsigned high[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
                                      0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    unsigned code = c >= 0x80 && c < 0xA0 ? high[c - 0x80] : c;
    if (code < 0x80) return std::string(1, (char)code);
    if (code < 0x800) return std::string{(char)(0xC0 | (code >> 6)), (char)(0x80 | (code & 0x3F))};
    return std::string{(char)(0xE0 | (code >> 12)), (char)(0x80 | ((code >> 6) & 0x3F)), (char)(0x80 | (code & 0x3F))};
}

static bool validUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = (unsigned char)s[i];
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; k++)
            if (((unsigned char)s[i + k] & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

TEST_F(IcalExportTest, TextsMadeToBreakFoldingEscapingAndTheCodePage) {
    startAt(2026, 11, 18);
    times(0, {"08:00-09:00"});
    // Every printable character of the code page (its five undefined bytes left out).
    std::string printable, printableUtf8;
    for (int c = 0x20; c <= 0xFF; c++) {
        if (c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) continue;
        printable += (char)c;
        std::string u = utf8Of((unsigned char)(c == '`' ? '\'' : c));
        printableUtf8 += c == '\\' || c == ';' || c == ',' ? "\\" + u : u;
    }
    // A course of 254 characters whose two- and three-byte characters fall on every fold.
    std::string course;
    while (course.size() < 254) course += "\xe9\x80" "a";
    course.resize(254);
    std::string courseUtf8;
    for (unsigned char c : course) courseUtf8 += utf8Of(c);
    slot(1, 0, 'C', 0, course);
    slot(1, 0, 'T', 0, printable);
    slot(1, 0, 'L', 0, printable.substr(0, 95));
    std::string note = ",;\\ |;;,,\\\\ |\\n is not a break|\\ ,";
    notes(47, 1, 0, note);
    std::vector<int> weeks;  // one Monday only
    for (int w = 1; w <= 53; w++)
        if (w != 47) weeks.push_back(w);
    holidays(weeks);
    exportCalendarFile();

    for (const std::string& line : icsLines()) {
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_TRUE(validUtf8(line)) << "a fold split a character: " << line;
    }
    std::vector<std::string> summary = values("SUMMARY:"), description = values("DESCRIPTION:");
    ASSERT_EQ(1u, summary.size());
    EXPECT_EQ(courseUtf8, summary[0]);
    ASSERT_EQ(1u, description.size());
    EXPECT_EQ("Teacher: " + printableUtf8 + "\\n\\,\\;\\\\\\n\\;\\;\\,\\,\\\\\\\\\\n\\\\n is not a break|\\\\ \\,",
              description[0]);
}

// Lines of the events of the file, by UID.
static std::map<std::string, std::string> eventsByUid(const std::vector<std::string>& lines) {
    std::map<std::string, std::string> events;
    std::string uid, body;
    for (const std::string& line : lines) {
        if (line.compare(0, 4, "UID:") == 0) uid = line.substr(4);
        else if (line.compare(0, 8, "DTSTAMP:") != 0) body += line + "\n";
        if (line == "END:VEVENT") events[uid] = body, body.clear();
        if (line == "BEGIN:VEVENT") body.clear();
    }
    return events;
}

TEST_F(IcalExportTest, ReExportKeepsTheUidsAndChangesTheChangedEvent) {
    startAt(2026, 11, 18);
    times(0, {"08:00-09:00", "09:00-10:00"});
    slot(1, 0, 'C', 0, "Math");
    slot(2, 1, 'C', 0, "Art");
    exportCalendarFile();
    std::map<std::string, std::string> before = eventsByUid(unfolded());
    std::vector<std::string> stampBefore = values("DTSTAMP:");

    platformSetNow((time_t)localTime(2026, 11, 18, 15));
    notes(48, 2, 1, "Bring paint");
    exportCalendarFile();
    std::map<std::string, std::string> after = eventsByUid(unfolded());
    ASSERT_EQ(before.size(), after.size());
    int changed = 0;
    for (const auto& [uid, body] : before) {
        ASSERT_TRUE(after.count(uid)) << uid;
        if (after[uid] == body) continue;
        changed++;
        EXPECT_NE(std::string::npos, after[uid].find("Bring paint"));
    }
    EXPECT_EQ(1, changed);
    EXPECT_NE(stampBefore, values("DTSTAMP:"));
    // The id in the UIDs is this diary's: kept in the settings, the same on the next run.
    EXPECT_STRNE("", readSetting("calendar_id"));
}

TEST_F(IcalExportTest, RefusedWithoutLessonTimesAndAFailedWriteKeepsTheOldFile) {
    startAt(2026, 11, 18);
    slot(1, 0, 'C', 0, "Math");
    exportCalendarFile();
    EXPECT_EQ(1u, frontCalls("box|Stop|").size());
    EXPECT_FALSE(fileExists(data(CALENDAR_FILE)));

    times(0, {"08:00-09:00"});
    exportCalendarFile();
    std::string old = dataBytes(CALENDAR_FILE);
    ASSERT_NE(std::string::npos, old.find("SUMMARY:Math"));
    slot(1, 0, 'C', 0, "Art");
    resetFrontLog();
    platformRecordLaunches(1);
    faultFailAll(FAULT_WRITE, 1);
    exportCalendarFile();
    faultFailAll(FAULT_WRITE, 0);
    EXPECT_EQ(old, dataBytes(CALENDAR_FILE));
    EXPECT_EQ(1u, frontCalls("box|Stop|").size());
    EXPECT_TRUE(frontCalls("box|Info|").empty());
}

// The file's frame and one event, byte for byte.
TEST_F(IcalExportTest, OneLessonByteForByte) {
    startAt(2026, 11, 18);
    ASSERT_EQ(1, writeSetting("calendar_id", "0a1b2c3d"));
    ASSERT_EQ(1, writeSetting("title", "Lyc\xe9" "e 5B"));
    times(0, {"", "", "", "", "", "", "", "", "", "17:05-17:55"});
    slot(6, 9, 'C', 0, "Chess club");
    notes(49, 6, 9, "Bring the board");
    holidays({47, 48, 50, 51, 52, 53, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
    platformSetNow((time_t)1795000000);  // 2026-11-18 11:06:40 UTC
    exportCalendarFile();
    EXPECT_EQ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//QELD software//WinWkb " CURRENT_VERSION "//EN\r\n"
              "CALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\nX-WR-CALNAME:Lyc\xc3\xa9" "e 5B\r\n"
              "BEGIN:VEVENT\r\nUID:wkb-0a1b2c3d-20261205-p10@winwkb\r\nDTSTAMP:20261118T110640Z\r\n"
              "DTSTART:20261205T170500\r\nDTEND:20261205T175500\r\nSUMMARY:Chess club\r\n"
              "DESCRIPTION:Bring the board\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
              dataBytes(CALENDAR_FILE));
}

// A note in a period without a course is an event of its own, titled by its period; a slot
// without a course or a note is none.
TEST_F(IcalExportTest, ANoteWithoutACourseIsTitledByItsPeriod) {
    struct Case {
        const char *course, *teacher, *note;
        std::vector<std::string> summary;
    } cases[] = {
        {"", "", "", {}},
        {"", "Mrs Dupont", "", {}},
        {"", "", "Library: return the books", {"Period 3"}},
        {"", "Mrs Dupont", "Ask about the trip", {"Period 3"}},
        {"Math", "", "", {"Math"}},
    };
    startAt(2026, 11, 18);
    times(0, {"08:00-08:50", "08:55-09:45", "10:05-10:55"});
    std::vector<int> weeks;  // week 47 only
    for (int w = 1; w <= 53; w++)
        if (w != 47) weeks.push_back(w);
    holidays(weeks);
    for (const Case& c : cases) {
        slot(3, 2, 'C', 0, c.course);
        slot(3, 2, 'T', 0, c.teacher);
        notes(47, 3, 2, c.note);
        exportCalendarFile();
        EXPECT_EQ(c.summary, values("SUMMARY:")) << c.note;
    }
    EXPECT_EQ(std::vector<std::string>{"20261118T100500"}, values("DTSTART:"));
}
