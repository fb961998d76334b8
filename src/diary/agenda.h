// The agenda: the notes that are due, by the date of their lesson, from 14 days back (what is
// not done yet) to 14 days ahead, with the course of each lesson and its marks. Offers the
// list for the agenda window and the agenda page, the reminder at start, a jump to a row's
// lesson, and the marks from either.
#pragma once
#include "records/note_marks.h"
#include "records/slot_lookup.h"

enum AgendaGroup { AGENDA_OVERDUE, AGENDA_TODAY, AGENDA_LATER };

struct AgendaRow {
    AgendaGroup group;
    int dayIndex;                  // the lesson's day in the day table
    int week, day, period;         // day 1..6, period 0..9
    char date[11];                 // "2026-12-09"
    char course[SLOT_FIELD_SIZE];  // that week's colour, the default values when that option is on
    char note[512];                // the note as the editor shows it (lines end in CR LF)
    int marks;                     // MARK_DONE | MARK_TEST
    int testInDays;                // a test within 30 calendar days: days from today (0 today); else -1
    int cancelled;                 // the lesson is cancelled on its date (a change of that lesson)
};

#define AGENDA_MAX_ROWS 512

struct Agenda {
    int count;
    int unread;  // 1 when a file could not be read whole (or memory ran out): rows may be missing
    AgendaRow rows[AGENDA_MAX_ROWS];  // in date and period order; overdue first
};

// Builds the agenda for today from the notes, the timetable, the week colours and the marks.
void buildAgenda(Agenda* out);
// The heading of the day a row belongs to: "Overdue", "Today, Wednesday 12/9/2026",
// "Thursday 12/10/2026" (the date as the status line writes dates).
void agendaHeading(const AgendaRow* row, char* out, int size);
// 1 when the reminder at start has something to show: a note of the next school day that is
// not done, or an overdue one.
int agendaWantsReminder(const Agenda* agenda);
// Selects the row's week, day and period in the main window, as a week move and a tab change
// would (the typed note is kept first). 0, or 1 when the view stayed.
int showAgendaRow(const AgendaRow* row);
// Sets or clears a mark of the row's note (and of the row). 0, or 1 when nothing was written.
int markAgendaRow(AgendaRow* row, int mark, int on);
// The same for the lesson selected in the main window (its note as stored).
int markSelectedLesson(int mark, int on);
// File > Export > Agenda page: writes "agenda.html" and opens it.
void exportAgendaPage();
// Whether the agenda opens at start (the setting "agenda_start": on unless it is "no").
int agendaAtStart();
// Stores that setting; a failed write is told.
void setAgendaAtStart(int on);
