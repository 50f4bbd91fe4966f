# The data-file tool: builds, lists, verifies and extracts data files. Natively and as a
# Windows console program from the same sources.
set(DATAFILE_TOOL_DIR ${CMAKE_SOURCE_DIR}/tools/datafile-tool)

add_library(datafile_tool_core STATIC
  ${DATAFILE_TOOL_DIR}/cli.cpp
  ${DATAFILE_TOOL_DIR}/codepage.cpp
  ${DATAFILE_TOOL_DIR}/entry_name.cpp
  ${DATAFILE_TOOL_DIR}/extract_command.cpp
  ${DATAFILE_TOOL_DIR}/file_io.cpp
  ${DATAFILE_TOOL_DIR}/examination.cpp
  ${DATAFILE_TOOL_DIR}/list_command.cpp
  ${DATAFILE_TOOL_DIR}/manifest.cpp
  ${DATAFILE_TOOL_DIR}/pack_command.cpp
  ${DATAFILE_TOOL_DIR}/packer.cpp
  ${DATAFILE_TOOL_DIR}/printable.cpp
  ${DATAFILE_TOOL_DIR}/timestamp.cpp
  ${DATAFILE_TOOL_DIR}/utf.cpp
  ${DATAFILE_TOOL_DIR}/verify_command.cpp
)
target_include_directories(datafile_tool_core PUBLIC ${DATAFILE_TOOL_DIR})
target_link_libraries(datafile_tool_core PUBLIC portable)
target_compile_options(datafile_tool_core PRIVATE -Wall -Wextra)

if(NOT (WIN32 AND KORVENTA_WIN_PARTS STREQUAL "tests"))
  add_executable(datafile-tool ${DATAFILE_TOOL_DIR}/main.cpp)
  target_link_libraries(datafile-tool PRIVATE datafile_tool_core)
  if(WIN32)
    target_compile_definitions(datafile-tool PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
    target_link_options(datafile-tool PRIVATE ${WIN_PRODUCT_LINK_OPTIONS} -municode)
  endif()
endif()
if(WIN32)
  target_compile_definitions(datafile_tool_core PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                             _WIN32_WINNT=0x0500 WINVER=0x0500)
endif()
if(NOT KORVENTA_BUILD_TESTS)
  return()
endif()

# The unit tests exercise the tool's core.
target_link_libraries(unit_tests PRIVATE datafile_tool_core)
if(NOT "tests/unit/datafile_tool_test.cpp" IN_LIST UNIT_TEST_SOURCES
   AND EXISTS ${CMAKE_SOURCE_DIR}/tests/unit/datafile_tool_test.cpp)
  target_sources(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit/datafile_tool_test.cpp)
endif()

# The real program end to end on the sample manifest; the Windows build runs under Wine.
if(WIN32)
  add_test(NAME datafile_tool_end_to_end
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tool/datafile_tool_test.sh --wine $<TARGET_FILE:datafile-tool>)
else()
  add_test(NAME datafile_tool_end_to_end
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tool/datafile_tool_test.sh $<TARGET_FILE:datafile-tool>)
endif()
set_tests_properties(datafile_tool_end_to_end PROPERTIES SKIP_RETURN_CODE 125)
