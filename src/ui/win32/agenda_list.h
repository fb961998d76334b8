// The agenda window's list: a report view with a check box for done, one heading row per day
// (no check box) and one row per note, its texts, and the look of headings and done rows.
// Offers setUpAgendaList, fillAgendaList, agendaItemRow, findAgendaItem, showAgendaItem and
// drawAgendaList.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "diary/agenda.h"

// The columns and styles, widths for the DPI (also again after a change of DPI).
void setUpAgendaList(HWND list, int dpi);
// Replaces the items with the agenda's: a heading before each day's rows, or one line that
// says nothing is due. A row's item carries its index in agenda->rows, a heading -1.
void fillAgendaList(HWND list, const Agenda* agenda);
// The index in the agenda of the item's row; -1 for a heading, the empty line or no item.
int agendaItemRow(HWND list, int item);
// The item of the row for week, day and period; -1 when the agenda has none.
int findAgendaItem(HWND list, const Agenda* agenda, int week, int day, int period);
// Puts the row's marks on its item (check box and test column) again, after a mark changed.
void showAgendaItem(HWND list, int item, const AgendaRow* row);
// The text of the test column: "", "test", "test today", "test tomorrow", "test in 3 days",
// each after "cancelled, " for a lesson cancelled on its date.
void agendaTestText(const AgendaRow* row, char* out, int size);
// NM_CUSTOMDRAW of the list: headings in the bold font, done rows in the grey of disabled text.
LRESULT drawAgendaList(NMLVCUSTOMDRAW* draw, const Agenda* agenda, HFONT bold);
