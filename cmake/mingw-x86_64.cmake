# Cross-compiles the same sources for 64-bit Windows (package g++-mingw-w64-x86-64): a test build
# only, for machines whose kernel cannot run the 32-bit program under Wine. Never shipped.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(mingw_prefix x86_64-w64-mingw32)
set(mingw_wine wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
