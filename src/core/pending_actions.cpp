// The table of the pending actions.
#include "core/pending_actions.h"

static const PendingAction rows[] = {
    {ACTION_NONE, " [Action: ]", nullptr, INPUT_NOTHING, "", COMMIT_NOTHING, -1},
    {ACTION_TITLE, " [Action: Title]", nullptr, INPUT_FIELD, "", COMMIT_TITLE, -1},
    {ACTION_SELECT_COURSE, " [Action: Course]", nullptr, INPUT_CHOOSER, "[C]", COMMIT_SLOT, 0},
    {ACTION_SELECT_TEACHER, " [Action: Teacher]", " [Action: Class]", INPUT_CHOOSER, "[T]", COMMIT_SLOT, 1},
    {ACTION_SELECT_CLASSROOM, " [Action: Classroom]", nullptr, INPUT_CHOOSER, "[L]", COMMIT_SLOT, 2},
    {ACTION_INITIALISE, " [Action: Init.]", nullptr, INPUT_QUESTION, "", COMMIT_NOTHING, -1},
    {ACTION_SEARCH, " [Action: Search]", nullptr, INPUT_SEARCH, "", COMMIT_SEARCH, -1},
    {ACTION_PRINT, " [Action: Print]", nullptr, INPUT_QUESTION, "", COMMIT_NOTHING, -1},
    {ACTION_TEACHER_MODE, " [Action: Mode]", nullptr, INPUT_QUESTION, "", COMMIT_NOTHING, -1},
    {ACTION_ADD_COURSE, " [Action: Course]", nullptr, INPUT_FIELD, "[C]", COMMIT_LIST_ADD, 0},
    {ACTION_REMOVE_COURSE, " [Action: Course]", nullptr, INPUT_CHOOSER, "[C]", COMMIT_LIST_REMOVE, 0},
    {ACTION_ADD_TEACHER, " [Action: Teacher]", " [Action: Class]", INPUT_FIELD, "[T]", COMMIT_LIST_ADD, 1},
    {ACTION_REMOVE_TEACHER, " [Action: Teacher]", " [Action: Class]", INPUT_CHOOSER, "[T]", COMMIT_LIST_REMOVE, 1},
    {ACTION_ADD_CLASSROOM, " [Action: Classroom]", nullptr, INPUT_FIELD, "[L]", COMMIT_LIST_ADD, 2},
    {ACTION_REMOVE_CLASSROOM, " [Action: Classroom]", nullptr, INPUT_CHOOSER, "[L]", COMMIT_LIST_REMOVE, 2},
};

static const PendingAction unknown = {-1, "", nullptr, INPUT_NOTHING, "", COMMIT_NOTHING, -1};

const PendingAction* pendingAction(int action) {
    for (const PendingAction& row : rows)
        if (row.action == action) return &row;
    return &unknown;
}

const char* pendingActionTag(int action, int teacherMode) {
    const PendingAction* row = pendingAction(action);
    return teacherMode && row->teacherTag != nullptr ? row->teacherTag : row->tag;
}
