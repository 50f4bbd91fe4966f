# Whole installations by setup.exe, driven through its windows, and the installation benchmark.
# Needs the targets of windows_tests.cmake (gui_driver, gui_test_support).

add_library(install_test_support STATIC
  tests/driver/install_checks.cpp
  tests/driver/install_data_file.cpp
  tests/driver/install_fixture.cpp
  tests/driver/install_run.cpp
)
target_include_directories(install_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(install_test_support PUBLIC gui_test_support portable psapi shell32 advapi32)

# A disk too small for the data, for the write failure: a tmpfs that only root can mount. Without
# it the test says so and skips.
set(INSTALL_SMALL_DISK ${CMAKE_BINARY_DIR}/small-disk)
add_test(NAME install_small_disk_mount COMMAND sh -c
  "mkdir -p '${INSTALL_SMALL_DISK}' && (mountpoint -q '${INSTALL_SMALL_DISK}' || mount -t tmpfs -o size=256k tmpfs '${INSTALL_SMALL_DISK}' || echo 'cannot mount a tmpfs at ${INSTALL_SMALL_DISK}: the full-disk test will skip') && rm -rf '${INSTALL_SMALL_DISK}'/*")
add_test(NAME install_small_disk_unmount COMMAND sh -c
  "! mountpoint -q '${INSTALL_SMALL_DISK}' || umount '${INSTALL_SMALL_DISK}'")
set_tests_properties(install_small_disk_mount PROPERTIES FIXTURES_SETUP install_small_disk LABELS gui)
set_tests_properties(install_small_disk_unmount PROPERTIES FIXTURES_CLEANUP install_small_disk LABELS gui)

foreach(_install_test install_success_test install_failure_test)
  add_executable(gui_${_install_test} tests/gui/${_install_test}.cpp)
  target_link_libraries(gui_${_install_test} PRIVATE install_test_support gtest_main)
  target_link_options(gui_${_install_test} PRIVATE ${WIN_LINK_OPTIONS})
  # The data file delivers the stand-in of standin_tests.cmake as the driver's setup program.
  target_compile_definitions(gui_${_install_test} PRIVATE DRIVER_STANDIN_EXE="$<TARGET_FILE:korventa_driver_standin>")
  add_dependencies(gui_${_install_test} setup korventa_driver_standin)
  add_test(NAME gui_${_install_test} COMMAND gui_${_install_test})
  # Tokyo time: local and universal time differ, so file times show whether they were converted.
  set_tests_properties(gui_${_install_test} PROPERTIES
    LABELS gui
    TIMEOUT 300
    ENVIRONMENT "KORVENTA_SHOTS=${GUI_SHOTS_DIR};KORVENTA_RUN_TIMEOUT=280;TZ=Asia/Tokyo;KORVENTA_SMALL_DISK=${INSTALL_SMALL_DISK}")
endforeach()
set_tests_properties(gui_install_failure_test PROPERTIES FIXTURES_REQUIRED install_small_disk)
# The whole installation runs with the log reporting changes as Windows' rich edit does.
target_link_libraries(gui_install_success_test PRIVATE gui_pages_driver)
target_compile_definitions(gui_install_success_test PRIVATE PAGES_HELPER_DLL="$<TARGET_FILE:gui_pages_in_process>")
add_dependencies(gui_install_success_test gui_pages_in_process)

# Run by hand (see the program's header): not a ctest test.
add_executable(install_bench tests/bench/install_bench.cpp)
target_link_libraries(install_bench PRIVATE install_test_support)
target_link_options(install_bench PRIVATE ${WIN_LINK_OPTIONS} -municode)
target_compile_definitions(install_bench PRIVATE SETUP_EXE="$<TARGET_FILE:setup>")
add_dependencies(install_bench setup)
