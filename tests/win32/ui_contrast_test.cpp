// High contrast (stood in for, since Wine will not switch it on): the status bar keeps the
// system's colours and the week colour shows as its toolbar button held down; with the theme
// off again the bar takes the week colour and no button is held.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

// With WKB_SHOTS set to a folder, the window in high contrast is saved there as
// contrast.bmp, for a person to look at (the screen's pixels under the window).
TEST_F(UiContrast, APictureOfTheWindowInHighContrastWhenAsked) {
    const char* folder = getenv("WKB_SHOTS");
    if (folder == nullptr) GTEST_SKIP() << "WKB_SHOTS not set";
    open();
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n16=2\n");
    setHighContrastForTests(1);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpMessages();
    Sleep(300);
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(NULL), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {sizeof info, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> pixels((size_t)((w * 3 + 3) & ~3) * h);
    GetDIBits(memory, bitmap, 0, h, pixels.data(), (BITMAPINFO*)&info, DIB_RGB_COLORS);
    BITMAPFILEHEADER file = {0x4D42, (DWORD)(sizeof file + sizeof info + pixels.size()), 0, 0,
                             (DWORD)(sizeof file + sizeof info)};
    std::string path = std::string(folder) + "\\contrast.bmp";
    FILE* out = fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info, sizeof info, 1, out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    fclose(out);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
}
