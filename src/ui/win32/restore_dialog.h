// The "Restore..." dialog: the list of snapshots; the one chosen is restored after a question.
#pragma once

// Opens the modal list; on "Restore..." asks, restores and reloads the window.
void openRestoreDialog();
