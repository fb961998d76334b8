// The agenda over a worked school year 2026/27 (A and B weeks, a holiday week, week 53 then
// week 1), seen on Sunday 27 December 2026 and on Monday 28; marking from the agenda; the
// agenda page's bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/agenda.h"
#include "diary/school_year.h"
#include "output/agenda_page.h"
#include "records/settings.h"
#include "records/week_colours.h"
#include "store/kept_files.h"
#include "store/table_store.h"

namespace {

class AgendaTest : public DiaryCoreTest {
protected:
    void SetUp() override {
        DiaryCoreTest::SetUp();
        agenda = (Agenda*)calloc(1, sizeof *agenda);
    }
    void TearDown() override {
        free(agenda);
        DiaryCoreTest::TearDown();
    }
    // The worked year: weeks 51 and 53 are A weeks (yellow), 52 and 1 B weeks (green); 52 to 1
    // are holidays. Math every Monday first period, Physics instead in A weeks; Latin only in
    // B weeks; Chemistry a double period on Monday; Sport on Saturdays.
    void startOn(int day, int month, int year) {
        std::remove(data(".wkb.rc").c_str());
        startAt(year, month, day);
        writeSetting("rotation_first", "36");
        writeSetting("rotation_holidays", "52-1");
        writeSetting("default", "yes");
        writeData("weeks.dat", std::string(WEEKS_HEADER) + "51=1\n52=2\n53=1\n1=2\n");
        writeData("wkb_hd.data", "D1P0C=Math\nD1P0C|1=Physics\nD2P1C|2=Latin\nD1P1C=Chemistry\nD1P2C=Chemistry\n"
                                 "D6P2C=Sport\n");
        writeData("wkb_txt.data",
                  "W50D6P0=before the window\n"
                  "W51D1P0=old homework\n"
                  "W51D1P9=\n"
                  "W51D2P1=latin in an A week\n"
                  "W51D3P0=done already\n"
                  "W52D2P1=read ch. 3 |p. <12>\n"
                  "W52D6P2=saturday sport\n"
                  "W53D1P0=monday test\n"
                  "W53D1P1=lab\n"
                  "W53D1P2=lab\n"
                  "W53D6P2=saturday in january\n"
                  "W1D1P0=second\n"
                  "W1D4P0=done later\n"
                  "W2D1P0=beyond the fortnight\n"
                  "W4D2P0=exam\n"
                  "W4D3P0=exam too far\n");
        keptFilesOutOfDate();
        setNoteMark("W51D3P0", "done already", MARK_DONE, 1);
        setNoteMark("W53D1P0", "monday test", MARK_TEST, 1);
        setNoteMark("W1D1P0", "first", MARK_DONE, 1);  // the note was rewritten since
        setNoteMark("W1D4P0", "done later", MARK_DONE, 1);
        setNoteMark("W4D2P0", "exam", MARK_TEST, 1);
        setNoteMark("W4D3P0", "exam too far", MARK_TEST, 1);
        resetFrontLog();
        startAt(year, month, day);
        buildAgenda(agenda);
    }
    std::string heading(int i) const {
        char text[64];
        agendaHeading(&agenda->rows[i], text, sizeof text);
        return text;
    }

    Agenda* agenda = nullptr;
};

struct ExpectedRow {
    AgendaGroup group;
    const char* date;
    int period;
    const char* course;
    const char* note;
    int marks;
    int testInDays;
    const char* heading;
};

TEST_F(AgendaTest, TheFortnightAroundASundayInWeek53) {
    startOn(27, 12, 2026);
    ASSERT_EQ(371, dayTableLength);
    const ExpectedRow expected[] = {
        {AGENDA_OVERDUE, "2026-12-14", 0, "Physics", "old homework", 0, -1, "Overdue"},
        {AGENDA_OVERDUE, "2026-12-15", 1, "", "latin in an A week", 0, -1, "Overdue"},
        {AGENDA_OVERDUE, "2026-12-22", 1, "Latin", "read ch. 3\r\np. <12>", 0, -1, "Overdue"},
        {AGENDA_OVERDUE, "2026-12-26", 2, "Sport", "saturday sport", 0, -1, "Overdue"},
        {AGENDA_LATER, "2026-12-28", 0, "Physics", "monday test", MARK_TEST, 1, "Monday 12/28/2026"},
        {AGENDA_LATER, "2026-12-28", 1, "Chemistry", "lab", 0, -1, "Monday 12/28/2026"},
        {AGENDA_LATER, "2026-12-28", 2, "Chemistry", "lab", 0, -1, "Monday 12/28/2026"},
        {AGENDA_LATER, "2027-01-02", 2, "Sport", "saturday in january", 0, -1, "Saturday 1/2/2027"},
        {AGENDA_LATER, "2027-01-04", 0, "Math", "second", 0, -1, "Monday 1/4/2027"},
        {AGENDA_LATER, "2027-01-07", 0, "", "done later", MARK_DONE, -1, "Thursday 1/7/2027"},
        {AGENDA_LATER, "2027-01-26", 0, "", "exam", MARK_TEST, 30, "Tuesday 1/26/2027"},
    };
    const int count = (int)(sizeof expected / sizeof expected[0]);
    ASSERT_EQ(count, agenda->count);
    for (int i = 0; i < count; i++) {
        SCOPED_TRACE(i);
        const AgendaRow& r = agenda->rows[i];
        const ExpectedRow& e = expected[i];
        EXPECT_EQ(e.group, r.group);
        EXPECT_STREQ(e.date, r.date);
        EXPECT_EQ(e.period, r.period);
        EXPECT_STREQ(e.course, r.course);
        EXPECT_STREQ(e.note, r.note);
        EXPECT_EQ(e.marks, r.marks);
        EXPECT_EQ(e.testInDays, r.testInDays);
        EXPECT_EQ(e.heading, heading(i));
    }
    EXPECT_EQ(1, agendaWantsReminder(agenda));
}

// Marking from the agenda: what is overdue goes once done, and the reminder follows the next
// school day (the Monday after a Sunday).
TEST_F(AgendaTest, MarkingClearsTheReminder) {
    startOn(27, 12, 2026);
    const struct {
        int rowsToMark;  // the first rows of the agenda, marked done
        int count;       // the rows of the agenda built again
        int reminder;
    } steps[] = {{4, 7, 1}, {3, 7, 0}};  // the overdue rows, then Monday's
    for (const auto& s : steps) {
        for (int i = 0; i < s.rowsToMark; i++) {
            ASSERT_EQ(0, markAgendaRow(&agenda->rows[i], MARK_DONE, 1));
            EXPECT_TRUE(agenda->rows[i].marks & MARK_DONE);
        }
        buildAgenda(agenda);
        EXPECT_EQ(s.count, agenda->count);
        EXPECT_EQ(s.reminder, agendaWantsReminder(agenda));
    }
    EXPECT_EQ(7, frontLog.notesChanged);
    // A mark cleared again is gone; the other mark of the note stays.
    ASSERT_EQ(0, markAgendaRow(&agenda->rows[0], MARK_DONE, 0));
    EXPECT_EQ(MARK_TEST, agenda->rows[0].marks);
}

TEST_F(AgendaTest, OnMondayItsLessonsAreToday) {
    startOn(28, 12, 2026);
    ASSERT_GE(agenda->count, 7);
    EXPECT_EQ(AGENDA_OVERDUE, agenda->rows[3].group);
    EXPECT_EQ(AGENDA_TODAY, agenda->rows[4].group);
    EXPECT_EQ("Today, Monday 12/28/2026", heading(4));
    EXPECT_EQ(0, agenda->rows[4].testInDays);
    // The selected lesson is marked from its stored note, whatever the editor holds.
    diaryState.selectedWeek = 53, diaryState.selectedDay = 1, diaryState.selectedPeriod = 1;
    frontLog.notes = "typed but not saved";
    ASSERT_EQ(0, markSelectedLesson(MARK_DONE, 1));
    EXPECT_EQ(MARK_DONE, noteMarks("W53D1P1", "lab"));
    // Showing a row selects its lesson as a search hit does.
    resetFrontLog();
    ASSERT_EQ(0, showAgendaRow(&agenda->rows[7]));
    EXPECT_EQ(2027 - 1900, dayTable[diaryState.selectedDayIndex].year);
    EXPECT_EQ(53, diaryState.selectedWeek);
    EXPECT_EQ(6, diaryState.selectedDay);
    EXPECT_EQ(2, diaryState.selectedPeriod);
    EXPECT_EQ("saturday in january", frontLog.notes);
}

// The new school year empties the marks with the notes; the year's snapshot keeps them.
TEST_F(AgendaTest, ANewSchoolYearEmptiesTheMarks) {
    startOn(27, 12, 2026);
    const std::string marks = dataBytes("marks.dat");
    ASSERT_NE("", marks);
    char message[160];
    ASSERT_EQ(0, startSchoolYear("2026-2027", message, sizeof message));
    EXPECT_EQ("", dataBytes("marks.dat"));
    EXPECT_EQ(marks, dataBytes("snapshots/2026-2027/marks.dat"));
}

TEST_F(AgendaTest, TheAgendaAtStartIsASetting) {
    startAt(2026, 12, 9);
    const struct {
        const char* stored;  // nullptr: no line
        int on;
    } cases[] = {{nullptr, 1}, {"no", 0}, {"yes", 1}, {"No", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        if (c.stored != nullptr) writeSetting("agenda_start", c.stored);
        EXPECT_EQ(c.on, agendaAtStart());
    }
    setAgendaAtStart(0);
    EXPECT_STREQ("no", readSetting("agenda_start"));
}

TEST_F(AgendaTest, ThePageBytes) {
    startAt(2026, 12, 9);
    const AgendaPageRow rows[] = {
        {"2026-12-09", 2, "Math & <Co>", "p. 12\r\nex. \"4\"", MARK_DONE | MARK_TEST, 0},
        {"2026-12-10", 0, "", "read", 0, 0},
    };
    ASSERT_EQ(0, writeAgendaPage("2026-12-09", rows, 2));
    EXPECT_EQ("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html>\r\n<head>\r\n"
              "<meta http-equiv=\"content-type\" content=\"text/html; charset=WINDOWS-1252\">\r\n"
              "<title>Agenda</title>\r\n"
              "<style type=\"text/css\">\r\n"
              "@page { size: A4; margin: 12mm; }\r\n"
              "body { font-family: arial, helvetica, sans-serif; font-size: 9pt; }\r\n"
              "h3 { font-size: 11pt; margin: 0 0 4pt 0; }\r\n"
              "table { border-collapse: collapse; width: 100%; }\r\n"
              "th, td { border: 1px solid #999999; padding: 2pt 4pt; text-align: left; vertical-align: top; }\r\n"
              "th { background: #dddddd; }\r\n"
              "tr { page-break-inside: avoid; }\r\n"
              "</style>\r\n</head>\r\n<body>\r\n<h3>Agenda, 2026-12-09</h3>\r\n<table>\r\n"
              "<tr><th>Date</th><th>Period</th><th>Course</th><th>Note</th><th>Marks</th></tr>\r\n"
              "<tr><td>2026-12-09</td><td>Period 3</td><td>Math &amp; &lt;Co&gt;</td>"
              "<td>p. 12<br>ex. &quot;4&quot;</td><td>done test</td></tr>\r\n"
              "<tr><td>2026-12-10</td><td>Period 1</td><td></td><td>read</td><td></td></tr>\r\n"
              "</table>\r\n</body>\r\n</html>\r\n",
              dataBytes("agenda.html"));
}

}  // namespace

namespace {

// A note due on a lesson cancelled on its date is listed with that mark, on the page too, and
// a lesson swapped for another course shows that course.
TEST_F(AgendaTest, ACancelledOrSwappedLessonShowsItsChange) {
    startOn(27, 12, 2026);
    writeData("changes.dat", "### Lessons that differ on one date. Please do not edit.\nW53D1P1=X\nW53D1P2=- C5:Latin\n");
    keptFilesOutOfDate();
    buildAgenda(agenda);
    ASSERT_GE(agenda->count, 7);
    EXPECT_STREQ("Chemistry", agenda->rows[5].course);
    EXPECT_EQ(1, agenda->rows[5].cancelled);
    EXPECT_STREQ("Latin", agenda->rows[6].course);
    EXPECT_EQ(0, agenda->rows[6].cancelled);
    exportAgendaPage();
    EXPECT_NE(std::string::npos, dataBytes("agenda.html").find("<td>lab</td><td>cancelled</td>"));
}

}  // namespace
