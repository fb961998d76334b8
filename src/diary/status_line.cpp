// The status line: today's and the selected week, the date, the pending action's tag and the
// option tags, shown on the selected week's colour. Offers refreshStatusLine, statusColour
// and composeStatusText.
#include "diary/status_line.h"

#include <cstdio>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/actions.h"
#include "platform/bounded_text.h"
#include "records/settings.h"
#include "records/week_colours.h"

unsigned long statusColour(int weekColour) {
    static const unsigned long colours[5] = {0xFFFFFF, 0x64FFFF, 0x96FF96, 0x9696FF, 0xFFB4B4};
    // A hand-edited colour outside 0..4 is shown like a plain week.
    if (weekColour < 0 || weekColour > 4) return colours[0];
    return colours[weekColour];
}

static const char* actionTag(int action) {
    switch (action) {
        case ACTION_NONE: return " [Action: ]";
        case ACTION_TITLE: return " [Action: Title]";
        case ACTION_SELECT_COURSE:
        case ACTION_ADD_COURSE:
        case ACTION_REMOVE_COURSE: return " [Action: Course]";
        case ACTION_SELECT_TEACHER:
        case ACTION_ADD_TEACHER:
        case ACTION_REMOVE_TEACHER: return diaryState.teacherMode ? " [Action: Class]" : " [Action: Teacher]";
        case ACTION_SELECT_CLASSROOM:
        case ACTION_ADD_CLASSROOM:
        case ACTION_REMOVE_CLASSROOM: return " [Action: Classroom]";
        case ACTION_INITIALISE: return " [Action: Init.]";
        case ACTION_SEARCH: return " [Action: Search]";
        case ACTION_PRINT: return " [Action: Print]";
        case ACTION_TEACHER_MODE: return " [Action: Mode]";
        default: return "";
    }
}

void composeStatusText(char* out, int size) {
    snprintf(out, (size_t)size, "[Current week:%d / Selected week:%d %s] ", diaryState.currentWeek,
             diaryState.selectedWeek, diaryState.dateLabel);
    appendText(out, (size_t)size, actionTag(diaryState.action));
    if (diaryState.beepOn == 1) appendText(out, (size_t)size, " [Bip]");
    if (diaryState.infoOn == 1) appendText(out, (size_t)size, " [Info]");
}

void refreshStatusLine() {
    // Options, date and week colour follow the files at every refresh.
    loadOptions();
    locateSelectedDay();
    readSelectedWeekColour();
    char text[128];
    composeStatusText(text, sizeof text);
    frontSetStatusColour(statusColour(diaryState.weekColour));
    frontSetStatusText(text);
}
