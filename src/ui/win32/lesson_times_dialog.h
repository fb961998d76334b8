// The "Lesson times" dialog (Parametres menu): the start and end of the ten periods for every
// day, or for a day marked as having times of its own. OK checks every row in force and stores
// them; a bad time is named beside its field and nothing is stored.
#pragma once

// Opens the modal dialog with the stored times filled in; returns when it is closed.
void openLessonTimesDialog();
