# Fuzz build: libFuzzer targets (clang, -fsanitize=fuzzer,address,undefined) over the readers of
# stored files and the converters. Filled in by the fuzzing work.
