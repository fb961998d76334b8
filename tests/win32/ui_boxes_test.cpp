// Real message boxes, shown and closed by a helper thread that finds each box by its title,
// checks its owner, text and default button, and presses a button: what the user sees on screen.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "core/frontend.h"
#include "diary/notify.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiBoxes : public UiTest {};

struct SeenBox {
    std::atomic<bool> found{false};
    HWND owner = NULL;
    LONG_PTR noStyle = 0;  // style of the No button
    std::string text;
};

// Waits up to ten seconds for a dialog-class window titled `title`, then presses `button`.
static std::thread closeBoxLater(const char* title, int button, SeenBox* seen) {
    return std::thread([title, button, seen] {
        for (int i = 0; i < 500; i++) {
            HWND box = FindWindowA("#32770", title);
            // Visible only once its buttons and text are in place.
            if (box && IsWindowVisible(box)) {
                seen->owner = GetWindow(box, GW_OWNER);
                seen->noStyle = GetWindowLongPtrA(GetDlgItem(box, IDNO), GWL_STYLE);
                char text[256] = "";
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                seen->text = text;
                seen->found = true;
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                return;
            }
            Sleep(20);
        }
    });
}

TEST_F(UiBoxes, NotificationsShowRealBoxesWithTheirTitles) {
    open();
    frontShowRealBoxes(1);
    const struct {
        int kind;
        const char* title;
    } kinds[] = {{NOTIFY_INFO, "Info"}, {NOTIFY_ERROR, "Stop"}, {NOTIFY_INTRO, "Intro"}};
    for (const auto& k : kinds) {
        SeenBox seen;
        std::thread closer = closeBoxLater(k.title, IDOK, &seen);
        notify("a message", k.kind);
        closer.join();
        EXPECT_TRUE(seen.found) << k.title;
        EXPECT_EQ(seen.owner, (HWND)NULL) << k.title;
    }
    frontShowRealBoxes(0);
}

TEST_F(UiBoxes, TheQuestionIsOwnedByTheWindowWithNoAsDefault) {
    open();
    frontShowRealBoxes(1);
    SeenBox seen;
    std::thread closer = closeBoxLater("Question", IDYES, &seen);
    int answer = frontAskYesNo("Proceed?");
    closer.join();
    frontShowRealBoxes(0);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(seen.owner, window);
    EXPECT_EQ(seen.noStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(seen.text, "Proceed?");
}
