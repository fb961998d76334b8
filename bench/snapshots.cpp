// The daily snapshot's cost at start-up on the full store: the first start of a day, when
// yesterday's snapshot differs only in its last note (every byte is compared, then everything
// is copied), and every later start of the same day, which must cost nothing noticeable.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "bench.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "store/snapshots.h"

static std::string snapshotsFolder() { return std::string(dataFilePath(SNAPSHOTS_FOLDER)); }

// Yesterday's snapshot, with the last byte of its notes table changed.
static void makeYesterdaysSnapshot() {
    time_t today = platformNow();
    platformSetNow(today - 24 * 3600);
    char yesterday[16];
    snapshotToday(yesterday, sizeof yesterday);
    takeDailySnapshot();
    platformSetNow(today);
    std::string notes = snapshotsFolder() + "/" + yesterday + "/wkb_txt.data";
    FILE* f = fopen(notes.c_str(), "r+b");
    if (f == NULL) return;
    fseek(f, -3, SEEK_END);
    int c = fgetc(f);
    fseek(f, -3, SEEK_END);
    fputc(c == 'x' ? 'y' : 'x', f);
    fclose(f);
}

static void dailyFirstStart(benchmark::State& state) {
    char today[16];
    snapshotToday(today, sizeof today);
    std::error_code ec;
    benchTakeFlushNanos();
    long long flush = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(snapshotsFolder() + "/" + today, ec);
        std::filesystem::remove(snapshotsFolder() + "/.last-daily", ec);
        benchTakeFlushNanos();
        state.ResumeTiming();
        if (takeDailySnapshot() != 0) state.SkipWithError("the snapshot failed");
        flush += benchTakeFlushNanos();
    }
    state.counters["flush_us"] = benchmark::Counter((double)flush / 1e3, benchmark::Counter::kAvgIterations);
}

static void dailyLaterStart(benchmark::State& state) {
    takeDailySnapshot();
    for (auto _ : state) takeDailySnapshot();
}

void registerSnapshotBenchmarks() {
    makeYesterdaysSnapshot();
    benchmark::RegisterBenchmark("op_daily_snapshot_first_start", dailyFirstStart)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("op_daily_snapshot_later_start", dailyLaterStart)->UseRealTime()->Unit(benchmark::kMicrosecond);
}
