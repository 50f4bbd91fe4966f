# The Windows side: setup.exe, its test programs and the Windows build of the data-file tool.
enable_language(RC)

set(WIN_COMPILE_OPTIONS -Wall -Wextra -municode)
set(WIN_DEFINITIONS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 _WIN32_IE=0x0600 _RICHEDIT_VER=0x0200)
# Static runtime: setup.exe must start from the medium with no DLLs beside it.
set(WIN_LINK_OPTIONS -static -static-libgcc -static-libstdc++)

# Every non-portable source under src/ belongs to the setup program.
file(GLOB_RECURSE SETUP_ALL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
set(SETUP_SOURCES)
foreach(_f ${SETUP_ALL_SOURCES})
  file(RELATIVE_PATH _rel ${CMAKE_SOURCE_DIR} ${_f})
  list(FIND PORTABLE_SOURCES ${_rel} _idx)
  if(_idx EQUAL -1)
    list(APPEND SETUP_SOURCES ${_f})
  endif()
endforeach()

# The setup's Windows code without WinMain, so that test programs can link it too.
list(FILTER SETUP_SOURCES EXCLUDE REGEX "/app/win_main\\.cpp$")
add_library(setup_core STATIC ${SETUP_SOURCES})
target_compile_options(setup_core PUBLIC ${WIN_COMPILE_OPTIONS})
target_compile_definitions(setup_core PUBLIC ${WIN_DEFINITIONS})
target_include_directories(setup_core PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
target_link_libraries(setup_core PUBLIC portable comctl32 shell32 ole32 uuid gdi32 user32 kernel32)

target_compile_options(portable PRIVATE -Wall -Wextra)

add_executable(setup WIN32 src/app/win_main.cpp resources/setup.rc)
set_source_files_properties(resources/setup.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/resource.h")
target_link_libraries(setup PRIVATE setup_core)
target_link_options(setup PRIVATE ${WIN_LINK_OPTIONS} -municode -mwindows $<$<CONFIG:Release>:-s>)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

target_link_options(unit_tests PRIVATE ${WIN_LINK_OPTIONS})

include(${CMAKE_SOURCE_DIR}/cmake/windows_tests.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/pages_tests.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/install_tests.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/standin_tests.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/datafile_tool.cmake OPTIONAL)
