# Cross-compiles kaz.exe for 32-bit Windows with mingw-w64 (Debian's
# g++-mingw-w64-i686-win32), linked statically so that it needs no DLL
# beyond the system's own.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DBUILD_TESTING=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(KAZ_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${KAZ_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KAZ_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${KAZ_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KAZ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
