// The "School year..." dialog: the week that starts every school year, or none.
#pragma once

// Opens the modal dialog with the week in use; OK keeps the typed week and shows its year.
void openSchoolYearDialog();
