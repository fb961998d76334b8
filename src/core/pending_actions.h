// The pending actions, a row each, keyed by their numbers: the tag the status line shows, how
// the input dialog takes the answer (a field, a chooser of a value list, the search fields, or
// a yes/no question instead), the value list it works on, and what OK commits. The prompts,
// the input dialog, the status line, the value lists and the commit all ask here.
#pragma once

#define ACTION_NONE 0
#define ACTION_TITLE 1
#define ACTION_SELECT_COURSE 2
#define ACTION_SELECT_TEACHER 3
#define ACTION_SELECT_CLASSROOM 4
#define ACTION_INITIALISE 5
#define ACTION_SEARCH 6
#define ACTION_PRINT 8
#define ACTION_TEACHER_MODE 9
#define ACTION_ADD_COURSE 10
#define ACTION_REMOVE_COURSE 11
#define ACTION_ADD_TEACHER 12
#define ACTION_REMOVE_TEACHER 13
#define ACTION_ADD_CLASSROOM 14
#define ACTION_REMOVE_CLASSROOM 15

enum ActionInput { INPUT_NOTHING, INPUT_FIELD, INPUT_CHOOSER, INPUT_SEARCH, INPUT_QUESTION };
enum ActionCommit { COMMIT_NOTHING, COMMIT_TITLE, COMMIT_SLOT, COMMIT_SEARCH, COMMIT_LIST_ADD, COMMIT_LIST_REMOVE };

struct PendingAction {
    int action;
    const char* tag;         // " [Action: Course]" after the status line's text
    const char* teacherTag;  // the tag in teacher mode, when it differs
    ActionInput input;
    const char* list;        // the value list's prefix "[C]", "[T]", "[L]", or ""
    ActionCommit commit;
    int field;               // the timetable field (0 course, 1 teacher, 2 classroom), or -1
};

// The row of an action number; an unknown number gets a row with an empty tag that takes and
// commits nothing.
const PendingAction* pendingAction(int action);
// The tag of the action for the teacher mode in force.
const char* pendingActionTag(int action, int teacherMode);
