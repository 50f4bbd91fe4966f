# The loader check (tools/pe-check) on the shipped programs, and on a program that breaks each of
# its rules, so that a check which stopped seeing a fault would fail here.
add_executable(pe_broken_program tests/pe/broken_program.cpp tests/pe/broken_program.rc)
target_compile_definitions(pe_broken_program PRIVATE _WIN32_WINNT=0x0601)
target_link_libraries(pe_broken_program PRIVATE comctl32)
target_link_options(pe_broken_program PRIVATE ${WIN_LINK_OPTIONS}
  -Wl,--major-os-version,6,--minor-os-version,1,--major-subsystem-version,6,--minor-subsystem-version,1)
add_test(NAME pe_check COMMAND bash ${CMAKE_SOURCE_DIR}/tests/pe/pe_check_test.sh
         $<TARGET_FILE:setup> $<TARGET_FILE:datafile-tool> $<TARGET_FILE:pe_broken_program>)
