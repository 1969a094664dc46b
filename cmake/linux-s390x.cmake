# kaz for s390x, 64-bit big-endian (Debian's g++-s390x-linux-gnu), run under
# qemu-s390x-static.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(KAZ_CROSS_TRIPLE s390x-linux-gnu)
set(KAZ_CROSS_QEMU qemu-s390x-static)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
