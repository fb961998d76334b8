// The week rotation rule as the user gives it: the colours of the cycle in order, the first
// week of the cycle and the holiday weeks ("44, 52-1, 8"). Offers the holiday list parser
// and the rule's settings keys (load and save).
#pragma once

#define ROTATION_MAX_CYCLE 5
#define ROTATION_HOLIDAYS_SIZE 201  // the typed list, so that it fits on one settings line
#define ROTATION_MESSAGE_SIZE 160

struct RotationRule {
    int cycle[ROTATION_MAX_CYCLE];  // week colours 0..4, in cycle order
    int cycleLength;                // 1..5
    int firstWeek;                  // 1..53, the week that starts the school year
    unsigned char holiday[54];      // holiday[w] is 1 when week w is a holiday week
    char holidayText[ROTATION_HOLIDAYS_SIZE];
};

// Reads a holiday list: week numbers and ranges "a-b" separated by commas, semicolons or
// blanks. A range runs in the order of the school year that starts in firstWeek, so "52-1"
// crosses the turn of the year. Fills holiday[1..53]; 0, or 1 with a message for the user.
int parseHolidayList(const char* text, int firstWeek, unsigned char holiday[54], char* message, int size);
// The cycle as settings text ("1,2") and back; parse gives the length, 0 when the text holds
// no colour 0..4 (then nothing is kept).
void formatCycle(const int* cycle, int length, char* out, int size);
int parseCycle(const char* text, int cycle[ROTATION_MAX_CYCLE]);

// The rule kept in the settings file; without one, yellow and green from week 36, no holidays.
// Returns 0, or 1 when the kept holiday list does not read (holidays then left empty).
int loadRotationRule(RotationRule* rule);
// Keeps the rule in the settings file, and its first week as the one that starts the school
// year (weeks 1 to 52) with, when given, the notes' school year ("2026"), all in one rewrite.
// 0, or 1 when a key could not be written.
int saveRotationRule(const RotationRule* rule, const char* notesYear = nullptr);
// 1 when the settings keep a rule of their own (a cycle that reads), 0 when the rule above is
// only the default.
int rotationRuleKept();
