# Shared by both MinGW-w64 toolchain files; TOOLCHAIN_PREFIX names the target.
set(CMAKE_SYSTEM_NAME Windows)

# Debian's plain compiler names follow an alternative that may point at the win32 thread
# model; the posix one is named outright.
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run through Wine; the prefix and display come from the environment.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
