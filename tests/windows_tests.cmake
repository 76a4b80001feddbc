# The tests of the Windows build, run by wine (the toolchain's emulator):
# the engines, the locale rules and the Windows locale source linked
# directly; the built DLLs loaded with LoadLibrary, as the server loads them.

# GoogleTest built for the target from Debian's sources.
set(INSTALL_GTEST OFF)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# The server kit's ib_util.dll stands beside the server; here beside the tests.
add_library(ib_util SHARED ib_util_standin.cpp)
set_target_properties(ib_util PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

# What LoadLibrary says of a DLL, run from a folder of its own that holds
# no ib_util.dll (scripts/test-windows.sh checks the kit's troubleshooting
# list with it).
add_executable(load_probe load_probe_windows.cpp)
set_target_properties(load_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/probe)
udfzel_warnings(load_probe)

# Each program runs in a wine process whose user locale LC_ALL names.
function(udfzel_wine_tests target prefix locale)
  gtest_discover_tests(${target} TEST_PREFIX "${prefix}" DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "LC_ALL=${locale};WINEDEBUG=-all" ${ARGN})
endfunction()

add_executable(unit_tests ${UDFZEL_ENGINE_TEST_SOURCES} engine_environment_windows.cpp)
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(unit_tests PRIVATE udfzel_engines udfzel_frame udfzel_locale
  GTest::gtest_main)
add_dependencies(unit_tests ib_util)
udfzel_warnings(unit_tests)
udfzel_wine_tests(unit_tests "win.unit." C.UTF-8)

add_library(entry_harness STATIC udfzel_module.cpp module_loader_windows.cpp entry_calls.cpp)
target_include_directories(entry_harness PUBLIC . ${CMAKE_SOURCE_DIR}/fuzz ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(entry_harness PRIVATE UDFZEL_MODULE_PATH="$<TARGET_FILE:udfzel>")
add_dependencies(entry_harness udfzel ib_util)
udfzel_warnings(entry_harness)

add_executable(entry_tests
  pe_symbols.cpp
  exports_test.cpp
  dll_imports_test.cpp
  blob_entry_test.cpp
  strfncs_entry_test.cpp
  thread_stress_test.cpp
  thread_stress_windows_test.cpp)
target_link_libraries(entry_tests PRIVATE entry_harness udfzel_engines GTest::gtest_main
  ib_util)
target_compile_definitions(entry_tests PRIVATE
  UDFZEL_MODULE_PATH="$<TARGET_FILE:udfzel>"
  UDFZEL_UDR_MODULE_PATH="$<TARGET_FILE:udfzel_udr>")
add_dependencies(entry_tests udfzel_udr)
udfzel_warnings(entry_tests)
udfzel_wine_tests(entry_tests "win.entry." C.UTF-8)

# Every entry point's results on fixed inputs, for the comparison with the
# Linux module (scripts/test-windows.sh).
add_executable(entry_renders entry_renders.cpp)
target_link_libraries(entry_renders PRIVATE entry_harness)
udfzel_warnings(entry_renders)

# The UDR face on messages built outside the server, against the legacy
# entry points; both faces under a caller's trapping environment.
add_executable(udr_tests udr_face_test.cpp caller_environment_test.cpp fp_traps_windows.cpp
  pe_symbols.cpp
  ${CMAKE_SOURCE_DIR}/fuzz/udr_parity.cpp
  ${CMAKE_SOURCE_DIR}/fuzz/udr_layouts_none.cpp)
target_compile_definitions(udr_tests PRIVATE UDFZEL_UDR_MODULE_PATH="$<TARGET_FILE:udfzel_udr>")
target_link_libraries(udr_tests PRIVATE udfzel_udr_face udfzel_legacy entry_harness
  GTest::gtest_main ib_util)
add_dependencies(udr_tests udfzel_udr)
udfzel_warnings(udr_tests)
udfzel_wine_tests(udr_tests "win.udr." C.UTF-8)

# Heap allocations per call, counted through the modules' import tables.
add_executable(alloc_tests alloc_test.cpp allocation_counter_windows.cpp
  ${CMAKE_SOURCE_DIR}/fuzz/udr_parity.cpp ${CMAKE_SOURCE_DIR}/fuzz/udr_layouts_none.cpp)
target_link_libraries(alloc_tests PRIVATE entry_harness udfzel_udr_face udfzel_legacy
  GTest::gtest_main ib_util)
udfzel_warnings(alloc_tests)
udfzel_wine_tests(alloc_tests "win.alloc." C.UTF-8)

# LoadLibrary and FreeLibrary of both DLLs, a child process per sequence;
# nothing here holds a module loaded. A process's locale is the one it
# started under, so the program runs once per locale.
add_executable(lifecycle_tests module_lifecycle_test.cpp module_loader_windows.cpp)
target_compile_definitions(lifecycle_tests PRIVATE
  UDFZEL_MODULE_PATH="$<TARGET_FILE:udfzel>"
  UDFZEL_UDR_MODULE_PATH="$<TARGET_FILE:udfzel_udr>")
target_link_libraries(lifecycle_tests PRIVATE GTest::gtest_main)
add_dependencies(lifecycle_tests udfzel udfzel_udr ib_util)
udfzel_warnings(lifecycle_tests)
foreach(locale pt_BR ru_RU ja_JP th_TH en_US C)
  udfzel_wine_tests(lifecycle_tests "win.lifecycle.${locale}." ${locale}.UTF-8)
endforeach()
