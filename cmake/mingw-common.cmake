# What both MinGW-w64 toolchains share; the including file sets mingw_prefix and the processor.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX thread model: GoogleTest needs std::mutex, which the win32 model lacks.
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program stands alone: no libstdc++, libgcc or winpthread DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Lets CMake run the test programs it builds (test discovery, ctest) through Wine.
find_program(PLEXARO_WINE NAMES ${mingw_wine} PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(PLEXARO_WINE NAMES ${mingw_wine})
if(PLEXARO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PLEXARO_WINE})
endif()
