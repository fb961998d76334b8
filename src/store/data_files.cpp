// What the list of data files says to the user.
#include "store/data_files.h"

#include <cctype>

#include "platform/bounded_text.h"

void describeSnapshotFiles(char* out, int size) {
    copyText(out, (size_t)size, "");
    int shown = 0;
    for (const DataFile& f : dataFiles) {
        if (!f.snapshot || f.what == nullptr) continue;
        if (shown > 0) appendText(out, (size_t)size, shown + 1 == SNAPSHOT_FILE_COUNT ? " and " : ", ");
        appendText(out, (size_t)size, f.what);
        shown++;
    }
    if (out[0] != '\0') out[0] = (char)toupper((unsigned char)out[0]);
}
