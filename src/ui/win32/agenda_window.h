// The agenda window: a window of its own class, owned by the main window, that lists the notes
// that are due and stays open beside it. Offers openAgendaWindow, the reminder at start,
// refreshAgendaWindow for every change of the notes, and agendaWindow for the message loop.
#pragma once
#include <windows.h>

// The ids of its controls: Go to lesson is IDOK and Close is IDCANCEL, so that the dialog
// manager's Enter and Escape reach them.
#define IDC_AGENDA_LABEL 790
#define IDC_AGENDA_LIST 791
#define IDC_AGENDA_NOTE_LABEL 792
#define IDC_AGENDA_NOTE 793
#define IDC_AGENDA_DONE 794
#define IDC_AGENDA_TEST 795

// Opens the window beside the main window with the agenda of today, or brings the open one to
// the front as it is.
void openAgendaWindow();
// At start, once the main window is up: opens the window when "Agenda at start" is on and the
// agenda has something to remind of.
void offerAgendaReminder();
// Builds the open window's list again (later, from the message loop), keeping the selected
// lesson; nothing when it is closed.
void refreshAgendaWindow();
// The open window, or NULL: the loop gives it the dialog manager's keys.
HWND agendaWindow();
