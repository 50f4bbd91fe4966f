# Cross build for Windows with Debian's MinGW-w64. MINGW_ARCH picks the target:
# i686 (the product) or x86_64 (runs under a 64-bit-only Wine).
if(NOT DEFINED MINGW_ARCH)
  set(MINGW_ARCH i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})
set(_prefix ${MINGW_ARCH}-w64-mingw32)
# MINGW_THREADS picks the compilers' thread model. The product uses win32: the posix model's
# runtime (libwinpthread) imports functions that Windows 2000 lacks. Test programs use posix,
# because GoogleTest needs std::mutex, which GCC 12's win32 model lacks.
if(NOT DEFINED MINGW_THREADS)
  set(MINGW_THREADS win32)
endif()
set(CMAKE_C_COMPILER ${_prefix}-gcc-${MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${_prefix}-g++-${MINGW_THREADS})
set(CMAKE_RC_COMPILER ${_prefix}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Windows test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
