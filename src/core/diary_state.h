// The DiaryState: the one global record of what the diary shows, plus the shared name tables.
// Every part of the diary reads and writes these fields directly.
#pragma once

struct DiaryState {
    int currentWeek;       // today's week number (1..53)
    int todayWeekday;      // 0 Sunday .. 6 Saturday; 1..6 after start-up
    int selectedWeek;      // week whose notes and colour are shown
    int selectedDay;       // 1 Monday .. 6 Saturday
    int selectedPeriod;    // 0..9, shown as "Period 1".."Period 10"
    int selectedDayIndex;  // index 0..359 of the selected day in the day table
    char dateLabel[16];    // "(month/day/year)"
    int weekColour;        // 0..4 for the selected week
    int action;            // pending action, 0 none
    int teacherMode;
    int useDefaults;
    int beepOn;
    int infoOn;
    int storeStatus;       // STORE_OK..STORE_UNREADABLE (0..4), result of store preparation
    int webReachable;      // 0 not probed, 1 reachable, 2 not reachable
};

extern DiaryState diaryState;

// "Monday".."Saturday" for days 1..6 (index 0 is unused: "").
extern const char* const dayNames[7];
// "Period 1".."Period 10" for periods 0..9.
extern const char* const periodNames[10];

#define LABEL_WEEK_GRID "Week grid"
#define LABEL_WEEKS_TABLE "Weeks table"

// Zeroes the whole state, as before start-up (tests use it between cases).
void resetDiaryState();
