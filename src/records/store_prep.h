// Store preparation at start: creates a new store, upgrades another version, or leaves a
// current one alone, and gives the status 0..4 kept in storeStatus.
#pragma once

#define STORE_OK 0
#define STORE_CREATED 1
#define STORE_FAILED 2
#define STORE_UPGRADED 3
// The settings file is there but could not be read, even after waiting a little: nothing was
// prepared, and the session writes nothing.
#define STORE_UNREADABLE 4

// How long start-up waits for a settings file that another program holds open (a backup or
// sync client), trying again every SETTINGS_RETRY_STEP_MS.
#define SETTINGS_RETRY_MS 1500
#define SETTINGS_RETRY_STEP_MS 100

extern int versionMajor;

// The major number of a version text ("wkb_v2.5.0" gives 2), read from its first 23
// characters; 0 when it has none.
int versionMajorOf(const char* text);
// Reads the "version" setting into versionMajor (0 when there is none).
void readVersionMajor();
// Prepares the store; returns the status. Tables that are about to be emptied are first
// kept as "<table>.bak" (or the first free "<table>.bakN").
int prepareStore();
// What the start-up message adds after the data folder: the names of the copies kept of
// emptied tables, or that a settings file without a version cost nothing. "" when nothing.
const char* storePreparationNote();
