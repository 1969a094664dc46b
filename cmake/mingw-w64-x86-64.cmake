# Cross-compiles kaz.exe for 64-bit Windows (Debian's g++-mingw-w64-x86-64-win32).
#
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86-64.cmake -DBUILD_TESTING=OFF
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KAZ_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
