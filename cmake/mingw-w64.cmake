# What the two Windows toolchain files share: a static kaz.exe built with
# Debian's mingw-w64 cross compilers (the win32 thread model), so that it
# needs no DLL beyond the system's own.  KAZ_MINGW_PREFIX names the target,
# set by the file that includes this one.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KAZ_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KAZ_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${KAZ_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KAZ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
