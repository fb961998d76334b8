// Writes the full store with the same bytes the diary itself writes (key=value lines with
// CR LF), directly rather than through one set per record, which would take minutes.
#include "full_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "calendar/day_table.h"
#include "platform/bounded_text.h"
#include "records/store_version.h"

#define NOTE_LENGTH 511

const char* const FIRST_TIMETABLE_KEY = "D1P0C";
const char* const LAST_TIMETABLE_KEY = "D6P9L|4";

static char base[256];
static char firstKey[32], lastKey[32];
static char note[NOTE_LENGTH + 1];
static int todayWeek;

const char* benchBaseFolder() { return base; }
const char* firstNotesKey() { return firstKey; }
const char* lastNotesKey() { return lastKey; }
const char* sampleNote() { return note; }
int lastNotesWeek() { return todayWeek; }

static const char* const phrases[] = {
    "Homework: exercises 3 to 7 page 112",  "Read chapter 4 before Thursday",
    "Bring the calculator and a ruler",     "Test on fractions next week",
    "Lab report due Friday, two pages",     "Learn the vocabulary list of unit 6",
    "Essay plan: introduction and 3 parts", "Revise the map of Europe",
    "Sign the permission slip for the trip", "Group work: slides for the talk",
};

// A note of exactly NOTE_LENGTH characters, its lines joined by the stored break " |".
static void makeNote(int seed, char* out) {
    size_t n = 0;
    for (int i = 0; n < NOTE_LENGTH; i++) {
        const char* p = phrases[(seed * 7 + i * 3) % 10];
        if (i > 0) {
            out[n++] = ' ';
            if (n < NOTE_LENGTH) out[n++] = '|';
        }
        for (; *p != '\0' && n < NOTE_LENGTH; p++) out[n++] = *p;
    }
    out[NOTE_LENGTH] = '\0';
}

static FILE* openData(const char* name) {
    char path[512];
    snprintf(path, sizeof path, "%s/wkb_db/%s", base, name);
    return fopen(path, "wb");
}

static int writeTimetable() {
    static const char* const courses[] = {"Mathematics", "French", "History-Geography", "English",
                                          "Physics-Chemistry", "Biology", "Music", "Sport"};
    static const char* const people[] = {"Mr Durand", "Mrs Lefebvre", "Mr O`Neill", "Ms Garcia"};
    FILE* f = openData("wkb_hd.data");
    if (f == NULL) return 1;
    for (int colour = 0; colour <= 4; colour++)
        for (int day = 1; day <= 6; day++)
            for (int period = 0; period <= 9; period++)
                for (int field = 0; field < 3; field++) {
                    char suffix[8] = "";
                    if (colour > 0) snprintf(suffix, sizeof suffix, "|%d", colour);
                    int pick = day * 10 + period + colour;
                    if (field == 0) fprintf(f, "D%dP%dC%s=%s\r\n", day, period, suffix, courses[pick % 8]);
                    if (field == 1) fprintf(f, "D%dP%dT%s=%s\r\n", day, period, suffix, people[pick % 4]);
                    if (field == 2) fprintf(f, "D%dP%dL%s=Room B%d\r\n", day, period, suffix, pick % 40);
                }
    return fclose(f) != 0;
}

// Notes are stored in the order they were first written: the school year up to today, so
// today's week comes last.
static int writeNotes() {
    FILE* f = openData("wkb_txt.data");
    if (f == NULL) return 1;
    for (int i = 1; i <= 53; i++) {
        int week = (todayWeek + i - 1) % 53 + 1;
        for (int day = 1; day <= 6; day++)
            for (int period = 0; period <= 9; period++) {
                char text[NOTE_LENGTH + 1];
                makeNote(week * 60 + day * 10 + period, text);
                fprintf(f, "W%dD%dP%d=%s\r\n", week, day, period, text);
                if (i == 1 && day == 1 && period == 0)
                    snprintf(firstKey, sizeof firstKey, "W%dD%dP%d", week, day, period);
                if (i == 53 && day == 6 && period == 9) {
                    snprintf(lastKey, sizeof lastKey, "W%dD%dP%d", week, day, period);
                    copyText(note, sizeof note, text);
                }
            }
    }
    return fclose(f) != 0;
}

static int writeWeeks() {
    FILE* f = openData("weeks.dat");
    if (f == NULL) return 1;
    fprintf(f, "### Weeks colors data. Please do not edit.\r\n");
    for (int week = 1; week <= 53; week++) fprintf(f, "%d=%d\r\n", week, week % 5);
    return fclose(f) != 0;
}

// A done and test mark on every note (the hashes match no note: each is read and checked).
static int writeMarks() {
    FILE* f = openData("marks.dat");
    if (f == NULL) return 1;
    for (int week = 1; week <= 53; week++)
        for (int day = 1; day <= 6; day++)
            for (int period = 0; period <= 9; period++) fprintf(f, "W%dD%dP%d=dt 0123abcd\r\n", week, day, period);
    return fclose(f) != 0;
}

// A change in every week: Monday's first lesson cancelled, and the room of Saturday's last (the
// slot the commands run on) changed, so that every refresh and export meets one.
static int writeChanges() {
    FILE* f = openData("changes.dat");
    if (f == NULL) return 1;
    fprintf(f, "### Lessons that differ on one date. Please do not edit.\r\n");
    for (int week = 1; week <= 53; week++) fprintf(f, "W%dD1P0=X\r\nW%dD6P9=- L3:Gym\r\n", week, week);
    return fclose(f) != 0;
}

static int writeValueLists() {
    FILE* f = openData("hdvalues.dat");
    if (f == NULL) return 1;
    for (int i = 0; i < 100; i++) {
        fprintf(f, "[C]Course %d\r\n", i);
        fprintf(f, "[T]Teacher %d\r\n", i);
        fprintf(f, "[L]Room %d\r\n", i);
    }
    return fclose(f) != 0;
}

static int writeSettings() {
    FILE* f = openData(".wkb.rc");
    if (f == NULL) return 1;
    fprintf(f, "##################################################################\r\n"
               "#        RC for WKB. Please, do not edit manually!\r\n"
               "##################################################################\r\n"
               "version=" CURRENT_VERSION "\r\ninfo=yes\r\nbip=yes\r\nteacher=no\r\ndefault=yes\r\n"
               "title=Class 4B, school year 2026-2027\r\n"
               // Every period has lesson times, so the calendar export writes every lesson.
               "lesson_times_all=08:00-08:50,08:55-09:45,10:00-10:50,10:55-11:45,11:50-12:40,"
               "13:30-14:20,14:25-15:15,15:30-16:20,16:25-17:15,17:20-18:10\r\n"
               "calendar_id=0a1b2c3d\r\n");
    return fclose(f) != 0;
}

int buildFullStore() {
    std::error_code ec;
    std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
    snprintf(base, sizeof base, "%s/wkb_bench_XXXXXX", tmp.string().c_str());
    if (mkdtemp(base) == NULL) return 1;
    char folder[512];
    snprintf(folder, sizeof folder, "%s/wkb_db", base);
    std::filesystem::create_directories(std::string(folder) + "/.tmp", ec);
    if (ec) return 1;
    todayWeek = weekOfDay(BENCH_DAY, BENCH_MONTH, BENCH_YEAR);
    return writeSettings() | writeTimetable() | writeNotes() | writeWeeks() | writeValueLists() | writeMarks() |
           writeChanges();
}

void removeFullStore() {
    if (base[0] == '\0') return;
    std::error_code ec;
    std::filesystem::remove_all(base, ec);
    base[0] = '\0';
}
