// The agenda page "agenda.html": one table of the notes that are due, a row each with the
// lesson's date, period, course, note and marks, small enough to print a fortnight on one or
// two A4 pages. Offers writeAgendaPage.
#pragma once

#define AGENDA_PAGE_FILE "agenda.html"

struct AgendaPageRow {
    const char* date;    // "2026-12-09"
    int period;          // 0..9
    const char* course;
    const char* note;    // as the editor shows it: lines end in CR LF
    int marks;           // MARK_DONE | MARK_TEST
    int cancelled;       // the lesson is cancelled on its date
};

// Writes the page for today (a "2026-12-09" date) crash-safely and opens it in the browser.
// 0, or 1 when it could not be written (the user is told; no browser is started).
int writeAgendaPage(const char* today, const AgendaPageRow* rows, int count);
