// The "New school year..." dialog: asks the name under which the ending year is kept.
#pragma once

// Opens the modal dialog with the default name; OK starts the new year.
void openNewYearDialog();
