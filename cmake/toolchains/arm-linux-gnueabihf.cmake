# Linux on 32-bit ARM (Debian's armhf: ARMv7, VFPv3-D16, hard-float calls):
# the extended type in software.
set(UDFZEL_CROSS_TRIPLET arm-linux-gnueabihf)
set(UDFZEL_CROSS_MULTIARCH arm-linux-gnueabihf)
set(UDFZEL_CROSS_PROCESSOR armv7l)
set(UDFZEL_CROSS_QEMU arm)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
