# kaz for armhf, 32-bit little-endian (Debian's g++-arm-linux-gnueabihf),
# run under qemu-arm-static.
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(KAZ_CROSS_TRIPLE arm-linux-gnueabihf)
set(KAZ_CROSS_QEMU qemu-arm-static)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
