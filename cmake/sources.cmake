# Source lists, one place. Files that need no <windows.h> go to PORTABLE_SOURCES.

set(PORTABLE_SOURCES
  src/framework/dll_search_plan.cpp
  src/install/datafile/crc16.cpp
  src/install/datafile/data_file.cpp
  src/install/datafile/data_file_checks.cpp
  src/install/datafile/data_file_validation.cpp
  src/install/datafile/entry_rules.cpp
  src/install/datafile/installed_name.cpp
  src/install/datafile/windows_names.cpp
  src/install/install_plan.cpp
  src/install/os_class.cpp
  src/install/shortcut_names.cpp
  src/install/temp_names.cpp
  src/pages/dest_path_rules.cpp
  src/pages/percent_bar_geometry.cpp
  resources/agreement_texts.cpp
)

set(UNIT_TEST_SOURCES
  tests/unit/crc16_test.cpp
  tests/unit/data_file_test.cpp
  tests/unit/data_file_validation_test.cpp
  tests/unit/entry_rules_test.cpp
  tests/unit/installed_name_test.cpp
  tests/unit/windows_names_test.cpp
  tests/unit/install_plan_test.cpp
  tests/unit/timestamp_rule_test.cpp
  tests/unit/dest_path_rules_test.cpp
  tests/unit/os_class_test.cpp
  tests/unit/percent_bar_geometry_test.cpp
  tests/unit/shortcut_names_test.cpp
  tests/unit/elevation_rules_test.cpp
)

# Files of work in progress may not exist yet; say so instead of failing the configure.
foreach(_list PORTABLE_SOURCES UNIT_TEST_SOURCES)
  set(_kept)
  foreach(_f ${${_list}})
    if(EXISTS ${CMAKE_SOURCE_DIR}/${_f})
      list(APPEND _kept ${_f})
    else()
      message(STATUS "not yet present: ${_f}")
    endif()
  endforeach()
  set(${_list} ${_kept})
endforeach()
