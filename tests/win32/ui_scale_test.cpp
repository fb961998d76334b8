// The window at the screen's scale (whatever DPI the Wine prefix sets): at the default size no
// control overlaps another or leaves its parent's client area, every period tab is visible,
// and the toolbar pictures and minimum size follow the DPI; a DPI change lays it out again.
// The timetable dialog is whole at the same scale.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "support/win32/front_recorder.h"
#include "ui/win32/dpi.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiScale : public UiTest {};

static RECT clientOf(HWND h) {
    RECT r = {};
    GetClientRect(h, &r);
    return r;
}

static bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom && inner.right > inner.left && inner.bottom > inner.top;
}

static bool apart(const RECT& a, const RECT& b) {
    RECT both;
    return !IntersectRect(&both, &a, &b);
}

static std::string show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// The display area of a tab control (below its tab row), in its client coordinates.
static RECT displayArea(HWND tabs) {
    RECT r = clientOf(tabs);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, (LPARAM)&r);
    return r;
}

static void expectWhole(HWND window) {
    RECT client = clientOf(window);
    RECT toolbar = childRect(mainUi.toolbar), days = childRect(mainUi.dayTabs), status = childRect(mainUi.status);
    EXPECT_TRUE(inside(toolbar, client)) << show(toolbar) << " in " << show(client);
    EXPECT_TRUE(inside(days, client)) << show(days) << " in " << show(client);
    EXPECT_TRUE(inside(status, client)) << show(status) << " in " << show(client);
    EXPECT_TRUE(apart(toolbar, days)) << show(toolbar) << " / " << show(days);
    EXPECT_TRUE(apart(days, status)) << show(days) << " / " << show(status);

    RECT periods = childRect(mainUi.periodTabs);
    EXPECT_TRUE(inside(periods, displayArea(mainUi.dayTabs))) << show(periods);
    RECT area = displayArea(mainUi.periodTabs), slot = childRect(mainUi.slotLine), notes = childRect(mainUi.notes);
    EXPECT_TRUE(inside(slot, area)) << show(slot) << " in " << show(area);
    EXPECT_TRUE(inside(notes, area)) << show(notes) << " in " << show(area);
    EXPECT_TRUE(apart(slot, notes)) << show(slot) << " / " << show(notes);

    // One row of tabs, the last one whole: no tab is hidden behind the scroll arrows.
    EXPECT_EQ(SendMessageA(mainUi.periodTabs, TCM_GETROWCOUNT, 0, 0), 1);
    RECT last = {};
    SendMessageA(mainUi.periodTabs, TCM_GETITEMRECT, 9, (LPARAM)&last);
    EXPECT_LE(last.right, clientOf(mainUi.periodTabs).right) << "Period 10 at " << show(last);
    SendMessageA(mainUi.dayTabs, TCM_GETITEMRECT, 5, (LPARAM)&last);
    EXPECT_LE(last.right, clientOf(mainUi.dayTabs).right) << "Saturday at " << show(last);
}

TEST_F(UiScale, AtTheDefaultSizeEveryControlIsWholeAndApartAndEveryTabVisible) {
    open();
    RECT frame = {};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, scaled(700));
    EXPECT_EQ(frame.bottom - frame.top, scaled(450));
    expectWhole(window);
    // Resized to its smallest, the editor keeps a few lines.
    SetWindowPos(window, NULL, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    pumpMessages();
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, scaled(420));
    EXPECT_EQ(frame.bottom - frame.top, scaled(340));
    RECT notes = childRect(mainUi.notes);
    EXPECT_GE(notes.bottom - notes.top, 3 * mainUi.textHeight) << show(notes);
    // Wider than it was created, the toolbar and its line under the menu bar reach the right edge.
    SetWindowPos(window, NULL, 0, 0, scaled(1100), scaled(500), SWP_NOMOVE | SWP_NOZORDER);
    pumpMessages();
    RECT client = {}, bar = {};
    GetClientRect(window, &client);
    GetClientRect(mainUi.toolbar, &bar);
    EXPECT_EQ(bar.right, client.right);
}

TEST_F(UiScale, ToolbarPicturesAndButtonsFollowTheDpi) {
    open();
    int cx = 0, cy = 0;
    ImageList_GetIconSize(mainUi.images, &cx, &cy);
    EXPECT_EQ(cx, toolbarImageSize(mainUi.dpi));
    EXPECT_EQ(toolbarImageSize(96), 32);
    EXPECT_EQ(toolbarImageSize(120), 32);
    EXPECT_EQ(toolbarImageSize(144), 48);
    EXPECT_EQ(toolbarImageSize(192), 64);
    for (int id = IDB_ARROW_RIGHT; id <= IDB_BLUE; id++)
        for (int step = IDB_SIZE_STEP; step <= 2 * IDB_SIZE_STEP; step += IDB_SIZE_STEP) {
            HBITMAP large = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id + step));
            ASSERT_TRUE(large) << id + step;
            BITMAP info = {};
            GetObjectA(large, sizeof info, &info);
            EXPECT_EQ(info.bmWidth, step == IDB_SIZE_STEP ? 48 : 64) << id + step;
            DeleteObject(large);
        }
}

TEST_F(UiScale, ADpiChangeMovesTheWindowAndLaysItOutAtTheNewScale) {
    open();
    int before = mainUi.dpi;
    // A larger scale that still fits the test screen, or from a large one back to 96.
    int after = before >= 144 ? 96 : before * 5 / 4;
    RECT suggested = {20, 20, 20 + MulDiv(700, after, 96), 20 + MulDiv(450, after, 96)};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(after, after), (LPARAM)&suggested);
    pumpMessages();
    EXPECT_EQ(mainUi.dpi, after);
    RECT frame = {};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, suggested.right - suggested.left);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(mainUi.images, &cx, &cy);
    EXPECT_EQ(cx, toolbarImageSize(after));
    LOGFONTA lf = {};
    GetObjectA(mainUi.uiFont, sizeof lf, &lf);
    LOGFONTA system = {};
    GetObjectA(mainUi.systemFont, sizeof system, &system);
    EXPECT_EQ(lf.lfHeight, MulDiv(system.lfHeight, after, mainUi.systemDpi));
    expectWhole(window);
}

// The timetable dialog at this scale: every control whole inside it and apart from the others,
// the dialog within the screen's work area, and the grid's rows tall enough for a course and,
// small below it, a classroom.
TEST_F(UiScale, TheTimetableDialogIsWholeAtThisScale) {
    open();
    static int checked;
    checked = 0;
    modalDialogDriver([](HWND dlg) {
        checked = 1;
        RECT client = clientOf(dlg), work, window;
        std::vector<HWND> controls;
        for (HWND c = GetWindow(dlg, GW_CHILD); c != NULL; c = GetWindow(c, GW_HWNDNEXT)) controls.push_back(c);
        for (size_t i = 0; i < controls.size(); i++) {
            RECT a = childRect(controls[i]);
            EXPECT_TRUE(inside(a, client)) << GetDlgCtrlID(controls[i]) << ": " << show(a);
            for (size_t j = i + 1; j < controls.size(); j++)
                EXPECT_TRUE(apart(a, childRect(controls[j])))
                    << GetDlgCtrlID(controls[i]) << " / " << GetDlgCtrlID(controls[j]);
        }
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(dlg, &window);
        EXPECT_LE(window.right - window.left, work.right - work.left);
        EXPECT_LE(window.bottom - window.top, work.bottom - work.top);
        HWND grid = GetDlgItem(dlg, IDC_TT_GRID);
        HDC dc = GetDC(grid);
        HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(dlg, WM_GETFONT, 0, 0));
        TEXTMETRICA tm = {};
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(grid, dc);
        int row = (clientOf(grid).bottom - tm.tmHeight - 6) / 10;
        EXPECT_GE(row * 4, tm.tmHeight * 7) << "rows of a line and three quarters";
    });
    command(CMD_TIMETABLE);
    EXPECT_EQ(1, checked);
}
