# Fuzz build: libFuzzer targets (clang, -fsanitize=fuzzer,address,undefined) over the readers of
# stored files and the converters. One executable per tests/fuzz/fuzz_<target>.cpp, and one
# short CTest run per target over a copy of its seed corpus and its regressions.
set(WKB_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

file(GLOB WKB_POSIX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/posix*.cpp)
add_library(wkbfuzzcore STATIC ${WKB_CORE_SOURCES} ${WKB_POSIX_SOURCES}
  ${CMAKE_SOURCE_DIR}/tests/support/recording_frontend.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/print_surface_recorder.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/platform_recorder.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/fault_injection.cpp
  ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_support.cpp)
target_include_directories(wkbfuzzcore PUBLIC ${WKB_INCLUDES} ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(wkbfuzzcore PUBLIC WKB_TEST_HOOKS=1)
target_compile_options(wkbfuzzcore PUBLIC -fsanitize=fuzzer-no-link ${WKB_FUZZ_FLAGS})

set(WKB_FUZZ_SECONDS 4 CACHE STRING "seconds of each target's short run under CTest")
file(GLOB WKB_FUZZ_MAINS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
list(FILTER WKB_FUZZ_MAINS EXCLUDE REGEX "/fuzz_support\\.cpp$")
foreach(main ${WKB_FUZZ_MAINS})
  get_filename_component(name ${main} NAME_WE)
  string(REGEX REPLACE "^fuzz_" "" target ${name})
  add_executable(${name} ${main})
  target_link_libraries(${name} PRIVATE wkbfuzzcore)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer ${WKB_FUZZ_FLAGS})
  add_test(NAME fuzz_${target}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/fuzz/run-short $<TARGET_FILE:${name}> ${target}
            ${CMAKE_SOURCE_DIR}/tests/fuzz ${CMAKE_BINARY_DIR}/short ${WKB_FUZZ_SECONDS})
  set_tests_properties(fuzz_${target} PROPERTIES TIMEOUT 60)
endforeach()
