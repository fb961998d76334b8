# Windows build: winwkb.exe (the product) and winwkb_tests.exe (GoogleTest from Debian's source
# package, built with the same MinGW toolchain), both static so that Wine needs no MinGW DLL.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 1252")
set(WKB_STATIC_LINK -static -static-libgcc -static-libstdc++)
set(WKB_WIN_LIBS comctl32 comdlg32 gdi32 user32 shell32 shlwapi advapi32 wsock32 ws2_32 winspool uxtheme)

file(GLOB_RECURSE WKB_WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/*/win32/*.cpp ${CMAKE_SOURCE_DIR}/src/platform/win32*.cpp)
# winwkb.rc includes the other resource files, the id headers, the pictures and the manifest,
# so it alone is compiled; a change in any of them (in any folder below) rebuilds it.
set(WKB_RESOURCES ${CMAKE_SOURCE_DIR}/src/ui/win32/winwkb.rc)
# The manifest carries the version and the maker of the project (its first word, as an id).
string(REGEX REPLACE "[^A-Za-z0-9].*$" "" WKB_PUBLISHER_ID "${WKB_PUBLISHER}")
configure_file(${CMAKE_SOURCE_DIR}/src/ui/win32/winwkb.manifest.in ${CMAKE_BINARY_DIR}/generated/winwkb.manifest @ONLY)
file(GLOB_RECURSE WKB_INCLUDED_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/ui/win32/*.rc
  ${CMAKE_SOURCE_DIR}/src/ui/win32/*.h ${CMAKE_SOURCE_DIR}/src/ui/win32/*.bmp ${CMAKE_SOURCE_DIR}/src/ui/win32/*.ico
  ${CMAKE_SOURCE_DIR}/src/ui/win32/*.manifest.in)
list(APPEND WKB_INCLUDED_RESOURCES ${CMAKE_BINARY_DIR}/generated/winwkb.manifest)
list(REMOVE_ITEM WKB_INCLUDED_RESOURCES ${WKB_RESOURCES})
set_source_files_properties(${WKB_RESOURCES} PROPERTIES OBJECT_DEPENDS "${WKB_INCLUDED_RESOURCES}")
file(GLOB WKB_MAIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/main_*.cpp)

# The program and the test program share one compile of every source and of the resources, but
# those that use fault injection (compiled into the tests only): each program compiles these.
set(WKB_SHARED_SOURCES ${WKB_CORE_SOURCES} ${WKB_WIN32_SOURCES})
set(WKB_HOOKED_SOURCES "")
foreach(source ${WKB_SHARED_SOURCES})
  file(STRINGS ${source} hooks REGEX "WKB_TEST_HOOKS|platform/faults\\.h")
  if(hooks)
    list(APPEND WKB_HOOKED_SOURCES ${source})
  endif()
endforeach()
list(REMOVE_ITEM WKB_SHARED_SOURCES ${WKB_HOOKED_SOURCES})
add_library(wkbwin OBJECT ${WKB_SHARED_SOURCES} ${WKB_RESOURCES})
target_include_directories(wkbwin PRIVATE ${WKB_INCLUDES} ${CMAKE_SOURCE_DIR}/src/ui/win32)
# faults.h refuses to be compiled here, should a source come to use it unseen by the list above.
target_compile_definitions(wkbwin PRIVATE WKB_SHARED_OBJECTS=1 WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600)

add_executable(winwkb WIN32 $<TARGET_OBJECTS:wkbwin> ${WKB_HOOKED_SOURCES} ${WKB_MAIN_SOURCES})
target_include_directories(winwkb PRIVATE ${WKB_INCLUDES} ${CMAKE_SOURCE_DIR}/src/ui/win32)
target_compile_definitions(winwkb PRIVATE WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600)
# No link time in the PE header: two builds of one commit are byte-identical.
target_link_options(winwkb PRIVATE ${WKB_STATIC_LINK} -Wl,--no-insert-timestamp)
target_link_libraries(winwkb PRIVATE ${WKB_WIN_LIBS})

# GoogleTest from /usr/src/googletest, built with this toolchain.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB_RECURSE WKB_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
# The recorders behind the seams: the shared ones and the Windows build's own (support/win32/).
file(GLOB WKB_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/temp_*.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/platform_recorder.cpp ${CMAKE_SOURCE_DIR}/tests/support/fault_injection.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/win32/*.cpp)
add_executable(winwkb_tests $<TARGET_OBJECTS:wkbwin> ${WKB_HOOKED_SOURCES} ${WKB_WIN_TESTS} ${WKB_TEST_SUPPORT})
target_include_directories(winwkb_tests PRIVATE ${WKB_INCLUDES} ${CMAKE_SOURCE_DIR}/src/ui/win32 ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(winwkb_tests PRIVATE WKB_TEST_HOOKS=1 WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600)
target_link_options(winwkb_tests PRIVATE ${WKB_STATIC_LINK})
target_link_libraries(winwkb_tests PRIVATE gtest gtest_main ${WKB_WIN_LIBS} oleacc ole32 oleaut32 uuid)

set(WKB_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run)
add_test(NAME windows_unit_tests COMMAND ${WKB_WINE_RUN} $<TARGET_FILE:winwkb_tests> --gtest_brief=1)
set_tests_properties(windows_unit_tests PROPERTIES ENVIRONMENT "WKB_BUILD_DIR=${CMAKE_BINARY_DIR}" TIMEOUT 900)
# A save on a real full disk under Wine (a tiny tmpfs in a mount namespace; skipped where none).
add_test(NAME windows_full_disk COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/full-disk-run ${CMAKE_BINARY_DIR} $<TARGET_FILE:winwkb_tests>)
set_tests_properties(windows_full_disk PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)

# --- Front end: the end-to-end check -------------------------------------------------------
# The driver is a small console program that uses the running diary through window messages;
# the script runs winwkb.exe under Wine (and Xvfb) in an empty folder and checks its files.
add_executable(wkb_e2e_driver ${CMAKE_SOURCE_DIR}/tests/e2e/wkb_e2e_driver.cpp)
target_compile_definitions(wkb_e2e_driver PRIVATE WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600)
target_link_options(wkb_e2e_driver PRIVATE ${WKB_STATIC_LINK})
target_link_libraries(wkb_e2e_driver PRIVATE user32 comctl32)
add_test(NAME windows_end_to_end
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/run_e2e.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:winwkb> $<TARGET_FILE:wkb_e2e_driver>)
# Two Wine programs and a screenshot share one display and prefix: nothing else runs meanwhile.
set_tests_properties(windows_end_to_end PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)
# --- end of the front end's block -----------------------------------------------------------

# A real print on a CUPS PDF printer, turned into a PNG artefact (skipped where CUPS cannot run).
add_test(NAME print_pdf_check COMMAND ${CMAKE_SOURCE_DIR}/scripts/print-pdf-check ${CMAKE_BINARY_DIR})
set_tests_properties(print_pdf_check PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE TIMEOUT 300
  ENVIRONMENT "WKB_BUILD_DIR=${CMAKE_BINARY_DIR}")

# --- Downloads: make dist packs winwkb.exe with what dist-config says (scripts/make-dist) ----
configure_file(${CMAKE_SOURCE_DIR}/scripts/installer/dist-config.in ${CMAKE_BINARY_DIR}/dist-config @ONLY)
# The test builds the downloads, installs, upgrades, runs and uninstalls them in a prefix of
# its own, and unpacks the portable zip; the driver uses the installed diary's window.
add_executable(wkb_dist_driver ${CMAKE_SOURCE_DIR}/tests/dist/wkb_dist_driver.cpp)
target_compile_definitions(wkb_dist_driver PRIVATE WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600)
target_link_options(wkb_dist_driver PRIVATE ${WKB_STATIC_LINK})
target_link_libraries(wkb_dist_driver PRIVATE user32 comctl32)
add_test(NAME windows_dist COMMAND bash ${CMAKE_SOURCE_DIR}/tests/dist/run_dist_tests.sh
  ${CMAKE_BINARY_DIR} $<TARGET_FILE:winwkb> $<TARGET_FILE:wkb_dist_driver>)
# Its own prefix and display: it runs beside the unit tests, and starts first (the longest).
set_tests_properties(windows_dist PROPERTIES TIMEOUT 600 COST 1000)
