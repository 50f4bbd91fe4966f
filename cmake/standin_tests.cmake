# Stand-in programs that the data files carry (the installed program and the driver's setup program),
# and the end-to-end tests that install them on every Windows version class that Wine can give.
set(STANDIN_DIR ${CMAKE_BINARY_DIR}/standins)
set(STANDIN_DEFINITIONS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

# They must carry exactly the names that the setup looks for.
add_executable(korventa_sample WIN32 tests/standins/korventa_sample.cpp)
add_executable(korventa_driver_standin WIN32 tests/standins/driver_standin.cpp)
set_target_properties(korventa_sample PROPERTIES OUTPUT_NAME KORVENTA RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR})
set_target_properties(korventa_driver_standin PROPERTIES
  OUTPUT_NAME KorventaDriver32setup RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR})
foreach(_standin korventa_sample korventa_driver_standin)
  target_compile_options(${_standin} PRIVATE -Wall -Wextra -municode -Os)
  target_compile_definitions(${_standin} PRIVATE ${STANDIN_DEFINITIONS})
  # Small and self-contained: they travel inside the data file.
  target_link_options(${_standin} PRIVATE ${WIN_LINK_OPTIONS} -municode -mwindows -s)
endforeach()
target_link_libraries(korventa_driver_standin PRIVATE shell32)

add_library(standin_test_support STATIC
  tests/driver/classes_data_file.cpp
  tests/driver/classes_shell_links.cpp
)
target_link_libraries(standin_test_support PUBLIC install_test_support datafile_tool_core ole32 uuid shell32)
target_compile_definitions(standin_test_support PRIVATE
  DRIVER_STANDIN_EXE="$<TARGET_FILE:korventa_driver_standin>"
  SAMPLE_PROGRAM_EXE="$<TARGET_FILE:korventa_sample>")
add_dependencies(standin_test_support korventa_sample korventa_driver_standin setup)

foreach(_gui_test classes_test shortcut_test)
  add_executable(gui_${_gui_test} tests/gui/${_gui_test}.cpp)
  target_link_libraries(gui_${_gui_test} PRIVATE standin_test_support gtest_main)
  target_link_options(gui_${_gui_test} PRIVATE ${WIN_LINK_OPTIONS})
endforeach()
# The version class of a 32-bit program on 64-bit Windows needs a 64-bit prefix of its own.
add_test(NAME gui_classes_test COMMAND gui_classes_test --gtest_filter=-*wow64*)
add_test(NAME gui_shortcut_test COMMAND gui_shortcut_test)
set(_classes_tests gui_classes_test gui_shortcut_test)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_test(NAME gui_classes_wow64_test COMMAND gui_classes_test --gtest_filter=*wow64*)
  set_tests_properties(gui_classes_wow64_test PROPERTIES ENVIRONMENT_MODIFICATION KORVENTA_WINEARCH=set:win64)
  list(APPEND _classes_tests gui_classes_wow64_test)
endif()
# A zone with an offset and no daylight saving, so that local and UTC file times differ the same
# way on every date; JST-9 reads the same to the C runtime and to Wine.
set_tests_properties(${_classes_tests} PROPERTIES
  LABELS "gui;standin"
  TIMEOUT 900
  ENVIRONMENT "KORVENTA_SHOTS=${GUI_SHOTS_DIR};KORVENTA_RUN_TIMEOUT=840;TZ=JST-9")
