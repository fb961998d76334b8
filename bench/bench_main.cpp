// The benchmark program: builds the full store, starts the diary on it as the program does,
// and runs the baselines and the operations (Google Benchmark flags apply). With --memory it
// instead runs every command once and prints the peak resident memory.
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "app/startup.h"
#include "bench.h"
#include "diary/search.h"
#include "full_store.h"
#include "platform/platform.h"
#include "support/platform_recorder.h"

static int flushToDisk = 1;
static long long flushNanos;

void benchFlushToDisk(int on) { flushToDisk = on; }

long long benchTakeFlushNanos() {
    long long n = flushNanos;
    flushNanos = 0;
    return n;
}

int benchRealFsync(int fd) { return (int)syscall(SYS_fsync, fd); }

// Takes the place of the C library's fsync for the whole program (the diary flushes its new
// files with it), so that a run can leave the disk out and still count the flush's time.
extern "C" int fsync(int fd) {
    if (!flushToDisk) return 0;
    auto start = std::chrono::steady_clock::now();
    int rc = benchRealFsync(fd);
    flushNanos += std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
    return rc;
}

static time_t benchToday() {
    struct tm t = {};
    t.tm_year = BENCH_YEAR - 1900;
    t.tm_mon = BENCH_MONTH - 1;
    t.tm_mday = BENCH_DAY;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return mktime(&t);
}

// Starts the diary on the full store from its base folder, as the program does.
static int startOnFullStore() {
    if (buildFullStore() != 0 || chdir(benchBaseFolder()) != 0) {
        fprintf(stderr, "cannot build the full store\n");
        return 1;
    }
    platformSetNow(benchToday());
    platformRecordLaunches(1);
    platformRecordBeeps(1);
    startUp();
    return 0;
}

static int memoryRun() {
    if (startOnFullStore() != 0) return 1;
    runEveryCommandOnce();
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    printf("peak_rss_kb %ld\n", usage.ru_maxrss);
    removeFullStore();
    return 0;
}

int main(int argc, char** argv) {
    if (argc > 1 && strcmp(argv[1], "--memory") == 0) return memoryRun();
    benchmark::Initialize(&argc, argv);
    if (startOnFullStore() != 0) return 1;
    registerBaselines();
    registerOperations();
    registerSnapshotBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    closeSearchFile();
    removeFullStore();
    return 0;
}
