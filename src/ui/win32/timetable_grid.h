// The timetable grid control: six days (columns) by ten periods (rows), owner-painted from the
// timetable grid's model. A tab stop: the arrow keys, Home and End move the selected cell, a
// click selects one, Enter asks for its fields; each new selection is told to the parent as
// WM_COMMAND with GRIDN_SELCHANGE. Offers registerTimetableGrid and the grid's messages.
#pragma once
#include <windows.h>

#include "diary/timetable_edit.h"

#define TIMETABLE_GRID_CLASS "WkbTimetableGrid"

// Notifications to the parent (WM_COMMAND's high word).
#define GRIDN_SELCHANGE 1  // the user selected another cell (read it with TGM_GETSEL)
#define GRIDN_ENTER 2      // Enter: the user wants to type the selected cell's fields

// What the grid shows; the owner keeps it alive while the grid lives.
struct TimetableGridView {
    const TimetableEdit* edit;
    int colour;                                  // the week colour shown, 0..4
    int useDefaults;                             // empty coloured fields show the plain week's, greyed
    char rowTimes[TIMETABLE_PERIODS][16];        // "10:05-10:55" under "Period 3", or ""
};

#define TGM_SETVIEW (WM_APP + 70)  // lParam: const TimetableGridView*; repaints
#define TGM_SETSEL (WM_APP + 71)   // wParam: day 1..6, lParam: period 0..9; no notification
#define TGM_GETSEL (WM_APP + 72)   // returns MAKELONG(day, period)

// Registers the class once per process; 0, or 1 when it cannot.
int registerTimetableGrid(HINSTANCE instance);
