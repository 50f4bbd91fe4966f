# Hooked into the setup program by the scenarios: WM_NOTIFY cannot be sent across processes, and the
# rich edits' protection notifications are emulated from inside.
add_library(gui_pages_in_process SHARED tests/driver/pages_in_process_helper.cpp)
set_target_properties(gui_pages_in_process PROPERTIES PREFIX "")
target_compile_definitions(gui_pages_in_process PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                           _RICHEDIT_VER=0x0200)
target_link_libraries(gui_pages_in_process PRIVATE user32)
# Undecorated names: the driver looks the functions up by name, and i686 decorates WINAPI ones.
target_link_options(gui_pages_in_process PRIVATE ${WIN_LINK_OPTIONS} -Wl,--kill-at)
