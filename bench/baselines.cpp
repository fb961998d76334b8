// Baselines measured on the store's own files: reading a table into memory once, finding a
// missing keyword in it with memmem, and copying it to a new file (with and without a flush).
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "bench.h"
#include "full_store.h"

static char contents[4 << 20];

static void dataPath(char* out, size_t size, const char* name) {
    snprintf(out, size, "%s/wkb_db/%s", benchBaseFolder(), name);
}

// Reads the whole file into contents; returns its length.
static size_t readWhole(const char* name) {
    char path[512];
    dataPath(path, sizeof path, name);
    FILE* f = fopen(path, "rb");
    if (f == NULL) return 0;
    size_t n = fread(contents, 1, sizeof contents, f);
    fclose(f);
    return n;
}

static void copyTable(const char* name, int sync) {
    char from[512], to[512];
    dataPath(from, sizeof from, name);
    dataPath(to, sizeof to, "baseline.copy");
    unlink(to);  // a new file each time, not one rewritten in place
    FILE* in = fopen(from, "rb");
    FILE* out = fopen(to, "wb");
    if (in != NULL && out != NULL) {
        static char buf[64 << 10];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, in)) > 0) fwrite(buf, 1, n, out);
        fflush(out);
        if (sync) benchRealFsync(fileno(out));
    }
    if (in != NULL) fclose(in);
    if (out != NULL) fclose(out);
}

static void baseRead(benchmark::State& state, const char* name, int search) {
    size_t length = 0;
    for (auto _ : state) {
        length = readWhole(name);
        if (search) benchmark::DoNotOptimize(memmem(contents, length, MISSING_KEYWORD, strlen(MISSING_KEYWORD)));
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = (double)length;
}

static void baseCopy(benchmark::State& state, const char* name, int sync) {
    for (auto _ : state) copyTable(name, sync);
}

void registerBaselines() {
    benchmark::RegisterBenchmark("base_read_notes", baseRead, "wkb_txt.data", 0)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("base_read_memmem_notes", baseRead, "wkb_txt.data", 1)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("base_read_memmem_timetable", baseRead, "wkb_hd.data", 1)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("base_copy_notes", baseCopy, "wkb_txt.data", 0)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("base_copy_sync_notes", baseCopy, "wkb_txt.data", 1)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("base_copy_timetable", baseCopy, "wkb_hd.data", 0)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("base_copy_sync_timetable", baseCopy, "wkb_hd.data", 1)->UseRealTime()->Unit(benchmark::kMicrosecond);
}
