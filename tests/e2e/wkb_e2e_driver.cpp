// Drives the running diary from another process as a user would, through window messages:
// "drive" closes the start-up message, picks Monday and Period 3, types and saves a note, adds
// a course and sets it for the slot through the input dialog, colours the week, turns the
// default values on, goes a week forward and back; "quit" ends the program; "intro" only
// closes the start-up message and waits for the window; "dialog" opens Course > Select and
// leaves it open (for screenshots); "timetable" opens Parametres > Timetable... and leaves it
// open, "cancel-timetable" cancels it; "agenda" opens the agenda window and leaves it open,
// "close-agenda" closes it; "where" prints the screen point at the middle of the notes
// editor; "notes" prints the editor's text; "speed" times week moves against a command that
// does nothing, sent to the window one after the other. Prints what it saw; exit code 0 when every step was seen
// to work.
// Windows only: the native build compiles every tests/*.cpp, for which this file is empty.
#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#define STEP_TIMEOUT_MS 60000

struct Diary {
    HWND main, status, dayTabs, periodTabs, notes, slotLine;
};

static int fail(const char* what) {
    printf("FAILED: %s\n", what);
    fflush(stdout);
    return 1;
}

// Polls test() every 50 ms until it holds or the step's time is up.
template <typename Test>
static bool waitFor(Test test) {
    for (int waited = 0; waited < STEP_TIMEOUT_MS; waited += 50) {
        if (test()) return true;
        Sleep(50);
    }
    return false;
}

// WM_GETTEXT is marshalled between processes; a status bar answers with its part 0.
static void textOf(HWND hwnd, char* out, int size) {
    out[0] = '\0';
    SendMessageTimeoutA(hwnd, WM_GETTEXT, (WPARAM)size, (LPARAM)out, SMTO_ABORTIFHUNG, 5000, NULL);
}

static HWND visibleBox(const char* title) {
    HWND box = FindWindowA("#32770", title);
    return box && IsWindowVisible(box) ? box : NULL;
}

static int selectedWeek(HWND status) {
    char text[256];
    textOf(status, text, sizeof text);
    const char* at = strstr(text, "Selected week:");
    return at ? atoi(at + strlen("Selected week:")) : -1;
}

static bool findDiary(Diary* d) {
    d->main = FindWindowA("winwkb", NULL);
    if (!d->main) return false;
    d->status = GetDlgItem(d->main, 103);
    d->dayTabs = FindWindowExA(d->main, NULL, WC_TABCONTROLA, "my_tab1");
    d->periodTabs = d->dayTabs ? FindWindowExA(d->dayTabs, NULL, WC_TABCONTROLA, "my_tab2") : NULL;
    d->notes = d->periodTabs ? FindWindowExA(d->periodTabs, NULL, "Edit", NULL) : NULL;
    d->slotLine = d->periodTabs ? FindWindowExA(d->periodTabs, NULL, "Static", NULL) : NULL;
    return d->status && d->notes && d->slotLine;
}

static void postCommand(HWND hwnd, int id, HWND from = NULL) {
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)from);
}

static void postKeys(HWND hwnd, int key, int count) {
    for (int i = 0; i < count; i++) PostMessageA(hwnd, WM_KEYDOWN, key, 0);
}

static LRESULT cursel(HWND tabs) { return SendMessageA(tabs, TCM_GETCURSEL, 0, 0); }

static int closeStartupMessage() {
    HWND box = NULL;
    if (!waitFor([&] { return (box = visibleBox("Intro")) != NULL; })) return fail("no start-up message");
    char text[512] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    printf("start-up message: %s\n", text);
    postCommand(box, IDOK);
    return 0;
}

static int pickTabAndSaveNote(const Diary& d) {
    postKeys(d.dayTabs, VK_LEFT, 6);
    postKeys(d.periodTabs, VK_RIGHT, 2);
    if (!waitFor([&] { return cursel(d.dayTabs) == 0 && cursel(d.periodTabs) == 2; }))
        return fail("Monday, Period 3 not selected");
    SendMessageA(d.notes, WM_SETTEXT, 0, (LPARAM) "Homework: page 12\r\nLearn the poem");
    postCommand(d.main, 200);
    return 0;
}

// Opens the input dialog with a menu command; NULL when it does not come.
static HWND openDialog(const Diary& d, int command) {
    postCommand(d.main, command);
    HWND dlg = NULL;
    waitFor([&] { return (dlg = visibleBox("keyboard input")) != NULL; });
    return dlg;
}

static bool pressOk(HWND dlg) {
    postCommand(dlg, 500, GetDlgItem(dlg, 500));
    return waitFor([&] { return !IsWindow(dlg); });
}

// Parametres > Course > Add, then Select: the new course is offered and set for the slot.
static int addAndChooseCourse(const Diary& d) {
    HWND dlg = openDialog(d, 220);
    if (!dlg || !GetDlgItem(dlg, 510)) return fail("no input dialog with a text field for Add");
    SendMessageA(GetDlgItem(dlg, 510), WM_SETTEXT, 0, (LPARAM) "Math");
    if (!pressOk(dlg)) return fail("the Add dialog did not close");

    dlg = openDialog(d, 214);
    HWND chooser = dlg ? FindWindowExA(dlg, NULL, "ComboBox", NULL) : NULL;
    if (!chooser) return fail("no input dialog with a value chooser for Select");
    // Wine passes this text between processes whole only in the wide form.
    wchar_t offered[64] = L"";
    LRESULT count = SendMessageA(chooser, CB_GETCOUNT, 0, 0);
    SendMessageW(chooser, CB_GETLBTEXT, 0, (LPARAM)offered);
    printf("chooser: %d value(s), first \"%ls\"\n", (int)count, offered);
    if (count != 1 || wcscmp(offered, L"Math") != 0) return fail("the chooser does not offer the added course");
    SendMessageA(chooser, WM_SETTEXT, 0, (LPARAM) "Math");
    if (!pressOk(dlg)) return fail("the Select dialog did not close");
    char slot[400] = "";
    if (!waitFor([&] {
            textOf(d.slotLine, slot, sizeof slot);
            return strstr(slot, "Course: Math") != NULL;
        }))
        return fail("the course did not reach the slot line");
    printf("slot line: %s\n", slot);
    return 0;
}

// The course was set for plain weeks: once the week is coloured it shows only through the
// option "Use default values".
static int colourAndMoveWeeks(const Diary& d, int week) {
    postCommand(d.main, 26);
    postCommand(d.main, 229);
    postCommand(d.main, 207);
    if (!waitFor([&] { return selectedWeek(d.status) != week; })) return fail("week forward did nothing");
    postCommand(d.main, 208);
    if (!waitFor([&] { return selectedWeek(d.status) == week; })) return fail("week backward did nothing");
    char notes[256] = "";
    textOf(d.notes, notes, sizeof notes);
    if (strcmp(notes, "Homework: page 12\r\nLearn the poem") != 0) return fail("the note did not come back");
    char slot[400] = "";
    textOf(d.slotLine, slot, sizeof slot);
    if (!strstr(slot, "Course: Math")) return fail("the plain week's course is not shown in the coloured week");
    return 0;
}

// Parametres > Lesson times...: Period 3 from 10:05 to 10:55; then Export > Calendar file (.ics),
// whose box names the file; the folder window it opens is closed again.
static int lessonTimesAndCalendar(const Diary& d) {
    postCommand(d.main, 280);
    HWND dlg = NULL;
    if (!waitFor([&] { return (dlg = visibleBox("Lesson times")) != NULL; })) return fail("no Lesson times dialog");
    SendMessageA(GetDlgItem(dlg, 747), WM_SETTEXT, 0, (LPARAM) "10:05");
    SendMessageA(GetDlgItem(dlg, 757), WM_SETTEXT, 0, (LPARAM) "10:55");
    postCommand(dlg, IDOK, GetDlgItem(dlg, IDOK));
    if (!waitFor([&] { return !IsWindow(dlg); })) return fail("the Lesson times dialog did not close");
    postCommand(d.main, 281);
    HWND box = NULL;
    if (!waitFor([&] { return (box = visibleBox("Info")) != NULL; })) return fail("no box after the calendar export");
    char text[512] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    printf("calendar export: %s\n", text);
    postCommand(box, IDOK);
    if (!strstr(text, "timetable.ics")) return fail("the box does not name the calendar file");
    HWND folder = NULL;
    if (waitFor([&] { return (folder = FindWindowA(NULL, "wkb_db")) != NULL; })) PostMessageA(folder, WM_CLOSE, 0, 0);
    else printf("no folder window seen\n");
    return 0;
}

static int drive() {
    if (closeStartupMessage()) return 1;
    Diary d = {};
    if (!waitFor([&] { return findDiary(&d) && IsWindowVisible(d.main) && selectedWeek(d.status) > 0; }))
        return fail("no main window with a status line");
    int week = selectedWeek(d.status);
    printf("week=%d\n", week);
    if (pickTabAndSaveNote(d) || addAndChooseCourse(d) || colourAndMoveWeeks(d, week) || lessonTimesAndCalendar(d))
        return 1;
    if (visibleBox("Stop") || visibleBox("Info")) return fail("an unexpected message box is open");
    char status[256];
    textOf(d.status, status, sizeof status);
    printf("status line: %s\nDRIVE OK\n", status);
    fflush(stdout);
    return 0;
}

static int quit() {
    Diary d = {};
    if (!findDiary(&d)) return fail("no main window");
    postCommand(d.main, 203);
    if (!waitFor([&] { return !IsWindow(d.main); })) return fail("the window did not close");
    printf("QUIT OK\n");
    return 0;
}

static int intro() {
    if (closeStartupMessage()) return 1;
    Diary d = {};
    if (!waitFor([&] { return findDiary(&d) && IsWindowVisible(d.main) && selectedWeek(d.status) > 0; }))
        return fail("no main window with a status line");
    printf("INTRO OK\n");
    return 0;
}

static int dialog() {
    Diary d = {};
    if (!findDiary(&d)) return fail("no main window");
    if (!openDialog(d, 214)) return fail("no input dialog");
    printf("DIALOG OK\n");
    return 0;
}

// Opens Parametres > Timetable... and leaves it open, or cancels the open one.
static int timetable(bool open) {
    Diary d = {};
    if (!findDiary(&d)) return fail("no main window");
    if (open) postCommand(d.main, 300);
    else if (visibleBox("Timetable")) postCommand(visibleBox("Timetable"), IDCANCEL);
    if (!waitFor([&] { return (visibleBox("Timetable") != NULL) == open; })) return fail("the timetable dialog");
    printf("TIMETABLE OK\n");
    return 0;
}

// Opens the agenda window (File > Agenda...) and leaves it open, or closes the open one.
static int agenda(bool open) {
    Diary d = {};
    if (!findDiary(&d)) return fail("no main window");
    HWND window = FindWindowA("WinWkbAgenda", NULL);
    if (open) postCommand(d.main, 320);
    else if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (!waitFor([&] { return (FindWindowA("WinWkbAgenda", NULL) != NULL) == open; })) return fail("the agenda window");
    printf("AGENDA OK\n");
    return 0;
}

static int where() {
    Diary d = {};
    if (!findDiary(&d)) return fail("no main window");
    RECT r = {};
    GetWindowRect(d.notes, &r);
    printf("notes-at %ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
}

static int notes() {
    Diary d = {};
    if (!findDiary(&d)) return fail("no main window");
    char text[600] = "";
    textOf(d.notes, text, sizeof text);
    printf("notes=%s\n", text);
    return 0;
}

// Milliseconds per message of `rounds` sends of each id in turn.
static double timeCommands(HWND main, const int* ids, int idCount, int rounds) {
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int r = 0; r < rounds; r++)
        for (int i = 0; i < idCount; i++)
            SendMessageTimeoutA(main, WM_COMMAND, MAKEWPARAM(ids[i], 0), 0, SMTO_ABORTIFHUNG, 5000, NULL);
    QueryPerformanceCounter(&end);
    return 1000.0 * (double)(end.QuadPart - start.QuadPart) / (double)frequency.QuadPart / (rounds * idCount);
}

static int speed() {
    Diary d = {};
    if (!findDiary(&d)) return fail("no main window");
    const int weeks[] = {207, 208};  // forward and back, so the view stays inside the year
    const int nothing[] = {9999, 9999};  // no command has this id
    // Interleaved, so that both meet the same load of the machine.
    double weekTotal = 0, nothingTotal = 0;
    for (int block = 0; block < 10; block++) {
        weekTotal += timeCommands(d.main, weeks, 2, 20);
        nothingTotal += timeCommands(d.main, nothing, 2, 20);
    }
    printf("week-move-ms=%.2f nothing-ms=%.2f\n", weekTotal / 10, nothingTotal / 10);
    return 0;
}

int main(int argc, char** argv) {
    setvbuf(stdout, NULL, _IONBF, 0);
    if (argc == 2 && strcmp(argv[1], "intro") == 0) return intro();
    if (argc == 2 && strcmp(argv[1], "dialog") == 0) return dialog();
    if (argc == 2 && strcmp(argv[1], "timetable") == 0) return timetable(true);
    if (argc == 2 && strcmp(argv[1], "cancel-timetable") == 0) return timetable(false);
    if (argc == 2 && strcmp(argv[1], "agenda") == 0) return agenda(true);
    if (argc == 2 && strcmp(argv[1], "close-agenda") == 0) return agenda(false);
    if (argc == 2 && strcmp(argv[1], "where") == 0) return where();
    if (argc == 2 && strcmp(argv[1], "notes") == 0) return notes();
    if (argc == 2 && strcmp(argv[1], "speed") == 0) return speed();
    if (argc == 2 && strcmp(argv[1], "drive") == 0) return drive();
    if (argc == 2 && strcmp(argv[1], "quit") == 0) return quit();
    printf("usage: wkb_e2e_driver drive|quit\n");
    return 2;
}
#endif
