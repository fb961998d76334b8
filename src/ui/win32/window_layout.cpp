// WM_SIZE of the main window: the first one is only counted (the controls keep their creation
// places); every later one lays out the status bar, the tabs, the slot line and the editor
// from the client size and the status bar's height. The toolbar places itself.
#include <windows.h>

#include "ui/win32/main_window.h"
#include "ui/win32/window_handles.h"

// A minimised window has a client of 0 x 0: no control gets a negative size.
static void place(HWND control, int x, int y, int width, int height) {
    MoveWindow(control, x, y, width > 0 ? width : 0, height > 0 ? height : 0, TRUE);
}

static SIZE clientSize(HWND hwnd) {
    RECT r = {};
    GetClientRect(hwnd, &r);
    SIZE s = {r.right - r.left, r.bottom - r.top};
    return s;
}

static void layoutControls(HWND hwnd) {
    RECT bar = {};
    GetWindowRect(mainUi.status, &bar);
    int sb = bar.bottom - bar.top;
    SIZE main = clientSize(hwnd);
    place(mainUi.status, 0, main.cy - sb, main.cx, sb);
    place(mainUi.dayTabs, 5, 48, main.cx - 10, main.cy - 78);
    SIZE day = clientSize(mainUi.dayTabs);
    place(mainUi.periodTabs, 10, sb + 5, day.cx - 20, day.cy - sb - 10);
    SIZE period = clientSize(mainUi.periodTabs);
    place(mainUi.slotLine, 5, sb + 5, period.cx - 10, sb);
    place(mainUi.notes, 10, 2 * sb + 10, period.cx - 20, period.cy - 2 * sb - 20);
    UpdateWindow(hwnd);
}

void MainWnd_OnSize(HWND hwnd) {
    if (mainUi.sizeCount > 0) layoutControls(hwnd);
    mainUi.sizeCount++;
    DrawMenuBar(hwnd);
}
