# What the Linux cross toolchain files share: kaz and its tests built with
# one of Debian's cross compilers (KAZ_CROSS_TRIPLE), linked statically, and
# run by ctest under qemu in user mode (KAZ_CROSS_QEMU), called explicitly
# since the machine may have no binfmt_misc.  GoogleTest for the target is
# built from Debian's sources by scripts/cross-test and found through
# GTest_DIR.
set(CMAKE_SYSTEM_NAME Linux)

set(CMAKE_C_COMPILER ${KAZ_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${KAZ_CROSS_TRIPLE}-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KAZ_CROSS_QEMU})

set(CMAKE_FIND_ROOT_PATH /usr/${KAZ_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
