# Windows x64 DLLs.
set(UDFZEL_MINGW_ARCH x86_64)
set(UDFZEL_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
