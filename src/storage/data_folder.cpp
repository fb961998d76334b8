// The base folder, chosen once at start-up, and the paths of the data folder's files.
#include "storage/data_folder.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"

char baseFolder[260];
char filePath[260];

// The current directory is read with room for 254 characters, as the settings expect.
#define CURRENT_DIR_SIZE 255

void determineBaseFolder() {
    baseFolder[0] = '\0';
    char scratch[CURRENT_DIR_SIZE];
    int n = platformCurrentDirectory(scratch, sizeof scratch);
    if (n > 0) {
        for (int i = 0; i < n; i++) scratch[i] = (char)toupper((unsigned char)scratch[i]);
        if (strstr(scratch, "C:\\PROGRAM FILES") == NULL) {
            platformCurrentDirectory(baseFolder, CURRENT_DIR_SIZE);
            return;
        }
    }
    // Under the programs folder (or with a current directory too long to use), the data
    // belongs in the user's own application data.
    if (platformUserDataFolder(baseFolder, sizeof baseFolder) != 0 || baseFolder[0] == '\0')
        copyText(baseFolder, sizeof baseFolder, WKB_FALLBACK_BASE);
}

char* dataFilePath(const char* name) {
    int n = snprintf(filePath, sizeof filePath, "%s" WKB_SEP "wkb_db" WKB_SEP "%s", baseFolder, name);
    // A cut path would name another file: leave none, so that every open fails cleanly.
    if (n < 0 || n >= (int)sizeof filePath) filePath[0] = '\0';
    return filePath;
}

int dataFileMissing() {
    if (filePath[0] == '\0') return 1;
    return platformExists(filePath) ? 0 : 1;
}
