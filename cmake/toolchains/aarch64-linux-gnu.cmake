# Linux on ARM64 (Debian's arm64): the extended type in software.
set(UDFZEL_CROSS_TRIPLET aarch64-linux-gnu)
set(UDFZEL_CROSS_MULTIARCH aarch64-linux-gnu)
set(UDFZEL_CROSS_PROCESSOR aarch64)
set(UDFZEL_CROSS_QEMU aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
