# Windows x86 DLLs. Doubles in SSE registers, as on x64: the x87 computing
# them at extended precision would round twice and differ from the 64-bit
# DLL in the last bit.
set(UDFZEL_MINGW_ARCH i686)
set(UDFZEL_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
