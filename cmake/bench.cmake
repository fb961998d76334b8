# Benchmark build: the core, optimised and without sanitizers, and the benchmarks of bench/.
