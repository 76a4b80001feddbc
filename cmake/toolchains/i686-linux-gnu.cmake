# Linux on 32-bit x86 (Debian's i386): the extended type is the x87's long
# double. Doubles in SSE registers, as on x86-64: the x87 computing them at
# extended precision would round twice and differ from the amd64 module in
# the last bit.
set(UDFZEL_CROSS_TRIPLET i686-linux-gnu)
set(UDFZEL_CROSS_MULTIARCH i386-linux-gnu)
set(UDFZEL_CROSS_PROCESSOR i686)
set(UDFZEL_CROSS_QEMU i386)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
string(APPEND CMAKE_C_FLAGS_INIT " -msse2 -mfpmath=sse")
string(APPEND CMAKE_CXX_FLAGS_INIT " -msse2 -mfpmath=sse")
