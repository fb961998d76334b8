// The data folder "wkb_db" under the base folder, and the paths of the files in it.
// Offers determineBaseFolder, dataFilePath and dataFileMissing, and the shared filePath.
#pragma once

#include "store/data_files.h"

#ifdef _WIN32
#define WKB_FALLBACK_BASE "c:\\wkb"
#else
#define WKB_FALLBACK_BASE "/tmp/wkb"
#endif

// Every path in the data folder fits in this many characters (the Windows limit); the longest
// name the store gives a file there is DATA_NAME_MAX of data_files.h.
#define DATA_PATH_MAX 259

// The file in the data folder that a running copy of the diary holds locked (see
// platformClaimDataFolder). It holds nothing.
#define LOCK_FILE "wkb.lock"

extern char baseFolder[260];
// The full path most recently built by dataFilePath; "" when that path did not fit.
extern char filePath[260];

// Chooses baseFolder once at start-up: the current directory, or the per-user data folder
// when the program runs from under C:\Program Files or the user's own programs folder (where no
// store is kept yet), or from a folder whose path is too long
// for every file of the store and its snapshots (a store already there stays), or
// WKB_FALLBACK_BASE.
void determineBaseFolder();
// 1 when every path the store uses under base fits in DATA_PATH_MAX characters.
int baseFolderFits(const char* base);
// What the start-up message says after the data folder when it is not where the diary was
// started for a reason the user can mend (a path too long); "" otherwise.
const char* baseFolderNote();
// filePath = baseFolder + separator + "wkb_db" + separator + name; returns filePath.
// A path of 260 characters or more does not fit: filePath becomes "" and every open fails.
char* dataFilePath(const char* name);
// 1 when nothing exists at filePath, 0 when a file or folder does.
int dataFileMissing();
