# What both mingw-w64 toolchains share; QUORVEL_MINGW_TARGET names the target triplet.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QUORVEL_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVEL_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVEL_MINGW_TARGET}-windres)

# Libraries and packages for the target only; programs (the host's tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVEL_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt for Windows, as scripts/provide-qt-mingw builds it, when QUORVEL_QT_MINGW names its prefix:
# its libraries and packages are the target's; its tools (moc, rcc, uic) are the host's Qt of the
# same version.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUORVEL_QT_MINGW)
if(QUORVEL_QT_MINGW)
    list(APPEND CMAKE_FIND_ROOT_PATH ${QUORVEL_QT_MINGW})
    set(QT_HOST_PATH /usr)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)  # Debian's host Qt, amd64
endif()

# The compiler's own runtime (libstdc++, libgcc, winpthread) linked in, so that an executable
# runs on a bare Windows, or under Wine, without DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# With Wine installed, CTest and test discovery run the executables through it (unless the
# caller names an emulator of its own).
if(QUORVEL_MINGW_TARGET STREQUAL "x86_64-w64-mingw32" AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(QUORVEL_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib/wine64 NO_CACHE)
    if(QUORVEL_WINE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${QUORVEL_WINE})
    endif()
endif()
