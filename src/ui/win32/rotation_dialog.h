// The "Week rotation..." dialog: the rule's fields with a preview of the year that follows
// every change; OK writes the week colours in one go, Cancel writes nothing.
#pragma once

// Opens the modal dialog with the kept rule filled in; returns when it is closed.
void openRotationDialog();
