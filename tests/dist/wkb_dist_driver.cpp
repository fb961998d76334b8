// Uses an installed diary from another process, through window messages, for the download
// tests: "note TEXT" saves TEXT as Monday, Period 3's note, turns the beep option on and
// quits; "show" prints the start-up message and that note and leaves the diary open; "quit"
// ends it. "|" stands for a line break in TEXT and in what is printed. Exit code 0 when
// every step was seen to work. Built by the Windows build only.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

#define STEP_TIMEOUT_MS 30000
#define CMD_SAVE 200
#define CMD_QUIT 203
#define CMD_BIP_ON 210

struct Diary {
    HWND main, dayTabs, periodTabs, notes;
};

static int fail(const char* what) {
    printf("FAILED: %s\n", what);
    return 1;
}

template <typename Test>
static bool waitFor(Test test) {
    for (int waited = 0; waited < STEP_TIMEOUT_MS; waited += 50) {
        if (test()) return true;
        Sleep(50);
    }
    return false;
}

static HWND visibleBox(const char* title) {
    HWND box = FindWindowA("#32770", title);
    return box && IsWindowVisible(box) ? box : NULL;
}

static bool findDiary(Diary* d) {
    d->main = FindWindowA("winwkb", NULL);
    if (!d->main || !IsWindowVisible(d->main)) return false;
    d->dayTabs = FindWindowExA(d->main, NULL, WC_TABCONTROLA, "my_tab1");
    d->periodTabs = d->dayTabs ? FindWindowExA(d->dayTabs, NULL, WC_TABCONTROLA, "my_tab2") : NULL;
    d->notes = d->periodTabs ? FindWindowExA(d->periodTabs, NULL, "Edit", NULL) : NULL;
    return d->notes != NULL;
}

static void post(HWND hwnd, int id) { PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// Closes the start-up message, printing it (it names the data folder), and finds the window
// with Monday, Period 3 selected.
static int openMondayPeriod3(Diary* d) {
    HWND box = NULL;
    if (!waitFor([&] { return (box = visibleBox("Intro")) != NULL; })) return fail("no start-up message");
    char text[512] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    for (char* p = text; *p; p++)
        if (*p == '\n' || *p == '\r') *p = '|';
    printf("start-up message: %s\n", text);
    post(box, IDOK);
    if (!waitFor([&] { return findDiary(d); })) return fail("no diary window");
    for (int i = 0; i < 6; i++) PostMessageA(d->dayTabs, WM_KEYDOWN, VK_LEFT, 0);
    for (int i = 0; i < 2; i++) PostMessageA(d->periodTabs, WM_KEYDOWN, VK_RIGHT, 0);
    if (!waitFor([&] {
            return SendMessageA(d->dayTabs, TCM_GETCURSEL, 0, 0) == 0 &&
                   SendMessageA(d->periodTabs, TCM_GETCURSEL, 0, 0) == 2;
        }))
        return fail("Monday, Period 3 not selected");
    return 0;
}

static int quit() {
    Diary d = {};
    if (!waitFor([&] { return findDiary(&d); })) return fail("no diary window");
    post(d.main, CMD_QUIT);
    if (!waitFor([&] { return !IsWindow(d.main); })) return fail("the window did not close");
    printf("QUIT OK\n");
    return 0;
}

static int note(const char* text) {
    Diary d = {};
    if (openMondayPeriod3(&d)) return 1;
    char typed[512];
    size_t n = 0;
    for (const char* p = text; *p && n + 2 < sizeof typed; p++) {
        if (*p == '|') typed[n++] = '\r';
        typed[n++] = *p == '|' ? '\n' : *p;
    }
    typed[n] = '\0';
    SendMessageA(d.notes, WM_SETTEXT, 0, (LPARAM)typed);
    post(d.main, CMD_SAVE);
    post(d.main, CMD_BIP_ON);
    Sleep(500);
    if (visibleBox("Stop") || visibleBox("Info")) return fail("a message box opened on saving");
    printf("NOTE OK\n");
    return quit();
}

static int show() {
    Diary d = {};
    if (openMondayPeriod3(&d)) return 1;
    char text[512] = "";
    SendMessageTimeoutA(d.notes, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, NULL);
    char shown[512];
    size_t n = 0;
    for (const char* p = text; *p && n + 1 < sizeof shown; p++) {
        if (*p == '\r') continue;
        shown[n++] = *p == '\n' ? '|' : *p;
    }
    shown[n] = '\0';
    printf("notes: %s\n", shown);
    return 0;
}

int main(int argc, char** argv) {
    setvbuf(stdout, NULL, _IONBF, 0);
    if (argc == 3 && strcmp(argv[1], "note") == 0) return note(argv[2]);
    if (argc == 2 && strcmp(argv[1], "show") == 0) return show();
    if (argc == 2 && strcmp(argv[1], "quit") == 0) return quit();
    printf("usage: wkb_dist_driver note TEXT | show | quit\n");
    return 2;
}
