# Cross-compiles for 32-bit Windows with Debian's mingw-w64 toolchain
# (package g++-mingw-w64-i686).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(JOTWISE_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${JOTWISE_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${JOTWISE_MINGW_PREFIX}-g++)

# Libraries and headers come from the cross toolchain's sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${JOTWISE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
