// The timetable grid control: its window procedure, painting from the view its owner sets,
// and the keys and clicks that move the selected cell. Its state lives in one struct per window.
#include "ui/win32/timetable_grid.h"

#include <cstdlib>

#include "core/diary_state.h"
#include "diary/status_line.h"
#include "ui/win32/contrast.h"

struct GridState {
    const TimetableGridView* view;
    int day, period;  // the selected cell
    HFONT font;       // the dialog's, set by WM_SETFONT
    HFONT smallFont;  // made from it for the classroom line
};

// The grid's parts in client pixels: a header row and a label column, then even cells.
struct GridLayout {
    int headerHeight, labelWidth;
    int cellWidth, cellHeight;
    int lineHeight, smallHeight;  // of the two fonts
};

static GridState* stateOf(HWND grid) { return (GridState*)GetWindowLongPtrA(grid, 0); }

static int textHeightOf(HWND grid, HFONT font) {
    HDC dc = GetDC(grid);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(grid, dc);
    return tm.tmHeight > 0 ? tm.tmHeight : 13;
}

static GridLayout layoutOf(HWND grid, const GridState* s) {
    RECT r;
    GetClientRect(grid, &r);
    GridLayout g;
    g.lineHeight = textHeightOf(grid, s->font);
    g.smallHeight = textHeightOf(grid, s->smallFont);
    // The label column and the header row take what the even cells leave over.
    g.cellWidth = (r.right - r.left) * 85 / 100 / TIMETABLE_DAYS;
    g.cellHeight = (r.bottom - r.top - g.lineHeight - 6) / TIMETABLE_PERIODS;
    g.labelWidth = r.right - r.left - TIMETABLE_DAYS * g.cellWidth;
    g.headerHeight = r.bottom - r.top - TIMETABLE_PERIODS * g.cellHeight;
    return g;
}

static RECT cellRect(const GridLayout& g, int day, int period) {
    RECT c;
    c.left = g.labelWidth + (day - 1) * g.cellWidth;
    c.top = g.headerHeight + period * g.cellHeight;
    c.right = c.left + g.cellWidth;
    c.bottom = c.top + g.cellHeight;
    return c;
}

static void setFonts(GridState* s, HFONT font) {
    s->font = font;
    if (s->smallFont) DeleteObject(s->smallFont);
    s->smallFont = NULL;
    LOGFONTA lf;
    if (font && GetObjectA(font, sizeof lf, &lf) == sizeof lf) {
        lf.lfHeight = lf.lfHeight * 85 / 100;
        s->smallFont = CreateFontIndirectA(&lf);
    }
}

static void drawText(HDC dc, HFONT font, const char* text, RECT r, UINT format) {
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextA(dc, text, -1, &r, format | DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(dc, old);
}

static void fill(HDC dc, RECT r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

static void paintHeaders(HDC dc, HWND grid, const GridState* s, const GridLayout& g) {
    RECT header = {0, 0, g.labelWidth + TIMETABLE_DAYS * g.cellWidth, g.headerHeight};
    fill(dc, header, paintColour((COLORREF)statusColour(s->view ? s->view->colour : 0), COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, paintColour(RGB(0, 0, 0), COLOR_BTNTEXT));
    for (int day = 1; day <= TIMETABLE_DAYS; day++) {
        RECT c = cellRect(g, day, 0);
        RECT h = {c.left, 0, c.right, g.headerHeight};
        drawText(dc, s->font, dayNames[day], h, DT_CENTER | DT_VCENTER);
    }
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (int period = 0; period < TIMETABLE_PERIODS; period++) {
        RECT c = cellRect(g, 1, period);
        RECT label = {4, c.top + 1, g.labelWidth - 2, c.bottom - 1};
        const char* times = s->view ? s->view->rowTimes[period] : "";
        int twoLines = times[0] != '\0' && label.bottom - label.top >= g.lineHeight + g.smallHeight;
        if (twoLines) label.bottom = label.top + g.lineHeight;
        drawText(dc, s->font, periodNames[period], label, DT_LEFT | (twoLines ? DT_TOP : DT_VCENTER));
        if (!twoLines) continue;
        RECT second = {label.left, label.bottom, label.right, c.bottom - 1};
        drawText(dc, s->smallFont, times, second, DT_LEFT | DT_TOP);
    }
}

// The course on the first line, the classroom small on the second when there is room; an
// empty coloured field shows the plain week's value, greyed, when the fall-back is on.
static void paintCell(HDC dc, HWND grid, const GridState* s, const GridLayout& g, int day, int period) {
    RECT c = cellRect(g, day, period);
    int selected = day == s->day && period == s->period;
    int focused = selected && GetFocus() == grid;
    COLORREF selectedFill = paintColour(RGB(210, 225, 245), COLOR_BTNFACE);
    fill(dc, c, focused ? GetSysColor(COLOR_HIGHLIGHT) : selected ? selectedFill : GetSysColor(COLOR_WINDOW));
    if (s->view == NULL || s->view->edit == NULL) return;
    const char* lines[2];
    int grey[2];
    for (int i = 0; i < 2; i++) {
        SlotField field = i == 0 ? SLOT_COURSE : SLOT_CLASSROOM;
        lines[i] = timetableField(s->view->edit, s->view->colour, day, period, field)->value;
        grey[i] = 0;
        if (lines[i][0] == '\0' && s->view->colour > 0 && s->view->useDefaults) {
            lines[i] = timetableField(s->view->edit, 0, day, period, field)->value;
            grey[i] = 1;
        }
    }
    RECT text = {c.left + 3, c.top + 1, c.right - 3, c.bottom - 1};
    int twoLines = text.bottom - text.top >= g.lineHeight + g.smallHeight;
    COLORREF ink = focused ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT);
    SetTextColor(dc, grey[0] ? GetSysColor(COLOR_GRAYTEXT) : ink);
    RECT first = text;
    if (twoLines) first.bottom = first.top + g.lineHeight;
    drawText(dc, s->font, lines[0], first, DT_LEFT | (twoLines ? DT_TOP : DT_VCENTER));
    if (!twoLines || s->smallFont == NULL) return;
    SetTextColor(dc, grey[1] ? GetSysColor(COLOR_GRAYTEXT) : ink);
    RECT second = {text.left, first.bottom, text.right, text.bottom};
    drawText(dc, s->smallFont, lines[1], second, DT_LEFT | DT_TOP);
}

static void paintLines(HDC dc, const GridLayout& g) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ old = SelectObject(dc, pen);
    int right = g.labelWidth + TIMETABLE_DAYS * g.cellWidth, bottom = g.headerHeight + TIMETABLE_PERIODS * g.cellHeight;
    for (int day = 0; day <= TIMETABLE_DAYS; day++) {
        int x = g.labelWidth + day * g.cellWidth - (day == TIMETABLE_DAYS);
        MoveToEx(dc, x, 0, NULL);
        LineTo(dc, x, bottom);
    }
    for (int period = 0; period <= TIMETABLE_PERIODS; period++) {
        int y = g.headerHeight + period * g.cellHeight - (period == TIMETABLE_PERIODS);
        MoveToEx(dc, 0, y, NULL);
        LineTo(dc, right, y);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

static void onPaint(HWND grid, GridState* s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(grid, &ps);
    RECT client;
    GetClientRect(grid, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    GridLayout g = layoutOf(grid, s);
    paintHeaders(dc, grid, s, g);
    SetBkMode(dc, TRANSPARENT);
    for (int day = 1; day <= TIMETABLE_DAYS; day++)
        for (int period = 0; period < TIMETABLE_PERIODS; period++) paintCell(dc, grid, s, g, day, period);
    paintLines(dc, g);
    if (GetFocus() == grid) {
        RECT c = cellRect(g, s->day, s->period);
        InflateRect(&c, -2, -2);
        DrawFocusRect(dc, &c);
    }
    EndPaint(grid, &ps);
}

// Selects a cell; tells the parent when the user moved it.
static void select(HWND grid, GridState* s, int day, int period, int notify) {
    if (day < 1 || day > TIMETABLE_DAYS || period < 0 || period >= TIMETABLE_PERIODS) return;
    if (day == s->day && period == s->period) return;
    s->day = day;
    s->period = period;
    InvalidateRect(grid, NULL, FALSE);
    if (notify)
        SendMessageA(GetParent(grid), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(grid), GRIDN_SELCHANGE), (LPARAM)grid);
}

static int onKey(HWND grid, GridState* s, WPARAM key) {
    int day = s->day, period = s->period;
    switch (key) {
        case VK_LEFT: day--; break;
        case VK_RIGHT: day++; break;
        case VK_UP: period--; break;
        case VK_DOWN: period++; break;
        case VK_HOME: period = 0; break;
        case VK_END: period = TIMETABLE_PERIODS - 1; break;
        case VK_RETURN:
            if (GetKeyState(VK_CONTROL) < 0)
                SendMessageA(GetParent(grid), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            else
                SendMessageA(GetParent(grid), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(grid), GRIDN_ENTER), (LPARAM)grid);
            return 1;
        default: return 0;
    }
    select(grid, s, day, period, 1);
    return 1;
}

static void onClick(HWND grid, GridState* s, LPARAM lParam) {
    SetFocus(grid);
    GridLayout g = layoutOf(grid, s);
    int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
    if (x < g.labelWidth || y < g.headerHeight || g.cellWidth <= 0 || g.cellHeight <= 0) return;
    select(grid, s, 1 + (x - g.labelWidth) / g.cellWidth, (y - g.headerHeight) / g.cellHeight, 1);
}

static LRESULT CALLBACK gridProc(HWND grid, UINT msg, WPARAM wParam, LPARAM lParam) {
    GridState* s = stateOf(grid);
    if (s == NULL && msg != WM_NCCREATE) return DefWindowProcA(grid, msg, wParam, lParam);
    switch (msg) {
        case WM_NCCREATE: {
            GridState* made = (GridState*)calloc(1, sizeof *made);
            if (made == NULL) return FALSE;
            made->day = 1;
            SetWindowLongPtrA(grid, 0, (LONG_PTR)made);
            break;
        }
        case WM_NCDESTROY:
            if (s->smallFont) DeleteObject(s->smallFont);
            free(s);
            SetWindowLongPtrA(grid, 0, 0);
            break;
        case WM_SETFONT: setFonts(s, (HFONT)wParam); return 0;
        case WM_GETFONT: return (LRESULT)s->font;
        case WM_GETDLGCODE:
            // The arrows and Enter move and open cells; Tab and Escape stay the dialog's.
            if (lParam && ((MSG*)lParam)->message == WM_KEYDOWN && ((MSG*)lParam)->wParam == VK_RETURN)
                return DLGC_WANTALLKEYS;
            return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (onKey(grid, s, wParam)) return 0;
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == '\n') return 0;
            break;
        case WM_LBUTTONDOWN: onClick(grid, s, lParam); return 0;
        case WM_LBUTTONDBLCLK:
            SendMessageA(GetParent(grid), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(grid), GRIDN_ENTER), (LPARAM)grid);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(grid, NULL, FALSE); break;
        case WM_PAINT: onPaint(grid, s); return 0;
        case WM_ERASEBKGND: return 1;
        case TGM_SETVIEW:
            s->view = (const TimetableGridView*)lParam;
            InvalidateRect(grid, NULL, FALSE);
            return 0;
        case TGM_SETSEL: select(grid, s, (int)wParam, (int)lParam, 0); return 0;
        case TGM_GETSEL: return MAKELONG(s->day, s->period);
        default: break;
    }
    return DefWindowProcA(grid, msg, wParam, lParam);
}

int registerTimetableGrid(HINSTANCE instance) {
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, TIMETABLE_GRID_CLASS, &wc)) return 0;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = gridProc;
    wc.cbWndExtra = sizeof(GridState*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.lpszClassName = TIMETABLE_GRID_CLASS;
    return RegisterClassA(&wc) ? 0 : 1;
}
