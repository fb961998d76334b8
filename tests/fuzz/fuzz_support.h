// What every fuzz target shares: one data folder per process under /dev/shm, reset between
// runs the way the test fixture resets its state, and the splitting of an input into parts.
// Offers fuzzInit, fuzzReset, fuzzWriteData, fuzzSplit and fuzzCheck.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Marks the end of one part of an input that holds several (a line of its own).
#define FUZZ_PART_MARK "\n%%%%\n"

// Once per process: makes the base folder and its data folder, fixes the clock, records
// beeps and launches instead of making them.
void fuzzInit();
// The base folder (the data folder is its "wkb_db").
const std::string& fuzzBase();
// Before each run: zeroed DiaryState, empty front-end log, no faults, no open search, and an
// empty data folder (none at all when withFolder is 0).
void fuzzReset(int withFolder = 1);
// Writes the bytes exactly as a file of the data folder.
void fuzzWriteData(const char* name, const std::string& bytes);
// The bytes of a file of the data folder ("" when it is missing).
std::string fuzzReadData(const char* name);
// Makes one file operation fail: 0 none, else operation (b - 1) % 8 at its 1st to 4th call.
void fuzzArmFault(unsigned char b);
// The input cut at each FUZZ_PART_MARK; always `count` parts (missing ones are empty).
std::vector<std::string> fuzzSplit(const unsigned char* data, size_t size, size_t count);
// The first line of text (at most max characters, without its line break); text keeps the rest.
std::string fuzzTakeLine(std::string& text, size_t max);
// A broken property: prints what and aborts, so that libFuzzer keeps the input.
void fuzzCheck(bool ok, const char* what);
