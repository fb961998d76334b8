// The "Timetable..." dialog (Parametres menu): a whole week's timetable typed in one place, for
// every week colour. OK stores every changed field of every colour in one rewrite of the
// timetable; Cancel stores nothing.
#pragma once

// Opens the modal dialog at the selected week's colour and the selected day and period;
// refused while another action is pending. Returns when it is closed.
void openTimetableDialog();
