# Stand-in programs that the data files carry (the installed program and the driver's setup program),
# which must carry exactly the names that the setup looks for, and a DLL planted beside a copy of
# setup.exe under system DLLs' names, which must never load.
set(STANDIN_DIR ${CMAKE_BINARY_DIR}/standins)
add_executable(korventa_sample WIN32 tools/samples/korventa_sample.cpp)
add_executable(korventa_driver_standin WIN32 tests/standins/driver_standin.cpp)
add_library(planted_dll SHARED tests/standins/planted_dll.cpp)
set_target_properties(korventa_sample PROPERTIES OUTPUT_NAME KORVENTA)
set_target_properties(korventa_driver_standin PROPERTIES OUTPUT_NAME KorventaDriver32setup)
set_target_properties(planted_dll PROPERTIES OUTPUT_NAME planted PREFIX "")
target_link_libraries(korventa_driver_standin PRIVATE shell32 ole32)
foreach(_standin korventa_sample korventa_driver_standin planted_dll)
  set_target_properties(${_standin} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR})
  target_compile_options(${_standin} PRIVATE -Wall -Wextra -municode -Os)
  target_compile_definitions(${_standin} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
  target_include_directories(${_standin} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  # Small and self-contained: they travel inside the data file.
  target_link_options(${_standin} PRIVATE ${WIN_LINK_OPTIONS} -municode -mwindows -s)
endforeach()
