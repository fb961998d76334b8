# Benchmark build: the core optimised (-O2, no sanitizers) with the recording front end, and
# the benchmark program wkb_bench of bench/ (Google Benchmark). The test hooks are compiled
# in for the clock, so every run measures the same "today"; make bench runs it.
find_package(benchmark REQUIRED)
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")

file(GLOB WKB_POSIX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/posix*.cpp)
add_library(wkbbenchcore STATIC ${WKB_CORE_SOURCES} ${WKB_POSIX_SOURCES}
  ${CMAKE_SOURCE_DIR}/tests/support/recording_frontend.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/print_surface_recorder.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/platform_recorder.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/fault_injection.cpp)
target_include_directories(wkbbenchcore PUBLIC ${WKB_INCLUDES} ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(wkbbenchcore PUBLIC WKB_TEST_HOOKS=1)

file(GLOB WKB_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
add_executable(wkb_bench ${WKB_BENCH_SOURCES})
target_link_libraries(wkb_bench PRIVATE wkbbenchcore benchmark::benchmark)
