// The start-up message: the about text, a line for the store's status and the data folder.
#include "diary/startup_message.h"

#include "core/diary_state.h"
#include "diary/notify.h"
#include "diary/school_calendar.h"
#include "platform/bounded_text.h"
#include "records/store_prep.h"
#include "store/data_folder.h"

static const char* storeLine(int status) {
    switch (status) {
        case STORE_OK: return "\n WKB database: OK ";
        case STORE_CREATED: return "\n WKB database Init.: OK ";
        case STORE_FAILED: return "\n WKB database Init.: Failed ";
        case STORE_UPGRADED: return "\n WKB Upgrade: OK  ";
        case STORE_UNREADABLE: return "\n WKB database: not readable ";
        default: return "";
    }
}

void composeStartupMessage(char* out, int size) {
    copyText(out, (size_t)size, aboutText());
    appendText(out, (size_t)size, storeLine(diaryState.storeStatus));
    appendText(out, (size_t)size, "\nPath: ");
    appendText(out, (size_t)size, dataFilePath(""));
    appendText(out, (size_t)size, baseFolderNote());
    appendText(out, (size_t)size, storePreparationNote());
    appendText(out, (size_t)size, diaryYearNote());
}
