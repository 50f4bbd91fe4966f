# Windows test programs that drive setup.exe through its windows. ctest runs each one through
# tools/wine-run.sh (the crosscompiling emulator), in a private Wine prefix and X display.

add_library(gui_driver STATIC
  tests/driver/files.cpp
  tests/driver/keyboard.cpp
  tests/driver/message_box.cpp
  tests/driver/process_windows.cpp
  tests/driver/screen_capture.cpp
  tests/driver/screenshot.cpp
  tests/driver/setup_process.cpp
  tests/driver/wait_for.cpp
  tests/driver/window_text.cpp
  tests/driver/wizard.cpp
)
target_compile_options(gui_driver PUBLIC -Wall -Wextra)
target_compile_definitions(gui_driver PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_include_directories(gui_driver PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(gui_driver PUBLIC gtest user32 gdi32 kernel32)

add_library(gui_test_support STATIC tests/gui/setup_fixture.cpp tests/gui/wizard_pages.cpp)
target_link_libraries(gui_test_support PUBLIC gui_driver)
# The setup program under test; KORVENTA_SETUP_EXE overrides it at run time.
target_compile_definitions(gui_test_support PRIVATE SETUP_EXE="$<TARGET_FILE:setup>")

set(GUI_SHOTS_DIR ${CMAKE_BINARY_DIR}/gui-shots)
file(MAKE_DIRECTORY ${GUI_SHOTS_DIR})

foreach(_gui_test startup_test wizard_buttons_test cancel_test)
  add_executable(gui_${_gui_test} tests/gui/${_gui_test}.cpp)
  target_link_libraries(gui_${_gui_test} PRIVATE gui_test_support gtest_main)
  target_link_options(gui_${_gui_test} PRIVATE ${WIN_LINK_OPTIONS})
  add_test(NAME gui_${_gui_test} COMMAND gui_${_gui_test})
  set_tests_properties(gui_${_gui_test} PROPERTIES
    LABELS gui
    TIMEOUT 900
    ENVIRONMENT "KORVENTA_SHOTS=${GUI_SHOTS_DIR};KORVENTA_RUN_TIMEOUT=840")
endforeach()
