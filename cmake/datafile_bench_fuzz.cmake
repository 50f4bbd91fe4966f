# Native extras for the data file's core: the CRC benchmark, the fuzz target, and a
# replay of the fuzz seeds that ctest runs. The Windows test tree needs none of them.
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

add_executable(datafile_fuzz_replay
  ${CMAKE_SOURCE_DIR}/tests/fuzz/replay_seeds.cpp
  ${CMAKE_SOURCE_DIR}/tests/fuzz/datafile_fuzz_target.cpp)
target_link_libraries(datafile_fuzz_replay PRIVATE portable)
target_compile_options(datafile_fuzz_replay PRIVATE -Wall -Wextra)
if(NOT WIN32)  # the seed folder is a Linux path
  add_test(NAME datafile_fuzz_seeds COMMAND datafile_fuzz_replay ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds)
endif()

# libFuzzer needs clang. Run it, for example:
#   nice -n 10 ./datafile_fuzz -max_total_time=600 corpus/ tests/fuzz/seeds/
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_executable(datafile_fuzz
    ${CMAKE_SOURCE_DIR}/tests/fuzz/libfuzzer_entry.cpp
    ${CMAKE_SOURCE_DIR}/tests/fuzz/datafile_fuzz_target.cpp
    ${DATAFILE_CORE_SOURCES})
  target_include_directories(datafile_fuzz PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
  set(_fuzz_flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  target_compile_options(datafile_fuzz PRIVATE ${_fuzz_flags} -g -O1)
  target_link_options(datafile_fuzz PRIVATE ${_fuzz_flags})
endif()
