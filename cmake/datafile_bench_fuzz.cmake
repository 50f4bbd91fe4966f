# Native extras for the data file's core, run by hand: the CRC benchmark and the fuzz target.
# The Windows test tree needs neither.
if(WIN32 AND KORVENTA_WIN_PARTS STREQUAL "tests")
  return()
endif()
set(DATAFILE_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/src/install/datafile/crc16.cpp
  ${CMAKE_SOURCE_DIR}/src/install/datafile/data_file.cpp
  ${CMAKE_SOURCE_DIR}/src/install/datafile/data_file_checks.cpp
  ${CMAKE_SOURCE_DIR}/src/install/datafile/data_file_validation.cpp
  ${CMAKE_SOURCE_DIR}/src/install/datafile/entry_rules.cpp
  ${CMAKE_SOURCE_DIR}/src/install/datafile/installed_name.cpp
  ${CMAKE_SOURCE_DIR}/src/install/datafile/windows_names.cpp
)

# Timings mean something only optimised, whatever the build type: the benchmark
# compiles the core itself.
add_executable(crc_bench ${CMAKE_SOURCE_DIR}/tools/bench/crc_bench.cpp ${DATAFILE_CORE_SOURCES})
target_include_directories(crc_bench PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
target_compile_options(crc_bench PRIVATE -O2 -Wall -Wextra)
if(WIN32)
  target_link_options(crc_bench PRIVATE -static -static-libgcc -static-libstdc++)
endif()

# libFuzzer needs clang. Run it, for example:
#   nice -n 10 ./datafile_fuzz -max_total_time=600 corpus/ tools/fuzz/seeds/
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_executable(datafile_fuzz
    ${CMAKE_SOURCE_DIR}/tools/fuzz/libfuzzer_entry.cpp
    ${CMAKE_SOURCE_DIR}/tools/fuzz/datafile_fuzz_target.cpp
    ${DATAFILE_CORE_SOURCES})
  target_include_directories(datafile_fuzz PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
  set(_fuzz_flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  target_compile_options(datafile_fuzz PRIVATE ${_fuzz_flags} -g -O1)
  target_link_options(datafile_fuzz PRIVATE ${_fuzz_flags})
endif()
