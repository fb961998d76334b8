// The toolbar: one static table of the ten buttons (image, command id, tooltip) and one of
// the ten images (bitmap resource, line written when it cannot be added).
// Tooltip texts are Windows-1252 in the program (the build's execution character set).
#include "ui/win32/toolbar.h"

#include <commctrl.h>

#include <cstdio>

#include "ui/win32/dpi.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"

struct ToolbarImage {
    int bitmap;
    const char* failureLine;
};

// Image list order; the failure lines repeat after image 5, as users' logs have always shown.
static const ToolbarImage toolbarImages[] = {
    {IDB_ARROW_LEFT, "No bitmap0"}, {IDB_ARROW_RIGHT, "No bitmap1"}, {IDB_DOOR, "No bitmap2"},
    {IDB_SEARCH, "No bitmap3"},     {IDB_SAVE, "No bitmap4"},        {IDB_WHITE, "No bitmap5"},
    {IDB_YELLOW, "No bitmap1"},     {IDB_GREEN, "No bitmap2"},       {IDB_RED, "No bitmap3"},
    {IDB_BLUE, "No bitmap4"},
};

struct ToolbarButton {
    int image;
    int command;
    const char* tooltip;
};

// Left to right.
static const ToolbarButton toolbarButtons[] = {
    {0, CMD_TB_PREVIOUS, "Semaine précédente"},
    {1, CMD_TB_NEXT, "Semaine suivante"},
    {3, CMD_TB_SEARCH, "Recherche"},
    {4, CMD_TB_SAVE, "Sauvegarder"},
    {5, CMD_TB_COLOUR0, NULL},
    {6, CMD_TB_COLOUR0 + 1, NULL},
    {7, CMD_TB_COLOUR0 + 2, NULL},
    {8, CMD_TB_COLOUR0 + 3, NULL},
    {9, CMD_TB_COLOUR4, NULL},
    {2, CMD_TB_QUIT, "Quitter"},
};

#define BUTTON_COUNT (sizeof toolbarButtons / sizeof toolbarButtons[0])

static void diagnostic(const char* line) {
    printf("%s\n", line);
    fflush(stdout);
}

void loadToolbarImages() {
    // Sharp pictures on a large screen: the 48- or 64-pixel set instead of scaling 32 up.
    int size = toolbarImageSize(mainUi.dpi);
    int step = size == 64 ? 2 * IDB_SIZE_STEP : size == 48 ? IDB_SIZE_STEP : 0;
    mainUi.images = ImageList_Create(size, size, ILC_COLOR16, 10, 10);
    if (mainUi.images == NULL) diagnostic("NO Image list...");
    for (const ToolbarImage& image : toolbarImages) {
        HBITMAP bitmap = LoadBitmapA(mainUi.instance, MAKEINTRESOURCEA(image.bitmap + step));
        int added = mainUi.images ? ImageList_Add(mainUi.images, bitmap, NULL) : -1;
        if (added < 0) diagnostic(image.failureLine);
        // The image list keeps its own copy.
        if (bitmap) DeleteObject(bitmap);
    }
}

void createToolbar(HWND owner) {
    HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, NULL, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, 0, 0, 0, 0,
                               owner, (HMENU)(INT_PTR)IDC_TOOLBAR, mainUi.instance, NULL);
    mainUi.toolbar = bar;
    if (bar == NULL) win32MessageBox(owner, "Could not create tool bar.", "Error", MB_ICONERROR);
    TBBUTTON buttons[BUTTON_COUNT] = {};
    for (size_t i = 0; i < BUTTON_COUNT; i++) {
        buttons[i].iBitmap = toolbarButtons[i].image;
        buttons[i].idCommand = toolbarButtons[i].command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = TBSTYLE_BUTTON;
    }
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETIMAGELIST, 0, (LPARAM)mainUi.images);
    SendMessageA(bar, TB_ADDBUTTONS, BUTTON_COUNT, (LPARAM)buttons);
    setToolbarButtonSize();
}

void setToolbarButtonSize() {
    // 34 x 34 at 96 DPI: the picture and a pixel of room on each side.
    int button = scaled(34);
    int least = toolbarImageSize(mainUi.dpi) + 2;
    if (button < least) button = least;
    SendMessageA(mainUi.toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(button, button));
    SendMessageA(mainUi.toolbar, TB_AUTOSIZE, 0, 0);
}

void reloadToolbarImages() {
    HIMAGELIST old = mainUi.images;
    loadToolbarImages();
    SendMessageA(mainUi.toolbar, TB_SETIMAGELIST, 0, (LPARAM)mainUi.images);
    if (old) ImageList_Destroy(old);
    setToolbarButtonSize();
}

const char* toolbarTooltip(int commandId) {
    for (const ToolbarButton& button : toolbarButtons)
        if (button.command == commandId) return button.tooltip;
    return NULL;
}
