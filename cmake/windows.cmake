# The Windows side. KORVENTA_WIN_PARTS says what this tree builds:
#   product  setup.exe and datafile-tool.exe, as they ship (win32 thread model)
#   tests    the Windows test programs, run against the programs of KORVENTA_PRODUCT_DIR
#   all      both in one tree (the x86_64 benchmark tree)
enable_language(RC)

set(WIN_COMPILE_OPTIONS -Wall -Wextra -municode)
# Windows 2000 is the oldest system the product runs on: the headers then refuse anything newer.
# _WIN32_IE 0x0500 also keeps the property-sheet structures at the sizes Windows 2000 knows.
set(WIN_DEFINITIONS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0500 WINVER=0x0500
    _WIN32_IE=0x0500 _RICHEDIT_VER=0x0200)
# Static runtime: setup.exe must start from the medium with no DLLs beside it.
set(WIN_LINK_OPTIONS -static -static-libgcc -static-libstdc++)
# The oldest system in the header too: Windows 2000's loader refuses a newer subsystem version.
set(WIN_PRODUCT_LINK_OPTIONS ${WIN_LINK_OPTIONS} -Wl,--major-os-version,5,--minor-os-version,0
    -Wl,--major-subsystem-version,5,--minor-subsystem-version,0)

target_compile_options(portable PRIVATE -Wall -Wextra)

if(KORVENTA_WIN_PARTS STREQUAL "tests")
  if(NOT KORVENTA_PRODUCT_DIR)
    message(FATAL_ERROR "a tests tree needs KORVENTA_PRODUCT_DIR, the product tree whose programs it tests")
  endif()
  foreach(_program setup datafile-tool)
    add_executable(${_program} IMPORTED)
    set_target_properties(${_program} PROPERTIES IMPORTED_LOCATION ${KORVENTA_PRODUCT_DIR}/${_program}.exe)
  endforeach()
else()
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

  add_executable(setup WIN32 ${SETUP_SOURCES} resources/setup.rc)
  set_source_files_properties(resources/setup.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/resources/resource.h;${CMAKE_SOURCE_DIR}/resources/setup.manifest")
  target_compile_options(setup PRIVATE ${WIN_COMPILE_OPTIONS})
  target_compile_definitions(setup PRIVATE ${WIN_DEFINITIONS})
  target_include_directories(setup PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
  # Only DLLs that Windows loads from its own folder whatever lies beside setup.exe are imported;
  # the rest is loaded at run time by full path (framework/system_library.h).
  target_link_libraries(setup PRIVATE portable uuid shell32 gdi32 user32 advapi32 kernel32)
  target_link_options(setup PRIVATE ${WIN_PRODUCT_LINK_OPTIONS} -municode -mwindows $<$<CONFIG:Release>:-s>)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()

include(${CMAKE_SOURCE_DIR}/cmake/datafile_tool.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/bench.cmake)

if(KORVENTA_BUILD_TESTS)
  target_link_options(unit_tests PRIVATE ${WIN_LINK_OPTIONS})
  target_compile_definitions(unit_tests PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  include(${CMAKE_SOURCE_DIR}/cmake/windows_tests.cmake)
  include(${CMAKE_SOURCE_DIR}/cmake/install_tests.cmake)
  include(${CMAKE_SOURCE_DIR}/cmake/standin_tests.cmake)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    include(${CMAKE_SOURCE_DIR}/cmake/pe_check_tests.cmake)
  endif()
endif()
