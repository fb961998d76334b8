// WM_SIZE of the main window: the first one is only counted (the controls keep their creation
// places); every later one has the toolbar place itself and lays out the status bar, the tabs,
// the slot line and the editor from the client size and the status bar's height. Margins are
// pixels at 96 DPI, scaled to the window's. Also the change of DPI and the smallest size.
#include <windows.h>
#include <commctrl.h>

#include "ui/win32/dpi.h"
#include "ui/win32/main_window.h"
#include "ui/win32/toolbar.h"
#include "ui/win32/window_handles.h"

// The smallest window at 96 DPI in which the notes editor keeps a few lines.
#define MIN_WINDOW_WIDTH 420
#define MIN_WINDOW_HEIGHT 340

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
    // The toolbar takes the window's width itself only when told; else its line under the menu
    // bar stops where the window first ended.
    SendMessageA(mainUi.toolbar, TB_AUTOSIZE, 0, 0);
    RECT bar = {};
    GetWindowRect(mainUi.status, &bar);
    int sb = bar.bottom - bar.top;
    SIZE main = clientSize(hwnd);
    place(mainUi.status, 0, main.cy - sb, main.cx, sb);
    // The day tabs end 30 pixels (at 96 DPI) above the bottom; a taller status bar (a font
    // larger than the scale) pushes them up rather than covering them.
    int dayHeight = main.cy - scaled(78);
    if (dayHeight > main.cy - sb - scaled(48)) dayHeight = main.cy - sb - scaled(48);
    place(mainUi.dayTabs, scaled(5), scaled(48), main.cx - scaled(10), dayHeight);
    SIZE day = clientSize(mainUi.dayTabs);
    place(mainUi.periodTabs, scaled(10), sb + scaled(5), day.cx - scaled(20), day.cy - sb - scaled(10));
    SIZE period = clientSize(mainUi.periodTabs);
    place(mainUi.slotLine, scaled(5), sb + scaled(5), period.cx - scaled(10), sb);
    place(mainUi.notes, scaled(10), 2 * sb + scaled(10), period.cx - scaled(20), period.cy - 2 * sb - scaled(20));
    UpdateWindow(hwnd);
}

void MainWnd_OnSize(HWND hwnd) {
    if (mainUi.sizeCount > 0) layoutControls(hwnd);
    mainUi.sizeCount++;
    DrawMenuBar(hwnd);
}

void MainWnd_OnDpiChanged(HWND hwnd, int dpi, const RECT* suggested) {
    if (dpi <= 0) return;
    mainUi.dpi = dpi;
    makeWindowFonts(hwnd);
    reloadToolbarImages();
    // Counted as a later size, so that the layout follows at once.
    if (mainUi.sizeCount == 0) mainUi.sizeCount = 1;
    if (suggested)
        SetWindowPos(hwnd, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The toolbar takes the new width of the window, the status bar the height of its new font.
    SendMessageA(mainUi.toolbar, TB_AUTOSIZE, 0, 0);
    SendMessageA(mainUi.status, WM_SIZE, 0, 0);
    layoutControls(hwnd);
}

void MainWnd_OnGetMinMaxInfo(MINMAXINFO* info) {
    if (info == NULL) return;
    info->ptMinTrackSize.x = scaled(MIN_WINDOW_WIDTH);
    info->ptMinTrackSize.y = scaled(MIN_WINDOW_HEIGHT);
}
