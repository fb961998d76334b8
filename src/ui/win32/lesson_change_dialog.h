// The "Change this lesson..." dialog (Parametres menu, Ctrl+L): the selected lesson on its date
// cancelled, or with another course, teacher (class) or classroom than the timetable's; "Remove
// the change" goes back to the timetable.
#pragma once

// Opens the modal dialog for the selected week, day and period; refused while another action
// is pending. Returns when it is closed.
void openLessonChangeDialog();
