// printWeekGrid: one whole print of the selected week's grid. It makes the brushes, opens
// the log, lets the build's printer choice open a device, lays the page out on it and
// releases everything again on every way out.
#include "output/print_grid.h"

#include "core/diary_state.h"

struct Rgb {
    int red, green, blue;
};

// The printout's own tints for week colours 0..4; other colours (a hand-edited week colours
// file) print like a plain week.
static Rgb weekTint(int colour) {
    static const Rgb tints[5] = {
        {255, 255, 255}, {255, 255, 150}, {200, 255, 200}, {255, 200, 200}, {200, 200, 255}};
    if (colour < 0 || colour > 4) return tints[0];
    return tints[colour];
}

int printWeekGrid() {
    Rgb tint = weekTint(diaryState.weekColour);
    PrintObject weekBrush = printCreateBrush(tint.red, tint.green, tint.blue);
    PrintObject greyBrush = printCreateBrush(200, 200, 200);
    printLogOpen();
    printLog("                      LAYOUTER v0.3\n");
    if (printOpenDevice() == 0) printLayoutPage(weekBrush, greyBrush);
    printLogClose();
    printDelete(weekBrush);
    printDelete(greyBrush);
    return 0;
}
