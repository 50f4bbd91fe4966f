# Stand-in programs that the data files carry (the installed program and the driver's setup program),
# which must carry exactly the names that the setup looks for; a DLL planted beside a copy of setup.exe
# under system DLLs' names, which must never load; and the helper that the scenarios hook into the setup
# program (WM_NOTIFY cannot be sent across processes, so the rich edits' protection notifications are
# emulated from inside).
set(STANDIN_DIR ${CMAKE_BINARY_DIR}/standins)
add_executable(korventa_sample WIN32 tools/samples/korventa_sample.cpp)
add_executable(korventa_driver_standin WIN32 tests/standins/driver_standin.cpp)
add_library(planted_dll SHARED tests/standins/planted_dll.cpp)
add_library(gui_pages_in_process SHARED tests/driver/pages_in_process_helper.cpp)
set_target_properties(korventa_sample PROPERTIES OUTPUT_NAME KORVENTA)
set_target_properties(korventa_driver_standin PROPERTIES OUTPUT_NAME KorventaDriver32setup)
set_target_properties(planted_dll PROPERTIES OUTPUT_NAME planted)
target_link_libraries(korventa_driver_standin PRIVATE shell32 ole32)
foreach(_standin korventa_sample korventa_driver_standin planted_dll gui_pages_in_process)
  set_target_properties(${_standin} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR} PREFIX "")
  target_compile_options(${_standin} PRIVATE -Wall -Wextra -municode -Os)
  target_compile_definitions(${_standin} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
  target_include_directories(${_standin} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  # Small and self-contained: they travel inside the data file.
  target_link_options(${_standin} PRIVATE ${WIN_LINK_OPTIONS} -municode -mwindows -s)
endforeach()
# Undecorated names: the driver looks the helper's function up by name, and i686 decorates WINAPI ones.
target_link_options(gui_pages_in_process PRIVATE -Wl,--kill-at)
