// Store preparation at start: creates a new store, upgrades another version, or leaves a
// current one alone, and gives the status 0..3 kept in storeStatus.
#pragma once

#define STORE_OK 0
#define STORE_CREATED 1
#define STORE_FAILED 2
#define STORE_UPGRADED 3

extern int versionMajor;

// Reads the "version" setting into versionMajor (0 when there is none).
void readVersionMajor();
// Prepares the store; returns the status. Tables that are about to be emptied are first
// kept as "<table>.bak" (or the first free "<table>.bakN").
int prepareStore();
