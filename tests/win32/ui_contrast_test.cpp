// High contrast (stood in for, since Wine will not switch it on): the status bar keeps the
// system's colours and the week colour shows as its toolbar button held down; with the theme
// off again the bar takes the week colour and no button is held.
#include <windows.h>
#include <commctrl.h>

#include "core/diary_state.h"
#include "diary/status_line.h"
#include "records/week_colours.h"
#include "ui/win32/contrast.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

class UiContrast : public UiTest {
protected:
    void TearDown() override {
        setHighContrastForTests(-1);
        UiTest::TearDown();
    }
    // The bar's background as it was, read back by setting it again.
    static COLORREF barColour() {
        COLORREF c = (COLORREF)SendMessageA(mainUi.status, SB_SETBKCOLOR, 0, (LPARAM)CLR_DEFAULT);
        SendMessageA(mainUi.status, SB_SETBKCOLOR, 0, (LPARAM)c);
        return c;
    }
    static int held(int colour) {
        return (int)SendMessageA(mainUi.toolbar, TB_ISBUTTONCHECKED, CMD_TB_COLOUR0 + colour, 0) != 0;
    }
};

TEST_F(UiContrast, TheWeekColourIsAHeldButtonInHighContrastAndAFillOtherwise) {
    open();
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n16=2\n");
    setHighContrastForTests(1);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(barColour(), CLR_DEFAULT);
    for (int c = 0; c <= 4; c++) EXPECT_EQ(held(c), c == 2) << c;
    setHighContrastForTests(0);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(barColour(), (COLORREF)statusColour(2));
    for (int c = 0; c <= 4; c++) EXPECT_EQ(held(c), 0) << c;
}

// The window in high contrast, saved among the artefacts as contrast.bmp for a person to look at.
TEST_F(UiContrast, APictureOfTheWindowInHighContrast) {
    open();
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n16=2\n");
    setHighContrastForTests(1);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    windowPicture(window, "contrast.bmp");
}
