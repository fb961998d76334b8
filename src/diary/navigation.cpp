// Week navigation: the selected day moves seven entries through the day table, so it keeps
// its weekday and the table's own week numbers; the table's ends only beep. A typed note is
// kept before the week changes; when it cannot be, the week stays.
// Offers nextWeek, previousWeek and showCurrentWeek.
#include "diary/navigation.h"

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "diary/slot.h"
#include "diary/status_line.h"


static void selectEntry(int index) {
    if (!keepTypedNote()) return;
    diaryState.selectedDayIndex = index;
    diaryState.selectedWeek = dayTable[index].week;
    // The status line loads the new week's colour, which the slot line then uses.
    refreshStatusLine();
    loadNotes();
    refreshSlotLine();
}

void nextWeek() {
    int from = diaryState.selectedDayIndex;
    if (from < 0 || from > lastForwardIndex()) {
        shortBeep();
        return;
    }
    selectEntry(from + 7);
}

void previousWeek() {
    int from = diaryState.selectedDayIndex;
    if (from < 7 || from >= dayTableLength) {
        shortBeep();
        return;
    }
    selectEntry(from - 7);
}

void showLesson(int week, int day, int period) {
    diaryState.selectedDay = day;
    diaryState.selectedWeek = week;
    diaryState.selectedPeriod = period;
    frontSelectTabs(day - 1, period);
    refreshStatusLine();
    refreshSlotLine();
    loadNotes();
}

void showCurrentWeek() {
    if (!keepTypedNote()) return;
    diaryState.selectedWeek = diaryState.currentWeek;
    if (diaryState.todayWeekday >= 1 && diaryState.todayWeekday <= 6) diaryState.selectedDay = diaryState.todayWeekday;
    diaryState.selectedPeriod = 0;
    frontSelectTabs(diaryState.selectedDay - 1, 0);
    // Finds today's entry; the refreshes then run as after a week arrow.
    locateSelectedDay();
    refreshStatusLine();
    loadNotes();
    refreshSlotLine();
}
