// The keyboard of the main window: shortcuts through the accelerator table, Enter, Escape and
// Tab in the input dialog through the dialog manager, and the period steps.
// Offers loadWindowKeys, translateWindowKeys and stepPeriod.
#include "ui/win32/keyboard.h"

#include <commctrl.h>

#include "diary/notes.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/main_window.h"
#include "ui/win32/window_handles.h"

#define PERIOD_COUNT 10

static HACCEL accelerators;

int loadWindowKeys(HINSTANCE instance) {
    accelerators = LoadAcceleratorsA(instance, "WKBACCEL");
    return accelerators ? 0 : 1;
}

int translateWindowKeys(MSG* msg) {
    // The shortcuts work wherever the focus is, the input dialog included.
    if (accelerators && mainUi.main && TranslateAcceleratorW(mainUi.main, accelerators, msg)) return 1;
    HWND dialog = inputDialogWindow();
    return dialog && IsDialogMessageW(dialog, msg);
}

void stepPeriod(int delta) {
    if (mainUi.periodTabs == NULL || !keepTypedNote()) return;
    int current = (int)SendMessageA(mainUi.periodTabs, TCM_GETCURSEL, 0, 0);
    int next = ((current + delta) % PERIOD_COUNT + PERIOD_COUNT) % PERIOD_COUNT;
    SendMessageA(mainUi.periodTabs, TCM_SETCURSEL, (WPARAM)next, 0);
    MainWnd_OnTabChange();
}
