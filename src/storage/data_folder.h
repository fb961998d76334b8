// The data folder "wkb_db" under the base folder, and the paths of the files in it.
// Offers determineBaseFolder, dataFilePath and dataFileMissing, and the shared filePath.
#pragma once

#ifdef _WIN32
#define WKB_FALLBACK_BASE "c:\\wkb"
#else
#define WKB_FALLBACK_BASE "/tmp/wkb"
#endif

extern char baseFolder[260];
// The full path most recently built by dataFilePath; "" when that path did not fit.
extern char filePath[260];

// Chooses baseFolder once at start-up: the current directory, or the per-user data folder
// when the program runs from under C:\Program Files, or WKB_FALLBACK_BASE.
void determineBaseFolder();
// filePath = baseFolder + separator + "wkb_db" + separator + name; returns filePath.
// A path of 260 characters or more does not fit: filePath becomes "" and every open fails.
char* dataFilePath(const char* name);
// 1 when nothing exists at filePath, 0 when a file or folder does.
int dataFileMissing();
