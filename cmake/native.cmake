# Native build: core library + unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

set(WKB_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

file(GLOB WKB_POSIX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/posix*.cpp)
add_library(wkbcore STATIC ${WKB_CORE_SOURCES} ${WKB_POSIX_SOURCES})
target_include_directories(wkbcore PUBLIC ${WKB_INCLUDES})
target_compile_definitions(wkbcore PUBLIC WKB_TEST_HOOKS=1)
target_compile_options(wkbcore PUBLIC ${WKB_SANITIZE})
target_link_options(wkbcore PUBLIC ${WKB_SANITIZE})

file(GLOB_RECURSE WKB_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
list(FILTER WKB_NATIVE_TESTS EXCLUDE REGEX "/win32/|/tests/e2e/|/tests/fuzz/|/tests/crash/|/tests/dist/")
add_executable(wkb_tests ${WKB_NATIVE_TESTS})
target_include_directories(wkb_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(wkb_tests PRIVATE WKB_GOLDEN_DIR="${CMAKE_SOURCE_DIR}/tests/golden")
target_link_libraries(wkb_tests PRIVATE wkbcore GTest::gtest GTest::gtest_main Threads::Threads)
# The tests that kill a child at each step of a save take half the time, mostly waiting on their
# children: they run as a CTest test of their own, beside the others (ctest -j2). The two filters
# are each other's complement, so every test runs, once.
set(WKB_KILL_TESTS "CrashKillTest.*")
add_test(NAME native_unit_tests COMMAND wkb_tests --gtest_brief=1 --gtest_filter=-${WKB_KILL_TESTS})
add_test(NAME native_kill_tests COMMAND wkb_tests --gtest_brief=1 --gtest_filter=${WKB_KILL_TESTS})
set_tests_properties(native_unit_tests native_kill_tests PROPERTIES ENVIRONMENT
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1;WKB_ARTEFACTS=${CMAKE_BINARY_DIR}/artefacts")

# Screenshots of the exported pages in headless Chromium (artefacts/pages/*.png).
add_test(NAME native_page_screenshots COMMAND ${CMAKE_SOURCE_DIR}/scripts/render-pages ${CMAKE_BINARY_DIR})
set_tests_properties(native_page_screenshots PROPERTIES DEPENDS native_unit_tests TIMEOUT 600
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;WKB_ARTEFACTS=${CMAKE_BINARY_DIR}/artefacts")

# --- Hardening: the program that the crash test kills while it saves ----------------------
add_executable(wkb_crash_child ${CMAKE_SOURCE_DIR}/tests/crash/crash_child.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/recording_frontend.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/print_surface_recorder.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/fault_injection.cpp)
target_include_directories(wkb_crash_child PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(wkb_crash_child PRIVATE wkbcore)
add_dependencies(wkb_tests wkb_crash_child)
target_compile_definitions(wkb_tests PRIVATE WKB_CRASH_CHILD="$<TARGET_FILE:wkb_crash_child>")
# --- end of the hardening block -------------------------------------------------------------

# Includes run one way, from the ground up (the layer order is listed in the script).
add_test(NAME layer_check COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-layers ${CMAKE_SOURCE_DIR})

# The calendar file read back by an independent iCalendar reader (the system's Python).
add_test(NAME native_calendar_reader COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-calendar ${CMAKE_BINARY_DIR})
set_tests_properties(native_calendar_reader PROPERTIES DEPENDS native_unit_tests TIMEOUT 300
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;WKB_ARTEFACTS=${CMAKE_BINARY_DIR}/artefacts")
