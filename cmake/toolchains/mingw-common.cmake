# Cross-building the Windows DLLs with Debian's MinGW-w64 (the -posix
# compilers: the win32 thread model has no std::thread), tests run by wine.
# The architecture's file sets UDFZEL_MINGW_ARCH (x86_64 or i686) and
# UDFZEL_WINE_LOADER, that architecture's own wine loader, first: the
# wrapper /usr/bin/wine takes the 32-bit one whenever it is installed.
# wine-run.sh runs each test program under it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${UDFZEL_MINGW_ARCH})
set(CMAKE_C_COMPILER ${UDFZEL_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${UDFZEL_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${UDFZEL_MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_DLLTOOL ${UDFZEL_MINGW_ARCH}-w64-mingw32-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${UDFZEL_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${UDFZEL_WINE_LOADER})
