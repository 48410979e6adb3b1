# Cross-compiling for Windows x86-64 with Debian's mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ziel x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${ziel}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ziel}-g++-posix)
set(CMAKE_RC_COMPILER  ${ziel}-windres)

# Libraries and headers come from the mingw sysroot (and from prefixes handed in
# through CMAKE_PREFIX_PATH, such as the Qt built for Windows); programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ziel})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
