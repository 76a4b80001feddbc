# Cross-building for Linux on another CPU with Debian's cross compilers,
# against Debian's packages of that architecture unpacked into a folder
# (scripts/make-sysroot.sh: ICU, Firebird's development files, GoogleTest);
# programs run by qemu. The CPU's file sets UDFZEL_CROSS_TRIPLET (the
# compilers' prefix), UDFZEL_CROSS_MULTIARCH (Debian's library folder),
# UDFZEL_CROSS_PROCESSOR and UDFZEL_CROSS_QEMU first.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/<triplet>.cmake \
#         -DUDFZEL_SYSROOT=<folder> ...
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${UDFZEL_CROSS_PROCESSOR})
set(CMAKE_LIBRARY_ARCHITECTURE ${UDFZEL_CROSS_MULTIARCH})
set(CMAKE_C_COMPILER ${UDFZEL_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${UDFZEL_CROSS_TRIPLET}-g++)

set(UDFZEL_SYSROOT "" CACHE PATH "Debian's packages of the target architecture, unpacked")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES UDFZEL_SYSROOT)
if(NOT UDFZEL_SYSROOT)
  message(FATAL_ERROR "set UDFZEL_SYSROOT (scripts/make-sysroot.sh makes one)")
endif()
set(CMAKE_FIND_ROOT_PATH ${UDFZEL_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The compiler's own C library and headers come first; the packages'
# headers are system headers, as on the host; their libraries find their
# dependencies in the sysroot.
foreach(dir usr/include usr/include/${UDFZEL_CROSS_MULTIARCH})
  string(APPEND CMAKE_CXX_FLAGS_INIT " -isystem ${UDFZEL_SYSROOT}/${dir}")
endforeach()
foreach(dir usr/lib/${UDFZEL_CROSS_MULTIARCH} lib/${UDFZEL_CROSS_MULTIARCH})
  string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,-rpath-link,${UDFZEL_SYSROOT}/${dir}")
  string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " -Wl,-rpath-link,${UDFZEL_SYSROOT}/${dir}")
  string(APPEND CMAKE_MODULE_LINKER_FLAGS_INIT " -Wl,-rpath-link,${UDFZEL_SYSROOT}/${dir}")
endforeach()
# qemu-user-static: the dynamic qemu of Debian 12 loses threads under load.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${UDFZEL_CROSS_QEMU}-static -L ${UDFZEL_SYSROOT})
