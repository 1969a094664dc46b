# Cross-compiles kaz.exe for 32-bit Windows (Debian's g++-mingw-w64-i686-win32).
#
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DBUILD_TESTING=OFF
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KAZ_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
