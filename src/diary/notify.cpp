// notify, shortBeep and the about and version boxes.
#include "diary/notify.h"

#include <cstdio>

#include "core/build_config.h"
#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/actions.h"
#include "platform/platform.h"
#include "records/store_version.h"

void shortBeep() { platformBeep(400, 100); }

int notify(const char* text, int kind) {
    if (diaryState.beepOn) {
        shortBeep();
        // An error sounds three beeps in all before its box.
        if (kind == NOTIFY_ERROR) {
            shortBeep();
            shortBeep();
        }
    }
    switch (kind) {
        case NOTIFY_INFO: frontMessageBox(text, "Info", FRONT_ICON_INFORMATION); break;
        case NOTIFY_ERROR: frontMessageBox(text, "Stop", FRONT_ICON_ERROR); break;
        case NOTIFY_QUESTION: return confirmAction(text);
        case NOTIFY_INPUT:
            if (frontOpenInputDialog(text) != 0) {
                printf("Dlg failed\n");
                fflush(stdout);
                return 1;
            }
            break;
        case NOTIFY_INTRO: frontMessageBox(text, "Intro", FRONT_ICON_INFORMATION); break;
        default: break;
    }
    return 0;
}

const char* aboutText() {
    return "WinWkb, the school diary, version " CURRENT_VERSION "\n"
           WKB_COPYRIGHT "\n" WKB_WEB_ADDRESS;
}

void showAbout() { notify(aboutText(), NOTIFY_INTRO); }

void showVersion() {
    char text[64];
    snprintf(text, sizeof text, " Version: %s \n", CURRENT_VERSION);
    notify(text, NOTIFY_INTRO);
}
