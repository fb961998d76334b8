// The keyboard of the main window: shortcuts through the accelerator table, Enter, Escape and
// Tab in the input dialog and the agenda window through the dialog manager, and the period steps.
// Offers loadWindowKeys, translateWindowKeys, stepPeriod and stepDay.
#include "ui/win32/keyboard.h"

#include <commctrl.h>

#include "diary/notes.h"
#include "ui/win32/agenda_window.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/main_window.h"
#include "ui/win32/window_handles.h"

#define PERIOD_COUNT 10
#define DAY_COUNT 6

static HACCEL accelerators;

int loadWindowKeys(HINSTANCE instance) {
    accelerators = LoadAcceleratorsA(instance, "WKBACCEL");
    return accelerators ? 0 : 1;
}

// Whether the Alt key held now has served a shortcut (Alt+Right): its release must not then
// open the menu bar, or the letters typed next would go to the menus. Wine enters the menu
// bar on such a release; Windows does not.
static int altServedShortcut;

static int isAltKey(WPARAM key) { return key == VK_MENU || key == VK_LMENU || key == VK_RMENU; }

// 1 when the message is the release of an Alt that served a shortcut: it is dropped.
static int swallowAltRelease(const MSG* msg) {
    if (msg->message == WM_SYSKEYDOWN && isAltKey(msg->wParam) && !(msg->lParam & (1L << 30)))
        altServedShortcut = 0;  // a new press of Alt
    if ((msg->message == WM_SYSKEYUP || msg->message == WM_KEYUP) && isAltKey(msg->wParam) && altServedShortcut) {
        altServedShortcut = 0;
        return 1;
    }
    return 0;
}

int translateWindowKeys(MSG* msg) {
    if (swallowAltRelease(msg)) return 1;
    // The shortcuts work wherever the focus is, the input dialog included.
    if (accelerators && mainUi.main && TranslateAcceleratorW(mainUi.main, accelerators, msg)) {
        if (msg->message == WM_SYSKEYDOWN) altServedShortcut = 1;
        return 1;
    }
    HWND dialog = inputDialogWindow();
    if (dialog && IsDialogMessageW(dialog, msg)) return 1;
    HWND agenda = agendaWindow();
    return agenda && IsDialogMessageW(agenda, msg);
}

// Moves a tab control on by delta tabs, round its ends, as a click on that tab would.
static void stepTabs(HWND tabs, int count, int delta) {
    if (tabs == NULL || !keepTypedNote()) return;
    int current = (int)SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
    int next = ((current + delta) % count + count) % count;
    SendMessageA(tabs, TCM_SETCURSEL, (WPARAM)next, 0);
    MainWnd_OnTabChange();
}

void stepPeriod(int delta) { stepTabs(mainUi.periodTabs, PERIOD_COUNT, delta); }

void stepDay(int delta) { stepTabs(mainUi.dayTabs, DAY_COUNT, delta); }
