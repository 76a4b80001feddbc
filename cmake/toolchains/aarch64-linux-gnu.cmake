# Cross-building for Linux on ARM64 with Debian's aarch64 compilers, against
# Debian's arm64 packages unpacked into a folder (scripts/make-arm64-sysroot.sh:
# ICU, Firebird's development files, GoogleTest); programs run by qemu.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/aarch64-linux-gnu.cmake \
#         -DUDFZEL_ARM64_SYSROOT=<folder> ...
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

set(UDFZEL_ARM64_SYSROOT "" CACHE PATH "Debian's arm64 packages, unpacked")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES UDFZEL_ARM64_SYSROOT)
if(NOT UDFZEL_ARM64_SYSROOT)
  message(FATAL_ERROR "set UDFZEL_ARM64_SYSROOT (scripts/make-arm64-sysroot.sh makes one)")
endif()
set(CMAKE_FIND_ROOT_PATH ${UDFZEL_ARM64_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The compiler's own C library and headers come first; the packages'
# headers are system headers, as on the host; their libraries find their
# dependencies in the sysroot.
foreach(dir usr/include usr/include/aarch64-linux-gnu)
  string(APPEND CMAKE_CXX_FLAGS_INIT " -isystem ${UDFZEL_ARM64_SYSROOT}/${dir}")
endforeach()
foreach(dir usr/lib/aarch64-linux-gnu lib/aarch64-linux-gnu)
  string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,-rpath-link,${UDFZEL_ARM64_SYSROOT}/${dir}")
  string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " -Wl,-rpath-link,${UDFZEL_ARM64_SYSROOT}/${dir}")
  string(APPEND CMAKE_MODULE_LINKER_FLAGS_INIT " -Wl,-rpath-link,${UDFZEL_ARM64_SYSROOT}/${dir}")
endforeach()
# qemu-user-static: the dynamic qemu of Debian 12 loses threads under load.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static -L ${UDFZEL_ARM64_SYSROOT})
