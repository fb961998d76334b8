// The calendar export command: the file is written by output/ical_export; this tells the user.
#include "diary/calendar_export.h"

#include <cstdio>

#include "diary/notify.h"
#include "output/ical_export.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_folder.h"

void exportCalendarFile() {
    int events = 0;
    CalendarResult result = writeCalendarFile(&events);
    if (result == CALENDAR_NO_TIMES) {
        notify("No period has lesson times yet.\n"
               "Set them with Parametres > Lesson times..., then export again.",
               NOTIFY_ERROR);
        return;
    }
    if (result == CALENDAR_NO_MEMORY) {
        notify("Not enough memory to read the diary: the calendar file was not written.", NOTIFY_ERROR);
        return;
    }
    if (result != CALENDAR_WRITTEN) return;  // the failed write has been told
    char file[sizeof filePath], folder[sizeof filePath], text[sizeof filePath + 300];
    copyText(file, sizeof file, dataFilePath(CALENDAR_FILE));
    copyText(folder, sizeof folder, dataFilePath(""));
    if (events == 0)
        snprintf(text, sizeof text,
                 "The calendar file holds no lesson: no period with lesson times has a course from this week "
                 "to the end of the school year.\n%s",
                 file);
    else
        snprintf(text, sizeof text,
                 "The calendar file holds %d lessons, from this week to the end of the school year:\n%s\n\n"
                 "Import it into your calendar. Importing a newer file again updates the lessons.",
                 events, file);
    notify(text, NOTIFY_INFO);
    // The folder opens as the day list opens Notepad, so the file can be picked up at once.
    platformLaunch("explorer.exe", folder);
}
