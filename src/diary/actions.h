// Pending actions: the prompts that start them, the yes/no question that answers 5, 8 and 9,
// and the commit and cancel of the input dialog.
#pragma once

#include "core/pending_actions.h"

#define ANOTHER_FUNCTION_RUNNING " Another function is running! \n"
// Told when the snapshot that must come before emptying or replacing data cannot be made:
// this line, then its cause in brackets (see tellSnapshotBeforeFailed).
#define SNAPSHOT_BEFORE_FAILED "The data could not be kept in a snapshot first\n"

// The text read from the input dialog on OK (at most 254 characters).
extern char inputText[255];

// Tells the user that the snapshot before a command could not be made, with its cause, and
// that nothing was emptied or replaced.
void tellSnapshotBeforeFailed();
// The guard of every operation that must not run while an action is pending: 1 (after the
// error box " Another function is running! \n") when one is, else 0.
int refuseWhileBusy();
// The question of notify kind 2; 1 for Yes, 0 for No.
int confirmAction(const char* question);
void promptTitle();
void promptSelect(int kind);
void promptAdd(int kind);
void promptRemove(int kind);
void promptSearch();
void askInitialise();
void askPrint();
void askTeacherMode();
// The input dialog's OK (after inputText and, for a search, searchState.startWeek are read).
void commitInput();
// The input dialog's Cancel.
void cancelInput();
// Forgets the slot that a select prompt named (tests, between cases).
void forgetPromptedSlot();
// "WinWkb  <web address> [ <title> ]" into out.
void composeWindowTitle(char* out, int size, const char* title);
