# Cross-compiles for 32-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-i686): the program.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(mingw_prefix i686-w64-mingw32)
set(mingw_wine wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
