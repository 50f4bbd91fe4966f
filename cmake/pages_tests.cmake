# GUI tests of the welcome, agreement and destination pages. Needs the targets of windows_tests.cmake
# (gui_driver, gui_test_support) and install_tests.cmake (install_test_support writes the data files).

add_library(gui_pages_driver STATIC
  tests/driver/pages_close_box.cpp
  tests/driver/pages_folder_tree.cpp
  tests/driver/pages_remote_call.cpp
  tests/driver/pages_typing.cpp
)
target_link_libraries(gui_pages_driver PUBLIC gui_driver)

# Loaded into the setup program by the agreement test: WM_NOTIFY cannot be sent across processes.
add_library(gui_pages_in_process SHARED tests/driver/pages_in_process_helper.cpp)
set_target_properties(gui_pages_in_process PROPERTIES PREFIX "")
target_compile_definitions(gui_pages_in_process PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                           _RICHEDIT_VER=0x0200)
target_link_libraries(gui_pages_in_process PRIVATE user32)
# Undecorated names: the tests look the functions up by name, and i686 decorates WINAPI ones.
target_link_options(gui_pages_in_process PRIVATE ${WIN_LINK_OPTIONS} -Wl,--kill-at)

foreach(_gui_test pages_destination_test pages_agreement_test pages_cancel_test)
  add_executable(gui_${_gui_test} tests/gui/${_gui_test}.cpp)
  target_link_libraries(gui_${_gui_test} PRIVATE gui_test_support gui_pages_driver portable gtest_main)
  target_link_options(gui_${_gui_test} PRIVATE ${WIN_LINK_OPTIONS})
  add_dependencies(gui_${_gui_test} setup)
  add_test(NAME gui_${_gui_test} COMMAND gui_${_gui_test})
  set_tests_properties(gui_${_gui_test} PROPERTIES
    LABELS gui
    TIMEOUT 300
    ENVIRONMENT "KORVENTA_SHOTS=${GUI_SHOTS_DIR};KORVENTA_RUN_TIMEOUT=280")
endforeach()

target_link_libraries(gui_pages_destination_test PRIVATE install_test_support)
target_compile_definitions(gui_pages_agreement_test PRIVATE
  PAGES_HELPER_DLL="$<TARGET_FILE:gui_pages_in_process>")
add_dependencies(gui_pages_agreement_test gui_pages_in_process)
