// The one DiaryState instance and the shared name tables.
#include "core/diary_state.h"

#include <cstring>

DiaryState diaryState;

const char* const dayNames[7] = {"", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const periodNames[10] = {"Period 1", "Period 2", "Period 3", "Period 4", "Period 5",
                                     "Period 6", "Period 7", "Period 8", "Period 9", "Period 10"};

void resetDiaryState() { memset(&diaryState, 0, sizeof diaryState); }
