# The installation benchmark: setup.exe's whole installations against plain copies. Built in
# the x86_64 tree that has both the product and the test parts (tools/bench.sh runs it).
if(NOT (KORVENTA_WIN_PARTS STREQUAL "all" AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64"))
  return()
endif()
add_executable(setup_bench ${CMAKE_SOURCE_DIR}/tools/bench/setup_bench.cpp)
target_link_libraries(setup_bench PRIVATE datafile_tool_core psapi advapi32)
target_compile_definitions(setup_bench PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                           SETUP_EXE="$<TARGET_FILE:setup>")
target_compile_options(setup_bench PRIVATE -O2 -Wall -Wextra -municode)
target_link_options(setup_bench PRIVATE ${WIN_LINK_OPTIONS} -municode)
add_dependencies(setup_bench setup)
