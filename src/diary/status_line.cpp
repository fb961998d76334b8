// The status line: today's and the selected week, the date, the pending action's tag and the
// option tags, shown on the selected week's colour. Offers refreshStatusLine, statusColour
// and composeStatusText.
#include "diary/status_line.h"

#include <cstdio>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "core/frontend.h"
#include "core/pending_actions.h"
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

void composeStatusText(char* out, int size) {
    snprintf(out, (size_t)size, "[Current week:%d / Selected week:%d %s] ", diaryState.currentWeek,
             diaryState.selectedWeek, diaryState.dateLabel);
    appendText(out, (size_t)size, pendingActionTag(diaryState.action, diaryState.teacherMode));
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
