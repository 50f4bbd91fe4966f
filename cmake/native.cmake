# The Linux side: the data-file tool, its fuzz target and the benchmarks.
target_compile_options(unit_tests PRIVATE -Wall -Wextra)
include(${CMAKE_SOURCE_DIR}/cmake/datafile_tool.cmake OPTIONAL)
