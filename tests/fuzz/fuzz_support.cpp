// The shared fuzz harness state: a data folder in /dev/shm reused by every run of a process
// and emptied before each run, with the global state reset as the native test fixture does.
#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/diary_state.h"
#include "diary/search.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "store/kept_files.h"
#include "store/text_file.h"
#include "support/platform_recorder.h"
#include "support/recording_frontend.h"

namespace fs = std::filesystem;

static std::string basePath;

static void removeBase() {
    std::error_code ec;
    if (!basePath.empty()) fs::remove_all(basePath, ec);
}

void fuzzInit() {
    if (!basePath.empty()) return;
    basePath = "/dev/shm/wkbfuzz_" + std::to_string(getpid());
    std::error_code ec;
    fs::create_directories(basePath + "/wkb_db", ec);
    atexit(removeBase);
    // Thursday 15 January 2026, noon: the day the unit tests start on.
    struct tm t = {};
    t.tm_year = 126;
    t.tm_mon = 0;
    t.tm_mday = 15;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    platformSetNow(mktime(&t));
    platformRecordBeeps(1);
    platformRecordLaunches(1);
}

const std::string& fuzzBase() { return basePath; }

void fuzzReset(int withFolder) {
    closeSearchFile();
    resetDiaryState();
    resetFrontLog();
    faultReset();
    holdWrites(0);
    copyText(baseFolder, sizeof baseFolder, basePath.c_str());
    filePath[0] = '\0';
    std::error_code ec;
    std::string data = basePath + "/wkb_db";
    fs::remove_all(data, ec);
    if (withFolder) fs::create_directory(data, ec);
    forgetKeptFiles();
}

void fuzzWriteData(const char* name, const std::string& bytes) {
    std::string path = basePath + "/wkb_db/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (f == NULL) return;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    forgetKeptFiles();
}

std::string fuzzReadData(const char* name) {
    std::ifstream in(basePath + "/wkb_db/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void fuzzArmFault(unsigned char b) {
    if (b == 0) return;
    faultArm((FaultOp)((b - 1) % FAULT_OP_COUNT), 1 + (b - 1) / FAULT_OP_COUNT % 4);
}

std::vector<std::string> fuzzSplit(const unsigned char* data, size_t size, size_t count) {
    std::string text((const char*)data, size);
    std::string mark = FUZZ_PART_MARK;
    std::vector<std::string> parts;
    size_t start = 0;
    while (parts.size() + 1 < count) {
        size_t at = text.find(mark, start);
        if (at == std::string::npos) break;
        parts.push_back(text.substr(start, at - start + 1));  // the part keeps its line break
        start = at + mark.size();
    }
    parts.push_back(start <= text.size() ? text.substr(start) : "");
    while (parts.size() < count) parts.push_back("");
    return parts;
}

std::string fuzzTakeLine(std::string& text, size_t max) {
    size_t end = text.find('\n');
    std::string line = text.substr(0, end);
    text = end == std::string::npos ? "" : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > max) line.resize(max);
    return line;
}

void fuzzCheck(bool ok, const char* what) {
    if (ok) return;
    fprintf(stderr, "fuzz property broken: %s\n", what);
    abort();
}
