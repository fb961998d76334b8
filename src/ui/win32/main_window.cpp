// The main window: its class, its creation with the saved title, the window procedure (a
// short list of messages, each handed to a function), tab changes, tooltips and the loop.
#include "ui/win32/main_window.h"

#include <commctrl.h>

#include <cstdio>

#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/notes.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "records/settings.h"
#include "ui/win32/agenda_window.h"
#include "ui/win32/commands.h"
#include "ui/win32/dpi.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/keyboard.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/toolbar.h"
#include "ui/win32/window_handles.h"

#define MAIN_CLASS "winwkb"
// Puts the tab controls back on the selected day and period after a refused tab change.
#define WM_APP_RESELECT_TABS (WM_APP + 1)

MainWindowHandles mainUi;

static LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: return MainWnd_OnCreate(hwnd);
        case WM_SIZE: MainWnd_OnSize(hwnd); break;
        case WM_NOTIFY:
            // A tab change that would lose a typed note is refused.
            if (MainWnd_OnNotify(hwnd, (NMHDR*)lParam)) return TRUE;
            break;
        case WM_COMMAND:
            runCommand(LOWORD(wParam));
            followTeacherMenu(hwnd);
            showOptionChecks(hwnd);
            break;
        case WM_INITMENUPOPUP: showLessonMarks(hwnd); break;
        case WM_APP_AGENDA_REMINDER: offerAgendaReminder(); return 0;
        case WM_DPICHANGED: MainWnd_OnDpiChanged(hwnd, HIWORD(wParam), (const RECT*)lParam); return 0;
        case WM_GETMINMAXINFO: MainWnd_OnGetMinMaxInfo((MINMAXINFO*)lParam); return 0;
        case WM_APP_RESELECT_TABS:
            SendMessageA(mainUi.dayTabs, TCM_SETCURSEL, (WPARAM)(diaryState.selectedDay - 1), 0);
            SendMessageA(mainUi.periodTabs, TCM_SETCURSEL, (WPARAM)diaryState.selectedPeriod, 0);
            return 0;
        case WM_CLOSE:
            // The close box keeps a typed note first; when it cannot be kept, the window stays
            // (a note too long to keep may be left behind after a question).
            if (!keepTypedNoteForClose()) return 0;
            break;
        case WM_QUERYENDSESSION: return keepTypedNote() ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (wParam) keepTypedNote();
            return 0;
        case WM_ACTIVATE:
            // Not the default, which would leave the focus on the frame after a box or dialog.
            MainWnd_OnActivate(hwnd, LOWORD(wParam));
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            MainWnd_OnColoursChanged(hwnd, msg, wParam, lParam);
            break;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_NCDESTROY: MainWnd_OnNcDestroy(); break;
        default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void initCommonControls() {
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);
}

int registerMainClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_WINWKB));
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszMenuName = MAIN_MENU_NAME;
    wc.lpszClassName = MAIN_CLASS;
    return RegisterClassA(&wc) ? 0 : 1;
}

HWND createMainWindow(HINSTANCE instance, int showCommand) {
    mainUi.instance = instance;
    mainUi.borderWidth = GetSystemMetrics(SM_CXBORDER);
    mainUi.sizeCount = 0;
    mainUi.systemDpi = mainUi.dpi = readSystemDpi();
    loadWindowKeys(instance);
    char title[400];
    composeWindowTitle(title, sizeof title, readSetting("title"));
    HWND hwnd = CreateWindowExA(0, MAIN_CLASS, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                scaled(700), scaled(450), NULL, NULL, instance, NULL);
    mainUi.main = hwnd;
    if (hwnd == NULL) return NULL;
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    return hwnd;
}

int runMainWindow(HINSTANCE instance, int showCommand) {
    initCommonControls();
    if (registerMainClass(instance) != 0) {
        win32MessageBox(NULL, "Base Class problem", "winwkb", MB_ICONERROR);
        return 0;
    }
    // Without a window the loop below would wait for ever on an invisible process.
    if (createMainWindow(instance, showCommand) == NULL) {
        printf("No main window\n");
        fflush(stdout);
        return 0;
    }
    // The Unicode forms carry typed characters whole to the notes editor; the other windows
    // get them in the code page as before.
    MSG msg = {};
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        if (translateWindowKeys(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}

void MainWnd_OnTabChange() {
    diaryState.selectedDay = (int)SendMessageA(mainUi.dayTabs, TCM_GETCURSEL, 0, 0) + 1;
    diaryState.selectedPeriod = (int)SendMessageA(mainUi.periodTabs, TCM_GETCURSEL, 0, 0);
    loadNotes();
    refreshSlotLine();
    refreshStatusLine();
}

LRESULT MainWnd_OnNotify(HWND, NMHDR* header) {
    if (header == NULL) return 0;
    int fromTabs = header->hwndFrom == mainUi.dayTabs || header->hwndFrom == mainUi.periodTabs;
    if (header->code == TCN_SELCHANGING) {
        if (fromTabs && !keepTypedNote()) {
            // A click honours the refusal; a tab key moves the tab anyway in some versions of
            // the control, so the tabs are set back once the key is handled.
            PostMessageA(mainUi.main, WM_APP_RESELECT_TABS, 0, 0);
            return TRUE;
        }
    } else if (header->code == TCN_SELCHANGE) {
        if (header->hwndFrom == mainUi.dayTabs || header->hwndFrom == mainUi.periodTabs) MainWnd_OnTabChange();
    } else if (header->code == TTN_GETDISPINFOA) {
        NMTTDISPINFOA* info = (NMTTDISPINFOA*)header;
        const char* tip = toolbarTooltip((int)info->hdr.idFrom);
        if (tip != NULL) info->lpszText = (LPSTR)tip;
    }
    return 0;
}

// The controls go with the window; what they were drawn with is released here, and the
// handles are cleared so that a late front-end call does nothing.
// The control that had the focus when the window was last left, so that it gets it back.
static HWND focusWhenLeft;

void MainWnd_OnActivate(HWND hwnd, int state) {
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != NULL && IsChild(hwnd, focus)) focusWhenLeft = focus;
        return;
    }
    if (IsIconic(hwnd)) return;
    HWND target = focusWhenLeft;
    if (target == NULL || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
        target = mainUi.notes;
    SetFocus(target);
}

void MainWnd_OnColoursChanged(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The bars repaint from the new system colours only when told; the status line then
    // shows the week colour as the theme allows (see frontSetStatusColour).
    SendMessageA(mainUi.toolbar, msg, wParam, lParam);
    SendMessageA(mainUi.status, msg, wParam, lParam);
    refreshStatusLine();
    InvalidateRect(hwnd, NULL, TRUE);
}

void MainWnd_OnNcDestroy() {
    if (mainUi.slotFont) DeleteObject(mainUi.slotFont);
    if (mainUi.ownUiFont) DeleteObject(mainUi.ownUiFont);
    if (mainUi.notesFont) DeleteObject(mainUi.notesFont);
    if (mainUi.images) ImageList_Destroy(mainUi.images);
    HINSTANCE instance = mainUi.instance;
    int border = mainUi.borderWidth;
    mainUi = MainWindowHandles();
    mainUi.instance = instance;
    mainUi.borderWidth = border;
}
