# Cross build for 32-bit Windows with Debian's mingw-w64 (posix thread model). The 32-bit
# build only has to compile and link here: Debian's wine64 runs 64-bit programs alone.
set(QUORVEL_MINGW_TARGET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
