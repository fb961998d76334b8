// What the benchmark files share: the flush switch, the worst-case selection and the
// registration of the benchmarks (baselines.cpp, operations.cpp).
#pragma once
#include <benchmark/benchmark.h>

// Whether the saves' flush really reaches the disk (1, the product's behaviour) or returns at
// once (0); the time spent flushing is counted either way.
void benchFlushToDisk(int on);
// Nanoseconds spent in flushes to disk since the last call; resets the count.
long long benchTakeFlushNanos();
// The system's own fsync, whatever the switch says.
int benchRealFsync(int fd);

// Selects today's week, Saturday, Period 10: the notes table's last record.
void selectWorstSlot();

void registerBaselines();
void registerOperations();
void registerSnapshotBenchmarks();
// Runs every command once (the memory run).
void runEveryCommandOnce();
