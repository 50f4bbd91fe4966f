# A disk too small for the data, for the write failure: a tmpfs that root (or the emulation's user
# namespace) can mount. Without it the full-disk scenario fails.
set(INSTALL_SMALL_DISK ${CMAKE_BINARY_DIR}/small-disk)
add_test(NAME install_small_disk_mount COMMAND sh -c
  "mkdir -p '${INSTALL_SMALL_DISK}' && (mountpoint -q '${INSTALL_SMALL_DISK}' || mount -t tmpfs -o size=256k tmpfs '${INSTALL_SMALL_DISK}') && rm -rf '${INSTALL_SMALL_DISK}'/*")
add_test(NAME install_small_disk_unmount COMMAND sh -c
  "! mountpoint -q '${INSTALL_SMALL_DISK}' || umount '${INSTALL_SMALL_DISK}'")
set_tests_properties(install_small_disk_mount PROPERTIES FIXTURES_SETUP install_small_disk LABELS gui)
set_tests_properties(install_small_disk_unmount PROPERTIES FIXTURES_CLEANUP install_small_disk LABELS gui)
set_tests_properties(gui_install PROPERTIES FIXTURES_REQUIRED install_small_disk)
