// Helpers of the hardening tests: a whole folder tree as name -> bytes, a ready current store,
// and a check that every file after a failed write is either its old or its new version.
#pragma once
#include <map>
#include <string>

// Every entry under folder but the lock file of a running copy, by its path relative to folder;
// folders map to "<folder>".
// A missing folder gives an empty snapshot.
using Snapshot = std::map<std::string, std::string>;
Snapshot snapshotTree(const std::string& folder);

// Writes a current store with content in every data file under base (CR LF on disk).
void writeFullStore(const std::string& base);

// Empty when every entry of got is its bytes in before or in after (absent counts as a value);
// otherwise a description of the first entry that is neither.
std::string oldOrNew(const Snapshot& before, const Snapshot& after, const Snapshot& got);

// Empty when every table with content in before is still whole in got, or kept byte for byte
// in one of its "<table>.bak*" copies; else the name of the table that was lost.
std::string tablesKept(const Snapshot& before, const Snapshot& got);
