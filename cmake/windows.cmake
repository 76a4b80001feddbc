# The Windows DLLs, cross-built with MinGW-w64 (cmake/toolchains/mingw-*.cmake).
#
# Firebird's headers are plain C/C++ and the same on every platform: they are
# taken from the host's firebird-dev (and Boost.Preprocessor from libboost-dev)
# after MinGW's own headers, so no Linux header can stand in for a Windows one.
add_compile_options(-idirafter /usr/include)
# <windows.h> without its rarely used parts and without min/max macros,
# which would break std::min and std::max, for every file that includes it.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)
set(FIREBIRD_INCLUDE_DIR "")
set(BOOST_PREPROCESSOR_DIR "")

# ib_util_malloc comes from the server kit's ib_util.dll: an import library
# made from its definition, so nothing of a Windows kit is needed to build.
set(FIREBIRD_IB_UTIL_LIBRARY ${CMAKE_BINARY_DIR}/libib_util.dll.a)
execute_process(
  COMMAND ${CMAKE_DLLTOOL} -d ${CMAKE_SOURCE_DIR}/cmake/ib_util.def -l ${FIREBIRD_IB_UTIL_LIBRARY}
  COMMAND_ERROR_IS_FATAL ANY)
# No client library: the modules call nothing of it.
set(FIREBIRD_CLIENT_LIBRARY "")

# Every program and DLL carries its C and C++ runtimes: a server machine
# needs nothing beside the DLLs but Windows' own libraries.
add_link_options(-static -static-libgcc -static-libstdc++)

# The files generated from the function list come from the generator built
# for the build machine (UDFZEL_HOST_GENERATOR), which can run here.
set(UDFZEL_HOST_GENERATOR "" CACHE FILEPATH "udfzel_gen built for the build machine")
if(NOT UDFZEL_HOST_GENERATOR)
  message(FATAL_ERROR "A Windows build needs -DUDFZEL_HOST_GENERATOR=<native build>/udfzel_gen")
endif()
