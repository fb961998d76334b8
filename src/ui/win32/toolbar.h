// The toolbar: its ten buttons with their images and tooltips in one table, the image list
// loaded from bitmaps 601 to 610, and the tooltip lookup by command id.
#pragma once
#include <windows.h>

// Creates the image list (mainUi.images) in image order; a missing image writes its line.
void loadToolbarImages();
// Creates the toolbar on the main window and adds the ten buttons (mainUi.toolbar).
void createToolbar(HWND owner);
// The buttons' size for the window's DPI (34 x 34 at 96 DPI), then the bar's own size.
void setToolbarButtonSize();
// After a change of DPI: the pictures of the new size in a new image list.
void reloadToolbarImages();
// The tooltip text of a button's command id, NULL for a button without one.
const char* toolbarTooltip(int commandId);
