# The GUI scenarios: one Windows program that drives setup.exe through its windows, run by ctest
# through tools/wine-run.sh (the crosscompiling emulator) in private Wine prefixes and X displays,
# split into entries that can run side by side. The small-disk fixture is in install_tests.cmake, the
# stand-in programs and the helper library in standin_tests.cmake (the sample program is built there
# for tools/sample-medium.sh).
add_library(gui_driver STATIC tests/driver/driver.cpp)
target_compile_options(gui_driver PUBLIC -Wall -Wextra -Wno-missing-field-initializers)
target_compile_definitions(gui_driver PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 _RICHEDIT_VER=0x0200
  SETUP_EXE="$<TARGET_FILE:setup>" PAGES_HELPER_DLL="$<TARGET_FILE:gui_pages_in_process>"
  DRIVER_STANDIN_EXE="$<TARGET_FILE:korventa_driver_standin>" PLANTED_DLL="$<TARGET_FILE:planted_dll>")
target_include_directories(gui_driver PUBLIC ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
target_link_libraries(gui_driver PUBLIC gtest datafile_tool_core portable user32 gdi32 ole32 uuid shell32 advapi32)
add_executable(gui_scenarios tests/gui/pages_test.cpp tests/gui/install_test.cpp)
target_link_libraries(gui_scenarios PRIVATE gui_driver gtest_main)
target_link_options(gui_scenarios PRIVATE ${WIN_LINK_OPTIONS})
add_dependencies(gui_scenarios gui_pages_in_process korventa_driver_standin korventa_sample planted_dll)

set(GUI_SHOTS_DIR ${CMAKE_BINARY_DIR}/gui-shots)
# Entry, scenarios. The version classes share a prefix; class 4 needs a 64-bit one of its own.
set(_gui_entries gui_pages "Gui/Startup.*:Gui.EveryCancelOnEveryPage:Gui.WalkAndDestinationRules" gui_install "Gui/WholeInstall.*:Gui/Stops.*"
  gui_classes "Gui/Classes.*-*wow64*" gui_shortcuts "Gui.SuccessiveShortcuts"
  gui_elevated "Gui.PlantedDllsNeverRunAndCloseRequestsEndAsFinished")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  list(APPEND _gui_entries gui_classes_wow64 "*wow64*")
endif()
# A zone with an offset and no daylight saving: local and UTC file times differ the same way on
# every date, and JST-9 reads the same to the C runtime and to Wine.
while(_gui_entries)
  list(POP_FRONT _gui_entries _name _filter)
  add_test(NAME ${_name} COMMAND gui_scenarios --gtest_filter=${_filter})
  set_tests_properties(${_name} PROPERTIES LABELS gui TIMEOUT 600
    ENVIRONMENT "KORVENTA_SHOTS=${GUI_SHOTS_DIR};KORVENTA_RUN_TIMEOUT=580;TZ=JST-9;KORVENTA_SMALL_DISK=${CMAKE_BINARY_DIR}/small-disk")
endwhile()
if(TEST gui_classes_wow64)
  set_tests_properties(gui_classes_wow64 PROPERTIES ENVIRONMENT_MODIFICATION KORVENTA_WINEARCH=set:win64)
endif()
